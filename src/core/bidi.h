#pragma once
// Left-to-right pieces (paths, unit pairs, designations, numbers with units) inside a
// right-to-left text. Without isolation the bidirectional algorithm reorders their neutral
// characters: "[kg]-[cm]" shows as "[cm]-[kg]" and "/tmp/frame.Ardekon" as "tmp/frame.Ardekon/".
// Each run is wrapped in LEFT-TO-RIGHT ISOLATE (U+2066) ... POP DIRECTIONAL ISOLATE (U+2069).
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavo {

inline constexpr std::string_view kLri = "\u2066";
inline constexpr std::string_view kPdi = "\u2069";

// The whole text as one left-to-right island (a path, a unit pair, a label). Empty stays
// empty; a text already wrapped is returned as it is.
std::string IsolateLtr(std::string_view text);

// Every left-to-right run of a text meant for a right-to-left line, isolated. A line without
// any right-to-left letter is isolated whole; in a mixed line each run from its first to its
// last Latin letter or digit, with the brackets, slashes and dots that touch it, but not a
// sentence's closing punctuation. Lines are handled apart; parts already isolated are kept.
std::string IsolateLtrRuns(std::string_view text);

// The runs IsolateLtrRuns would wrap in one line of code points, as [begin, end) indexes.
std::vector<std::pair<std::size_t, std::size_t>> LtrRuns(std::u32string_view line);

// True when the text holds a right-to-left letter (Hebrew, Arabic, Persian).
bool HasRtl(std::string_view text);

}  // namespace tavo
