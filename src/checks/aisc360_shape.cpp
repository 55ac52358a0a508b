#include "checks/aisc360_shape.h"

#include <algorithm>
#include <cmath>

#include "sections/section_family.h"

namespace tavo::aisc {

namespace {

double Sq(double x) { return x * x; }
double Cube(double x) { return x * x * x; }
double Root(double x) { return x > 0 ? std::sqrt(x) : 0.0; }

Shape NotCovered(std::string reason) {
  Shape s;
  s.reason = std::move(reason);
  return s;
}

Shape BadDimensions() {
  return NotCovered("The section's dimensions are not all positive: the limit-state code cannot be applied||"
                    "همه ابعاد مقطع مثبت نیستند: آیین‌نامه حالات حدی به کار نمی‌رود");
}

bool AllPositive(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v) && v > 0; });
}

void TakeWholeSection(const SectionProperties& p, Shape& s) {
  s.A = p.A, s.Ix = p.I1, s.Iy = p.I2, s.J = p.J;
  s.rx = Root(p.I1 / p.A), s.ry = Root(p.I2 / p.A);
  s.Sxc = s.Sxt = p.S1, s.Zx = p.Z1, s.Sy = p.S2, s.Zy = p.Z2;
  s.depth = p.Depth;
}

}  // namespace

const char* ShapeKindName(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::DoublySymmetricI: return "doubly symmetric I";
    case ShapeKind::SinglySymmetricI: return "singly symmetric I";
    case ShapeKind::Channel: return "channel";
    case ShapeKind::BuiltUp: return "built-up";
    case ShapeKind::Cross: return "cross";
    case ShapeKind::Box: return "box";
    case ShapeKind::Round: return "round";
    case ShapeKind::SingleAngle: return "single angle";
    case ShapeKind::DoubleAngle: return "double angle";
    case ShapeKind::Tee: return "tee";
    case ShapeKind::NotCovered: break;
  }
  return "not covered";
}

double IWarpingConstant(double If1, double If2, double ho) {
  return If1 + If2 > 0 ? ho * ho * If1 * If2 / (If1 + If2) : 0.0;
}

double ChannelWarpingConstant(double b, double tf, double tw, double ho) {
  const double bp = b - tw / 2;  // flange width to the web's mid-plane
  return tf * Cube(bp) * ho * ho / 12 * (3 * bp * tf + 2 * ho * tw) / (6 * bp * tf + ho * tw);
}

double ChannelShearCentre(double b, double tf, double tw, double ho) {
  const double bp = b - tw / 2;
  return 3 * bp * bp * tf / (6 * bp * tf + ho * tw);
}

Shape ShapeOf(const Section& section) {
  if (!section.recognised || section.family == nullptr)
    return NotCovered("The designation names no section family||نام مقطع با هیچ خانواده مقطعی جور نیست");
  if (!section.usable || HasError(section.diagnostics))
    return NotCovered("The section could not be computed, so the limit-state code is not applied||"
                      "مقطع محاسبه نشد، پس آیین‌نامه حالات حدی به کار نرفت");
  if (section.family->limitStateShape == nullptr)
    return NotCovered("The limit-state code has no rule for this kind of section||"
                      "آیین‌نامه حالات حدی برای این نوع مقطع قاعده‌ای ندارد");
  return section.family->limitStateShape(section);
}

