// A window with a known picture, for capture tests to compare against.
#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {
constexpr int kCell = 32;
}  // namespace

LRESULT CALLBACK patternWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    for (int y = 0; y < client.bottom; y += kCell) {
      for (int x = 0; x < client.right; x += kCell) {
        RECT cell{x, y, x + kCell, y + kCell};
        const BrushHandle brush(CreateSolidBrush(patternColour(x / kCell, y / kCell)));
        FillRect(dc, &cell, brush.get());
      }
    }
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

COLORREF patternColour(int column, int row) {
  return RGB((column * 37 + 11) & 0xFF, (row * 59 + 23) & 0xFF, ((column + row) * 83 + 47) & 0xFF);
}

int patternWindow(const Args& allArgs) {
  const char* usage = "pattern-window [--child-button] <x> <y> <w> <h>";
  Args args = allArgs;
  bool childButton = !args.empty() && args[0] == L"--child-button";
  if (childButton) args.erase(args.begin());
  requireArgs(args, 4, usage);
  int x = static_cast<int>(parseNumber(args[0], "x")), y = static_cast<int>(parseNumber(args[1], "y"));
  int w = static_cast<int>(parseNumber(args[2], "w")), h = static_cast<int>(parseNumber(args[3], "h"));
  if (w <= 0 || h <= 0) throw Failure("width and height must be positive");

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = patternWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = L"ViRelocPattern";
  RegisterClassW(&windowClass);
  // A borderless popup: the client area is exactly the rectangle asked for.
  HWND window = CreateWindowExW(0, L"ViRelocPattern", L"vireloc-pattern", WS_POPUP | WS_VISIBLE,
                                x, y, w, h, nullptr, nullptr, instance, nullptr);
  if (!window) throw Failure("CreateWindow failed, error " + std::to_string(GetLastError()));
  if (childButton)
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 8, 80, 24,
                    window, nullptr, instance, nullptr);
  UpdateWindow(window);
  printLine(hexHandle(window));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace vireloc::driver
