// fileMd5 on the system's cryptography (CNG) over a read-only mapping of the whole file.
#include <windows.h>
#include <bcrypt.h>

#include "common/app_error.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_services.h"

namespace vireloc {

namespace {

struct AlgorithmCloser {
  bool operator()(BCRYPT_ALG_HANDLE algorithm) const {
    return BCRYPT_SUCCESS(BCryptCloseAlgorithmProvider(algorithm, 0));
  }
};
struct HashCloser {
  bool operator()(BCRYPT_HASH_HANDLE hash) const { return BCRYPT_SUCCESS(BCryptDestroyHash(hash)); }
};
using AlgorithmHandle = ScopedHandle<BCRYPT_ALG_HANDLE, AlgorithmCloser>;
using HashHandle = ScopedHandle<BCRYPT_HASH_HANDLE, HashCloser>;

void check(NTSTATUS status) {
  if (!BCRYPT_SUCCESS(status)) throw SystemError(static_cast<std::uint32_t>(status), "MD5 を計算できません");
}

// One MD5 computation: begun on construction, fed, finished once.
class Md5Computation {
 public:
  Md5Computation() {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    check(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0));
    algorithm_.reset(algorithm);
    BCRYPT_HASH_HANDLE hash = nullptr;
    check(BCryptCreateHash(algorithm_.get(), &hash, nullptr, 0, nullptr, 0, 0));
    hash_.reset(hash);
  }
  void feed(const void* data, DWORD size) {
    check(BCryptHashData(hash_.get(), static_cast<PUCHAR>(const_cast<void*>(data)), size, 0));
  }
  Md5Digest finish() {
    Md5Digest digest{};
    check(BCryptFinishHash(hash_.get(), digest.data(), static_cast<ULONG>(digest.size()), 0));
    return digest;
  }

 private:
  AlgorithmHandle algorithm_;
  HashHandle hash_;
};

}  // namespace

Md5Digest Win32FileDigests::fileMd5(const std::string& path) {
  Md5Computation md5;
  // Each step only when the one before succeeded; the owners release in reverse order.
  KernelHandle file;
  HANDLE opened = CreateFileW(toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (opened != INVALID_HANDLE_VALUE) file.reset(opened);
  KernelHandle mapping;
  if (file) mapping.reset(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  MappedView view;
  if (mapping) view.reset(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (view) md5.feed(view.get(), GetFileSize(file.get(), nullptr));
  view.reset();
  mapping.reset();
  file.reset();
  return md5.finish();
}

}  // namespace vireloc
