#include "core/language.h"

#include "core/messages.h"
#include "core/module_context.h"
#include "core/core_texts.h"

namespace tavo {

std::string PickLanguage(std::string_view text, char language) {
  const auto sep = text.find("||");
  if (sep == std::string_view::npos) return std::string(text);
  if (!IsPersian(language)) return std::string(text.substr(0, sep));
  std::string_view persian = text.substr(sep + 2);
  const auto second = persian.find("||");
  if (second != std::string_view::npos) persian = persian.substr(second + 2);
  return std::string(persian);
}

bool IsPersian(const ModuleContext& ctx) { return IsPersian(ctx.language); }

std::string PickLanguage(std::string_view text, const ModuleContext& ctx) { return PickLanguage(text, ctx.language); }

namespace {
void Emit(const ModuleContext& ctx, std::string_view text, std::string_view title, MessageKind kind,
          std::string_view defaultTitle) {
  if (!ctx.messages) return;
  const std::string shownTitle = PickLanguage(title.empty() ? defaultTitle : title, ctx);
  ctx.messages->Show(PickLanguage(text, ctx), shownTitle, kind, IsPersian(ctx));
}
}  // namespace

void ShowMessage(const ModuleContext& ctx, std::string_view text, std::string_view title) {
  Emit(ctx, text, title, MessageKind::Error, texts::kError);
}

void ShowWarning(const ModuleContext& ctx, std::string_view text, std::string_view title) {
  Emit(ctx, text, title, MessageKind::Warning, texts::kWarning);
}

}  // namespace tavo
