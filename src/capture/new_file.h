#pragma once
#include <functional>
#include <string>

#include "platform/files.h"

namespace vireloc {

// Writes a file that must not exist yet so that it appears whole or not at all: the bytes go
// to a temporary file in the same folder, which takes the name only once it is complete and
// closed. A failure removes the temporary file; a file already under the name is never
// replaced. Every failure throws AppError in the user's words.
void writeNewFile(Files& files, const std::string& path,
                  const std::function<void(FileWriter&)>& write);

}  // namespace vireloc
