// The text, enabled and checked state of a form's standard controls.
#include <windows.h>

#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_form_controls.h"

namespace vireloc {

void Win32Forms::setControlText(WindowHandle handle, const std::string& control,
                                const std::string& text) {
  Win32Form& target = form(handle);
  const Win32Control& changed = target.control(control);
  SetWindowTextW(changed.window, toWide(text).c_str());
  if (changed.layout.autoSize) sizeToText(changed, target.font.get());
}

std::string Win32Forms::controlText(WindowHandle handle, const std::string& control) {
  HWND window = controlWindow(handle, control);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return toUtf8(text);
}

void Win32Forms::setControlEnabled(WindowHandle handle, const std::string& control, bool enabled) {
  EnableWindow(controlWindow(handle, control), enabled ? TRUE : FALSE);
}

void Win32Forms::setControlChecked(WindowHandle handle, const std::string& control, bool checked) {
  SendMessageW(controlWindow(handle, control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Forms::controlChecked(WindowHandle handle, const std::string& control) {
  return SendMessageW(controlWindow(handle, control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace vireloc
