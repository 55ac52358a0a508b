#include "engine/batch_run.h"

#include "checks/check_member.h"
#include "checks/element_check.h"
#include "core/ordered_pipeline.h"

namespace tavo {

BatchRunResult RunBatch(const SectionEngine& engine, InputSession& session, BatchFormatter& formatter,
                        const BatchRunOptions& options, const ProgressFn& progress) {
  ModuleContext& ctx = engine.context();
  BatchRunResult result;
  const int n = ctx.N > 0 ? ctx.N : 0;
  BatchPassReader reader(ctx, session);
  int written = 0;  // the last element written out
  const size_t chunkSize = options.chunkSize > 0 ? options.chunkSize : 1;

  const std::function<bool(BatchChunk&)> produce = [&](BatchChunk& chunk) {
    chunk.first = reader.reached() + 1;
    chunk.elements.reserve(chunkSize);
    if (reader.Read(chunk.elements, chunkSize) == 0) return false;
    ctx.currentIndex = reader.reached();
    return true;
  };
  const std::function<void(BatchChunk&)> work = [&](BatchChunk& chunk) {
    // Messages wait in the chunk: the calling thread shows them, in element order.
    SectionInput input = engine.input();
    if (input.messages) input.messages = &chunk.messages;
    const size_t count = chunk.elements.size();
    chunk.statuses.reserve(count);
    chunk.warned.reserve(count);
    if (options.keepSummaries) chunk.summaries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      const Element& element = chunk.elements[i];
      const int index = chunk.first + static_cast<int>(i);
      MemberInput member = engine.MemberOf(element, index);
      if (options.fyInForce) member = engine.WithFyInForce(std::move(member));
      const CheckedMember checked =
          CheckMember(ComputeSection(DesignationOfElement(element.text), input), std::move(member));
      chunk.statuses.push_back(checked.Status());
      chunk.warned.push_back(HasWarning(checked.diagnostics));
      if (options.keepSummaries) chunk.summaries.push_back(Summarise(checked));
      formatter.Format(chunk, index, element, checked);
    }
  };
  const std::function<bool(BatchChunk&)> consume = [&](BatchChunk& chunk) {
    if (ctx.messages)
      for (const RecordingMessages::Call& c : chunk.messages.calls) ctx.messages->Show(c.text, c.title, c.kind, c.rightToLeft);
    if (!formatter.Write(chunk)) {
      written = chunk.first - 1;
      result.cancelled = true;
      return false;
    }
    const int last = chunk.first + static_cast<int>(chunk.elements.size()) - 1;
    written = last;
    // A single element goes straight to its own view in the desktop program: no progress.
    if (n > 1 && progress && !progress(ProgressPercent(last, n))) {
      result.cancelled = true;
      return false;
    }
    return true;
  };
  RunOrdered<BatchChunk>(options.jobs, produce, work, consume);
  reader.Finish(result.cancelled);
  result.endedOnBlank = reader.endedOnBlank();
  // Chunks read ahead of a cancel were never shown: the pass reached only what was written.
  if (result.cancelled) ctx.N = written;
  result.N = ctx.N;
  return result;
}

}  // namespace tavo
