// The limit-state code's lines in a member's report: method and material, the plate elements'
// classes, every limit state with its equation, and the notes the check made.
#include <cmath>
#include <algorithm>
#include <cctype>
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

// A name of the check in the report's language: in Persian each phrase of the table (the
// longest that starts at a word) in its Persian words, the rest as written.
std::string NameIn(std::string_view english, char language) {
  if (!IsPersian(language)) return std::string(english);
  const std::string lower = ToLower(english);
  const auto isLetter = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  std::string out;
  for (size_t i = 0; i < english.size();) {
    size_t best = 0;
    const char* persian = nullptr;
    if (i == 0 || !isLetter(english[i - 1])) {
      for (const texts::NamePair& pair : texts::kLimitStatePhrases) {
        const std::string phrase = ToLower(pair.english);
        const size_t end = i + phrase.size();
        if (phrase.size() > best && lower.compare(i, phrase.size(), phrase) == 0 &&
            (end == english.size() || !isLetter(english[end]))) {
          best = phrase.size();
          persian = pair.persian;
        }
      }
    }
    if (persian) {
      out += persian;
      i += best;
    } else {
      out += english[i++];
    }
  }
  return out;
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
// Torsion is a moment too.
bool IsMoment(aisc::Strength s) {
  return s == aisc::Strength::M3 || s == aisc::Strength::M3Negative || s == aisc::Strength::M2 ||
         s == aisc::Strength::T;
}

// One unit for every force and one for every moment of the member, scaled to the largest.
ShownUnit UnitFor(const aisc::Result& a, bool moment, const UnitSystem& display) {
  double reference = 0;
  for (const aisc::LimitState& s : a.limitStates)
    if (s.strength != aisc::Strength::Combined && IsMoment(s.strength) == moment)
      reference = std::max(reference, std::fabs(s.nominal));
  return {UnitLabel(moment ? "M" : "F", reference, display)};
}

std::string ClassText(aisc::ElementClass c, char language) { return NameIn(aisc::ElementClassName(c), language); }

void ClassificationLines(Report& report, const aisc::Result& a, char language) {
  if (a.classification.empty()) return;
  const std::string separator = PickLanguage(texts::kClassSeparator, language);
  report.WriteText(texts::kRatiosHeading, 0, 0, "B");
  for (const aisc::ElementClassification& e : a.classification) {
    // An element on a line, and each action it has a row for on one below: a report line does
    // not wrap, and the pane is narrow.
    report.WriteText(Fill(texts::kRatioLine, {{"element", NameIn(e.element, language)}, {"ratio", Number(e.ratio, 2)}}));
    if (e.compression != aisc::ElementClass::NotApplicable)
      report.WriteText(kIndent + Fill(PickLanguage(texts::kRatioCompressionLine, language),
                                      {{"compression", "λr = " + Number(e.lambdaR, 2) + separator +
                                                           ClassText(e.compression, language)}}));
    if (e.flexure != aisc::ElementClass::NotApplicable)
      report.WriteText(kIndent + Fill(PickLanguage(texts::kRatioFlexureLine, language),
                                      {{"flexure", "λp = " + Number(e.lambdaP, 2) + ", λr = " + Number(e.lambdaRf, 2) +
                                                       separator + ClassText(e.flexure, language)}}));
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
  const ShownUnit forceUnit = UnitFor(a, false, report.context().displayUnits);
  const ShownUnit momentUnit = UnitFor(a, true, report.context().displayUnits);
  report.WriteText(texts::kLimitStatesHeading, 0, 0, "B");
  int caption = -1;
  for (const aisc::LimitState& s : a.limitStates) {
    const int group = static_cast<int>(s.strength);
    if (group != caption && group >= 0 && group < static_cast<int>(std::size(texts::kStrengthCaptions))) {
      caption = group;
      report.WriteText(texts::kStrengthCaptions[group], 1, 0, "B");
    }
    const std::string name = NameIn(s.name, language);
    const std::string ratio = s.ratio ? Number(*s.ratio, 3) : std::string("-");
    // The limit state on a line, its strengths and its demand each on one below.
    report.WriteText(s.clause + " (" + s.equation + ") " + name);
    if (s.governing) GoverningMark(report);
    if (s.strength == aisc::Strength::Combined) {
      // An interaction has no strength of its own: its ratio is the line.
      if (s.ratio)
        report.WriteText(kIndent + Fill(PickLanguage(texts::kInteractionLine, language),
                                        {{"ratio", ratio}, {"combination", s.combination}}),
                         RatioColour(*s.ratio));
      continue;
    }
    const ShownUnit& unit = IsMoment(s.strength) ? momentUnit : forceUnit;
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
