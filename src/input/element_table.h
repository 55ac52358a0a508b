#pragma once
// The elements of a batch pass as the desktop program keeps them for its list: every line's
// text in one block, eight bytes of verdict per element, and diagnostics only for the elements
// that have some. About 16 bytes an element besides its text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/diagnostics.h"
#include "input/batch_pass.h"

namespace tavo {

class ElementTable {
 public:
  void Reserve(size_t elements);
  void Append(const Element& element, const ElementSummary& summary);
  // Element i's verdict found again (the list checked with another Fy).
  void SetSummary(size_t i, const ElementSummary& summary);
  // Element i's line replaced (changed in the editor); its ID is read from the new text.
  void SetText(size_t i, std::string_view text);
  // Keeps the first n elements.
  void Truncate(size_t n);
  void Clear();

  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // Element i (0-based) as the input file gave it.
  Element element(size_t i) const { return {entries_[i].id, std::string(text(i))}; }
  std::string_view text(size_t i) const;
  int16_t id(size_t i) const { return entries_[i].id; }
  bool error(size_t i) const { return entries_[i].flags & kError; }
  bool ok(size_t i) const { return entries_[i].flags & kOk; }
  bool recognised(size_t i) const { return entries_[i].flags & kRecognised; }
  bool warned(size_t i) const { return entries_[i].flags & kWarned; }
  // Empty for almost every element.
  const Diagnostics& diagnostics(size_t i) const;

 private:
  enum Flag : uint8_t { kOk = 1, kError = 2, kRecognised = 4, kWarned = 8 };
  struct Entry {
    int16_t id = 0;
    uint8_t flags = 0;
    uint8_t spare = 0;
    uint32_t diagnostics = 0;  // 1-based index into diagnostics_; 0 for none
  };
  static uint8_t FlagsOf(const ElementSummary& s);
  uint32_t KeepDiagnostics(const Diagnostics& d);

  std::string texts_;
  std::vector<uint64_t> ends_;  // end of element i's text in texts_
  std::vector<Entry> entries_;
  std::vector<Diagnostics> diagnostics_;
};

}  // namespace tavo
