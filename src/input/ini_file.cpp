#include "input/ini_file.h"

#include <algorithm>
#include <filesystem>

#include "core/files.h"
#include "core/language.h"
#include "core/module_context.h"
#include "core/text_util.h"
#include "input/input_texts.h"
#include "core/core_texts.h"
#include "core/text_helpers.h"

namespace tavo {

namespace {
// "[name]" on a line of its own gives name; anything else gives nothing.
bool SectionName(const std::string& line, std::string& name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  name = Trim(t.substr(1, t.size() - 2));
  return true;
}
bool IsComment(const std::string& t) { return !t.empty() && (t[0] == ';' || t[0] == '#'); }
}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  if (text.find("\r\n") != std::string_view::npos) ini.newline_ = "\r\n";
  size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    std::string line(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    // Each line keeps its own ending so that a rewrite changes only the key it sets.
    std::string eol = end == std::string_view::npos ? "" : "\n";
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      eol.insert(eol.begin(), '\r');
    }
    ini.lines_.push_back(std::move(line));
    ini.endings_.push_back(std::move(eol));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  const auto bytes = ReadWholeFile(SuitePath(path));
  if (!bytes) {
    IniFile ini;
    std::error_code ec;
    ini.error_ = std::filesystem::exists(SuitePath(path), ec) ? "cannot read " + path : "missing " + path;
    return ini;
  }
  if (LooksBinary(*bytes)) {
    IniFile ini;
    ini.error_ = "not a settings file: " + path;
    return ini;
  }
  return Parse(*bytes);
}

int IniFile::FindSection(std::string_view section) const {
  const std::string wanted = ToLower(section);
  std::string name;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (SectionName(lines_[i], name) && ToLower(name) == wanted) return static_cast<int>(i);
  return -1;
}

bool IniFile::HasDuplicateSection(std::string_view section) const {
  const std::string wanted = ToLower(section);
  std::string name;
  int seen = 0;
  for (const auto& l : lines_)
    if (SectionName(l, name) && ToLower(name) == wanted) ++seen;
  return seen > 1;
}

int IniFile::FindKey(int sectionLine, std::string_view key) const {
  const std::string wanted = ToLower(Trim(key));
  std::string name;
  for (size_t i = static_cast<size_t>(sectionLine) + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i], name)) break;
    const std::string t = TrimLeft(lines_[i]);
    if (IsComment(t)) continue;
    const auto eq = t.find('=');
    if (eq != std::string::npos && ToLower(Trim(t.substr(0, eq))) == wanted) return static_cast<int>(i);
  }
  return -1;
}

std::string IniFile::Get(std::string_view section, std::string_view key) const {
  const int s = FindSection(section);
  if (s < 0) return {};
  const int k = FindKey(s, key);
  if (k < 0) return {};
  const std::string& line = lines_[static_cast<size_t>(k)];
  std::string value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  if (value.size() > 750) value.resize(750);
  return value;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string stored = Trim(value);
  // Get takes one pair of quotes off a value: a value in quotes of its own keeps them inside a second pair.
  if (stored.size() >= 2 && stored.front() == '"' && stored.back() == '"') stored = '"' + stored + '"';
  const std::string line = ToUpper(Trim(key)) + "=" + stored;
  int s = FindSection(section);
  if (s < 0) {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) InsertLine(lines_.size(), "");
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), line);
    return;
  }
  const int k = FindKey(s, key);
  if (k >= 0) {
    lines_[static_cast<size_t>(k)] = line;
    return;
  }
  // After the section's last non-blank line, so blank separators stay between sections.
  size_t insertAt = static_cast<size_t>(s) + 1;
  std::string name;
  for (size_t i = insertAt; i < lines_.size() && !SectionName(lines_[i], name); ++i)
    if (!Trim(lines_[i]).empty()) insertAt = i + 1;
  InsertLine(insertAt, line);
}

std::string IniFile::Text() const {
  std::string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    // A last line without an ending gets one only when lines follow it.
    if (i < endings_.size() && (!endings_[i].empty() || i + 1 == lines_.size()))
      out += endings_[i];
    else
      out += newline_;
  }
  return out;
}

void IniFile::InsertLine(size_t at, std::string line) {
  // The line before must end in a line feed, or the new line would join it. A last line's lone
  // "\r" is its own byte: the feed goes after it, not in its place.
  if (at > 0 && at - 1 < endings_.size()) {
    std::string& before = endings_[at - 1];
    if (before.empty())
      before = newline_;
    else if (before.back() != '\n')
      before += '\n';
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  endings_.insert(endings_.begin() + static_cast<std::ptrdiff_t>(std::min(at, endings_.size())), newline_);
}

bool IniFile::Save(const std::string& path, std::string* error) const {
  return AtomicWriteFile(SuitePath(path), Text(), error);
}

std::string ReadSetting(const ModuleContext& ctx, std::string_view section, std::string_view key,
                        const std::string& file) {
  const IniFile ini = IniFile::Load(file);
  if (ini.HasDuplicateSection(section))
    ShowWarning(ctx, Fill(texts::kSectionTwice, {{"file", file}, {"section", section}}));
  return ini.Get(section, ToLower(key));
}

bool WriteSetting(const ModuleContext& ctx, std::string_view section, std::string_view key, std::string_view value,
                  const std::string& file) {
  IniFile ini = IniFile::Load(file);
  std::error_code ec;
  if (!ini.error().empty() && std::filesystem::exists(SuitePath(file), ec)) {
    ShowMessage(ctx, Fill(texts::kSettingsUnreadable, {{"file", file}}));
    return false;
  }
  ini.Set(section, key, value);
  std::string error;
  if (!ini.Save(file, &error)) {
    ShowMessage(ctx, Fill(texts::kSettingsNotSaved, {{"error", error}}));
    return false;
  }
  return true;
}

}  // namespace tavo
