#include "cli/check_json.h"

#include <cmath>

#include "cli/section_json.h"
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
  j["status"] = r.ok ? "OK" : "N";
  return j;
}

nlohmann::json ElementJson(const CheckedMember& m, char language) {
  nlohmann::json j = SectionJson(m.section, language);
  j["id"] = m.member.id;
  j["kind"] = KindName(m.member.kind);
  j["length"] = Number(m.member.Lx);
  j["check"] = CheckJson(m);
  return j;
}

}  // namespace tavo::cli
