// Choosing a catalogue record from a designation's size, and the editor's step from one
// record of a family to the next.
#include <cmath>
#include <string>

#include "core/text_util.h"
#include "sections/section_assembly.h"

namespace tavo {

namespace {

// A size text that selects record index of the family by the plain reading (no other reading,
// no ambiguity), or "" when none does.
std::string SizeTextFor(const CatalogueFamily& family, int index) {
  const double value = family.records[static_cast<std::size_t>(index)][0];
  for (const std::string& candidate : {MmText(value), ShortestText(value)}) {
    const SizeMatch m = MatchSize(family, NumericValue(candidate));
    if (m.kind == SizeMatch::Found && m.index == index) return candidate;
  }
  return {};
}


// The angle record of the written thickness (and equal legs) among those of the selected leg.
int AngleOfThickness(const CatalogueFamily& family, int index, const WrittenDesignation& w, bool millimetres,
                     SectionNotes& notes) {
  const double scale = millimetres ? 10 : 1;
  const std::string shown = ShownPart(w.thickness.text);
  const CatalogueRecord& chosen = family.records[static_cast<std::size_t>(index)];
  if (w.otherLeg.written && std::fabs(w.otherLeg.value / scale - chosen[0]) > 1e-9)
    notes.Add("\"" + shown + "\" has unequal legs; the catalogue stahl.L holds equal-leg angles",
              "\"" + shown + "\" ساق‌های نابرابر دارد؛ جدول پروفیل stahl.L فقط نبشی‌های بال مساوی دارد", shown);
  if (!w.thickness.written) return index;
  const double t = w.thickness.value / scale;
  std::string thicknesses;
  for (std::size_t i = 0; i < family.records.size(); ++i) {
    const CatalogueRecord& r = family.records[i];
    if (std::fabs(r[0] - chosen[0]) > 1e-9) continue;
    if (std::fabs(r[1] - t) <= 1e-9) return static_cast<int>(i);
    thicknesses += (thicknesses.empty() ? "" : ", ") + RecordName(family, static_cast<int>(i));
  }
  notes.Add("\"" + shown + "\": the catalogue stahl.L has this leg only as " + thicknesses,
            "\"" + shown + "\": جدول پروفیل stahl.L این ساق را فقط به صورت " + thicknesses + " دارد", shown);
  return index;
}

}  // namespace

const CatalogueRecord* SelectRecord(const ProfileCatalogue& catalogue, const WrittenDesignation& w,
                                    SectionNotes& notes) {
  const std::string& code = w.shape.code;
  const CatalogueFamily& family = catalogue.Family(code);
  if (!family.loaded) {
    notes.AddBilingual(family.problem);
    return nullptr;
  }
  const std::string file = "stahl." + code;
  if (family.records.empty()) {
    notes.Add("Catalogue file " + file + " holds no records", "فایل جدول پروفیل " + file + " هیچ رکوردی ندارد");
    return nullptr;
  }
  if (!w.size.written || !(w.size.value > 0)) {
    notes.Add("No profile size is written after " + code, "پس از " + code + " اندازه پروفیل نوشته نشده است",
              ShownPart(w.sizeText));
    return nullptr;
  }
  const SizeMatch m = MatchSize(family, w.size.value);
  const std::string written = ShownPart(w.sizeText);
  int index = m.index;
  switch (m.kind) {
    case SizeMatch::Found:
      break;
    case SizeMatch::OtherReading: {
      const std::string name = RecordName(family, index);
      notes.AddWarning("\"" + written + "\" is read as " + name + " (" + (m.millimetres ? "mm" : "cm") +
                           "), the only record of that size",
                       "\"" + written + "\" به صورت " + name + " (" + (m.millimetres ? "میلیمتر" : "سانتیمتر") +
                           ") خوانده شد، تنها رکورد با این اندازه",
                       written);
      break;
    }
    case SizeMatch::Ambiguous: {
      const std::string a = RecordName(family, m.index), b = RecordName(family, m.other);
      const std::string ta = code + SizeTextFor(family, m.index), tb = code + SizeTextFor(family, m.other);
      notes.Add("\"" + written + "\" can be read as " + a + " or as " + b + "; write " + ta + " or " + tb,
                "\"" + written + "\" را می‌توان " + a + " یا " + b + " خواند؛ " + ta + " یا " + tb + " بنویسید",
                written);
      break;
    }
    case SizeMatch::Missing: {
      const std::string below = RecordName(family, m.below), above = RecordName(family, m.above);
      const bool both = !below.empty() && !above.empty();
      const std::string en = both ? "the nearest catalogue sizes are " + below + " and " + above
                                  : "the nearest catalogue size is " + below + above;
      const std::string fa = both ? "نزدیک‌ترین اندازه‌های جدول " + below + " و " + above + " هستند"
                                  : "نزدیک‌ترین اندازه جدول " + below + above + " است";
      notes.Add("\"" + written + "\" is not in the catalogue " + file + "; " + en,
                "\"" + written + "\" در جدول پروفیل " + file + " نیست؛ " + fa, written);
      break;
    }
  }
  if (index < 0) return nullptr;
  if (w.shape.family != nullptr && w.shape.family->angleSizes && m.kind != SizeMatch::Missing)
    index = AngleOfThickness(family, index, w, m.millimetres, notes);
  const CatalogueRecord& record = family.records[static_cast<std::size_t>(index)];
  if (static_cast<int>(record.size()) < ProfileCatalogue::ItemsPerRecord(code)) return nullptr;
  return &record;
}

CatalogueStep StepCatalogue(const ProfileCatalogue& catalogue, const FamilyTable& families, std::string_view command,
                            std::string_view designation) {
  CatalogueStep step;
  const std::string text = TrimLeft(ToUpper(designation));
  step.designation = text;
  const std::string cmd = ToLower(Trim(command));
  const bool up = cmd == "+", down = cmd == "-", range = cmd == "set min max for slider";
  if (!up && !down && !range) {
    step.problem = "Unknown catalogue step \"" + std::string(command) + "\"||دستور ناشناخته برای جدول پروفیل \"" +
                   std::string(command) + "\"";
    return step;
  }
  SectionNotes ignored;
  const WrittenDesignation w = ReadDesignation(text, families, ignored);
  const ShapeName& shape = w.shape;
  if (shape.family == nullptr || !shape.family->catalogue) {
    step.problem = "\"" + text + "\" names no catalogue family||\"" + text + "\" هیچ خانواده‌ای از جدول پروفیل‌ها را نام نمی‌برد";
    return step;
  }
  step.family = shape.code;
  const CatalogueFamily& family = catalogue.Family(shape.code);
  if (!family.loaded || family.records.empty()) {
    step.problem = family.loaded ? "Catalogue file stahl." + shape.code + " holds no records||فایل جدول پروفیل stahl." +
                                       shape.code + " هیچ رکوردی ندارد"
                                 : family.problem;
    return step;
  }
  step.ok = true;
  step.count = static_cast<int>(family.records.size());
  step.first = family.records.front()[0];
  step.last = family.records.back()[0];

  const double size = w.size.written ? w.size.value : 0;
  const SizeMatch match = MatchSize(family, size);
  const double key = match.key;
  const int index = size > 0 && match.kind != SizeMatch::Missing ? match.index : -1;
  if (range) {
    step.index = index;
    step.size = index >= 0 ? family.records[static_cast<std::size_t>(index)][0] : 0;
    return step;
  }

  // The record to move to; a size between records (or missing) moves to the nearest one in that direction.
  int target = -1;
  if (index >= 0) {
    target = up ? index + 1 : index - 1;
  } else if (!(size > 0)) {
    target = 0;
  } else if (up) {
    for (int i = 0; i < step.count && target < 0; ++i)
      if (family.records[static_cast<std::size_t>(i)][0] > key) target = i;
  } else {
    for (int i = step.count - 1; i >= 0 && target < 0; --i)
      if (family.records[static_cast<std::size_t>(i)][0] < key) target = i;
  }
  std::string sizeText;
  while (target >= 0 && target < step.count && (sizeText = SizeTextFor(family, target)).empty()) target += up ? 1 : -1;
  if (target < 0 || target >= step.count) {
    step.atLimit = true;
    step.index = index;
    step.size = index >= 0 ? family.records[static_cast<std::size_t>(index)][0] : 0;
    return step;
  }
  step.designation = text.substr(0, w.sizeBegin) + sizeText + text.substr(w.sizeEnd);
  step.index = target;
  step.size = family.records[static_cast<std::size_t>(target)][0];
  return step;
}

}  // namespace tavo
