#include "platform/win32/win32_forms.h"

#include <commctrl.h>

#include <stdexcept>
#include <utility>

#include "common/app_error.h"
#include "platform/win32/text_conversion.h"
#include "platform/form_scaling.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_form_controls.h"
#include "platform/win32/win32_menu_builder.h"
#include "platform/win32/win32_monitors.h"
#include "platform/win32/win32_system_error.h"
#include "platform/win32/win32_window_class.h"

namespace vireloc {

namespace {

Win32Form* boundForm(HWND window) {
  return reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Enter and Esc arrive as IDOK and IDCANCEL: they press the default or the cancel button.
void pressDialogButton(Win32Form& form, UINT id) {
  for (const Win32Control& control : form.controls) {
    const bool wanted = id == IDOK ? control.layout.defaultButton : control.layout.cancelButton;
    if (wanted && IsWindowEnabled(control.window)) {
      deliverFormEvent(form, {FormEventKind::Click, control.layout.name});
      return;
    }
  }
}

void onCommand(Win32Form& form, WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (lParam == 0 && code == 0 && id >= kMenuIdBase && id < kControlIdBase) {
    deliverFormEvent(form, {FormEventKind::MenuCommand, "", MouseButton::Left, id - kMenuIdBase});
  } else if (id == IDOK || id == IDCANCEL) {
    pressDialogButton(form, id);
  } else if (const Win32Control* control = form.controlById(id)) {
    const bool isList = control->layout.kind == ControlKind::RowList;
    if (!isList && code == BN_CLICKED)
      deliverFormEvent(form, {FormEventKind::Click, control->layout.name});
    else if (isList && code == LBN_DBLCLK)
      deliverFormEvent(form, {FormEventKind::DoubleClick, control->layout.name});
  }
}

FormEvent filesDropped(DroppedFiles files) {
  FormEvent event{FormEventKind::FilesDropped, ""};
  event.dropped = std::move(files);
  return event;
}

// Only dispatches: the form's behaviour lives in the core's handler.
LRESULT handleFormMessage(Win32Form& form, HWND window, UINT message, WPARAM wParam,
                          LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(form, wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      // Only the form's own controls notify it, by a send from this thread (posted ones never
      // get here); what another program sends points into its memory, not ours.
      if (InSendMessageEx(nullptr) != ISMEX_NOSEND) break;
      LRESULT result = 0;
      if (onTreeNotify(form, *reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_DRAWITEM:
      if (drawRow(form, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) deliverFormEvent(form, {FormEventKind::Activate, ""});
      return 0;
    case WM_DROPFILES:
      if (!form.drops) break;
      deliverFormEvent(form, filesDropped(takeDroppedFiles(reinterpret_cast<HDROP>(wParam))));
      return 0;
    case WM_DPICHANGED: {  // moved to a monitor of another scale (Windows 10 and later)
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      layOutForm(form, HIWORD(wParam));
      return 0;
    }
    case WM_CLOSE:  // the core decides whether and when the window goes
      deliverFormEvent(form, {FormEventKind::CloseRequest, ""});
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK formWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  Win32Form* form = boundForm(window);
  if (!form || !form->events) return DefWindowProcW(window, message, wParam, lParam);
  return handleFormMessage(*form, window, message, wParam, lParam);
}

void ensureFormClass(HINSTANCE instance, const std::wstring& className) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = formWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"MAINICON");
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className.c_str();
  if (!ensureWindowClass(windowClass)) throwLastError();
}

DWORD styleOf(const FormSpec& layout) {
  // A fixed border: no sizing frame, no maximise box.
  return WS_CAPTION | WS_CLIPCHILDREN | (layout.systemMenu ? WS_SYSMENU : 0) |
         (layout.minimizeBox ? WS_MINIMIZEBOX : 0);
}

DWORD exStyleOf(const FormSpec& layout) {
  return WS_EX_CONTROLPARENT | (layout.appWindow ? WS_EX_APPWINDOW : 0) |
         (layout.border == FormBorder::Dialog ? WS_EX_DLGMODALFRAME : 0);
}

}  // namespace

void deliverFormEvent(Win32Form& form, const FormEvent& event) {
  if (FormEvents* events = form.events) events->onFormEvent(fromHwnd(form.window), event);
}

Win32Control* Win32Form::controlById(UINT id) {
  for (Win32Control& control : controls)
    if (control.id == id) return &control;
  return nullptr;
}

Win32Control& Win32Form::control(const std::string& name) {
  for (Win32Control& control : controls)
    if (control.layout.name == name) return control;
  throw std::out_of_range("no control " + name);
}

// The system only ever sends WM_NOTIFY; a posted one is another program's, with a pointer into
// its own memory, and every loop of this thread (the system's modal ones too) drops it unread.
static LRESULT CALLBACK dropPostedNotification(int code, WPARAM removal, LPARAM lParam) {
  auto& message = *reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && message.message == WM_NOTIFY) message.message = WM_NULL;
  return CallNextHookEx(nullptr, code, removal, lParam);
}

HookHandle Win32Forms::filterPostedNotifications() {
  return HookHandle(
      SetWindowsHookExW(WH_GETMESSAGE, dropPostedNotification, nullptr, GetCurrentThreadId()));
}

// The common controls' DLL is delay-loaded (cmake/delay_import.cmake): the tray alone needs
// none, and under Wine it costs the idle program most of a megabyte from the moment it loads.
// The forms' buttons, lists and tree views are its classes, so it loads before the first form.
void Win32Forms::loadCommonControls() {
  if (commonControlsLoaded_) return;
  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
  commonControlsLoaded_ = InitCommonControlsEx(&classes) != FALSE;
}

WindowHandle Win32Forms::createForm(const FormSpec& layout, FormEvents& events) {
  loadCommonControls();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring className = toWide(layout.className);
  ensureFormClass(instance, className);
  MenuHandle menuBar;
  if (!layout.menuBar.empty() && !(menuBar = buildMenu(layout.menuBar, MenuKind::Bar, kMenuIdBase)))
    throwLastError();
  auto form = std::make_unique<Win32Form>();
  form->design = layout;
  const FormSpec scaled = designAtDpi(layout, systemDpi());  // layOutForm sets the form's DPI
  RECT outer{0, 0, scaled.clientWidth, scaled.clientHeight};
  AdjustWindowRectEx(&outer, styleOf(layout), menuBar ? TRUE : FALSE, exStyleOf(layout));
  for (const ControlSpec& control : scaled.controls) form->controls.push_back({control});
  HWND window = CreateWindowExW(exStyleOf(layout), className.c_str(), toWide(layout.caption).c_str(),
                                styleOf(layout), layout.position.x, layout.position.y,
                                outer.right - outer.left, outer.bottom - outer.top,
                                toHwnd(layout.owner), menuBar.get(), instance, form.get());
  if (!window) throwLastError();
  menuBar.release();  // the window's now
  form->window = window;
  try {
    createControls(*form);
    layOutForm(*form, windowDpi(window));  // made on another monitor than the primary one
  } catch (const SystemError&) {
    DestroyWindow(window);
    throw;
  }
  form->events = &events;
  if (layout.acceptFiles) acceptDrops(*form);
  forms_[window] = std::move(form);
  return fromHwnd(window);
}

void Win32Forms::acceptDrops(Win32Form& form) {
  if (!ole_) ole_ = std::make_unique<OleSession>();
  form.drops = acceptFileDrops(form.window, [&form](DroppedFiles files) {
    deliverFormEvent(form, filesDropped(std::move(files)));
  });
}

void Win32Forms::destroyForm(WindowHandle handle) {
  auto found = forms_.find(toHwnd(handle));
  if (found == forms_.end()) return;
  found->second->events = nullptr;
  found->second->drops.reset();
  DestroyWindow(found->first);
  forms_.erase(found);
}

Win32Form& Win32Forms::form(WindowHandle handle) { return *forms_.at(toHwnd(handle)); }

HWND Win32Forms::controlWindow(WindowHandle handle, const std::string& name) {
  return form(handle).control(name).window;
}

void Win32Forms::showForm(WindowHandle handle) {
  ShowWindow(toHwnd(handle), SW_SHOW);
  SetForegroundWindow(toHwnd(handle));
}

void Win32Forms::hideForm(WindowHandle handle) { ShowWindow(toHwnd(handle), SW_HIDE); }

Rect Win32Forms::formRect(WindowHandle handle) {
  RECT rect{};
  GetWindowRect(toHwnd(handle), &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect Win32Forms::restoredFormRect(WindowHandle handle) {
  const RECT rect = restoredWindowRect(toHwnd(handle));
  return {rect.left, rect.top, rect.right, rect.bottom};
}

void Win32Forms::moveForm(WindowHandle handle, Point topLeft) {
  SetWindowPos(toHwnd(handle), nullptr, topLeft.x, topLeft.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Forms::setCaption(WindowHandle handle, const std::string& caption) {
  SetWindowTextW(toHwnd(handle), toWide(caption).c_str());
}

void Win32Forms::setMenuItemEnabled(WindowHandle handle, std::uint32_t id, bool enabled) {
  EnableMenuItem(GetMenu(toHwnd(handle)), kMenuIdBase + id,
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(toHwnd(handle));
}

void Win32Forms::setMenuItemChecked(WindowHandle handle, std::uint32_t id, bool checked) {
  CheckMenuItem(GetMenu(toHwnd(handle)), kMenuIdBase + id,
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool Win32Forms::handleDialogKeys(MSG& message) {
  if (!message.hwnd) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  return forms_.count(root) != 0 && IsDialogMessageW(root, &message);
}

}  // namespace vireloc
