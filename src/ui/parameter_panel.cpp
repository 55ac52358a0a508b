#include "ui/parameter_panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
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
double AngleThickness(const CurrentSection& cs) { return cs.tw > 0 ? cs.tw : (cs.t > 0 ? cs.t : cs.tf); }

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

PanelKind KindOfSection(const CurrentSection& cs) {
  const std::string& f = cs.family;
  if (f.empty()) return PanelKind::None;
  if (f == "PG") return PanelKind::PlateGirder;
  if (f == "C") return PanelKind::Cross;
  if (f == "BOX") return PanelKind::Box;
  if (f == "TUBE") return PanelKind::Tube;
  if (f == "L") return PanelKind::Angle;
  if (f == "UNP") return PanelKind::Channel;
  if (cs.Count <= 1 && !TrimLeft(cs.BaseText).empty() && TrimLeft(cs.BaseText)[0] == 'H') return PanelKind::HalfProfile;
  return PanelKind::RolledI;
}

std::string ParameterList(const CurrentSection& cs) {
  switch (KindOfSection(cs)) {
    case PanelKind::PlateGirder: return "hw/tw/bf1/tf1/bf2/tf2/L";
    case PanelKind::Cross: return "h1/h2/tw/b1/tf1/b2/tf2/L";
    case PanelKind::Box: return "hw/tw/bf/tf/d/L";
    case PanelKind::Tube: return "D/t/L";
    case PanelKind::Angle:
    case PanelKind::Channel: return cs.Count > 1 ? "h/tpl/d/L" : "h/L";
    case PanelKind::RolledI: return cs.Count > 1 ? "h/bpl/tpl/wb/wt/dpl/CP/d/L" : "h/bpl/tpl/wb/wt/dpl/CP/L";
    case PanelKind::HalfProfile: return "h/bpl/tpl/wb/wt/dpl/CP/h'/L";
    case PanelKind::None: break;
  }
  return "L";
}

ParameterPanel::ParameterPanel(ComputeFn compute, const ProfileCatalogue* catalogue)
    : compute_(std::move(compute)), catalogue_(catalogue) {}

double* ParameterPanel::Field(CurrentSection& cs, const std::string& name) const {
  switch (kind_) {
    case PanelKind::PlateGirder:
      if (name == "hw") return &cs.hw;
      if (name == "tw") return &cs.tw;
      if (name == "bf1") return &cs.bf1;
      if (name == "tf1") return &cs.tf1;
      if (name == "bf2") return &cs.bf2;
      if (name == "tf2") return &cs.tf2;
      break;
    case PanelKind::Cross:
      if (name == "h1") return &cs.h1;
      if (name == "h2") return &cs.h2;
      if (name == "tw") return &cs.tw;
      if (name == "b1") return &cs.bf1;
      if (name == "tf1") return &cs.tf1;
      if (name == "b2") return &cs.bf2;
      if (name == "tf2") return &cs.tf2;
      break;
    case PanelKind::Box:
      if (name == "hw") return &cs.hw;
      if (name == "tw") return &cs.tw;
      if (name == "bf") return &cs.b;
      if (name == "tf") return &cs.tf;
      if (name == "d") return &cs.d;
      break;
    case PanelKind::Tube:
      if (name == "D") return &cs.D;
      if (name == "t") return &cs.t;
      break;
    case PanelKind::Angle:
    case PanelKind::Channel:
      if (name == "tpl") return &cs.PlateThickness;
      if (name == "d") return &cs.d;
      break;
    case PanelKind::RolledI:
    case PanelKind::HalfProfile:
      if (name == "bpl") return &cs.PlateWidth;
      if (name == "tpl") return &cs.PlateThickness;
      if (name == "wb") return &cs.WebPlateHeight;
      if (name == "wt") return &cs.WebPlateThickness;
      if (name == "dpl") return &cs.DPL;
      if (name == "d") return &cs.d;
      if (name == "h'") return &cs.heightChange;
      break;
    case PanelKind::None: break;
  }
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
  catalogueSize_ = kind_ == PanelKind::Angle ? AngleLeg(section_.cs) : section_.cs.h;
  if (code_.empty() || !catalogue_) return;
  const CatalogueStep st = StepCatalogue(*catalogue_, kSetRange, designation_);
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
    const CatalogueStep st = StepCatalogue(*catalogue_, target > catalogueIndex_ ? "+" : "-", designation_);
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
  const ShapeName shape = ShapeOf(text);
  if (shape.at != std::string::npos && !shape.code.empty()) {
    const double size = SizeAfter(text, shape.at, shape.code.size());
    if (size > 0) return ShortestText(size);
  }
  // Small angle legs are written in cm: "L2" selects the 2 cm leg, "L20" would mean 20 cm.
  if (kind_ == PanelKind::Angle && catalogueSize_ < 3) return ShortestText(catalogueSize_);
  return MmText(catalogueSize_);
}

