#include "core/diagnostics.h"

#include <algorithm>
#include <utility>

#include "core/language.h"
#include "core/core_texts.h"

namespace tavo {

void AddDiagnostic(Diagnostics& list, const Diagnostic& d) {
  const std::string_view english = EnglishHalf(d.text);
  for (const auto& item : list)
    if (EnglishHalf(item.text) == english && item.subject == d.subject) {
      return;
    }
  list.push_back(d);
}

void AddDiagnostic(Diagnostics& list, Severity severity, std::string_view english, std::string_view persian,
                   std::string_view subject) {
  AddDiagnostic(list, Diagnostic{severity, BilingualMessage(english, persian), std::string(subject)});
}

void AddDiagnosticPair(Diagnostics& list, Severity severity, std::string pair, std::string_view subject) {
  AddDiagnostic(list, Diagnostic{severity, std::move(pair), std::string(subject)});
}

void AppendDiagnostics(Diagnostics& list, const Diagnostics& more) {
  for (const auto& d : more) AddDiagnostic(list, d);
}

bool HasError(const Diagnostics& list) {
  return std::any_of(list.begin(), list.end(), [](const Diagnostic& d) { return d.severity == Severity::Error; });
}

bool HasWarning(const Diagnostics& list) {
  return std::any_of(list.begin(), list.end(), [](const Diagnostic& d) { return d.severity == Severity::Warning; });
}

const char* SeverityName(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

std::string DiagnosticLine(const Diagnostic& d, char language) {
  std::string line = PickLanguage(d.text, language);
  if (!d.subject.empty() && line.find(d.subject) == std::string::npos)
    line += (IsPersian(language) ? " («" : " (\"") + d.subject + (IsPersian(language) ? "»)" : "\")");
  return line;
}

std::string LabelledLine(const Diagnostic& d, char language) {
  return PickLanguage(d.severity == Severity::Error ? texts::kErrorLabel : texts::kWarningLabel, language) +
         DiagnosticLine(d, language);
}

std::string DiagnosticsLine(const Diagnostics& list, char language, bool labelled) {
  std::string out;
  for (const auto& d : list) {
    if (!out.empty()) out += PickLanguage(texts::kListSeparator, language);
    out += labelled ? LabelledLine(d, language) : DiagnosticLine(d, language);
  }
  return out;
}

const char* StatusName(ElementStatus status) {
  switch (status) {
    case ElementStatus::Ok: return "OK";
    case ElementStatus::NotOk: return "not OK";
    default: return "error";
  }
}

}  // namespace tavo
