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
  return j;
}

}  // namespace tavo::cli