std::string ParameterPanel::BuildDesignation() const {
  const CurrentSection& c = edit_;
  const auto spacing = [&](const char* key) {
    return std::string("  (") + key + "=" + ShortestText(RoundTo(c.d / lengthFactor_, 4)) + ")";
  };
  switch (kind_) {
    case PanelKind::PlateGirder:
      return "PG " + MmText(c.hw) + "*" + MmText(c.tw) + "*" + MmText(c.bf1) + "*" + MmText(c.tf1) + "*" +
             MmText(c.bf2) + "*" + MmText(c.tf2);
    case PanelKind::Cross:
      return "CROSS " + MmText(c.h1) + "*" + MmText(c.h2) + "*" + MmText(c.tw) + "*" + MmText(c.bf1) + "*" +
             MmText(c.tf1) + "*" + MmText(c.bf2) + "*" + MmText(c.tf2);
    case PanelKind::Box:
      return "BOX " + MmText(c.hw) + "*" + MmText(c.tw) + "*" + MmText(c.b) + "*" + MmText(c.tf) + spacing("D");
    case PanelKind::Tube: return "TUBE " + MmText(c.D) + "*" + MmText(c.t);
    case PanelKind::Angle:
    case PanelKind::Channel: {
      std::string s = count_ > 1 ? "2" : "";
      if (kind_ == PanelKind::Angle) {
        s += "L" + SizeText();
        if (count_ > 1 && c.Arrangement == "<>") s += "<>";
      } else {
        s += "UNP" + SizeText();
        if (count_ > 1) s += " " + std::string(c.Arrangement == "][" ? "][" : "[]");
      }
      if (c.PlateWidth > 0 || c.PlateThickness > 0) s += " +PL" + MmText(c.PlateWidth) + "*" + MmText(c.PlateThickness);
      if (count_ > 1) s += spacing("d");
      return s;
    }
    case PanelKind::RolledI:
    case PanelKind::HalfProfile: {
      std::string s = count_ > 1 ? std::to_string(count_) : "";
      s += code_ + SizeText();
      if (c.heightChange > 0) s += "-" + MmText(c.heightChange);
      // A plate with one size still zero is kept, so the other size the user typed survives.
      if (c.PlateWidth > 0 || c.PlateThickness > 0) s += "+2PL" + MmText(c.PlateWidth) + "*" + MmText(c.PlateThickness);
      if (c.WebPlateHeight > 0 || c.WebPlateThickness > 0) {
        s += "+2WPL" + MmText(c.WebPlateHeight) + "*" + MmText(c.WebPlateThickness);
        // In centimetres whatever the input's length unit: the reader takes DPL= as cm (mm from 100 up).
        s += "  DPL=" + ShortestText(RoundTo(c.DPL, 4));
      }
      if (count_ > 1) s += spacing("d");
      return s;
    }
    case PanelKind::None: break;
  }
  return section_.cs.designation;
}

