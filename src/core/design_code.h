#pragma once
// The rules a member is checked by: today's allowable-stress rules (the default), or the
// limit-state code in either of its two methods. Names as the command line and settings write them.
#include <array>
#include <optional>
#include <string_view>

namespace tavo {

enum class DesignCode { Asd89, Aisc360Lrfd, Aisc360Asd };

inline constexpr std::array<std::string_view, 3> kDesignCodeNames{"asd89", "aisc360-lrfd", "aisc360-asd"};

inline std::string_view DesignCodeName(DesignCode code) { return kDesignCodeNames[static_cast<int>(code)]; }

// The code a name stands for (exactly as written above); nullopt for any other text.
inline std::optional<DesignCode> DesignCodeOfName(std::string_view name) {
  for (std::size_t i = 0; i < kDesignCodeNames.size(); ++i)
    if (kDesignCodeNames[i] == name) return static_cast<DesignCode>(i);
  return std::nullopt;
}

inline bool IsLimitStateCode(DesignCode code) { return code != DesignCode::Asd89; }

}  // namespace tavo
