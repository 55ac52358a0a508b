#include "sections/section_notes.h"

#include <cmath>

namespace tavo {

void SectionNotes::Put(Severity severity, std::string_view english, std::string_view persian,
                       std::string_view subject) {
  const std::string text = std::string(english) + "||";
  for (const auto& item : items_)
    if (item.text.compare(0, text.size(), text) == 0) return;
  items_.push_back(Diagnostic{severity, text + std::string(persian), std::string(subject)});
}

void SectionNotes::Add(std::string_view english, std::string_view persian, std::string_view subject) {
  Put(Severity::Error, english, persian, subject);
}

void SectionNotes::AddWarning(std::string_view english, std::string_view persian, std::string_view subject) {
  Put(Severity::Warning, english, persian, subject);
}

void SectionNotes::Append(const Diagnostic& d) {
  for (const auto& item : items_)
    if (item.text == d.text) return;
  items_.push_back(d);
}

bool SectionNotes::HasError() const { return tavo::HasError(items_); }

namespace {
std::pair<std::string, std::string> Halves(const std::string& bilingual) {
  const auto p = bilingual.find("||");
  if (p == std::string::npos) return {bilingual, bilingual};
  return {bilingual.substr(0, p), bilingual.substr(p + 2)};
}
}  // namespace

void SectionNotes::AddBilingual(const std::string& text, Severity severity) {
  const auto [english, persian] = Halves(text);
  Put(severity, english, persian, {});
}

std::string JoinProblems(const std::string& first, const std::string& second) {
  if (first.empty()) return second;
  if (second.empty()) return first;
  const auto [ae, af] = Halves(first);
  const auto [be, bf] = Halves(second);
  return ae + "; " + be + "||" + af + "؛ " + bf;
}

std::string SectionNotes::Text() const {
  if (items_.empty()) return {};
  std::string english, persian;
  for (const auto& item : items_) {
    const auto [en, fa] = Halves(item.text);
    if (!english.empty()) english += "; ";
    if (!persian.empty()) persian += "؛ ";
    english += en;
    persian += fa;
  }
  return english + "||" + persian;
}

double Quotient(double num, double den, std::string_view what, SectionNotes& notes) {
  const double q = den != 0 ? num / den : 0.0;
  if (den == 0 || !std::isfinite(q)) {
    const std::string w(what);
    notes.Add(w + " set to 0: division by zero (a dimension of the section is zero)",
              w + " برابر صفر در نظر گرفته شد: تقسیم بر صفر (یکی از ابعاد مقطع صفر است)");
    return 0.0;
  }
  return q;
}

double Root(double x, std::string_view what, SectionNotes& notes) {
  if (!(x >= 0) || !std::isfinite(x)) {
    const std::string w(what);
    notes.Add(w + " set to 0: root of a negative value", w + " برابر صفر در نظر گرفته شد: جذر مقدار منفی");
    return 0.0;
  }
  return std::sqrt(x);
}

double CheckedDimension(double value, std::string_view name, bool required, SectionNotes& notes) {
  const std::string n(name);
  if (!std::isfinite(value)) {
    notes.Add("Dimension " + n + " is not a usable number; taken as 0", "بعد " + n + " عدد قابل استفاده‌ای نیست؛ صفر در نظر گرفته شد");
    return 0.0;
  }
  if (value < 0) {
    notes.Add("Dimension " + n + " is negative; taken as 0", "بعد " + n + " منفی است؛ صفر در نظر گرفته شد");
    return 0.0;
  }
  if (value == 0 && required) notes.Add("Dimension " + n + " is zero", "بعد " + n + " صفر است");
  return value;
}

}  // namespace tavo
