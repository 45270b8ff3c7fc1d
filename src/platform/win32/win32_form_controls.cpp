#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "common/app_error.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_forms.h"
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

// A press on a row list: the left button has moved the selection before the form hears of it.
LRESULT CALLBACK rowListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             UINT_PTR, DWORD_PTR data) {
  auto& form = *reinterpret_cast<Win32Form*>(data);
  auto pressed = [&](MouseButton button) {
    if (const Win32Control* control = form.controlById(GetDlgCtrlID(window)))
      deliverFormEvent(form, {FormEventKind::MouseDown, control->layout.name, button});
  };
  switch (message) {
    case WM_LBUTTONDOWN: {
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      pressed(MouseButton::Left);
      return result;
    }
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      pressed(message == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Middle);
      if (!IsWindow(window)) return 0;  // the handler closed the form
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, rowListProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void prepareRowList(Win32Form& form, const Win32Control& list) {
  const ControlSpec& layout = list.layout;
  SendMessageW(list.window, LB_SETITEMHEIGHT, 0, layout.rowHeight + layout.gridLine);
  for (const std::string& row : layout.rows)
    SendMessageW(list.window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(row).c_str()));
  if (layout.selectedRow >= 0) {
    SendMessageW(list.window, LB_SETSEL, TRUE, layout.selectedRow);
    SendMessageW(list.window, LB_SETCARETINDEX, layout.selectedRow, FALSE);
  }
  SetWindowSubclass(list.window, rowListProc, 0, reinterpret_cast<DWORD_PTR>(&form));
}

std::wstring rowText(HWND list, int row) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, row, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace

namespace {

int CALLBACK countFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 1;
}

// Installed, or a name the system maps to another face ("MS Shell Dlg 2").
bool faceKnown(const std::wstring& face, BYTE charset) {
  LOGFONTW wanted{};
  wanted.lfCharSet = charset;
  if (face.size() >= LF_FACESIZE) return false;
  face.copy(wanted.lfFaceName, face.size());
  int count = 0;
  WindowDc screen;
  if (screen) EnumFontFamiliesExW(screen.get(), &wanted, countFace, reinterpret_cast<LPARAM>(&count), 0);
  if (count > 0) return true;
  return RegGetValueW(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                      face.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

LOGFONTW systemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

}  // namespace

FontHandle createFormFont(const FontSpec& layout) {
  // A face the system lacks (ＭＳ Ｐゴシック under Wine) gives way to the system's own UI font
  // at the same height and character set, rather than to whatever the font mapper finds.
  std::wstring face = toWide(layout.face);
  if (!faceKnown(face, layout.charset)) face = systemMessageFont().lfFaceName;
  FontHandle font(CreateFontW(-layout.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, layout.charset,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  if (font) return font;
  LOGFONTW fallback = systemMessageFont();
  return FontHandle(CreateFontIndirectW(&fallback));
}

namespace {

// A label takes the size of its text in the font the form really got.
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

// Shared (LR_SHARED): the system keeps the icon, so the control may be destroyed in any order.
void showProgramIcon(const Win32Control& control, const Rect& bounds) {
  HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, LR_SHARED);
  if (icon) SendMessageW(control.window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace

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
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(form.font.get()), FALSE);
    if (layout.kind == ControlKind::RowList) prepareRowList(form, control);
    if (layout.autoSize) sizeToText(control, form.font.get());
    if (layout.kind == ControlKind::TreeView) prepareTreeView(control);
    if (layout.kind == ControlKind::Icon) showProgramIcon(control, bounds);
  }
}

bool drawRow(Win32Form& form, const DRAWITEMSTRUCT& item) {
  const Win32Control* list = form.controlById(item.CtlID);
  if (!list || list->layout.kind != ControlKind::RowList) return false;
  if (item.itemID == static_cast<UINT>(-1)) return true;
  RECT cell = item.rcItem;
  cell.bottom -= list->layout.gridLine;
  RECT line = item.rcItem;
  line.top = cell.bottom;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  FillRect(item.hDC, &line, GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = rowText(item.hwndItem, static_cast<int>(item.itemID));
  SelectedObject font(item.hDC, form.font.get());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT textArea{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom};
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &cell);
  return true;
}

void setRowTexts(const Win32Control& list, const std::vector<std::string>& rows) {
  HWND window = list.window;
  const int caret = static_cast<int>(SendMessageW(window, LB_GETCARETINDEX, 0, 0));
  const int top = static_cast<int>(SendMessageW(window, LB_GETTOPINDEX, 0, 0));
  SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const std::wstring text = toWide(rows[row]);
    if (row < SendMessageW(window, LB_GETCOUNT, 0, 0)) {
      if (rowText(window, row) == text) continue;
      const bool selected = SendMessageW(window, LB_GETSEL, row, 0) > 0;
      SendMessageW(window, LB_DELETESTRING, row, 0);
      SendMessageW(window, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(text.c_str()));
      if (selected) SendMessageW(window, LB_SETSEL, TRUE, row);
    } else {
      SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  while (SendMessageW(window, LB_GETCOUNT, 0, 0) > static_cast<LRESULT>(rows.size()))
    SendMessageW(window, LB_DELETESTRING, rows.size(), 0);
  if (caret >= 0) SendMessageW(window, LB_SETCARETINDEX, caret, FALSE);
  SendMessageW(window, LB_SETTOPINDEX, std::max(top, 0), 0);
  SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

std::vector<int> selectedRowsOf(const Win32Control& list) {
  const LRESULT count = SendMessageW(list.window, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> rows(static_cast<std::size_t>(count));
  const LRESULT got = SendMessageW(list.window, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(rows.data()));
  rows.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  std::sort(rows.begin(), rows.end());
  return rows;
}

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

// ---- Win32Forms: control state

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

void Win32Forms::setControlTooltip(WindowHandle handle, const std::string& control,
                                   const std::string& text) {
  Win32Form& target = form(handle);
  setTooltip(target, target.control(control), text);
}

void Win32Forms::setRows(WindowHandle handle, const std::string& control,
                         const std::vector<std::string>& rows) {
  setRowTexts(form(handle).control(control), rows);
}

std::vector<int> Win32Forms::selectedRows(WindowHandle handle, const std::string& control) {
  return selectedRowsOf(form(handle).control(control));
}

}  // namespace vireloc
