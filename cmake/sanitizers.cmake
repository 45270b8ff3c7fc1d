# VIRELOC_SANITIZE=ON builds every target with AddressSanitizer (leak detection included) and
# UndefinedBehaviorSanitizer; a finding of either ends the process, so a test that trips one
# fails instead of printing a warning nobody reads.
option(VIRELOC_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VIRELOC_SANITIZE)
  set(_vireloc_sanitize_flags
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_vireloc_sanitize_flags})
  add_link_options(${_vireloc_sanitize_flags})
endif()

# VIRELOC_FUZZ=ON (with clang) makes the tree of libFuzzer targets in tests/fuzz: every library
# gets libFuzzer's coverage hooks, and the sanitizers above are switched on too.
option(VIRELOC_FUZZ "Build the libFuzzer targets of tests/fuzz instead of the unit tests" OFF)
if(VIRELOC_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VIRELOC_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
  endif()
  if(NOT VIRELOC_SANITIZE)
    message(FATAL_ERROR "VIRELOC_FUZZ needs VIRELOC_SANITIZE=ON: a fuzzer without them misses most faults")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
