#pragma once
// The results run: per element the row of the result table, the section record and the
// listing block, streamed into input base & "_Out.csv", input base & "_Out.rtf" (a table in
// the RTF table template) and the listing "book.tmp". Each file is written to a temporary
// file and renamed over its target only when the run completes, so the previous result
// files stay intact when anything fails.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "checks/check_results.h"
#include "core/messages.h"
#include "input/input_file.h"
#include "core/atomic_output.h"
#include "output/number_mask.h"
#include "output/section_records.h"

namespace tavo {

class ResourceStore;

using ResultCell = MaskValue;  // numbers unquoted, texts quoted

struct ResultTableLayout {
  std::vector<int> widths;             // twips, one per column
  std::vector<std::string> groups;     // the group row of the files (9 cells)
  std::vector<int> groupSpans;         // columns under each non-empty group caption (RTF table)
  // The group row on screen: "English||Persian" captions, each over groupColumns[i] columns.
  std::vector<std::string> groupCaptions;
  std::vector<int> groupColumns;
  std::vector<std::string> headings;   // one per column
  std::vector<std::string> units;      // one per column
};

// The 13-column table of section properties with the unit texts of the display units.
ResultTableLayout StandardResultTable(const UnitSystem& display);
// The same with the limit-state code's governing ratio and its equation after the properties.
ResultTableLayout LimitStateResultTable(const UnitSystem& display);
// The table of the result files for the run's code: the standard one under today's rules.
ResultTableLayout ResultTableFor(const ModuleContext& ctx);

// The result grid on screen: the files' table without the equation (the grid shows numbers).
ResultTableLayout ResultGridTable(const ModuleContext& ctx);
// The grid's row of a checked member: its properties unrounded, and under the limit-state code
// the governing ratio (NaN when there is none); an element with an error has NaN for all but its ID.
ResultRowValues ResultGridRow(const CheckedMember& member, int16_t id, const ModuleContext& ctx);

struct ResultsOptions {
  std::filesystem::path outDir;        // empty: the input file's folder
  std::string date, time;              // empty: now
  const ResourceStore* tableStore = nullptr;  // null: the tables store of the install tree
  std::filesystem::path developerRoot;        // developer mode: templates from this tree
  bool writeRecords = true;            // false in run mode "E": table rows only
  std::filesystem::path listingDir;    // where "book.tmp" goes; empty: the context's temp folder
};

struct ResultFiles {
  std::filesystem::path csv, rtf, listing;
};

// What elements add to the three files, made apart from the writer (on any thread) and
// appended in element order.
struct ResultTexts {
  std::string csv, rtf, listing;
  int rows = 0;
  void clear() {
    csv.clear();
    rtf.clear();
    listing.clear();
    rows = 0;
  }
};

class ResultsWriter {
 public:
  explicit ResultsWriter(const ModuleContext& ctx);
  ~ResultsWriter();
  ResultsWriter(const ResultsWriter&) = delete;
  ResultsWriter& operator=(const ResultsWriter&) = delete;

  // StartResultTable with the standard table. False (with a message) when the files cannot be made.
  bool Start(const ResultsOptions& options = {});
  bool StartResultTable(const ResultTableLayout& layout, const ResultsOptions& options);

  // WriteSectionRecord: the element's row, its section record and its listing block.
  void Add(const CheckedMember& member, const Element& element, MemberKind kind);
  // Add in two steps: the texts (const, so any thread may make them once Start has run), then
  // the texts appended to the files in element order.
  void FormatElement(ResultTexts& out, const CheckedMember& member, const Element& element, MemberKind kind) const;
  void Append(const ResultTexts& texts);
  // One row of the CSV file and the RTF table.
  void AddResultRow(const std::vector<ResultCell>& row);
  void AddResultRow(const ResultRowValues& row, const std::string& notes = {});

  // Completes and renames the three files. False (with a message; the previous files kept)
  // when anything could not be written.
  bool Finish(ResultFiles* files = nullptr);
  // Drops what was written; the previous files stay.
  void Abort();

  const std::string& error() const { return error_; }
  int rows() const { return rows_; }
  const ResultFiles& paths() const { return paths_; }

 private:
  bool Failed();
  void ReportFailure();
  void WriteRtfRow(const std::vector<std::string>& cells, bool header, bool shaded, bool right);
  // The element's row of the CSV file and the RTF table; values null: an element with an error.
  void FormatRow(ResultTexts& out, int16_t id, const ResultRowValues* values, const std::string& notes,
                 const aisc::Result* ratioOf = nullptr) const;
  void FormatRtfNotes(std::string& rtf, const std::string& notes) const;

  const ModuleContext& ctx_;
  ResultsOptions options_;
  ResultTableLayout layout_;
  DisplayFactors factors_;
  ResultFiles paths_;
  AtomicOutputFile csv_, rtf_, listing_;
  std::string rtfEpilog_;
  std::string rowPrefix_, headerPrefix_;
  int headerColour_ = 0;
  bool ratioColumns_ = false;  // the limit-state code's ratio and equation after the properties
  std::string line_;     // reused per row
  ResultTexts scratch_;  // reused per element
  std::string error_;
  bool started_ = false;
  bool reported_ = false;
  int rows_ = 0;
};

// The RTF table template with its markers filled: what comes before and after the table,
// and the colour-table index of the header shading added to it.
struct FilledTableTemplate {
  std::string prolog, epilog;
  int headerColour = 0;
};
FilledTableTemplate FillTableTemplate(std::string_view rtf, const ModuleContext& ctx, const std::string& date,
                                      const std::string& time);

// The results command without windows: every element computed by check and written out.
struct ResultsRunOutcome {
  bool ok = false;
  ResultFiles files;
  int elements = 0;
};
using ElementCheck = std::function<CheckedMember(const Element& element, MemberKind kind, int index)>;
ResultsRunOutcome RunResults(const ModuleContext& ctx, const std::vector<Element>& elements,
                             const ElementCheck& check, const ResultsOptions& options = {},
                             const std::function<void(int)>& progress = {});

// The notes cell of an element's row: each diagnostic with "Error:" or "Warning:", in one language.
std::string ResultNotesText(const Diagnostics& diagnostics, char language);

// The number text of the result files: shortest decimal text, never NaN or infinity.
std::string ResultNumberText(double value);
// The same into buffer (at least 400 bytes); its length.
size_t ResultNumberText(double value, char* buffer, size_t size);

}  // namespace tavo
