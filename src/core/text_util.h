#pragma once
// Small ASCII text utilities shared by every reader (case folding, trimming, splitting,
// and the number-to-text rule of designations).
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

std::string ToUpper(std::string_view s);
std::string ToLower(std::string_view s);
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);
bool StartsWith(std::string_view s, std::string_view prefix);
std::vector<std::string> Split(std::string_view s, char separator);

// Longest numeric prefix after leading blanks ("8*250" gives 8, "x" gives 0).
double NumericValue(std::string_view s);

// Shortest decimal text of a value: no exponent, no trailing zeros, no thousands separator.
std::string ShortestText(double value);

}  // namespace tavo
