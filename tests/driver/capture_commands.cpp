// Commands for the capture scenarios: where windows and the pointer are, what the cursor
// looks like, and the clipboard bitmap's pixels.
#include "capture_commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "commands.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

std::string joined(std::initializer_list<long> values) {
  std::string line;
  for (long value : values) line += (line.empty() ? "" : " ") + std::to_string(value);
  return line;
}

BITMAPINFOHEADER dibHeader(int width, int height, WORD bits) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // negative: top-down rows
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = BI_RGB;
  return header;
}

HBITMAP topDownSection(HDC dc, int width, int height, DWORD*& pixels) {
  BITMAPINFO info{};
  info.bmiHeader = dibHeader(width, -height, 32);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels = static_cast<DWORD*>(bits);
  return bitmap;
}

// A top-down 32-bit DIB section the caller can read pixel by pixel.
struct Canvas {
  int width = 0, height = 0;
  DWORD* pixels = nullptr;
  MemoryDc dc;
  BitmapHandle bitmap;
  SelectedObject selected;

  Canvas(int w, int h)
      : width(w), height(h), dc(CreateCompatibleDC(nullptr)),
        bitmap(topDownSection(dc.get(), w, h, pixels)), selected(dc.get(), bitmap.get()) {
    if (!dc || !bitmap) throw Failure("cannot create a drawing surface");
  }

  void fill(DWORD colour) {
    GdiFlush();
    for (int i = 0; i < width * height; ++i) pixels[i] = colour;
  }
};

// Draws the cursor as the program does (DrawIconEx at 0,0, DI_NORMAL | DI_DEFAULTSIZE) on
// black and on white; a pixel that changes on either belongs to the cursor.
RECT drawnCursorBox(HCURSOR cursor) {
  constexpr int kSize = 128;
  Canvas black(kSize, kSize), white(kSize, kSize);
  black.fill(0x000000);
  white.fill(0xFFFFFF);
  DrawIconEx(black.dc.get(), 0, 0, cursor, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  DrawIconEx(white.dc.get(), 0, 0, cursor, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  GdiFlush();
  RECT box{kSize, kSize, -1, -1};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const int i = y * kSize + x;
      if ((black.pixels[i] & 0xFFFFFF) == 0 && (white.pixels[i] & 0xFFFFFF) == 0xFFFFFF) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
             std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    }
  }
  if (box.right < 0) throw Failure("the cursor draws no pixels");
  return box;
}

}  // namespace

int clientOrigin(const Args& args) {
  requireArgs(args, 1, "client-origin <hwnd>");
  POINT origin{0, 0};
  if (!ClientToScreen(parseWindow(args[0]), &origin)) throw Failure("ClientToScreen failed");
  printLine(joined({origin.x, origin.y}));
  return 0;
}

int foregroundWindow(const Args& args) {
  if (args.size() > 1) throw Failure("usage: foreground [hwnd]");
  if (args.empty()) {
    printLine(hexHandle(GetForegroundWindow()));
    return 0;
  }
  HWND window = parseWindow(args[0]);
  // Activation travels through the window manager; give it a moment to arrive.
  for (int attempt = 0; attempt < 30; ++attempt) {
    if (GetForegroundWindow() == window) return 0;
    SetForegroundWindow(window);
    Sleep(100);
  }
  throw Failure("window " + toUtf8(args[0]) + " did not become the foreground window (it is " +
                hexHandle(GetForegroundWindow()) + ")");
}

int workArea(const Args& args) {
  requireArgs(args, 0, "work-area");
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    throw Failure("SystemParametersInfo(SPI_GETWORKAREA) failed");
  printLine(joined({area.left, area.top, area.right, area.bottom}));
  return 0;
}

// Prints "x y hotspot-x hotspot-y left top right bottom source handle": the pointer, the
// hotspot and the drawn box of the foreground thread's cursor (source "current"), or of the
// standard arrow when that cursor cannot be read here ("arrow": Wine keeps cursors private
// to the process that loaded them), then the current cursor's handle.
int cursorInfo(const Args& args) {
  requireArgs(args, 0, "cursor-info");
  CURSORINFO info{};
  info.cbSize = sizeof info;
  if (!GetCursorInfo(&info)) throw Failure("GetCursorInfo failed");
  HCURSOR cursor = info.hCursor;
  const char* source = "current";
  ICONINFO icon{};
  if (!cursor || !GetIconInfo(cursor, &icon)) {
    cursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    source = "arrow";
    if (!GetIconInfo(cursor, &icon)) throw Failure("cannot read the arrow cursor");
  }
  const BitmapHandle colour(icon.hbmColor), mask(icon.hbmMask);  // GetIconInfo's copies
  const RECT box = drawnCursorBox(cursor);
  printLine(joined({info.ptScreenPos.x, info.ptScreenPos.y, static_cast<long>(icon.xHotspot),
                    static_cast<long>(icon.yHotspot), box.left, box.top, box.right, box.bottom}) +
            " " + source + " " + hexHandle(info.hCursor));
  return 0;
}

}  // namespace vireloc::driver

