#pragma once
// The desktop's language: Qt's translator for the user's language, and the reading direction
// set once for the whole application.
#include <QString>

namespace tavo::ui {

// The language code of a language letter of the suite's argument: 'F' "fa", anything else "en".
QString LanguageCode(char language);

// Installs the compiled translation of the language (none is needed for English) and lays the
// whole application out in the language's direction. Returns false when the translation is
// missing or unreadable: the texts then stay English, the direction still follows the language.
bool ApplyLanguage(char language);

}  // namespace tavo::ui
