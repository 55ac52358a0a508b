#include "input/input_file.h"

#include <filesystem>

#include "core/files.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "input/ini_file.h"

namespace tavo {

namespace fs = std::filesystem;

std::string ElementText(std::string_view line) {
  // Stored without the blanks that pad it to the fixed length: a run over a million elements
  // would otherwise hold some 150 MB of blanks. PaddedElementText gives the fixed-length form.
  std::string t = ToUpper(line.substr(0, kElementTextLength));
  t.erase(t.find_last_not_of(' ') + 1);
  return t;
}

std::string PaddedElementText(std::string_view text) {
  std::string t(text.substr(0, kElementTextLength));
  t.resize(kElementTextLength, ' ');
  return t;
}

bool WorkingCopy::Open(const std::string& path) {
  Close();
  in_.open(SuitePath(path), std::ios::binary);
  if (!in_) return false;
  empty_ = in_.peek() == std::ifstream::traits_type::eof();
  return true;
}

void WorkingCopy::Close() {
  if (in_.is_open()) in_.close();
  in_.clear();
  last_.clear();
}

bool WorkingCopy::AtEnd() { return !in_.is_open() || in_.peek() == std::ifstream::traits_type::eof(); }

bool WorkingCopy::ReadRawLine(std::string& line) {
  if (AtEnd()) return false;
  std::getline(in_, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
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
  ShowMessage(ctx, "File does not exist: " + file + "||فایل وجود ندارد: " + file, "Error||خطا");
}
}  // namespace

bool MakeWorkingCopy(ModuleContext& ctx) {
  const std::string input = ctx.InputFile();
  if (!FileExistsNonEmpty(ctx, input)) {
    ReportMissingInput(ctx, input);
    ctx.inputBase.clear();
    return false;
  }
  std::ifstream in(SuitePath(input), std::ios::binary);
  if (!in) {
    ShowMessage(ctx, "The input file can't be read: " + input + "||فایل ورودی خوانده نمی‌شود: " + input);
    ctx.inputBase.clear();
    return false;
  }
  {
    std::string head(8192, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    if (LooksBinary(head)) {
      ShowMessage(ctx, "This is not a text input file: " + input + "||این فایل ورودی متنی نیست: " + input);
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
    ShowMessage(ctx, "The working copy can't be written: " + copyPath.string() +
                         "||نسخه کاری نوشته نمی‌شود: " + copyPath.string());
    return false;
  }
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first) {
      out << line << '\n';
      first = false;
      continue;
    }
    const auto colon = line.find(':');
    if (colon == std::string::npos)
      out << line << '\n';
    else if (colon > 0)
      out << line.substr(0, colon) << '\n';
  }
  out.close();
  if (!out) {
    ShowMessage(ctx, "The working copy can't be written: " + copyPath.string() +
                         "||نسخه کاری نوشته نمی‌شود: " + copyPath.string());
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
    ShowWarning(ctx, "Warning! Reading an older version of Ardekon software input file ...",
                "Warning||هشدار");
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
      if (!copy.Open(path)) {
        ShowMessage(ctx, "The working copy can't be opened: " + path + "||نسخه کاری باز نمی‌شود: " + path);
        return false;
      }
      return true;
    }
  } else if (!FileExistsNonEmpty(ctx, path)) {
    if (!MakeWorkingCopy(ctx)) return false;
  }
  if (!copy.Open(path)) {
    ShowMessage(ctx, "The working copy can't be opened: " + path + "||نسخه کاری باز نمی‌شود: " + path);
    return false;
  }
  std::string header;
  copy.ReadRawLine(header);
  ApplyHeader(ctx, header);
  return true;
}

namespace {
// From just after "UNITS=" up to and including the second "]" after it.
std::string UnitsAfterKeyword(std::string_view text) {
  const std::string upper = ToUpper(text);
  const auto p = upper.find("UNITS=");
  if (p == std::string::npos) return {};
  const size_t start = p + 6;
  const auto first = upper.find(']', start);
  const auto second = first == std::string::npos ? std::string::npos : upper.find(']', first + 1);
  if (second == std::string::npos) return Trim(text.substr(start, text.substr(start).find(' ')));
  return std::string(text.substr(start, second + 1 - start));
}
}  // namespace

