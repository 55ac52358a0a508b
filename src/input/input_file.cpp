#include "input/input_file.h"

#include <cmath>
#include <filesystem>
#include <tuple>

#include "core/files.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/startup.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/utf8.h"
#include "input/ini_file.h"
#include "input/input_texts.h"
#include "core/core_texts.h"

namespace tavo {

namespace fs = std::filesystem;

std::string ElementText(std::string_view line) {
  std::string t = ToUpper(line);
  t.erase(t.find_last_not_of(' ') + 1);
  return t;
}

std::string PaddedElementText(std::string_view text) {
  std::string t(text.substr(0, kElementTextLength));
  t.resize(kElementTextLength, ' ');
  return t;
}

bool WorkingCopy::Open(const std::string& path, std::vector<ModuleContext::LeftOutLines> leftOut) {
  Close();
  leftOut_ = std::move(leftOut);
  in_.open(SuitePath(path), std::ios::binary);
  if (!in_) return false;
  empty_ = in_.peek() == std::ifstream::traits_type::eof();
  return true;
}

void WorkingCopy::Close() {
  if (in_.is_open()) in_.close();
  in_.clear();
  last_.clear();
  line_ = leftOutBefore_ = 0;
  nextGap_ = 0;
}

bool WorkingCopy::AtEnd() { return !in_.is_open() || in_.peek() == std::ifstream::traits_type::eof(); }

bool WorkingCopy::ReadRawLine(std::string& line) {
  if (AtEnd()) return false;
  std::getline(in_, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++line_;
  while (nextGap_ < leftOut_.size() && leftOut_[nextGap_].after < line_) leftOutBefore_ += leftOut_[nextGap_++].count;
  return true;
}

std::string WorkingCopy::ReadDataLine() {
  if (AtEnd()) return last_;
  std::string line;
  while (ReadRawLine(line)) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
      last_ = Trim(line);
      return last_;
    }
    if (AtEnd()) {
      last_ = Trim(line.substr(0, colon + 1));
      return last_;
    }
  }
  return last_;
}

std::string WorkingCopyPath(const ModuleContext& ctx) {
  const std::string dir = ctx.tempDir.empty() ? ctx.installDir + "temp/" : ctx.tempDir;
  return dir + "temp~dsn.tmp";
}

namespace {
void ReportMissingInput(ModuleContext& ctx, const std::string& file) {
  ShowMessage(ctx, Fill(texts::kInputMissing, {{"path", file}}), texts::kError);
}
}  // namespace

bool MakeWorkingCopy(ModuleContext& ctx) {
  const std::string input = ctx.InputFile();
  if (!FileExistsNonEmpty(ctx, input)) {
    std::error_code ec;
    if (fs::is_regular_file(SuitePath(input), ec))
      ShowMessage(ctx, Fill(texts::kInputEmpty, {{"path", input}}), texts::kError);
    else
      ReportMissingInput(ctx, input);
    ctx.inputBase.clear();
    return false;
  }
  std::ifstream in(SuitePath(input), std::ios::binary);
  if (!in) {
    ShowMessage(ctx, Fill(texts::kInputUnreadable, {{"path", input}}));
    ctx.inputBase.clear();
    return false;
  }
  {
    std::string head(8192, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    if (LooksBinary(head)) {
      ShowMessage(ctx, Fill(texts::kInputNotText, {{"path", input}}));
      ctx.inputBase.clear();
      return false;
    }
    in.clear();
    in.seekg(0);
  }
  const fs::path copyPath = SuitePath(WorkingCopyPath(ctx));
  std::error_code ec;
  fs::create_directories(copyPath.parent_path(), ec);
  std::ofstream out(copyPath, std::ios::binary | std::ios::trunc);
  if (!out) {
    ShowMessage(ctx, Fill(texts::kCopyNotWritten, {{"path", copyPath.string()}}));
    return false;
  }
  std::string line;
  bool first = true;
  int written = 0;
  ctx.leftOutLines.clear();
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first) {
      out << line << '\n';
      first = false;
      ++written;
      continue;
    }
    if (const auto part = WorkingCopyPart(line)) {
      out << *part << '\n';
      ++written;
      continue;
    }
    // An indented remark ("   : columns") is a remark line too, not a blank line that would end
    // the element list. It is left out, and counted so that messages name the user's lines.
    if (!ctx.leftOutLines.empty() && ctx.leftOutLines.back().after == written)
      ++ctx.leftOutLines.back().count;
    else
      ctx.leftOutLines.push_back({written, 1});
  }
  out.close();
  if (!out) {
    ShowMessage(ctx, Fill(texts::kCopyNotWritten, {{"path", copyPath.string()}}));
    return false;
  }
  return true;
}

