#include "output/report.h"

#include <cctype>

#include "core/language.h"
#include "core/module_context.h"
#include "core/text_util.h"
#include "core/units.h"
#include "output/builtin_templates.h"
#include "resources/resource_store.h"
#include "output/output_texts.h"
#include "core/text_helpers.h"
#include "core/core_texts.h"

namespace tavo {

PaletteColour ReportColour(int index) {
  // The classic 16-colour palette, then the OK and not-OK colours.
  static constexpr PaletteColour kPalette[18] = {
      {0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128}, {128, 0, 0},     {128, 0, 128},
      {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},     {0, 255, 255},
      {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255}, {0, 150, 0},   {200, 0, 0}};
  if (index < 0 || index >= 18) return kPalette[0];
  return kPalette[index];
}

Report::Report(const ModuleContext& ctx, const ResourceStore* formulaStore)
    : fontSize(ctx.metrics.fontSize), ctx_(ctx), formulaStore_(formulaStore) {}

void Report::Clear() {
  runs_.clear();
  status.clear();
  sawNotOk = false;
  fontSize = ctx_.metrics.fontSize;
}

std::string Report::Pick(std::string_view text) const { return PickLanguage(text, ctx_.language); }

void Report::Append(ReportRun run) { runs_.push_back(std::move(run)); }

void Report::AppendBesideLine(ReportRun run) {
  if (!runs_.empty() && runs_.back().lineBreak) {
    runs_.back().lineBreak = false;
    run.lineBreak = true;
  }
  runs_.push_back(std::move(run));
}

void Report::LineBreak() {
  if (!runs_.empty() && !runs_.back().lineBreak) {
    runs_.back().lineBreak = true;
    return;
  }
  ReportRun r;
  r.size = fontSize;
  r.lineBreak = true;
  runs_.push_back(std::move(r));
}

const FormulaTemplate& Report::EnsureFormulaTemplate() {
  if (template_) return *template_;
  ++templateLoads_;
  std::optional<std::string> bytes;
  if (formulaStore_) {
    bytes = formulaStore_->Find(ResourceName(ctx_, ResourceKind::Formulas));
    if (!bytes) {
      const std::string name = ResourceName(ctx_, ResourceKind::Formulas);
      ShowWarning(ctx_, Fill(texts::kFormulasNotInStore, {{"name", name}, {"where", formulaStore_->Where()}}));
    }
  }
  template_ = FormulaTemplate::FromRtf(bytes ? std::string_view(*bytes) : BuiltinFormulaTemplate());
  return *template_;
}

void Report::WriteHeading(int colour, std::string_view text) {
  ReportRun r;
  r.text = Pick(text);
  r.colour = colour;
  r.size = fontSize;
  r.bold = r.underline = true;
  r.lineBreak = true;
  runs_.push_back(std::move(r));
}

void Report::WriteText(std::string_view text, int colour, int size, std::string_view style) {
  std::string picked = Pick(text);
  if (picked.empty()) {
    LineBreak();
    return;
  }
  ReportRun r;
  r.lineBreak = true;
  if (picked.back() == ';' || picked.back() == '\\') {
    picked.pop_back();
    r.lineBreak = false;
  }
  r.text = "   " + picked;
  r.colour = colour;
  r.size = size > 0 ? size : fontSize;
  for (char c : style) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
      case 'R': r.right = true; break;
      case 'B': r.bold = true; break;
      case 'U': r.underline = true; break;
      case 'I': r.italic = true; break;
      default: break;
    }
  }
  runs_.push_back(std::move(r));
}

namespace {
bool EndsWithNoCase(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && ToLower(s.substr(s.size() - tail.size())) == tail;
}
bool LooksNumeric(const std::string& s) {
  const std::string t = Trim(s);
  if (t.empty()) return false;
  const char c = t[0];
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}
}  // namespace

void Report::WriteValueLine(std::string_view label, double value, std::string_view unit, std::string_view mode,
                            std::optional<bool> st) {
  WriteValueLine(label, ShortestText(value), unit, mode, st);
}

