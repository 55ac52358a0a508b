#include "input/design_constants.h"

#include <cmath>

#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "input/ini_file.h"

namespace tavo {

ConstantRow* DesignConstants::Find(int row) {
  for (auto& r : rows)
    if (r.row == row) return &r;
  return nullptr;
}
const ConstantRow* DesignConstants::Find(int row) const { return const_cast<DesignConstants*>(this)->Find(row); }

std::string ConstantsFilePath(const ModuleContext& ctx) { return ctx.installDir + "cte/constants.ini"; }

double ValueInBase(const ConstantRow& row, const UnitSystem& units) {
  const double v = NumericValue(row.value);
  if (row.dimension.empty() || row.dimension == "BAR") return v;
  return ConvertToBase(v, row.dimension, units.forceFactor, units.lengthFactor);
}

namespace {
std::string NumberToText(double v) { return ShortestText(RoundTo(v, 6)); }
}  // namespace

void MyConstants(DesignConstants& constants, ModuleContext& ctx, int rowIn, const std::string& key, int keyIndex,
                 double defaultValue, const std::string& dimension, double minimum, double maximum,
                 const std::string& label, const std::string& hint1, const std::string& hint2) {
  const int row = std::abs(rowIn);
  if (row < 1 || row > kMaxConstantRows) return;
  ConstantRow* r = constants.Find(row);
  if (!r) {
    constants.rows.push_back(ConstantRow{});
    r = &constants.rows.back();
    r->row = row;
  }
  switch (constants.mode) {
    case ConstantsMode::Defining: {
      r->label = label;
      r->key = key;
      r->keyIndex = keyIndex;
      r->defaultValue = defaultValue;
      r->dimension = dimension;
      const std::string block = Trim(ctx.constantsText);
      if (!key.empty() && !block.empty() && block.find(key) != std::string::npos) {
        // Case-sensitive on purpose: only the key as written selects the input's value.
        r->value = NumberToText(ExtractItem(block, key, keyIndex, defaultValue, dimension, ctx.displayUnits));
        r->source = ValueSource::InputFile;
      } else {
        const std::string text = ReadSetting(ctx, ctx.moduleKey, key, ConstantsFilePath(ctx));
        if (text.find(',') != std::string::npos)
          r->value = NumberToText(ExtractItem(text, ",", keyIndex, defaultValue, dimension, ctx.displayUnits));
        else
          r->value = Trim(text);
        r->source = ValueSource::SettingsFile;
        if (Trim(r->value).empty()) {
          // Neither the input nor the settings give it: the built-in default, in display units.
          const UnitLabelResult u = UnitLabel(dimension, 0, ctx.displayUnits);
          r->value = NumberToText(dimension == "BAR" || !u.known ? defaultValue : defaultValue / u.factor);
          r->source = ValueSource::Default;
        }
      }
      if (dimension != "BAR") {
        r->minimum = minimum;
        r->maximum = maximum;
        r->hint1 = hint1;
        r->hint2 = hint2;
      }
      break;
    }
    case ConstantsMode::Checking: {
      const double v = ValueInBase(*r, ctx.displayUnits);
      r->inRange = r->dimension == "BAR" || (v >= r->minimum && v <= r->maximum);
      break;
    }
    case ConstantsMode::UpdateUnits: {
      if (r->dimension == "BAR" || r->dimension.empty()) break;
      const double f = RoundTo(static_cast<double>(constants.previousUnits.forceFactor) / ctx.displayUnits.forceFactor, 7);
      const double l =
          RoundTo(static_cast<double>(constants.previousUnits.lengthFactor) / ctx.displayUnits.lengthFactor, 7);
      r->value = NumberToText(ConvertToBase(NumericValue(r->value), r->dimension, f, l, ctx.messages));
      break;
    }
    case ConstantsMode::WriteToFile:
      WriteSetting(ctx, ctx.moduleKey, key, Trim(r->value), ConstantsFilePath(ctx));
      break;
    case ConstantsMode::UpdateMinMax:
      r->minimum = minimum;
      r->maximum = maximum;
      if (!hint1.empty()) r->hint1 = hint1;
      if (!hint2.empty()) r->hint2 = hint2;
      break;
  }
}

void DefineAllConstants(DesignConstants& constants, ModuleContext& ctx) {
  MyConstants(constants, ctx, 1, "Fy", 1, 2400, "S", 2000, 4000, "Fy|Fy||تنش تسلیم فولاد Fy",
              "Yield stress of the steel||تنش تسلیم فولاد");
  if (const ConstantRow* fy = constants.Find(1)) {
    const double v = ValueInBase(*fy, ctx.displayUnits);
    ctx.fy = (std::isfinite(v) && v > 0) ? v : 2400.0;
  }
}

bool SaveConstants(DesignConstants& constants, ModuleContext& ctx) {
  const ConstantsMode previous = constants.mode;
  constants.mode = ConstantsMode::WriteToFile;
  const bool ok = WriteSetting(ctx, ctx.moduleKey, "units", ctx.constantsUnits, ConstantsFilePath(ctx));
  if (ok) DefineAllConstants(constants, ctx);
  constants.mode = previous;
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
  const ConstantsMode previous = constants.mode;
  constants.mode = ConstantsMode::Checking;
  DefineAllConstants(constants, ctx);
  constants.mode = previous;
  if (const ConstantRow* fy = constants.Find(1); fy && fy->source == ValueSource::Default)
    s.lines.push_back(" Fy is not given by the input or the settings file; the default 2400 kg/cm² is used."
                      "|| Fy در فایل ورودی یا تنظیمات داده نشده است؛ مقدار پیش‌فرض ۲۴۰۰ kg/cm² به کار می‌رود.");
  return s;
}

const char* SourceName(ValueSource source) {
  switch (source) {
    case ValueSource::InputFile: return "input";
    case ValueSource::SettingsFile: return "settings";
    default: return "default";
  }
}

}  // namespace tavo
