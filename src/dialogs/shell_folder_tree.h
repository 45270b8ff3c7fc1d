// The shell's folders as a tree rooted at the desktop. A folder is listed the first time it is
// opened; the shell answers later, so nothing here waits for a slow or unreachable folder.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "platform/shell_namespace.h"

namespace vireloc {

class ShellFolderTree {
 public:
  ShellFolderTree(TreeView& tree, ShellNamespace& shell);
  // Answers still on their way are cancelled.
  ~ShellFolderTree();
  ShellFolderTree(const ShellFolderTree&) = delete;
  ShellFolderTree& operator=(const ShellFolderTree&) = delete;

  static ControlSpec design(const std::string& name, Rect bounds, ImageListHandle icons);

  // Adds the desktop and opens it.
  void showDesktop();
  // Opens the tree down to the folder at path and selects it, without taking the focus. A path
  // that names no folder changes nothing; an unreachable folder on the way ends the walk there.
  void browseTo(const std::string& path);
  // True until the browse has arrived, failed or been stopped.
  bool browsing() const { return lookup_.has_value() || walk_.has_value(); }
  // The user chose a folder: a browse arriving late must not move the selection.
  void stopBrowsing();
  void onExpanding(TreeItemId item);
  void onContextMenu(TreeItemId item, Point at);

  // The selected folder, or none.
  const ShellFolder* selectedFolder();
  // Its file-system path; empty when none is selected or it is a virtual folder.
  std::string selectedPath();

 private:
  enum class Fill { Unlisted, Listing, Listed };
  struct Node {
    ShellFolder folder;
    Fill fill = Fill::Unlisted;
    ShellRequestId listing = 0;
    std::vector<TreeItemId> children;
  };
  struct Walk {
    std::vector<ShellItemId> chain;  // the folders still to open, the target last
    TreeItemId waitingFor = 0;       // the item whose listing the walk needs
  };

  TreeItemId add(TreeItemId parent, const ShellFolder& folder);
  void list(TreeItemId item);
  void onListed(TreeItemId item, ShellAnswer answer, std::vector<ShellFolder> folders);
  void walkFrom(TreeItemId item);

  TreeView& tree_;
  ShellNamespace& shell_;
  TreeItemId root_ = 0;
  std::map<TreeItemId, Node> nodes_;
  std::optional<ShellRequestId> lookup_;
  std::optional<Walk> walk_;
};

}  // namespace vireloc
