// Creating a form's controls: the window class and styles of each kind of control, and what
// each kind needs once its window exists.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/app_error.h"
#include "platform/form_scaling.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_form_controls.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass classOf(const ControlSpec& layout) {
  switch (layout.kind) {
    case ControlKind::Button:
      return {L"BUTTON", static_cast<DWORD>(layout.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case ControlKind::RadioButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case ControlKind::GroupBox:
      // Transparent: the form clips its children, and a frame does not paint its inside, so
      // without it the form would leave that area unpainted.
      return {L"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT};
    case ControlKind::Static:
      return {L"STATIC", SS_LEFT, 0};
    case ControlKind::Edit:
      return {L"EDIT", static_cast<DWORD>(ES_AUTOHSCROLL | (layout.readOnly ? ES_READONLY : 0)),
              WS_EX_CLIENTEDGE};
    case ControlKind::RowList:
      // Owner-drawn for the fixed row height and the grid line; no scroll bar.
      return {L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_EXTENDEDSEL |
                              LBS_NOINTEGRALHEIGHT, 0};
    case ControlKind::TreeView:
      return {WC_TREEVIEWW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                                WS_VSCROLL | WS_HSCROLL, 0};
    case ControlKind::Icon:
      return {L"STATIC", SS_ICON, 0};
  }
  return {L"STATIC", 0, 0};
}

// A control's rectangle in the form's client area: group boxes only frame their controls.
Rect boundsInForm(const Win32Form& form, const ControlSpec& layout) {
  Rect bounds = layout.bounds;
  if (layout.parent.empty()) return bounds;
  for (const Win32Control& parent : form.controls) {
    if (parent.layout.name != layout.parent) continue;
    const Rect outer = boundsInForm(form, parent.layout);
    return {bounds.left + outer.left, bounds.top + outer.top, bounds.right + outer.left,
            bounds.bottom + outer.top};
  }
  return bounds;
}

// Shared (LR_SHARED): the system keeps the icon, so the control may be destroyed in any order.
void showProgramIcon(const Win32Control& control, const Rect& bounds) {
  HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, LR_SHARED);
  if (icon) SendMessageW(control.window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

// Where the control stands at the form's DPI, and what grows with it.
void placeControl(const Win32Form& form, const Win32Control& control, HFONT font) {
  const ControlSpec& layout = control.layout;
  const Rect bounds = boundsInForm(form, layout);
  SetWindowPos(control.window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (layout.kind == ControlKind::RowList)
    SendMessageW(control.window, LB_SETITEMHEIGHT, 0, layout.rowHeight + layout.gridLine);
  if (layout.autoSize) sizeToText(control, font);
  if (layout.kind == ControlKind::Icon) showProgramIcon(control, bounds);
}

// A menu bar too narrow for its items wraps onto a second line, which the outer size made
// from the design did not allow for: the client area gets its designed size all the same.
void fitClientArea(HWND window, int width, int height) {
  RECT client{}, outer{};
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  const int dw = width - client.right, dh = height - client.bottom;
  if (dw == 0 && dh == 0) return;
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dw, outer.bottom - outer.top + dh,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void sizeToText(const Win32Control& control, HFONT font) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control.window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control.window, text.data(), static_cast<int>(text.size()))));
  WindowDc dc(control.window);
  SIZE size{};
  if (!dc) return;
  SelectedObject selected(dc.get(), font);
  TEXTMETRICW metrics{};
  if (!GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size) ||
      !GetTextMetricsW(dc.get(), &metrics))
    return;
  SetWindowPos(control.window, nullptr, 0, 0, size.cx, metrics.tmHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void createControls(Win32Form& form) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    Win32Control& control = form.controls[i];
    const ControlSpec& layout = control.layout;
    const ControlClass kind = classOf(layout);
    const DWORD style = kind.style | WS_CHILD | WS_VISIBLE | (layout.tabStop ? WS_TABSTOP : 0) |
                        (layout.groupStart ? WS_GROUP : 0) | (layout.enabled ? 0 : WS_DISABLED);
    const DWORD exStyle = kind.exStyle | (layout.sunkenBorder ? WS_EX_CLIENTEDGE : 0);
    const Rect bounds = boundsInForm(form, layout);
    control.id = kControlIdBase + static_cast<UINT>(i);
    control.window = CreateWindowExW(
        exStyle, kind.name, toWide(layout.text).c_str(), style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, form.window,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)), instance, nullptr);
    if (!control.window) throwLastError();
    if (layout.kind == ControlKind::RowList) prepareRowList(form, control);
    if (layout.kind == ControlKind::TreeView) prepareTreeView(control);
  }
}

void layOutForm(Win32Form& form, int dpi) {
  const FormSpec scaled = designAtDpi(form.design, dpi);
  FontHandle font = createFormFont(scaled.font);
  form.dpi = dpi;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    ControlSpec& layout = form.controls[i].layout;
    layout.bounds = scaled.controls[i].bounds;
    layout.rowHeight = scaled.controls[i].rowHeight;
    layout.gridLine = scaled.controls[i].gridLine;
  }
  for (const Win32Control& control : form.controls) placeControl(form, control, font.get());
  form.font = std::move(font);  // the old one only now, once no control draws with it
  fitClientArea(form.window, scaled.clientWidth, scaled.clientHeight);
}

}  // namespace vireloc
