// The limit-state code's lines in a member's report: method and material, the plate elements'
// classes, every limit state with its equation, and the notes the check made.
#include <cmath>
#include <iterator>

#include "core/language.h"
#include "core/module_context.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "output/output_texts.h"
#include "output/section_report.h"

namespace tavo {

namespace {

// A name from one of the output's tables in the report's language; not in the table: as it is.
template <size_t N>
std::string NameIn(const texts::NamePair (&table)[N], std::string_view english, char language) {
  if (!IsPersian(language)) return std::string(english);
  for (const texts::NamePair& pair : table)
    if (ToLower(pair.english) == ToLower(english)) return pair.persian;
  return std::string(english);
}

// "flange 2" in Persian is «بال دوم»: the word from the table, its number as an ordinal (a
// Latin digit beside the ratio would run into it right to left).
std::string PlateElementName(const std::string& element, char language) {
  const auto blank = element.find_last_of(' ');
  const bool numbered = blank != std::string::npos && blank + 1 < element.size() &&
                        element.find_first_not_of("0123456789", blank + 1) == std::string::npos;
  if (!numbered) return NameIn(texts::kPlateElementNames, element, language);
  const std::string word = NameIn(texts::kPlateElementNames, element.substr(0, blank), language);
  const std::string number = element.substr(blank + 1);
  const size_t n = number.size() == 1 ? static_cast<size_t>(number[0] - '0') : 0;
  if (IsPersian(language) && n >= 1 && n <= std::size(texts::kPersianOrdinals))
    return word + " " + texts::kPersianOrdinals[n - 1];
  return word + " " + number;
}

// Lines that belong to the one above.
const std::string kIndent = "    ";

std::string Number(double v, int decimals) { return ShortestText(RoundTo(v, decimals)); }

// A force or moment in the display units, scaled as the other report lines are (kg to ton,
// kg·cm to ton·m when large), to four significant digits with its unit.
struct ShownUnit {
  UnitLabelResult unit;
  std::string Text(double kgOrKgCm) const {
    return ShortestText(RoundToSignificant(unit.FromBase(kgOrKgCm), 4)) + " " + unit.label;
  }
};
ShownUnit UnitFor(aisc::Strength strength, double reference, const UnitSystem& display) {
  const bool moment = strength == aisc::Strength::M3 || strength == aisc::Strength::M2;
  return {UnitLabel(moment ? "M" : "F", reference, display)};
}

std::string ClassText(aisc::ElementClass c, char language) {
  return NameIn(texts::kElementClassNames, aisc::ElementClassName(c), language);
}

void ClassificationLines(Report& report, const aisc::Result& a, char language) {
  if (a.classification.empty()) return;
  const std::string separator = PickLanguage(texts::kClassSeparator, language);
  report.WriteText(texts::kRatiosHeading, 0, 0, "B");
  for (const aisc::ElementClassification& e : a.classification) {
    std::string compression = "-", flexure = "-";
    if (e.compression != aisc::ElementClass::NotApplicable)
      compression = "λr = " + Number(e.lambdaR, 2) + separator + ClassText(e.compression, language);
    if (e.flexure != aisc::ElementClass::NotApplicable)
      flexure = "λp = " + Number(e.lambdaP, 2) + ", λr = " + Number(e.lambdaRf, 2) + separator +
                ClassText(e.flexure, language);
    // Two lines an element: a report line does not wrap, and the pane is narrow.
    report.WriteText(Fill(PickLanguage(texts::kRatioLine, language), {{"element", PlateElementName(e.element, language)},
                                                                      {"ratio", Number(e.ratio, 2)},
                                                                      {"compression", compression}}));
    report.WriteText(kIndent + Fill(PickLanguage(texts::kRatioFlexureLine, language), {{"flexure", flexure}}));
  }
}

// The ratio of a line in the verdict's colours.
int RatioColour(double ratio) { return ratio <= 1.0 ? kOkColour : kNotOkColour; }

void GoverningMark(Report& report) {
  ReportRun mark;
  mark.text = PickLanguage(texts::kGoverningMark, report.context().language);
  mark.bold = true;
  mark.colour = 1;
  mark.size = report.fontSize;
  report.AppendBesideLine(std::move(mark));
}

void LimitStateLines(Report& report, const aisc::Result& a, char language) {
  if (a.limitStates.empty()) return;
  const bool lrfd = a.method == aisc::Method::LRFD;
  report.WriteText(texts::kLimitStatesHeading, 0, 0, "B");
  int caption = -1;
  for (const aisc::LimitState& s : a.limitStates) {
    const int group = static_cast<int>(s.strength);
    if (group != caption) {
      caption = group;
      report.WriteText(texts::kStrengthCaptions[group], 1, 0, "B");
    }
    const std::string name = NameIn(texts::kLimitStateNames, s.name, language);
    const std::string ratio = s.ratio ? Number(*s.ratio, 3) : std::string("-");
    if (s.strength == aisc::Strength::Combined) {
      // An interaction has no strength of its own: its ratio is the line.
      report.WriteText(Fill(PickLanguage(texts::kInteractionLine, language), {{"clause", s.clause},
                                                                               {"equation", s.equation},
                                                                               {"name", name},
                                                                               {"ratio", ratio},
                                                                               {"combination", s.combination}}),
                       s.ratio ? RatioColour(*s.ratio) : 0);
      if (s.governing) GoverningMark(report);
      continue;
    }
    // The limit state on a line, its strengths and its demand each on one below.
    report.WriteText(s.clause + " (" + s.equation + ") " + name);
    if (s.governing) GoverningMark(report);
    const ShownUnit unit = UnitFor(s.strength, s.nominal, report.context().displayUnits);
    const std::string factor = (lrfd ? "φ = " : "Ω = ") + Number(s.factor, 2);
    report.WriteText(kIndent + Fill(PickLanguage(texts::kStrengthLine, language),
                                    {{"nominal", unit.Text(s.nominal)},
                                     {"factor", factor},
                                     {"availableName", lrfd ? "φRn" : "Rn/Ω"},
                                     {"available", unit.Text(s.available)}}));
    if (s.demand && s.ratio)
      report.WriteText(kIndent + Fill(PickLanguage(texts::kDemandLine, language), {{"demand", unit.Text(*s.demand)},
                                                                                  {"ratio", ratio},
                                                                                  {"combination", s.combination}}),
                       RatioColour(*s.ratio));
  }
}

void NoteLines(Report& report, const aisc::Result& a, char language) {
  if (a.notes.empty()) return;
  report.WriteText(texts::kLimitStateNotes, 0, 0, "B");
  for (const Diagnostic& d : a.notes)
    for (const std::string& line : WrappedLines("- " + DiagnosticLine(d, language), 64))
      report.WriteText(line, d.severity == Severity::Error ? kNotOkColour : 0);
}

}  // namespace

void WriteLimitStatePart(Report& report, const CheckedMember& m) {
  if (!m.aisc) return;
  const aisc::Result& a = *m.aisc;
  const ModuleContext& ctx = report.context();
  const char language = ctx.language;
  report.WriteRule(40);
  report.WriteText(Fill(texts::kLimitStateHeading, {{"method", a.method == aisc::Method::LRFD ? "LRFD" : "ASD"}}), 1, 0,
                   "B");
  const UnitLabelResult stress = UnitLabel("S", 0, ctx.displayUnits);
  const UnitLabelResult length = UnitLabel("L", 0, ctx.displayUnits);
  const auto stressText = [&](double v) { return ShortestText(RoundToSignificant(stress.FromBase(v), 5)) + " " + stress.label; };
  const auto lengthText = [&](double v) { return ShortestText(RoundToSignificant(length.FromBase(v), 5)) + " " + length.label; };
  const double L = m.member.Lx > 0 ? m.member.Lx : 0.0;
  const double Lb = m.member.Lb > 0 ? m.member.Lb : L;
  report.WriteText("Fy = " + stressText(m.member.fy) + "   Fu = " + stressText(m.member.fu));
  report.WriteText("L = " + lengthText(L) + "   Lb = " + lengthText(Lb) + "   Cb = " + Number(m.member.Cb, 3));
  ClassificationLines(report, a, language);
  LimitStateLines(report, a, language);
  if (a.governingRatio) {
    report.WriteText(Fill(texts::kGoverningRatio, {{"ratio", Number(*a.governingRatio, 3)},
                                                   {"equation", a.governingEquation},
                                                   {"combination", a.governingCombination}}),
                     RatioColour(*a.governingRatio), 0, "B");
  } else if (a.covered) {
    report.WriteText(texts::kNoForces);
  }
  NoteLines(report, a, language);
}

}  // namespace tavo
