#include "output/section_report.h"

#include <cmath>
#include <ctime>

#include "core/language.h"
#include "core/module_context.h"
#include "core/text_util.h"
#include "checks/check_member.h"
#include "core/units.h"
#include "sections/section_family.h"
#include "core/utf8.h"
#include "output/output_texts.h"
#include "core/text_helpers.h"

namespace tavo {

MemberLengths LengthsOf(const CheckedMember& m) {
  MemberLengths l;
  l.Lx = m.section.cs.Lx > 0 ? m.section.cs.Lx : m.member.Lx;
  l.Ly = m.section.cs.Ly > 0 ? m.section.cs.Ly : l.Lx;
  return l;
}

bool IsSingleAngle(const Section& section) {
  return section.family != nullptr && section.family->angleSizes && section.cs.Count == 1;
}

std::string MakerLine() { return "Tavolin, the steel-section module of the Ardekon structural design suite"; }
std::string CopyrightLine() { return "Copyright (C) the Tavolin developers. All rights reserved."; }

std::vector<std::string> PrintHeaderLines(const ModuleContext& ctx, std::string_view date, std::string_view time) {
  return {"Ardekon version " + ctx.suiteVersion + " outpu file",
          MakerLine(),
          CopyrightLine(),
          "Filename: " + (ctx.inputBase.empty() ? std::string() : ctx.InputFile()),
          "Title: " + ctx.title,
          "Date: " + std::string(date) + "   Time: " + std::string(time)};
}

namespace {
std::string FormatNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, format, &local);
  return buf;
}

std::string KindWord(MemberKind kind) {
  switch (kind) {
    case MemberKind::Column: return texts::kColumn;
    case MemberKind::Beam: return texts::kBeam;
    default: return texts::kBracing;
  }
}

std::string IdText(int16_t id) { return ShortestText(id); }

void AxisName(Report& report, const char* name) {
  ReportRun r;
  r.text = std::string("   ") + name;
  r.size = report.fontSize;
  r.italic = true;
  r.role = RunRole::AxisName;
  report.AppendBesideLine(std::move(r));
}

// The four axis lines I, S, r, Z and the ratio Z/S of one axis.
void AxisLines(Report& report, const Section& section, const char* axis, const char* greek, double I, double S,
               double r, double Z) {
  const bool single = IsSingleAngle(section);
  const std::string a = single ? "  " : axis;
  const bool greekBeside = single && !report.suppressValueLines;
  report.WriteValueLine("I" + a + "  =", I, "cm4, 2");
  if (greekBeside) AxisName(report, greek);
  report.WriteValueLine("S" + a + "  =", S, "cm3, 2");
  if (greekBeside) AxisName(report, greek);
  report.WriteValueLine("r" + a + "  =", r, "cm, 2");
  if (greekBeside) AxisName(report, greek);
  report.WriteValueLine("Z" + a + "  =", Z, "cm3, 2");
  if (greekBeside) AxisName(report, greek);
  if (S != 0 && std::isfinite(Z / S))
    report.WriteValueLine("Z/S" + a + "  =", Z / S, ", 2");
  else
    report.WriteValueLine("Z/S" + a + "  =", "-", "");
}

void CompactnessLine(Report& report, const std::string& cls) {
  std::string word;
  int colour = 12;
  if (cls == "C") {
    word = texts::kCompact;
    colour = 15;
  } else if (cls == "N") {
    word = texts::kNonCompact;
  } else if (cls == "S") {
    word = texts::kSlender;
  } else {
    return;
  }
  const bool persian = IsPersian(report.context());
  ReportRun lead;
  lead.text = persian ? "   " : "   This Section is ";
  lead.size = report.fontSize;
  report.Append(lead);
  ReportRun cw;
  cw.text = PickLanguage(word, report.context().language);
  cw.colour = colour;
  cw.size = report.fontSize;
  cw.lineBreak = !persian;
  report.Append(cw);
  if (persian) {
    ReportRun tail;
    tail.text = " است";
    tail.size = report.fontSize;
    tail.lineBreak = true;
    report.Append(tail);
  }
}

// Every diagnostic of the element, errors in red and warnings in dark yellow.
void WriteDiagnostics(Report& report, const Diagnostics& diagnostics) {
  if (diagnostics.empty()) return;
  report.WriteText("");
  for (const Diagnostic& d : diagnostics) {
    // Report lines do not wrap on screen or paper: long texts are broken at blanks here.
    for (const std::string& line : WrappedLines(LabelledLine(d, report.context().language), 64))
      report.WriteText(line, d.severity == Severity::Error ? kNotOkColour : kWarningColour);
  }
  report.WriteText("");
}
}  // namespace

