#pragma once
#include <memory>
#include <string>

#include "platform/files.h"

namespace vireloc {

// Creates or replaces path for writing (CreateFile, CREATE_ALWAYS). The writer buffers
// nothing: each write goes to WriteFile at once. Failures throw AppError naming the full path
// and the system's reason.
std::unique_ptr<FileWriter> openFileWriter(const std::string& path);

}  // namespace vireloc
