#pragma once
// How every reader takes numbers and words out of free text: the n-th number after a key,
// the spacing of a doubled profile, a key's word, the leading number.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavo {

struct UnitSystem;

// The n-th number after key in text (n counts from 1), or def when absent.
double ExtractItem(std::string_view text, std::string_view key, int n, double def);
// As above, with def first converted from base units into the display units of a dimension letter.
double ExtractItem(std::string_view text, std::string_view key, int n, double def, std::string_view unit,
                   const UnitSystem& display);

// Spacing of a doubled profile: "(e=", " e=", "(d=", " d=", the first present wins.
double ExtractSpacing(std::string_view text, int n, double def);

double LeadingNumber(std::string_view text);

// Word after " key=" (upper-cased), or the upper-cased default; both cut at their first blank.
std::string KeyValue(std::string_view text, std::string_view key, int mode, std::string_view def);

// One word of a keyword line: "KEY=value", or a word without "=".
struct Assignment {
  std::string key;    // as written; the whole word when it holds no "="
  std::string value;  // as written
  bool assigns = false;
  std::string text;   // the word as read, for messages ("Fy=2500")
};
// The words of a keyword line such as "NO=2,1,1  UNITS=[ton]-[m]  FILE=SAP" or "Fy = 2400".
// Blanks around "=" and "," are allowed; a value that starts with "[" runs to its second "]",
// so a unit text may hold blanks.
std::vector<Assignment> ScanAssignments(std::string_view text);

// A text template with every "{name}" replaced by its value (in both halves of an
// "English||Persian" pair); unknown names stay as written and values are not scanned again.
std::string Fill(std::string_view pair,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> values);
// The English and the Persian half, each filled on its own (a "||" inside a value cannot
// move the split); for callers that keep the two apart.
std::pair<std::string, std::string> FillHalves(
    std::string_view pair, std::initializer_list<std::pair<std::string_view, std::string_view>> values);

// The smaller/larger of two values; on a tie the second one.
template <typename T>
T VMin(T a, T b) {
  return a < b ? a : b;
}
template <typename T>
T VMax(T a, T b) {
  return a > b ? a : b;
}

}  // namespace tavo
