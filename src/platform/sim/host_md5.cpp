#include "platform/sim/host_md5.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace vireloc::sim {

Md5Digest md5Of(const void* data, std::size_t size) {
  Md5Digest digest{};
  unsigned int length = 0;
  if (!EVP_Digest(data, size, digest.data(), &length, EVP_md5(), nullptr) ||
      length != digest.size()) {
    throw std::runtime_error("OpenSSL refused MD5");
  }
  return digest;
}

Md5Digest mappedFileMd5(const std::string& path) {
  const int file = open(path.c_str(), O_RDONLY);
  if (file < 0) return md5Of("", 0);
  struct stat status {};
  // As on Windows, only the low 32 bits of the size count.
  const std::size_t size =
      fstat(file, &status) == 0 ? static_cast<std::uint32_t>(status.st_size) : 0;
  void* view = size ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file, 0) : MAP_FAILED;
  close(file);
  if (view == MAP_FAILED) return md5Of("", 0);
  madvise(view, size, MADV_SEQUENTIAL);
  const Md5Digest digest = md5Of(view, size);
  munmap(view, size);
  return digest;
}

}  // namespace vireloc::sim
