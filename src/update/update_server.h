// Where the update check asks, and how its requests look.
#pragma once
#include <string>

#include "platform/http_transfer.h"
#include "platform/profile_files.h"

namespace vireloc {

inline constexpr const char* kDefaultUpdateHost = "vireloc.example.com";
inline constexpr const char* kInfoPath = "/vrl/info.txt";
inline constexpr const char* kArchivePath = "/vrl/vireloc.lzh";

// A host name, an IPv4 address or a bracketed IPv6 address, then optionally ":port": nothing
// that could carry a user name, a path or a query into the request.
bool isPlainHost(const std::string& host);

// [Update] Host of the settings file, or the default host when the key is absent or empty.
// Throws AppError naming the setting for a value that is not a plain host. Only read: the
// program never writes this key.
std::string updateHost(ProfileFiles& profiles, const std::string& iniPath);

// A GET of path on host with the three header lines the update server expects.
HttpRequest updateRequest(const std::string& host, const std::string& path);

}  // namespace vireloc
