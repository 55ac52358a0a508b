#pragma once
// The batch pass as a stream: element lines are read in chunks, checked and formatted on every
// core, and written in element order. Nothing kept grows with the number of elements, except
// what a formatter chooses to keep (the desktop list's summaries).
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "checks/check_results.h"
#include "core/messages.h"
#include "engine/section_engine.h"
#include "input/batch_pass.h"
#include "input/input_session.h"
#include "output/results_writer.h"

namespace tavo {

// A run of consecutive elements with what checking them made.
struct BatchChunk {
  int first = 1;                          // the 1-based index of elements[0]
  std::vector<Element> elements;
  std::vector<ElementStatus> statuses;    // per element: OK, not OK, or an error
  std::vector<bool> warned;               // per element: a warning was said
  std::string text, notes;                // the formatter's own output (a table, a stream, notes)
  ResultTexts files;                      // what the chunk adds to the result files
  std::vector<ResultRowValues> rows;      // the result grid's rows, when a formatter makes them
  std::vector<ElementSummary> summaries;  // per element, when the run keeps them
  RecordingMessages messages;             // what checking had to tell the user, shown in order
};

class BatchFormatter {
 public:
  virtual ~BatchFormatter() = default;
  // On a worker thread: what element `index` adds to its chunk. Must touch only the chunk.
  virtual void Format(BatchChunk& chunk, int index, const Element& element, const CheckedMember& member) const = 0;
  // On the calling thread, chunk by chunk in element order. False stops the pass (cancelled).
  virtual bool Write(BatchChunk& chunk) = 0;
};

struct BatchRunOptions {
  int jobs = 0;              // worker threads; 0: one per core
  size_t chunkSize = 512;    // elements per chunk
  bool keepSummaries = false;
  // The desktop's list: each element checked with the Fy in force now (Recheck).
  bool fyInForce = false;
};

struct BatchRunResult {
  int N = 0;  // elements reached (the context's N is set to it)
  bool cancelled = false;
  bool endedOnBlank = false;
};

// Fills a fresh chunk (its first index and elements) from wherever the elements are; false
// when there are no more.
using ChunkSource = std::function<bool(BatchChunk&)>;

struct ChecksOutcome {
  int written = 0;  // the last element written out
  bool cancelled = false;
};

// Checks the elements the source gives on options.jobs threads and hands them to the
// formatter in order, with progress (of total) after each chunk.
ChecksOutcome RunChecks(const SectionEngine& engine, const ChunkSource& source, BatchFormatter& formatter,
                        const BatchRunOptions& options, int total, const ProgressFn& progress = {});

// Runs over elements 1..ctx.N of an opened session as Main_Continue_Const does, with progress
// after each chunk. The output does not depend on options.jobs.
BatchRunResult RunBatch(const SectionEngine& engine, InputSession& session, BatchFormatter& formatter,
                        const BatchRunOptions& options = {}, const ProgressFn& progress = {});

}  // namespace tavo
