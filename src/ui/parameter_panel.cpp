#include "ui/parameter_panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "families/family_table.h"
#include "sections/designation_parts.h"

namespace tavo::ui {

namespace {

constexpr const char* kSetRange = "set min max for slider";
constexpr double kLengthMinimum = 0;  // cm

bool IsNumberText(std::string_view s) {
  const std::string t = Trim(s);
  if (t.empty()) return false;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  bool digit = false, dot = false;
  for (; i < t.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(t[i])))
      digit = true;
    else if ((t[i] == '.' || t[i] == ',') && !dot)
      dot = true;
    else
      return false;
  }
  return digit;
}

double ParseNumber(std::string_view s) {
  std::string t = Trim(s);
  std::replace(t.begin(), t.end(), ',', '.');  // a decimal comma typed by habit
  return NumericValue(t);
}


std::string StripCount(const std::string& family) {
  size_t i = 0;
  while (i < family.size() && std::isdigit(static_cast<unsigned char>(family[i]))) ++i;
  return family.substr(i);
}

double AngleLeg(const CurrentSection& cs) { return cs.h > 0 ? cs.h : cs.b; }

}  // namespace

int CutFixedDecimals(std::string& label) {
  const auto pos = label.rfind("\\fixn");
  if (pos == std::string::npos) return -1;
  const std::string digits = label.substr(pos + 5);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
    return -1;
  label.resize(pos);
  return std::stoi(digits);
}

std::string DisplayText(double v, int fixedDecimals) {
  if (fixedDecimals >= 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", std::min(fixedDecimals, 9), RoundTo(v, fixedDecimals));
    return buf;
  }
  return ShortestText(RoundTo(v, 4));
}

UpdateResult UpdateParameter(std::string_view command, const ParameterRow& row, std::string_view rowArgument) {
  UpdateResult r;
  std::string label = row.label;
  int fixed = CutFixedDecimals(label);
  if (fixed < 0) fixed = row.fixedDecimals;
  const double max = row.maximum, min = row.minimum, step = row.step, factor = row.factor > 0 ? row.factor : 1.0;
  double value = row.value;

  if (command == kSetRange) {
    r.exitSub = true;
    r.value = value;
    SliderSetup& s = r.slider;
    s.text = DisplayText(value * factor, fixed);
    if (!(min > max && max > 0)) {
      s.configured = true;
      if (max > 0)
        s.maximum = static_cast<int>(std::floor(max * factor));
      else if (value > 0)
        s.maximum = static_cast<int>(std::lround(2 * value * factor));
      else
        s.maximum = static_cast<int>(std::floor(min * factor)) + 10;  // nothing to double yet
      s.minimum = static_cast<int>(std::floor(min * factor));
      s.maximum = std::max(s.maximum, s.minimum);
      s.position = static_cast<int>(std::lround(value * factor));
      s.singleStep = std::max(1, static_cast<int>(std::lround(step * factor)));
      s.pageStep = std::max(1, (s.maximum - s.minimum) / 10);
    }
    const std::string lo = DisplayText(min * factor, fixed);
    const std::string unit = row.unit.empty() ? "" : " " + row.unit;
    s.tooltip = max > 0 ? lo + " < " + label + " < " + DisplayText(max * factor, fixed) + unit
                        : lo + unit + " < " + label;
    return r;
  }

  if (command == "+") {
    value += step;
    if (max > 0) value = std::min(value, max);
  } else if (command == "-") {
    value = VMax(value - step, min);
  } else if (command == "/void/") {
    // the value stays; the caller recomputes
  } else if (!command.empty() && command[0] == '=') {
    const std::string_view typed = command.substr(1);
    if (!IsNumberText(typed)) {
      r.exitSub = r.invalid = true;
      r.value = value;
      return r;
    }
    value = ParseNumber(typed) / factor;
    if (max > 0) value = std::min(value, max);
    // A dimension is never negative, even where the range starts at 0.
    if (min >= 0) value = std::max(value, min);
  } else if (!command.empty() && command[0] == ' ') {
    const auto eq = rowArgument.find('=');
    if (eq == std::string_view::npos || !IsNumberText(rowArgument.substr(eq + 1))) {
      r.exitSub = r.invalid = true;
      r.value = value;
      return r;
    }
    value = std::max(ParseNumber(rowArgument.substr(eq + 1)), min);
    if (max > 0) value = std::min(value, max);
  } else {
    r.exitSub = true;
    r.value = value;
    return r;
  }

  // Whole units for steps of 1 and more, else as many decimals as the step has; a step of 0
  // rounds up to the next multiple of 5.
  if (step >= 1) {
    value = RoundTo(value, 0);
  } else {
    const int digits = static_cast<int>(ShortestText(step).size()) - 2;
    value = RoundTo(value, digits);
  }
  r.value = value;
  return r;
}

