#include "sections/section_family.h"

#include "core/text_util.h"

namespace tavo {

const SectionFamily* FamilyOfCode(const FamilyTable& families, std::string_view name) {
  // A doubled or tripled rolled profile's family is its code with the count before it.
  while (!name.empty() && name.front() >= '0' && name.front() <= '9') name.remove_prefix(1);
  if (name.empty()) return nullptr;
  for (const SectionFamily* family : families) {
    if (!family->key.empty()) {
      if (family->key == name) return family;
      continue;
    }
    for (const FamilyName& n : family->names)
      if (n.code == name) return family;
  }
  return nullptr;
}

FoundFigure FindHelpFigure(const FamilyTable& families, std::string_view name) {
  for (const SectionFamily* family : families)
    for (const HelpFigure& figure : family->figures)
      if (figure.name == name) return {&figure, family};
  return {};
}

}  // namespace tavo
