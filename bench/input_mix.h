#pragma once
// The element mix of the generated timing inputs: every section family (rolled, doubled,
// plated, castellated, half profiles, angles, channels, plate girders, crosses, boxes, tubes)
// with varied lengths; columns, beams and braces in the proportions 2:2:1.
#include <ostream>
#include <string>
#include <vector>

namespace tavo::bench {

inline const std::vector<std::string>& MixDesignations() {
  static const std::vector<std::string> list = {
      "IPE200",          "IPE300+2PL200*10",     "2IPE240  (d=20)",     "3IPE200  (d=15)",
      "IPE360+WPL250*8", "INP240",               "IPB300",              "IPB400+2PL300*8",
      "HPE300-400",      "HNP240",               "HPB200-300",          "CPE300",
      "CNP240",          "CPB200",               "UNP200",              "2UNP200  (d=12)",
      "2UNP160 ][",      "2UNP220+PL200*10",     "L60",                 "2L80",
      "2L100<>",         "2L70  (d=2)",          "PG 600*8*250*15",     "PG500X8X250X12X200X10",
      "CROSS 400*300*8*200*12",                  "BOX 300*10*300*15",   "BOX 400*12*300*15 (D=20)",
      "TUBE 273*6",      "TUBE 508*10",          "IPE550",              "IPB1000+2PL400*20",
      "2IPE300+2PL400*12"};
  return list;
}

// Writes a whole input file of n elements.
inline void WriteMixInput(std::ostream& out, long n) {
  const long columns = n * 2 / 5, beams = n * 2 / 5, braces = n - columns - beams;
  out << "Software=Ardekon  Version=7.12  Module=tavo  Title=Generated " << n << " elements\n";
  out << "CONSTANTS\nFy=2400 UNITS=[kg]-[cm]\n";
  out << "NO=" << columns << ',' << beams << ',' << braces << " UNITS=[kg]-[cm] FILE=ETABS\n";
  const auto& designations = MixDesignations();
  std::string line;
  for (long i = 0; i < n; ++i) {
    const long id = i % 32767 + 1;  // element IDs are 16-bit
    const std::string& d = designations[static_cast<size_t>(i % static_cast<long>(designations.size()))];
    const long length = 100 + (i * 37) % 701;  // 100 .. 800 cm
    line = std::to_string(id) + ' ' + d + "  L=" + std::to_string(length) + '\n';
    out << line;
  }
}

}  // namespace tavo::bench
