#pragma once
// A designation read part by part. A tokenizer walks the text and takes each part it knows
// (count, family name, size, plates, spacings, the element's length key), marking every
// character it uses; whatever is left over is reported with the part quoted, so nothing the
// user wrote is silently dropped or read into the wrong field. Texts are upper-case here.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sections/section_family.h"
#include "sections/section_notes.h"

namespace tavo {

struct ShapeName {
  const SectionFamily* family = nullptr;  // null: the text names no family
  std::string code;                   // catalogue family code ("L", "UNP", "IPE", "CPE", ...); "" otherwise
  std::size_t at = std::string::npos;  // where the family's name starts in the text
  std::size_t length = 0;              // how many characters the name takes there
  char suffix = 0;                     // the letter after the size that completes the name ("HE 200 B")
};

// A number of the designation and the part of the text it came from (for messages).
struct WrittenNumber {
  bool written = false;
  double value = 0;
  std::string text;
};

// A cover plate ("+2PL200*10", "X2PL200X10") or web plates ("+WPL200*8"), sizes in mm as written.
struct WrittenPlate {
  bool written = false;
  int count = 0;  // the number written before "PL" or "WPL"; 0 when none
  double first = 0, second = 0;
  bool complete = false;  // both sizes written
  std::string text;
};

struct WrittenDesignation {
  ShapeName shape;
  int count = 0;        // profiles written before the name; 0 when none
  WrittenNumber size;   // the number after the family code, as written
  std::size_t sizeBegin = std::string::npos, sizeEnd = std::string::npos;  // where it stands
  std::string sizeText;      // name and size as written ("IPE3", "L55")
  WrittenNumber otherLeg;    // angle: the second leg of L100*100*10
  WrittenNumber thickness;   // angle: the leg thickness after "*" (same unit as the leg)
  WrittenNumber height;      // half profile: h' after "-" (mm)
  std::vector<double> dims;  // parametric families: the numbers in order (mm)
  std::string dimsText;
  std::string arrangement;  // "<>", "][", "[]" or ""
  WrittenPlate cover, web;
  WrittenNumber spacing;  // "d=" / "e=" (BOX: "D="), in the input's length unit
  WrittenNumber dpl;      // "DPL=", in the designation's own length sense (see WebPlateDistance)
  std::string base;       // count, name, size (and thickness or h') as written
  std::string baseText;   // the same with the blanks that follow it (CurrentSection::BaseText)
};

// Reads the whole designation. Parts that do not belong to the family, repeated parts and
// characters no part takes are reported in notes as errors quoting the part; nothing is
// reported for a text that names no family (the caller says so in one message).
WrittenDesignation ReadDesignation(std::string_view text, const FamilyTable& families, SectionNotes& notes);

// The family the text names and where (ReadDesignation's answer, without its notes).
ShapeName ShapeOf(std::string_view text, const FamilyTable& families);

// The leading number after the family code (the profile size as written).
double SizeAfter(std::string_view text, std::size_t nameAt, std::size_t codeLength);

// The spacing of a doubled or tripled profile in cm, 0 when none is written: the written value
// times the length factor. In a centimetre input a value above 100 is millimetres; any other
// value above 1 m is reported as an error (and 0 returned, the assembly's default spacing).
double SpacingCm(const WrittenDesignation& w, double lengthFactor, SectionNotes& notes);

// The distance between web plates in cm, 0 when none is written. It is a length of the
// designation itself, like the plate sizes, whatever the input's unit: centimetres, with
// millimetres (100 and above) and metres (below 1) told apart by their size.
double WebPlateDistance(const WrittenDesignation& w, SectionNotes& notes);

// A part of the designation as it is shown in a message: printable, at most 40 characters.
std::string ShownPart(std::string_view part);

// A number as designations write it: the shortest decimal text, no exponent, after clearing
// binary noise below 15 significant digits, so the text reads back as the value it was
// written from (0.1 + 0.2 gives "0.3", never 0.30000000000000004).
std::string NumberText(double value);
// A centimetre value written in millimetres by the same rule (20 gives "200", 0.09 gives "0.9").
std::string MmText(double cm);

}  // namespace tavo
