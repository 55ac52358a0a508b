#pragma once
// The suite's input file of elements: header, optional constants block, count line with
// options, one line per element. It is read through a comment-free working copy.
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/module_context.h"

namespace tavo {

inline constexpr size_t kElementTextLength = 150;

struct Element {
  int16_t id = 0;
  std::string text;  // the whole line, upper-cased, cut to 150 characters, trailing blanks dropped
};

// Upper-cases a line and cuts it to the fixed element text length, without trailing blanks.
std::string ElementText(std::string_view line);
// The element text blank-padded to the fixed length, for whoever needs the fixed columns.
std::string PaddedElementText(std::string_view text);

// The working copy, read line by line (what the suite calls handle 2).
class WorkingCopy {
 public:
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return in_.is_open(); }
  bool AtEnd();
  // Next line with no ':' (trimmed); at the end of the file the previous line comes back.
  std::string ReadDataLine();
  // Next raw line without its line end; false at the end of the file.
  bool ReadRawLine(std::string& line);
  bool WasEmpty() const { return empty_; }

 private:
  std::ifstream in_;
  std::string last_;
  bool empty_ = true;
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

// Reads the next element line into elements[index - 1] (resized when needed).
void getdata_ini(ModuleContext& ctx, WorkingCopy& copy, std::vector<Element>& elements, int index);

// Columns first, then beams, then braces, as the count line orders them.
MemberKind KindOfIndex(const ModuleContext& ctx, int index);
// The element's "L=" value converted from the data length unit to cm; 0 when absent.
double MemberLength(std::string_view elementText, const UnitSystem& dataUnits);
const char* KindName(MemberKind kind);

}  // namespace tavo
