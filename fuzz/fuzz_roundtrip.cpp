// Designations written back: any bytes go through ComputeSection against the shipped catalogue;
// a section read without an error is written back as its canonical text (the family's rebuild
// rule, as results and reports print it), and that text is read again. The second reading must
// give the same section: family, count, arrangement, catalogue name, every dimension and every
// property to 1e-9 (relative; absolute near zero), no error, the same warnings but for the few
// that only remark on a spelling the canonical text no longer has, and a canonical text that
// writes itself back unchanged but for blanks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "checks/designation_text.h"
#include "core/messages.h"
#include "section_input.h"

namespace {

bool Same(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)}); }

// A violated property names both texts and what differs before it aborts.
void Require(bool holds, const tavo::Section& first, const tavo::Section& second, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "\n\"%s\" -> \"%s\": %s\n%s\n%s\n", first.cs.designation.c_str(),
               second.cs.designation.c_str(), what, first.problem.c_str(), second.problem.c_str());
  std::abort();
}

// Warnings about a spelling the canonical text replaces with the one the reader takes without
// remark: a plate count the assembly does not build (the text writes "+2PL" on an I, "+PL"
// between two angles or channels), a spacing above a metre read as millimetres (the text writes
// centimetres), a spacing below the touching profiles (the text leaves the least spacing
// unwritten). Every other warning concerns what the text still says and must come back.
constexpr std::string_view kRespelled[] = {"is computed as two plates", "is computed as one gusset plate",
                                           "is read as millimetres", "is below the smallest possible"};

bool Respelled(const std::string& kind) {
  return std::any_of(std::begin(kRespelled), std::end(kRespelled),
                     [&](std::string_view w) { return kind.find(w) != std::string::npos; });
}

// A diagnostic's kind: severity and English text with every quoted part masked, since the
// quoted part is the input's own spelling ("IPE30 + PL 200 x 10" against "IPE30+2PL200*10").
std::string KindOf(const tavo::Diagnostic& d) {
  std::string kind = d.severity == tavo::Severity::Error ? "E:" : "W:";
  const std::string english = d.text.substr(0, d.text.find("||"));
  bool quoted = false;
  for (const char c : english) {
    if (c == '"') {
      quoted = !quoted;
      kind += '"';
    } else if (!quoted) {
      kind += c;
    }
  }
  return kind;
}

std::vector<std::string> Kinds(const tavo::Diagnostics& list, bool dropRespelled) {
  std::vector<std::string> kinds;
  for (const auto& d : list) {
    std::string kind = KindOf(d);
    if (!(dropRespelled && Respelled(kind))) kinds.push_back(std::move(kind));
  }
  return kinds;
}

bool Accepted(const tavo::Section& s) {
  return s.recognised && s.usable && s.family != nullptr && !tavo::HasError(s.diagnostics);
}

std::string Rebuilt(const tavo::Section& s, double lengthFactor) {
  tavo::CurrentSection cs = s.cs;
  tavo::RebuildDesignationTexts(cs, s.family, lengthFactor);
  return cs.FullText;
}

// The text with each run of blanks as one blank and none at the ends. The base keeps the blanks
// written after it and the rebuild adds its own between parts, so a text written back twice may
// differ in blanks only; the reader passes over them all alike.
std::string Words(const std::string& text) {
  std::string words;
  for (const char c : text) {
    if (c != ' ' && c != '\t')
      words += c;
    else if (!words.empty() && words.back() != ' ')
      words += ' ';
  }
  if (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavo::NullMessages messages;
  const auto [input, text] = tavo::fuzz::ReadOptionsAndDesignation(data, size, &messages);
  const double lengthFactor = input.dataUnits.lengthFactor;

  const tavo::Section first = tavo::ComputeSection(text, input);
  if (!Accepted(first)) return 0;
  const std::string canonical = Rebuilt(first, lengthFactor);
  const tavo::Section second = tavo::ComputeSection(canonical, input);

  Require(Accepted(second), first, second, "the text written back is not accepted");
  Require(second.family == first.family && second.cs.family == first.cs.family, first, second, "family");
  Require(second.cs.catalogueName == first.cs.catalogueName, first, second, "catalogue name");
  Require(second.cs.Count == first.cs.Count && second.cs.Arrangement == first.cs.Arrangement, first, second,
          "count or arrangement");
  for (const auto& [field, name] : tavo::kPropertyFields)
    Require(Same(first.props.*field, second.props.*field), first, second, name);
  for (const auto& [field, name] : tavo::kDimensionFields)
    Require(Same(first.cs.*field, second.cs.*field), first, second, name);
  Require(Kinds(second.diagnostics, false) == Kinds(first.diagnostics, true), first, second, "warnings");
  Require(Words(Rebuilt(second, lengthFactor)) == Words(canonical), first, second,
          "the text written back writes back otherwise");
  return 0;
}
