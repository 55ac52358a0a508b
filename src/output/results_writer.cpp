#include "output/results_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/files.h"
#include "core/language.h"
#include "core/module_context.h"
#include "core/text_util.h"
#include "output/builtin_templates.h"
#include "output/rtf_writer.h"
#include "output/section_report.h"
#include "resources/resource_store.h"
#include "output/output_texts.h"
#include "core/text_helpers.h"

namespace tavo {

namespace fs = std::filesystem;

namespace {
constexpr const char* kEol = "\r\n";
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '"') out += "\"\"";
    else out.push_back(c);
  }
  out += '"';
}

std::string Quoted(std::string_view text) {
  std::string out;
  AppendQuoted(out, text);
  return out;
}

size_t MatchingBrace(std::string_view s, size_t open) {
  int depth = 0;
  for (size_t i = open; i < s.size(); ++i) {
    if (s[i] == '\\') {
      ++i;
      continue;
    }
    if (s[i] == '{') ++depth;
    else if (s[i] == '}' && --depth == 0) return i;
  }
  return std::string_view::npos;
}

void ReplaceAll(std::string& s, std::string_view what, std::string_view with) {
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size())) s.replace(p, what.size(), with);
}

fs::path InputBasePath(const ModuleContext& ctx) { return SuitePath(ctx.inputBase); }
}  // namespace

std::string ResultNumberText(double value) { return ShortestFixedText(value); }

size_t ResultNumberText(double value, char* buffer, size_t size) { return ShortestFixedText(value, buffer, size); }

ResultTableLayout StandardResultTable(const UnitSystem& display) {
  const std::vector<std::string> labels = UnitLabelSet(display);  // F, L, A, V, W, M, S, I
  const std::string& L = labels[1];
  const std::string& A = labels[2];
  const std::string& V = labels[3];
  const std::string& I = labels[7];
  ResultTableLayout t;
  // The ID column is as wide as the others: a word processor sets its caption "شناسه عضو" in
  // a larger bold Persian face, and a narrow column broke it one letter per line.
  t.widths = {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000};
  t.groups = {"شناسه عضو", "مساحت و سطوح برشی", "ثابت پیچشی و ممان اینرسی", "اساس مقطع الاستیک و پلاستیک",
              "شعاع ژیراسیون", "", "", "", ""};
  t.groupSpans = {1, 3, 3, 4, 2};
  t.groupCaptions = {texts::kGroupElement,        texts::kGroupAreas,          texts::kGroupTorsionInertia,
                     texts::kGroupElasticModuli, texts::kGroupPlasticModuli, texts::kGroupRadii};
  t.groupColumns = {1, 3, 3, 2, 2, 2};
  t.headings = {"ID", "A", "A1", "A2", "J", "I1", "I2", "S1", "S2", "Z1", "Z2", "R1", "R2"};
  t.units = {"", A, A, A, I, I, I, V, V, V, V, L, L};
  return t;
}

ResultTableLayout LimitStateResultTable(const UnitSystem& display) {
  ResultTableLayout t = StandardResultTable(display);
  t.widths.insert(t.widths.end(), {1000, 1000});
  t.groups[5] = "آیین‌نامه حالت حدی";
  t.groupSpans.push_back(2);
  t.groupCaptions.push_back(texts::kGroupLimitStates);
  t.groupColumns.push_back(2);
  t.headings.insert(t.headings.end(), {"Ratio", "Equation"});
  t.units.insert(t.units.end(), {"", ""});
  return t;
}

ResultTableLayout ResultTableFor(const ModuleContext& ctx) {
  return IsLimitStateCode(ctx.code) ? LimitStateResultTable(ctx.displayUnits) : StandardResultTable(ctx.displayUnits);
}

ResultTableLayout ResultGridTable(const ModuleContext& ctx) {
  ResultTableLayout t = ResultTableFor(ctx);
  if (IsLimitStateCode(ctx.code)) {
    t.widths.pop_back();
    t.headings.pop_back();
    t.units.pop_back();
    t.groupSpans.back() = 1;
    t.groupColumns.back() = 1;
  }
  return t;
}

