// The host build's own profile (ini) file code: reads and writes the same sections, keys and
// values as the Windows profile functions, replacing a key in place.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vireloc::sim {

class ProfileText {
 public:
  explicit ProfileText(const std::string& text);

  // Section and key names match without regard to ASCII case; the value is trimmed of spaces
  // and of one pair of enclosing quotes.
  std::optional<std::string> value(const std::string& section, const std::string& key) const;
  // Replaces the key's line in place, or adds the key at the end of its section, or the
  // section at the end of the text.
  void set(const std::string& section, const std::string& key, const std::string& value);
  // Lines joined with CR LF.
  std::string text() const;

 private:
  struct Range {
    std::size_t header;  // index of the "[section]" line
    std::size_t end;     // one past the section's last line
  };
  std::optional<Range> findSection(const std::string& section) const;
  std::optional<std::size_t> findKey(const Range& range, const std::string& key) const;

  std::vector<std::string> lines_;
};

}  // namespace vireloc::sim
