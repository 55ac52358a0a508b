#include "sections/profile_catalogue.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/files.h"
#include "sections/designation_parts.h"

namespace tavo {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

// A token shown in a message: short, and with unprintable bytes replaced, since a garbage
// file may hold anything.
std::string Shown(std::string_view token) {
  std::string s;
  for (const char c : token.substr(0, 20)) s += (c >= 32 && c < 127) ? c : '?';
  if (token.size() > 20) s += "...";
  return s;
}

bool ParseNumber(std::string_view token, double& value) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  if (token.empty()) return false;
  const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
  return ec == std::errc() && end == token.data() + token.size() && std::isfinite(value);
}

CatalogueFamily Broken(std::string_view code, const std::string& english, const std::string& persian) {
  CatalogueFamily f;
  f.code = std::string(code);
  f.problem = english + "||" + persian;
  return f;
}

}  // namespace

CatalogueFamily ParseCatalogueText(std::string_view code, std::string_view text, const std::string& fileName) {
  const int perRecord = ProfileCatalogue::ItemsPerRecord(code);
  if (perRecord == 0)
    return Broken(code, "Unknown catalogue family \"" + Shown(code) + "\"", "خانواده ناشناخته در جدول پروفیل‌ها: \"" + Shown(code) + "\"");
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark some editors add

  std::vector<double> items;
  size_t i = 0;
  long long count = -1;
  size_t needed = 0;
  while (i < text.size()) {
    // Between two items: blanks and line ends freely, but at most one comma (two would be an empty item).
    int commas = 0;
    while (i < text.size() && IsSeparator(text[i])) commas += text[i++] == ',';
    const size_t itemNumber = items.size() + (count >= 0 ? 2 : 1);
    if (commas > 1)
      return Broken(code, "Catalogue file " + fileName + ": empty item before item " + std::to_string(itemNumber),
                    "فایل جدول پروفیل " + fileName + ": پیش از مورد " + std::to_string(itemNumber) + " یک مورد خالی است");
    if (i >= text.size()) break;
    const size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    const std::string_view token = text.substr(start, i - start);
    double v = 0;
    if (!ParseNumber(token, v))
      return Broken(code,
                    "Catalogue file " + fileName + ": item " + std::to_string(itemNumber) + " (\"" + Shown(token) +
                        "\") is not a number",
                    "فایل جدول پروفیل " + fileName + ": مورد " + std::to_string(itemNumber) + " (\"" + Shown(token) +
                        "\") عدد نیست");
    if (count < 0) {
      if (v < 0 || v > 32767 || v != std::floor(v))
        return Broken(code,
                      "Catalogue file " + fileName + ": the record count \"" + Shown(token) +
                          "\" is not a whole number from 0 to 32767",
                      "فایل جدول پروفیل " + fileName + ": تعداد رکوردها (\"" + Shown(token) +
                          "\") عدد صحیحی بین 0 و 32767 نیست");
      count = static_cast<long long>(v);
      needed = static_cast<size_t>(count) * static_cast<size_t>(perRecord);
      items.reserve(needed);
      continue;
    }
    items.push_back(v);
    if (items.size() == needed) break;  // list input stops after the announced records
  }
  if (count < 0)
    return Broken(code, "Catalogue file " + fileName + " is empty", "فایل جدول پروفیل " + fileName + " خالی است");
  if (items.size() < needed) {
    const size_t whole = items.size() / static_cast<size_t>(perRecord);
    return Broken(code,
                  "Catalogue file " + fileName + " is short: it announces " + std::to_string(count) +
                      " records and holds " + std::to_string(whole) + " complete ones",
                  "فایل جدول پروفیل " + fileName + " ناقص است: " + std::to_string(count) + " رکورد اعلام شده و تنها " +
                      std::to_string(whole) + " رکورد کامل دارد");
  }
  CatalogueFamily f;
  f.code = std::string(code);
  f.loaded = true;
  f.records.reserve(static_cast<size_t>(count));
  for (size_t r = 0; r < static_cast<size_t>(count); ++r)
    f.records.emplace_back(items.begin() + static_cast<std::ptrdiff_t>(r * perRecord),
                           items.begin() + static_cast<std::ptrdiff_t>((r + 1) * perRecord));
  return f;
}

ProfileCatalogue::ProfileCatalogue(std::string cteDir) : dir_(std::move(cteDir)) {}

