// Files dropped from the shell. The program uses the first path and the count only: reading
// path i makes the system scan the list from its start, so reading every path of a drop of
// tens of thousands of files would hold the message loop for seconds.
#pragma once
#include <cstdint>
#include <string>

namespace vireloc {

// A drop as the system reads it out (DragQueryFile).
class DroppedFileList {
 public:
  virtual ~DroppedFileList() = default;
  virtual std::uint32_t fileCount() = 0;
  // The full path at index, as long as the system says it is.
  virtual std::string filePath(std::uint32_t index) = 0;
};

struct DroppedFiles {
  std::string first;  // empty when count is 0
  std::uint32_t count = 0;
};

DroppedFiles readDroppedFiles(DroppedFileList& drop);

}  // namespace vireloc
