// Settings files written back: whatever the bytes of constants.ini are, a value written through
// the settings writer reads back as written (trimmed, as the writer promises), every other value
// of the file reads as before, and every line the writer does not own is kept as it was; the
// constants window's save followed by a fresh read puts the same Fy, Fu, code and units in force.
//
// Input: the file's bytes up to the last NUL; after it, one write a line: "[section]key=value"
// (section "tavo" when none is given), or "!text", a value typed into the window's Fy row.
// With no NUL the whole input is the file and only the values already in it are written back.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/files.h"
#include "core/messages.h"
#include "core/module_context.h"
#include "core/text_util.h"
#include "input/design_constants.h"
#include "input/ini_file.h"
#include "scratch_dir.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "fuzz_settings: %s %s\n", what, detail.c_str());
  std::abort();
}

constexpr std::string_view kModule = "tavo";

// A line as the reader sees it: its text without the ending, and the ending ("\n", "\r\n",
// or for a last line "" or "\r").
struct Line {
  std::string text, ending;
};
std::vector<Line> Lines(std::string_view s) {
  std::vector<Line> out;
  size_t start = 0;
  while (start < s.size()) {
    const size_t end = s.find('\n', start);
    Line l;
    l.text = std::string(s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    l.ending = end == std::string_view::npos ? "" : "\n";
    if (!l.text.empty() && l.text.back() == '\r') {
      l.text.pop_back();
      l.ending.insert(l.ending.begin(), '\r');
    }
    out.push_back(std::move(l));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

std::optional<std::string> HeaderName(const std::string& text) {
  const std::string t = tavo::Trim(text);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
  return tavo::Trim(t.substr(1, t.size() - 2));
}

bool SameName(std::string_view a, std::string_view b) { return tavo::ToLower(a) == tavo::ToLower(b); }

// A line that sets key (any letter case, blanks around it).
bool SetsKey(const std::string& text, std::string_view key) {
  const std::string t = tavo::TrimLeft(text);
  const size_t eq = t.find('=');
  return eq != std::string::npos && !t.empty() && t[0] != ';' && t[0] != '#' && !HeaderName(t) &&
         SameName(tavo::Trim(t.substr(0, eq)), tavo::Trim(key));
}

// Every (section, key) the file writes, each once, in file order.
using Pair = std::pair<std::string, std::string>;
std::vector<Pair> PairsOf(std::string_view text, size_t most) {
  std::vector<Pair> pairs;
  std::optional<std::string> section;
  for (const Line& l : Lines(text)) {
    if (auto name = HeaderName(l.text)) {
      section = std::move(name);
      continue;
    }
    const std::string t = tavo::TrimLeft(l.text);
    const size_t eq = t.find('=');
    if (!section || t.empty() || t[0] == ';' || t[0] == '#' || eq == std::string::npos) continue;
    Pair p{*section, tavo::Trim(t.substr(0, eq))};
    bool seen = false;
    for (const Pair& q : pairs) seen = seen || (SameName(q.first, p.first) && SameName(q.second, p.second));
    if (!seen) pairs.push_back(std::move(p));
    if (pairs.size() >= most) break;
  }
  return pairs;
}

// Lines of `before` all in `after`, in order and unchanged; what differs is one line replaced
// by the key's line, or up to three lines added: the key's line, the section's header and a
// blank separator. A line's ending may change only where it had no line feed.
void CheckKeptLines(std::string_view before, std::string_view after, std::string_view section, std::string_view key) {
  const std::vector<Line> a = Lines(before), b = Lines(after);
  auto sameLine = [](const Line& x, const Line& y) {
    return x.text == y.text && (x.ending == y.ending || x.ending.find('\n') == std::string::npos);
  };
  if (a.size() == b.size()) {
    int changed = 0;
    for (size_t i = 0; i < a.size(); ++i) {
      if (sameLine(a[i], b[i])) continue;
      if (++changed > 1 || !SetsKey(b[i].text, key) || a[i].ending != b[i].ending) Fail("line changed:", a[i].text);
    }
    return;
  }
  if (b.size() < a.size() || b.size() > a.size() + 3) Fail("line count", std::to_string(a.size()) + " -> " + std::to_string(b.size()));
  size_t i = 0;
  for (const Line& l : b) {
    if (i < a.size() && sameLine(a[i], l)) {
      ++i;
      continue;
    }
    const auto header = HeaderName(l.text);
    const bool added = SetsKey(l.text, key) || (header && SameName(*header, section)) || tavo::Trim(l.text).empty();
    if (!added) Fail("line not kept:", i < a.size() ? a[i].text : l.text);
  }
  if (i != a.size()) Fail("line lost:", a[i].text);
}

// One write through the in-memory writer with everything it promises checked.
void CheckedSet(tavo::IniFile& ini, const std::string& section, const std::string& key, const std::string& value,
                const std::vector<Pair>& pairs) {
  std::vector<std::string> others;
  for (const Pair& p : pairs) others.push_back(ini.Get(p.first, p.second));
  const std::string before = ini.Text();
  ini.Set(section, key, value);
  const std::string after = ini.Text();
  if (ini.Get(section, key) != tavo::Trim(value)) Fail("value not read back:", key + "=" + value);
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (SameName(pairs[i].first, section) && SameName(pairs[i].second, key)) continue;
    if (ini.Get(pairs[i].first, pairs[i].second) != others[i]) Fail("other value changed:", pairs[i].second);
  }
  CheckKeptLines(before, after, section, key);
  // The text read again is the same document.
  const tavo::IniFile again = tavo::IniFile::Parse(after);
  if (again.Text() != after || again.Get(section, key) != tavo::Trim(value)) Fail("text does not read back");
}

// Sections and keys as the program names them: no blanks around them and nothing that would
// make the written line read as something else (a line break, a comment, a header, an "=").
bool UsableSection(const std::string& s) {
  return !s.empty() && s == tavo::Trim(s) && s.find_first_of("\r\n") == std::string::npos;
}
bool UsableKey(const std::string& k) {
  return !k.empty() && k == tavo::Trim(k) && k.find_first_of("=\r\n") == std::string::npos && k[0] != ';' &&
         k[0] != '#' && k[0] != '[';
}
// Values are one line, no longer than the reader gives back.
bool UsableValue(const std::string& v) {
  return v.find('\n') == std::string::npos && tavo::Trim(v).size() <= 750;
}

// What the constants window lets through as a number: the whole text one finite number.
bool WindowTakes(std::string_view text) {
  std::string t = tavo::Trim(text);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  if (t.empty() || t.find_first_not_of("0123456789.eE-") != std::string::npos) return false;
  double v = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), v);
  return error == std::errc() && end == t.data() + t.size() && std::isfinite(v);
}

