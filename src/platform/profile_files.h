// Profile (ini) files, with the Windows profile functions' meaning.
#pragma once
#include <string>

namespace vireloc {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // GetPrivateProfileString with a 2048-byte buffer: the value (at most 2047 bytes), or
  // defaultValue when the file, section or key is missing.
  virtual std::string readProfileString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue,
                                        const std::string& path) = 0;
  // WritePrivateProfileString: creates file, section and key as needed and replaces an
  // existing key in place; false when the write is refused. A file in the system code page
  // is first rewritten once as UTF-16 LE (byte order mark, CR LF, every line kept) when the
  // section, key or value has a character the code page lacks; a failed rewrite leaves it
  // as it was and refuses the write.
  virtual bool writeProfileString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) = 0;
  // WritePrivateProfileString(NULL, NULL, NULL, path).
  virtual void flushProfile(const std::string& path) = 0;
};

}  // namespace vireloc
