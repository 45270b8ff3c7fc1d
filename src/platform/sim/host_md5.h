// MD5 on the host build, from OpenSSL.
#pragma once
#include <cstddef>
#include <string>

#include "platform/file_digest.h"

namespace vireloc::sim {

Md5Digest md5Of(const void* data, std::size_t size);

// The host's own fileMd5 of a real file: mapped read-only with sequential access and fed
// to MD5 in one call; the digest of empty input when it cannot be opened or mapped.
Md5Digest mappedFileMd5(const std::string& path);

}  // namespace vireloc::sim
