// TreeView controls of forms: items, their opening and selection, and the notifications the
// form passes on.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_form_controls.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

HTREEITEM toItem(TreeItemId item) { return reinterpret_cast<HTREEITEM>(item); }
TreeItemId fromItem(HTREEITEM item) { return reinterpret_cast<TreeItemId>(item); }

// The control hides a scroll bar it does not need; these are to stay, as in the shell's own
// folder trees. Whatever the control has just done, a hidden bar comes back.
void keepScrollBarsShown(HWND tree) {
  static bool restoring = false;  // showing a bar resizes the client area, which comes back here
  const LONG_PTR style = GetWindowLongPtrW(tree, GWL_STYLE);
  if (restoring || (style & (WS_VSCROLL | WS_HSCROLL)) == (WS_VSCROLL | WS_HSCROLL)) return;
  restoring = true;
  if (!(style & WS_VSCROLL)) ShowScrollBar(tree, SB_VERT, TRUE);
  if (!(style & WS_HSCROLL)) ShowScrollBar(tree, SB_HORZ, TRUE);
  restoring = false;
}

LRESULT CALLBACK treeViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, treeViewProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  keepScrollBarsShown(window);
  return result;
}

Win32Control* treeOf(Win32Form& form, const NMHDR& header) {
  Win32Control* control = form.controlById(static_cast<UINT>(header.idFrom));
  return control && control->layout.kind == ControlKind::TreeView ? control : nullptr;
}

void onRightClick(Win32Form& form, const Win32Control& tree) {
  const DWORD at = GetMessagePos();
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  const POINT screen = hit.pt;
  ScreenToClient(tree.window, &hit.pt);
  const HTREEITEM item = TreeView_HitTest(tree.window, &hit);
  if (!item || !(hit.flags & TVHT_ONITEM)) return;
  HWND window = tree.window;
  // The item stays marked while its menu is open, as in the shell.
  TreeView_SelectDropTarget(window, item);
  deliverFormEvent(form, {FormEventKind::ContextMenu, tree.layout.name, MouseButton::Right, 0,
                          fromItem(item), {screen.x, screen.y}});
  if (IsWindow(window)) TreeView_SelectDropTarget(window, nullptr);
}

}  // namespace

void prepareTreeView(const Win32Control& tree) {
  if (tree.layout.imageList)
    TreeView_SetImageList(tree.window, reinterpret_cast<HIMAGELIST>(tree.layout.imageList), TVSIL_NORMAL);
  SetWindowSubclass(tree.window, treeViewProc, 0, 0);
  keepScrollBarsShown(tree.window);
}

bool onTreeNotify(Win32Form& form, const NMHDR& header, LRESULT& result) {
  Win32Control* tree = treeOf(form, header);
  if (!tree) return false;
  result = 0;
  if (header.code == TVN_ITEMEXPANDINGW) {
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    if ((change.action & TVE_EXPAND) && !form.quietTree)
      deliverFormEvent(form, {FormEventKind::ItemExpanding, tree->layout.name, MouseButton::Left, 0,
                              fromItem(change.itemNew.hItem)});
    return true;  // result FALSE: let it open
  }
  if (header.code == TVN_SELCHANGEDW) {
    // The tree's own selection on focus, and the program's, come as TVC_UNKNOWN.
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    if ((change.action == TVC_BYMOUSE || change.action == TVC_BYKEYBOARD) && !form.quietTree)
      deliverFormEvent(form, {FormEventKind::ItemSelected, tree->layout.name, MouseButton::Left, 0,
                              fromItem(change.itemNew.hItem)});
    return true;
  }
  if (header.code == NM_RCLICK) {
    onRightClick(form, *tree);
    result = TRUE;  // no WM_CONTEXTMENU after it
    return true;
  }
  return false;
}

// ---- Win32Forms: TreeView items

void Win32Forms::focusControl(WindowHandle handle, const std::string& control) {
  SetFocus(controlWindow(handle, control));
}

TreeItemId Win32Forms::addTreeItem(WindowHandle handle, const std::string& control,
                                   TreeItemId parent, const TreeItem& item) {
  std::wstring text = toWide(item.text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent ? toItem(parent) : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  insert.item.pszText = text.data();
  insert.item.iImage = insert.item.iSelectedImage = item.image;
  insert.item.cChildren = item.hasChildren ? 1 : 0;
  const HTREEITEM added = TreeView_InsertItem(controlWindow(handle, control), &insert);
  if (!added) throwSystemError(ERROR_NOT_ENOUGH_MEMORY);  // the control's only reason to refuse
  return fromItem(added);
}

void Win32Forms::setTreeItemHasChildren(WindowHandle handle, const std::string& control,
                                        TreeItemId item, bool hasChildren) {
  TVITEMW change{};
  change.mask = TVIF_CHILDREN;
  change.hItem = toItem(item);
  change.cChildren = hasChildren ? 1 : 0;
  TreeView_SetItem(controlWindow(handle, control), &change);
}

void Win32Forms::expandTreeItem(WindowHandle handle, const std::string& control, TreeItemId item) {
  Win32Form& target = form(handle);
  target.quietTree = true;
  TreeView_Expand(target.control(control).window, toItem(item), TVE_EXPAND);
  target.quietTree = false;
}

void Win32Forms::selectTreeItem(WindowHandle handle, const std::string& control, TreeItemId item) {
  Win32Form& target = form(handle);
  HWND tree = target.control(control).window;
  target.quietTree = true;  // selecting opens the item's parents
  TreeView_SelectItem(tree, toItem(item));
  TreeView_EnsureVisible(tree, toItem(item));
  target.quietTree = false;
}

TreeItemId Win32Forms::selectedTreeItem(WindowHandle handle, const std::string& control) {
  return fromItem(TreeView_GetSelection(controlWindow(handle, control)));
}

}  // namespace vireloc
