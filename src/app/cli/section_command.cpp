// tavo section DESIGNATION: one section's properties, as a table or as JSON.
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/check_json.h"
#include "cli/cli_common.h"
#include "cli/section_json.h"
#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "core/utf8.h"
#include "engine/section_engine.h"

namespace tavo::cli {

namespace {

// A value as the report shows it: two decimals, rounded half to even.
std::string Shown(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", RoundTo(value, 2));
  return buf;
}

// Pads to a width in characters, not bytes ("cm²" is three characters and four bytes).
std::string Padded(const std::string& text, size_t width) {
  const size_t shown = Utf8Length(text);
  return text + std::string(width > shown ? width - shown : 0, ' ');
}

void PrintTable(const Section& s, const UnitSystem& units) {
  const CurrentSection& cs = s.cs;
  const SectionProperties& p = s.props;
  std::printf("Section       %s\n", cs.FullText.c_str());
  std::printf("Designation   %s\n", cs.designation.c_str());
  std::printf("Base text     %s\n", cs.BaseText.c_str());
  std::printf("Family        %s\n", cs.family.c_str());
  std::printf("Count         %d%s\n", cs.Count, cs.Arrangement.empty() ? "" : ("   arrangement " + cs.Arrangement).c_str());
  std::printf("Spacing unit  %s\n\n", units.lengthName.c_str());
  struct Row {
    const char* name;
    double value;
    const char* unit;
    const char* meaning;
    bool defined = true;  // false: the family has no such property, shown as "-"
  };
  // rt and Af are 0 exactly where the family defines none (angles, tubes, crosses, castellated).
  std::vector<Row> rows = {
      {"A", p.A, "cm²", "area"},
      {"A1", p.A1, "cm²", "shear area, strong-axis direction"},
      {"A2", p.A2, "cm²", "shear area, weak-axis direction"},
      {"J", p.J, "cm4", "torsion constant"},
      {"I1", p.I1, "cm4", "moment of inertia, strong axis"},
      {"I2", p.I2, "cm4", "moment of inertia, weak axis"},
      {"S1", p.S1, "cm³", "elastic section modulus, strong axis"},
      {"S2", p.S2, "cm³", "elastic section modulus, weak axis"},
      {"Z1", p.Z1, "cm³", "plastic section modulus, strong axis"},
      {"Z2", p.Z2, "cm³", "plastic section modulus, weak axis"},
      {"r1", p.r1, "cm", "radius of gyration, strong axis"},
      {"r2", p.r2, "cm", "radius of gyration, weak axis"},
      {"rt", p.rt, "cm", "radius of gyration of flange + 1/3 web", p.rt > 0},
      {"Af", p.Af, "cm²", "compression flange area", p.Af > 0},
      {"Depth", p.Depth, "cm", "overall depth"},
      {"Width", p.Width, "cm", "overall width"},
  };
  if (p.I1net > 0) {
    rows.push_back({"Anet", p.Anet, "cm²", "area through an opening"});
    rows.push_back({"I1net", p.I1net, "cm4", "moment of inertia through an opening, strong axis"});
    rows.push_back({"S1net", p.S1net, "cm³", "elastic section modulus through an opening, strong axis"});
  }
  size_t width = 0;
  for (const Row& r : rows) width = std::max(width, Shown(r.value).size());
  for (const Row& r : rows) {
    const std::string v = r.defined ? Shown(r.value) : "-";
    std::printf("  %-6s %*s %s  %s\n", r.name, static_cast<int>(width), v.c_str(), Padded(r.defined ? r.unit : "", 4).c_str(),
                r.defined ? r.meaning : "not defined for this section");
  }
}

void PrintCheck(const CheckedMember& m) {
  const CheckResults& r = m.results;
  const auto opt = [](const std::optional<double>& v, int digits) {
    return v ? ShortestText(RoundTo(*v, digits)) : std::string("not computed");
  };
  std::printf("\n  Check as %s, L = %s cm, Fy = %s kg/cm²\n", KindName(m.member.kind), ShortestText(m.member.Lx).c_str(),
              ShortestText(m.member.fy).c_str());
  if (!r.cls.empty()) std::printf("  %-6s %s\n", "class", r.cls.c_str());
  std::printf("  %-6s %s cm\n", "Lc", ShortestText(RoundTo(r.Lc, 1)).c_str());
  std::printf("  %-6s %s kg/cm²   Mmax %s ton.m\n", "Fb", opt(r.Fb, 1).c_str(), opt(r.Mmax, 2).c_str());
  std::printf("  %-6s %s kg/cm²   Pmax %s ton\n", "Fa", opt(r.Fa, 1).c_str(), ShortestText(r.Pmax).c_str());
  std::printf("  %-6s %s ton\n", "Tmax", ShortestText(r.Tmax).c_str());
  std::printf("  %-6s %s\n", "status", r.ok ? "OK" : "N (not OK)");
  if (!r.ok && !r.notOkReason.empty()) std::printf("  %-6s %s\n", "reason", PickLanguage(r.notOkReason, 'E').c_str());
}

// A strength's unit: forces in kg, moments in kg·cm, the interaction without one.
const char* StrengthUnit(aisc::Strength s) {
  switch (s) {
    case aisc::Strength::M3:
    case aisc::Strength::M2: return "kg.cm";
    case aisc::Strength::Combined: return "";
    default: return "kg";
  }
}

std::string Rounded(double value, int digits) { return ShortestText(RoundTo(value, digits)); }

// The member by the limit-state code: each plate element's class, then every limit state with
// its clause and equation, nominal and available strength, and with forces demand and ratio.
void PrintLimitStates(const CheckedMember& m, char language) {
  const aisc::Result& a = *m.aisc;
  const MemberInput& in = m.member;
  const bool forces = !in.demands.empty() || a.governingRatio.has_value();
  std::printf("\n  Limit-state code, %s: Fu = %s kg/cm², Lb = %s cm, Cb = %s%s\n",
              a.method == aisc::Method::ASD ? "ASD" : "LRFD", ShortestText(in.fu).c_str(),
              ShortestText(in.Lb > 0 ? in.Lb : in.Lx).c_str(), ShortestText(in.Cb).c_str(),
              in.netArea ? (", An = " + ShortestText(*in.netArea) + " cm²").c_str() : "");
  if (!a.classification.empty()) std::printf("  Classification (width-to-thickness)\n");
  // Columns as wide as their longest entry, so long element and limit-state names never run
  // into the numbers beside them.
  size_t elementWidth = 0, nameWidth = 0, clauseWidth = 0, equationWidth = 0;
  for (const aisc::ElementClassification& e : a.classification) elementWidth = std::max(elementWidth, Utf8Length(e.element));
  for (const aisc::LimitState& l : a.limitStates) {
    nameWidth = std::max(nameWidth, Utf8Length(l.name));
    clauseWidth = std::max(clauseWidth, Utf8Length(l.clause));
    equationWidth = std::max(equationWidth, Utf8Length(l.equation) + 2);
  }
  for (const aisc::ElementClassification& e : a.classification) {
    std::string line = "    " + Padded(e.element, elementWidth) + "  " + Padded(Rounded(e.ratio, 2), 7);
    if (e.compression != aisc::ElementClass::NotApplicable)
      line += "  compression: " + std::string(aisc::ElementClassName(e.compression)) + " (case " +
              std::to_string(e.compressionCase) + ", limit " + Rounded(e.lambdaR, 2) + ")";
    if (e.flexure != aisc::ElementClass::NotApplicable)
      line += "  flexure: " + std::string(aisc::ElementClassName(e.flexure)) + " (case " + std::to_string(e.flexureCase) +
              ", lambda_p " + Rounded(e.lambdaP, 2) + ", lambda_r " + Rounded(e.lambdaRf, 2) + ")";
    std::printf("%s\n", line.c_str());
  }
  if (!a.limitStates.empty())
    std::printf("  Limit states (* governs its strength)%s\n", forces ? "; demand and ratio of the worst combination" : "");
  for (const aisc::LimitState& l : a.limitStates) {
    const char* unit = StrengthUnit(l.strength);
    std::string line = std::string("  ") + (l.governing ? "*" : " ") + " " + Padded(aisc::StrengthName(l.strength), 4) +
                       Padded(l.clause, clauseWidth + 1) + Padded("(" + l.equation + ")", equationWidth + 1) +
                       Padded(l.name, nameWidth + 2);
    std::vector<std::string> parts;
    if (l.strength != aisc::Strength::Combined)
      parts.push_back("nominal " + Rounded(l.nominal, 1) + " " + unit + ", available " + Rounded(l.available, 1) + " " +
                      unit + (a.method == aisc::Method::ASD ? " (Omega " : " (phi ") + ShortestText(l.factor) + ")");
    if (l.demand) parts.push_back("demand " + Rounded(*l.demand, 1) + " " + unit);
    if (l.ratio) parts.push_back("ratio " + Rounded(*l.ratio, 3) + (l.combination.empty() ? "" : " [" + l.combination + "]"));
    for (size_t i = 0; i < parts.size(); ++i) line += (i ? ", " : "") + parts[i];
    std::printf("%s\n", line.c_str());
  }
  if (a.governingRatio)
    std::printf("  Governing ratio %s (%s, %s)\n", Rounded(*a.governingRatio, 3).c_str(), a.governingEquation.c_str(),
                a.governingCombination.c_str());
  if (!a.covered) std::printf("  Not covered by the limit-state code for this section.\n");
  for (const Diagnostic& d : a.notes) std::printf("  Note: %s\n", DiagnosticLine(d, language).c_str());
}

// The element's diagnostics ahead of the numbers, so they are read first.
void PrintNotes(const CheckedMember& m, char language) {
  for (const Diagnostic& d : m.diagnostics)
    std::printf("%s %s\n", d.severity == Severity::Error ? "Error:  " : "Warning:", DiagnosticLine(d, language).c_str());
  if (!m.diagnostics.empty()) std::printf("\n");
}

}  // namespace

namespace {

struct SectionArgs {
  std::vector<std::string> words;
  std::string units = "[kg]-[cm]";
  bool json = false;
  std::string kind = "column";
  double length = 0;
  double fy = 0;
  CodeOptions code;
  double lb = 0, cb = 1.0;
  std::optional<double> an;
  // The forces of one load combination: compression and tension (kg), moments (kg·cm), shears (kg).
  std::optional<double> compression, tension, m3, m2, v2, v3, torsion;
};

// The forces given on the command line as the one combination "given"; none: strengths only.
std::vector<Demand> GivenDemands(const SectionArgs& a) {
  Demand d;
  d.combination = "given";
  if (a.compression) d.P = -std::abs(*a.compression);  // compression is negative, as analysis writes it
  if (a.tension) d.P = std::abs(*a.tension);
  d.M3 = a.m3;
  d.M2 = a.m2;
  d.V2 = a.v2;
  d.V3 = a.v3;
  d.T = a.torsion;
  if (!d.P && !d.M3 && !d.M2 && !d.V2 && !d.V3 && !d.T) return {};
  return {d};
}

}  // namespace

void AddSectionCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("section", "Compute one section's properties (kg, cm)");
  const auto a = std::make_shared<SectionArgs>();
  cmd->add_option("DESIGNATION", a->words, "Section designation, e.g. \"2UNP20  (d=12)\" or \"PG 600*8*250*15\"")
      ->required();
  cmd->add_option("--units", a->units, "Units of the spacings in the designation, \"[F]-[L]\"")->capture_default_str();
  cmd->add_flag("--json", a->json, "Print one JSON object");
  cmd->add_option("--kind", a->kind, "Member kind: column, beam or bracing")
      ->check(MemberKindNames())
      ->capture_default_str();
  cmd->add_option("--length", a->length,
                  "Member length in the data length unit, the length unit of --units (default cm); "
                  "without it a beam or column is checked as fully braced")
      ->check(CLI::NonNegativeNumber);
  cmd->add_option("--fy", a->fy,
                  "Yield stress in kg/cm² (default: the settings file, else " + ShortestText(kDefaultFy) + ")")
      ->check(CLI::PositiveNumber);
  AddCodeOptions(*cmd, a->code);
  cmd->add_option("--lb", a->lb, "Unbraced length of the compression flange, cm (default: the member length)")
      ->check(CLI::NonNegativeNumber);
  cmd->add_option("--cb", a->cb, "Lateral-torsional buckling modification factor Cb")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  cmd->add_option("--an", a->an, "Net area An for tensile rupture, cm² (default: the gross area)")->check(CLI::PositiveNumber);
  auto* compression = cmd->add_option("--P", a->compression, "Axial compression, kg")->check(CLI::NonNegativeNumber);
  cmd->add_option("--T", a->tension, "Axial tension, kg")->check(CLI::NonNegativeNumber)->excludes(compression);
  cmd->add_option("--M3", a->m3, "Moment about the strong axis, kg·cm");
  cmd->add_option("--M2", a->m2, "Moment about the weak axis, kg·cm");
  cmd->add_option("--V2", a->v2, "Shear along the web (strong-axis bending), kg");
  cmd->add_option("--V3", a->v3, "Shear along the flanges (weak-axis bending), kg");
  cmd->add_option("--torsion", a->torsion, "Torsional moment, kg·cm");
  cmd->callback([&state, a] {
    state.Prepare(a->json);
    const char language = state.ctx.language;
    SectionEngine& engine = state.Engine();
    engine.UseDataUnits(UnitFactors("UNITS=" + a->units, &state.messages));
    // No input: Fy, Fu and the code are the options, else the settings file (in its own units),
    // else the defaults.
    engine.ResolveConstants(GivenOf(a->fy, a->code));
    ShowConstantsNotes(state.ctx, state.quiet);
    MemberInput member = engine.MemberOfDesignation(MemberKindOfName(a->kind).value_or(MemberKind::Column), a->length);
    member.Lb = a->lb;
    member.Cb = a->cb;
    member.netArea = a->an;
    member.demands = GivenDemands(*a);
    const CheckedMember checked = engine.Check(engine.ComputeQuietly(JoinWords(a->words)), member);
    const Section& section = checked.section;

    const ElementStatus status = checked.Status();
    if (status == ElementStatus::Error) state.exitCode = 3;
    if (state.quiet) ShowErrors(checked.diagnostics, language);  // the table itself is not shown
    if (a->json) {
      nlohmann::json j = SectionJson(section, language);
      j["check"] = CheckJson(checked);
      AddStatusAndNotes(j, checked, language);
      AddAisc360(j, checked, language);
      std::cout << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
      return;
    }
    PrintNotes(checked, language);
    if (status == ElementStatus::Error) {
      std::printf("Section       %s\n\n  status error: not computed as written; correct the designation.\n",
                  section.cs.designation.c_str());
      return;
    }
    PrintTable(section, engine.input().dataUnits);
    PrintCheck(checked);
    if (checked.aisc) PrintLimitStates(checked, language);
  });
}

}  // namespace tavo::cli
