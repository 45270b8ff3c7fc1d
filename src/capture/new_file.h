#pragma once
#include <functional>
#include <string>

#include "common/app_error.h"
#include "platform/files.h"

namespace vireloc {

// Writes a file that must not exist yet so that it appears whole or not at all: the bytes go
// to a temporary file in the same folder, which takes the name only once it is complete and
// closed. A failure removes the temporary file; a file already under the name is never
// replaced. The system's failures to create, write, close or move the file (SystemError)
// become AppError in the user's words, naming the path, as does a name already taken
// (FileNameTaken);
// whatever else `write` throws, such as an encoder's AppError, passes as it stands.
// The name was taken: nothing was written.
class FileNameTaken : public AppError {
 public:
  using AppError::AppError;
};

void writeNewFile(Files& files, const std::string& path,
                  const std::function<void(FileWriter&)>& write);

}  // namespace vireloc
