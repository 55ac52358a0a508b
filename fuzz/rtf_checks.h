#pragma once
// What must hold for any bytes read as RTF: a text whose font list matches it character for
// character, font names of a sane length, and a formula template that answers every question.
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/utf8.h"
#include "output/formula_template.h"
#include "output/rtf_reader.h"

namespace tavo::fuzz {

inline void CheckRtfReading(std::string_view rtf) {
  const RtfText text = ReadRtfText(rtf);
  if (text.font.size() != text.text.size()) std::abort();
  // Nothing in the reader can make more characters than there are bytes.
  if (text.text.size() > rtf.size()) std::abort();
  // A font name byte is a code-page character: at most three bytes of UTF-8 each.
  for (const auto& [number, name] : text.fonts)
    if (name.size() > 3 * rtf.size()) std::abort();
  for (size_t i = 0; i < text.text.size(); ++i) (void)text.FontName(i);
  const std::string utf8 = text.Utf8();
  if (DecodeUtf8(utf8).size() != text.text.size()) std::abort();

  const auto tmpl = FormulaTemplate::FromRtf(rtf);
  if (tmpl.OkSymbol().text.empty() || tmpl.NotOkSymbol().text.empty()) std::abort();
  for (std::string_view label : {"Fb =", "Fa", "Lc", "Mmax ="}) {
    const auto block = tmpl.FormulaBlock(label);
    if (block.text.size() > utf8.size()) std::abort();
  }
}

}  // namespace tavo::fuzz
