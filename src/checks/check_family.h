#pragma once
// Which member-check rules a family code selects. The codes are compared in a fixed order;
// anything that is not one of the six named codes is a rolled I-type or C-type profile.
#include <string_view>

namespace tavo {

enum class CheckFamily { PlateGirder, Cross, Box, Tube, Channel, Angle, Rolled };

inline CheckFamily FamilyOf(std::string_view code) {
  if (code == "PG") return CheckFamily::PlateGirder;
  if (code == "C") return CheckFamily::Cross;
  if (code == "BOX") return CheckFamily::Box;
  if (code == "TUBE") return CheckFamily::Tube;
  if (code == "UNP") return CheckFamily::Channel;
  if (code == "L") return CheckFamily::Angle;
  return CheckFamily::Rolled;
}

}  // namespace tavo
