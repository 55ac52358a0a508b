#include "input/design_constants.h"

#include <cmath>

#include "core/startup.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "input/input_file.h"
#include "input/ini_file.h"

namespace tavo {

ConstantRow* DesignConstants::Find(int row) {
  for (auto& r : rows)
    if (r.row == row) return &r;
  return nullptr;
}
const ConstantRow* DesignConstants::Find(int row) const { return const_cast<DesignConstants*>(this)->Find(row); }

std::string ConstantsFilePath(const ModuleContext& ctx) { return SettingsFileFor(ctx.installDir); }

namespace {
// A row's number: the whole text when it is one, as the settings reader and the Fy check read it
// (a prefix reader stops inside a long exponent: "25000e-0000001"), else its leading number.
double RowNumber(const std::string& text) {
  if (const auto v = ParseNumber(Trim(text))) return *v;
  return NumericValue(text);
}
}  // namespace

double ValueInBase(const ConstantRow& row, const UnitSystem& units) {
  const double v = RowNumber(row.value);
  if (row.dimension.empty() || row.dimension == "BAR") return v;
  return ConvertToBase(v, row.dimension, units);
}

namespace {
std::string NumberToText(double v) { return ShortestText(RoundTo(v, 6)); }

// A number's ASCII digits as Persian ones, for a Persian sentence.
std::string PersianDigits(const std::string& text) {
  static constexpr const char* kDigits[] = {"۰", "۱", "۲", "۳", "۴", "۵", "۶", "۷", "۸", "۹"};
  std::string out;
  for (const char c : text) out += (c >= '0' && c <= '9') ? kDigits[c - '0'] : std::string(1, c);
  return out;
}

// Where a value was read, for the messages.
struct Origin {
  const char* english;
  const char* persian;
};
constexpr Origin kInputBlock{"the constants block of the input", "بلوک ثابت‌های فایل ورودی"};
constexpr Origin kSettingsFile{"the settings file", "فایل تنظیمات"};

// Item keyIndex of a value text, read in the units it was written in and given back as text in
// the display units. A value that is not a number is reported and the default stands in.
std::string ReadValue(const std::string& valueText, int keyIndex, double defaultValue, const std::string& dimension,
                      const UnitSystem& from, const ModuleContext& ctx, Origin origin, const std::string& subject,
                      Diagnostics& problems) {
  const auto items = Split(valueText, ',');
  const size_t n = static_cast<size_t>(keyIndex < 1 ? 1 : keyIndex);
  const std::string item = n <= items.size() ? Trim(items[n - 1]) : std::string();
  if (dimension == "BAR") return item.empty() ? NumberToText(defaultValue) : item;
  const UnitLabelResult display = UnitLabel(dimension, 0, ctx.displayUnits);
  const auto v = ParseNumber(item);
  if (!v) {
    const std::string unit = UnitLabel(dimension, 0, UnitSystem{}).label;
    const std::string def = ShortestText(defaultValue) + (unit.empty() ? "" : " " + unit);
    AddDiagnostic(problems, Severity::Error,
                  subject + " in " + origin.english + " is not a number; the default " + def + " is used",
                  subject + " در " + origin.persian + " عدد نیست؛ مقدار پیش‌فرض " + def + " به کار می‌رود", subject);
    return NumberToText(display.FromBase(defaultValue));
  }
  // Written in the display units already: kept as written, with no round trip through kg and cm.
  if (from.forceFactor == ctx.displayUnits.forceFactor && from.lengthFactor == ctx.displayUnits.lengthFactor)
    return NumberToText(*v);
  return NumberToText(display.FromBase(ConvertToBase(*v, dimension, from)));
}

// The settings file's units: its UNITS=, else the built-in [kg]-[cm].
UnitSystem SettingsUnits(const ModuleContext& ctx, Diagnostics* problems) {
  const std::string text = Trim(ReadSetting(ctx, ctx.moduleKey, "units", ConstantsFilePath(ctx)));
  if (text.empty()) return UnitSystem{};
  const UnitsTextCheck check = CheckUnitsText(text);
  if (!check.ok) {
    if (problems)
      AddDiagnostic(*problems, Severity::Error, check.english + " (UNITS= in the settings file); [kg]-[cm] is used",
                    check.persian + " (UNITS= در فایل تنظیمات)؛ [kg]-[cm] به کار می‌رود", "UNITS=" + text);
    return UnitSystem{};
  }
  return UnitFactors("units=" + text);
}
}  // namespace

namespace {

// What the module knows of each of its constants.
struct ConstantDefinition {
  int row;
  const char* key;
  int keyIndex;
  double defaultValue;
  const char* dimension;     // a dimension letter, or "BAR" for a list choice
  double minimum, maximum;   // in kg and cm
  const char* label;         // bilingual
  const char* hint1;
  const char* hint2;
};

constexpr ConstantDefinition kConstants[] = {
    {1, "Fy", 1, kDefaultFy, "S", 2000, 4000, "Fy|Fy||تنش تسلیم فولاد Fy", "Yield stress of the steel||تنش تسلیم فولاد",
     ""},
};

// One constant read afresh: the input's constants block, else the settings file, else the default.
void DefineConstant(DesignConstants& constants, ModuleContext& ctx, const ConstantDefinition& definition) {
  if (definition.row < 1 || definition.row > kMaxConstantRows) return;
  ConstantRow* r = constants.Find(definition.row);
  if (!r) {
    constants.rows.push_back(ConstantRow{});
    r = &constants.rows.back();
    r->row = definition.row;
  }
  const std::string key = definition.key;
  const std::string dimension = definition.dimension;
  r->label = definition.label;
  r->key = key;
  r->keyIndex = definition.keyIndex;
  r->defaultValue = definition.defaultValue;
  r->dimension = dimension;
  r->problems.clear();
  // The key in any letter case, with or without blanks around "=": "FY = 2500" is Fy too.
  std::vector<Assignment> given;
  if (!key.empty())
    for (const Assignment& a : ScanAssignments(ctx.constantsText))
      if (a.assigns && ToUpper(a.key) == ToUpper(key)) given.push_back(a);
  if (!given.empty()) {
    r->source = ValueSource::InputFile;
    std::string all;
    bool differ = false;
    for (const Assignment& a : given) {
      all += (all.empty() ? "" : " ") + a.text;
      differ = differ || Trim(a.value) != Trim(given.front().value);
    }
    if (differ)
      AddDiagnostic(r->problems, Severity::Error,
                    key + " is given more than once in the constants block with different values; the first is used",
                    key + " بیش از یک بار با مقدارهای متفاوت در بلوک ثابت‌ها آمده است؛ اولی به کار می‌رود", all);
    const UnitSystem blockUnits =
        UnitFactors("units=" + ConstantsBlockUnits(ctx.constantsText, &r->problems), ctx.messages);
    r->value = ReadValue(given.front().value, definition.keyIndex, definition.defaultValue, dimension, blockUnits, ctx,
                         kInputBlock, given.front().text, r->problems);
  } else {
    const std::string text = Trim(ReadSetting(ctx, ctx.moduleKey, key, ConstantsFilePath(ctx)));
    if (!text.empty()) {
      r->source = ValueSource::SettingsFile;
      // A settings value is in the settings file's units, whatever units the input uses.
      const UnitSystem units = SettingsUnits(ctx, &r->problems);
      r->value = ReadValue(text, definition.keyIndex, definition.defaultValue, dimension, units, ctx, kSettingsFile,
                           ToUpper(key) + "=" + text, r->problems);
    } else {
      // Neither the input nor the settings give it: the built-in default, in display units.
      const UnitLabelResult u = UnitLabel(dimension, 0, ctx.displayUnits);
      r->value = NumberToText(dimension == "BAR" ? definition.defaultValue : u.FromBase(definition.defaultValue));
      r->source = ValueSource::Default;
    }
  }
  if (dimension != "BAR") {
    r->minimum = definition.minimum;
    r->maximum = definition.maximum;
    r->hint1 = definition.hint1;
    r->hint2 = definition.hint2;
  }
}

}  // namespace

namespace {
// Words of the constants block that no constant reads are said, not dropped; so is a UNITS= of
// the block that can't be read when no constant was taken from the block.
void NoteUnreadBlockWords(const DesignConstants& constants, ModuleContext& ctx) {
  bool fromBlock = false;
  for (const ConstantRow& r : constants.rows) fromBlock = fromBlock || r.source == ValueSource::InputFile;
  std::string unread;
  int count = 0;
  for (const Assignment& a : ScanAssignments(ctx.constantsText)) {
    bool known = a.assigns && ToUpper(a.key) == "UNITS";
    for (const ConstantRow& r : constants.rows) known = known || (a.assigns && ToUpper(a.key) == ToUpper(r.key));
    if (known) continue;
    // One message, naming the first few: a block that swallowed the element lines says so once.
    if (++count <= 5) unread += (unread.empty() ? "" : " ") + a.text;
  }
  if (count > 5) unread += " ... (" + std::to_string(count) + ")";
  if (count > 0)
    AddDiagnostic(ctx.inputDiagnostics, Severity::Warning,
                  "The constants block holds " + unread + ", which is not a constant of this module: it is not read",
                  "بلوک ثابت‌ها " + unread + " را دارد که از ثابت‌های این برنامه نیست: خوانده نمی‌شود", unread);
  if (!fromBlock) {
    Diagnostics units;
    ConstantsBlockUnits(ctx.constantsText, &units);
    for (Diagnostic d : units) {
      d.severity = Severity::Warning;
      AddDiagnostic(ctx.inputDiagnostics, d);
    }
  }
}
}  // namespace

namespace {
// Fy in force from row 1, with what is to be said about it.
void UpdateFy(const DesignConstants& constants, ModuleContext& ctx) {
  const ConstantRow* fy = constants.Find(1);
  if (!fy) return;
  ctx.fyExplicit = fy->source == ValueSource::Given;
  Diagnostics d = fy->problems;
  const auto written = ParseNumber(Trim(fy->value));
  // kg/cm² to three decimals: a value converted from other units carries no float noise. A
  // value that rounds to nothing (2 N/m²) is as unusable as none.
  const double v = written ? RoundTo(ValueInBase(*fy, ctx.displayUnits), 3) : 0.0;
  if (!written || !std::isfinite(v) || v <= 0) {
    const std::string fallback = ShortestText(kDefaultFy) + " kg/cm²";
    AddDiagnostic(d, Severity::Error, "Fy = " + Trim(fy->value) + " is not a positive number; " + fallback + " is used",
                  "Fy = " + Trim(fy->value) + " عدد مثبت نیست؛ " + fallback + " به کار می‌رود", "Fy");
    ctx.fy = kDefaultFy;
  } else {
    ctx.fy = v;
    if (ctx.fy < fy->minimum || ctx.fy > fy->maximum) {
      const std::string value = ShortestText(RoundTo(ctx.fy, 2));
      const std::string range = ShortestText(fy->minimum) + " to " + ShortestText(fy->maximum) + " kg/cm²";
      const std::string rangeFa = ShortestText(fy->minimum) + " تا " + ShortestText(fy->maximum) + " kg/cm²";
      if (ctx.fyExplicit)
        AddDiagnostic(d, Severity::Warning, "Fy = " + value + " kg/cm² is outside " + range + "; it is used as given",
                      "Fy = " + value + " kg/cm² خارج از " + rangeFa + " است؛ همان‌طور که داده شده به کار می‌رود", "Fy");
      else
        AddDiagnostic(d, Severity::Error,
                      "Fy = " + value + " kg/cm² is outside " + range +
                          " (written in other units than its UNITS= says?); give Fy explicitly to use it",
                      "Fy = " + value + " kg/cm² خارج از " + rangeFa +
                          " است (با واحدی غیر از UNITS= آن نوشته شده؟)؛ برای به کار بردن آن Fy را صریحاً بدهید",
                      "Fy");
    }
  }
  ctx.fyDiagnostics = std::move(d);
}

}  // namespace

void DefineAllConstants(DesignConstants& constants, ModuleContext& ctx) {
  for (const ConstantDefinition& definition : kConstants) DefineConstant(constants, ctx, definition);
  if (!constants.Find(1)) return;
  NoteUnreadBlockWords(constants, ctx);
  UpdateFy(constants, ctx);
}

void CheckConstants(DesignConstants& constants, ModuleContext& ctx) {
  for (ConstantRow& r : constants.rows) {
    const double v = ValueInBase(r, ctx.displayUnits);
    r.inRange = r.dimension == "BAR" || (v >= r.minimum && v <= r.maximum);
  }
  UpdateFy(constants, ctx);
}

void ConvertConstantUnits(DesignConstants& constants, ModuleContext& ctx, const UnitSystem& from) {
  // Straight from the old units to the new as one exact ratio, with no rounded factor between.
  const UnitRatio f = ForceRatio(from) / ForceRatio(ctx.displayUnits);
  const UnitRatio l = LengthRatio(from) / LengthRatio(ctx.displayUnits);
  for (ConstantRow& r : constants.rows) {
    if (r.dimension == "BAR" || r.dimension.empty()) continue;
    r.value = NumberToText(ConvertToBase(RowNumber(r.value), r.dimension, f, l, ctx.messages));
  }
  UpdateFy(constants, ctx);
}

void GiveValue(DesignConstants& constants, ModuleContext& ctx, int row, const std::string& value) {
  ConstantRow* r = constants.Find(row);
  if (!r) return;
  r->value = Trim(value);
  r->source = ValueSource::Given;
  r->problems.clear();
  CheckConstants(constants, ctx);
}

void ResolveFy(DesignConstants& constants, ModuleContext& ctx, std::optional<double> givenKgCm2) {
  if (!constants.Find(1)) {
    // No input read: the settings file alone, shown in its own units.
    ctx.constantsText.clear();
    const std::string units = Trim(ReadSetting(ctx, ctx.moduleKey, "units", ConstantsFilePath(ctx)));
    ctx.constantsUnits = !units.empty() && CheckUnitsText(units).ok ? units : "[kg]-[cm]";
    ctx.displayUnits = UnitFactors("units=" + ctx.constantsUnits, ctx.messages);
    DefineAllConstants(constants, ctx);
  }
  if (givenKgCm2) {
    const UnitLabelResult u = UnitLabel("S", 0, ctx.displayUnits);
    GiveValue(constants, ctx, 1, NumberToText(u.FromBase(*givenKgCm2)));
  }
}

bool SaveConstants(DesignConstants& constants, ModuleContext& ctx) {
  const bool ok = WriteSetting(ctx, ctx.moduleKey, "units", ctx.constantsUnits, ConstantsFilePath(ctx));
  if (ok) {
    for (const ConstantRow& r : constants.rows)
      WriteSetting(ctx, ctx.moduleKey, r.key, Trim(r.value), ConstantsFilePath(ctx));
    UpdateFy(constants, ctx);
  }
  ctx.displayUnits = UnitFactors("units=" + ctx.constantsUnits, ctx.messages);
  return ok;
}

InputSummary chngcte_inc(DesignConstants& constants, ModuleContext& ctx) {
  InputSummary s;
  const std::string file = ctx.InputFile();
  s.lines.push_back(" Input File = " + file + "|| فایل ورودی = " + file);
  if (ctx.runMode != 'E') {
    s.lines.push_back(" Input file data units = " + ctx.dataUnits + "|| واحدهای داده‌های فایل ورودی = " + ctx.dataUnits);
    s.lines.push_back(" Number of elements: " + std::to_string(ctx.N) + "|| تعداد اعضا: " + std::to_string(ctx.N));
  }
  s.statusBar = "System Units: " + ctx.constantsUnits + "||واحدهای سیستم: " + ctx.constantsUnits;
  CheckConstants(constants, ctx);
  if (const ConstantRow* fy = constants.Find(1); fy && fy->source == ValueSource::Default) {
    const std::string value = ShortestText(kDefaultFy);
    s.lines.push_back(" Fy is not given by the input or the settings file; the default " + value +
                      " kg/cm² is used.|| Fy در فایل ورودی یا تنظیمات داده نشده است؛ مقدار پیش‌فرض " +
                      PersianDigits(value) + " kg/cm² به کار می‌رود.");
  }
  return s;
}

const char* SourceName(ValueSource source) {
  switch (source) {
    case ValueSource::InputFile: return "input";
    case ValueSource::SettingsFile: return "settings";
    case ValueSource::Given: return "given";
    default: return "default";
  }
}

}  // namespace tavo