ResultRowValues ResultGridRow(const CheckedMember& member, int16_t id, const ModuleContext& ctx) {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  ResultRowValues row = ResultRow(member.section.props, id, ctx.displayUnits, 0);
  if (IsLimitStateCode(ctx.code))
    row.push_back(member.aisc && member.aisc->governingRatio ? *member.aisc->governingRatio : kNone);
  // A section that is not what was written has no properties to show: the grid marks them.
  if (member.Status() == ElementStatus::Error) std::fill(row.begin() + 1, row.end(), kNone);
  return row;
}

FilledTableTemplate FillTableTemplate(std::string_view rtf, const ModuleContext& ctx, const std::string& date,
                                      const std::string& time) {
  std::string t(rtf);
  ReplaceAll(t, "<###VERSION###>", RtfEscape(ctx.suiteVersion));
  ReplaceAll(t, "<###FILE###>", RtfEscape(ctx.InputFile()));
  ReplaceAll(t, "<###TITLE###>", RtfEscape(ctx.title));
  ReplaceAll(t, "<###UNITS###>", RtfEscape(ctx.constantsUnits.empty() ? ctx.dataUnits : ctx.constantsUnits));
  ReplaceAll(t, "<###DATE###>", RtfEscape(date + "   " + time));
  FilledTableTemplate f;
  // The header shading is added to the template's colour table (or a table is made for it).
  const std::string shading = "\\red250\\green250\\blue150;";
  const size_t colours = t.find("{\\colortbl");
  if (colours != std::string::npos && MatchingBrace(t, colours) != std::string::npos) {
    const size_t close = MatchingBrace(t, colours);
    int entries = 0;
    for (size_t i = colours; i < close; ++i)
      if (t[i] == ';') ++entries;
    f.headerColour = entries;
    t.insert(close, shading);
  } else {
    size_t at = t.find("{\\fonttbl");
    at = at == std::string::npos ? std::string::npos : MatchingBrace(t, at);
    if (at == std::string::npos) {
      at = t.find("\\rtf1");
      at = at == std::string::npos ? 0 : t.find_first_of("\\{\r\n", at + 5);
      if (at == std::string::npos) at = t.size();
    } else {
      ++at;
    }
    t.insert(at, "{\\colortbl;" + shading + "}");
    f.headerColour = 1;
  }
  const std::string marker = "<###TABLE###>";
  size_t split = t.find(marker);
  size_t resume = split + marker.size();
  if (split == std::string::npos) {
    // No place named for the table: it goes before the document's last brace.
    split = t.rfind('}');
    if (split == std::string::npos) split = t.size();
    resume = split;
  }
  f.prolog = t.substr(0, split);
  f.epilog = t.substr(resume);
  return f;
}

ResultsWriter::ResultsWriter(const ModuleContext& ctx) : ctx_(ctx) {}

ResultsWriter::~ResultsWriter() { Abort(); }

void ResultsWriter::Abort() {
  csv_.Discard();
  rtf_.Discard();
  listing_.Discard();
  started_ = false;
}

bool ResultsWriter::Start(const ResultsOptions& options) { return StartResultTable(ResultTableFor(ctx_), options); }

bool ResultsWriter::Failed() {
  if (error_.empty()) {
    for (const AtomicOutputFile* f : {&csv_, &rtf_, &listing_})
      if (f->failed()) {
        error_ = f->error();
        break;
      }
  }
  return !error_.empty();
}

void ResultsWriter::ReportFailure() {
  if (reported_) return;
  reported_ = true;
  ShowMessage(ctx_, Fill(texts::kResultsNotWritten, {{"error", error_}}));
}

