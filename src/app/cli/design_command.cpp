// tavo design: the lightest sections of a set that carry given demands; and tavo run --design:
// a proposal for every element of an input, written to a copy of it.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "core/files.h"
#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "engine/batch_run.h"
#include "engine/design_search.h"
#include "input/edited_input.h"
#include "input/input_file.h"
#include "sections/section_parser.h"

namespace tavo::cli {

namespace {

struct DesignArgs {
  bool json = false;
  CodeOptions code;
  std::string kind;
  double length = 0;
  std::string set;
  double P = 0, T = 0, M3 = 0, M2 = 0, V2 = 0, V3 = 0;
  double fy = 0;
  std::optional<double> depthMin, depthMax, widthMin, widthMax;
  std::string plateT, webT;
  int count = 10;
  int jobs = 0;
};

std::string Fixed(double value, int digits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", digits, RoundTo(value, digits));
  return buf;
}

// The ranges of the options; empty with the reason in error when one cannot be read.
std::optional<DesignRanges> RangesOf(const DesignArgs& a, std::string* error) {
  DesignRanges r;
  r.depth = {a.depthMin, a.depthMax};
  r.width = {a.widthMin, a.widthMax};
  const std::pair<const std::string*, MmRange*> typed[] = {{&a.plateT, &r.plateT}, {&a.webT, &r.webT}};
  const char* names[] = {"--plate-t", "--web-t"};
  for (size_t i = 0; i < 2; ++i) {
    if (typed[i].first->empty()) continue;
    std::string why;
    const std::optional<MmRange> range = ParseMmRange(*typed[i].first, &why);
    if (!range) {
      *error = std::string(names[i]) + ": " + why;
      return std::nullopt;
    }
    *typed[i].second = *range;
  }
  if (std::string why = RangeProblem(r); !why.empty()) {
    *error = why;
    return std::nullopt;
  }
  return r;
}

void PrintProposals(const std::vector<DesignProposal>& found, const DesignArgs& a, DesignCode code) {
  std::printf("Lightest passing sections of %s for a %s, L = %s cm (%s)\n\n", a.set.c_str(), a.kind.c_str(),
              ShortestText(a.length).c_str(), std::string(DesignCodeName(code)).c_str());
  std::printf("  %3s  %-28s %12s %8s\n", "#", "designation", "weight kg/m", "ratio");
  for (size_t i = 0; i < found.size(); ++i)
    std::printf("  %3zu  %-28s %12s %8s\n", i + 1, found[i].designation.c_str(), Fixed(found[i].weight, 2).c_str(),
                Fixed(found[i].ratio, 3).c_str());
}

// The designation part of an element line (after the ID, before "L="): [begin, end) in line.
std::pair<size_t, size_t> DesignationSpan(std::string_view data) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t at = 0;
  while (at < data.size() && blank(data[at])) ++at;
  while (at < data.size() && !blank(data[at])) ++at;  // the ID
  while (at < data.size() && blank(data[at])) ++at;
  const size_t begin = at;
  size_t end = data.size();
  for (size_t i = begin; i < data.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(data[i])) != 'L' || (i > begin && !blank(data[i - 1]))) continue;
    size_t j = i + 1;
    while (j < data.size() && blank(data[j])) ++j;
    if (j < data.size() && data[j] == '=') {
      end = i;
      break;
    }
  }
  while (end > begin && (blank(data[end - 1]) || data[end - 1] == '\r')) --end;
  return {begin, end};
}

// One element's proposal, made on a worker thread.
struct ElementDesign {
  int index = 0;
  int id = 0;
  std::string oldDesignation, newDesignation;
  double oldWeight = 0, newWeight = 0;
  std::optional<double> oldRatio, newRatio;
  std::string note;  // why there is no proposal
};

std::string Ratio(const std::optional<double>& r) { return r ? Fixed(*r, 3) : "-"; }

