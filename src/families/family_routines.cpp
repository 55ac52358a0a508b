#include "checks/aisc360_shape.h"
#include "families/family_routines.h"

#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "core/text_util.h"
#include "core/units.h"
#include "drawing/section_drawing.h"
#include "sections/rolled_complements.h"

namespace tavo {

double WrittenDimension(const WrittenDesignation& w, std::size_t n, double defaultCm) {
  return n <= w.dims.size() ? w.dims[n - 1] / 10 : defaultCm;
}

std::string EditorSpacing(const char* key, const CurrentSection& c, double lengthFactor) {
  return std::string("  (") + key + "=" + ShortestText(RoundTo(c.d / lengthFactor, 4)) + ")";
}

void RebuildPairedText(CurrentSection& cs, double lengthFactor, double least) {
  bool shown = false;
  if (cs.Count > 1) {
    // The spacing the assembly takes when none is written; any other must be written.
    const double tpl = cs.PlateWidth * cs.PlateThickness > 0 ? cs.PlateThickness : 0;
    shown = Exceeds(Round2(cs.d), Round2(least + tpl));
  }
  cs.FullText = WithoutArrangement(cs.BaseText) + CoverPlateText(cs, true) + "   " +
                SpacingPart(shown, cs, lengthFactor) + "   " + cs.Arrangement;
}

std::string ReadRolledI(const WrittenDesignation& w, const ProfileCatalogue* catalogue, const AssemblyOptions& options,
                        Section& section, SectionNotes& notes) {
  return ReadRolledProfile(w, *catalogue, options, section, notes);
}

void RolledIProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) {
  RolledComplement(cs, p, notes);
}

Compactness RolledICompactness(const Section& section, double fy) {
  return RolledCompactness(section.cs, section.props, fy);
}

void RebuildRolledIText(CurrentSection& cs, double lengthFactor) {
  cs.FullText = cs.BaseText + CoverPlateText(cs, false) + WebPlateText(cs) +
                SpacingPart(cs.Count > 1 && Exceeds(cs.d, cs.b), cs, lengthFactor);
}

void DrawRolledIFamily(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs,
                       const FamilyStyle& style, SectionDrawing& out) {
  DrawRolledIProfile(dc, x0, y0, s, cs, style, out, "h");
}

void DrawRolledIProfile(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs,
                        const FamilyStyle& style, SectionDrawing& out, std::string_view heightName) {
  RolledIDims p;
  p.heightName = heightName;
  p.count = cs.Count;
  p.h = Clean(cs.h), p.b = Clean(cs.b), p.tw = Clean(cs.tw), p.tf = Clean(cs.tf);
  p.spacing = Clean(cs.d);
  p.plateWidth = Clean(cs.PlateWidth), p.plateThickness = Clean(cs.PlateThickness);
  p.webPlateHeight = Clean(cs.WebPlateHeight), p.webPlateThickness = Clean(cs.WebPlateThickness);
  p.dpl = Clean(cs.DPL);
  p.name = CutDesignation(!cs.catalogueName.empty() ? cs.catalogueName : !cs.BaseText.empty() ? cs.BaseText : cs.family);
  DrawRolledI(dc, x0, y0, s, p, style);
  if (WebPlatesClashWithFlanges(cs)) out.reportLines.push_back({12, EnlargeDplWarning()});
}

CurrentSection HelpProfile(std::string_view name, int count, double height) {
  CurrentSection cs;
  cs.family = "IPE";
  cs.catalogueName = name;
  cs.Count = count;
  cs.h = height, cs.b = 15, cs.tw = 0.71, cs.tf = 1.07;
  return cs;
}

