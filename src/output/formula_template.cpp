#include "output/formula_template.h"

#include "core/text_util.h"
#include "core/utf8.h"

namespace tavo {

namespace {
const TemplateSymbol kDefaultOk{"\u2714", {}};
const TemplateSymbol kDefaultNotOk{"\u2718", {}};
}  // namespace

FormulaTemplate FormulaTemplate::FromRtf(std::string_view rtf) {
  FormulaTemplate t;
  t.text_ = ReadRtfText(rtf);
  return t;
}

bool FormulaTemplate::HasMarker(std::string_view marker) const {
  return text_.text.find(DecodeUtf8(marker)) != std::u32string::npos;
}

TemplateSymbol FormulaTemplate::SymbolAfter(std::u32string_view marker, const TemplateSymbol& fallback) const {
  const auto p = text_.text.find(marker);
  const size_t at = p + marker.size();
  if (p == std::u32string::npos || at >= text_.text.size()) return fallback;
  const char32_t c = text_.text[at];
  if (c == '\n' || c == '\t' || c == ' ') return fallback;
  TemplateSymbol s;
  AppendUtf8(s.text, c);
  s.font = text_.FontName(at);
  return s;
}

TemplateSymbol FormulaTemplate::OkSymbol() const { return SymbolAfter(U"<###Ok", kDefaultOk); }
TemplateSymbol FormulaTemplate::NotOkSymbol() const { return SymbolAfter(U"<###Not", kDefaultNotOk); }

std::string FormulaLabel(std::string_view label) {
  std::string l = Trim(label);
  if (!l.empty() && l.back() == '=') l.pop_back();
  return Trim(l);
}

FormulaTemplate::Block FormulaTemplate::FormulaBlock(std::string_view label) const {
  const std::u32string name = DecodeUtf8(FormulaLabel(label));
  const std::u32string endMarker = U" " + name + U"###>";
  const std::u32string startMarker = U"<###" + name + U" ";
  Block b;
  const auto end = text_.text.find(endMarker);
  if (end == std::u32string::npos) {
    b.status = BlockStatus::MissingEnd;
    return b;
  }
  const auto start = text_.text.find(startMarker);
  if (start == std::u32string::npos || start + startMarker.size() > end) {
    b.status = BlockStatus::MissingStart;
    return b;
  }
  b.status = BlockStatus::Found;
  b.text = EncodeUtf8(std::u32string_view(text_.text).substr(start + startMarker.size(), end - start - startMarker.size()));
  return b;
}

}  // namespace tavo
