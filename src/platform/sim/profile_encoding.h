// How the simulated desktop stores a profile file's text: in the system code page (held as
// UTF-8, each character the code page lacks stored as "?") or, after a byte order mark,
// as UTF-16 LE, which keeps every character.
#pragma once
#include <string>
#include <string_view>

namespace vireloc::sim {

// The simulated system is Japanese (code page 932), kept simple: ASCII, the Japanese
// punctuation, kana and kanji blocks and the full- and half-width forms fit; Hangul, emoji
// and the rest do not.
bool fitsCodePage(std::string_view utf8);

// The file's bytes start with the UTF-16 LE byte order mark.
bool isUtf16Profile(std::string_view bytes);
// The file's text as UTF-8, from either form.
std::string decodeProfile(std::string_view bytes);
// UTF-8 text as the file's bytes: UTF-16 LE with its byte order mark, or the code page's
// form with "?" for each character it lacks.
std::string encodeProfile(std::string_view utf8, bool utf16);

}  // namespace vireloc::sim
