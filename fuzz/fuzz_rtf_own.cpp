// RTF the program writes itself (reports in both languages, result tables, the formula template),
// read back. Any bytes keep the reading checks of every RTF; a document that is exactly one the
// program wrote must also show what was written: each line of its text-format twin (a report),
// each CSV row of numbers (a result table), the template's symbols and formula blocks.
//
// The documents and what each must show are the seeds in corpus/rtf_own/NAME.rtf and
// rtf_own_expected/NAME.txt (made by make_rtf_own_seeds.sh). Each is checked once at start, so
// the check does not hang on -max_len cutting a long document short; a fuzz input byte for byte
// equal to one is checked again. A mutated document is no longer one the program wrote, and gets
// only the reading checks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_util.h"
#include "output/formula_template.h"
#include "output/rtf_reader.h"
#include "rtf_checks.h"

namespace {

[[noreturn]] void Fail(const std::string& document, const std::string& what) {
  std::fprintf(stderr, "fuzz_rtf_own: %s: %s\n", document.c_str(), what.c_str());
  std::abort();
}

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
    out.emplace_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  out.emplace_back(line.substr(start));
  return out;
}

struct OwnDocument {
  std::string name;
  std::vector<std::vector<std::string>> expected;  // "line", text | "ok"/"notok", symbol, font | "block", label, text
};

std::map<std::string, OwnDocument, std::less<>>& Documents() {
  static std::map<std::string, OwnDocument, std::less<>> documents;
  return documents;
}

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void CheckOwn(std::string_view rtf, const OwnDocument& doc) {
  std::vector<std::string> lines;
  for (const std::string& l : tavo::Split(tavo::ReadRtfText(rtf).Utf8(), '\n')) lines.push_back(tavo::Trim(l));
  const tavo::FormulaTemplate tmpl = tavo::FormulaTemplate::FromRtf(rtf);
  size_t next = 0;  // lines are found in the order written
  for (const auto& e : doc.expected) {
    if (e[0] == "line") {
      while (next < lines.size() && lines[next] != e[1]) ++next;
      if (next == lines.size()) Fail(doc.name, "no line \"" + e[1] + "\" (in order)");
      ++next;
    } else if (e[0] == "ok" || e[0] == "notok") {
      const tavo::TemplateSymbol s = e[0] == "ok" ? tmpl.OkSymbol() : tmpl.NotOkSymbol();
      if (s.text != e[1] || s.font != e[2]) Fail(doc.name, e[0] + " symbol " + s.text + " in \"" + s.font + "\"");
    } else if (e[0] == "block") {
      const auto block = tmpl.FormulaBlock(e[1]);
      if (block.status != tavo::FormulaTemplate::BlockStatus::Found || block.text != e[2])
        Fail(doc.name, "block " + e[1] + ": \"" + block.text + "\"");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::filesystem::path seeds = TAVO_RTF_OWN_SEEDS, expected = TAVO_RTF_OWN_EXPECTED;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(expected, ec)) {
    OwnDocument doc;
    doc.name = entry.path().stem().string();
    const auto rtfPath = seeds / (doc.name + ".rtf");
    if (!std::filesystem::exists(rtfPath)) Fail(doc.name, "no document " + rtfPath.string());
    for (const std::string& line : tavo::Split(ReadFile(entry.path()), '\n')) {
      if (line.empty()) continue;
      // A line's text may hold tabs of its own (the cells of a table row).
      const size_t tab = line.find('\t');
      std::vector<std::string> f = line.compare(0, tab, "line") == 0 && tab == 4
                                       ? std::vector<std::string>{"line", tavo::Trim(line.substr(tab + 1))}
                                       : Fields(line);
      const bool known = (f[0] == "line" && f.size() == 2) || ((f[0] == "ok" || f[0] == "notok") && f.size() == 3) ||
                         (f[0] == "block" && f.size() == 3);
      if (!known) Fail(doc.name, "unreadable expectation: " + line);
      doc.expected.push_back(std::move(f));
    }
    if (doc.expected.empty()) Fail(doc.name, "nothing expected");
    const std::string rtf = ReadFile(rtfPath);
    tavo::fuzz::CheckRtfReading(rtf);
    CheckOwn(rtf, doc);
    Documents().emplace(rtf, std::move(doc));
  }
  // A seed folder that went missing would leave only the weaker checks, silently.
  if (ec || Documents().empty()) Fail(expected.string(), "no documents of the program's own");
  std::fprintf(stderr, "fuzz_rtf_own: %zu documents of the program's own read as written\n", Documents().size());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view rtf(reinterpret_cast<const char*>(data), size);
  tavo::fuzz::CheckRtfReading(rtf);
  if (const auto it = Documents().find(rtf); it != Documents().end()) CheckOwn(rtf, it->second);
  return 0;
}
