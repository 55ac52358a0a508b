#pragma once
// The reading side of the pass over every element of an input file (BatchPassReader: element
// lines in chunks, then what the list's end has to say), and the pass itself on one thread
// (Main_Continue_Const: each line handed to an element check, the table and a small result
// per element kept). The programs run the pass as a stream on every core through the engine
// (engine/batch_run.h), which reads with BatchPassReader.
//
// The check itself is passed in, so this layer stays below sections and checks; the checks
// layer supplies the real one (checks/element_check.h).
#include <functional>
#include <optional>
#include <vector>

#include "core/diagnostics.h"
#include "input/input_file.h"
#include "input/input_session.h"

namespace tavo {

// A checked element in brief, for lists that keep every element. The full record is large;
// streaming writers format it as it is made instead.
struct ElementSummary {
  double Lc = 0, Tmax = 0, Pmax = 0;       // cm, ton, ton
  std::optional<double> Fb, Mmax, Fa;      // kg/cm², ton·m, kg/cm²
  char cls = 0;                            // 'C', 'N', 'S'; 0 for angles
  bool checked = false;                    // false: not handed to the check
  bool recognised = true;                  // false: no section could be computed from the designation
  bool ok = true;                          // false: status "N" (marked red in the list)
  bool error = false;                      // an input problem: no verdict (also not ok)
  Diagnostics diagnostics;                 // empty for almost every element
};

// Checks element `index` (1-based) of the table.
using ElementCheckFn = std::function<ElementSummary(int index, const Element& element)>;
// Called with round(100·i/N) after each element when N > 1; returning false cancels the pass.
using ProgressFn = std::function<bool(int percent)>;

struct BatchPassResult {
  std::vector<Element> elements;         // the element table, elements[i - 1] for i = 1..N
  std::vector<ElementSummary> results;   // same indexing
  int N = 0;                             // elements reached (the context's N is set to it)
  bool cancelled = false;
  bool endedOnBlank = false;
};

// The reading side of the pass: the element lines in chunks, then what the list's end has to
// say. Reads the data units first; with a count line of N > 0 and no element line at all, says
// so (message and input diagnostic) and reads nothing.
class BatchPassReader {
 public:
  BatchPassReader(ModuleContext& ctx, InputSession& session);
  // Appends up to count elements to out; the number appended (0: the list has ended).
  size_t Read(std::vector<Element>& out, size_t count);
  // Reports the list's end in ctx.inputDiagnostics (not for a pass cut short by the user), sets
  // ctx.N to the elements read and closes the working copy.
  void Finish(bool cancelled);
  int reached() const { return reader_.count(); }
  bool endedOnBlank() const { return reader_.endedOnBlank(); }

 private:
  ModuleContext& ctx_;
  InputSession& session_;
  ElementReader reader_;
  bool noLines_ = false;
};

// Runs over elements 1..ctx.N of an opened session, read by ElementReader. Ends early on a
// blank element line (not an element: N counts the elements before it) or at the end of the
// working copy, both reported in ctx.inputDiagnostics; a cancel keeps the elements done.
// Closes the working copy.
BatchPassResult Main_Continue_Const(ModuleContext& ctx, InputSession& session, const ElementCheckFn& check,
                                    const ProgressFn& progress = {});

// round(100·i/N), halves to even.
int ProgressPercent(int i, int n);

}  // namespace tavo