struct Write {
  std::string section, key, value;
};

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
void WriteFile(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
// Only the settings file in its folder: a write leaves no temporary file behind.
void CheckNothingElse(const std::filesystem::path& dir) {
  for (const auto& e : std::filesystem::directory_iterator(dir))
    if (e.path().filename() != "constants.ini") Fail("left behind:", e.path().string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.rfind('\0');
  const std::string text(nul == std::string_view::npos ? input : input.substr(0, nul));
  const std::string_view tail = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);

  std::vector<Write> writes;
  std::vector<std::string> typed;
  for (const Line& l : Lines(tail)) {
    if (!l.text.empty() && l.text[0] == '!') {
      typed.push_back(l.text.substr(1));
      continue;
    }
    Write w{std::string(kModule), {}, {}};
    std::string rest = l.text;
    if (!rest.empty() && rest[0] == '[' && rest.find(']') != std::string::npos) {
      w.section = rest.substr(1, rest.find(']') - 1);
      rest.erase(0, rest.find(']') + 1);
    }
    const size_t eq = rest.find('=');
    w.key = rest.substr(0, eq);
    w.value = eq == std::string::npos ? "" : rest.substr(eq + 1);
    if (UsableSection(w.section) && UsableKey(w.key) && UsableValue(w.value)) writes.push_back(std::move(w));
    if (writes.size() >= 8) break;
  }

  // In memory: the values already there written back, then the chosen ones.
  const std::vector<Pair> pairs = PairsOf(text, 32);
  tavo::IniFile ini = tavo::IniFile::Parse(text);
  for (size_t i = 0; i < pairs.size() && i < 8; ++i) {
    const Pair& p = pairs[i];
    if (UsableSection(p.first) && UsableKey(p.second)) CheckedSet(ini, p.first, p.second, ini.Get(p.first, p.second), pairs);
  }
  for (const Write& w : writes) CheckedSet(ini, w.section, w.key, w.value, pairs);

  // On disk, through the functions the program calls: the file matches the same writes in memory.
  const auto dir = tavo::fuzz::ScratchDir() / "cte";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto file = dir / "constants.ini";
  WriteFile(file, text);
  tavo::RecordingMessages messages;
  tavo::ModuleContext ctx;
  ctx.messages = &messages;
  ctx.installDir = tavo::fuzz::ScratchDir().string() + "/";
  if (tavo::ConstantsFilePath(ctx) != file.string()) Fail("settings path", tavo::ConstantsFilePath(ctx));
  const bool binary = tavo::LooksBinary(text);
  for (size_t i = 0; i < writes.size() && i < 3; ++i) {
    const Write& w = writes[i];
    const std::string before = ReadFile(file);
    const bool ok = tavo::WriteSetting(ctx, w.section, w.key, w.value, file.string());
    CheckNothingElse(dir);
    if (binary) {
      // Not a settings file: never overwritten, and the user is told.
      if (ok || ReadFile(file) != before || messages.calls.empty()) Fail("binary file written");
      continue;
    }
    if (!ok) Fail("write failed", messages.calls.empty() ? "" : messages.calls.back().text);
    tavo::IniFile expected = tavo::IniFile::Parse(before);
    expected.Set(w.section, w.key, w.value);
    if (ReadFile(file) != expected.Text()) Fail("file differs from the same write in memory");
    if (tavo::ReadSetting(ctx, w.section, w.key, file.string()) != tavo::Trim(w.value)) Fail("setting not read back");
  }

  // The constants window: read, values typed, saved; a fresh read puts the same in force.
  tavo::DesignConstants constants;
  tavo::ResolveFy(constants, ctx, std::nullopt);
  for (size_t i = 0; i < typed.size() && i < 4; ++i)
    if (WindowTakes(typed[i])) tavo::GiveValue(constants, ctx, 1, typed[i]);
  const std::string before = ReadFile(file);
  const bool saved = tavo::SaveConstants(constants, ctx);
  CheckNothingElse(dir);
  if (binary) {
    if (saved || ReadFile(file) != before) Fail("binary file saved over");
    return 0;
  }
  if (!saved) Fail("constants not saved");
  const tavo::ConstantRow* row = constants.Find(1);
  if (!row) Fail("no Fy row");
  // Each key is its own write of the file as it then reads.
  const std::vector<Pair> savedPairs = PairsOf(before, 32);
  tavo::IniFile expected = tavo::IniFile::Parse(before);
  CheckedSet(expected, std::string(kModule), "units", ctx.constantsUnits, savedPairs);
  // Then every row of the window (Fy, Fu, the code), in its order.
  for (const tavo::ConstantRow& r : constants.rows) {
    expected = tavo::IniFile::Parse(expected.Text());
    CheckedSet(expected, std::string(kModule), r.key, tavo::Trim(r.value), savedPairs);
  }
  if (ReadFile(file) != expected.Text()) Fail("saved file differs from the same writes in memory");

  tavo::NullMessages quiet;
  tavo::ModuleContext fresh;
  fresh.messages = &quiet;
  fresh.installDir = ctx.installDir;
  tavo::DesignConstants reread;
  tavo::ResolveFy(reread, fresh, std::nullopt);
  if (fresh.constantsUnits != ctx.constantsUnits) Fail("units read back:", ctx.constantsUnits + " -> " + fresh.constantsUnits);
  if (fresh.fy != ctx.fy)
    Fail("Fy read back:", row->value + " " + std::to_string(ctx.fy) + " -> " + reread.Find(1)->value + " " +
                              std::to_string(fresh.fy));
  if (fresh.fu != ctx.fu) Fail("Fu read back:", std::to_string(ctx.fu) + " -> " + std::to_string(fresh.fu));
  if (fresh.code != ctx.code) Fail("code read back");
  return 0;
}
