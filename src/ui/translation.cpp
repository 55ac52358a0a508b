#include "ui/translation.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace tavo::ui {

QString LanguageCode(char language) { return language == 'F' ? QStringLiteral("fa") : QStringLiteral("en"); }

bool ApplyLanguage(char language) {
  // One translator for the process; a second language replaces the first.
  static std::unique_ptr<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  const QString code = LanguageCode(language);
  const QLocale locale(code);
  QApplication::setLayoutDirection(locale.textDirection());
  if (code == QStringLiteral("en")) return true;

  // The build compiles every translations/tavolin_<code>.ts into the program's resources.
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("tavolin_") + code, QStringLiteral(":/i18n"))) return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace tavo::ui
