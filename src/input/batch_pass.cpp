#include "input/batch_pass.h"

#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"

namespace tavo {

int ProgressPercent(int i, int n) {
  if (n <= 0) return 100;
  return static_cast<int>(RoundTo(100.0 * i / n, 0));
}

BatchPassResult Main_Continue_Const(ModuleContext& ctx, InputSession& session, const ElementCheckFn& check,
                                    const ProgressFn& progress) {
  BatchPassResult out;
  ctx.dataUnitSystem = UnitFactors("units=" + ctx.dataUnits, ctx.messages);
  const int n = ctx.N > 0 ? ctx.N : 0;

  // With no element line at all, a read would hand back the count line as element 1.
  if (n > 0 && session.copy.AtEnd()) {
    ShowMessage(ctx, "The input file holds no element lines.||فایل ورودی هیچ سطر عضوی ندارد.");
    AddDiagnostic(ctx.inputDiagnostics, Severity::Error,
                  "The count line gives " + std::to_string(n) + " elements, but the file holds no element lines",
                  "سطر تعداد " + std::to_string(n) + " عضو می‌دهد، اما فایل هیچ سطر عضوی ندارد",
                  "NO=" + std::to_string(n));
    ctx.N = 0;
    session.copy.Close();
    return out;
  }

  // The count line may promise more lines than the file holds: reserve modestly, grow as read.
  const auto expected = static_cast<size_t>(n < (1 << 16) ? n : (1 << 16));
  out.elements.reserve(expected);
  out.results.reserve(expected);
  ElementReader reader(ctx, session.copy);
  int reached = 0;
  for (int i = 1; i <= n; ++i) {
    ctx.currentIndex = i;
    if (!reader.Next(out.elements)) break;
    const Element& element = out.elements[static_cast<size_t>(i) - 1];
    out.results.emplace_back();
    reached = i;
    if (check) {
      out.results.back() = check(i, element);
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
  out.N = reached;
  ctx.N = reached;
  session.copy.Close();
  return out;
}

}  // namespace tavo
