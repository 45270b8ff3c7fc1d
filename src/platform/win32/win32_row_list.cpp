// Row lists of forms: an owner-drawn list box with fixed rows, a grid line under each and
// several rows selectable.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/form_scaling.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_form_controls.h"

namespace vireloc {

namespace {

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

std::wstring rowText(HWND list, int row) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, row, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// Only rows whose text changed are replaced, so the selection, caret and scroll position
// stay where the user left them.
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

}  // namespace

void prepareRowList(Win32Form& form, const Win32Control& list) {
  const ControlSpec& layout = list.layout;
  for (const std::string& row : layout.rows)
    SendMessageW(list.window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(row).c_str()));
  if (layout.selectedRow >= 0) {
    SendMessageW(list.window, LB_SETSEL, TRUE, layout.selectedRow);
    SendMessageW(list.window, LB_SETCARETINDEX, layout.selectedRow, FALSE);
  }
  SetWindowSubclass(list.window, rowListProc, 0, reinterpret_cast<DWORD_PTR>(&form));
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
  const int margin = scaledLength(2, form.dpi);
  RECT textArea{cell.left + margin, cell.top + margin, cell.right - margin, cell.bottom};
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &cell);
  return true;
}

// ---- Win32Forms: rows

void Win32Forms::setRows(WindowHandle handle, const std::string& control,
                         const std::vector<std::string>& rows) {
  setRowTexts(form(handle).control(control), rows);
}

std::vector<int> Win32Forms::selectedRows(WindowHandle handle, const std::string& control) {
  return selectedRowsOf(form(handle).control(control));
}

}  // namespace vireloc