std::string GetHeaderValue(std::string_view line, std::string_view key, int index, std::string_view separatorMode,
                           char language) {
  std::string value(line);
  if (!key.empty()) {
    const std::string lower = ToLower(line);
    const auto p = lower.find(ToLower(key));
    if (p == std::string::npos) return {};
    const size_t start = p + key.size() + 1;
    value = start <= line.size() ? std::string(line.substr(start)) : std::string();
  }
  std::vector<std::string> parts;
  if (separatorMode == "space" && value.find(' ') != std::string::npos)
    parts = Split(value, ' ');
  else if (value.find(',') != std::string::npos)
    parts = Split(value, ',');
  else
    parts = {value};
  if (index < 1 || static_cast<size_t>(index) > parts.size()) return {};
  return PickLanguage(Trim(parts[static_cast<size_t>(index) - 1]), language);
}

void ApplyHeader(ModuleContext& ctx, std::string_view header) {
  const std::string lower = ToLower(header);
  if (lower.find("software=") != std::string::npos && lower.find("version=") != std::string::npos &&
      lower.find("module=") != std::string::npos && lower.find("title=") != std::string::npos) {
    ctx.suiteVersion = GetHeaderValue(header, "version", 1, "space", ctx.language);
    ctx.title = GetHeaderValue(header, "title", 1, "", ctx.language);
  } else if (ctx.runMode == 'I') {
    ShowWarning(ctx, texts::kOlderInput, texts::kWarning);
  }
}

bool OpenInputFile(ModuleContext& ctx, WorkingCopy& copy) {
  const std::string path = WorkingCopyPath(ctx);
  if (ctx.runMode == 'E') {
    if (FileExistsNonEmpty(ctx, ctx.InputFile())) {
      std::error_code ec;
      fs::copy_file(SuitePath(ctx.InputFile()), SuitePath(ctx.InputFile() + "_bak"),
                    fs::copy_options::overwrite_existing, ec);
      if (!MakeWorkingCopy(ctx)) return false;
    } else {
      // A new file: an empty working copy, so the constants come from the settings file.
      std::error_code ec;
      fs::create_directories(SuitePath(path).parent_path(), ec);
      std::ofstream(SuitePath(path), std::ios::binary | std::ios::trunc);
      ctx.leftOutLines.clear();
      if (!copy.Open(path)) {
        ShowMessage(ctx, Fill(texts::kCopyNotOpened, {{"path", path}}));
        return false;
      }
      return true;
    }
  } else if (!FileExistsNonEmpty(ctx, path)) {
    if (!MakeWorkingCopy(ctx)) return false;
  }
  if (!copy.Open(path, ctx.leftOutLines)) {
    ShowMessage(ctx, Fill(texts::kCopyNotOpened, {{"path", path}}));
    return false;
  }
  std::string header;
  copy.ReadRawLine(header);
  ApplyHeader(ctx, header);
  return true;
}

