#include "input/forces_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <system_error>

#include "core/language.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "input/input_texts.h"

namespace tavo {

std::filesystem::path ForcesFileFor(const std::filesystem::path& input) {
  std::filesystem::path p = input;
  p.replace_extension(".forces.csv");
  return p;
}

namespace {

constexpr size_t kMaxLine = 64 * 1024;    // longer lines are no table row a program writes
constexpr size_t kMaxListed = 50;         // problems listed for the file; the rest are counted
constexpr size_t kMaxPerElement = 5;      // problems listed for one element

// The forces in the order of Demand's fields, with whether each is a moment.
constexpr std::array<const char*, 6> kForceNames{"P", "V2", "V3", "T", "M2", "M3"};
constexpr std::array<bool, 6> kIsMoment{false, false, false, true, true, true};
std::optional<double> Demand::*const kForceFields[6] = {&Demand::P,  &Demand::V2, &Demand::V3,
                                                        &Demand::T,  &Demand::M2, &Demand::M3};

// The unit a column's values are in: a factor to kg (forces) or kg·cm (moments), or why not.
struct ColumnUnit {
  bool ok = true;
  UnitRatio ratio;
  std::string problem;  // "English||Persian" when not ok
};

// The units of the file as a whole (UNITS= line, else the input's).
struct FileUnits {
  bool ok = true;
  UnitRatio force, length;
};

std::string UnitAlias(std::string_view name) {
  const std::string n = ToUpper(Trim(name));
  if (n == "KGF") return "KG";
  if (n == "TONF") return "TON";
  if (n == "LBF") return "LB";
  if (n == "KIPS") return "KIP";
  return n;
}

// A length name of the program's unit table.
std::optional<UnitRatio> LengthRatioOfName(std::string_view name) {
  const std::string n = UnitAlias(name);
  if (n.empty() || !CheckUnitsText("[kg]-[" + n + "]").ok) return std::nullopt;
  return LengthRatioOf(n);
}

std::optional<UnitRatio> ForceRatioOfName(std::string_view name) {
  const UnitRatio r = ForcesFileForceRatio(name);
  if (!r.Usable()) return std::nullopt;
  return r;
}

// "kN-m", "kN.m", "kN*m", "kN·m", "[kN]-[m]", "kN": its force and length names.
std::pair<std::string, std::string> UnitParts(std::string_view text) {
  std::string t;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '[' || c == ']' || c == '(' || c == ')') continue;
    const bool middleDot = static_cast<unsigned char>(c) == 0xC2 && i + 1 < text.size() &&
                           static_cast<unsigned char>(text[i + 1]) == 0xB7;
    if (middleDot) {
      t += '-';  // the middle dot
      ++i;
      continue;
    }
    t += c;
  }
  t = Trim(t);
  const auto sep = t.find_first_of("-*. \t");
  if (sep == std::string::npos) return {t, {}};
  return {Trim(t.substr(0, sep)), Trim(t.substr(sep + 1))};
}

ColumnUnit UnitOfColumn(std::string_view unitText, int force) {
  ColumnUnit u;
  const std::string written = Trim(unitText);
  const std::string column = kForceNames[force];
  const auto [forceName, lengthName] = UnitParts(written);
  const auto fr = ForceRatioOfName(forceName);
  auto fail = [&](const char* text) {
    u.ok = false;
    u.problem = Fill(text, {{"unit", written}, {"column", column}});
    return u;
  };
  if (!fr) return fail(texts::kForcesUnknownUnit);
  if (!kIsMoment[force]) {
    if (!lengthName.empty())
      return fail(LengthRatioOfName(lengthName) ? texts::kForcesMomentUnitOnForce : texts::kForcesUnknownUnit);
    u.ratio = *fr;
    return u;
  }
  if (lengthName.empty()) return fail(texts::kForcesForceUnitOnMoment);
  const auto lr = LengthRatioOfName(lengthName);
  if (!lr) return fail(texts::kForcesUnknownUnit);
  u.ratio = *fr * *lr;
  return u;
}

// One line of the file, without its end-of-line characters, with its 1-based number.
struct Line {
  size_t number = 0;
  std::string_view text;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t start = 0, number = 1;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back({number++, text.substr(start, end - start)});
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

bool Blank(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

// The separator the header uses: the most frequent of tab, semicolon and comma outside quotes
// (a tie goes to the one listed first); comma when it has none.
char DetectSeparator(std::string_view header) {
  size_t tabs = 0, semicolons = 0, commas = 0;
  bool quoted = false;
  for (const char c : header) {
    if (c == '"') quoted = !quoted;
    else if (!quoted) tabs += c == '\t', semicolons += c == ';', commas += c == ',';
  }
  if (tabs > 0 && tabs >= semicolons && tabs >= commas) return '\t';
  if (semicolons > 0 && semicolons >= commas) return ';';
  return ',';
}

// The fields of a line: blanks around a field dropped, quotes removed ("" inside quotes is one
// quote); a quote left open runs to the end of the line.
std::vector<std::string> SplitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false, wasQuoted = false;
  auto finish = [&] {
    fields.push_back(wasQuoted ? field : Trim(field));
    field.clear();
    wasQuoted = false;
  };
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') field += c;
      else if (i + 1 < line.size() && line[i + 1] == '"') field += '"', ++i;
      else quoted = false;
    } else if (c == separator) {
      finish();
    } else if (c == '"' && Blank(field)) {
      field.clear();
      quoted = wasQuoted = true;
    } else if (!(wasQuoted && (c == ' ' || c == '\t'))) {
      field += c;
    }
  }
  finish();
  return fields;
}

