// Shell items by id: an id is the bytes of the item's absolute id list without its terminator,
// so it can cross threads as a plain value. The slow calls here run on any thread with COM.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/shell_namespace.h"
#include "platform/win32/win32_com.h"

namespace vireloc {

ShellItemId idOf(const ITEMIDLIST* absolute);
IdList idListOf(const ShellItemId& id);
ComPtr<IShellFolder> desktopFolder();

// The visible subfolders in the shell's order; none when the folder cannot be read.
std::optional<std::vector<ShellFolder>> listSubfoldersNow(const ShellItemId& parent);
// The ids from a child of the desktop down to the folder at path; empty when it names none.
std::vector<ShellItemId> lookUpFolderNow(const std::string& path);

ShellFolder describeDesktop();
ImageListHandle systemSmallIcons();
std::string fileSystemPathOf(const ShellItemId& item);
bool isSameItem(const ShellItemId& a, const ShellItemId& b);

}  // namespace vireloc
