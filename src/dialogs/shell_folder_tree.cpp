#include "dialogs/shell_folder_tree.h"

#include <utility>

namespace vireloc {

ShellFolderTree::ShellFolderTree(TreeView& tree, ShellNamespace& shell)
    : tree_(tree), shell_(shell) {}

ShellFolderTree::~ShellFolderTree() {
  for (const auto& [item, node] : nodes_)
    if (node.fill == Fill::Listing) shell_.cancel(node.listing);
  if (lookup_) shell_.cancel(*lookup_);
}

ControlSpec ShellFolderTree::design(const std::string& name, Rect bounds, ImageListHandle icons) {
  ControlSpec tree = controlAt(name, ControlKind::TreeView, bounds);
  tree.tabStop = true;
  tree.sunkenBorder = true;
  tree.imageList = icons;
  return tree;
}

TreeItemId ShellFolderTree::add(TreeItemId parent, const ShellFolder& folder) {
  const TreeItemId item =
      tree_.addItem(parent, {folder.name, folder.icon, folder.hasSubfolders});
  nodes_[item].folder = folder;
  return item;
}

void ShellFolderTree::showDesktop() {
  root_ = add(0, shell_.desktop());
  list(root_);
}

void ShellFolderTree::list(TreeItemId item) {
  Node& node = nodes_.at(item);
  if (node.fill != Fill::Unlisted) return;
  node.fill = Fill::Listing;
  node.listing = shell_.listSubfolders(
      node.folder.id, [this, item](ShellAnswer answer, std::vector<ShellFolder> folders) {
        onListed(item, answer, std::move(folders));
      });
}

// A folder opens when its contents are known. One that did not answer stays closed and is
// asked again the next time it is opened.
void ShellFolderTree::onListed(TreeItemId item, ShellAnswer answer,
                               std::vector<ShellFolder> folders) {
  Node& node = nodes_.at(item);
  node.listing = 0;
  if (answer != ShellAnswer::Done) {
    node.fill = Fill::Unlisted;  // std::map: node stays valid while children are added
    if (walk_ && walk_->waitingFor == item) walk_.reset();
    return;
  }
  node.fill = Fill::Listed;
  for (const ShellFolder& folder : folders) node.children.push_back(add(item, folder));
  if (folders.empty())
    tree_.setHasChildren(item, false);
  else
    tree_.expand(item);
  if (walk_ && walk_->waitingFor == item) walkFrom(item);
}

void ShellFolderTree::onExpanding(TreeItemId item) {
  if (nodes_.count(item)) list(item);
}

void ShellFolderTree::browseTo(const std::string& path) {
  if (lookup_) shell_.cancel(*lookup_);
  walk_.reset();
  lookup_ = shell_.lookUpFolder(path, [this](ShellAnswer answer, std::vector<ShellItemId> chain) {
    lookup_.reset();
    if (answer != ShellAnswer::Done || chain.empty() || !root_) return;
    walk_ = Walk{std::move(chain), 0};
    walkFrom(root_);
  });
}

void ShellFolderTree::stopBrowsing() {
  if (lookup_) shell_.cancel(*lookup_);
  lookup_.reset();
  walk_.reset();
}

// One step down the walk from item, whose child is the walk's next folder.
void ShellFolderTree::walkFrom(TreeItemId item) {
  const Node& node = nodes_.at(item);
  if (node.fill != Fill::Listed) {
    walk_->waitingFor = item;
    list(item);
    return;
  }
  if (!node.children.empty()) tree_.expand(item);
  const ShellItemId wanted = walk_->chain.front();
  for (TreeItemId child : node.children) {
    if (!shell_.sameItem(nodes_.at(child).folder.id, wanted)) continue;
    walk_->chain.erase(walk_->chain.begin());
    if (walk_->chain.empty()) {
      walk_.reset();
      tree_.select(child);
    } else {
      walkFrom(child);
    }
    return;
  }
  walk_.reset();  // the folder is not (or no longer) among those listed
}

void ShellFolderTree::onContextMenu(TreeItemId item, Point at) {
  if (auto found = nodes_.find(item); found != nodes_.end())
    shell_.showContextMenu(found->second.folder.id, tree_.window(), at);
}

const ShellFolder* ShellFolderTree::selectedFolder() {
  auto found = nodes_.find(tree_.selected());
  return found == nodes_.end() ? nullptr : &found->second.folder;
}

std::string ShellFolderTree::selectedPath() {
  const ShellFolder* folder = selectedFolder();
  return folder ? shell_.fileSystemPath(folder->id) : std::string();
}

}  // namespace vireloc