// A header cell's name (lower case, blanks and underscores dropped) and the unit written in it.
struct HeaderCell {
  std::string key, unit;
  bool hasUnit = false;
};

HeaderCell ReadHeaderCell(std::string_view cell) {
  HeaderCell h;
  std::string_view name = cell;
  const auto open = cell.find_first_of("[(");
  if (open != std::string_view::npos) {
    name = cell.substr(0, open);
    const auto close = cell.find_last_of(cell[open] == '[' ? ']' : ')');
    h.unit = Trim(cell.substr(open + 1, close == std::string_view::npos || close <= open ? std::string_view::npos
                                                                                         : close - open - 1));
    h.hasUnit = true;
  }
  for (const char c : ToLower(name))
    if (c != ' ' && c != '\t' && c != '_') h.key += c;
  return h;
}

// A value of the file: a plain number, or with a decimal comma where comma is not the separator.
std::optional<double> ReadNumber(const std::string& text, char separator) {
  if (auto v = ParseNumber(text)) return v;
  if (separator != ',' && std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos) {
    std::string dotted = text;
    std::replace(dotted.begin(), dotted.end(), ',', '.');
    return ParseNumber(dotted);
  }
  return std::nullopt;
}

// An element ID: digits only, at most 9 of them after leading zeros, so it fits an int.
std::optional<int> ReadId(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const auto first = text.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  if (text.size() - first > 9) return std::nullopt;
  return std::stoi(text.substr(first));
}

// The columns the reader uses: index in the row, or -1.
struct Columns {
  int id = -1, station = -1, combination = -1;
  std::array<int, 6> force{-1, -1, -1, -1, -1, -1};
  std::array<ColumnUnit, 6> unit{};
  std::array<bool, 6> unitInHeader{};
};

bool AnyForce(const Columns& c) {
  return std::any_of(c.force.begin(), c.force.end(), [](int i) { return i >= 0; });
}

std::string CellOf(const std::vector<std::string>& fields, int index) {
  return index >= 0 && static_cast<size_t>(index) < fields.size() ? fields[static_cast<size_t>(index)] : std::string();
}

class Reader {
 public:
  explicit Reader(ForcesTable& table) : table_(table) {}

  // A problem of the file; of the element too when the row's ID was read.
  void Problem(std::string text, std::optional<int> id = std::nullopt) {
    if (table_.diagnostics.size() < kMaxListed) AddDiagnosticPair(table_.diagnostics, Severity::Error, text);
    else ++unlisted_;
    if (!id) return;
    Diagnostics& notes = table_.notesById[*id];
    if (notes.size() < kMaxPerElement) AddDiagnosticPair(notes, Severity::Error, std::move(text));
    else if (notes.size() == kMaxPerElement) AddDiagnosticPair(notes, Severity::Error, texts::kForcesMoreRowsOfElement);
  }

  void Finish() {
    if (unlisted_ > 0)
      AddDiagnosticPair(table_.diagnostics, Severity::Error,
                        Fill(texts::kForcesMoreProblems, {{"count", std::to_string(unlisted_)}}));
  }

 private:
  ForcesTable& table_;
  size_t unlisted_ = 0;
};

std::string LineText(size_t n) { return std::to_string(n); }

// Column names as analysis programs export them.
bool IsIdKey(const std::string& k) { return k == "id" || k == "element" || k == "elem" || k == "frame"; }
bool IsCombinationKey(const std::string& k) {
  return k == "outputcase" || k == "combo" || k == "combination" || k == "case" || k == "loadcase";
}