bool ResultsWriter::StartResultTable(const ResultTableLayout& layout, const ResultsOptions& options) {
  Abort();
  options_ = options;
  layout_ = layout;
  ratioColumns_ = layout.headings.size() >= 2 && layout.headings.back() == "Equation";
  factors_ = DisplayFactorsOf(ctx_.displayUnits);
  error_.clear();
  reported_ = false;
  rows_ = 0;

  const fs::path base = InputBasePath(ctx_);
  const fs::path dir = options.outDir.empty() ? (base.has_parent_path() ? base.parent_path() : fs::path("."))
                                              : options.outDir;
  const std::string stem = base.filename().string();
  paths_.csv = dir / (stem + "_Out.csv");
  paths_.rtf = dir / (stem + "_Out.rtf");
  paths_.listing = !options.listingDir.empty() ? options.listingDir / "book.tmp"
                   : ctx_.tempDir.empty()      ? dir / "book.tmp"
                                               : SuitePath(ctx_.tempDir) / "book.tmp";

  if (!csv_.Open(paths_.csv) || !rtf_.Open(paths_.rtf) || !listing_.Open(paths_.listing)) {
    Failed();
    Abort();
    ReportFailure();
    return false;
  }
  const std::string date = options.date.empty() ? DateText() : options.date;
  const std::string time = options.time.empty() ? TimeText() : options.time;

  // CSV: the text header, then the group, heading and unit rows as quoted fields. UTF-8 with
  // a byte-order mark so spreadsheets read the Persian captions and the unit signs right.
  std::string head = kUtf8Bom;
  head += " Ardekon version " + ctx_.suiteVersion + kEol;
  head += MakerLine() + kEol;
  head += CopyrightLine() + kEol;
  head += kEol;
  head += kEol;
  head += " Units: " + ctx_.constantsUnits + kEol;
  head += " File: " + ctx_.inputBase + ".Ardekon" + kEol;
  head += " Title : " + ctx_.title + kEol;
  head += " Date: " + date + "   time: " + time + kEol;
  head += kEol;
  for (const auto* row : {&layout.groups, &layout.headings, &layout.units}) {
    for (size_t i = 0; i < row->size(); ++i) head += (i ? "," : "") + Quoted((*row)[i]);
    // One more column: what the program had to say about the element (empty for most).
    if (row != &layout.groups) head += "," + Quoted(row == &layout.headings ? "Notes" : "");
    head += kEol;
  }
  csv_.Write(head);

  // RTF: the template (from the tables store, or built in) up to its table, then the header rows.
  std::optional<std::string> bytes;
  const std::string name = ResourceName(ctx_, ResourceKind::Tables);
  std::unique_ptr<ResourceStore> opened;
  const ResourceStore* store = options.tableStore;
  if (!store) {
    opened = OpenResourceStore(ctx_, ResourceKind::Tables, options.developerRoot);
    store = opened.get();
  }
  if (store) bytes = store->Find(name);
  if (!bytes) ShowMessage(ctx_, texts::kTableTemplateMissing);
  const FilledTableTemplate filled = FillTableTemplate(bytes ? std::string_view(*bytes) : BuiltinTableTemplate(), ctx_, date, time);
  rtfEpilog_ = filled.epilog;
  headerColour_ = filled.headerColour;
  rtf_.Write(filled.prolog);

  // Row definitions, made once: thin rules under every cell, a frame round the header.
  int edge = 0;
  std::string rows = "\\trowd\\trgaph57\\trleft0";
  std::string header = "\\trowd\\trgaph57\\trleft0\\trhdr";
  for (size_t i = 0; i < layout.widths.size(); ++i) {
    edge += layout.widths[i];
    rows += "\\clbrdrb\\brdrs\\brdrw5";
    if (i == 0) rows += "\\clbrdrl\\brdrs\\brdrw5";
    if (i + 1 == layout.widths.size()) rows += "\\clbrdrr\\brdrs\\brdrw5";
    rows += "\\cellx" + std::to_string(edge);
    header += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
    if (i > 0) header += "\\clcbpat" + std::to_string(headerColour_);
    header += "\\cellx" + std::to_string(edge);
  }
  rowPrefix_ = rows;
  headerPrefix_ = header;

  // The group row: each caption over the columns of its group.
  std::string groupRow = "\\trowd\\trgaph57\\trleft0\\trhdr";
  std::vector<std::string> groupCells;
  size_t column = 0;
  edge = 0;
  for (size_t g = 0; g < layout.groupSpans.size() && g < layout.groups.size(); ++g) {
    for (int k = 0; k < layout.groupSpans[g] && column < layout.widths.size(); ++k) edge += layout.widths[column++];
    groupRow += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
    if (g > 0) groupRow += "\\clcbpat" + std::to_string(headerColour_);
    groupRow += "\\cellx" + std::to_string(edge);
    groupCells.push_back(layout.groups[g]);
  }
  if (!groupCells.empty()) {
    std::string out = groupRow + "\r\n\\pard\\plain\\intbl\\qc\\f0\\fs16\\b ";
    for (const auto& c : groupCells)
      out += (HasRtlText(c) ? "{\\rtlch\\ab " : "{") + RtfEscape(c) + "}\\cell ";
    rtf_.Write(out + "\\row\r\n");
  }
  WriteRtfRow(layout.headings, true, true, false);
  WriteRtfRow(layout.units, true, true, false);
  started_ = !Failed();
  if (!started_) {
    Abort();
    ReportFailure();
  }
  return started_;
}

