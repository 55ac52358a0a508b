#pragma once
// What the windows compute with: the profile catalogue of the install tree, the parser's
// inputs, the member check and the formula store of the report, set up once per run.
#include <memory>
#include <string>

#include "checks/check_results.h"
#include "input/input_file.h"
#include "resources/resource_store.h"
#include "sections/profile_catalogue.h"
#include "sections/section_parser.h"

namespace tavo::ui {

class SectionEngine {
 public:
  explicit SectionEngine(ModuleContext& ctx);

  // After the data units or the messages seam changed. The install tree is fixed per run.
  void Refresh();

  Section Compute(const std::string& designation) const;
  // Without messages, for pictures drawn while the window paints.
  Section ComputeQuietly(const std::string& designation) const;
  // Every check uses the Fy in force and what is to be said about it (ctx.fyDiagnostics),
  // whatever Fy the member was last checked with.
  CheckedMember Check(Section section, MemberInput member) const;
  // Element `index` (1-based) as the batch pass checks it.
  CheckedMember CheckElement(const Element& element, int index) const;
  MemberInput MemberOf(const Element& element, int index) const;
  MemberInput WithFyInForce(MemberInput member) const;

  const ProfileCatalogue& catalogue() const { return *catalogue_; }
  const SectionInput& input() const { return input_; }
  // The formula template's store; null when it is missing (the report uses its built-in one).
  const ResourceStore* formulas() const { return formulas_.get(); }
  ModuleContext& context() const { return ctx_; }

 private:
  ModuleContext& ctx_;
  std::unique_ptr<ProfileCatalogue> catalogue_;
  std::unique_ptr<ResourceStore> formulas_;
  SectionInput input_;
};

}  // namespace tavo::ui
