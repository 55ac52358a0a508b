#pragma once
// How every reader takes numbers and words out of free text: the n-th number after a key,
// the spacing of a doubled profile, a key's word, the leading number.
#include <string>
#include <string_view>

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