Shape RolledIShape(const Section& section) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  const int n = std::clamp(cs.Count, 1, 3);
  const double h = cs.h, b = cs.b, tw = cs.tw, tf = cs.tf, r = std::max(cs.r, 0.0), d = cs.d;
  if (!AllPositive({h, b, tw, tf, p.A, p.I1, p.I2, p.S1, p.S2}) || h <= 2 * (tf + r)) return BadDimensions();
  const bool cover = cs.PlateWidth > 0 && cs.PlateThickness > 0;
  const bool webPlates = cs.WebPlateHeight > 0 && cs.WebPlateThickness > 0;
  const double bpl = cover ? cs.PlateWidth : 0, tpl = cover ? cs.PlateThickness : 0;
  const double wb = webPlates ? cs.WebPlateHeight : 0, wt = webPlates ? cs.WebPlateThickness : 0;
  const double dpl = webPlates ? cs.DPL : 0;

  Shape s;
  s.kind = n == 1 ? ShapeKind::DoublySymmetricI : ShapeKind::BuiltUp;
  s.count = n;
  s.joinedByPlates = n > 1 && cover;
  TakeWholeSection(p, s);

  // One profile's own weak-axis inertia: the whole less the plates and the profiles' d² terms.
  const double plateA = 2 * bpl * tpl + 2 * wb * wt;
  const double plateI2 = 2 * tpl * Cube(bpl) / 12 + 2 * (wb * Cube(wt) / 12 + wb * wt * dpl * dpl / 4);
  const double Ap = (p.A - plateA) / n;
  const double transfer = n == 2 ? 2 * Ap * d * d / 4 : n == 3 ? 2 * Ap * d * d : 0.0;
  const double IyProfile = (p.I2 - plateI2 - transfer) / n;
  s.IyOwn = n * IyProfile + plateI2;

  // The compression flange: the profiles' flanges with the cover plate on them.
  const double If = n * tf * Cube(b) / 12 + tpl * Cube(bpl) / 12;
  s.Iyc = If;
  s.Afc = n * b * tf + bpl * tpl;
  const double yc = (n * b * tf * (h - tf) / 2 + bpl * tpl * (h + tpl) / 2) / s.Afc;
  s.ho = 2 * yc;
  s.Cw = IWarpingConstant(If, If, s.ho);

  // h of a rolled web is the clear distance less the root fillets.
  const double hWeb = h - 2 * (tf + r);
  // Web plates laid on the web over its clear height thicken it; set apart they are webs of their own.
  const bool platesOnWeb = webPlates && dpl <= tw + wt + 1e-6;
  const double tWeb = platesOnWeb && wb >= hWeb ? tw + 2 * wt : tw;
  s.h = hWeb, s.tw = tWeb;
  s.hc = s.hp = hWeb;
  s.Awc = n * hWeb * tWeb;
  s.Aw = n * h * tw + 2 * wb * wt;  // (G2.1) Aw = d·tw, with the web plates' own area

  // Flange elements. Without a cover plate, or with one no wider than the flange, the flange
  // outstand b/2 is the element (the flange tip stands free beyond the plate's welds). A wider
  // plate is welded at the flange tips, so its overhang beyond them is what buckles first.
  const double spanOfFlanges = b + (n - 1) * d;
  const double overhang = (bpl - spanOfFlanges) / 2;
  const bool plateOverhangs = cover && overhang > 0;
  const double fb = plateOverhangs ? overhang : b / 2, ft = plateOverhangs ? tpl : tf;
  const char* what = plateOverhangs ? "cover plate overhang on flange " : "flange ";
  s.elements.push_back({std::string(what) + "2 (compression)", ElementRole::Flange, fb, ft, plateOverhangs ? 2 : 2 * n, true});
  s.elements.push_back({std::string(what) + "1 (tension)", ElementRole::Flange, fb, ft, plateOverhangs ? 2 : 2 * n, false});
  if (cover && n > 1 && d > b)
    s.elements.push_back({"cover plate between profiles", ElementRole::CoverPlate, d - b, tpl, 2 * (n - 1), true});
  s.elements.push_back({"web", ElementRole::Web, hWeb, tWeb, n, false});
  if (webPlates && !platesOnWeb) s.elements.push_back({"web plate", ElementRole::Web, wb, wt, 2, false});

  s.minorB = b / 2, s.minorT = tf, s.minorArea = 2 * n * b * tf;
  return s;
}

Shape HalfProfileShape(const Section& section) {
  Shape s = RolledIShape(section);
  // The web is two rolled stems welded to an insert: not a rolled web for G2.1(a).
  s.rolledWeb = false;
  return s;
}

Shape CastellatedShape(const Section& section) {
  Shape s = RolledIShape(section);
  if (s.kind == ShapeKind::NotCovered) return s;
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  if (!AllPositive({p.Anet, p.I1net, p.S1net})) return BadDimensions();
  const int n = s.count;
  const double H = cs.h, b = cs.b, tw = cs.tw, tf = cs.tf;
  const double opening = H / 1.5;  // the parent's depth: the openings are as high as it
  s.castellated = true;
  s.rolledWeb = false;  // cut and welded back together
  // The strong axis is taken through an opening: the two tees carry the axial force and moment.
  // Buckling still follows the whole member's radii of gyration (rx, ry stay as computed).
  s.A = p.Anet, s.Ix = p.I1net, s.Sxc = s.Sxt = p.S1net;
  const double stem = H / 2 - tf;
  s.Zx = n * (b * tf * (H - tf) + tw * (Sq(stem) - Sq(opening / 2))) +
         2 * cs.PlateWidth * cs.PlateThickness * (H / 2 + cs.PlateThickness / 2);
  s.Aw = n * tw * (H - opening);  // the two stems above and below the opening
  // At the opening the web is two tee stems, free at their tips: they replace the web element.
  std::erase_if(s.elements, [](const ShapeElement& e) { return e.role == ElementRole::Web; });
  s.elements.push_back({"tee stems at the openings", ElementRole::Stem, (H - opening) / 2, tw, 2 * n, false});
  return s;
}