void ParameterPanel::BuildParameterPanel(const Section& section, double memberLength) {
  section_ = section;
  edit_ = section.cs;
  length_ = memberLength;
  designation_ = section.cs.designation;
  kind_ = section.recognised ? KindOfSection(section.cs) : PanelKind::None;
  count_ = std::max(1, section.cs.Count);
  code_.clear();
  catalogueIndex_ = -1;
  catalogueSize_ = 0;
  if (kind_ == PanelKind::Angle)
    code_ = "L";
  else if (kind_ == PanelKind::Channel)
    code_ = "UNP";
  else if (kind_ == PanelKind::RolledI || kind_ == PanelKind::HalfProfile)
    code_ = StripCount(section.cs.family);
  ReadCatalogueState();
  rows_.clear();
  for (const std::string& label : Split(ParameterList(section_.cs), '/')) {
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
  const CurrentSection& cs = section_.cs;
  const double n = count_;
  const double d = edit_.d;
  const double b = cs.b, tf = cs.tf, h = cs.h, tw = cs.tw;
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
    switch (kind_) {
      case PanelKind::RolledI:
      case PanelKind::HalfProfile: {
        const double wt = edit_.WebPlateThickness, wb = edit_.WebPlateHeight;
        if (nm == "bpl") r.step = 1, r.minimum = 0, r.maximum = 2 * b + (n - 1) * d;
        if (nm == "tpl") r.step = 0.1, r.minimum = 0, r.maximum = 3 * tf;
        if (nm == "wb") r.step = 1, r.minimum = 0, r.maximum = h - 2 * tf;
        if (nm == "wt") r.step = 0.1, r.minimum = 0, r.maximum = 0;
        if (nm == "dpl") {
          r.step = 1;
          r.minimum = wb <= h - 2 * tf ? tw : b + wt + (n - 1) * d;
          r.maximum = (n - 1) * d + b + wt + 3;
        }
        if (nm == "CP") r.step = 1, r.minimum = 1, r.maximum = 4, r.factor = 1, r.unit = "";
        if (nm == "d") r.step = 1, r.minimum = b, r.maximum = 3 * b;
        if (nm == "h'") r.step = 1, r.minimum = 0, r.maximum = 0;
        break;
      }
      case PanelKind::Angle:
      case PanelKind::Channel: {
        const double e = cs.e;
        const double leg = kind_ == PanelKind::Angle ? AngleLeg(cs) : b;
        const double flange = kind_ == PanelKind::Angle ? AngleThickness(cs) : tf;
        if (nm == "tpl") r.step = 0.1, r.minimum = 0, r.maximum = 5 * flange;
        if (nm == "d") {
          r.step = 1, r.maximum = 3 * leg;
          if (kind_ == PanelKind::Angle)
            r.minimum = cs.Arrangement == "<>" ? std::sqrt(2.0) * (leg + AngleThickness(cs) - 2 * e) : 2 * e;
          else
            r.minimum = cs.Arrangement == "][" ? 2 * e : 2 * b - 2 * e;
        }
        break;
      }
      case PanelKind::Tube:
        if (nm == "D") r.step = 1, r.minimum = 2 * edit_.t, r.maximum = 0;
        if (nm == "t") r.step = 0.1, r.minimum = 0.4, r.maximum = edit_.D / 2;
        break;
      case PanelKind::Box:
        if (nm == "hw" || nm == "bf") r.step = 1, r.minimum = 1, r.maximum = 0;
        if (nm == "tw") r.step = 0.1, r.minimum = 0.1, r.maximum = edit_.hw / 2;
        if (nm == "tf") r.step = 0.1, r.minimum = 0.1, r.maximum = 0;
        if (nm == "d") r.step = 1, r.minimum = edit_.tw, r.maximum = edit_.b + edit_.tw;
        break;
      case PanelKind::PlateGirder:
        if (nm == "hw") r.step = 0, r.minimum = 1, r.maximum = 0;
        if (nm == "tw") r.step = 0.1, r.minimum = 0.1, r.maximum = edit_.hw / 2;
        if (nm == "bf1" || nm == "bf2") r.step = 1, r.minimum = 1, r.maximum = 0;
        if (nm == "tf1" || nm == "tf2") r.step = 0.1, r.minimum = 0.1, r.maximum = 0;
        break;
      case PanelKind::Cross:
        if (nm == "h1" || nm == "h2" || nm == "b1" || nm == "b2") r.step = 1, r.minimum = 1, r.maximum = 0;
        if (nm == "tw") r.step = 0.1, r.minimum = 0.4, r.maximum = edit_.h1 / 2;
        if (nm == "tf1") r.step = 0.1, r.minimum = 0.4, r.maximum = edit_.bf1 / 2;
        if (nm == "tf2") r.step = 0.1, r.minimum = 0.4, r.maximum = edit_.bf2 / 2;
        break;
      case PanelKind::None: break;
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
