# libcurl for the update check's HTTP client, as the imported target vireloc::curl. The host
# build takes Debian's -dev package; Windows builds link the static archive that
# scripts/build-deps puts into VIRELOC_DEPS_PREFIX, so vireloc.exe ships alone.

add_library(vireloc::curl INTERFACE IMPORTED)
if(WIN32)
  set(_vireloc_curl_archive "${VIRELOC_DEPS_PREFIX}/lib/libcurl.a")
  if(NOT EXISTS "${_vireloc_curl_archive}")
    message(FATAL_ERROR
      "${_vireloc_curl_archive} is missing: run scripts/build-deps <arch> again (a prefix "
      "built before libcurl was added to it lacks it).")
  endif()
  target_include_directories(vireloc::curl INTERFACE "${VIRELOC_DEPS_PREFIX}/include")
  target_compile_definitions(vireloc::curl INTERFACE CURL_STATICLIB)
  # Sockets and bcrypt (whose start under Wine brings up GnuTLS) load at the first transfer.
  vireloc_delay_import(_vireloc_curl_delayed ws2_32 bcrypt)
  target_link_libraries(vireloc::curl INTERFACE "${_vireloc_curl_archive}"
    ${_vireloc_curl_delayed} ws2_32 crypt32 wldap32 bcrypt)
else()
  find_package(CURL REQUIRED)
  target_link_libraries(vireloc::curl INTERFACE CURL::libcurl)
endif()
