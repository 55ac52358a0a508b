// Choosing a catalogue record from a designation's size, and the editor's step from one
// record of a family to the next.
#include <string>

#include "core/text_util.h"
#include "sections/section_assembly.h"

namespace tavo {

namespace {

bool IsCatalogueKind(ShapeKind kind) {
  return kind == ShapeKind::Angle || kind == ShapeKind::Channel || kind == ShapeKind::Rolled ||
         kind == ShapeKind::Castellated;
}

// Where the size number after the family code stands: [begin, end); begin == end when none is written.
std::pair<std::size_t, std::size_t> SizeSpan(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t begin = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
  }
  return digits ? std::pair{begin, i} : std::pair{from, from};
}

// A size text that selects record index of the family, or "" when no written size reaches it
// (the 2.5 cm angle leg: "L25" is read as 25 cm and "L2.5" as 2 cm).
std::string SizeTextFor(const CatalogueFamily& family, int index) {
  const double value = family.records[static_cast<std::size_t>(index)][0];
  const double threshold = SelectionThreshold(family.code);
  for (const std::string& candidate : {MmText(value), ShortestText(value)})
    if (FindRecord(family, SelectionKey(NumericValue(candidate), threshold)) == index) return candidate;
  return {};
}

}  // namespace

const CatalogueRecord* SelectRecord(const ProfileCatalogue& catalogue, const ShapeName& shape, std::string_view text,
                                    SectionNotes& notes) {
  const CatalogueFamily& family = catalogue.Family(shape.code);
  if (!family.loaded) {
    notes.AddBilingual(family.problem);
    return nullptr;
  }
  const std::string file = "stahl." + shape.code;
  if (family.records.empty()) {
    notes.Add("Catalogue file " + file + " holds no records", "فایل جدول پروفیل " + file + " هیچ رکوردی ندارد");
    return nullptr;
  }
  const double size = SizeAfter(text, shape.at, shape.code.size());
  if (!(size > 0)) {
    notes.Add("No profile size is written after " + shape.code, "پس از " + shape.code + " اندازه پروفیل نوشته نشده است");
    return nullptr;
  }
  const double key = SelectionKey(size, SelectionThreshold(shape.code));
  int index = FindRecord(family, key);
  if (index < 0) {
    // The old behaviour, kept so that every size gives finite numbers: the last record read.
    index = static_cast<int>(family.records.size()) - 1;
    const std::string written = shape.code + ShortestText(size);
    const std::string lastSize = ShortestText(family.records.back()[0]);
    notes.Add(written + " is not in the catalogue " + file + " (sizes " + ShortestText(family.records.front()[0]) +
                  " to " + lastSize + " cm); its last record, " + lastSize + " cm, was used",
              written + " در جدول پروفیل " + file + " نیست (اندازه‌ها از " + ShortestText(family.records.front()[0]) +
                  " تا " + lastSize + " سانتیمتر)؛ آخرین رکورد آن، " + lastSize + " سانتیمتر، به کار رفت");
  }
  const CatalogueRecord& record = family.records[static_cast<std::size_t>(index)];
  if (static_cast<int>(record.size()) < ProfileCatalogue::ItemsPerRecord(shape.code)) return nullptr;
  return &record;
}

CatalogueStep StepCatalogue(const ProfileCatalogue& catalogue, std::string_view command, std::string_view designation) {
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
  const ShapeName shape = ShapeOf(text);
  if (!IsCatalogueKind(shape.kind)) {
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

  const std::size_t codeEnd = shape.at + shape.code.size();
  const double size = SizeAfter(text, shape.at, shape.code.size());
  const double key = SelectionKey(size, SelectionThreshold(shape.code));
  int index = size > 0 ? FindRecord(family, key) : -1;
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
  const auto [begin, end] = SizeSpan(text, codeEnd);
  step.designation = text.substr(0, begin) + sizeText + text.substr(end);
  step.index = target;
  step.size = family.records[static_cast<std::size_t>(target)][0];
  return step;
}

}  // namespace tavo