void Report::WriteValueLine(std::string_view labelIn, std::string_view valueIn, std::string_view unitIn,
                            std::string_view mode, std::optional<bool> st) {
  const bool formulaMode = mode == "CODE";
  const std::string label = Pick(labelIn);
  const std::string trimmed = Trim(label);
  if (!formulaMode && (trimmed.empty() || trimmed.back() != '=')) return;
  if (suppressValueLines) return;
  const FormulaTemplate& tmpl = EnsureFormulaTemplate();

  std::string unit = Pick(unitIn);
  std::string value = Trim(Pick(valueIn));
  // Status marker at the end of the unit.
  if (!st) {
    if (EndsWithNoCase(unit, "\\y\\")) {
      st = true;
      unit.resize(unit.size() - 3);
    } else if (EndsWithNoCase(unit, "\\n\\")) {
      st = false;
      unit.resize(unit.size() - 3);
    }
  }
  if (st && !*st) {
    status = "N";
    sawNotOk = true;
  }
  // ", n": round the value to n decimals and cut the unit there.
  if (const auto comma = unit.find(", "); comma != std::string::npos) {
    const std::string rest = TrimLeft(unit.substr(comma + 2));
    if (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
      if (LooksNumeric(value)) value = ShortestText(RoundTo(NumericValue(value), static_cast<int>(NumericValue(rest))));
      unit.resize(comma);
    }
  }
  if (!unit.empty() && unit.back() == '2') unit.replace(unit.size() - 1, 1, "²");
  else if (!unit.empty() && unit.back() == '3') unit.replace(unit.size() - 1, 1, "³");
  std::string continuation;
  bool closes = true;
  if (!unit.empty() && unit.back() == ';') {
    unit.pop_back();
    continuation = " ";
    closes = false;
  } else if (!unit.empty() && unit.back() == '\\') {
    unit.pop_back();
    continuation = std::string(9, ' ');
    closes = false;
  }

  ReportRun head;
  head.size = fontSize;
  if (formulaMode) {
    const auto block = tmpl.FormulaBlock(label);
    if (block.status == FormulaTemplate::BlockStatus::MissingEnd) {
      ShowMessage(ctx_, texts::kFormulationError, texts::kError);
      return;
    }
    if (block.status == FormulaTemplate::BlockStatus::MissingStart) {
      head.text = "?\?\?!!!" + FormulaLabel(label) + " = " + value + " " + unit;
      head.lineBreak = true;
      runs_.push_back(std::move(head));
      return;
    }
    head.text = "   " + block.text + " = ";
  } else {
    head.text = "   " + label + " ";
  }
  runs_.push_back(std::move(head));
  ReportRun tail;
  tail.size = fontSize;
  tail.text = value + " " + unit + continuation;
  tail.colour = st ? (*st ? kOkColour : kNotOkColour) : 0;
  runs_.push_back(std::move(tail));
  if (!closes) return;
  if (!st)
    LineBreak();
  else if (*st)
    WriteOkSymbol();
  else
    WriteNotOkSymbol();
}

void Report::WriteRule(int n) {
  if (n < 1) {
    LineBreak();
    return;
  }
  ReportRun r;
  r.text = std::string(static_cast<size_t>(n), '_');
  r.size = fontSize;
  r.lineBreak = true;
  runs_.push_back(std::move(r));
}

void Report::WriteOkSymbol() {
  const TemplateSymbol sym = EnsureFormulaTemplate().OkSymbol();
  ReportRun r;
  r.text = "  " + sym.text;
  r.font = sym.font;
  r.colour = kOkColour;
  r.size = fontSize;
  r.role = RunRole::Symbol;
  r.lineBreak = true;  // the symbol closes its line
  runs_.push_back(std::move(r));
}

void Report::WriteNotOkSymbol() {
  status = "N";
  sawNotOk = true;
  if (drawNotOkMark) {
    drawNotOkMark();
    return;
  }
  const TemplateSymbol sym = EnsureFormulaTemplate().NotOkSymbol();
  ReportRun r;
  r.text = "  " + sym.text;
  r.font = sym.font;
  r.colour = 12;
  r.size = fontSize;
  r.role = RunRole::Symbol;
  r.lineBreak = true;
  runs_.push_back(std::move(r));
}

void Report::EndValueLine(std::string_view markerIn) {
  const std::string marker = ToLower(markerIn);
  if (marker == "\\y\\")
    WriteOkSymbol();
  else if (marker == "\\n\\")
    WriteNotOkSymbol();
  else
    LineBreak();
}

void Report::WriteVerdict(std::string_view text) {
  if (status == "Y") {
    WriteText("");
    WriteText((text.empty() ? std::string("OK.") : Pick(text)) + ";", kOkColour, 0, "B");
    EndValueLine("\\y\\");
  } else if (status == "N") {
    WriteText("");
    WriteText((text.empty() ? std::string("NOT OK.") : Pick(text)) + ";", kNotOkColour, 0, "B");
    EndValueLine("\\n\\");
  }
}

}  // namespace tavo