namespace {

// A welded girder with `bf2 × tf2` the flange in compression (on top as the formulas below
// measure it) and `bf1 × tf1` the other; the names say which of the written flanges each is.
Shape GirderShape(const SectionProperties& p, double hw, double tw, double bf1, double tf1, double bf2, double tf2,
                  const char* compressionName, const char* tensionName);

}  // namespace

Shape NegativeMomentShape(const Section& section) {
  const CurrentSection& cs = section.cs;
  // Flange 1 in compression: the girder turned over, flange 1 on top.
  return GirderShape(section.props, cs.hw, cs.tw, cs.bf2, cs.tf2, cs.bf1, cs.tf1, "flange 1 (compression)",
                     "flange 2 (tension)");
}

Shape PlateGirderShape(const Section& section) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  const double hw = cs.hw, tw = cs.tw, bf1 = cs.bf1, tf1 = cs.tf1, bf2 = cs.bf2, tf2 = cs.tf2;
  if (!(bf2 > 0 && tf2 > 0)) {
    // Without its second flange the girder is a tee of its web and flange 1: chapter F9's.
    if (!AllPositive({hw, tw, bf1, tf1})) return BadDimensions();
    Shape tee;
    tee.kind = ShapeKind::Tee;
    tee.plateTee = true;
    return tee;
  }
  if (!AllPositive({hw, tw, bf1, tf1, p.A, p.I1, p.I2})) return BadDimensions();
  Shape s = GirderShape(p, hw, tw, bf1, tf1, bf2, tf2, "flange 2 (compression)", "flange 1 (tension)");
  s.negativeMoment = s.kind == ShapeKind::SinglySymmetricI;
  return s;
}

namespace {

Shape GirderShape(const SectionProperties& p, double hw, double tw, double bf1, double tf1, double bf2, double tf2,
                  const char* compressionName, const char* tensionName) {
  Shape s;
  const bool symmetric = bf1 == bf2 && tf1 == tf2;
  s.kind = symmetric ? ShapeKind::DoublySymmetricI : ShapeKind::SinglySymmetricI;
  s.rolledFlanges = s.rolledWeb = false;
  TakeWholeSection(p, s);
  const double D = hw + tf1 + tf2;
  const double A = bf1 * tf1 + hw * tw + bf2 * tf2;
  // Flange 1 is drawn at the bottom, flange 2 on top: positive M3 puts flange 2 in compression.
  const double y = (bf1 * tf1 * tf1 / 2 + hw * tw * (tf1 + hw / 2) + bf2 * tf2 * (D - tf2 / 2)) / A;
  s.Sxc = s.Ix / (D - y);
  s.Sxt = s.Ix / y;
  // Plastic neutral axis: the level with half the area below it, in whichever plate it falls.
  double yp;
  if (bf1 * tf1 >= A / 2)
    yp = A / 2 / bf1;
  else if (bf1 * tf1 + hw * tw >= A / 2)
    yp = tf1 + (A / 2 - bf1 * tf1) / tw;
  else
    yp = D - A / 2 / bf2;
  auto firstMoment = [yp](double y0, double y1, double w) {
    if (y1 <= yp) return w * (y1 - y0) * (yp - (y0 + y1) / 2);
    if (y0 >= yp) return w * (y1 - y0) * ((y0 + y1) / 2 - yp);
    return w * (Sq(yp - y0) + Sq(y1 - yp)) / 2;
  };
  s.Zx = firstMoment(0, tf1, bf1) + firstMoment(tf1, tf1 + hw, tw) + firstMoment(tf1 + hw, D, bf2);
  s.hc = 2 * (D - tf2 - y);
  s.hp = 2 * std::max(D - tf2 - yp, 0.0);
  const double If1 = tf1 * Cube(bf1) / 12, If2 = tf2 * Cube(bf2) / 12;
  s.IyOwn = s.Iy;
  s.Iyc = If2;
  s.Afc = bf2 * tf2;
  s.Awc = s.hc * tw;
  s.ho = D - tf1 / 2 - tf2 / 2;
  s.Cw = IWarpingConstant(If1, If2, s.ho);
  // The shear centre sits on the web, nearer the stiffer flange: ho·If2/(If1+If2) from flange 1.
  s.y0 = s.ho * If2 / (If1 + If2) - (y - tf1 / 2);
  s.h = hw, s.tw = tw, s.Aw = D * tw;
  s.elements.push_back({compressionName, ElementRole::Flange, bf2 / 2, tf2, 2, true});
  s.elements.push_back({tensionName, ElementRole::Flange, bf1 / 2, tf1, 2, false});
  s.elements.push_back({"web", ElementRole::Web, hw, tw, 1, false});
  // Shear along the flanges: Cv2 from the more slender flange, over both flanges' area.
  const bool first = bf1 / tf1 >= bf2 / tf2;
  s.minorB = (first ? bf1 : bf2) / 2, s.minorT = first ? tf1 : tf2;
  s.minorArea = bf1 * tf1 + bf2 * tf2;
  return s;
}

}  // namespace

