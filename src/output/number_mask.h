#pragma once
// Number masks of the section records: "#" a digit position (numbers right-aligned),
// "." the decimal point (".#####" prints a value below 1 without its leading zero),
// "^^^^" after the digits scientific notation (E, sign, two exponent digits), "_" prints the
// next character as it stands, "&" a whole text. Everything else is printed as it stands.
// More values than fields: the mask starts again from its beginning. A value too wide for
// its positions is printed in full behind "%".
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavo {

using MaskValue = std::variant<double, std::string>;

std::string FormatMask(std::string_view mask, std::span<const MaskValue> values);
std::string FormatMask(std::string_view mask, std::initializer_list<MaskValue> values);
// The same, appended to out.
void AppendMask(std::string& out, std::string_view mask, std::span<const MaskValue> values);
void AppendMask(std::string& out, std::string_view mask, std::initializer_list<MaskValue> values);

// The shortest decimal text that reads back as the same value, without an exponent ("0" for
// NaN or infinity): ShortestText, made for the millions of numbers of a large results run.
std::string ShortestFixedText(double value);
// The same into buffer (400 bytes hold any double); its length.
size_t ShortestFixedText(double value, char* buffer, size_t size);

// The mantissa and exponent of one compact scientific text (" 12E+02" gives 12 and "2  ").
struct CompactScientific {
  double mantissa = 0;
  std::string exponent;  // without leading blank, left-aligned in 3 characters
};
CompactScientific SplitScientific(std::string_view text);

// J, I1, I2, S1, S2, Z1, Z2 through "###^^^^_,#####^^^^_,...,#^^^^_,#^^^^" and split again:
// J keeps two significant digits, I1 to S2 four, Z1 and Z2 one.
std::vector<CompactScientific> CompactScientificTexts(const std::vector<double>& sevenValues);

}  // namespace tavo
