#pragma once
// Small ASCII text utilities shared by every reader (case folding, trimming, splitting,
// and the number-to-text rule of designations).
#include <optional>
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

// The value of a token that is a number and nothing else ("2.5", "-3", "1e3"); nothing for
// "abc", "5m", "6,3", an empty token or a value too large for a double.
std::optional<double> ParseNumber(std::string_view token);

// The text with the blanks and tabs around every one of the marks removed: "Fy = 2500" and
// "NO=3, 1, 1" read like "Fy=2500" and "NO=3,1,1".
std::string CompactAround(std::string_view text, std::string_view marks);

// Shortest decimal text of a value: no exponent, no trailing zeros, no thousands separator.
std::string ShortestText(double value);

}  // namespace tavo
