#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/files.h"

namespace vireloc {

// Opens path for writing, not shared, with CreateFile's disposition (CREATE_NEW: it must not
// exist yet; CREATE_ALWAYS: emptied when it exists). The writer buffers nothing: each write
// goes to WriteFile at once. Failures throw SystemError.
std::unique_ptr<FileWriter> openFileWriter(const std::string& path, std::uint32_t disposition);

}  // namespace vireloc
