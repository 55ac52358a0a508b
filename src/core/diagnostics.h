#pragma once
// What the program has to say about one element's input: a text the user reads (English and
// Persian), how serious it is, and the part of the input it concerns. An element with an
// error is never reported as checked; a warning leaves the numbers valid but worth a look.
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

enum class Severity { Warning, Error };

struct Diagnostic {
  Severity severity = Severity::Error;
  std::string text;     // "English||Persian"
  std::string subject;  // the part of the input it concerns ("L=", "Fy", "+2PL200*10", ...); may be empty
  bool operator==(const Diagnostic&) const = default;
};

using Diagnostics = std::vector<Diagnostic>;

// Adds a diagnostic unless one with the same English text is already there.
void AddDiagnostic(Diagnostics& list, Severity severity, std::string_view english, std::string_view persian,
                   std::string_view subject = {});
void AddDiagnostic(Diagnostics& list, const Diagnostic& d);
// The same for a text already made into an "English||Persian" pair.
void AddDiagnosticPair(Diagnostics& list, Severity severity, std::string pair, std::string_view subject = {});
void AppendDiagnostics(Diagnostics& list, const Diagnostics& more);

bool HasError(const Diagnostics& list);
bool HasWarning(const Diagnostics& list);

// "error" or "warning", the word every output uses.
const char* SeverityName(Severity severity);
// The diagnostic in one language, with its subject: "L = 600: read as ..." style texts are the
// caller's; this gives "text (at \"subject\")" or just the text.
std::string DiagnosticLine(const Diagnostic& d, char language);
// The same led by its severity, "Error: ..." or "Warning: ..." (in Persian "خطا: ...").
std::string LabelledLine(const Diagnostic& d, char language);
// All diagnostics in one language, joined by "; " ("؛ " in Persian), for one-line outputs;
// labelled: each led by its severity.
std::string DiagnosticsLine(const Diagnostics& list, char language, bool labelled = false);

// The element's status as every output names it.
enum class ElementStatus { Ok, NotOk, Error };
const char* StatusName(ElementStatus status);  // "OK", "not OK", "error"

}  // namespace tavo
