#pragma once
// Reads the visible text out of an RTF document, enough to find the markers of the formula
// template: the characters of the body (see rtf_tokenizer.h), \par and the like as breaks.
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

}  // namespace tavo
