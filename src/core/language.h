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

// The halves of an "English||Persian" pair (a text without "||" is both).
inline std::string_view EnglishHalf(std::string_view pair) { return pair.substr(0, pair.find("||")); }
inline std::string_view PersianHalf(std::string_view pair) {
  const auto sep = pair.find("||");
  return sep == std::string_view::npos ? pair : pair.substr(sep + 2);
}

inline std::string BilingualMessage(std::string_view english, std::string_view persian) {
  return std::string(english) + "||" + std::string(persian);
}

// The standard message box: an empty title means "Error".
void ShowMessage(const ModuleContext& ctx, std::string_view text, std::string_view title = {});
void ShowWarning(const ModuleContext& ctx, std::string_view text, std::string_view title = {});

}  // namespace tavo