std::string RolledIEditorText(const CurrentSection& c, const std::string& profileName, int count, double lengthFactor) {
  std::string s = count > 1 ? std::to_string(count) : "";
  s += profileName;
  if (c.heightChange > 0) s += "-" + MmText(c.heightChange);
  // A plate with one size still zero is kept, so the other size the user typed survives.
  if (c.PlateWidth > 0 || c.PlateThickness > 0) s += "+2PL" + MmText(c.PlateWidth) + "*" + MmText(c.PlateThickness);
  if (c.WebPlateHeight > 0 || c.WebPlateThickness > 0) {
    s += "+2WPL" + MmText(c.WebPlateHeight) + "*" + MmText(c.WebPlateThickness);
    // In centimetres whatever the input's length unit: the reader takes DPL= as cm (mm from 100 up).
    s += "  DPL=" + ShortestText(RoundTo(c.DPL, 4));
  }
  if (count > 1) s += EditorSpacing("d", c, lengthFactor);
  return s;
}

namespace {

// The bounds of the plate rows follow the profile: plates no wider than the flanges allow,
// web plates within the clear web, the distance of the web plates between web and flange edge.
constexpr FamilyParameter kCoverWidth{"bpl", &CurrentSection::PlateWidth, [](const EditorState& e) {
                                        const double n = e.count, d = e.edit.d, b = e.section.b;
                                        return ParameterLimits{1, 0, 2 * b + (n - 1) * d};
                                      }};
constexpr FamilyParameter kCoverThickness{"tpl", &CurrentSection::PlateThickness, [](const EditorState& e) {
                                            return ParameterLimits{0.1, 0, 3 * e.section.tf};
                                          }};
constexpr FamilyParameter kWebHeight{"wb", &CurrentSection::WebPlateHeight, [](const EditorState& e) {
                                       return ParameterLimits{1, 0, e.section.h - 2 * e.section.tf};
                                     }};
constexpr FamilyParameter kWebThickness{"wt", &CurrentSection::WebPlateThickness,
                                        [](const EditorState&) { return ParameterLimits{0.1, 0, 0}; }};
constexpr FamilyParameter kWebDistance{"dpl", &CurrentSection::DPL, [](const EditorState& e) {
                                         const CurrentSection& cs = e.section;
                                         const double n = e.count, d = e.edit.d, wt = e.edit.WebPlateThickness;
                                         const double wb = e.edit.WebPlateHeight;
                                         const double least = wb <= cs.h - 2 * cs.tf ? cs.tw : cs.b + wt + (n - 1) * d;
                                         return ParameterLimits{1, least, (n - 1) * d + cs.b + wt + 3};
                                       }};
constexpr FamilyParameter kPlateArrangement{"CP", nullptr,
                                            [](const EditorState&) { return ParameterLimits{1, 1, 4}; }};
constexpr FamilyParameter kSpacing{"d", &CurrentSection::d, [](const EditorState& e) {
                                     return ParameterLimits{1, e.section.b, 3 * e.section.b};
                                   }};

constexpr FamilyParameter kSingle[] = {kSizeRow,   kCoverWidth,   kCoverThickness,   kWebHeight,
                                       kWebThickness, kWebDistance, kPlateArrangement, kLengthRow};
constexpr FamilyParameter kDoubled[] = {kSizeRow,     kCoverWidth,       kCoverThickness, kWebHeight, kWebThickness,
                                        kWebDistance, kPlateArrangement, kSpacing,        kLengthRow};

}  // namespace

extern const std::span<const FamilyParameter> kRolledIRows = kSingle;
extern const std::span<const FamilyParameter> kRolledIDoubledRows = kDoubled;

SectionFamily RolledIRecord(std::span<const FamilyName> names) {
  return {.names = names,
          .catalogue = true,
          .webPlates = true,
          .coverPlateWeld = true,
          .read = ReadRolledI,
          .properties = RolledIProperties,
          .compactness = RolledICompactness,
          .limitStateShape = aisc::RolledIShape,
          .rebuildText = RebuildRolledIText,
          .draw = DrawRolledIFamily,
          .parameters = kRolledIRows,
          .doubledParameters = kRolledIDoubledRows,
          .editorText = RolledIEditorText};
}

}  // namespace tavo
