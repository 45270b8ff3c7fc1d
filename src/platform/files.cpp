#include "platform/files.h"

namespace vireloc {

bool isDirectory(Files& files, const std::string& path) {
  auto attributes = files.fileAttributes(path);
  return attributes && (*attributes & fileattr::Directory) != 0;
}

bool isPlainFile(Files& files, const std::string& path) {
  auto attributes = files.fileAttributes(path);
  return attributes && (*attributes & fileattr::Directory) == 0;
}

}  // namespace vireloc
