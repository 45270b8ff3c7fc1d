# Image codecs for the capture file writer: libjpeg and libdeflate (the PNG writer frames its
# own chunks), linked to vireloc_capture. The host build takes Debian's -dev packages; Windows
# builds link the static archives from the prefix that scripts/build-deps prints, so
# vireloc.exe ships alone.

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/deps/static_image_search.cmake)
  vireloc_begin_static_image_search()
endif()

find_package(JPEG REQUIRED)
find_path(LIBDEFLATE_INCLUDE_DIR libdeflate.h)
find_library(LIBDEFLATE_LIBRARY deflate)
if(NOT LIBDEFLATE_INCLUDE_DIR OR NOT LIBDEFLATE_LIBRARY)
  message(FATAL_ERROR "libdeflate is missing: install libdeflate-dev (scripts/setup does).")
endif()

if(WIN32)
  vireloc_end_static_image_search()
endif()

add_library(vireloc::deflate INTERFACE IMPORTED)
target_include_directories(vireloc::deflate INTERFACE "${LIBDEFLATE_INCLUDE_DIR}")
target_link_libraries(vireloc::deflate INTERFACE "${LIBDEFLATE_LIBRARY}")
target_link_libraries(vireloc_capture PUBLIC vireloc::deflate JPEG::JPEG)
message(STATUS "Image libraries: ${LIBDEFLATE_LIBRARY} ${JPEG_LIBRARIES}")
