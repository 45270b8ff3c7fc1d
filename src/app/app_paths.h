#pragma once
#include <string>

namespace vireloc {

// The executable's folder with its trailing "\".
std::string appDirOf(const std::string& modulePath);
// The settings file: the executable's name with the extension ".ini", in the same folder.
std::string iniPathOf(const std::string& modulePath);

}  // namespace vireloc
