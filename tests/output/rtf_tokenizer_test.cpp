#include "output/rtf_tokenizer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/utf8.h"

namespace tavo {
namespace {

// The tokens in a short notation: groups as braces, words as <word param> (a leading "^"
// when it opens its group), characters as themselves.
std::string Tokens(std::string_view rtf) {
  std::string out;
  RtfTokenizer tokens(rtf);
  for (RtfToken t = tokens.Next(); t.kind != RtfToken::Kind::End; t = tokens.Next()) {
    switch (t.kind) {
      case RtfToken::Kind::GroupOpen: out += '{'; break;
      case RtfToken::Kind::GroupClose: out += '}'; break;
      case RtfToken::Kind::Char: AppendUtf8(out, t.ch); break;
      case RtfToken::Kind::Word:
        out += std::string("<") + (t.groupStart ? "^" : "") + std::string(t.word) +
               (t.hasParam ? " " + std::to_string(t.param) : "") + ">";
        break;
      case RtfToken::Kind::End: break;
    }
  }
  return out;
}

TEST(RtfTokenizer, Tokens) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"{\\rtf1\\b0 a\\par\r\nb}", "{<^rtf 1><b 0>a<par>b}"},
      {"{\\*\\panose 0}{\r\n\\fonttbl}", "{<^*><panose>0}{<^fonttbl>}"},  // line ends are no text
      {"\\f-12x \\cellx99999999999|", "<f -12>x <cellx 2147483647>|"},
      {"\\\\\\{\\}\\~\\_\\-\\|\\\n", "\\{}\u00A0\u2011<|><par>"},
      {"\\emdash\\lquote x\\rdblquote", "\u2014\u2018x\u201D"},
      // \'hh is Windows-1252; a cut-off escape gives nothing.
      {"\\'e9\\'80\\'9f\\'81\\'4", "\u00E9\u20AC\u0178\uFFFD"},
      // \uN with its fallback dropped: \ucN counts, belongs to its group, and counts a
      // control word or a \'hh as one character; a group ends the fallback.
      {"\\u10004?x\\uc2 \\u1587\\'3f\\par a", "\u2714x\u0633a"},
      {"{\\uc3 \\u955 ab}c\\u955 ?d", "{\u03BB}c\u03BBd"},
      {"{\\uc0 \\u955 b}\\u-10179?\\u-8704?", "{\u03BBb}\U0001F600"},
      {"\\u-9216?x\\u-10179?y", "\uFFFDxy"},  // a lone second half, then a first half with no second
      {"\\bin3 {}}z", "z"},
      {"\\", ""},
  };
  for (const auto& [rtf, tokens] : cases) EXPECT_EQ(Tokens(rtf), tokens) << rtf;
}

TEST(RtfTokenizer, Windows1252) {
  // The C1 range holds punctuation and letters; its five undefined bytes are no character.
  EXPECT_EQ(FromCp1252(0x80), U'\u20AC');
  EXPECT_EQ(FromCp1252(0x9F), U'\u0178');
  EXPECT_EQ(FromCp1252(0x41), U'A');
  EXPECT_EQ(FromCp1252(0xE9), U'\u00E9');
  for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(FromCp1252(undefined), U'\uFFFD');
  EXPECT_EQ(Tokens("caf\xE9 \x93q\x94"), "caf\u00E9 \u201Cq\u201D");  // plain bytes read the same way
}

}  // namespace
}  // namespace tavo
