#pragma once
// The rolled-profile catalogue: one file per family (cte/stahl.<code>), each read once with
// list input and kept in memory; a lookup never reopens a file.
#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "sections/section_family.h"

namespace tavo {

class Messages;

// One record: the items of the family's layout in file order (cm units).
using CatalogueRecord = std::vector<double>;

struct CatalogueFamily {
  std::string code;  // "L", "UNP", "IPE", ...
  std::vector<CatalogueRecord> records;
  bool loaded = false;   // false: the file is missing or malformed (problem says why)
  std::string problem;   // bilingual message naming the file
};

class ProfileCatalogue {
 public:
  // cteDir: the folder holding stahl.* (ends with a separator or not).
  explicit ProfileCatalogue(std::string cteDir);
  ProfileCatalogue(const ProfileCatalogue&) = delete;
  ProfileCatalogue& operator=(const ProfileCatalogue&) = delete;

  // The family's records, loading its file on first use (safe from several threads). Never
  // null; an unknown code gives an empty family that is not loaded.
  const CatalogueFamily& Family(std::string_view code) const;

  // Items per record of a family code (kLayouts; 0 unknown).
  static int ItemsPerRecord(std::string_view code);

  const std::string& directory() const { return dir_; }
  std::string FilePath(std::string_view code) const;

  // True only the first time it is asked for a family, so a broken file is reported once
  // per run and not once per element.
  bool FirstReport(std::string_view code) const;

 private:
  struct Slot {
    std::once_flag once;
    CatalogueFamily family;
    std::atomic<bool> reported{false};
  };
  // One row per catalogue file: its family code and the items of each record.
  struct Layout {
    std::string_view code;
    int items;
  };
  static constexpr std::array<Layout, 13> kLayouts = {{{"L", 7},
                                                       {"UNP", 8},
                                                       {"INP", 9},
                                                       {"IPE", 9},
                                                       {"IPB", 9},
                                                       {"HPE", 9},
                                                       {"HNP", 9},
                                                       {"HPB", 9},
                                                       {"CNP", 10},
                                                       {"CPE", 10},
                                                       {"CPB", 10},
                                                       {"IPBL", 10},
                                                       {"IPBV", 10}}};
  std::string dir_;
  mutable std::array<Slot, kLayouts.size()> slots_;
};

// Reads a family's file text with list input: items separated by commas, blanks, tabs and line
// ends, the first item the record count. fileName only names the file in the problem text.
CatalogueFamily ParseCatalogueText(std::string_view code, std::string_view text, const std::string& fileName);

// The catalogue key (cm) of a size written in a designation: size ÷ 10, or, when that is below
// the family's threshold (L 3, UNP 4, I/H/C 8), the size itself (as centimetres).
double SelectionKey(double size, double threshold);
double SelectionThreshold(std::string_view code);

// Index of the first record whose first item (h or leg) equals the key (cm); -1 when none.
int FindRecord(const CatalogueFamily& family, double key);

// How a written size selects a record. The threshold rule gives the reading (mm or cm); when
// that reading names no record and the other one does, the other one is taken; when both name
// different records the size is ambiguous; when neither does, the neighbours are given.
struct SizeMatch {
  enum Kind { Found, OtherReading, Ambiguous, Missing };
  Kind kind = Missing;
  int index = -1;        // the record selected; Missing: the nearest one (above, else below)
  int other = -1;        // Ambiguous: the record the other reading names
  int below = -1, above = -1;  // Missing: the records on either side of the key
  bool millimetres = false;    // the reading that selected index (or, Missing, the threshold rule's)
  double key = 0;              // cm
};
SizeMatch MatchSize(const CatalogueFamily& family, double size);

// The name of a record as designations print it: L60*6, UNP200, IPE300.
std::string RecordName(const CatalogueFamily& family, int index);

// The editor's step through a family: command "+" (next record), "-" (previous record) or
// "set min max for slider" (only report the range). The designation keeps everything but its
// size, which is rewritten so that it selects the new record.
struct CatalogueStep {
  bool ok = false;             // false: no catalogue family named, or its file is unusable
  std::string designation;     // the designation after the step (unchanged when nothing moved)
  std::string family;          // catalogue family code
  int index = -1;              // record selected by the resulting designation
  int count = 0;               // number of records of the family
  double size = 0;             // first item (h or leg, cm) of that record
  double first = 0, last = 0;  // first and last sizes of the family (cm), the slider's range
  bool atLimit = false;        // "+" on the last or "-" on the first record
  std::string problem;         // bilingual, empty when all went well
};
CatalogueStep StepCatalogue(const ProfileCatalogue& catalogue, const FamilyTable& families, std::string_view command,
                            std::string_view designation);

}  // namespace tavo
