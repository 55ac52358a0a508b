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
    if (w.cover.written && !options.alone && w.shape.family->gussetPlate) {
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
  const WrittenDesignation w = ReadDesignation(text, input.families, notes);
  const ShapeName shape = w.shape;
  if (shape.family == nullptr) {
    const std::string shown = ShownPart(text);
    // The names as the families are listed: the parametric ones first, then the catalogue codes.
    std::string names, persianNames;
    for (const bool catalogue : {false, true})
      for (const SectionFamily* family : input.families)
        for (const FamilyName& name : family->names)
          if (family->catalogue == catalogue && (!catalogue || name.written == name.code)) {
            names += (names.empty() ? "" : ", ") + std::string(name.written);
            persianNames += (persianNames.empty() ? "" : "، ") + std::string(name.written);
          }
    notes.Add("\"" + shown + "\" names no section family (" + names + ")",
              "\"" + shown + "\" هیچ خانواده‌ای از مقاطع را نام نمی‌برد (" + persianNames + ")", shown);
    return shape;
  }
  const SectionFamily& family = *shape.family;
  s.family = shape.family;
  cs.BaseText = w.baseText;
  AssemblyOptions options;
  options.lengthFactor = lengthFactor;
  options.alone = ContainsNoCase(input.flags, "ALONE");
  options.single = ContainsNoCase(input.flags, "SINGLE");
  s.recognised = true;
  if (!family.catalogue) {  // a parametric family: its numbers are all there is to read
    cs.family = std::string(family.key);
    family.read(w, nullptr, options, s, notes);
    s.usable = true;
    cs.FullText = TrimRight(text);
    return shape;
  }

  cs.family = shape.code;
  cs.Arrangement = w.arrangement;
  if (cs.Arrangement.empty()) cs.Arrangement = std::string(family.defaultArrangement);
  if (input.catalogue == nullptr) {
    notes.Add("No profile catalogue is available for " + shape.code, "جدول پروفیلی برای " + shape.code + " در دسترس نیست");
    cs.Arrangement.clear();
    return shape;
  }
  const std::string name = family.read(w, input.catalogue, options, s, notes);
  if (name.empty()) {
    cs.Arrangement.clear();
    return shape;
  }
  s.usable = true;
  cs.catalogueName = name;
  cs.FullText = name;
  const bool counted = name[0] > '0' && name[0] <= '9';
  cs.Count = counted ? name[0] - '0' : 1;
  if (family.key.empty()) cs.family = (counted ? name.substr(0, 1) : std::string()) + shape.code;
  if (cs.Count == 1) cs.Arrangement.clear();
  CheckUnusedParts(w, cs, options, notes);
  return shape;
}

void CompleteInto(Section& s, SectionNotes& notes) {
  if (!s.usable || s.family == nullptr) return;
  s.family->properties(s.cs, s.props, notes);
}

// The last guard: whatever a formula made of extreme input, no inf or NaN leaves here.
void Sanitize(Section& s, SectionNotes& notes) {
  auto fix = [&notes](double& v, const char* name) {
    if (std::isfinite(v)) return;
    v = 0;
    notes.Add(std::string(name) + " is not a finite number; set to 0", std::string(name) + " عدد متناهی نیست؛ صفر در نظر گرفته شد");
  };
  for (const auto& [field, name] : kPropertyFields) fix(s.props.*field, name);
  for (const auto& [field, name] : kDimensionFields) fix(s.cs.*field, name);
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