class DesignFormatter final : public BatchFormatter {
 public:
  DesignFormatter(const SectionEngine& engine, const CandidateSet& set) : engine_(engine), set_(set) {}
  void Format(BatchChunk& chunk, int index, const Element& element, const CheckedMember& current) const override {
    ElementDesign d;
    d.index = index;
    d.id = element.id;
    d.oldDesignation = Trim(DesignationSpanText(element.text));
    d.oldWeight = WeightPerMetre(current.section.props.A);
    if (current.Status() == ElementStatus::Error) {
      d.note = "not checked: the element has an error";
    } else {
      const DesignDemands demands = DemandsOfMember(current);
      d.oldRatio = DesignRatio(current, demands);
      // A member over its strength still has its ratio to show: it is why a proposal is wanted.
      if (!d.oldRatio && current.aisc && current.aisc->governingRatio) d.oldRatio = current.aisc->governingRatio;
      const std::vector<DesignProposal> found = SearchDesign(engine_, set_, current.member, demands, 1, 1);
      if (found.empty()) {
        d.note = "no candidate of " + set_.name + " passes";
      } else {
        d.newDesignation = found[0].designation;
        d.newWeight = found[0].weight;
        d.newRatio = found[0].ratio;
      }
    }
    std::lock_guard lock(mutex_);
    pending_[index] = std::move(d);
    (void)chunk;
  }
  bool Write(BatchChunk& chunk) override {
    for (size_t i = 0; i < chunk.elements.size(); ++i) {
      const int index = chunk.first + static_cast<int>(i);
      std::lock_guard lock(mutex_);
      const auto it = pending_.find(index);
      if (it == pending_.end()) continue;
      designs.push_back(std::move(it->second));
      pending_.erase(it);
    }
    return true;
  }
  std::vector<ElementDesign> designs;

 private:
  static std::string DesignationSpanText(const std::string& text) {
    const auto [b, e] = DesignationSpan(text);
    return text.substr(b, e - b);
  }
  const SectionEngine& engine_;
  const CandidateSet& set_;
  mutable std::mutex mutex_;
  mutable std::map<int, ElementDesign> pending_;
};

}  // namespace

void AddDesignCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("design", "Propose the lightest sections of a set that carry the given demands");
  const auto args = std::make_shared<DesignArgs>();
  DesignArgs& o = *args;
  std::string sets;
  for (const std::string& n : DesignSetNames()) sets += (sets.empty() ? "" : ", ") + n;
  cmd->add_flag("--json", o.json, "Print a JSON list of {designation, weight, ratio}, lightest first");
  AddCodeOptions(*cmd, o.code);
  cmd->add_option("--kind", o.kind, "Member kind: column, beam or bracing")->required()->check(MemberKindNames());
  cmd->add_option("--length", o.length, "Member length, cm")->required()->check(CLI::NonNegativeNumber);
  cmd->add_option("--set", o.set, "Candidates: " + sets)->required();
  cmd->add_option("--P", o.P, "Compression, kg")->check(CLI::NonNegativeNumber);
  cmd->add_option("--T", o.T, "Tension, kg")->check(CLI::NonNegativeNumber);
  cmd->add_option("--M3", o.M3, "Moment about the strong axis, kg·cm")->check(CLI::NonNegativeNumber);
  cmd->add_option("--M2", o.M2, "Moment about the weak axis, kg·cm (limit-state code only)")->check(CLI::NonNegativeNumber);
  cmd->add_option("--V2", o.V2, "Shear along the web, kg (limit-state code only)")->check(CLI::NonNegativeNumber);
  cmd->add_option("--V3", o.V3, "Shear across the web, kg (limit-state code only)")->check(CLI::NonNegativeNumber);
  cmd->add_option("--fy", o.fy, "Yield stress in kg/cm² (default: the settings file, else " + ShortestText(kDefaultFy) + ")")
      ->check(CLI::PositiveNumber);
  cmd->add_option("--depth-min", o.depthMin, "Smallest overall depth, mm")->check(CLI::NonNegativeNumber);
  cmd->add_option("--depth-max", o.depthMax, "Largest overall depth, mm")->check(CLI::NonNegativeNumber);
  cmd->add_option("--width-min", o.widthMin, "Smallest overall width, mm")->check(CLI::NonNegativeNumber);
  cmd->add_option("--width-max", o.widthMax, "Largest overall width, mm")->check(CLI::NonNegativeNumber);
  cmd->add_option("--plate-t", o.plateT, "Cover and flange plate thicknesses, mm, e.g. 8..25");
  cmd->add_option("--web-t", o.webT, "Web plate thicknesses, mm, e.g. 6..12");
  cmd->add_option("--count", o.count, "How many to list")->check(CLI::PositiveNumber)->capture_default_str();
  cmd->add_option("--jobs", o.jobs, "Threads (default: one per core)")->check(CLI::NonNegativeNumber);
  cmd->footer(
      "Under asd89 the demands are capacities to reach: --P against Pmax, --T against Tmax, --M3 against Mmax "
      "(M2, V2 and V3 have no capacity there and are not looked at). Under the limit-state code they are the "
      "member's forces. Exit status 1 when no candidate passes (an empty list), 2 for options that cannot be used.");
  cmd->callback([&state, args] {
    const DesignArgs& a = *args;
    state.Prepare(a.json);
    const auto refuse = [&state](const std::string& why) {
      std::cerr << "Error: " << why << '\n';
      state.exitCode = 2;
    };
    std::string error;
    const std::optional<DesignRanges> ranges = RangesOf(a, &error);
    if (!ranges) return refuse(error);
    SectionEngine& engine = state.Engine();
    engine.UseDataUnits(UnitSystem{});  // lengths and spacings in cm
    // No input: Fy, Fu and the code are the options', else the settings file's, else the defaults.
    engine.ResolveConstants(GivenOf(a.fy, a.code));
    ShowConstantsNotes(state.ctx, state.quiet);
    for (const Diagnostic& d : state.ctx.fyDiagnostics)
      if (!state.quiet || d.severity == Severity::Error) std::cerr << LabelledLine(d, state.ctx.language) << '\n';
    const CandidateSet set = MakeCandidateSet(engine, a.set, *ranges, &error, a.jobs);
    if (set.candidates.empty()) return refuse(error);
    DesignDemands demands;
    demands.compression = a.P, demands.tension = a.T;
    demands.M3 = a.M3, demands.M2 = a.M2, demands.V2 = a.V2, demands.V3 = a.V3;
    const MemberInput member =
        engine.MemberOfDesignation(MemberKindOfName(a.kind).value_or(MemberKind::Column), a.length);
    const std::vector<DesignProposal> found =
        SearchDesign(engine, set, member, demands, static_cast<size_t>(a.count), a.jobs);
    if (a.json) {
      nlohmann::ordered_json list = nlohmann::ordered_json::array();
      for (const DesignProposal& p : found)
        list.push_back({{"designation", p.designation}, {"weight", RoundTo(p.weight, 3)}, {"ratio", RoundTo(p.ratio, 4)}});
      std::cout << list.dump(2) << '\n';
    } else if (!found.empty()) {
      PrintProposals(found, a, state.ctx.code);
    }
    if (found.empty()) {
      std::cerr << "No candidate of " << a.set << " (" << set.candidates.size()
                << " within the ranges) passes for these demands\n";
      state.exitCode = 1;
    }
  });
}

