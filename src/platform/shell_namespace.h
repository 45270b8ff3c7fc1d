// The shell's namespace of folders: the desktop at its root, file-system folders and virtual
// ones (a computer, a network) side by side. Listing a folder can take as long as a network
// does, so listings and path look-ups run elsewhere and answer later on the main thread.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace vireloc {

// Names one item of the namespace from the desktop down; a plain value, valid for as long as
// the item exists. The desktop's own id is empty.
using ShellItemId = std::string;
using ShellRequestId = std::uint64_t;
using ImageListHandle = std::uintptr_t;

struct ShellFolder {
  ShellItemId id;
  std::string name;  // as the shell shows it
  int icon = 0;      // index into the system's small icon list
  bool hasSubfolders = false;
};

enum class ShellAnswer { Done, TimedOut, Failed };

class ShellNamespace {
 public:
  using ListingDone = std::function<void(ShellAnswer, std::vector<ShellFolder>)>;
  using LookupDone = std::function<void(ShellAnswer, std::vector<ShellItemId>)>;

  virtual ~ShellNamespace() = default;
  virtual ShellFolder desktop() = 0;
  // The system's image list of small icons; shared, never destroyed by its users.
  virtual ImageListHandle smallIcons() = 0;
  // The visible subfolders of parent in the shell's order. `done` runs exactly once, on the
  // main thread from the message loop and never inside this call, unless cancelled: TimedOut
  // when the folder has not answered within the service's time limit.
  virtual ShellRequestId listSubfolders(const ShellItemId& parent, ListingDone done) = 0;
  // The items from a child of the desktop down to the folder at path; Done with none when
  // path names no folder. Answers as listSubfolders does.
  virtual ShellRequestId lookUpFolder(const std::string& path, LookupDone done) = 0;
  // Its `done` will not run.
  virtual void cancel(ShellRequestId request) = 0;
  // Empty for a virtual folder.
  virtual std::string fileSystemPath(const ShellItemId& item) = 0;
  // Two ids of one item (a parsed path and a listed folder may differ in their bytes).
  virtual bool sameItem(const ShellItemId& a, const ShellItemId& b) = 0;
  // The shell's own context menu of the item at a screen point; runs the chosen command.
  virtual void showContextMenu(const ShellItemId& item, WindowHandle owner, Point at) = 0;
};

}  // namespace vireloc
