# The host build as 32-bit x86 (g++ -m32), so the core's arithmetic is tested where size_t
# and pointers have 32 bits, as in the i686 program. Libraries come from Debian's i386
# packages (multiarch); the tests run under qemu-i386 user emulation, since this kernel runs
# no 32-bit code itself. GoogleTest for it is built by scripts/build-gtest32 (its prefix in
# CMAKE_PREFIX_PATH).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386 -L /)
# pkg-config (FindCURL, FindOpenSSL) and the default search would offer the 64-bit libraries.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu /usr/include/x86_64-linux-gnu)