std::vector<std::string> WrappedLines(const std::string& text, size_t width) {
  std::vector<std::string> lines;
  std::string line, word;
  size_t lineChars = 0;
  auto flushWord = [&] {
    if (word.empty()) return;
    const size_t wordChars = Utf8Length(word);
    if (lineChars > 0 && lineChars + 1 + wordChars > width) {
      lines.push_back(line);
      line = "    ";
      lineChars = 4;
    } else if (lineChars > 0 && line != "    ") {
      line += ' ';
      ++lineChars;
    }
    line += word;
    lineChars += wordChars;
    word.clear();
  };
  for (const char c : text) {
    if (c == ' ') {
      flushWord();
      continue;
    }
    word += c;
  }
  flushWord();
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string DateText() { return FormatNow("%Y-%m-%d"); }
std::string TimeText() { return FormatNow("%H:%M:%S"); }

bool WriteSectionReport(Report& report, const CheckedMember& m, const SectionReportOptions& options) {
  const CurrentSection& cs = m.section.cs;
  const SectionProperties& p = m.section.props;
  const CheckResults& res = m.results;
  const MemberKind kind = m.member.kind;

  report.Clear();
  const std::string kindWord = KindWord(kind);
  const std::string id = IdText(m.member.id);
  report.WriteHeading(1, Fill(texts::kMemberHeading,
                              {{"kind", EnglishHalf(kindWord)}, {"kindFa", PersianHalf(kindWord)}, {"id", id}}));
  report.WriteText("");
  report.WriteText(TrimRight(cs.FullText.empty() ? cs.designation : cs.FullText), 0, 0, "B");
  WriteDiagnostics(report, m.diagnostics);
  if (m.Status() == ElementStatus::Error) {
    // Numbers of a section that is not what the user wrote would read as results: none.
    report.WriteText(texts::kNotCheckedFixInput, kNotOkColour, 0, "B");
    report.WriteNotOkSymbol();
    report.status = "<void>";
    for (const auto& line : options.extraLines) report.WriteText(line, 12);
    return false;
  }

  report.WriteValueLine("A =", p.A, "cm2, 2");
  report.WriteValueLine("A1 =", p.A1, "cm2, 2");
  report.WriteValueLine("A2 =", p.A2, "cm2, 2");
  report.WriteValueLine("J =", p.J, "cm4, 2");
  if (p.rt > 0) report.WriteValueLine("rt =", p.rt, "cm, 2");
  report.WriteRule(40);
  AxisLines(report, m.section, "x", "ζζ", p.I1, p.S1, p.r1, p.Z1);
  if (p.I1net > 0) {
    // A castellated section through an opening, beside the web-post values above.
    report.WriteValueLine("A(net)  =", p.Anet, "cm2, 2");
    report.WriteValueLine("Ix(net)  =", p.I1net, "cm4, 2");
    report.WriteValueLine("Sx(net)  =", p.S1net, "cm3, 2");
  }
  report.WriteRule(40);
  AxisLines(report, m.section, "y", "ηη", p.I2, p.S2, p.r2, p.Z2);
  report.WriteRule(40);

  if (kind != MemberKind::Bracing && res.Lc > 0) report.WriteValueLine("Lc =", res.Lc, "cm, 1");
  if (kind == MemberKind::Beam) {
    if (res.Fb) {
      const std::string mmax = res.Mmax ? ShortestText(*res.Mmax) : std::string("-");
      report.WriteValueLine("Fb =", RoundTo(*res.Fb, 1), "kg/cm² => Mmax =" + mmax + "ton.m");
    } else {
      report.WriteValueLine("Fb =", texts::kFbNotComputed, "");
    }
  } else {
    if (kind == MemberKind::Bracing) report.WriteValueLine("Tmax =", res.Tmax, "ton, 1");
    const MemberLengths len = LengthsOf(m);
    if (len.Lx > 0 || len.Ly > 0) {
      if (res.lambda && res.Fa && std::isfinite(*res.Fa))
        report.WriteValueLine("Fa =", std::floor(*res.Fa), "kg/cm² => Pmax =" + ShortestText(res.Pmax) + "ton");
      else
        report.WriteValueLine("Fa =", texts::kFaNotComputable, "");
    }
  }

  if ((m.section.family == nullptr || m.section.family->classified) && !res.cls.empty()) {
    report.WriteRule(40);
    CompactnessLine(report, res.cls);
  }

  if (HasCoverPlateWeld(m.section) && res.weld) {
    report.WriteRule(40);
    if (res.weld->awMin < res.weld->awMax) {
      report.WriteText("aw(min) = " + ShortestText(RoundTo(res.weld->awMin * 10, 2)) + " mm");
    } else {
      report.WriteText(texts::kPlateNotOk, 12);
      report.WriteNotOkSymbol();
    }
  }

  const bool weldFailed = res.weld && !res.weld->ok();
  if (!res.ok && !weldFailed && !res.notOkReason.empty()) {
    report.WriteRule(40);
    report.WriteText(res.notOkReason, 12);
    report.WriteNotOkSymbol();
  }

  WriteLimitStatePart(report, m);

  const bool ok = !report.sawNotOk;
  report.status = "<void>";
  for (const auto& line : options.extraLines) report.WriteText(line, 12);
  report.WriteVerdict("");
  return ok;
}

}  // namespace tavo
