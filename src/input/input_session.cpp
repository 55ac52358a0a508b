#include "input/input_session.h"

#include <algorithm>

#include "core/text_util.h"

namespace tavo {

void SetInputPath(ModuleContext& ctx, const std::string& path) {
  std::string base = path;
  if (base.size() >= 8 && ToLower(base.substr(base.size() - 8)) == ".ardekon") base.resize(base.size() - 8);
  ctx.inputBase = base;
  const auto sep = base.find_last_of("/\\");
  ctx.inputDir = sep == std::string::npos ? "./" : base.substr(0, sep + 1);
}

bool OpenInput(ModuleContext& ctx, InputSession& session) {
  session.ok = false;
  // Table entry may start a file that does not exist yet; OpenInputFile handles that mode.
  if (ctx.runMode != 'E' && !MakeWorkingCopy(ctx)) return false;
  if (!OpenInputFile(ctx, session.copy)) return false;
  session.countLine = ReadConstantsBlock(ctx, session.copy);
  ReadOptions(ctx, session.countLine);
  DefineAllConstants(session.constants, ctx);
  session.ok = true;
  return true;
}

std::vector<Element> ReadAllElements(ModuleContext& ctx, InputSession& session) {
  std::vector<Element> elements;
  // The count line may promise more lines than the file holds: grow as lines arrive.
  elements.reserve(static_cast<size_t>(std::clamp(ctx.N, 0, 100000)));
  ElementReader reader(ctx, session.copy);
  while (reader.Next(elements)) {
  }
  reader.Finish();
  return elements;
}

}  // namespace tavo