namespace {

// The most elements an input may count; a larger count is a mistyped line, not a model.
constexpr double kMaxElements = 10000000;

bool IsKey(const Assignment& a, std::string_view key) { return a.assigns && ToUpper(a.key) == key; }

bool IsCountLine(std::string_view line) {
  for (const Assignment& a : ScanAssignments(line))
    if (IsKey(a, "NO")) return true;
  return false;
}

// The values of one key on a keyword line; a key given twice with different values is reported.
std::vector<const Assignment*> ValuesOf(const std::vector<Assignment>& words, std::string_view key) {
  std::vector<const Assignment*> found;
  for (const Assignment& a : words)
    if (IsKey(a, key)) found.push_back(&a);
  return found;
}

bool Disagree(const std::vector<const Assignment*>& values) {
  for (const Assignment* a : values)
    if (ToUpper(a->value) != ToUpper(values.front()->value)) return true;
  return false;
}

std::string JoinTexts(const std::vector<const Assignment*>& values) {
  std::string out;
  for (const Assignment* a : values) out += (out.empty() ? "" : " ") + a->text;
  return out;
}

struct CountsReading {
  std::array<int, 3> counts{0, 0, 0};
  bool present = false;  // the line holds NO=
  bool ok = false;
  std::string text;      // NO=... as written
};

// "NO=c,b,r": up to three whole numbers, missing ones 0, at most kMaxElements in all.
CountsReading ReadCounts(std::string_view countLine) {
  CountsReading r;
  const auto words = ScanAssignments(countLine);
  const auto values = ValuesOf(words, "NO");
  if (values.empty()) return r;
  r.present = true;
  r.text = JoinTexts(values);
  if (Disagree(values)) return r;
  const auto items = Split(values.front()->value, ',');
  if (items.size() > 3) return r;
  double total = 0;
  for (size_t k = 0; k < items.size(); ++k) {
    if (Trim(items[k]).empty()) continue;  // a missing count is 0
    const auto v = ParseNumber(Trim(items[k]));
    if (!v || *v < 0 || *v != std::floor(*v) || *v > kMaxElements) return r;
    total += *v;
    r.counts[k] = static_cast<int>(*v);
  }
  if (total > kMaxElements) return r;
  r.ok = true;
  return r;
}

// The unit text after UNITS= in a keyword text, checked. Problems go to the list given, and the
// fallback stands in for a text that is missing or can't be read.
std::string UnitsOf(std::string_view text, const std::string& fallback, Diagnostics* problems,
                    std::string_view where) {
  const auto words = ScanAssignments(text);
  const auto values = ValuesOf(words, "UNITS");
  if (values.empty()) return fallback;
  if (Disagree(values)) {
    if (problems)
      AddDiagnosticPair(*problems, Severity::Error,
                        Fill(texts::kUnitsTwice, {{"where", where}, {"fallback", fallback}}), JoinTexts(values));
    return fallback;
  }
  const UnitsTextCheck check = CheckUnitsText(values.front()->value);
  if (!check.ok) {
    if (problems)
      AddDiagnostic(*problems, Severity::Error,
                    Fill(EnglishHalf(texts::kUnitsFallback), {{"problem", check.english}, {"fallback", fallback}}),
                    Fill(PersianHalf(texts::kUnitsFallback), {{"problem", check.persian}, {"fallback", fallback}}),
                    values.front()->text);
    return fallback;
  }
  return Trim(values.front()->value);
}

}  // namespace

std::string ConstantsBlockUnits(std::string_view constantsText, Diagnostics* problems) {
  if (Trim(constantsText).empty()) return {};
  return UnitsOf(constantsText, "[kg]-[cm]", problems, "in the constants block");
}