int ProfileCatalogue::ItemsPerRecord(std::string_view code) {
  for (const Layout& layout : kLayouts)
    if (layout.code == code) return layout.items;
  return 0;
}

std::string ProfileCatalogue::FilePath(std::string_view code) const {
  return (fs::path(dir_) / ("stahl." + std::string(code))).string();
}

const CatalogueFamily& ProfileCatalogue::Family(std::string_view code) const {
  for (size_t k = 0; k < kLayouts.size(); ++k) {
    if (kLayouts[k].code != code) continue;
    Slot& slot = slots_[k];
    std::call_once(slot.once, [&] {
      const std::string path = FilePath(code);
      std::error_code ec;
      if (!fs::is_regular_file(path, ec)) {
        slot.family = Broken(code, "Catalogue file not found: " + path, "فایل جدول پروفیل پیدا نشد: " + path);
        return;
      }
      const auto bytes = ReadWholeFile(path);
      if (!bytes) {
        slot.family = Broken(code, "Catalogue file cannot be read: " + path, "فایل جدول پروفیل خوانده نمی‌شود: " + path);
        return;
      }
      slot.family = ParseCatalogueText(code, *bytes, path);
    });
    return slot.family;
  }
  static const CatalogueFamily unknown = [] {
    CatalogueFamily f;
    f.problem = "Unknown catalogue family||خانواده ناشناخته در جدول پروفیل‌ها";
    return f;
  }();
  return unknown;
}

bool ProfileCatalogue::FirstReport(std::string_view code) const {
  for (size_t k = 0; k < kLayouts.size(); ++k)
    if (kLayouts[k].code == code) return !slots_[k].reported.exchange(true);
  return false;
}

double SelectionThreshold(std::string_view code) {
  if (code == "L") return 3;
  if (code == "UNP") return 4;
  return 8;
}

double SelectionKey(double size, double threshold) {
  const double key = size / 10;
  return key < threshold ? size : key;
}

int FindRecord(const CatalogueFamily& family, double key) {
  // Keys come from size/10 and records from decimal text: equal values can differ in the last bit.
  constexpr double kTolerance = 1e-9;
  for (size_t i = 0; i < family.records.size(); ++i) {
    const double first = family.records[i].empty() ? 0.0 : family.records[i][0];
    if (std::fabs(first - key) <= kTolerance) return static_cast<int>(i);
  }
  return -1;
}

SizeMatch MatchSize(const CatalogueFamily& family, double size) {
  SizeMatch m;
  const double threshold = SelectionThreshold(family.code);
  m.key = SelectionKey(size, threshold);
  m.millimetres = m.key != size;
  const double otherKey = m.millimetres ? size : size / 10;
  const int first = FindRecord(family, m.key);
  const int second = FindRecord(family, otherKey);
  // A size the rule reads as mm is mm (IPB100 is never the 100 cm profile); one it reads as cm
  // while its mm reading is a record too (L20: 20 cm or 20 mm) is not safe to guess.
  if (first >= 0 && second >= 0 && first != second && !m.millimetres) {
    m.kind = SizeMatch::Ambiguous;
    m.index = first;
    m.other = second;
  } else if (first >= 0) {
    m.kind = SizeMatch::Found;
    m.index = first;
  } else if (second >= 0) {
    m.kind = SizeMatch::OtherReading;
    m.index = second;
    m.millimetres = !m.millimetres;
  } else {
    for (size_t i = 0; i < family.records.size(); ++i) {
      const double v = family.records[i].empty() ? 0.0 : family.records[i][0];
      if (v < m.key && (m.below < 0 || v >= family.records[static_cast<size_t>(m.below)][0]))
        m.below = static_cast<int>(i);
      if (v > m.key && (m.above < 0 || v < family.records[static_cast<size_t>(m.above)][0]))
        m.above = static_cast<int>(i);
    }
    m.index = m.above >= 0 ? m.above : m.below;
  }
  return m;
}

std::string RecordName(const CatalogueFamily& family, int index) {
  if (index < 0 || static_cast<size_t>(index) >= family.records.size()) return {};
  const CatalogueRecord& r = family.records[static_cast<size_t>(index)];
  if (r.empty()) return {};
  std::string name = family.code + MmText(r[0]);
  if (family.code == "L" && r.size() > 1) name += "*" + MmText(r[1]);
  return name;
}

}  // namespace tavo
