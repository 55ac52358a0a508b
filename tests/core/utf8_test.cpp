#include "core/utf8.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

TEST(Utf8, EveryCodePointRoundTrips) {
  std::string s;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    s.clear();
    AppendUtf8(s, c);
    if (IsSurrogate(c)) {
      ASSERT_EQ(s, "\xEF\xBF\xBD") << std::hex << static_cast<unsigned>(c);  // not a character: U+FFFD
      continue;
    }
    const size_t length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    ASSERT_EQ(s.size(), length) << std::hex << static_cast<unsigned>(c);
    const Utf8Char back = DecodeUtf8Char(s, 0);
    ASSERT_EQ(back.code, c);
    ASSERT_EQ(back.length, length);
  }
  for (const char32_t beyond : {char32_t{0x110000}, char32_t{0x7FFFFFFF}}) {
    s.clear();
    AppendUtf8(s, beyond);
    EXPECT_EQ(s, "\xEF\xBF\xBD");
  }
}

// Whatever the decoder takes is the shortest form of what it gives, so with the round trip
// above it takes exactly the valid sequences: overlong forms, surrogates and values past
// U+10FFFF are refused. Every two-byte string, every three-byte one after a three-byte lead,
// and four-byte ones after the four-byte leads with continuation bytes at their limits.
TEST(Utf8, TakesOnlyTheShortestFormOfACharacter) {
  const auto check = [](const std::string& s) {
    const Utf8Char d = DecodeUtf8Char(s, 0);
    if (d.length == 0) return;
    ASSERT_EQ(EncodeUtf8(std::u32string(1, d.code)), s.substr(0, d.length)) << "accepted a non-shortest form";
    ASSERT_TRUE(d.length == 1 || d.length == s.size()) << "a sequence cut short";
  };
  std::string s(2, '\0');
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      s = {static_cast<char>(a), static_cast<char>(b)};
      check(s);
      for (int c = 0; a >= 0xE0 && a < 0xF0 && c < 256; ++c) check(s + static_cast<char>(c));
      for (const int c : {0x00, 0x7F, 0x80, 0x8F, 0x90, 0xBF, 0xC0, 0xFF})
        for (const int d : {0x00, 0x7F, 0x80, 0xBF, 0xC0})
          if (a >= 0xF0) check(s + static_cast<char>(c) + static_cast<char>(d));
    }
}

TEST(Utf8, TextsWithInvalidBytes) {
  struct Case {
    std::string bytes;
    std::u32string decoded;  // an invalid byte reads as U+FFFD, one each
    size_t characters;       // counted by lead bytes
  };
  const std::u32string bad = U"\uFFFD";
  const Case cases[] = {
      {"cm\xC2\xB2", U"cm\u00B2", 3},
      {"\xE2\x82\xACx\xF0\x9F\x98\x80", U"\u20ACx\U0001F600", 3},
      {"a\x80" "b", U"a" + bad + U"b", 2},
      {"\xC0\xAF", bad + bad, 1},                      // overlong "/"
      {"\xE0\x80\xAF", bad + bad + bad, 1},            // overlong again
      {"\xED\xA0\x80", bad + bad + bad, 1},            // a surrogate
      {"\xF4\x90\x80\x80", bad + bad + bad + bad, 1},  // past U+10FFFF
      {"\xE2\x82", bad + bad, 1},                      // cut off
      {"\xE2\x82" "a", bad + bad + U"a", 2},
      {"\xFF\xFE", bad + bad, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeUtf8(c.bytes), c.decoded) << c.bytes;
    EXPECT_EQ(Utf8Length(c.bytes), c.characters) << c.bytes;
    EXPECT_EQ(IsValidUtf8(c.bytes), c.decoded.find(U'\uFFFD') == std::u32string::npos) << c.bytes;
  }
  EXPECT_TRUE(IsValidUtf8(""));
}

}  // namespace
}  // namespace tavo
