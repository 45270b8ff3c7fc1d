#include "platform/win32/win32_shell_items.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/text_conversion.h"

namespace vireloc {

namespace {

constexpr std::size_t kTerminator = sizeof(USHORT);

// Zip files are folders to the shell, but no place to save a capture.
constexpr SFGAOF kWanted = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_STREAM;

const ITEMIDLIST* next(const ITEMIDLIST* item) {
  return reinterpret_cast<const ITEMIDLIST*>(reinterpret_cast<const BYTE*>(item) + item->mkid.cb);
}

std::string displayName(IShellFolder& folder, const ITEMIDLIST* child) {
  STRRET name{};
  wchar_t text[MAX_PATH] = L"";
  if (FAILED(folder.GetDisplayNameOf(child, SHGDN_INFOLDER, &name)) ||
      FAILED(StrRetToBufW(&name, child, text, MAX_PATH)))
    return {};
  return toUtf8(text);
}

int smallIconOf(const ITEMIDLIST* absolute) {
  SHFILEINFOW info{};
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof info,
                 SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  return info.iIcon;
}

std::vector<IdList> enumerateFolders(IShellFolder& folder) {
  std::vector<IdList> children;
  ComPtr<IEnumIDList> items;
  // Without SHCONTF_INCLUDEHIDDEN: hidden folders stay out. S_FALSE: nothing to list.
  if (folder.EnumObjects(nullptr, SHCONTF_FOLDERS, items.put()) != S_OK || !items) return children;
  ITEMIDLIST* child = nullptr;
  while (items->Next(1, &child, nullptr) == S_OK) children.emplace_back(child);
  std::sort(children.begin(), children.end(), [&](const IdList& a, const IdList& b) {
    return static_cast<short>(HRESULT_CODE(folder.CompareIDs(0, a.get(), b.get()))) < 0;
  });
  return children;
}

ComPtr<IShellFolder> bindFolder(const ShellItemId& id, const ITEMIDLIST* list) {
  ComPtr<IShellFolder> desktop = desktopFolder();
  if (!desktop || id.empty()) return desktop;
  ComPtr<IShellFolder> folder;
  desktop->BindToObject(list, nullptr, IID_IShellFolder, folder.putVoid());
  return folder;
}

}  // namespace

ShellItemId idOf(const ITEMIDLIST* absolute) {
  const UINT size = ILGetSize(absolute);
  if (size < kTerminator) return {};
  return ShellItemId(reinterpret_cast<const char*>(absolute), size - kTerminator);
}

IdList idListOf(const ShellItemId& id) {
  auto* list = static_cast<ITEMIDLIST*>(CoTaskMemAlloc(id.size() + kTerminator));
  if (!list) return {};
  std::memcpy(list, id.data(), id.size());
  std::memset(reinterpret_cast<BYTE*>(list) + id.size(), 0, kTerminator);
  return IdList(list);
}

ComPtr<IShellFolder> desktopFolder() {
  ComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(desktop.put());
  return desktop;
}

std::optional<std::vector<ShellFolder>> listSubfoldersNow(const ShellItemId& parent) {
  const IdList parentList = idListOf(parent);
  ComPtr<IShellFolder> folder = bindFolder(parent, parentList.get());
  if (!parentList || !folder) return std::nullopt;
  std::vector<ShellFolder> folders;
  for (const IdList& child : enumerateFolders(*folder)) {
    const ITEMIDLIST* item = child.get();
    SFGAOF attributes = kWanted;
    if (FAILED(folder->GetAttributesOf(1, const_cast<LPCITEMIDLIST*>(&item), &attributes)) ||
        !(attributes & SFGAO_FOLDER) || (attributes & SFGAO_STREAM))
      continue;
    const IdList absolute(ILCombine(parentList.get(), item));
    if (!absolute) continue;
    folders.push_back({idOf(absolute.get()), displayName(*folder, item), smallIconOf(absolute.get()),
                       (attributes & SFGAO_HASSUBFOLDER) != 0});
  }
  return folders;
}

std::vector<ShellItemId> lookUpFolderNow(const std::string& path) {
  std::wstring wide = toWide(path);
  if (wide.size() > 3 && wide.back() == L'\\') wide.pop_back();  // "C:\" stays
  ComPtr<IShellFolder> desktop = desktopFolder();
  IdList list;
  SFGAOF attributes = SFGAO_FOLDER;
  if (wide.empty() || !desktop ||
      FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, list.put(), &attributes)) ||
      !(attributes & SFGAO_FOLDER))
    return {};
  std::vector<ShellItemId> chain;
  const ShellItemId whole = idOf(list.get());
  for (const ITEMIDLIST* item = list.get(); item->mkid.cb != 0; item = next(item)) {
    const auto end = reinterpret_cast<const char*>(next(item)) - reinterpret_cast<const char*>(list.get());
    chain.push_back(whole.substr(0, static_cast<std::size_t>(end)));
  }
  return chain;
}

ShellFolder describeDesktop() {
  const IdList desktop = idListOf({});
  SHFILEINFOW info{};
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop.get()), 0, &info, sizeof info,
                 SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  return {{}, toUtf8(info.szDisplayName), info.iIcon, true};
}

ImageListHandle systemSmallIcons() {
  const IdList desktop = idListOf({});
  SHFILEINFOW info{};
  return static_cast<ImageListHandle>(
      SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop.get()), 0, &info, sizeof info,
                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

std::string fileSystemPathOf(const ShellItemId& item) {
  const IdList list = idListOf(item);
  wchar_t path[MAX_PATH] = L"";
  if (!list || !SHGetPathFromIDListW(list.get(), path)) return {};
  return toUtf8(path);
}

bool isSameItem(const ShellItemId& a, const ShellItemId& b) {
  if (a == b) return true;
  const IdList listA = idListOf(a), listB = idListOf(b);
  ComPtr<IShellFolder> desktop = desktopFolder();
  if (!listA || !listB || !desktop) return false;
  const HRESULT order = desktop->CompareIDs(0, listA.get(), listB.get());
  return SUCCEEDED(order) && HRESULT_CODE(order) == 0;
}

}  // namespace vireloc
