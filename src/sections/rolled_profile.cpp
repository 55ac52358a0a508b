// Rolled I profiles, half profiles put back together with a web insert, and castellated
// beams: alone, doubled or tripled side by side, with cover plates and web plates.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "sections/section_assembly.h"

namespace tavo {

namespace {

double Sq(double x) { return x * x; }
double Cube(double x) { return x * x * x; }

// h' of a half-profile designation in cm (HPE300-400 gives 40), 0 when none is written.
double WrittenHeight(const WrittenDesignation& w) { return w.height.written ? w.height.value / 10 : 0; }

struct Plates {
  double bpl = 0, tpl = 0, wb = 0, wt = 0, dpl = 0;
};

// Cover plates (one on each flange) and web plates (one on each side) with their distance.
Plates ReadPlates(const WrittenDesignation& w, int n, double d, double tw, const AssemblyOptions& options,
                  SectionNotes& notes) {
  Plates pl;
  if (options.alone) return pl;
  const PlatePair cover = CoverPlate(w, options, 2, notes);
  pl.bpl = cover.first;
  pl.tpl = cover.second;
  if (w.web.written) {
    const PlatePair web = WebPlates(w, options, notes);
    pl.wb = web.first;
    pl.wt = web.second;
    // A length of the designation itself (cm, mm and m told apart by size), not of the input file.
    double dpl = WebPlateDistance(w, notes);
    if (dpl == 0) dpl = n == 3 ? 2 * d + tw + pl.wt : n == 2 ? d + tw + pl.wt : tw + pl.wt;
    pl.dpl = dpl;
  }
  return pl;
}

// Doubling or tripling side by side; returns the count actually used (1, 2 or 3).
int Multiply(const WrittenDesignation& w, const AssemblyOptions& options, CurrentSection& cs, SectionProperties& p,
             double& Sx, SectionNotes& notes) {
  const double b = cs.b;
  const std::string_view code = w.shape.code;
  int n = options.single ? 0 : w.count;
  if (n == 2 || n == 3) {
    const double d = SpacingAtLeast(b, w, options, notes);  // at least b: flanges touching
    cs.d = d;
    p.I1 = n * p.I1;
    if (n == 2) {
      p.I2 = 2 * (p.I2 + p.A * d * d / 4);
      p.Width = b + d;
    } else {
      p.I2 = 3 * p.I2 + 2 * p.A * d * d;  // the middle profile on the axis, the outer ones at ±d
      p.Width = b + 2 * d;
    }
    p.A = n * p.A;
    Sx = n * Sx;
    return n;
  }
  if (n > 3) {
    const std::string c(code), count = std::to_string(n);
    notes.Add("A count of " + count + " " + c + " profiles is not supported; computed as a single " + c,
              "تعداد " + count + " پروفیل " + c + " پشتیبانی نمی‌شود؛ به صورت یک " + c + " محاسبه شد");
  }
  cs.d = 0;
  p.Width = b;
  return 1;
}

// Plates added to the assembled profiles; h is the final depth of one profile. A castellated
// section takes the same plates on its net section through the openings.
void AddPlates(const Plates& pl, double h, CurrentSection& cs, SectionProperties& p, double& Sx,
               SectionNotes& notes) {
  const double bpl = pl.bpl, tpl = pl.tpl, wb = pl.wb, wt = pl.wt, dpl = pl.dpl;
  cs.PlateWidth = bpl;
  cs.PlateThickness = tpl;
  cs.WebPlateHeight = wb;
  cs.WebPlateThickness = wt;
  cs.DPL = dpl;
  const double plateA = 2 * bpl * tpl + 2 * wb * wt;
  const double plateI1 = 2 * (bpl * Cube(tpl) / 12 + Sq(h / 2 + tpl / 2) * bpl * tpl) + 2 * wt * Cube(wb) / 12;
  p.A = p.A + plateA;
  p.I1 = p.I1 + plateI1;
  p.I2 = p.I2 + 2 * tpl * Cube(bpl) / 12 + 2 * (wb * Cube(wt) / 12 + wb * wt * dpl * dpl / 4);
  p.r1 = Root(Quotient(p.I1, p.A, "r1", notes), "r1", notes);
  p.r2 = Root(Quotient(p.I2, p.A, "r2", notes), "r2", notes);
  // Extreme fibres: the cover plates' outer faces, and the flange edges, the cover plates'
  // edges or the web plates' outer faces, whichever stand farther out.
  const double top = h / 2 + tpl;
  const double side = std::max({p.Width, bpl, wb * wt > 0 ? dpl + wt : 0.0}) / 2;
  p.S1 = h > 0 ? Quotient(p.I1, top, "S1", notes) : Quotient(p.I1, 0, "S1", notes);
  p.S2 = p.Width > 0 ? Quotient(p.I2, side, "S2", notes) : Quotient(p.I2, 0, "S2", notes);
  if (p.I1net > 0) {
    p.Anet += plateA;
    p.I1net += plateI1;
    p.S1net = Quotient(p.I1net, top, "S1 net", notes);
  }
  Sx = Sx + (h / 2 + tpl / 2) * bpl * tpl + 2 * wt * wb * wb / 8;
}

std::string NameOf(std::string_view code, double h, double heightChange, const Plates& pl, int n) {
  std::string name = std::string(code) + MmText(h);
  if (heightChange > 0) name += "-" + MmText(heightChange);
  if (pl.bpl * pl.tpl > 0) name += "+2PL" + MmText(pl.bpl) + "*" + MmText(pl.tpl);
  if (pl.wb * pl.wt > 0) name += "+2WPL" + MmText(pl.wb) + "*" + MmText(pl.wt);
  return n > 1 ? std::to_string(n) + name : name;
}

// h, b, tw, tf, r, A, Ix, Iy: the first eight items of every I, H and C record.
void TakeProfile(std::span<const double> r, Section& section, SectionNotes& notes) {
  CurrentSection& cs = section.cs;
  cs.h = CheckedDimension(r[0], "h", true, notes);
  cs.b = CheckedDimension(r[1], "b", true, notes);
  cs.tw = CheckedDimension(r[2], "tw", true, notes);
  cs.tf = CheckedDimension(r[3], "tf", true, notes);
  cs.r = CheckedDimension(r[4], "r", false, notes);
  section.props.A = CheckedDimension(r[5], "A", true, notes);
  section.props.I1 = CheckedDimension(r[6], "Ix", true, notes);
  section.props.I2 = CheckedDimension(r[7], "Iy", true, notes);
}

}  // namespace

std::string ReadRolledProfile(const WrittenDesignation& w, const ProfileCatalogue& catalogue,
                              const AssemblyOptions& options, Section& section, SectionNotes& notes) {
  const CatalogueRecord* rec = SelectRecord(catalogue, w, notes);
  if (rec == nullptr) return {};
  // A family whose heights are not its sizes keys each record by the nominal size first.
  const bool nominal = w.shape.family != nullptr && w.shape.family->nominalKey;
  const std::span<const double> items = std::span<const double>(*rec).subspan(nominal ? 1 : 0);
  TakeProfile(items, section, notes);
  const bool half = w.shape.family != nullptr && w.shape.family->halfProfile;
  // The ninth item: Sx of the I families, X (tee centroid from the flange face) of the H families.
  const double ninth = CheckedDimension(items[8], half ? "X" : "Sx", false, notes);
  section.cs.Sx = half ? 0 : ninth;
  return AssembleRolledProfile(w, ninth, options, section.cs, section.props, notes, nominal ? (*rec)[0] : 0.0);
}

std::string AssembleRolledProfile(const WrittenDesignation& w, double teeCentroid, const AssemblyOptions& options,
                                  CurrentSection& cs, SectionProperties& p, SectionNotes& notes, double nameSize) {
  const std::string_view code = w.shape.code;
  const double hParent = cs.h;
  const double b = cs.b, tw = cs.tw, tf = cs.tf;
  double Sx = cs.Sx;
  cs.heightChange = 0;
  if (w.shape.family != nullptr && w.shape.family->halfProfile) {
    double hNew = CheckedDimension(WrittenHeight(w), "h'", false, notes);
    if (hNew > 0 && hNew < hParent) {
      notes.Add("h' = " + MmText(hNew) + " mm is below the parent height; the parent height is used",
                "h' = " + MmText(hNew) + " میلیمتر از ارتفاع پروفیل مادر کمتر است؛ ارتفاع پروفیل مادر به کار رفت");
      hNew = 0;
    }
    if (hNew == 0) hNew = hParent;
    if (hNew != hParent) cs.heightChange = hNew;
    // Two tees back to back with a web insert of height h' − h between them, in this order.
    const double X = teeCentroid;
    p.I1 = 2 * (p.I1 + p.A * Sq(hNew / 2 - X));
    p.I2 = 2 * p.I2 + Cube(tw) * (hNew - hParent) / 12;
    Sx = (hNew / 2 - X) * p.A + tw * Sq((hNew - hParent) / 2) / 2;
    p.A = 2 * p.A + tw * (hNew - hParent);
    cs.h = hNew;
  }
  const double h = cs.h;
  const int n = Multiply(w, options, cs, p, Sx, notes);
  const double d = cs.d;
  const Plates pl = ReadPlates(w, n, d, tw, options, notes);
  AddPlates(pl, h, cs, p, Sx, notes);
  cs.Sx = Sx;

  // rt: the compression flange(s) with one sixth of the clear web (a third of its compression half).
  const double hw6 = (h - 2 * tf) / 6;
  const double bpl = pl.bpl, tpl = pl.tpl;
  if (n == 2) {
    p.Af = 2 * b * tf + bpl * tpl;
    const double inertia = 2 * (Cube(b) * tf / 12 + d * d * b * tf / 4 + Cube(tw) * hw6 / 12 + d * d * tw * hw6 / 4) +
                           Cube(bpl) * tpl / 12;
    p.rt = Root(Quotient(inertia, p.Af + 2 * hw6 * tw, "rt", notes), "rt", notes);
  } else if (n == 3) {
    p.Af = 3 * b * tf + bpl * tpl;
    const double inertia = 3 * Cube(b) * tf / 12 + 2 * d * d * b * tf + 3 * Cube(tw) * hw6 / 12 + 2 * d * d * tw * hw6 +
                           Cube(bpl) * tpl / 12;
    p.rt = Root(Quotient(inertia, p.Af + 3 * hw6 * tw, "rt", notes), "rt", notes);
  } else {
    const double inertia = Cube(b) * tf / 12 + Cube(tw) * hw6 / 12 + Cube(bpl) * tpl / 12;
    p.rt = Root(Quotient(inertia, b * tf + tw * hw6 + bpl * tpl, "rt", notes), "rt", notes);
    p.Af = b * tf + bpl * tpl;  // the same value the complement gives a single profile
  }
  return NameOf(code, nameSize > 0 ? nameSize : hParent, cs.heightChange, pl, n);
}

std::string ReadCastellated(const WrittenDesignation& w, const ProfileCatalogue& catalogue,
                            const AssemblyOptions& options, Section& section, SectionNotes& notes) {
  const CatalogueRecord* rec = SelectRecord(catalogue, w, notes);
  if (rec == nullptr) return {};
  TakeProfile(*rec, section, notes);
  return AssembleCastellated(w, options, section.cs, section.props, notes);
}

// First moment of half a rolled I profile about its strong axis. The plates give most of it;
// what the record's A and Ix hold beyond them (root fillets; less, for sloping flanges) is taken
// as that area lumped at the distance that gives back its share of Ix: for fillets, their centroid.
double HalfProfileFirstMoment(double h, double b, double tw, double tf, double A, double Ix) {
  const double web = h - 2 * tf;
  double Q = b * tf * (h - tf) / 2 + tw * web * web / 8;
  const double extraA = A - (2 * b * tf + web * tw);
  const double extraI = Ix - (b * Cube(h) - (b - tw) * Cube(web)) / 12;
  if (extraA * extraI > 0) Q += extraA / 2 * std::min(std::sqrt(extraI / extraA), h / 2);
  return Q;
}

std::string AssembleCastellated(const WrittenDesignation& w, const AssemblyOptions& options, CurrentSection& cs,
                                SectionProperties& p, SectionNotes& notes) {
  const std::string_view code = w.shape.code;
  const double hParent = cs.h, b = cs.b, tw = cs.tw, tf = cs.tf;
  const double A = p.A, Ix = p.I1, Iy = p.I2;
  cs.heightChange = 0;
  if (!(hParent / 4 > tf))
    notes.Add("The openings of " + std::string(code) + MmText(hParent) + " would cut into its flanges",
              "بازشوهای " + std::string(code) + MmText(hParent) + " به بال‌ها می‌رسند");
  // The web is cut and the halves are shifted apart by half the parent depth: each half moves
  // out by h/4, a web post of height h/2 joins them, and the openings are h high.
  const double Q = HalfProfileFirstMoment(hParent, b, tw, tf, A, Ix);
  const double s = hParent / 4;
  p.A = A + tw * 2 * s;
  p.I1 = Ix + 4 * s * Q + A * s * s + tw * Cube(2 * s) / 12;
  p.I2 = Iy + 2 * s * Cube(tw) / 12;
  // Through an opening: the same without the web over the opening's height.
  const double netA = A - tw * 2 * s;
  const double netI1 = p.I1 - tw * Cube(hParent) / 12;
  // First moment of the half net section (the tee above an opening) about the beam's axis.
  double Sx = Q - tw * s * s / 2 + s * (A / 2 - tw * s);
  const int n = Multiply(w, options, cs, p, Sx, notes);
  if (p.Width == 0) p.Width = b;
  p.Anet = n * netA;
  p.I1net = n * netI1;
  cs.h = RoundTo(1.5 * hParent, 1);
  const Plates pl = ReadPlates(w, n, cs.d, tw, options, notes);
  AddPlates(pl, cs.h, cs, p, Sx, notes);
  cs.Sx = Sx;
  // The web is cut by openings, so the plain-web rt does not hold; 0 leaves the bending check to Af.
  p.rt = 0;
  p.Af = n * b * tf + pl.bpl * pl.tpl;  // as the complement sets it
  return NameOf(code, hParent, 0, pl, n);
}

}  // namespace tavo
