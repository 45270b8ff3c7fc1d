# Windows side of image_libraries.cmake: steer find_package to the static archives in
# VIRELOC_DEPS_PREFIX and the MinGW sysroot, and refuse anything else.

macro(vireloc_begin_static_image_search)
  if(NOT VIRELOC_DEPS_PREFIX)
    message(FATAL_ERROR
      "Windows builds need static libjpeg and libdeflate: run scripts/build-deps <arch> and "
      "configure with -DVIRELOC_DEPS_PREFIX=<the path it prints last>.")
  endif()
  if(NOT EXISTS "${VIRELOC_DEPS_PREFIX}/vireloc-deps.stamp")
    message(FATAL_ERROR
      "VIRELOC_DEPS_PREFIX=${VIRELOC_DEPS_PREFIX} is not a finished scripts/build-deps "
      "prefix (it has no vireloc-deps.stamp); run scripts/build-deps again.")
  endif()
  _vireloc_forget_other_prefix()
  # Only archives: an import library (.dll.a) would make the program need a DLL.
  set(_vireloc_saved_suffixes "${CMAKE_FIND_LIBRARY_SUFFIXES}")
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
  # Searched before the sysroot, so a libjpeg installed there cannot win (the
  # toolchain's root paths find libdeflate, which the sysroot lacks, in the prefix).
  set(JPEG_ROOT "${VIRELOC_DEPS_PREFIX}")
endmacro()

macro(vireloc_end_static_image_search)
  set(CMAKE_FIND_LIBRARY_SUFFIXES "${_vireloc_saved_suffixes}")
  _vireloc_require_archive(JPEG_LIBRARY "${VIRELOC_DEPS_PREFIX}/")
  _vireloc_require_archive(LIBDEFLATE_LIBRARY "${VIRELOC_DEPS_PREFIX}/")
endmacro()

# A new prefix (scripts/build-deps made one for new package versions) must not keep
# the libraries found in the old one.
function(_vireloc_forget_other_prefix)
  if(DEFINED _VIRELOC_IMAGE_PREFIX AND NOT _VIRELOC_IMAGE_PREFIX STREQUAL VIRELOC_DEPS_PREFIX)
    foreach(var JPEG_LIBRARY_RELEASE JPEG_LIBRARY_DEBUG JPEG_INCLUDE_DIR
                LIBDEFLATE_LIBRARY LIBDEFLATE_INCLUDE_DIR)
      unset(${var} CACHE)
    endforeach()
  endif()
  set(_VIRELOC_IMAGE_PREFIX "${VIRELOC_DEPS_PREFIX}" CACHE INTERNAL "")
endfunction()

# Fails unless ${var} names static archives (no import libraries), under ${under} if given.
function(_vireloc_require_archive var under)
  foreach(lib IN LISTS ${var})
    if(lib MATCHES "^(optimized|debug|general)$")
      continue()
    endif()
    string(FIND "${lib}" "${under}" at)
    if(lib MATCHES "\\.dll\\.a$" OR NOT lib MATCHES "\\.a$" OR NOT at EQUAL 0)
      if(under)
        set(under " under ${under}")
      endif()
      message(FATAL_ERROR
        "${var} is ${lib}, but vireloc.exe must need no DLL: it has to be a static "
        "archive (.a, not .dll.a)${under}. Clear it from the cache or use a fresh build "
        "directory.")
    endif()
  endforeach()
endfunction()
