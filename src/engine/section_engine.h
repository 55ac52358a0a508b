#pragma once
// The pipeline both programs run: a designation (or an element of the input) and the run
// state in; the section, the member check and the report out. The profile catalogue and the
// formula store are opened once per run, here and nowhere else.
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/check_results.h"
#include "input/design_constants.h"
#include "input/forces_file.h"
#include "input/input_file.h"
#include "output/report.h"
#include "resources/resource_store.h"
#include "sections/profile_catalogue.h"
#include "sections/section_parser.h"

namespace tavo {

// The member kinds by the names the command line and the result tables use (see KindName).
inline constexpr std::array<const char*, 3> kMemberKindNames{"column", "beam", "bracing"};
// The kind a name stands for; nullopt for any other text.
std::optional<MemberKind> MemberKindOfName(std::string_view name);

// The 1-based index of the first element with this ID; 0 when there is none.
int IndexOfElementId(const std::vector<Element>& elements, int id);

class SectionEngine {
 public:
  explicit SectionEngine(ModuleContext& ctx);

  // After the data units, the language or the messages seam changed. The install tree is
  // fixed per run.
  void Refresh();
  // Spacings and lengths of a designation given on its own are read in these units, not in
  // the input's; a later Refresh goes back to the input's.
  void UseDataUnits(const UnitSystem& units);

  // Fy in force (ctx.fy, ctx.fyDiagnostics): the value given in kg/cm² when there is one,
  // else that of the input's constants when an input was read (inputConstants), else the
  // settings file's in its own units, else the default.
  void ResolveFy(std::optional<double> givenKgCm2, DesignConstants* inputConstants = nullptr) const;
  // The same for every constant a command gives: Fy, Fu (kg/cm²) and the design code.
  void ResolveConstants(const GivenConstants& given, DesignConstants* inputConstants = nullptr) const;

  Section Compute(const std::string& designation) const;
  // Without messages: for pictures drawn while a window paints, and for commands that say
  // what is wrong with the section in their own output.
  Section ComputeQuietly(const std::string& designation) const;

  // Element `index` (1-based): kind from its place in the counts, length from its L=, unless
  // a kind or a length (cm) is given in their place.
  MemberInput MemberOf(const Element& element, int index, std::optional<MemberKind> kind = {},
                       std::optional<double> lengthCm = {}) const;
  // The forces members of the input are checked against (by element ID); none: strengths only.
  void SetForces(ForcesTable forces) { forces_ = std::move(forces); }
  const ForcesTable& forces() const { return forces_; }
  // The forces file beside an input (ForcesFileFor), read in the input's data units and set;
  // false, and no forces, when there is none. Both programs load the forces this way.
  bool LoadForcesBeside(const std::string& inputFile);
  // A forces file named by the user, read and set; false when it does not exist (no forces).
  bool LoadForces(const std::filesystem::path& file);

  // A designation on its own: the length is in the engine's data units (0 for none).
  MemberInput MemberOfDesignation(MemberKind kind, double length) const;

  // The member as it was made (with the Fy in force then).
  CheckedMember Check(Section section, MemberInput member) const;
  // Element `index` as the batch run checks it.
  CheckedMember CheckElement(const Element& element, int index) const;

  // A member made earlier, checked again with the Fy in force now and what is to be said
  // about it, whatever Fy it was last checked with (the desktop's editor and list).
  CheckedMember Recheck(Section section, MemberInput member) const;
  CheckedMember RecheckElement(const Element& element, int index) const;
  MemberInput WithFyInForce(MemberInput member) const;

  // Opens the formula template's store on the first call (from developerRoot when given);
  // later calls keep it. Null when it is missing (the reason in error): the report then
  // uses its built-in template.
  const ResourceStore* OpenFormulas(const std::filesystem::path& developerRoot = {}, std::string* error = nullptr);
  const ResourceStore* formulas() const { return formulas_.get(); }
  // The properties and check report of a checked member.
  Report MakeReport(const CheckedMember& member) const;

  const ProfileCatalogue& catalogue() const { return *catalogue_; }
  const SectionInput& input() const { return input_; }
  ModuleContext& context() const { return ctx_; }

 private:
  ModuleContext& ctx_;
  std::unique_ptr<ProfileCatalogue> catalogue_;
  std::unique_ptr<ResourceStore> formulas_;
  bool formulasOpened_ = false;
  SectionInput input_;
  ForcesTable forces_;
};

}  // namespace tavo