// A line "UNITS=[kN]-[m]" (separators and quotes after it ignored): the file's units.
std::optional<FileUnits> UnitsLine(std::string_view line, Reader& reader) {
  std::string text = Trim(line);
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  const auto end = text.find_last_not_of(",;\t ");
  text = end == std::string::npos ? std::string() : text.substr(0, end + 1);
  if (!StartsWith(ToUpper(text), "UNITS")) return std::nullopt;
  std::string rest = Trim(text.substr(5));
  if (rest.empty() || rest[0] != '=') return std::nullopt;
  rest = Trim(rest.substr(1));
  FileUnits u;
  const UnitNames names = ParseUnitsText("UNITS=" + rest);
  const auto fr = ForceRatioOfName(names.force);
  const auto lr = LengthRatioOfName(names.length);
  // The shape is the program's; "tonf" and its kind are names of this file only.
  std::string shape = rest;
  if (const auto at = ToUpper(shape).find(ToUpper(names.force)); at != std::string::npos && !names.force.empty())
    shape.replace(at, names.force.size(), UnitAlias(names.force));
  if (!names.ok || !fr || !lr || !CheckUnitsText(shape).ok) {
    u.ok = false;
    reader.Problem(Fill(texts::kForcesBadUnitsLine, {{"text", text}}));
    return u;
  }
  u.force = *fr;
  u.length = *lr;
  return u;
}

FileUnits InputUnits(const UnitSystem& input) {
  FileUnits u;
  const auto fr = ForceRatioOfName(input.forceName);
  // A factor set apart from its name is taken as it stands, as everywhere else.
  u.force = fr && ForceRatioOf(input.forceName).Value() == input.forceFactor ? *fr : ForceRatio(input);
  u.length = LengthRatio(input);
  u.ok = u.force.Usable() && u.length.Usable();
  return u;
}

// "COMB1" read at several stations of a member names each row "COMB1 @ station".
void NameStations(std::vector<Demand>& rows) {
  std::map<std::string, std::set<std::string>> stations;
  for (const Demand& d : rows)
    if (!d.station.empty()) stations[d.combination].insert(d.station);
  for (Demand& d : rows)
    if (!d.station.empty() && stations[d.combination].size() > 1) d.combination += " @ " + d.station;
}

}  // namespace

UnitRatio ForcesFileForceRatio(std::string_view name) {
  const std::string n = UnitAlias(name);
  if (n == "KG") return {1, 1};
  if (n == "TON") return {1000, 1};
  if (n == "N") return {100000, 980665};       // 1 / 9.80665
  if (n == "KN") return {100000000, 980665};   // 1000 / 9.80665
  if (n == "LB") return {45359237, 100000000};  // 0.45359237
  if (n == "KIP") return {45359237, 100000};    // 453.59237
  return {0, 1};
}

