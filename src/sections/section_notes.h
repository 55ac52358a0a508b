#pragma once
// Problems met while a section is computed, kept as English/Persian pairs and joined into one
// bilingual text at the end, plus the guarded arithmetic that keeps inf and NaN out of the
// properties: a quotient by zero or the root of a negative number gives 0 and a note.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/diagnostics.h"

namespace tavo {

class SectionNotes {
 public:
  // Adds a note once; the same English text is not repeated. A note is an error (the section
  // is not what the user wrote, or has no usable numbers) unless added as a warning.
  void Add(std::string_view english, std::string_view persian, std::string_view subject = {});
  void AddWarning(std::string_view english, std::string_view persian, std::string_view subject = {});
  // Adds a diagnostic as it is (once, as above).
  void Append(const Diagnostic& d);
  // Adds an "English||Persian" text (a plain text stands for both halves).
  void AddBilingual(const std::string& text, Severity severity = Severity::Error);
  bool empty() const { return items_.empty(); }
  bool HasError() const;
  // "english1; english2||persian1؛ persian2", or "" when there is nothing to say.
  std::string Text() const;
  const Diagnostics& Items() const { return items_; }

 private:
  void Put(Severity severity, std::string_view english, std::string_view persian, std::string_view subject);
  Diagnostics items_;
};

// Two bilingual problem texts joined half by half; either may be empty.
std::string JoinProblems(const std::string& first, const std::string& second);

// num / den; 0 with a note naming what could not be computed when den is 0 or the result is not finite.
double Quotient(double num, double den, std::string_view what, SectionNotes& notes);
// √x; 0 with a note when x is negative or not finite.
double Root(double x, std::string_view what, SectionNotes& notes);

// A dimension read from a designation or a catalogue record: a negative value becomes 0 with
// a note; a zero value of a dimension the formulas need gets a note naming it.
double CheckedDimension(double value, std::string_view name, bool required, SectionNotes& notes);

}  // namespace tavo
