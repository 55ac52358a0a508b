#include "cli/check_json.h"

#include <cmath>

#include "cli/section_json.h"
#include "core/language.h"
#include "input/input_file.h"

namespace tavo::cli {

namespace {

nlohmann::json Number(double v) { return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr); }

nlohmann::json Optional(const std::optional<double>& v) { return v ? Number(*v) : nlohmann::json(nullptr); }

}  // namespace

nlohmann::json CheckJson(const CheckedMember& m) {
  const CheckResults& r = m.results;
  nlohmann::json j;
  j["class"] = r.cls.empty() ? nlohmann::json(nullptr) : nlohmann::json(r.cls);
  j["Lc"] = Number(r.Lc);
  j["Fb"] = Optional(r.Fb);
  j["Mmax"] = Optional(r.Mmax);
  j["Tmax"] = Number(r.Tmax);
  j["Fa"] = Optional(r.Fa);
  j["Pmax"] = Number(r.Pmax);
  j["lambda"] = Optional(r.lambda);
  j["weld"] = r.weld ? nlohmann::json{{"awMin", Number(r.weld->awMin)}, {"awMax", Number(r.weld->awMax)}}
                     : nlohmann::json(nullptr);
  j["status"] = StatusName(m.Status());
  if (!r.ok && !r.notOkReason.empty()) j["reason"] = PickLanguage(r.notOkReason, 'E');
  return j;
}

namespace {

// A plate element's class: null where the table gives the element no row for that action.
nlohmann::json ClassJson(aisc::ElementClass c) {
  return c == aisc::ElementClass::NotApplicable ? nlohmann::json(nullptr) : nlohmann::json(aisc::ElementClassName(c));
}

nlohmann::json CaseJson(int tableCase) { return tableCase > 0 ? nlohmann::json(tableCase) : nlohmann::json(nullptr); }

}  // namespace

nlohmann::json Aisc360Json(const aisc::Result& r, bool withForces, char language) {
  nlohmann::json j;
  j["method"] = r.method == aisc::Method::ASD ? "ASD" : "LRFD";
  j["covered"] = r.covered;
  nlohmann::json classes = nlohmann::json::array();
  for (const aisc::ElementClassification& e : r.classification) {
    nlohmann::json c;
    c["element"] = e.element;
    c["ratio"] = Number(e.ratio);
    c["compression"] = e.compression == aisc::ElementClass::NotApplicable
                           ? nlohmann::json(nullptr)
                           : nlohmann::json{{"case", CaseJson(e.compressionCase)},
                                            {"limit", Number(e.lambdaR)},
                                            {"class", ClassJson(e.compression)}};
    c["flexure"] = e.flexure == aisc::ElementClass::NotApplicable
                       ? nlohmann::json(nullptr)
                       : nlohmann::json{{"case", CaseJson(e.flexureCase)},
                                        {"lambda_p", Number(e.lambdaP)},
                                        {"lambda_r", Number(e.lambdaRf)},
                                        {"class", ClassJson(e.flexure)}};
    classes.push_back(std::move(c));
  }
  j["classification"] = std::move(classes);
  nlohmann::json available = nlohmann::json::object();
  for (size_t i = 0; i < r.available.size(); ++i) available[aisc::kStrengthNames[i]] = Number(r.available[i]);
  j["available"] = std::move(available);
  nlohmann::json states = nlohmann::json::array();
  for (const aisc::LimitState& s : r.limitStates) {
    nlohmann::json l;
    l["strength"] = aisc::StrengthName(s.strength);
    l["clause"] = s.clause;
    l["equation"] = s.equation;
    l["name"] = s.name;
    l["nominal"] = Number(s.nominal);
    l["available"] = Number(s.available);
    l["factor"] = Number(s.factor);
    l["governing"] = s.governing;
    if (withForces) {
      l["demand"] = Optional(s.demand);
      l["ratio"] = Optional(s.ratio);
      l["combination"] = s.ratio ? nlohmann::json(s.combination) : nlohmann::json(nullptr);
    }
    states.push_back(std::move(l));
  }
  j["limit_states"] = std::move(states);
  if (withForces) {
    j["governing_ratio"] = Optional(r.governingRatio);
    j["governing_equation"] = r.governingRatio ? nlohmann::json(r.governingEquation) : nlohmann::json(nullptr);
    j["governing_combination"] = r.governingRatio ? nlohmann::json(r.governingCombination) : nlohmann::json(nullptr);
  }
  j["notes"] = NotesJson(r.notes, language);
  return j;
}

void AddAisc360(nlohmann::json& j, const CheckedMember& m, char language) {
  if (!m.aisc) return;
  // A section that is not what the user wrote has no strengths either.
  j["aisc360"] = m.Status() == ElementStatus::Error
                     ? nlohmann::json(nullptr)
                     : Aisc360Json(*m.aisc, !m.member.demands.empty() || m.aisc->governingRatio.has_value(), language);
}

nlohmann::json NotesJson(const Diagnostics& diagnostics, char language) {
  nlohmann::json notes = nlohmann::json::array();
  for (const Diagnostic& d : diagnostics)
    notes.push_back({{"severity", SeverityName(d.severity)},
                     {"text", PickLanguage(d.text, language)},
                     {"subject", d.subject}});
  return notes;
}

void AddStatusAndNotes(nlohmann::json& j, const CheckedMember& m, char language) {
  j["status"] = StatusName(m.Status());
  j["notes"] = NotesJson(m.diagnostics, language);
  // A section that is not what the user wrote has no numbers to offer as results.
  if (m.Status() == ElementStatus::Error) {
    j["properties"] = nullptr;
    j["check"] = nullptr;
  }
}

nlohmann::json ElementJson(const CheckedMember& m, char language) {
  nlohmann::json j = SectionJson(m.section, language);
  j["id"] = m.member.id;
  j["kind"] = KindName(m.member.kind);
  j["length"] = Number(m.member.Lx);
  j["check"] = CheckJson(m);
  AddStatusAndNotes(j, m, language);
  AddAisc360(j, m, language);
  return j;
}

}  // namespace tavo::cli
