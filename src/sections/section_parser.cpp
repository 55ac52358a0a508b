#include "sections/section_parser.h"

#include <algorithm>
#include <cmath>

#include "core/language.h"
#include "core/messages.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "sections/designation_parts.h"
#include "sections/parametric_sections.h"
#include "sections/rolled_complements.h"
#include "sections/section_assembly.h"

namespace tavo {

namespace {

// Item n (from 1) of a parametric family's numbers, millimetres to centimetres.
double Dimension(const WrittenDesignation& w, std::size_t n, double defaultCm) {
  return n <= w.dims.size() ? w.dims[n - 1] / 10 : defaultCm;
}

void ParsePlateGirder(const WrittenDesignation& w, CurrentSection& cs, SectionNotes& notes) {
  const double hw = Dimension(w, 1, 0), tw = Dimension(w, 2, 0);
  const double bf1 = Dimension(w, 3, 0), tf1 = Dimension(w, 4, 0);
  const double bf2 = Dimension(w, 5, bf1), tf2 = Dimension(w, 6, tf1);
  cs.hw = CheckedDimension(hw, "hw", true, notes);
  cs.tw = CheckedDimension(tw, "tw", true, notes);
  cs.bf1 = CheckedDimension(bf1, "bf1", true, notes);
  cs.tf1 = CheckedDimension(tf1, "tf1", true, notes);
  cs.bf2 = CheckedDimension(bf2, "bf2", false, notes);  // zero is a tee, a shape the formulas still describe
  cs.tf2 = CheckedDimension(tf2, "tf2", false, notes);
}

void ParseCross(const WrittenDesignation& w, CurrentSection& cs, SectionNotes& notes) {
  const double h1 = Dimension(w, 1, 0), h2 = Dimension(w, 2, 0), tw = Dimension(w, 3, 0);
  const double bf1 = Dimension(w, 4, 0), tf1 = Dimension(w, 5, 0);
  const double bf2 = Dimension(w, 6, bf1), tf2 = Dimension(w, 7, tf1);
  cs.h1 = CheckedDimension(h1, "h1", true, notes);
  cs.h2 = CheckedDimension(h2, "h2", true, notes);
  cs.tw = CheckedDimension(tw, "tw", true, notes);
  cs.bf1 = CheckedDimension(bf1, "bf1", true, notes);
  cs.tf1 = CheckedDimension(tf1, "tf1", true, notes);
  cs.bf2 = CheckedDimension(bf2, "bf2", false, notes);
  cs.tf2 = CheckedDimension(tf2, "tf2", false, notes);
}

void ParseBox(const WrittenDesignation& w, double lengthFactor, CurrentSection& cs, SectionNotes& notes) {
  const double hw = Dimension(w, 1, 0), tw = Dimension(w, 2, 0);
  const double bf = Dimension(w, 3, 0), tf = Dimension(w, 4, 0);
  // The box's web and flange plates live in h, b, tw, tf; hw repeats the web height for the drawing.
  cs.h = cs.hw = CheckedDimension(hw, "hw", true, notes);
  cs.tw = CheckedDimension(tw, "tw", true, notes);
  cs.b = CheckedDimension(bf, "bf", true, notes);
  cs.tf = CheckedDimension(tf, "tf", true, notes);
  const double flush = cs.b - cs.tw;  // webs under the flange edges
  double d = w.spacing.written ? w.spacing.value * lengthFactor : flush;
  d = CheckedDimension(d, "d", false, notes);
  if (w.spacing.written && d > 0 && (d < cs.tw || d >= cs.b + cs.tw)) {
    // Webs inside each other or clear of the flanges are no box; a wrong length unit gives either.
    const std::string shown = ShownPart(w.spacing.text), cm = ShortestText(RoundTo(d, 4));
    const std::string low = ShortestText(RoundTo(cs.tw, 4)), high = ShortestText(RoundTo(cs.b + cs.tw, 4));
    notes.Add("The web distance \"" + shown + "\" is " + cm + " cm; the webs of this box stand from " + low +
                  " cm (touching) to below " + high + " cm (at the flange edges) apart",
              "فاصله جان‌ها \"" + shown + "\" برابر " + cm + " سانتیمتر است؛ جان‌های این قوطی از " + low +
                  " سانتیمتر (چسبیده) تا کمتر از " + high + " سانتیمتر (لبه بال‌ها) از هم فاصله دارند",
              shown);
    d = flush > 0 ? flush : 0;
  }
  cs.d = d;
}

void ParseTube(const WrittenDesignation& w, CurrentSection& cs, SectionNotes& notes) {
  cs.D = CheckedDimension(Dimension(w, 1, 0), "D", true, notes);
  cs.t = CheckedDimension(Dimension(w, 2, 0), "t", true, notes);
  if (2 * cs.t > cs.D) {
    notes.Add("The wall t is thicker than half the diameter D; a solid bar (t = D/2) is computed",
              "ضخامت دیواره t از نصف قطر D بیشتر است؛ مقطع توپر (t = D/2) محاسبه شد");
    cs.t = cs.D / 2;
  }
}

// Parts written for a section they do not fit: a spacing or an arrangement of a single
// profile, a web-plate distance without web plates. The user meant another section.
void CheckUnusedParts(const WrittenDesignation& w, const CurrentSection& cs, const AssemblyOptions& options,
                      SectionNotes& notes) {
  if (cs.Count == 1 && !options.single) {
    if (w.spacing.written) {
      const std::string shown = ShownPart(w.spacing.text);
      notes.Add("The spacing \"" + shown + "\" is written for a single profile; a doubled one is written 2" +
                    w.shape.code + "...",
                "فاصله \"" + shown + "\" برای یک پروفیل تنها نوشته شده است؛ پروفیل دوبل به صورت 2" + w.shape.code +
                    "... نوشته می‌شود",
                shown);
    }
    if (!w.arrangement.empty())
      notes.Add("The arrangement \"" + w.arrangement + "\" is written for a single profile",
                "چیدمان \"" + w.arrangement + "\" برای یک پروفیل تنها نوشته شده است", w.arrangement);
    if (w.cover.written && !options.alone && (w.shape.kind == ShapeKind::Angle || w.shape.kind == ShapeKind::Channel)) {
      const std::string shown = ShownPart(w.cover.text);
      notes.AddWarning("The gusset plate \"" + shown + "\" does not change a single profile's section",
                       "ورق اتصال \"" + shown + "\" مقطع یک پروفیل تنها را تغییر نمی‌دهد", shown);
    }
  }
  if (w.dpl.written && !w.web.written && !options.alone) {
    const std::string shown = ShownPart(w.dpl.text);
    notes.Add("\"" + shown + "\" places web plates that are not written (+WPL...)",
              "\"" + shown + "\" جای ورق‌های جانی را می‌دهد که نوشته نشده‌اند (+WPL...)", shown);
  }
}

// Everything the parser does; returns the shape it found so the caller can report file problems.
ShapeName ParseInto(std::string_view designation, const SectionInput& input, Section& s, SectionNotes& notes) {
  CurrentSection& cs = s.cs;
  const std::string text = TrimLeft(ToUpper(designation));
  cs.designation = text;
  cs.Count = 1;
  if (Trim(text).empty()) {
    notes.Add("The section designation is empty", "مشخصه مقطع خالی است");
    return {};
  }
  double lengthFactor = input.dataUnits.lengthFactor;
  if (!(lengthFactor > 0) || !std::isfinite(lengthFactor)) {
    notes.Add("The length unit has no usable factor; centimetres are assumed",
              "واحد طول ضریب قابل استفاده‌ای ندارد؛ سانتیمتر در نظر گرفته شد");
    lengthFactor = 1;
  }
  const WrittenDesignation w = ReadDesignation(text, notes);
  const ShapeName shape = w.shape;
  if (shape.kind == ShapeKind::None) {
    const std::string shown = ShownPart(text);
    notes.Add("\"" + shown + "\" names no section family (PG, CROSS, BOX, TUBE, L, UNP, INP, IPE, IPB, HPE, HNP, HPB, CNP, CPE, CPB)",
              "\"" + shown + "\" هیچ خانواده‌ای از مقاطع را نام نمی‌برد (PG، CROSS، BOX، TUBE، L، UNP، INP، IPE، IPB، HPE، HNP، HPB، CNP، CPE، CPB)",
              shown);
    return shape;
  }
  cs.BaseText = w.baseText;
  switch (shape.kind) {
    case ShapeKind::PlateGirder:
      cs.family = "PG";
      ParsePlateGirder(w, cs, notes);
      break;
    case ShapeKind::Cross:
      cs.family = "C";
      ParseCross(w, cs, notes);
      break;
    case ShapeKind::Box:
      cs.family = "BOX";
      ParseBox(w, lengthFactor, cs, notes);
      break;
    case ShapeKind::Tube:
      cs.family = "TUBE";
      ParseTube(w, cs, notes);
      break;
    default:
      break;
  }
  s.recognised = true;
  if (shape.code.empty()) {  // a parametric family: nothing more to read
    s.usable = true;
    cs.FullText = TrimRight(text);
    return shape;
  }

  cs.family = shape.code;
  cs.Arrangement = w.arrangement;
  if (shape.kind == ShapeKind::Channel && cs.Arrangement.empty()) cs.Arrangement = "[]";
  if (input.catalogue == nullptr) {
    notes.Add("No profile catalogue is available for " + shape.code, "جدول پروفیلی برای " + shape.code + " در دسترس نیست");
    cs.Arrangement.clear();
    return shape;
  }
  AssemblyOptions options;
  options.lengthFactor = lengthFactor;
  options.alone = ContainsNoCase(input.flags, "ALONE");
  options.single = ContainsNoCase(input.flags, "SINGLE");
  std::string name;
  if (shape.kind == ShapeKind::Angle)
    name = ReadAngle(w, *input.catalogue, options, s, notes);
  else if (shape.kind == ShapeKind::Channel)
    name = ReadChannel(w, *input.catalogue, options, s, notes);
  else
    name = ReadRolledProfile(w, *input.catalogue, options, s, notes);
  if (name.empty()) {
    cs.Arrangement.clear();
    return shape;
  }
  s.usable = true;
  cs.catalogueName = name;
  cs.FullText = name;
  const bool counted = name[0] > '0' && name[0] <= '9';
  if (shape.kind == ShapeKind::Rolled || shape.kind == ShapeKind::Castellated)
    cs.family = name.substr(0, counted ? 4 : 3);
  cs.Count = counted ? name[0] - '0' : 1;
  if (cs.Count == 1) cs.Arrangement.clear();
  CheckUnusedParts(w, cs, options, notes);
  return shape;
}

void CompleteInto(Section& s, SectionNotes& notes) {
  if (!s.usable) return;
  const CurrentSection& cs = s.cs;
  if (cs.family == "PG")
    PlateGirderProperties(cs, s.props, notes);
  else if (cs.family == "C")
    CrossProperties(cs, s.props, notes);
  else if (cs.family == "BOX")
    BoxProperties(cs, s.props, notes);
  else if (cs.family == "TUBE")
    TubeProperties(cs, s.props, notes);
  else
    ApplyRolledComplement(cs, s.props, notes);
}

// The last guard: whatever a formula made of extreme input, no inf or NaN leaves here.
void Sanitize(Section& s, SectionNotes& notes) {
  auto fix = [&notes](double& v, const char* name) {
    if (std::isfinite(v)) return;
    v = 0;
    notes.Add(std::string(name) + " is not a finite number; set to 0", std::string(name) + " عدد متناهی نیست؛ صفر در نظر گرفته شد");
  };
  SectionProperties& p = s.props;
  fix(p.A, "A"), fix(p.A1, "A1"), fix(p.A2, "A2"), fix(p.J, "J"), fix(p.I1, "I1"), fix(p.I2, "I2");
  fix(p.S1, "S1"), fix(p.S2, "S2"), fix(p.Z1, "Z1"), fix(p.Z2, "Z2"), fix(p.r1, "r1"), fix(p.r2, "r2");
  fix(p.rt, "rt"), fix(p.Af, "Af"), fix(p.Depth, "Depth"), fix(p.Width, "Width");
  fix(p.Anet, "A net"), fix(p.I1net, "I1 net"), fix(p.S1net, "S1 net");
  CurrentSection& c = s.cs;
  fix(c.h, "h"), fix(c.b, "b"), fix(c.tw, "tw"), fix(c.tf, "tf"), fix(c.r, "r"), fix(c.e, "e");
  fix(c.Iu, "Iu"), fix(c.Iv, "Iv"), fix(c.heightChange, "h'"), fix(c.hw, "hw"), fix(c.bf1, "bf1"), fix(c.tf1, "tf1");
  fix(c.bf2, "bf2"), fix(c.tf2, "tf2"), fix(c.h1, "h1"), fix(c.h2, "h2"), fix(c.D, "D"), fix(c.t, "t"), fix(c.d, "d");
  fix(c.PlateWidth, "bpl"), fix(c.PlateThickness, "tpl"), fix(c.WebPlateHeight, "wb"), fix(c.WebPlateThickness, "wt");
  fix(c.DPL, "dpl"), fix(c.Sx, "Sx"), fix(c.rmin, "rmin"), fix(c.Lx, "Lx"), fix(c.Ly, "Ly");
}

}  // namespace

std::string DesignationOfElement(std::string_view elementText) {
  const std::string text = TrimLeft(ToUpper(elementText));
  const auto blank = text.find(' ');
  return blank == std::string::npos ? std::string() : TrimLeft(text.substr(blank + 1));
}

Section ParseSectionDesignation(std::string_view designation, const SectionInput& input) {
  Section s;
  SectionNotes notes;
  ParseInto(designation, input, s, notes);
  Sanitize(s, notes);
  s.problem = notes.Text();
  s.diagnostics = notes.Items();
  return s;
}

void CompleteSectionProperties(Section& section) {
  SectionNotes notes;
  CompleteInto(section, notes);
  Sanitize(section, notes);
  section.problem = JoinProblems(section.problem, notes.Text());
  AppendDiagnostics(section.diagnostics, notes.Items());
}

Section ComputeSection(std::string_view designation, const SectionInput& input) {
  Section s;
  SectionNotes notes;
  const ShapeName shape = ParseInto(designation, input, s, notes);
  CompleteInto(s, notes);
  Sanitize(s, notes);
  s.problem = notes.Text();
  s.diagnostics = notes.Items();
  if (input.messages != nullptr && input.catalogue != nullptr && !shape.code.empty()) {
    const auto& family = input.catalogue->Family(shape.code);
    if (!family.loaded && input.catalogue->FirstReport(shape.code))
      input.messages->Show(PickLanguage(family.problem, input.language), PickLanguage("Error||خطا", input.language),
                           MessageKind::Error, IsPersian(input.language));
  }
  return s;
}

}  // namespace tavo
