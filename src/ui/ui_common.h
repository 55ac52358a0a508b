#pragma once
// Small helpers every window shares: the core's bilingual texts as QStrings, colours of the module.
#include <QColor>
#include <QString>
#include <string_view>

#include "core/language.h"
#include "core/module_context.h"

namespace tavo::ui {

// A text the core gives in both languages ("English||Persian": module title, constants, summaries),
// in the user's language. The windows' own texts go through tr().
inline QString CoreText(const ModuleContext& ctx, std::string_view text) {
  return QString::fromStdString(PickLanguage(text, ctx));
}
inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }
inline QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// The red a not-OK element's label and an out-of-range constant get.
inline const QColor kAlarmRed(255, 0, 0);
// An element with a warning: amber, apart from the red of "not OK", readable with black text.
inline const QColor kWarningAmber(255, 176, 0);
// An element with an error (no verdict): a darker red, with its own mark.
inline const QColor kErrorRed(150, 0, 0);
// Light grey (palette colour 7) behind an OK element's label.
inline const QColor kLabelGrey(192, 192, 192);

}  // namespace tavo::ui
