#pragma once
// The pieces every section routine reads out of a designation: which family it names and
// where, the count written before the name, the size after it, plates, spacings, the base
// text, and the number-to-text rule of canonical names. Texts are upper-case here.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tavo {

enum class ShapeKind { None, PlateGirder, Cross, Box, Tube, Angle, Channel, Rolled, Castellated };

struct ShapeName {
  ShapeKind kind = ShapeKind::None;
  std::string code;                   // catalogue family code ("L", "UNP", "IPE", "CPE", ...); "" otherwise
  std::size_t at = std::string::npos;  // where the family's name starts in the text
};

// The family tests in their order: "PG", "CROSS", "BOX", "TUBE" at the start, an angle ("2L" or
// "L" followed by a number above 0), "UNP" anywhere, then the castellated codes and, for texts
// of at least five characters, the I and H codes (the first of each list that is present).
ShapeName ShapeOf(std::string_view text);

// The number written before the family's name ("2" in 2IPE300), 0 when there is none.
int CountBefore(std::string_view text, std::size_t nameAt);
// The leading number after the family code (the profile size as written).
double SizeAfter(std::string_view text, std::size_t nameAt, std::size_t codeLength);

// True when one of the markers occurs more than three characters after the start of the
// profile name, so that the letters of the name are never taken for a plate.
bool PlateMarked(std::string_view text, std::size_t nameAt, std::initializer_list<std::string_view> markers);

// Width and thickness (or height and thickness) of the plate list after key ("PL|PL|",
// "WPL|PL|"), millimetres turned into centimetres.
struct PlatePair {
  double first = 0, second = 0;
};
PlatePair ReadPlatePair(std::string_view text, std::string_view key);

// The spacing of a doubled profile in cm: the written value times the length factor, divided by
// 10 when it exceeds 100 (a millimetre value in a centimetre file). 0 when none is written.
double WrittenSpacing(std::string_view text, double lengthFactor);

// The designation cut before the first "+", else the first "(", else the first "L=".
std::string BaseTextOf(std::string_view text);

// A centimetre value written in millimetres by the shortest-text rule (20 gives "200").
std::string MmText(double cm);

}  // namespace tavo