namespace vireloc::driver {

namespace {

// A 24-bit bottom-up BMP: the plainest form every image tool reads the same way.
void writeBmp24(const std::wstring& path, int width, int height, const std::vector<DWORD>& topDown) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> data(static_cast<size_t>(stride) * height);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = data.data() + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) std::memcpy(row + x * 3, &topDown[y * width + x], 3);
  }
  BITMAPINFOHEADER info = dibHeader(width, height, 24);
  info.biSizeImage = static_cast<DWORD>(data.size());
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info + data.size()), 0, 0,
                        sizeof file + sizeof info};
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) throw Failure("cannot create " + toUtf8(path));
  bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
            std::fwrite(data.data(), 1, data.size(), out) == data.size();
  ok = std::fclose(out) == 0 && ok;
  if (!ok) throw Failure("cannot write " + toUtf8(path));
}

}  // namespace

int clipboardSaveBitmap(const Args& args) {
  requireArgs(args, 1, "clipboard-save-bitmap <file.bmp>");
  std::vector<DWORD> pixels;
  BITMAP size{};
  {
    OpenClipboardScope open;
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size))
      throw Failure("no readable bitmap on the clipboard");
    BITMAPINFO info{};
    info.bmiHeader = dibHeader(size.bmWidth, -size.bmHeight, 32);
    pixels.resize(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    const WindowDc screen;
    int rows = GetDIBits(screen.get(), bitmap, 0, size.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    if (rows != size.bmHeight) throw Failure("GetDIBits read " + std::to_string(rows) + " rows");
  }
  writeBmp24(args[0], size.bmWidth, size.bmHeight, pixels);
  printLine(joined({size.bmWidth, size.bmHeight}));
  return 0;
}

// A position may lie left of or above the screen.
int parseCoordinate(const std::wstring& text, const char* what) {
  const bool negative = !text.empty() && text[0] == L'-';
  const auto magnitude = parseNumber(negative ? text.substr(1) : text, what);
  if (magnitude > 100000) throw Failure(std::string(what) + " out of range: " + toUtf8(text));
  return negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
}

int framedPatternWindow(const Args& args) {
  requireArgs(args, 4, "framed-pattern-window <x> <y> <w> <h>");
  int x = parseCoordinate(args[0], "x"), y = parseCoordinate(args[1], "y");
  int w = static_cast<int>(parseNumber(args[2], "w")), h = static_cast<int>(parseNumber(args[3], "h"));
  if (w <= 0 || h <= 0) throw Failure("width and height must be positive");
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = patternWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = L"ViRelocFramedPattern";
  RegisterClassW(&windowClass);
  // Caption and sizing frame: the window rectangle is larger than the client area. No system
  // menu, so no caption icon: its blended pixels read back from the screen slightly unlike
  // what the display shows.
  HWND window = CreateWindowExW(0, L"ViRelocFramedPattern", L"vireloc-framed",
                                WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, x, y, w, h, nullptr,
                                nullptr, instance, nullptr);
  if (!window) throw Failure("CreateWindow failed, error " + std::to_string(GetLastError()));
  UpdateWindow(window);
  printLine(hexHandle(window));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

namespace {

BOOL CALLBACK findShownIcon(HWND child, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  const bool iconStatic = lstrcmpiW(name, L"Static") == 0 &&
                          (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
  DWORD_PTR icon = 0;
  if (iconStatic && IsWindowVisible(child) &&
      SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon) && icon) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

// A message box always has an icon control; it only counts when shown and holding an icon.
int messageBoxIcon(const Args& args) {
  requireArgs(args, 1, "message-box-icon <hwnd>");
  bool found = false;
  EnumChildWindows(parseWindow(args[0]), findShownIcon, reinterpret_cast<LPARAM>(&found));
  printLine(found ? "icon" : "none");
  return 0;
}

}  // namespace vireloc::driver
