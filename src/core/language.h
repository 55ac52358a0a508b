#pragma once
// Bilingual user texts: "English||Persian" (the Persian half may carry a second "||",
// after which the text actually shown stands).
#include <string>
#include <string_view>

namespace tavo {

class Messages;
struct ModuleContext;

// The user language is one letter: 'F' Persian (right to left), anything else English.
inline bool IsPersian(char language) { return language == 'F'; }
bool IsPersian(const ModuleContext& ctx);

std::string PickLanguage(std::string_view text, char language);
std::string PickLanguage(std::string_view text, const ModuleContext& ctx);

inline std::string BilingualMessage(std::string_view english, std::string_view persian) {
  return std::string(english) + "||" + std::string(persian);
}

// The standard message box: an empty title means "Error".
void ShowMessage(const ModuleContext& ctx, std::string_view text, std::string_view title = {});
void ShowWarning(const ModuleContext& ctx, std::string_view text, std::string_view title = {});

}  // namespace tavo