std::string ReadConstantsBlock(ModuleContext& ctx, WorkingCopy& copy) {
  ctx.constantsText.clear();
  ctx.inputDiagnostics.clear();
  ctx.dataUnitsDiagnostics.clear();
  std::string countLine;
  bool found = false;
  if (!copy.WasEmpty() && !copy.AtEnd()) {
    // Blank lines between the header and the constants block or count line carry nothing.
    std::string line = copy.ReadDataLine();
    while (line.empty() && !copy.AtEnd()) line = copy.ReadDataLine();
    if (ToUpper(line).find("CONSTANTS") != std::string::npos) {
      while (!copy.AtEnd()) {
        line = copy.ReadDataLine();
        if (IsCountLine(line)) {
          found = true;
          break;
        }
        ctx.constantsText += Trim(line) + " ";
      }
    } else {
      found = IsCountLine(line);
    }
    if (found) countLine = line;
  }
  if (!found && ctx.runMode != 'E')
    AddDiagnostic(ctx.inputDiagnostics, Severity::Error,
                  EnglishHalf(texts::kNoCountLine), PersianHalf(texts::kNoCountLine), "NO=");
  const CountsReading counts = ReadCounts(countLine);
  ctx.N = counts.ok ? counts.counts[0] + counts.counts[1] + counts.counts[2] : 0;

  ctx.dataUnits = UnitsOf(countLine, "[kg]-[cm]", &ctx.dataUnitsDiagnostics, "on the count line");
  AppendDiagnostics(ctx.inputDiagnostics, ctx.dataUnitsDiagnostics);
  // The block's own units; a text that can't be read is reported with the constants that use it.
  const std::string blockUnits = ConstantsBlockUnits(ctx.constantsText, nullptr);
  if (ctx.runMode == 'I') {
    ctx.constantsUnits = blockUnits.empty() ? ctx.dataUnits : blockUnits;
  } else {
    const std::string settings = ReadSetting(ctx, ctx.moduleKey, "units", SettingsFileFor(ctx.installDir));
    ctx.constantsUnits = !settings.empty() && CheckUnitsText(settings).ok ? settings
                         : blockUnits.empty()                             ? ctx.dataUnits
                                                                          : blockUnits;
  }
  ctx.displayUnits = UnitFactors("units=" + ctx.constantsUnits, ctx.messages);
  ctx.dataUnitSystem = UnitFactors("units=" + ctx.dataUnits, ctx.messages);
  return countLine;
}

void ReadOptions(ModuleContext& ctx, std::string_view countLine) {
  const CountsReading counts = ReadCounts(countLine);
  ctx.kindCounts = counts.ok ? counts.counts : std::array<int, 3>{0, 0, 0};
  ctx.N = ctx.kindCounts[0] + ctx.kindCounts[1] + ctx.kindCounts[2];
  if (counts.present && !counts.ok)
    AddDiagnostic(ctx.inputDiagnostics, Severity::Error,
                  EnglishHalf(texts::kBadCounts), PersianHalf(texts::kBadCounts), counts.text);

  const auto words = ScanAssignments(countLine);
  ctx.target = "ETABS";
  if (const auto files = ValuesOf(words, "FILE"); !files.empty()) {
    const std::string target = ToUpper(Trim(files.front()->value));
    if (Disagree(files))
      AddDiagnostic(ctx.inputDiagnostics, Severity::Warning,
                    EnglishHalf(texts::kFileTwice), PersianHalf(texts::kFileTwice), JoinTexts(files));
    else if (target == "SAP" || target == "ETABS")
      ctx.target = target;
    else
      AddDiagnosticPair(ctx.inputDiagnostics, Severity::Warning,
                        Fill(texts::kUnknownFileTarget, {{"value", files.front()->value}}), files.front()->text);
  }
  for (const Assignment& a : words) {
    if (IsKey(a, "NO") || IsKey(a, "UNITS") || IsKey(a, "FILE")) continue;
    AddDiagnosticPair(ctx.inputDiagnostics, Severity::Warning, Fill(texts::kUnknownCountWord, {{"word", a.text}}),
                      a.text);
  }
}

std::optional<std::string_view> WorkingCopyPart(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return line;
  if (Trim(line.substr(0, colon)).empty()) return std::nullopt;
  return line.substr(0, colon);
}

std::string ReadElementText(std::string_view line) {
  // "L = 600" and "(d = 12)" are stored as "L=600" and "(d=12)": every reader of the text then
  // finds its keys as written without blanks.
  std::string text = Trim(line);
  for (char& c : text)
    if (c == '\t') c = ' ';  // a tab separates like a blank (lines pasted from a spreadsheet)
  return ElementText(CompactAround(text, "="));
}

