#include "input/batch_pass.h"

#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "input/input_texts.h"
#include "core/core_texts.h"
#include "core/text_helpers.h"

namespace tavo {

int ProgressPercent(int i, int n) {
  if (n <= 0) return 100;
  return static_cast<int>(RoundTo(100.0 * i / n, 0));
}

BatchPassReader::BatchPassReader(ModuleContext& ctx, InputSession& session)
    : ctx_(ctx), session_(session), reader_(ctx, session.copy) {
  ctx.dataUnitSystem = UnitFactors("units=" + ctx.dataUnits, ctx.messages);
  const int n = ctx.N > 0 ? ctx.N : 0;
  // With no element line at all, a read would hand back the count line as element 1.
  if (n > 0 && session.copy.AtEnd()) {
    ShowMessage(ctx, texts::kNoElementLines);
    AddDiagnosticPair(ctx.inputDiagnostics, Severity::Error, Fill(texts::kCountButNoLines, {{"n", std::to_string(n)}}),
                      "NO=" + std::to_string(n));
    noLines_ = true;
  }
}

size_t BatchPassReader::Read(std::vector<Element>& out, size_t count) {
  if (noLines_) return 0;
  size_t read = 0;
  Element element;
  while (read < count && reader_.Next(element)) {
    out.push_back(std::move(element));
    ++read;
  }
  return read;
}

void BatchPassReader::Finish(bool cancelled) {
  if (!noLines_) reader_.Finish(cancelled);
  ctx_.N = reader_.count();
  session_.copy.Close();
}

BatchPassResult Main_Continue_Const(ModuleContext& ctx, InputSession& session, const ElementCheckFn& check,
                                    const ProgressFn& progress) {
  BatchPassResult out;
  const int n = ctx.N > 0 ? ctx.N : 0;
  BatchPassReader reader(ctx, session);
  // The count line may promise more lines than the file holds: reserve modestly, grow as read.
  const auto expected = static_cast<size_t>(n < (1 << 16) ? n : (1 << 16));
  out.elements.reserve(expected);
  out.results.reserve(expected);
  for (int i = 1; i <= n; ++i) {
    ctx.currentIndex = i;
    if (reader.Read(out.elements, 1) == 0) break;
    out.results.emplace_back();
    if (check) {
      out.results.back() = check(i, out.elements.back());
      out.results.back().checked = true;
    }
    // A single element goes straight to its own view in the desktop program: no progress.
    if (n > 1 && progress && !progress(ProgressPercent(i, n))) {
      out.cancelled = true;
      break;
    }
  }
  reader.Finish(out.cancelled);
  out.endedOnBlank = reader.endedOnBlank();
  out.N = ctx.N;
  return out;
}

}  // namespace tavo
