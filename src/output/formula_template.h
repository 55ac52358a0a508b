#pragma once
// The formula template: an RTF document holding the OK and not-OK symbols behind the markers
// "<###Ok" and "<###Not", and named formula blocks "<###label formula label###>".
#include <string>
#include <string_view>

#include "output/rtf_reader.h"

namespace tavo {

struct TemplateSymbol {
  std::string text;  // one character, UTF-8
  std::string font;  // the font the template shows it in; empty when it names none
};

class FormulaTemplate {
 public:
  FormulaTemplate() = default;
  static FormulaTemplate FromRtf(std::string_view rtf);

  // The character right after the marker; the built-in template's symbol when the marker is missing.
  TemplateSymbol OkSymbol() const;
  TemplateSymbol NotOkSymbol() const;
  bool HasMarker(std::string_view marker) const;

  enum class BlockStatus { Found, MissingEnd, MissingStart };
  struct Block {
    BlockStatus status = BlockStatus::MissingEnd;
    std::string text;  // UTF-8, between "<###label " and " label###>"
  };
  // label as written on the value line ("Fb =" looks for the block "Fb").
  Block FormulaBlock(std::string_view label) const;

  const RtfText& text() const { return text_; }

 private:
  TemplateSymbol SymbolAfter(std::u32string_view marker, const TemplateSymbol& fallback) const;
  RtfText text_;
};

// The label of a value line without its trailing "=" and blanks ("Ix  =" gives "Ix").
std::string FormulaLabel(std::string_view label);

}  // namespace tavo