void getdata_ini(ModuleContext& ctx, WorkingCopy& copy, Element& e) {
  e.text = ReadElementText(copy.ReadDataLine());
  e.line = copy.FileLine();
  e.id = CheckElementId(e.text).any() ? 0 : static_cast<int16_t>(LeadingNumber(e.text));
  ctx.currentId = e.id;
}

ElementReader::ElementReader(ModuleContext& ctx, WorkingCopy& copy)
    : ctx_(ctx), copy_(copy), firstWithId_(1 << 16, 0) {}

bool ElementReader::Next(Element& e) {
  if (ended_ || count_ >= ctx_.N || copy_.AtEnd()) {
    ended_ = true;
    return false;
  }
  getdata_ini(ctx_, copy_, e);
  if (e.text.empty()) {
    // A blank line ends the list; it is not an element.
    blank_ = true;
    ended_ = true;
    return false;
  }
  const int index = ++count_;
  if (e.id != 0 || !CheckElementId(e.text).any()) {
    int& first = firstWithId_[static_cast<uint16_t>(e.id)];
    if (first == 0) {
      first = index;
    } else {
      if (repeated_ < 5) repeatedIds_.push_back(e.id);
      ++repeated_;
    }
  }
  return true;
}

bool ElementReader::Next(std::vector<Element>& elements) {
  Element e;
  if (!Next(e)) return false;
  elements.push_back(std::move(e));
  return true;
}

void ElementReader::Finish(bool cancelled) {
  const std::string n = std::to_string(ctx_.N), got = std::to_string(count_);
  if (cancelled) {
    // Cut short on purpose: nothing to say about the file.
  } else if (blank_ && count_ < ctx_.N) {
    const std::string line = std::to_string(count_ + 1);
    AddDiagnosticPair(ctx_.inputDiagnostics, Severity::Error,
                      Fill(texts::kBlankElementLine, {{"n", n}, {"line", line}}), "NO=" + n);
  } else if (count_ < ctx_.N) {
    AddDiagnosticPair(ctx_.inputDiagnostics, Severity::Error,
                      Fill(texts::kTooFewElementLines, {{"n", n}, {"got", got}}), "NO=" + n);
  } else if (ctx_.N > 0 || !HasError(ctx_.inputDiagnostics)) {
    // Past the N-th element (or a count of none): anything but blank lines was meant to be read.
    // With a count line that was wrong, that is said already.
    std::string extra;
    while (extra.empty() && !copy_.AtEnd()) extra = copy_.ReadDataLine();
    if (!extra.empty() && ctx_.N == 0)
      AddDiagnostic(ctx_.inputDiagnostics, Severity::Warning,
                    EnglishHalf(texts::kCountGivesNone), PersianHalf(texts::kCountGivesNone), Utf8Prefix(extra, 40));
    else if (!extra.empty())
      AddDiagnosticPair(ctx_.inputDiagnostics, Severity::Warning, Fill(texts::kTooManyElementLines, {{"n", n}}),
                        Utf8Prefix(extra, 40));
  }
  if (repeated_ > 0) {
    std::string ids;
    for (const int16_t id : repeatedIds_) ids += (ids.empty() ? "" : ", ") + std::to_string(id);
    if (repeated_ > static_cast<int>(repeatedIds_.size())) ids += ", ...";
    AddDiagnosticPair(ctx_.inputDiagnostics, Severity::Warning, Fill(texts::kRepeatedIds, {{"ids", ids}}), ids);
  }
}

MemberKind KindOfIndex(const ModuleContext& ctx, int index) {
  if (index <= ctx.kindCounts[0]) return MemberKind::Column;
  if (index <= ctx.kindCounts[0] + ctx.kindCounts[1]) return MemberKind::Beam;
  return MemberKind::Bracing;
}