Shape ChannelShape(const Section& section) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  const int n = cs.Count >= 2 ? 2 : 1;
  const double h = cs.h, b = cs.b, tw = cs.tw, tf = cs.tf, e = cs.e, d = cs.d;
  if (!AllPositive({h, b, tw, tf, p.A, p.I1, p.I2, p.S1, p.S2}) || h <= 2 * tf) return BadDimensions();
  Shape s;
  s.kind = n == 1 ? ShapeKind::Channel : ShapeKind::BuiltUp;
  s.count = n;
  s.channels = true;
  s.rolledWeb = false;  // G2.1(a) rewards the webs of rolled I shapes only
  // Back to back ][ the channels act as E6.1 names them; facing [] as any other built-up pair.
  s.Ki = cs.Arrangement == "][" ? 0.75 : 0.86;
  TakeWholeSection(p, s);
  const double Ap = p.A / n;
  const double IyProfile = n == 1 ? p.I2 : p.I2 / 2 - Ap * d * d / 4;
  s.IyOwn = n * IyProfile;
  s.ho = h - tf;
  s.Cw = n * ChannelWarpingConstant(b, tf, tw, s.ho);
  s.Iyc = n * tf * Cube(b) / 12;
  s.Afc = n * b * tf;
  // The catalogue gives channels no root radius: h is the clear distance between the flanges.
  const double hWeb = h - 2 * tf;
  s.h = hWeb, s.tw = tw, s.hc = s.hp = hWeb, s.Awc = n * hWeb * tw;
  s.Aw = n * h * tw;
  // A lone channel is symmetric about its strong axis: its shear centre lies behind the web.
  if (n == 1) s.x0 = ChannelShearCentre(b, tf, tw, s.ho) + (e - tw / 2);
  // A channel's flange is measured over its whole width (Table B4.1).
  s.elements.push_back({"flange 2 (compression)", ElementRole::Flange, b, tf, n, true});
  s.elements.push_back({"flange 1 (tension)", ElementRole::Flange, b, tf, n, false});
  s.elements.push_back({"web", ElementRole::Web, hWeb, tw, n, false});
  s.minorB = b, s.minorT = tf, s.minorArea = 2 * n * b * tf;
  return s;
}

Shape CrossShape(const Section& section) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  const double h1 = cs.h1, h2 = cs.h2, tw = cs.tw, bf1 = cs.bf1, tf1 = cs.tf1, bf2 = cs.bf2, tf2 = cs.tf2;
  if (!AllPositive({h1, h2, tw, bf1, tf1, bf2, tf2, p.A, p.I1, p.I2})) return BadDimensions();
  Shape s;
  s.kind = ShapeKind::Cross;
  s.rolledFlanges = s.rolledWeb = false;
  TakeWholeSection(p, s);
  s.IyOwn = s.Iy;
  // The plates through the shear centre do not warp; the four flanges do, each bending about
  // its own axis at its distance from the centre, as an I's two flanges do.
  const double a1 = h1 / 2 + tf1 / 2, a2 = h2 / 2 + tf2 / 2;
  s.Cw = 2 * tf1 * Cube(bf1) / 12 * a1 * a1 + 2 * tf2 * Cube(bf2) / 12 * a2 * a2;
  s.ho = 2 * a1;
  // Each web is classified over its whole height, as the web of its own I: the crossing web
  // sits at its neutral axis in bending and is not counted on as a support.
  // Each pair of flanges takes its kc from the web it stands on.
  s.elements.push_back({"flange 1 (compression under M3)", ElementRole::Flange, bf1 / 2, tf1, 4, true, h1});
  s.elements.push_back({"flange 2 (compression under M2)", ElementRole::Flange, bf2 / 2, tf2, 4, false, h2});
  s.elements.push_back({"web 1", ElementRole::Web, h1, tw, 1, false});
  s.elements.push_back({"web 2", ElementRole::Web, h2, tw, 1, false});
  s.h = h1, s.tw = tw, s.hc = s.hp = h1;
  s.Aw = (h1 + 2 * tf1) * tw;
  s.minorB = bf2 / 2, s.minorT = tf2, s.minorArea = 2 * bf2 * tf2;
  return s;
}

Shape BoxShape(const Section&) {
  Shape s;
  s.kind = ShapeKind::Box;
  return s;
}

Shape RoundShape(const Section&) {
  Shape s;
  s.kind = ShapeKind::Round;
  return s;
}

Shape AngleShape(const Section& section) {
  Shape s;
  s.kind = section.cs.Count >= 2 ? ShapeKind::DoubleAngle : ShapeKind::SingleAngle;
  return s;
}

}  // namespace tavo::aisc