std::span<const FamilyParameter> FamilyRows(const Section& section) {
  const SectionFamily* family = section.recognised ? section.family : nullptr;
  if (family == nullptr) return {};
  return section.cs.Count > 1 && !family->doubledParameters.empty() ? family->doubledParameters : family->parameters;
}

std::string ParameterList(const Section& section) {
  std::string list;
  for (const FamilyParameter& row : FamilyRows(section)) list += (list.empty() ? "" : "/") + std::string(row.name);
  return list.empty() ? "L" : list;
}

ParameterPanel::ParameterPanel(ComputeFn compute, const ProfileCatalogue* catalogue)
    : compute_(std::move(compute)), catalogue_(catalogue) {}

double* ParameterPanel::Field(CurrentSection& cs, const std::string& name) const {
  for (const FamilyParameter& row : FamilyRows(section_))
    if (row.name == name && row.field != nullptr) return &(cs.*row.field);
  return nullptr;
}

double ParameterPanel::FieldValue(const std::string& name) const {
  if (name == "L") return length_;
  if (name == "h" && catalogueIndex_ >= 0) return catalogueSize_;
  if (name == "CP") {
    const bool cover = edit_.PlateWidth * edit_.PlateThickness > 0;
    const bool web = edit_.WebPlateHeight * edit_.WebPlateThickness > 0;
    return 1 + (cover ? 1 : 0) + (web ? 2 : 0);
  }
  double* f = Field(const_cast<CurrentSection&>(edit_), name);
  return f ? *f : 0.0;
}

const CatalogueFamily* ParameterPanel::CatalogueOf() const {
  if (code_.empty() || !catalogue_) return nullptr;
  const CatalogueFamily& fam = catalogue_->Family(code_);
  return (fam.loaded && !fam.records.empty()) ? &fam : nullptr;
}

void ParameterPanel::ReadCatalogueState() {
  catalogueIndex_ = -1;
  catalogueFirst_ = catalogueLast_ = 0;
  catalogueSize_ = family_ != nullptr && family_->angleSizes ? AngleLeg(section_.cs) : section_.cs.h;
  if (code_.empty() || !catalogue_) return;
  const CatalogueStep st = StepCatalogue(*catalogue_, StandardFamilies(), kSetRange, designation_);
  if (!st.ok) return;
  catalogueIndex_ = st.index;
  catalogueSize_ = st.size;
  catalogueFirst_ = st.first;
  catalogueLast_ = st.last;
}

bool ParameterPanel::StepTo(int target) {
  if (!catalogue_ || catalogueIndex_ < 0) return false;
  bool moved = false;
  // One record at a time, so the size is written the way the catalogue routine reads it back.
  for (int guard = 0; catalogueIndex_ != target && guard < 1000; ++guard) {
    const CatalogueStep st =
        StepCatalogue(*catalogue_, StandardFamilies(), target > catalogueIndex_ ? "+" : "-", designation_);
    if (!st.ok || st.atLimit || st.index == catalogueIndex_ || st.index < 0) break;
    designation_ = st.designation;
    catalogueIndex_ = st.index;
    catalogueSize_ = st.size;
    moved = true;
  }
  return moved;
}

std::string ParameterPanel::SizeText() const {
  const std::string text = ToUpper(designation_);
  const ShapeName shape = ShapeOf(text, StandardFamilies());
  if (shape.at != std::string::npos && !shape.code.empty()) {
    const double size = SizeAfter(text, shape.at, shape.length);
    if (size > 0) return ShortestText(size);
  }
  // Small angle legs are written in cm: "L2" selects the 2 cm leg, "L20" would mean 20 cm.
  if (family_ != nullptr && family_->angleSizes && catalogueSize_ < 3) return ShortestText(catalogueSize_);
  return MmText(catalogueSize_);
}

std::string ParameterPanel::BuildDesignation() const {
  if (family_ == nullptr || family_->editorText == nullptr) return section_.cs.designation;
  const std::string profileName = code_.empty() ? std::string() : code_ + SizeText();
  return family_->editorText(edit_, profileName, count_, lengthFactor_);
}

void ParameterPanel::BuildParameterPanel(const Section& section, double memberLength) {
  section_ = section;
  edit_ = section.cs;
  length_ = memberLength;
  designation_ = section.cs.designation;
  family_ = section.recognised ? section.family : nullptr;
  count_ = std::max(1, section.cs.Count);
  code_ = family_ != nullptr && family_->catalogue ? StripCount(section.cs.family) : std::string();
  catalogueIndex_ = -1;
  catalogueSize_ = 0;
  ReadCatalogueState();
  rows_.clear();
  for (const std::string& label : Split(ParameterList(section_), '/')) {
    ParameterRow row;
    row.label = label;
    row.name = label;
    row.fixedDecimals = CutFixedDecimals(row.name);
    rows_.push_back(row);
  }
  RefreshRows();
}

int ParameterPanel::RowIndex(std::string_view name) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].name == name) return static_cast<int>(i);
  return -1;
}

