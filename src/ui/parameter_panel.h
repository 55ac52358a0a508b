#pragma once
// The section editor's logic without widgets: which parameter rows a section has, their
// ranges and steps, the one update rule every button, slider and typed value goes through,
// and rebuilding the designation so the section is computed again from it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sections/profile_catalogue.h"
#include "sections/section.h"

namespace tavo::ui {

struct ParameterRow {
  std::string name;        // the label without its "\fixn" suffix
  std::string label;       // as listed, may end in "\fixn" + digits
  double value = 0;        // cm, or a plain number (CP)
  double step = 0;
  double maximum = 0;      // 0: open
  double minimum = 0;
  double factor = 10;      // display = value x factor
  int fixedDecimals = -1;  // from "\fixn"
  bool catalogue = false;  // steps through the records of the family's catalogue
  std::string unit;        // "mm", "cm" or ""
};

struct SliderSetup {
  bool configured = false;  // false when the range is empty (min above max)
  int minimum = 0, maximum = 0, position = 0, singleStep = 1, pageStep = 1;
  std::string text;     // the value as the row's box shows it
  std::string tooltip;  // the permitted range around the label
};

struct UpdateResult {
  bool exitSub = false;  // nothing to recompute (slider configured, or an unreadable value)
  bool invalid = false;  // the typed text was not a number
  double value = 0;
  SliderSetup slider;
};

// One command on one row: "set min max for slider", "+", "-", "/void/", "=" + number, or a
// command starting with a blank that takes the number after "=" in rowArgument.
UpdateResult UpdateParameter(std::string_view command, const ParameterRow& row, std::string_view rowArgument = {});

// Cuts a trailing "\fixn" + digits off a label; returns the digit count or -1.
int CutFixedDecimals(std::string& label);

// The display text of a value: fixed decimals when given, else the shortest text.
std::string DisplayText(double displayValue, int fixedDecimals);

// The editor rows of a section's family for its count of profiles; empty for no family.
std::span<const FamilyParameter> FamilyRows(const Section& section);
// The "/"-separated parameter list of a section (e.g. "hw/tw/bf1/tf1/bf2/tf2/L").
std::string ParameterList(const Section& section);

class ParameterPanel {
 public:
  using ComputeFn = std::function<Section(const std::string& designation)>;

  // catalogue may be null: the size row of a rolled profile then cannot step.
  ParameterPanel(ComputeFn compute, const ProfileCatalogue* catalogue);

  // cm per length unit of the input file: spacings in designations are in that unit.
  void SetLengthFactor(double cmPerDataUnit) { lengthFactor_ = cmPerDataUnit > 0 ? cmPerDataUnit : 1.0; }

  // Chooses the rows for the section and fills their values and ranges.
  void BuildParameterPanel(const Section& section, double memberLength);

  // The single entry point for every change. True when the section (or L) changed and the
  // member must be checked and reported again.
  bool ApplyParameterCommand(std::string_view command, int row);

  // The slider range and box text of a row ("set min max for slider").
  SliderSetup SliderFor(int row) const;

  const std::vector<ParameterRow>& rows() const { return rows_; }
  int RowIndex(std::string_view name) const;
  const SectionFamily* family() const { return family_; }
  const Section& section() const { return section_; }
  double memberLength() const { return length_; }
  const std::string& designation() const { return designation_; }
  // The designation the rows describe (what ApplyParameterCommand computes next).
  std::string BuildDesignation() const;
  // Index of the current record in the family's catalogue, -1 when not a catalogue section.
  int catalogueIndex() const { return catalogueIndex_; }

 private:
  double* Field(CurrentSection& cs, const std::string& name) const;
  double FieldValue(const std::string& name) const;
  void RefreshRows();
  void ApplyPlatePreset(int preset);
  const CatalogueFamily* CatalogueOf() const;
  void ReadCatalogueState();
  bool StepTo(int index);
  std::string SizeText() const;
  void Recompute(bool fromRows = true);

  ComputeFn compute_;
  const ProfileCatalogue* catalogue_ = nullptr;
  double lengthFactor_ = 1.0;
  const SectionFamily* family_ = nullptr;
  Section section_;
  CurrentSection edit_;  // the values being edited; the designation is rebuilt from them
  double length_ = 0;
  std::string designation_;
  std::string code_;  // catalogue family code ("IPE", "L", "UNP", ...)
  int count_ = 1;
  int catalogueIndex_ = -1;
  double catalogueSize_ = 0;  // first item of the selected record (cm)
  double catalogueFirst_ = 0, catalogueLast_ = 0;
  std::vector<ParameterRow> rows_;
};

}  // namespace tavo::ui
