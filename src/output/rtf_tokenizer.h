#pragma once
// The pieces of an RTF stream, for every reader of RTF in the program (the formula template,
// the desktop's result viewer): groups, control words with their parameter, and characters
// already decoded. Characters come out of plain bytes and \'hh (Windows-1252), \uN (with
// surrogate pairs joined and the \ucN fallback that follows dropped), \\ \{ \} \~ \_ and the
// named punctuation words (\emdash, \lquote, ...). \binN data is passed over; what a
// destination means is the reader's business.
#include <string_view>
#include <vector>

namespace tavo {

struct RtfToken {
  enum class Kind { End, GroupOpen, GroupClose, Word, Char };
  Kind kind = Kind::End;
  // Word: the control word's letters, or the symbol of a control symbol ("*", "|"); "\<newline>"
  // comes as "par".
  std::string_view word;
  int param = 0;  // clamped to the int range
  bool hasParam = false;
  bool groupStart = false;  // Word: the first thing in its group ("{\*" and "{\fonttbl")
  char32_t ch = 0;          // Char
};

class RtfTokenizer {
 public:
  explicit RtfTokenizer(std::string_view rtf) : s_(rtf) {}
  RtfToken Next();  // Kind::End once the text is used up

 private:
  RtfToken Control(bool& unicode);

  std::string_view s_;
  size_t i_ = 0;
  bool atGroupStart_ = false;
  int uc_ = 1;                  // fallback characters after a \uN
  std::vector<int> outerUc_;    // \ucN belongs to its group: the enclosing groups' values
  int pendingSkip_ = 0;         // fallback characters still to drop after a \uN
  char16_t highSurrogate_ = 0;  // first half of a \uN pair
};

// Windows-1252: 0x80..0x9F hold punctuation and letters, the five bytes it leaves undefined
// read as U+FFFD; every other byte is its Latin-1 character.
char32_t FromCp1252(unsigned char c);

}  // namespace tavo