void ResultsWriter::WriteRtfRow(const std::vector<std::string>& cells, bool header, bool, bool right) {
  line_.clear();
  line_ += header ? headerPrefix_ : rowPrefix_;
  // Character formatting carries over from row to row; only the header rows set it in full.
  line_ += right ? "\r\n\\pard\\intbl\\qr\\b0 " : "\r\n\\pard\\plain\\intbl\\qc\\f0\\fs16\\b ";
  for (const auto& c : cells) {
    line_ += RtfEscape(c);
    line_ += "\\cell ";
  }
  line_ += "\\row\r\n";
  rtf_.Write(line_);
}

void ResultsWriter::AddResultRow(const std::vector<ResultCell>& row) {
  if (!started_ || Failed()) return;
  std::string csv;
  std::vector<std::string> cells;
  cells.reserve(row.size());
  for (size_t i = 0; i < row.size(); ++i) {
    if (i) csv += ",";
    if (const double* d = std::get_if<double>(&row[i])) {
      cells.push_back(ResultNumberText(*d));
      csv += cells.back();
    } else {
      cells.push_back(std::get<std::string>(row[i]));
      csv += Quoted(cells.back());
    }
  }
  csv_.Write(csv + ",\"\"" + kEol);
  WriteRtfRow(cells, false, false, true);
  ++rows_;
}

void ResultsWriter::AddResultRow(const ResultRowValues& row, const std::string& notes) {
  scratch_.clear();
  FormatRow(scratch_, 0, &row, notes);
  Append(scratch_);
}

void ResultsWriter::FormatRow(ResultTexts& out, int16_t id, const ResultRowValues* values, const std::string& notes,
                              const aisc::Result* ratioOf) const {
  // The hot path of a large run: numbers written straight into both files' texts. Without
  // values (an element with an error) the cells after the ID are empty, "-" in the RTF.
  out.rtf += rowPrefix_;
  out.rtf += "\r\n\\pard\\intbl\\qr\\b0 ";
  char buf[400];
  const size_t columns = values ? values->size() : layout_.widths.size();
  for (size_t i = 0; i < columns; ++i) {
    if (i) out.csv += ',';
    if (values) {
      const size_t n = ResultNumberText((*values)[i], buf, sizeof buf);
      out.csv.append(buf, n);
      out.rtf.append(buf, n);
    } else if (i == 0) {
      const std::string idText = std::to_string(id);
      out.csv += idText;
      out.rtf += RtfEscape(idText);
    } else {
      out.rtf += '-';
    }
    out.rtf += "\\cell ";
  }
  if (values && ratioColumns_) {
    // The governing ratio and its equation; empty cells ("-") when the member had no forces.
    const bool ratio = ratioOf && ratioOf->governingRatio;
    out.csv += ',';
    if (ratio) {
      const size_t n = ResultNumberText(RoundTo(*ratioOf->governingRatio, 3), buf, sizeof buf);
      out.csv.append(buf, n);
      out.rtf.append(buf, n);
    } else {
      out.rtf += '-';
    }
    out.rtf += "\\cell ";
    out.csv += ',';
    if (ratio) AppendQuoted(out.csv, ratioOf->governingEquation);
    out.rtf += ratio ? RtfEscape(ratioOf->governingEquation) : std::string("-");
    out.rtf += "\\cell ";
  }
  out.rtf += "\\row\r\n";
  out.csv += ',';
  AppendQuoted(out.csv, notes);
  out.csv += kEol;
  FormatRtfNotes(out.rtf, notes);
  ++out.rows;
}

