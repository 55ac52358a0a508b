// Equal-leg angles and channels: the catalogue record, alone or doubled, with the gusset plate
// between the two profiles entering only the minimum spacing.
#include <cmath>

#include "core/units.h"
#include "sections/section_assembly.h"

namespace tavo {

namespace {

const double kSqrt2 = std::sqrt(2.0);

double Cube(double x) { return x * x * x; }

// The gusset between two angles or channels (one plate); zero when absent or alone.
PlatePair Gusset(const WrittenDesignation& w, const AssemblyOptions& options, SectionNotes& notes) {
  return CoverPlate(w, options, 1, notes);
}

// Two profiles at most: a larger count written before the name is read as two.
int PairCount(const WrittenDesignation& w, const AssemblyOptions& options, SectionNotes& notes) {
  if (options.single) return 1;
  const int n = w.count;
  if (n > 2) {
    const std::string c(w.shape.code);
    notes.Add("At most two " + c + " profiles can be joined; computed as 2" + c,
              "حداکثر دو پروفیل " + c + " را می‌توان به هم بست؛ به صورت 2" + c + " محاسبه شد");
    return 2;
  }
  return n >= 2 ? 2 : 1;
}

}  // namespace

std::string ReadAngle(const WrittenDesignation& w, const ProfileCatalogue& catalogue, const AssemblyOptions& options,
                      Section& section, SectionNotes& notes) {
  const CatalogueRecord* rec = SelectRecord(catalogue, w, notes);
  if (rec == nullptr) return {};
  CurrentSection& cs = section.cs;
  const auto& r = *rec;
  cs.h = CheckedDimension(r[0], "b", true, notes);
  cs.tw = CheckedDimension(r[1], "t", true, notes);
  section.props.A = CheckedDimension(r[2], "A", true, notes);
  cs.e = CheckedDimension(r[3], "e", false, notes);
  section.props.I1 = CheckedDimension(r[4], "I", true, notes);
  cs.Iu = CheckedDimension(r[5], "Imax", true, notes);
  cs.Iv = CheckedDimension(r[6], "Imin", true, notes);
  // The leg and its thickness also stand in the flange fields, so that every reader finds them there.
  cs.b = cs.h;
  cs.tf = cs.tw;
  return AssembleAngle(w, options, cs, section.props, notes);
}

std::string AssembleAngle(const WrittenDesignation& w, const AssemblyOptions& options, CurrentSection& cs,
                          SectionProperties& p, SectionNotes& notes) {
  const double b = cs.h, t = cs.tw, e = cs.e, I = p.I1, Iu = cs.Iu, Iv = cs.Iv;
  const PlatePair gusset = Gusset(w, options, notes);
  const double tpl = gusset.second;
  cs.PlateWidth = gusset.first;
  cs.PlateThickness = tpl;
  cs.WebPlateHeight = cs.WebPlateThickness = cs.DPL = 0;
  const int n = PairCount(w, options, notes);

  double A = p.A;
  p.J = 2 * b * Cube(t) / 3;
  // An angle has no flange-and-web rt and no half-section first moment: 0 marks them absent.
  p.rt = 0;
  cs.Sx = 0;
  p.Af = 0;  // an angle has no compression flange; the Af candidate of the bending check is skipped
  if (n == 1) {
    cs.d = 0;
    p.I1 = p.I2 = I;
    p.S1 = p.S2 = Quotient(I, b - e, "S1", notes);
    p.r1 = p.r2 = Root(Quotient(I, A, "r1", notes), "r1", notes);
    p.Width = b;
    p.Depth = b;  // the complement sets the same
  } else {
    const bool star = cs.Arrangement == "<>";
    const double minimum = star ? kSqrt2 * (b + t - 2 * e) + tpl : 2 * e + tpl;
    const double d = SpacingAtLeast(minimum, w, options, notes);
    cs.d = d;
    if (!star) {
      p.Depth = b;
      p.Width = d + 2 * b - 2 * e;
      p.I2 = 2 * (I + A * d * d / 4);
      p.S2 = Quotient(p.I2, d / 2 + b - e, "S2", notes);
      p.I1 = 2 * I;
      p.S1 = Quotient(p.I1, b - e, "S1", notes);
    } else {
      p.Depth = kSqrt2 * b;
      p.Width = d + 2 * kSqrt2 * e;
      p.I1 = 2 * Iu;
      p.I2 = 2 * (Iv + A * d * d / 4);
      p.S1 = Quotient(p.I1, kSqrt2 * b / 2, "S1", notes);
      // The heels are the fibres farthest from the vertical axis, half the width out.
      p.S2 = Quotient(p.I2, p.Width / 2, "S2", notes);
    }
    A = n * A;
    p.J = n * p.J;
    p.r1 = Root(Quotient(p.I1, A, "r1", notes), "r1", notes);
    p.r2 = Root(Quotient(p.I2, A, "r2", notes), "r2", notes);
  }
  p.A = A;
  cs.rmin = Root(Quotient(Iv, A, "rmin", notes), "rmin", notes);
  // The thickness part names the record's own thickness (not b/10, which some legs do not have).
  const std::string name = "L" + MmText(b) + "*" + MmText(t);
  return n > 1 ? "2" + name + " " + cs.Arrangement : name;
}

std::string ReadChannel(const WrittenDesignation& w, const ProfileCatalogue& catalogue, const AssemblyOptions& options,
                        Section& section, SectionNotes& notes) {
  const CatalogueRecord* rec = SelectRecord(catalogue, w, notes);
  if (rec == nullptr) return {};
  CurrentSection& cs = section.cs;
  const auto& r = *rec;
  cs.h = CheckedDimension(r[0], "h", true, notes);
  cs.b = CheckedDimension(r[1], "b", true, notes);
  cs.tw = CheckedDimension(r[2], "tw", true, notes);
  cs.tf = CheckedDimension(r[3], "tf", true, notes);
  section.props.A = CheckedDimension(r[4], "A", true, notes);
  section.props.I1 = CheckedDimension(r[5], "Ix", true, notes);
  section.props.I2 = CheckedDimension(r[6], "Iy", true, notes);
  cs.e = CheckedDimension(r[7], "e", false, notes);
  return AssembleChannel(w, options, cs, section.props, notes);
}

std::string AssembleChannel(const WrittenDesignation& w, const AssemblyOptions& options, CurrentSection& cs,
                            SectionProperties& p, SectionNotes& notes) {
  const double h = cs.h, b = cs.b, tw = cs.tw, tf = cs.tf, e = cs.e;
  const PlatePair gusset = Gusset(w, options, notes);
  const double tpl = gusset.second;
  cs.PlateWidth = gusset.first;
  cs.PlateThickness = tpl;
  cs.WebPlateHeight = cs.WebPlateThickness = cs.DPL = 0;
  const int n = PairCount(w, options, notes);

  p.J = (h * Cube(tw) + 2 * b * Cube(tf)) / 3;
  cs.Sx = 0;
  if (n == 1) {
    cs.d = 0;
    p.Width = b;
    p.S1 = Quotient(p.I1, h / 2, "S1", notes);
    p.S2 = Quotient(p.I2, b - e, "S2", notes);
  } else {
    const bool backToBack = cs.Arrangement == "][";
    const double minimum = backToBack ? 2 * e + tpl : 2 * (b - e) + tpl;
    const double d = SpacingAtLeast(minimum, w, options, notes);
    cs.d = d;
    p.I1 = n * p.I1;
    p.J = n * p.J;
    p.I2 = 2 * (p.I2 + p.A * d * d / 4);
    p.Width = d + 2 * e;  // the complement corrects this for "]["
    p.A = n * p.A;
    p.S1 = Quotient(p.I1, h / 2, "S1", notes);
    p.S2 = backToBack ? Quotient(p.I2, d / 2 + b - e, "S2", notes) : Quotient(p.I2, d / 2 + e, "S2", notes);
  }
  p.r1 = Root(Quotient(p.I1, p.A, "r1", notes), "r1", notes);
  p.r2 = Root(Quotient(p.I2, p.A, "r2", notes), "r2", notes);
  p.Depth = h;
  // One channel's flange with a sixth of its web; the same for both channels of a pair.
  const double hw6 = (h - 2 * tf) / 6;
  p.rt = Root(Quotient(Cube(b) * tf / 12 + Cube(tw) * hw6 / 12, b * tf + tw * hw6, "rt", notes), "rt", notes);
  // One channel's compression flange, to go with the per-channel rt (the complement keeps it).
  p.Af = b * tf;
  const std::string name = "UNP" + MmText(h);
  return n > 1 ? "2" + name : name;
}

}  // namespace tavo
