// Message digests of files, computed by the system's cryptography.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace vireloc {

using Md5Digest = std::array<std::uint8_t, 16>;

class FileDigests {
 public:
  virtual ~FileDigests() = default;
  // MD5 (RFC 1321) of the whole file: opened for sequential reading with read and write
  // sharing, mapped read-only and fed to the digest in one call, the length taken from the
  // low 32 bits of the size. A file that cannot be opened, mapped or viewed (an empty one
  // included) gives the digest of empty input.
  virtual Md5Digest fileMd5(const std::string& path) = 0;
};

}  // namespace vireloc