ForcesTable ReadForcesText(std::string_view text, const UnitSystem& inputUnits) {
  ForcesTable table;
  table.found = true;
  Reader reader(table);
  if (text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF'))) {
    reader.Problem(texts::kForcesBinary);
    return table;
  }
  if (text.find('\0') != std::string_view::npos) {
    reader.Problem(texts::kForcesBinary);
    return table;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<Line> lines = SplitLines(text);
  std::erase_if(lines, [](const Line& l) { return Blank(l.text); });
  if (lines.empty()) {
    reader.Problem(texts::kForcesEmpty);
    return table;
  }

  size_t next = 0;
  FileUnits units = InputUnits(inputUnits);
  // A title line an export writes above its table, and the input's kind of units line.
  if (next < lines.size() && lines[next].text.size() <= kMaxLine &&
      StartsWith(ToUpper(Trim(lines[next].text)), "TABLE:"))
    ++next;
  if (next < lines.size() && lines[next].text.size() <= kMaxLine)
    if (auto u = UnitsLine(lines[next].text, reader)) units = *u, ++next;
  if (next >= lines.size()) {
    reader.Problem(texts::kForcesEmpty);
    return table;
  }

  const Line header = lines[next++];
  if (header.text.size() > kMaxLine) {
    reader.Problem(texts::kForcesHeaderTooLong);
    return table;
  }
  const char separator = DetectSeparator(header.text);
  const std::vector<std::string> cells = SplitFields(header.text, separator);
  Columns columns;
  for (size_t i = 0; i < cells.size(); ++i) {
    const HeaderCell h = ReadHeaderCell(cells[i]);
    const int index = static_cast<int>(i);
    int* slot = nullptr;
    int force = -1;
    if (IsIdKey(h.key)) slot = &columns.id;
    else if (h.key == "station") slot = &columns.station;
    else if (IsCombinationKey(h.key)) slot = &columns.combination;
    else
      for (int f = 0; f < 6; ++f)
        if (h.key == ToLower(kForceNames[f])) slot = &columns.force[f], force = f;
    if (slot == nullptr) {
      if (!Blank(cells[i])) table.ignoredColumns.push_back(cells[i]);
      continue;
    }
    if (*slot >= 0) {
      AddDiagnosticPair(table.diagnostics, Severity::Warning,
                        Fill(texts::kForcesDuplicateColumn, {{"column", cells[i]}}));
      continue;
    }
    *slot = index;
    if (force >= 0 && h.hasUnit) {
      columns.unit[force] = UnitOfColumn(h.unit, force);
      columns.unitInHeader[force] = true;
    }
  }
  if (columns.id < 0) {
    reader.Problem(Fill(texts::kForcesNoIdColumn, {{"line", LineText(header.number)}}));
    return table;
  }
  if (!AnyForce(columns)) {
    reader.Problem(Fill(texts::kForcesNoForceColumn, {{"line", LineText(header.number)}}));
    return table;
  }

  // A row of units under the header, as table exports write it: no force cell holds a number.
  if (next < lines.size() && lines[next].text.size() <= kMaxLine) {
    const auto row = SplitFields(lines[next].text, separator);
    bool anyUnit = false, anyNumber = false;
    for (int f = 0; f < 6; ++f) {
      const std::string cell = CellOf(row, columns.force[f]);
      if (columns.force[f] < 0 || cell.empty()) continue;
      if (ReadNumber(cell, separator)) anyNumber = true;
      else anyUnit = true;
    }
    if (anyUnit && !anyNumber && !ReadId(CellOf(row, columns.id))) {
      ++next;
      for (int f = 0; f < 6; ++f) {
        const std::string cell = CellOf(row, columns.force[f]);
        if (columns.force[f] >= 0 && !columns.unitInHeader[f] && !cell.empty()) {
          columns.unit[f] = UnitOfColumn(cell, f);
          columns.unitInHeader[f] = true;
        }
      }
    }
  }
  // The rest take the file's units (or the input's).
  for (int f = 0; f < 6; ++f) {
    if (columns.force[f] < 0 || columns.unitInHeader[f]) continue;
    columns.unit[f].ok = units.ok;
    columns.unit[f].ratio = kIsMoment[f] ? units.force * units.length : units.force;
  }
  for (int f = 0; f < 6; ++f)
    if (columns.force[f] >= 0 && !columns.unit[f].ok && !columns.unit[f].problem.empty())
      reader.Problem(columns.unit[f].problem);

  for (; next < lines.size(); ++next) {
    const Line& line = lines[next];
    const std::string number = LineText(line.number);
    if (line.text.size() > kMaxLine) {
      // Its ID, when the start of the line gives one, still learns that a row of it was lost.
      const auto head = SplitFields(line.text.substr(0, kMaxLine), separator);
      const bool idComplete = static_cast<size_t>(columns.id) + 1 < head.size();
      reader.Problem(Fill(texts::kForcesLineTooLong, {{"line", number}}),
                     idComplete ? ReadId(CellOf(head, columns.id)) : std::nullopt);
      continue;
    }
    const auto row = SplitFields(line.text, separator);
    if (std::all_of(row.begin(), row.end(), [](const std::string& c) { return c.empty(); })) continue;
    const std::string idText = CellOf(row, columns.id);
    const auto id = ReadId(idText);
    if (!id) {
      reader.Problem(idText.empty() ? Fill(texts::kForcesNoId, {{"line", number}})
                                    : Fill(texts::kForcesBadId, {{"line", number}, {"id", idText}}));
      continue;
    }
    Demand demand;
    bool ok = true;
    for (int f = 0; f < 6 && ok; ++f) {
      const std::string cell = CellOf(row, columns.force[f]);
      if (columns.force[f] < 0 || cell.empty()) continue;
      if (!columns.unit[f].ok) {
        reader.Problem(Fill(texts::kForcesUnitlessValue, {{"line", number}, {"column", kForceNames[f]}}), id);
        ok = false;
        break;
      }
      const auto value = ReadNumber(cell, separator);
      const double converted = value ? columns.unit[f].ratio.ToBase(*value) : 0.0;
      if (!value || !std::isfinite(converted)) {
        reader.Problem(
            Fill(texts::kForcesBadNumber, {{"line", number}, {"column", kForceNames[f]}, {"text", cell}}), id);
        ok = false;
        break;
      }
      demand.*kForceFields[f] = converted;
    }
    if (!ok) continue;
    demand.combination = CellOf(row, columns.combination);
    demand.station = CellOf(row, columns.station);
    if (demand.combination.empty()) demand.combination = "row " + number;
    table.byId[*id].push_back(std::move(demand));
  }
  for (auto& [id, rows] : table.byId) NameStations(rows);
  reader.Finish();
  return table;
}

ForcesTable ReadForcesFile(const std::filesystem::path& file, const UnitSystem& inputUnits) {
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (!std::filesystem::exists(status)) return {};
  std::ifstream in(file, std::ios::binary);
  std::string text;
  if (std::filesystem::is_directory(status) || !in) {
    ForcesTable table;
    table.found = true;
    AddDiagnosticPair(table.diagnostics, Severity::Error, Fill(texts::kForcesCannotOpen, {{"file", file.string()}}));
    return table;
  }
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return ReadForcesText(text, inputUnits);
}

}  // namespace tavo