bool RunDesignOfInput(CliState& state, InputSession& session, const std::string& setName, int jobs) {
  ModuleContext& ctx = state.ctx;
  SectionEngine& engine = state.Engine();
  std::string error;
  const CandidateSet set = MakeCandidateSet(engine, setName, {}, &error, jobs);
  if (set.candidates.empty()) {
    std::cerr << "Error: " << error << '\n';
    state.exitCode = 2;
    return false;
  }
  DesignFormatter formatter(engine, set);
  BatchRunOptions options;
  options.jobs = jobs;
  RunBatch(engine, session, formatter, options);

  // The copy: the input's bytes with each proposed designation in place of the old one.
  const std::filesystem::path input = ctx.InputFile();
  const std::optional<std::string> text = ReadWholeFile(input);
  if (!text) {
    std::cerr << "Error: cannot read " << input.string() << " again to copy it\n";
    state.exitCode = 1;
    return false;
  }
  const std::vector<size_t> lines = ElementLineNumbers(*text, formatter.designs.size());
  std::vector<std::pair<size_t, size_t>> starts;  // each line's [begin, end) in text
  for (size_t at = 0; at <= text->size();) {
    size_t nl = text->find('\n', at);
    if (nl == std::string::npos) nl = text->size();
    starts.emplace_back(at, nl);
    at = nl + 1;
  }
  std::string copy;
  copy.reserve(text->size() + 64);
  size_t copied = 0;
  std::string table = "ID,old designation,old weight kg/m,old ratio,new designation,new weight kg/m,new ratio\n";
  std::printf("%6s  %-26s %9s %7s  %-26s %9s %7s\n", "ID", "old designation", "kg/m", "ratio", "new designation", "kg/m",
              "ratio");
  for (const ElementDesign& d : formatter.designs) {
    const std::string shownNew = d.newDesignation.empty() ? "-" : d.newDesignation;
    if (!state.quiet)
      std::printf("%6d  %-26s %9s %7s  %-26s %9s %7s%s\n", d.id, d.oldDesignation.c_str(), Fixed(d.oldWeight, 2).c_str(),
                  Ratio(d.oldRatio).c_str(), shownNew.c_str(), d.newDesignation.empty() ? "-" : Fixed(d.newWeight, 2).c_str(),
                  Ratio(d.newRatio).c_str(), d.note.empty() ? "" : ("  " + d.note).c_str());
    table += std::to_string(d.id) + ",\"" + d.oldDesignation + "\"," + Fixed(d.oldWeight, 3) + "," + Ratio(d.oldRatio) +
             ",\"" + d.newDesignation + "\"," + (d.newDesignation.empty() ? "" : Fixed(d.newWeight, 3)) + "," +
             (d.newRatio ? Fixed(*d.newRatio, 4) : "") + "\n";
    const size_t n = static_cast<size_t>(d.index);
    if (d.newDesignation.empty() || n < 1 || n > lines.size()) continue;
    const auto [begin, end] = starts[lines[n - 1]];
    std::string_view line(text->data() + begin, end - begin);
    const std::optional<std::string_view> data = WorkingCopyPart(line);
    if (!data) continue;
    const auto [from, to] = DesignationSpan(*data);
    copy.append(*text, copied, begin + from - copied);
    copy.append(d.newDesignation);
    copied = begin + to;
  }
  copy.append(*text, copied, std::string::npos);
  const std::string base = ctx.inputBase + ".design";
  const std::filesystem::path copyPath = base + ctx.inputExtension, csvPath = base + ".csv";
  if (!AtomicWriteFile(copyPath, copy, &error) || !AtomicWriteFile(csvPath, table, &error)) {
    std::cerr << "Error: " << error << '\n';
    state.exitCode = 1;
    return false;
  }
  if (!state.quiet) std::cout << "Proposals:\n  " << copyPath.string() << "\n  " << csvPath.string() << '\n';
  // 3, as for a plain run: some element (or the file) was not read as written.
  const bool elementErrors = std::any_of(formatter.designs.begin(), formatter.designs.end(),
                                         [](const ElementDesign& d) { return !d.note.empty() && !d.oldRatio && d.note.starts_with("not checked"); });
  if (elementErrors || HasError(ctx.inputDiagnostics)) state.exitCode = std::max(state.exitCode, 3);
  return true;
}

}  // namespace tavo::cli
