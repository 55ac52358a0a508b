#include "output/section_records.h"

#include <cmath>

#include "core/language.h"
#include "core/text_util.h"
#include "output/number_mask.h"
#include "output/section_report.h"

namespace tavo {

namespace {
constexpr const char* kEol = "\r\n";
// "kg/cm", superscript two, blank, double bar and arrow in code page 437.
constexpr const char* kArrow = "kg/cm\xFD \xCD\x10";

double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

// A number as the listing prints it: a blank before a non-negative value and one after.
std::string ListNumber(double v) {
  v = Finite(v);
  return (v >= 0 ? " " : "") + ShortestFixedText(v) + " ";
}
}  // namespace

ResultRowValues ResultRow(const SectionProperties& p, int16_t id, const UnitSystem& display, int decimals) {
  auto d = [&](double v, const char* letter) { return Finite(ToDisplay(Finite(v), letter, decimals, display)); };
  return {static_cast<double>(id), d(p.A, "A"),  d(p.A1, "A"), d(p.A2, "A"), d(p.J, "I"),
          d(p.I1, "I"),            d(p.I2, "I"), d(p.S1, "V"), d(p.S2, "V"), d(p.Z1, "V"),
          d(p.Z2, "V"),            d(p.r1, "L"), d(p.r2, "L")};
}

DisplayFactors DisplayFactorsOf(const UnitSystem& display) {
  // As ToDisplay works them out: the unscaled factor of the letter, 1 when it is unusable.
  auto f = [&](const char* letter) {
    const UnitLabelResult r = UnitLabel(letter, 0, display);
    return r.known && r.ratio.Usable() ? r.ratio : UnitRatio{};
  };
  return {f("A"), f("I"), f("V"), f("L")};
}

ResultRowValues ResultRow(const SectionProperties& p, int16_t id, const DisplayFactors& k) {
  auto d = [](double v, const UnitRatio& factor) { return Finite(RoundTo(factor.FromBase(Finite(v)), 3)); };
  return {static_cast<double>(id), d(p.A, k.area),    d(p.A1, k.area),    d(p.A2, k.area),    d(p.J, k.inertia),
          d(p.I1, k.inertia),      d(p.I2, k.inertia), d(p.S1, k.modulus), d(p.S2, k.modulus), d(p.Z1, k.modulus),
          d(p.Z2, k.modulus),      d(p.r1, k.length),  d(p.r2, k.length)};
}

std::string RecordText(std::string_view elementText) { return TrimRight(elementText); }

namespace {
struct DataUnitValues {
  double A, A1, A2, R1, R2, D1, D2;
  std::vector<CompactScientific> sci;  // J, I1, I2, S1, S2, Z1, Z2
};

DataUnitValues InDataUnits(const SectionProperties& p, const UnitSystem& data) {
  const UnitRatio l = data.lengthFactor > 0 ? LengthRatio(data) : UnitRatio{};
  const UnitRatio l2 = l * l, l3 = l2 * l, l4 = l3 * l;
  DataUnitValues v{};
  v.A = Finite(l2.FromBase(p.A));
  v.A1 = Finite(l2.FromBase(p.A1));
  v.A2 = Finite(l2.FromBase(p.A2));
  v.R1 = Finite(l.FromBase(p.r1));
  v.R2 = Finite(l.FromBase(p.r2));
  // D1 and D2: overall depth first, then overall width.
  v.D1 = Finite(l.FromBase(p.Depth));
  v.D2 = Finite(l.FromBase(p.Width));
  v.sci = CompactScientificTexts({Finite(l4.FromBase(p.J)), Finite(l4.FromBase(p.I1)), Finite(l4.FromBase(p.I2)),
                                  Finite(l3.FromBase(p.S1)), Finite(l3.FromBase(p.S2)), Finite(l3.FromBase(p.Z1)),
                                  Finite(l3.FromBase(p.Z2))});
  v.sci.resize(7);
  return v;
}

MaskValue M(const CompactScientific& c) { return c.mantissa; }
MaskValue E(const CompactScientific& c) { return c.exponent; }
}  // namespace

std::string EtabsRecord(const SectionProperties& p, int16_t id, std::string_view elementText, const UnitSystem& data) {
  const DataUnitValues v = InDataUnits(p, data);
  std::string out;
  out.reserve(160 + elementText.size());
  AppendMask(out, "###    1    USER     $ &", {static_cast<double>(id), RecordText(elementText)});
  out += kEol;
  if (v.A >= 1) {
    AppendMask(out, "###### ", {v.A});
    AppendMask(out, "##### ##### ", {v.A1, v.A2});
  } else {
    AppendMask(out, ".##### ", {v.A});
    AppendMask(out, ".#### .#### ", {v.A1, v.A2});
  }
  AppendMask(out, "##e&", {M(v.sci[0]), E(v.sci[0])});
  AppendMask(out, "####e& ", {M(v.sci[1]), E(v.sci[1]), M(v.sci[2]), E(v.sci[2])});
  AppendMask(out, "####e&", {M(v.sci[3]), E(v.sci[3]), M(v.sci[4]), E(v.sci[4])});
  AppendMask(out, "#e&", {M(v.sci[5]), E(v.sci[5]), M(v.sci[6]), E(v.sci[6])});
  AppendMask(out, v.R1 >= 1 ? "##.# ##.#" : ".### .###", {v.R1, v.R2});
  out += kEol;
  return out;
}

std::string SapRecord(const SectionProperties& p, int16_t id, std::string_view elementText, const UnitSystem& data) {
  const DataUnitValues v = InDataUnits(p, data);
  std::string out = FormatMask("c   &", {RecordText(elementText)}) + kEol;
  const std::vector<MaskValue> areas{static_cast<double>(id), v.A, v.A1, v.A2};
  out += FormatMask(v.A >= 1 ? "### A=###### AS=#####_,#####" : "### A=.##### AS=.####_,.####", areas);
  out += FormatMask(" J=##e&", {M(v.sci[0]), E(v.sci[0])});
  out += FormatMask(" I=####e&_,####e&", {M(v.sci[1]), E(v.sci[1]), M(v.sci[2]), E(v.sci[2])});
  out += FormatMask(" T=&,&", {ShortestFixedText(RoundTo(v.D1, 2)), ShortestFixedText(RoundTo(v.D2, 2))});
  if (id == 1) {
    // 2.1e6 kg/cm² in the data units.
    const UnitRatio l = data.lengthFactor > 0 ? LengthRatio(data) : UnitRatio{};
    const UnitRatio f = data.forceFactor > 0 ? ForceRatio(data) : UnitRatio{};
    out += FormatMask(" E=&", {ShortestText((l * l / f).ToBase(2.1e6))});
  }
  return out + kEol;
}

std::string SectionRecord(std::string_view target, const SectionProperties& p, int16_t id,
                          std::string_view elementText, const UnitSystem& data) {
  return ToUpper(Trim(target)) == "ETABS" ? EtabsRecord(p, id, elementText, data)
                                          : SapRecord(p, id, elementText, data);
}

std::string ListingBlock(const CheckedMember& m, int16_t id, std::string_view elementText, MemberKind kind) {
  std::string out;
  AppendListingBlock(out, m, id, elementText, kind);
  return out;
}

void AppendListingBlock(std::string& out, const CheckedMember& m, int16_t id, std::string_view elementText,
                        MemberKind kind) {
  const CheckResults& res = m.results;
  out += kEol;
  out += "ID =" + ListNumber(id) + kEol;
  out += "   " + RecordText(elementText) + kEol;
  for (const Diagnostic& d : m.diagnostics)
    out += std::string(d.severity == Severity::Error ? "   Error: " : "   Warning: ") + DiagnosticLine(d, 'E') + kEol;
  // An element whose input was not read as written has no numbers to list.
  if (m.Status() == ElementStatus::Error) return;
  if (!res.ok && !res.notOkReason.empty()) out += "   Not OK: " + PickLanguage(res.notOkReason, 'E') + kEol;
  if (res.Lc > 0 && kind != MemberKind::Bracing) out += "   Lc =" + ListNumber(RoundTo(res.Lc, 1)) + "cm" + kEol;
  if (kind == MemberKind::Beam) {
    if (res.Fb)
      out += "   Fb =" + ListNumber(RoundTo(*res.Fb, 1)) + kArrow + " Mmax =" + ListNumber(res.Mmax.value_or(0)) +
             "ton.m" + kEol;
    else
      out += std::string("   Fb = not computed for this section") + kEol;
  } else {
    if (kind == MemberKind::Bracing) out += "   Tmax =" + ListNumber(res.Tmax) + "ton" + kEol;
    const MemberLengths len = LengthsOf(m);
    if (len.Lx > 0 || len.Ly > 0) {
      if (res.lambda && res.Fa)
        out += "   Fa =" + ListNumber(std::floor(Finite(*res.Fa))) + kArrow + " Pmax =" + ListNumber(res.Pmax) + "ton" +
               kEol;
      else
        out += std::string("   Fa = slenderness not computable (a radius of gyration is zero)") + kEol;
    }
  }
  if (m.section.cs.family != "L")
    out += std::string("   This Section is ") + (res.cls == "C" ? "Compact" : "Non Compact") + kEol;
}

}  // namespace tavo
