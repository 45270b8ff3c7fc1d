// Times the host's fileMd5 (a read-only mapping fed to OpenSSL's MD5 in one call) on one
// file: prints the best of <runs> in seconds and the digest, for run_md5_bench.sh.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/sim/host_md5.h"
#include "update/update_info.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: file_md5_bench <file> [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  double best = 1e9;
  std::string hex;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const vireloc::Md5Digest digest = vireloc::sim::mappedFileMd5(argv[1]);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
    hex = vireloc::md5Hex(digest);
  }
  std::printf("%.4f %s\n", best, hex.c_str());
  return 0;
}
