# Image codecs for the capture file writer: libpng (with zlib) and libjpeg, linked to
# vireloc_capture. The host build takes Debian's -dev packages. Windows builds link them
# statically so vireloc.exe ships alone: libpng and libjpeg from the prefix that
# scripts/build-deps prints, zlib from the MinGW sysroot.

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/deps/static_image_search.cmake)
  vireloc_begin_static_image_search()
endif()

find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)

if(WIN32)
  vireloc_end_static_image_search()
endif()

# PNG::PNG carries ZLIB::ZLIB after itself, which is the order a static link needs.
target_link_libraries(vireloc_capture PUBLIC PNG::PNG JPEG::JPEG)
message(STATUS "Image libraries: ${PNG_LIBRARY} ${JPEG_LIBRARIES} ${ZLIB_LIBRARY}")
