// RTF reading: any bytes give a text whose font list matches it character for character,
// font names of a sane length, and a formula template that answers every question asked.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/utf8.h"
#include "output/formula_template.h"
#include "output/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view rtf(reinterpret_cast<const char*>(data), size);
  const tavo::RtfText text = tavo::ReadRtfText(rtf);
  if (text.font.size() != text.text.size()) std::abort();
  // Nothing in the reader can make more characters than there are bytes.
  if (text.text.size() > size) std::abort();
  // A font name byte is a code-page character: at most three bytes of UTF-8 each.
  for (const auto& [number, name] : text.fonts)
    if (name.size() > 3 * size) std::abort();
  for (size_t i = 0; i < text.text.size(); ++i) (void)text.FontName(i);
  const std::string utf8 = text.Utf8();
  if (tavo::DecodeUtf8(utf8).size() != text.text.size()) std::abort();

  const auto tmpl = tavo::FormulaTemplate::FromRtf(rtf);
  if (tmpl.OkSymbol().text.empty() || tmpl.NotOkSymbol().text.empty()) std::abort();
  for (std::string_view label : {"Fb =", "Fa", "Lc", "Mmax ="}) {
    const auto block = tmpl.FormulaBlock(label);
    if (block.text.size() > utf8.size()) std::abort();
  }
  return 0;
}
