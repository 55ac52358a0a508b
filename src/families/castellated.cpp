// Castellated beams cut from I profiles (CNP, CPE, CPB): the section at a web post, with the
// net section through an opening for the checks.
#include "checks/compactness.h"
#include "families/family_routines.h"
#include "families/family_table.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"CNP", "CNP"}, {"CPE", "CPE"}, {"CPB", "CPB"}};

std::string Read(const WrittenDesignation& w, const ProfileCatalogue* catalogue, const AssemblyOptions& options,
                 Section& s, SectionNotes& notes) {
  return ReadCastellated(w, *catalogue, options, s, notes);
}

}  // namespace

extern const SectionFamily kCastellatedFamily = [] {
  SectionFamily f = RolledIRecord(kNames);
  f.read = Read;
  return f;
}();

}  // namespace tavo
