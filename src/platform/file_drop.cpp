#include "platform/file_drop.h"

namespace vireloc {

DroppedFiles readDroppedFiles(DroppedFileList& drop) {
  DroppedFiles files;
  files.count = drop.fileCount();
  if (files.count > 0) files.first = drop.filePath(0);
  return files;
}

}  // namespace vireloc
