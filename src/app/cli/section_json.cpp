#include "cli/section_json.h"

#include "core/language.h"

namespace tavo::cli {

nlohmann::json SectionJson(const Section& section, char language) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  nlohmann::json j;
  j["designation"] = cs.FullText;
  j["base"] = cs.BaseText;
  j["family"] = cs.family;
  j["count"] = cs.Count;
  j["arrangement"] = cs.Arrangement;
  j["properties"] = {{"A", p.A},   {"A1", p.A1}, {"A2", p.A2}, {"J", p.J},         {"I1", p.I1},      {"I2", p.I2},
                     {"S1", p.S1}, {"S2", p.S2}, {"Z1", p.Z1}, {"Z2", p.Z2},       {"r1", p.r1},      {"r2", p.r2},
                     {"rt", p.rt}, {"Af", p.Af}, {"Depth", p.Depth}, {"Width", p.Width}};
  // A property the family does not define is null, not a number.
  if (!(p.rt > 0)) j["properties"]["rt"] = nullptr;
  if (!(p.Af > 0)) j["properties"]["Af"] = nullptr;
  if (p.I1net > 0) {
    j["properties"]["Anet"] = p.Anet;
    j["properties"]["I1net"] = p.I1net;
    j["properties"]["S1net"] = p.S1net;
  }
  if (!section.problem.empty()) j["problem"] = PickLanguage(section.problem, language);
  return j;
}

}  // namespace tavo::cli