LengthReading ReadMemberLength(std::string_view elementText, const UnitSystem& dataUnits) {
  const std::string text = ToUpper(elementText);
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  LengthReading r;
  std::string firstValue;
  for (size_t i = 0; i < text.size(); ++i) {
    // "L" as a word of its own, then "=" (blanks allowed between): "2L60" and "L70" are sections.
    if (text[i] != 'L' || (i > 0 && !blank(text[i - 1]))) continue;
    size_t j = i + 1;
    while (j < text.size() && blank(text[j])) ++j;
    if (j >= text.size() || text[j] != '=') continue;
    ++j;
    while (j < text.size() && blank(text[j])) ++j;
    size_t end = j;
    while (end < text.size() && !blank(text[end])) ++end;
    const std::string written = text.substr(j, end - j);
    const std::string subject = "L=" + written;
    if (r.written) {
      if (written != firstValue && r.ok) {
        r.ok = false;
        r.cm = 0;
        std::tie(r.english, r.persian) = FillHalves(texts::kTwoLengths, {{"a", r.subject}, {"b", subject}});
        r.subject += " " + subject;
      }
      continue;
    }
    r.written = true;
    r.subject = subject;
    firstValue = written;
    // "L=600,300,0" (the table entry's form): the first value is the member length.
    const auto items = Split(written, ',');
    const std::string& first = items.front();
    const auto v = ParseNumber(first);
    bool numbers = true;
    for (size_t k = 1; k < items.size(); ++k) numbers = numbers && (items[k].empty() || ParseNumber(items[k]));
    if (!v || *v < 0 || !numbers) {
      r.ok = false;
      std::tie(r.english, r.persian) =
          FillHalves(first.empty() ? texts::kNoLength : texts::kNegativeLength, {{"length", subject}});
      continue;
    }
    for (size_t k = 1; k < items.size(); ++k) {
      const double other = items[k].empty() ? 0.0 : *ParseNumber(items[k]);
      if (other != 0 && other != *v) {
        // "L=6,5" may be 6.5 written with a decimal comma: only the 6 is used, and that is said.
        std::tie(r.noteEnglish, r.notePersian) = FillHalves(texts::kDecimalComma, {{"length", subject}, {"first", first}});
        break;
      }
    }
    r.cm = LengthRatio(dataUnits).ToBase(*v);
    if (!std::isfinite(r.cm)) {
      r.ok = false;
      r.cm = 0;
      std::tie(r.english, r.persian) = FillHalves(texts::kLengthTooLarge, {{"first", first}});
    }
  }
  return r;
}

double MemberLength(std::string_view elementText, const UnitSystem& dataUnits) {
  return ReadMemberLength(elementText, dataUnits).cm;
}

IdProblem CheckElementId(std::string_view elementText) {
  // Views only: this runs for every element of a run, and almost always finds nothing.
  IdProblem p;
  const size_t begin = elementText.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return p;
  const std::string_view text = elementText.substr(begin);
  const std::string token(text.substr(0, text.find_first_of(" \t\r\n")));
  const auto v = ParseNumber(token);
  if (!v || *v != std::floor(*v)) {
    std::tie(p.english, p.persian) = FillHalves(texts::kNoElementId, {{"token", token}});
  } else if (*v < -32768 || *v > 32767) {
    std::tie(p.english, p.persian) = FillHalves(texts::kIdOutOfRange, {{"token", token}});
  }
  if (p.any()) p.subject = token;
  return p;
}

Diagnostics ElementLineProblems(std::string_view elementText, const UnitSystem& dataUnits, bool withLength,
                                double* lengthCm) {
  Diagnostics d;
  if (const IdProblem id = CheckElementId(elementText); id.any())
    AddDiagnostic(d, Severity::Error, id.english, id.persian, id.subject);
  if (!withLength) return d;
  const LengthReading length = ReadMemberLength(elementText, dataUnits);
  if (lengthCm) *lengthCm = length.cm;
  if (!length.ok) AddDiagnostic(d, Severity::Error, length.english, length.persian, length.subject);
  if (!length.noteEnglish.empty())
    AddDiagnostic(d, Severity::Warning, length.noteEnglish, length.notePersian, length.subject);
  return d;
}

const char* KindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::Column: return "column";
    case MemberKind::Beam: return "beam";
    default: return "bracing";
  }
}

}  // namespace tavo
