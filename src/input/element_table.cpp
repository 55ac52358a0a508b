#include "input/element_table.h"

#include "core/text_helpers.h"
#include "input/input_file.h"

namespace tavo {

namespace {
const Diagnostics kNone;
}

void ElementTable::Reserve(size_t elements) {
  entries_.reserve(elements);
  ends_.reserve(elements);
  // Element lines are a few dozen characters.
  texts_.reserve(elements * 32);
}

uint8_t ElementTable::FlagsOf(const ElementSummary& s) {
  uint8_t f = 0;
  // No section, no verdict: an element that was never checked or had no section is not OK.
  if (s.ok && !s.error && s.recognised && s.checked) f |= kOk;
  if (s.error) f |= kError;
  if (s.recognised) f |= kRecognised;
  if (HasWarning(s.diagnostics)) f |= kWarned;
  return f;
}

uint32_t ElementTable::KeepDiagnostics(const Diagnostics& d) {
  if (d.empty()) return 0;
  diagnostics_.push_back(d);
  return static_cast<uint32_t>(diagnostics_.size());
}

void ElementTable::Append(const Element& element, const ElementSummary& summary) {
  texts_ += element.text;
  ends_.push_back(texts_.size());
  Entry e;
  e.id = element.id;
  e.flags = FlagsOf(summary);
  e.diagnostics = KeepDiagnostics(summary.diagnostics);
  entries_.push_back(e);
}

void ElementTable::SetSummary(size_t i, const ElementSummary& summary) {
  Entry& e = entries_[i];
  e.flags = FlagsOf(summary);
  if (e.diagnostics != 0 && !summary.diagnostics.empty())
    diagnostics_[e.diagnostics - 1] = summary.diagnostics;
  else if (e.diagnostics != 0)
    diagnostics_[e.diagnostics - 1].clear();  // the slot stays, empty
  else
    e.diagnostics = KeepDiagnostics(summary.diagnostics);
}

void ElementTable::SetText(size_t i, std::string_view text) {
  const size_t begin = i == 0 ? 0 : ends_[i - 1];
  const size_t old = ends_[i] - begin;
  texts_.replace(begin, old, text);
  // The texts after it move by the difference in length.
  const int64_t shift = static_cast<int64_t>(text.size()) - static_cast<int64_t>(old);
  for (size_t k = i; k < ends_.size(); ++k) ends_[k] = static_cast<uint64_t>(static_cast<int64_t>(ends_[k]) + shift);
  entries_[i].id = CheckElementId(text).any() ? 0 : static_cast<int16_t>(LeadingNumber(text));
}

void ElementTable::Truncate(size_t n) {
  if (n >= entries_.size()) return;
  entries_.resize(n);
  ends_.resize(n);
  texts_.resize(n == 0 ? 0 : ends_.back());
}

void ElementTable::Clear() {
  texts_.clear();
  ends_.clear();
  entries_.clear();
  diagnostics_.clear();
}

std::string_view ElementTable::text(size_t i) const {
  const size_t begin = i == 0 ? 0 : ends_[i - 1];
  return std::string_view(texts_).substr(begin, ends_[i] - begin);
}

const Diagnostics& ElementTable::diagnostics(size_t i) const {
  const uint32_t k = entries_[i].diagnostics;
  return k == 0 ? kNone : diagnostics_[k - 1];
}

}  // namespace tavo
