#pragma once
#include <memory>
#include <string>

#include "platform/files.h"

namespace vireloc {

// Creates path, which must not exist yet, for writing (CreateFile, CREATE_NEW). The writer
// buffers nothing: each write goes to WriteFile at once. Failures throw SystemError.
std::unique_ptr<FileWriter> openFileWriter(const std::string& path);

}  // namespace vireloc
