#include "update/update_server.h"

#include <cctype>
#include <string_view>

#include "common/app_error.h"
#include "update/update_info.h"

namespace vireloc {

namespace {

bool isAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Labels of letters, digits and inner hyphens, 1 to 63 each, joined by dots (IPv4 addresses
// are such names too).
bool isHostName(std::string_view name) {
  if (name.empty() || name.size() > 253) return false;
  for (;;) {
    const auto dot = name.find('.');
    const std::string_view label = name.substr(0, dot);
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
      return false;
    for (char c : label)
      if (!isAsciiAlnum(c) && c != '-') return false;
    if (dot == std::string_view::npos) return true;
    name.remove_prefix(dot + 1);
  }
}

// "[...]" holding hexadecimal digits, colons and dots only.
bool isBracketedIpv6(std::string_view name) {
  if (name.size() < 4 || name.front() != '[' || name.back() != ']') return false;
  for (char c : name.substr(1, name.size() - 2))
    if (!std::isxdigit(static_cast<unsigned char>(c)) && c != ':' && c != '.') return false;
  return true;
}

bool isPort(std::string_view digits) {
  if (digits.empty() || digits.size() > 5) return false;
  long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 65535;
}

// The Host header names the port only when it is not the one HTTP implies.
std::string hostHeaderValue(const std::string& host) {
  const auto colon = host.rfind(':');
  if (colon != std::string::npos && host.substr(colon + 1) == "80") return host.substr(0, colon);
  return host;
}

}  // namespace

bool isPlainHost(const std::string& host) {
  std::string_view name = host;
  const auto portColon = name.rfind(':');
  if (portColon != std::string_view::npos && name.find(']', portColon) == std::string_view::npos) {
    if (!isPort(name.substr(portColon + 1))) return false;
    name = name.substr(0, portColon);
  }
  return isHostName(name) || isBracketedIpv6(name);
}

std::string updateHost(ProfileFiles& profiles, const std::string& iniPath) {
  const std::string host = profiles.readProfileString("Update", "Host", "", iniPath);
  if (host.empty()) return kDefaultUpdateHost;
  if (!isPlainHost(host)) {
    throw AppError("設定ファイルの [Update] Host \"" + shownServerText(host) +
                   "\" はホスト名として使えません (ホスト名かアドレスと、必要なら :ポート番号 だけを書いてください)");
  }
  return host;
}

HttpRequest updateRequest(const std::string& host, const std::string& path) {
  return HttpRequest{host,
                     path,
                     {"Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*",
                      "User-Agent: Mozilla/4.0 (compatible; ICS)",
                      "Host: " + hostHeaderValue(host)}};
}

}  // namespace vireloc
