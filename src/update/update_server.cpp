#include "update/update_server.h"

namespace vireloc {

namespace {

// The Host header names the port only when it is not the one HTTP implies.
std::string hostHeaderValue(const std::string& host) {
  const auto colon = host.rfind(':');
  if (colon != std::string::npos && host.substr(colon + 1) == "80") return host.substr(0, colon);
  return host;
}

}  // namespace

std::string updateHost(ProfileFiles& profiles, const std::string& iniPath) {
  const std::string host = profiles.readProfileString("Update", "Host", "", iniPath);
  return host.empty() ? kDefaultUpdateHost : host;
}

HttpRequest updateRequest(const std::string& host, const std::string& path) {
  return HttpRequest{host,
                     path,
                     {"Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*",
                      "User-Agent: Mozilla/4.0 (compatible; ICS)",
                      "Host: " + hostHeaderValue(host)}};
}

}  // namespace vireloc