std::string ReadConstantsBlock(ModuleContext& ctx, WorkingCopy& copy) {
  ctx.constantsText.clear();
  std::string countLine;
  std::string constantsUnits;
  if (!copy.WasEmpty() && !copy.AtEnd()) {
    std::string line = copy.ReadDataLine();
    if (ToUpper(line).find("CONSTANTS") != std::string::npos) {
      while (!copy.AtEnd()) {
        line = copy.ReadDataLine();
        if (ToUpper(line).find("NO=") != std::string::npos) break;
        ctx.constantsText += Trim(line) + " ";
      }
      countLine = ToUpper(line).find("NO=") != std::string::npos ? line : std::string();
      constantsUnits = UnitsAfterKeyword(ctx.constantsText);
      if (constantsUnits.empty() && !Trim(ctx.constantsText).empty()) constantsUnits = "[kg]-[cm]";
    } else {
      countLine = line;
    }
  }
  ctx.N = static_cast<int>(ExtractItem(countLine, "NO", 1, 1));
  ctx.dataUnits = UnitsAfterKeyword(countLine);
  if (ctx.dataUnits.empty()) ctx.dataUnits = "[kg]-[cm]";
  if (ctx.runMode == 'I') {
    ctx.constantsUnits = constantsUnits.empty() ? ctx.dataUnits : constantsUnits;
  } else {
    ctx.constantsUnits = ReadSetting(ctx, ctx.moduleKey, "units", ctx.installDir + "cte/constants.ini");
    if (ctx.constantsUnits.empty()) ctx.constantsUnits = constantsUnits.empty() ? ctx.dataUnits : constantsUnits;
  }
  ctx.displayUnits = UnitFactors("units=" + ctx.constantsUnits, ctx.messages);
  ctx.dataUnitSystem = UnitFactors("units=" + ctx.dataUnits, ctx.messages);
  return countLine;
}

void ReadOptions(ModuleContext& ctx, std::string_view countLineIn) {
  const std::string countLine = ToUpper(countLineIn);
  for (int k = 0; k < 3; ++k) {
    const double v = ExtractItem(countLine, "NO", k + 1, 0);
    // Garbage or absurd counts become 0 rather than a huge table; the element table grows only
    // as lines are read, so a count may pass the 16-bit range of the element IDs.
    ctx.kindCounts[static_cast<size_t>(k)] = (v >= 0 && v <= 10000000) ? static_cast<int>(v) : 0;
  }
  ctx.N = ctx.kindCounts[0] + ctx.kindCounts[1] + ctx.kindCounts[2];
  ctx.target = KeyValue(countLine, "FILE", 5, "ETABS");
}

void getdata_ini(ModuleContext& ctx, WorkingCopy& copy, std::vector<Element>& elements, int index) {
  const std::string line = copy.ReadDataLine();
  if (index < 1) return;
  if (elements.size() < static_cast<size_t>(index)) elements.resize(static_cast<size_t>(index));
  Element& e = elements[static_cast<size_t>(index) - 1];
  const double id = LeadingNumber(line);
  e.id = (id >= -32768 && id <= 32767) ? static_cast<int16_t>(id) : 0;
  e.text = ElementText(line);
  ctx.currentId = e.id;
}

MemberKind KindOfIndex(const ModuleContext& ctx, int index) {
  if (index <= ctx.kindCounts[0]) return MemberKind::Column;
  if (index <= ctx.kindCounts[0] + ctx.kindCounts[1]) return MemberKind::Beam;
  return MemberKind::Bracing;
}

double MemberLength(std::string_view elementText, const UnitSystem& dataUnits) {
  const double v = ExtractItem(elementText, "L", 1, 0);
  return v > 0 ? v * static_cast<double>(dataUnits.lengthFactor) : 0.0;
}

const char* KindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::Column: return "column";
    case MemberKind::Beam: return "beam";
    default: return "bracing";
  }
}

}  // namespace tavo