void ParameterPanel::RefreshRows() {
  const EditorState state{section_.cs, edit_, count_};
  const std::span<const FamilyParameter> family = FamilyRows(section_);
  for (ParameterRow& r : rows_) {
    const std::string& nm = r.name;
    r.value = FieldValue(nm);
    r.factor = 10;
    r.unit = "mm";
    r.catalogue = false;
    r.minimum = r.maximum = 0;
    if (nm == "L") {
      // No lower limit of 50 cm: a short strut of 37 cm is a real member, and 0 means "no
      // length" as in the input file (the check then skips Fa).
      r.step = 10, r.minimum = kLengthMinimum, r.maximum = 5000, r.factor = 1, r.unit = "cm";
      continue;
    }
    if (nm == "h" && !code_.empty()) {
      r.catalogue = true;
      r.step = 1;
      r.minimum = catalogueFirst_;
      r.maximum = catalogueLast_;
      continue;
    }
    if (nm == "CP") r.factor = 1, r.unit = "";  // the plate arrangement is a choice, not a length
    for (const FamilyParameter& row : family)
      if (row.name == nm && row.limits != nullptr) {
        const ParameterLimits limits = row.limits(state);
        r.step = limits.step, r.minimum = limits.minimum, r.maximum = limits.maximum;
      }
  }
}

SliderSetup ParameterPanel::SliderFor(int index) const {
  if (index < 0 || index >= static_cast<int>(rows_.size())) return {};
  const ParameterRow& row = rows_[static_cast<size_t>(index)];
  SliderSetup s = UpdateParameter(kSetRange, row).slider;
  if (row.catalogue) {
    // The size row shows the profile size in mm; its slider runs from the first to the last size.
    s.text = MmText(row.value);
    s.singleStep = 1;
  }
  return s;
}

void ParameterPanel::ApplyPlatePreset(int preset) {
  CurrentSection& c = edit_;
  const CurrentSection& p = section_.cs;
  const double n = count_;
  const bool cover = preset == 2 || preset == 4;
  const bool web = preset == 3 || preset == 4;
  c.PlateWidth = cover ? RoundTo((n - 1) * c.d + p.b - 2, 0) : 0;
  c.PlateThickness = cover ? RoundTo(p.tf + 0.1, 1) : 0;
  c.WebPlateHeight = web ? RoundTo(p.h - 2 * p.tf, 1) : 0;
  c.WebPlateThickness = web ? RoundTo(p.tw + 0.1, 1) : 0;
  c.DPL = web ? c.WebPlateThickness + p.tw + (n - 1) * c.d : 0;
}

void ParameterPanel::Recompute(bool fromRows) {
  if (fromRows) designation_ = BuildDesignation();
  if (compute_) {
    section_ = compute_(designation_);
    if (section_.recognised) {
      // The computation may have raised a spacing to its minimum: edit from what it used.
      edit_ = section_.cs;
    } else {
      section_.cs = edit_;
      section_.cs.designation = designation_;
    }
  }
  ReadCatalogueState();
  RefreshRows();
}

bool ParameterPanel::ApplyParameterCommand(std::string_view command, int index) {
  if (command == kSetRange) return false;
  if (index < 0 || index >= static_cast<int>(rows_.size())) return false;
  ParameterRow& row = rows_[static_cast<size_t>(index)];

  if (row.catalogue) {
    int target = catalogueIndex_;
    if (command == "+") {
      target = catalogueIndex_ + 1;
    } else if (command == "-") {
      target = catalogueIndex_ - 1;
    } else if (!command.empty() && command[0] == '=') {
      // A typed or slid size in mm: the first record at least that large.
      const CatalogueFamily* fam = CatalogueOf();
      if (!fam || !IsNumberText(command.substr(1))) return false;
      const double key = ParseNumber(command.substr(1)) / 10.0;
      target = static_cast<int>(fam->records.size()) - 1;
      for (size_t i = 0; i < fam->records.size(); ++i)
        if (!fam->records[i].empty() && fam->records[i][0] >= key - 1e-9) {
          target = static_cast<int>(i);
          break;
        }
    } else if (command == "/void/") {
      Recompute(false);
      return true;
    } else {
      return false;
    }
    if (!StepTo(target)) return false;
    Recompute(false);
    return true;
  }

  const UpdateResult u = UpdateParameter(command, row);
  if (u.exitSub) return false;
  if (row.name == "L") {
    const bool changed = u.value != length_;
    length_ = u.value;
    row.value = u.value;
    return changed || command == "/void/";
  }
  if (row.name == "CP") {
    ApplyPlatePreset(static_cast<int>(std::clamp(u.value, 1.0, 4.0)));
  } else if (double* f = Field(edit_, row.name)) {
    *f = u.value;
    if (row.name == "wt") edit_.DPL = edit_.WebPlateThickness + section_.cs.tw + (count_ - 1) * edit_.d;
  } else {
    return false;
  }
  Recompute();
  return true;
}

}  // namespace tavo::ui
