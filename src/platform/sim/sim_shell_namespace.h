// The simulated shell namespace: folders the test adds under the desktop, answering listings
// through the message loop, or, for slow folders, when the test says so.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/shell_namespace.h"
#include "platform/sim/sim_world.h"

namespace vireloc::sim {

// A folder of the simulated shell namespace.
struct SimShellItem {
  std::string name;
  std::string path;   // empty: a virtual folder
  int icon = 0;
  bool slow = false;  // its listing answers only when the test says so
};

struct ShownContextMenu {
  ShellItemId item;
  WindowHandle owner;
  Point at;
};

class SimShellNamespace : public ShellNamespace {
 public:
  // Answers come through the world's message loop.
  explicit SimShellNamespace(SimWorld& world);

  ShellFolder desktop() override;
  ImageListHandle smallIcons() override { return kSmallIcons; }
  ShellRequestId listSubfolders(const ShellItemId& parent, ListingDone done) override;
  ShellRequestId lookUpFolder(const std::string& path, LookupDone done) override;
  void cancel(ShellRequestId request) override;
  std::string fileSystemPath(const ShellItemId& item) override { return shellItems.at(item).path; }
  bool sameItem(const ShellItemId& a, const ShellItemId& b) override { return a == b; }
  void showContextMenu(const ShellItemId& item, WindowHandle owner, Point at) override;

  // ==== Test side
  // "" is the desktop, a child's id is its parent's id + "/" + its name.
  std::map<ShellItemId, SimShellItem> shellItems;
  std::vector<ShellItemId> shellListings;  // folders whose listing was asked for, in order
  std::vector<ShownContextMenu> shownContextMenus;
  static constexpr ImageListHandle kSmallIcons = 0x5150;
  ShellItemId addShellFolder(const ShellItemId& parent, const std::string& name,
                             const std::string& path, bool slow = false);
  // Slow folders' listings now answer: with their folders, or as timed out.
  void answerSlowListings(ShellAnswer answer = ShellAnswer::Done);

 private:
  std::vector<ShellFolder> subfoldersOf(const ShellItemId& parent) const;
  ShellRequestId answerLater(std::function<void()> answer);

  SimWorld& world_;
  ShellRequestId nextShellRequest_ = 1;
  std::set<ShellRequestId> liveShellRequests_;
  struct SlowListing {
    ShellItemId parent;
    ListingDone done;
  };
  std::map<ShellRequestId, SlowListing> slowListings_;
};

}  // namespace vireloc::sim