void ResultsWriter::Add(const CheckedMember& member, const Element& element, MemberKind kind) {
  scratch_.clear();
  FormatElement(scratch_, member, element, kind);
  Append(scratch_);
}

void ResultsWriter::FormatElement(ResultTexts& out, const CheckedMember& member, const Element& element,
                                  MemberKind kind) const {
  const SectionProperties& p = member.section.props;
  const bool error = member.Status() == ElementStatus::Error;
  const std::string notes = ResultNotesText(member.diagnostics, ctx_.language);
  if (error) {
    // Numbers of a section that is not what the user wrote are not results: the ID, empty
    // cells and the reason, and no record an analysis program would take for a section.
    FormatRow(out, element.id, nullptr, notes);
  } else {
    const ResultRowValues values = ResultRow(p, element.id, factors_);
    FormatRow(out, element.id, &values, notes, member.aisc ? &*member.aisc : nullptr);
  }
  // Run mode "E" (a new input typed in the table) writes the table rows only.
  if (!options_.writeRecords || ctx_.runMode == 'E') return;
  if (!error) out.csv += SectionRecord(ctx_.target, p, element.id, element.text, ctx_.dataUnitSystem);
  AppendListingBlock(out.listing, member, element.id, element.text, kind);
}

void ResultsWriter::Append(const ResultTexts& texts) {
  if (!started_ || Failed()) return;
  csv_.Write(texts.csv);
  rtf_.Write(texts.rtf);
  listing_.Write(texts.listing);
  rows_ += texts.rows;
}

void ResultsWriter::FormatRtfNotes(std::string& rtf, const std::string& notes) const {
  if (notes.empty()) return;
  // A row of one cell across the table, under the element's row.
  int edge = 0;
  for (const int w : layout_.widths) edge += w;
  rtf += "\\trowd\\trgaph57\\trleft0\\clbrdrb\\brdrs\\brdrw5\\clbrdrl\\brdrs\\brdrw5\\clbrdrr\\brdrs\\brdrw5\\cellx" +
         std::to_string(edge) + "\r\n\\pard\\intbl\\ql\\b0 ";
  rtf += HasRtlText(notes) ? "{\\rtlch " + RtfEscape(notes) + "}" : RtfEscape(notes);
  rtf += "\\cell \\row\r\n";
}

std::string ResultNotesText(const Diagnostics& diagnostics, char language) {
  return DiagnosticsLine(diagnostics, language, true);
}

bool ResultsWriter::Finish(ResultFiles* files) {
  if (!started_) {
    if (error_.empty()) error_ = "The result files were not started";
    return false;
  }
  rtf_.Write(rtfEpilog_);
  // Every file complete on disk before any replaces its target.
  const bool flushed = csv_.Flush() && rtf_.Flush() && listing_.Flush();
  if (!flushed || Failed()) {
    Failed();
    Abort();
    ReportFailure();
    return false;
  }
  const bool committed = csv_.Commit() && rtf_.Commit() && listing_.Commit();
  started_ = false;
  if (!committed) {
    Failed();
    Abort();
    ReportFailure();
    return false;
  }
  if (files) *files = paths_;
  return true;
}

ResultsRunOutcome RunResults(const ModuleContext& ctx, const std::vector<Element>& elements, const ElementCheck& check,
                             const ResultsOptions& options, const std::function<void(int)>& progress) {
  ResultsRunOutcome outcome;
  if (progress) progress(0);
  ResultsWriter writer(ctx);
  if (!writer.Start(options)) {
    if (progress) progress(-1);
    return outcome;
  }
  const int n = static_cast<int>(elements.size());
  for (int i = 1; i <= n; ++i) {
    const Element& e = elements[static_cast<size_t>(i - 1)];
    const MemberKind kind = KindOfIndex(ctx, i);
    writer.Add(check(e, kind, i), e, kind);
    if (progress) progress(static_cast<int>(std::lround(100.0 * i / n)));
  }
  if (progress) progress(-1);
  outcome.elements = n;
  outcome.ok = writer.Finish(&outcome.files);
  return outcome;
}

}  // namespace tavo
