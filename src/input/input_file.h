#pragma once
// The suite's input file of elements: header, optional constants block, count line with
// options, one line per element. It is read through a comment-free working copy.
#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/module_context.h"

namespace tavo {

// The width of the element text in the fixed-column outputs that need one.
inline constexpr size_t kElementTextLength = 150;

struct Element {
  int16_t id = 0;    // 0 when the line does not start with a whole number in the 16-bit range
  std::string text;  // the whole line, upper-cased, without trailing blanks
  int line = 0;      // its line in the input file (1-based); 0 when not read from a file
};

// Upper-cases a line and drops its trailing blanks. The whole line is kept: a length written
// past the fixed column width is still the member's length.
std::string ElementText(std::string_view line);
// The element text cut or blank-padded to the fixed width, for the fixed-column outputs.
std::string PaddedElementText(std::string_view text);

// The working copy, read line by line (what the suite calls handle 2).
class WorkingCopy {
 public:
  // leftOut: the remark lines the copy left out, so that FileLine counts the user's lines.
  bool Open(const std::string& path, std::vector<ModuleContext::LeftOutLines> leftOut = {});
  void Close();
  bool IsOpen() const { return in_.is_open(); }
  bool AtEnd();
  // Next line with no ':' (trimmed); at the end of the file the previous line comes back.
  std::string ReadDataLine();
  // Next raw line without its line end; false at the end of the file.
  bool ReadRawLine(std::string& line);
  bool WasEmpty() const { return empty_; }
  // The input file's line (1-based) of the line read last; 0 before the first.
  int FileLine() const { return line_ + leftOutBefore_; }

 private:
  std::ifstream in_;
  std::string last_;
  bool empty_ = true;
  int line_ = 0;           // working-copy lines read
  int leftOutBefore_ = 0;  // input lines left out before the line read last
  size_t nextGap_ = 0;
  std::vector<ModuleContext::LeftOutLines> leftOut_;
};

std::string WorkingCopyPath(const ModuleContext& ctx);

// Copies the input file to the working copy without comments. False, with a message and an
// empty input base, when the input file is missing, empty or not text.
bool MakeWorkingCopy(ModuleContext& ctx);

// Opens the working copy and reads the header (version and title into the context).
bool OpenInputFile(ModuleContext& ctx, WorkingCopy& copy);
void ApplyHeader(ModuleContext& ctx, std::string_view header);

std::string GetHeaderValue(std::string_view line, std::string_view key, int index, std::string_view separatorMode,
                           char language = 'E');

// Reads the constants block and the count line; returns the count line. Fills the constants
// text, constants units, data units, N and the display units of the context.
std::string ReadConstantsBlock(ModuleContext& ctx, WorkingCopy& copy);
void ReadOptions(ModuleContext& ctx, std::string_view countLine);

// The units the constants block's values are written in: its UNITS=, else [kg]-[cm]; empty when
// there is no block. A UNITS= text that can't be read gives [kg]-[cm] and, when problems is
// given, an error there.
std::string ConstantsBlockUnits(std::string_view constantsText, Diagnostics* problems);

// The text an element line is kept as: trimmed, tabs as blanks, no blanks around "=", upper-cased.
std::string ReadElementText(std::string_view line);

// The part of a file line the working copy keeps: before a remark's ":"; nullopt for a remark
// line (nothing but blanks before its ":"), which the working copy leaves out.
std::optional<std::string_view> WorkingCopyPart(std::string_view line);

// Reads the next element line into e.
void getdata_ini(ModuleContext& ctx, WorkingCopy& copy, Element& e);

// The one reader of the element list, for every command and the desktop program: element lines
// 1..N in file order. A blank line or the end of the file ends the list; Finish reports a list
// shorter than the count line promised, lines past the N-th element, and repeated IDs.
class ElementReader {
 public:
  ElementReader(ModuleContext& ctx, WorkingCopy& copy);
  // Reads element count() + 1; false when the list has ended.
  bool Next(Element& element);
  // The same, appended to elements.
  bool Next(std::vector<Element>& elements);
  // Adds what the list's end has to say to ctx.inputDiagnostics; call once, after the last Next.
  // A list cut short by the user (cancelled) is not reported as short.
  void Finish(bool cancelled = false);
  int count() const { return count_; }
  bool endedOnBlank() const { return blank_; }

 private:
  ModuleContext& ctx_;
  WorkingCopy& copy_;
  int count_ = 0;
  bool blank_ = false;
  bool ended_ = false;
  std::vector<int> firstWithId_;     // element index + 1 of the first element with each ID
  std::vector<int16_t> repeatedIds_;  // the first few IDs found more than once
  int repeated_ = 0;
};

// Columns first, then beams, then braces, as the count line orders them.
MemberKind KindOfIndex(const ModuleContext& ctx, int index);

// The member length of an element line: its "L=" value ("L = 600" as well; with "L=600,300,0"
// the first) in cm. A length written but not a non-negative number is a problem, not a 0.
struct LengthReading {
  double cm = 0;          // 0 when absent or unreadable
  bool written = false;   // the line holds "L="
  bool ok = true;         // false: written, but not a usable length (problem says why)
  std::string subject;    // the "L=..." text as written
  std::string english, persian;          // the problem when not ok
  std::string noteEnglish, notePersian;  // a warning: further values that are not used
};
LengthReading ReadMemberLength(std::string_view elementText, const UnitSystem& dataUnits);
// The length in cm; 0 when absent or unreadable.
double MemberLength(std::string_view elementText, const UnitSystem& dataUnits);

// The element's ID token when it is not a whole number from -32768 to 32767: the problem
// (English, Persian); empty texts when the ID is fine.
struct IdProblem {
  std::string english, persian, subject;
  bool any() const { return !english.empty(); }
};
IdProblem CheckElementId(std::string_view elementText);

// What an element line says against itself: an ID that is not a whole 16-bit number, and, with
// withLength, a written length that can't be used (errors) or values of L= that are not used
// (a warning).
// The length read (cm, 0 when absent or unusable) goes to lengthCm when given.
Diagnostics ElementLineProblems(std::string_view elementText, const UnitSystem& dataUnits, bool withLength = true,
                                double* lengthCm = nullptr);

const char* KindName(MemberKind kind);

}  // namespace tavo
