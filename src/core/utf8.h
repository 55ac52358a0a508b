#pragma once
// UTF-8 one code point at a time, and the few whole-text helpers built on it. Strict: an
// overlong form, a surrogate or a value past U+10FFFF is not a character, so every caller
// sees the same bytes as invalid; what to show for them is the caller's choice.
#include <cstddef>
#include <string>
#include <string_view>

namespace tavo {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point starting at byte i and its length in bytes; length 0 when the bytes there
// are no valid UTF-8 (then i is a stray byte, or i is at the end).
struct Utf8Char {
  char32_t code = 0;
  std::size_t length = 0;
};
Utf8Char DecodeUtf8Char(std::string_view s, std::size_t i);

// Appends the UTF-8 bytes of c; a surrogate or a value past U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// The code points of s, each invalid byte read as U+FFFD.
std::u32string DecodeUtf8(std::string_view s);
std::string EncodeUtf8(std::u32string_view s);

bool IsValidUtf8(std::string_view s);

// Characters of s, counted by their lead bytes (a stray continuation byte counts as none).
std::size_t Utf8Length(std::string_view s);

// At most maxBytes of s, cut before a character rather than inside one.
std::string Utf8Prefix(std::string_view s, std::size_t maxBytes);

}  // namespace tavo
