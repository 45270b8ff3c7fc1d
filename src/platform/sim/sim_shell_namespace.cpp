#include <algorithm>

#include "platform/sim/sim_files.h"
#include "platform/sim/sim_shell_namespace.h"

namespace vireloc::sim {

namespace {

ShellItemId parentIdOf(const ShellItemId& id) { return id.substr(0, id.rfind('/')); }

}  // namespace

SimShellNamespace::SimShellNamespace(SimWorld& world) : world_(world) {
  shellItems[""] = {"デスクトップ", "C:\\Users\\user\\Desktop", 1};
}

ShellItemId SimShellNamespace::addShellFolder(const ShellItemId& parent, const std::string& name,
                                              const std::string& path, bool slow) {
  shellItems.at(parent);  // must exist
  const ShellItemId id = parent + "/" + name;
  shellItems[id] = {name, path, 2, slow};
  return id;
}

std::vector<ShellFolder> SimShellNamespace::subfoldersOf(const ShellItemId& parent) const {
  std::vector<ShellFolder> folders;
  for (const auto& [id, item] : shellItems) {
    if (id.empty() || parentIdOf(id) != parent) continue;
    // A named copy of the binding: clang 14 cannot capture structured bindings.
    const ShellItemId& folder = id;
    const bool hasSubfolders = std::any_of(shellItems.begin(), shellItems.end(), [&](const auto& other) {
      return !other.first.empty() && parentIdOf(other.first) == folder;
    });
    folders.push_back({id, item.name, item.icon, hasSubfolders});
  }
  return folders;
}

ShellFolder SimShellNamespace::desktop() {
  const SimShellItem& item = shellItems.at("");
  return {"", item.name, item.icon, !subfoldersOf("").empty()};
}

ShellRequestId SimShellNamespace::answerLater(std::function<void()> answer) {
  const ShellRequestId request = nextShellRequest_++;
  liveShellRequests_.insert(request);
  world_.queue([this, request, answer = std::move(answer)] {
    if (liveShellRequests_.erase(request)) answer();
  });
  return request;
}

ShellRequestId SimShellNamespace::listSubfolders(const ShellItemId& parent, ListingDone done) {
  shellListings.push_back(parent);
  if (shellItems.at(parent).slow) {
    const ShellRequestId request = nextShellRequest_++;
    slowListings_[request] = {parent, std::move(done)};
    return request;
  }
  return answerLater([this, parent, done = std::move(done)] { done(ShellAnswer::Done, subfoldersOf(parent)); });
}

ShellRequestId SimShellNamespace::lookUpFolder(const std::string& path, LookupDone done) {
  std::vector<ShellItemId> chain;
  const std::string wanted = SimFiles::keyOf(path);
  for (const auto& [id, item] : shellItems) {
    if (id.empty() || item.path.empty() || SimFiles::keyOf(item.path) != wanted)
      continue;
    for (std::size_t slash = id.find('/', 1); slash != std::string::npos; slash = id.find('/', slash + 1))
      chain.push_back(id.substr(0, slash));
    chain.push_back(id);
    break;
  }
  return answerLater([chain, done = std::move(done)] { done(ShellAnswer::Done, chain); });
}

void SimShellNamespace::cancel(ShellRequestId request) {
  liveShellRequests_.erase(request);
  slowListings_.erase(request);
}

void SimShellNamespace::answerSlowListings(ShellAnswer answer) {
  auto pending = std::move(slowListings_);
  slowListings_.clear();
  for (auto& [request, listing] : pending)
    listing.done(answer, answer == ShellAnswer::Done ? subfoldersOf(listing.parent) : std::vector<ShellFolder>{});
}

void SimShellNamespace::showContextMenu(const ShellItemId& item, WindowHandle owner, Point at) {
  shownContextMenus.push_back({item, owner, at});
}

}  // namespace vireloc::sim
