#pragma once
// Reads the visible text out of an RTF document, enough to find the markers of the formula
// template: groups, control words and symbols, \'hh, \uN with its \ucN fallback skip, \par.
// Destinations that are not body text (font table, colours, styles, pictures, {\*...}) are
// left out; the font table is kept so a character can name the font it is shown in.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

struct RtfText {
  std::u32string text;           // \par, \line and \row become '\n', \tab and \cell '\t'
  std::vector<int> font;         // for each character of text, the \fN in force (-1: none)
  std::map<int, std::string> fonts;  // font table: number -> name

  std::string Utf8() const;
  std::string FontName(size_t index) const;  // of the character at index; empty when unknown
};

RtfText ReadRtfText(std::string_view rtf);

// UTF-8 helpers shared by the RTF and HTML writers.
std::u32string DecodeUtf8(std::string_view s);
void AppendUtf8(std::string& out, char32_t c);
std::string EncodeUtf8(std::u32string_view s);

}  // namespace tavo
