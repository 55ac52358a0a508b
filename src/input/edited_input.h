#pragma once
// Writing elements changed in the desktop program back into their input file: only the
// changed element lines are replaced, every other byte stays as it was, the previous file is
// kept as "<name>.Ardekon.bak", and the new one replaces it through a temporary file.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// One changed element: its number, the text the file holds for it now (as the reader keeps
// it, ReadElementText), and its new text (as the table keeps it).
struct ElementEdit {
  size_t index = 0;  // 1-based
  std::string readText;
  std::string newText;
};

// The 0-based line numbers of element lines 1..n in an input file's text, found the way the
// reader finds them (remark lines, the constants block and the count line passed over). Fewer
// than n when the list ends sooner.
std::vector<size_t> ElementLineNumbers(std::string_view fileText, size_t n);

// The element line of `text` ("7  IPE20  L=300") with its section and length replaced:
// the ID as written, then the designation and, when lengthText is not empty, "L=" lengthText.
std::string ComposeElementLine(std::string_view text, std::string_view designation, std::string_view lengthText);

// The file text with each edited element line replaced: the line's indentation and ID and its
// remark after ":" stay. nullopt, with the reason in problem, when an element line is not
// where it was or no longer reads as readText (the file changed since it was read).
std::optional<std::string> ReplaceElementLines(std::string_view fileText, const std::vector<ElementEdit>& edits,
                                               std::string* problem = nullptr);

// Reads the input file, keeps it as "<input>.bak" and writes the edited one over it. False,
// with the reason in error and the input file untouched, when any step fails.
bool SaveElementEdits(const std::filesystem::path& input, const std::vector<ElementEdit>& edits,
                      std::string* error = nullptr);

}  // namespace tavo
