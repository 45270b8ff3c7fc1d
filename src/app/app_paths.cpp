#include "app/app_paths.h"

namespace vireloc {

std::string appDirOf(const std::string& modulePath) {
  std::string dir = modulePath;
  while (!dir.empty() && dir.back() != '\\') dir.pop_back();
  return dir;
}

std::string iniPathOf(const std::string& modulePath) {
  const std::string dir = appDirOf(modulePath);
  std::string name = modulePath.substr(dir.size());
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return dir + name + ".ini";
}

}  // namespace vireloc
