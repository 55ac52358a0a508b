#include "input/edited_input.h"

#include <algorithm>
#include <map>

#include "core/files.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "input/input_file.h"

namespace tavo {

namespace {

// A line of the file without its line end, and where it starts and ends in the text.
struct RawLine {
  size_t begin = 0, end = 0;  // [begin, end) without "\r\n" or "\n"
};

std::vector<RawLine> SplitLines(std::string_view text) {
  std::vector<RawLine> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t nl = text.find('\n', at);
    const size_t stop = nl == std::string_view::npos ? text.size() : nl;
    size_t end = stop;
    if (end > at && text[end - 1] == '\r') --end;
    lines.push_back({at, end});
    at = nl == std::string_view::npos ? text.size() : nl + 1;
  }
  return lines;
}

bool IsCountLine(std::string_view line) {
  for (const Assignment& a : ScanAssignments(line))
    if (a.assigns && ToUpper(a.key) == "NO") return true;
  return false;
}

}  // namespace

std::vector<size_t> ElementLineNumbers(std::string_view fileText, size_t n) {
  const std::vector<RawLine> raw = SplitLines(fileText);
  // The working copy: every line after the header that is not a remark, with its number.
  std::vector<std::pair<size_t, std::string>> copy;
  for (size_t i = 1; i < raw.size(); ++i)
    if (const auto data = WorkingCopyPart(fileText.substr(raw[i].begin, raw[i].end - raw[i].begin)))
      copy.emplace_back(i, Trim(*data));
  size_t at = 0;
  while (at < copy.size() && copy[at].second.empty()) ++at;
  if (at >= copy.size()) return {};
  if (ToUpper(copy[at].second).find("CONSTANTS") != std::string::npos) {
    ++at;
    while (at < copy.size() && !IsCountLine(copy[at].second)) ++at;
    if (at >= copy.size()) return {};
  } else if (!IsCountLine(copy[at].second)) {
    return {};
  }
  std::vector<size_t> numbers;
  for (++at; at < copy.size() && numbers.size() < n && !copy[at].second.empty(); ++at)
    numbers.push_back(copy[at].first);
  return numbers;
}

std::string ComposeElementLine(std::string_view text, std::string_view designation, std::string_view lengthText) {
  const std::string trimmed = Trim(text);
  const size_t blank = trimmed.find(' ');
  std::string line = trimmed.substr(0, blank);
  line += "   ";
  line += Trim(designation);
  if (!lengthText.empty()) {
    line += "  L=";
    line += lengthText;
  }
  return line;
}

std::optional<std::string> ReplaceElementLines(std::string_view fileText, const std::vector<ElementEdit>& edits,
                                               std::string* problem) {
  const auto fail = [problem](const std::string& why) -> std::optional<std::string> {
    if (problem) *problem = why;
    return std::nullopt;
  };
  size_t last = 0;
  for (const ElementEdit& e : edits) last = std::max(last, e.index);
  const std::vector<RawLine> raw = SplitLines(fileText);
  const std::vector<size_t> numbers = ElementLineNumbers(fileText, last);
  std::map<size_t, const ElementEdit*> byLine;
  for (const ElementEdit& e : edits) {
    if (e.index < 1 || e.index > numbers.size())
      return fail("element " + std::to_string(e.index) + " is no longer in the file");
    const RawLine& r = raw[numbers[e.index - 1]];
    const std::string_view data = *WorkingCopyPart(fileText.substr(r.begin, r.end - r.begin));
    if (ReadElementText(data) != e.readText)
      return fail("element " + std::to_string(e.index) + " was changed in the file since it was read");
    if (e.newText.find_first_of("\r\n:") != std::string::npos)
      return fail("element " + std::to_string(e.index) + " has a line break or a \":\" in its new text");
    byLine[numbers[e.index - 1]] = &e;
  }
  std::string out;
  out.reserve(fileText.size() + 64 * edits.size());
  size_t copied = 0;  // everything before this offset is in out
  for (const auto& [number, edit] : byLine) {
    const RawLine& r = raw[number];
    const std::string_view line = fileText.substr(r.begin, r.end - r.begin);
    const std::string_view data = *WorkingCopyPart(line);
    // Keep the indentation and whatever follows the element's text (the blanks before a remark
    // and the remark itself); the text itself is written as the reader keeps it, so the file
    // reads back exactly as the table holds it, whatever odd characters the old line had.
    const size_t first = std::min(data.size(), data.find_first_not_of(" \t\r"));
    const size_t dataEnd = data.find_last_not_of(" \t\r") + 1;
    out.append(fileText.substr(copied, r.begin - copied));
    out.append(line.substr(0, first));
    out.append(edit->newText);
    out.append(line.substr(dataEnd));
    copied = r.end;
  }
  out.append(fileText.substr(copied));
  return out;
}

bool SaveElementEdits(const std::filesystem::path& input, const std::vector<ElementEdit>& edits, std::string* error) {
  const std::optional<std::string> old = ReadWholeFile(input);
  if (!old) {
    if (error) *error = "Cannot read " + input.string();
    return false;
  }
  std::string problem;
  const std::optional<std::string> text = ReplaceElementLines(*old, edits, &problem);
  if (!text) {
    if (error) *error = problem;
    return false;
  }
  // The previous file first: when the backup cannot be written, nothing is replaced.
  std::filesystem::path backup = input;
  backup += ".bak";
  if (!AtomicWriteFile(backup, *old, error)) return false;
  return AtomicWriteFile(input, *text, error);
}

}  // namespace tavo
