// Tooltips of a form's controls: one tooltip window per form, made with its first tip.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_forms.h"

namespace vireloc {

namespace {

void setTooltip(Win32Form& form, const Win32Control& control, const std::string& text) {
  if (!form.tooltip) {
    form.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.window,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!form.tooltip) return;  // no tooltip is no reason to stop the program
    SendMessageW(form.tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(form.font.get()), FALSE);
    // Long texts wrap instead of running off the screen.
    SendMessageW(form.tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  std::wstring wide = toWide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form.window;
  tool.uId = reinterpret_cast<UINT_PTR>(control.window);
  tool.lpszText = wide.data();
  auto& tools = form.tooltipTools;
  const bool known = std::find(tools.begin(), tools.end(), control.window) != tools.end();
  if (wide.empty()) {
    if (known) SendMessageW(form.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    std::erase(tools, control.window);
  } else if (known) {
    SendMessageW(form.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (SendMessageW(form.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
    tools.push_back(control.window);
  }
}

}  // namespace

void Win32Forms::setControlTooltip(WindowHandle handle, const std::string& control,
                                   const std::string& text) {
  Win32Form& target = form(handle);
  setTooltip(target, target.control(control), text);
}

}  // namespace vireloc
