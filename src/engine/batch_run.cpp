#include "engine/batch_run.h"

#include "checks/check_member.h"
#include "checks/element_check.h"
#include "core/ordered_pipeline.h"

namespace tavo {

ChecksOutcome RunChecks(const SectionEngine& engine, const ChunkSource& source, BatchFormatter& formatter,
                        const BatchRunOptions& options, int total, const ProgressFn& progress) {
  ModuleContext& ctx = engine.context();
  ChecksOutcome outcome;
  const std::function<bool(BatchChunk&)> produce = [&](BatchChunk& chunk) { return source(chunk); };
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
      outcome.cancelled = true;
      return false;
    }
    outcome.written = chunk.first + static_cast<int>(chunk.elements.size()) - 1;
    // A single element goes straight to its own view in the desktop program: no progress.
    if (total > 1 && progress && !progress(ProgressPercent(outcome.written, total))) {
      outcome.cancelled = true;
      return false;
    }
    return true;
  };
  RunOrdered<BatchChunk>(options.jobs, produce, work, consume);
  return outcome;
}

BatchRunResult RunBatch(const SectionEngine& engine, InputSession& session, BatchFormatter& formatter,
                        const BatchRunOptions& options, const ProgressFn& progress) {
  ModuleContext& ctx = engine.context();
  const int n = ctx.N > 0 ? ctx.N : 0;
  BatchPassReader reader(ctx, session);
  const size_t chunkSize = options.chunkSize > 0 ? options.chunkSize : 1;
  const ChunkSource source = [&](BatchChunk& chunk) {
    chunk.first = reader.reached() + 1;
    chunk.elements.reserve(chunkSize);
    if (reader.Read(chunk.elements, chunkSize) == 0) return false;
    ctx.currentIndex = reader.reached();
    return true;
  };
  const ChecksOutcome outcome = RunChecks(engine, source, formatter, options, n, progress);
  BatchRunResult result;
  result.cancelled = outcome.cancelled;
  reader.Finish(result.cancelled);
  result.endedOnBlank = reader.endedOnBlank();
  // Chunks read ahead of a cancel were never shown: the pass reached only what was written.
  if (result.cancelled) ctx.N = outcome.written;
  result.N = ctx.N;
  return result;
}

}  // namespace tavo
