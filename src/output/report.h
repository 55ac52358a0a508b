#pragma once
// A report as data: a sequence of styled runs, appended by the writers of the report pane
// (headings, texts, value lines, rules, status symbols and the verdict). Writers turn the
// runs into plain text, RTF or HTML; the desktop program renders them in its pane.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/formula_template.h"

namespace tavo {

struct ModuleContext;
class ResourceStore;

// Colours are indices of the classic 16-colour palette; these two are the status colours.
inline constexpr int kOkColour = 16;     // RGB(0,150,0)
inline constexpr int kNotOkColour = 17;  // RGB(200,0,0)
inline constexpr int kWarningColour = 6;  // dark yellow: apart from the red of not OK, readable on white

struct PaletteColour {
  int r, g, b;
};
PaletteColour ReportColour(int index);

enum class RunRole {
  Text,
  Symbol,    // an OK / not-OK symbol copied from the formula template
  AxisName,  // the Greek axis name of a single angle (ζζ, ηη) beside its lines
};

struct ReportRun {
  std::string text;  // UTF-8, already in the interface language
  int colour = 0;
  int size = 8;
  bool bold = false, underline = false, italic = false;
  bool right = false;      // right-aligned (this run's line)
  bool lineBreak = false;  // a line break follows the run
  std::string font;        // empty: the report font
  RunRole role = RunRole::Text;

  bool operator==(const ReportRun&) const = default;
};

class Report {
 public:
  // formulaStore: where the formula template comes from (null: the built-in one).
  explicit Report(const ModuleContext& ctx, const ResourceStore* formulaStore = nullptr);

  // Prepares the pane for a new report: no runs, empty status. The template stays loaded.
  void Clear();

  void WriteHeading(int colour, std::string_view text);
  void WriteText(std::string_view text, int colour = 0, int size = 0, std::string_view style = {});
  void WriteValueLine(std::string_view label, std::string_view value, std::string_view unit,
                      std::string_view mode = {}, std::optional<bool> status = {});
  void WriteValueLine(std::string_view label, double value, std::string_view unit, std::string_view mode = {},
                      std::optional<bool> status = {});
  void WriteRule(int n);
  void WriteVerdict(std::string_view text);
  void EndValueLine(std::string_view marker);
  void WriteOkSymbol();
  void WriteNotOkSymbol();
  // A run as it stands (no blanks added, no language pick).
  void Append(ReportRun run);
  // A run at the end of the line just closed, before its line break.
  void AppendBesideLine(ReportRun run);

  // Loads the formula template on first need; later calls return the loaded one.
  const FormulaTemplate& EnsureFormulaTemplate();
  int templateLoads() const { return templateLoads_; }

  const std::vector<ReportRun>& runs() const { return runs_; }
  const ModuleContext& context() const { return ctx_; }

  // "" at the start, "N" after a not-OK line or symbol, "<void>" when the report is complete.
  std::string status;
  // True once a not-OK line or symbol was written since Clear(): the element's mark.
  bool sawNotOk = false;
  // Tab 3 of the pane: value lines write nothing.
  bool suppressValueLines = false;
  int fontSize = 8;
  // Set when the report target is the drawing window: a not-OK mark is drawn there instead.
  std::function<void()> drawNotOkMark;

 private:
  std::string Pick(std::string_view text) const;
  void LineBreak();

  const ModuleContext& ctx_;
  const ResourceStore* formulaStore_;
  std::optional<FormulaTemplate> template_;
  int templateLoads_ = 0;
  std::vector<ReportRun> runs_;
};

}  // namespace tavo
