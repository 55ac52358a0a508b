#include "sections/designation_parts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/text_util.h"
#include "core/units.h"

namespace tavo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// "*" and "X" both read "times"; a comma separates only in a list that uses nothing else.
bool IsTimes(char c) { return c == '*' || c == 'X'; }

// Walks the text; a part that is recognised marks its characters as used.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : t_(text), used_(text.size(), false) {}

  std::size_t pos() const { return i_; }
  void Seek(std::size_t p) { i_ = std::min(p, t_.size()); }
  bool AtEnd() const { return i_ >= t_.size(); }
  char Peek(std::size_t ahead = 0) const { return i_ + ahead < t_.size() ? t_[i_ + ahead] : '\0'; }
  char Before() const { return i_ > 0 && i_ <= t_.size() ? t_[i_ - 1] : ' '; }
  void Blanks() {
    while (i_ < t_.size() && IsBlank(t_[i_])) ++i_;
  }
  bool Looking(std::string_view lit) const { return t_.substr(i_).substr(0, lit.size()) == lit; }
  bool Skip(std::string_view lit) {
    if (!Looking(lit)) return false;
    i_ += lit.size();
    return true;
  }
  // A number: digits with an optional decimal point, after a sign where one may stand (a negative
  // plate or spacing is then said as such). No exponent: "E" is a key.
  bool Number(double& value, bool sign = true) {
    std::size_t j = i_;
    if (sign && j < t_.size() && (t_[j] == '-' || t_[j] == '+')) ++j;
    const std::size_t intStart = j;
    while (j < t_.size() && IsDigit(t_[j])) ++j;
    bool digits = j > intStart;
    if (j < t_.size() && t_[j] == '.') {
      std::size_t k = j + 1;
      while (k < t_.size() && IsDigit(t_[k])) ++k;
      if (digits || k > j + 1) digits = true, j = k;
    }
    if (!digits) return false;
    const std::string token(t_.substr(i_, j - i_));
    const double v = std::strtod(token.c_str(), nullptr);
    value = std::isfinite(v) ? v : 0.0;  // three hundred digits are no dimension either
    i_ = j;
    return true;
  }
  void Use(std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to && k < used_.size(); ++k) used_[k] = true;
  }
  std::string Part(std::size_t from, std::size_t to) const {
    return Trim(t_.substr(std::min(from, t_.size()), to > from ? to - from : 0));
  }
  // The runs of characters no part took; runs separated only by blanks are one part.
  std::vector<std::string> LeftOver() const {
    std::vector<std::string> parts;
    std::size_t k = 0;
    while (k < t_.size()) {
      if (used_[k] || IsBlank(t_[k])) {
        ++k;
        continue;
      }
      std::size_t end = k;
      std::size_t j = k;
      while (j < t_.size() && !used_[j]) {
        if (!IsBlank(t_[j])) end = j + 1;
        ++j;
      }
      parts.push_back(std::string(t_.substr(k, end - k)));
      k = j;
    }
    return parts;
  }

 private:
  std::string_view t_;
  std::vector<bool> used_;
  std::size_t i_ = 0;
};

// The letter that completes a name written around its size ("HE 200 B"): after blanks, the
// size, blanks, the letter, and no further letter.
bool SuffixFollows(std::string_view text, std::size_t p, char suffix) {
  while (p < text.size() && IsBlank(text[p])) ++p;
  const std::size_t digits = p;
  while (p < text.size() && (IsDigit(text[p]) || text[p] == '.')) ++p;
  if (p == digits) return false;
  while (p < text.size() && IsBlank(text[p])) ++p;
  return p < text.size() && text[p] == suffix && (p + 1 >= text.size() || text[p + 1] < 'A' || text[p + 1] > 'Z');
}

// The catalogue family whose name stands at p, the longest name first; an angle's "L" only
// when a number follows it.
ShapeName CodeAt(std::string_view text, std::size_t p, const FamilyTable& families) {
  ShapeName best;
  for (const SectionFamily* family : families) {
    if (!family->catalogue) continue;
    for (const FamilyName& name : family->names) {
      if (name.written.size() <= best.length || text.substr(p).substr(0, name.written.size()) != name.written) continue;
      if (family->angleSizes) {
        std::size_t q = p + name.written.size();
        while (q < text.size() && IsBlank(text[q])) ++q;
        if (!(q < text.size() && (IsDigit(text[q]) || (text[q] == '.' && q + 1 < text.size() && IsDigit(text[q + 1])))))
          continue;
      }
      if (name.suffix != 0 && !SuffixFollows(text, p + name.written.size(), name.suffix)) continue;
      best = {family, std::string(name.code), p, name.written.size(), name.suffix};
    }
  }
  return best;
}

// The first catalogue name anywhere in the text (angles excepted), for a text that does not
// start with one.
ShapeName CodeFurtherOn(std::string_view text, const FamilyTable& families) {
  ShapeName first;
  for (const SectionFamily* family : families) {
    if (!family->catalogue || family->angleSizes) continue;
    for (const FamilyName& name : family->names) {
      if (name.suffix != 0) continue;
      const auto at = text.find(name.written);
      if (at == std::string_view::npos) continue;
      if (first.family == nullptr || at < first.at || (at == first.at && name.written.size() > first.length))
        first = {family, std::string(name.code), at, name.written.size(), 0};
    }
  }
  return first;
}

// The numbers of a parametric family: "*" or "X" between them (mixed freely), or commas when
// the list uses nothing else, blanks allowed around each separator.
void ReadDimensions(Cursor& c, WrittenDesignation& w, const std::string& name, SectionNotes& notes) {
  const DimensionList& rule = w.shape.family->dimensions;
  c.Blanks();
  const std::size_t from = c.pos();
  std::size_t end = from;
  char kind = 0;  // 'x' for "*"/"X", ',' for commas
  double v = 0;
  if (c.Number(v)) {
    w.dims.push_back(v);
    end = c.pos();
    while (w.dims.size() < rule.most) {
      c.Blanks();
      const char sep = c.Peek();
      const char sepKind = IsTimes(sep) ? 'x' : sep == ',' ? ',' : 0;
      if (sepKind == 0 || (kind != 0 && sepKind != kind)) break;
      c.Seek(c.pos() + 1);
      c.Blanks();
      if (!c.Number(v)) break;
      kind = sepKind;
      w.dims.push_back(v);
      end = c.pos();
    }
  }
  c.Seek(end);
  c.Use(from, end);
  w.dimsText = c.Part(from, end);
  if (w.dims.size() < rule.fewest) {
    const std::string shown = ShownPart(name + " " + w.dimsText);
    const std::string n = std::to_string(w.dims.size());
    const std::string form(rule.form);
    notes.Add("\"" + shown + "\" gives " + n + " numbers; " + std::string(rule.english) + " is written " + form + " in mm",
              "\"" + shown + "\" فقط " + n + " عدد دارد؛ " + std::string(rule.persian) + " به صورت " + form +
                  " به میلیمتر نوشته می‌شود",
              shown);
  }
}

void Repeated(const std::string& part, const std::string& first, SectionNotes& notes) {
  const std::string p = ShownPart(part), f = ShownPart(first);
  notes.Add("\"" + p + "\" repeats a part already written (\"" + f + "\"); only one is read",
            "\"" + p + "\" بخشی را تکرار می‌کند که پیش‌تر نوشته شده است (\"" + f + "\")؛ فقط یکی خوانده می‌شود", p);
}

// "<>" for angles, "][" or "[]" for channels; anywhere after the size.
bool TakeArrangement(Cursor& c, WrittenDesignation& w, SectionNotes& notes) {
  std::string_view found;
  for (std::size_t k = 0; k + 1 < w.shape.family->arrangements.size() && found.empty(); k += 2)
    if (c.Looking(w.shape.family->arrangements.substr(k, 2))) found = w.shape.family->arrangements.substr(k, 2);
  if (found.empty()) return false;
  c.Use(c.pos(), c.pos() + 2);
  c.Seek(c.pos() + 2);
  if (w.arrangement.empty()) {
    w.arrangement = std::string(found);
  } else if (w.arrangement != found) {
    notes.Add("Two arrangements are written, \"" + w.arrangement + "\" and \"" + std::string(found) + "\"; \"" +
                  w.arrangement + "\" is used",
              "دو چیدمان نوشته شده است، \"" + w.arrangement + "\" و \"" + std::string(found) + "\"؛ \"" +
                  w.arrangement + "\" به کار رفت",
              std::string(found));
  }
  return true;
}

// "+2PL200*10", "+PL 200 X 10", "X2PL200X10" (I, H and castellated profiles), "+WPL200*8".
bool TakePlate(Cursor& c, WrittenDesignation& w, SectionNotes& notes) {
  const std::size_t from = c.pos();
  const bool timesMarker = w.shape.family->webPlates && c.Peek() == 'X';
  if (c.Peek() != '+' && !timesMarker) return false;
  c.Seek(from + 1);
  c.Blanks();
  int count = 0;
  bool counted = false;
  while (IsDigit(c.Peek())) {
    count = std::min(count * 10 + (c.Peek() - '0'), 1000);
    counted = true;
    c.Seek(c.pos() + 1);
  }
  c.Blanks();
  const bool web = w.shape.family->webPlates && c.Skip("WPL");
  if (!web && !c.Skip("PL")) {
    c.Seek(from);
    return false;
  }
  WrittenPlate plate;
  plate.written = true;
  plate.count = count;
  c.Blanks();
  std::size_t end = c.pos();
  if (c.Number(plate.first)) {
    end = c.pos();
    c.Blanks();
    if (IsTimes(c.Peek())) {
      c.Seek(c.pos() + 1);
      c.Blanks();
      if (c.Number(plate.second)) {
        plate.complete = true;
        end = c.pos();
      }
    }
  }
  c.Seek(end);
  c.Use(from, end);
  plate.text = c.Part(from, end);
  const std::string shown = ShownPart(plate.text);
  WrittenPlate& target = web ? w.web : w.cover;
  if (target.written) {
    Repeated(plate.text, target.text, notes);
    return true;
  }
  if (counted && count != 1 && count != 2) {
    notes.Add("\"" + shown + "\": plates are written \"+PL\" or \"+2PL\" (\"+WPL\" or \"+2WPL\" beside the web)",
              "\"" + shown + "\": ورق‌ها به صورت \"+PL\" یا \"+2PL\" (و کنار جان \"+WPL\" یا \"+2WPL\") نوشته می‌شوند",
              shown);
    return true;
  }
  if (!plate.complete) {
    notes.Add("\"" + shown + "\": a plate is written as width*thickness in mm, for example +2PL200*10",
              "\"" + shown + "\": ورق به صورت عرض*ضخامت به میلیمتر نوشته می‌شود، برای نمونه +2PL200*10", shown);
    return true;
  }
  target = plate;
  return true;
}

// "(d=12)", "d = 12", "(e=12)", "(DPL=25)", "DPL=25", BOX "(D=20)"; and the element's own
// length "L=..." (read by the element reader, passed over here).
bool TakeKey(Cursor& c, WrittenDesignation& w, SectionNotes& notes) {
  // A key starts a word: the "L=" at the end of "DPL=" is not the element's length.
  if (c.Before() >= 'A' && c.Before() <= 'Z') return false;
  const std::size_t from = c.pos();
  const bool paren = c.Skip("(");
  c.Blanks();
  enum { Spacing, Dpl, Length, None } key = None;
  const bool catalogue = w.shape.family->catalogue;
  if (w.shape.family->webPlates && c.Skip("DPL"))
    key = Dpl;
  else if ((catalogue || w.shape.family->spacingKeyD) && c.Skip("D"))
    key = Spacing;
  else if (catalogue && c.Skip("E"))
    key = Spacing;
  else if (!paren && c.Skip("L"))
    key = Length;
  c.Blanks();
  if (key == None || !c.Skip("=")) {
    c.Seek(from);
    return false;
  }
  c.Blanks();
  if (key == Length) {
    // Its number, or the word the element reader will say is no number.
    double length = 0;
    if (!c.Number(length))
      while (!c.AtEnd() && !IsBlank(c.Peek())) c.Seek(c.pos() + 1);
    c.Use(from, c.pos());
    return true;
  }
  WrittenNumber value;
  const bool number = c.Number(value.value);
  value.written = number;
  if (number && paren) {
    const std::size_t beforeBlanks = c.pos();
    c.Blanks();
    if (!c.Skip(")")) c.Seek(beforeBlanks);  // an unclosed parenthesis is still the same part
  }
  c.Use(from, c.pos());
  value.text = c.Part(from, c.pos());
  const std::string shown = ShownPart(value.text);
  if (!number) {
    notes.Add("\"" + shown + "\" gives no number", "\"" + shown + "\" عددی ندارد", shown);
    return true;
  }
  WrittenNumber& target = key == Dpl ? w.dpl : w.spacing;
  if (target.written)
    Repeated(value.text, target.text, notes);
  else
    target = value;
  return true;
}

// Count, name, size and what belongs to the size (angle thickness, half-profile height).
void ReadProfileName(Cursor& c, WrittenDesignation& w) {
  const ShapeName& shape = w.shape;
  c.Use(shape.at, shape.at + shape.length);
  c.Seek(shape.at + shape.length);
  c.Blanks();
  const std::size_t sizeFrom = c.pos();
  double v = 0;
  if (c.Number(v, false)) {  // "IPE +2PL..." has no size: the "+2" is the plate's
    w.size = {true, v, c.Part(shape.at, c.pos())};
    w.sizeBegin = sizeFrom;
    w.sizeEnd = c.pos();
    c.Use(sizeFrom, c.pos());
  } else {
    w.sizeBegin = w.sizeEnd = shape.at + shape.length;
  }
  if (w.size.written && shape.suffix != 0) {
    // "HE 200 B": the letter after the size belongs to the name.
    c.Blanks();
    c.Use(c.pos(), c.pos() + 1);
    c.Seek(c.pos() + 1);
  }
  w.sizeText = c.Part(shape.at, c.pos());
  if (!w.size.written) return;
  if (shape.family->angleSizes) {
    // L60*6, L100X10, L100*100*10: the thickness (and the second leg) in the leg's unit.
    double numbers[2];
    int n = 0;
    std::size_t end = c.pos();
    while (n < 2) {
      c.Blanks();
      if (!IsTimes(c.Peek())) break;
      c.Seek(c.pos() + 1);
      c.Blanks();
      if (!c.Number(numbers[n])) break;
      ++n;
      end = c.pos();
    }
    c.Seek(end);
    c.Use(w.sizeEnd, end);
    if (n == 1) w.thickness = {true, numbers[0], c.Part(shape.at, end)};
    if (n == 2) {
      w.otherLeg = {true, numbers[0], c.Part(shape.at, end)};
      w.thickness = {true, numbers[1], c.Part(shape.at, end)};
    }
  } else if (shape.family->halfProfile) {
    // HPE300-400: the height of the two tees with their web insert.
    const std::size_t from = c.pos();
    c.Blanks();
    if (c.Skip("-")) {
      c.Blanks();
      double h = 0;
      if (c.Number(h)) {
        w.height = {true, h, c.Part(shape.at, c.pos())};
        c.Use(from, c.pos());
      } else {
        c.Seek(from);
      }
    } else {
      c.Seek(from);
    }
  }
}

// The base as the base text has always been cut: with the blanks that follow it.
std::string BaseWithBlanks(std::string_view text, std::size_t from, std::size_t to) {
  while (to < text.size() && IsBlank(text[to])) ++to;
  return std::string(text.substr(from, to - from));
}

// The tokenizer: the family's name and base, then its parts, then what no part took.
WrittenDesignation ReadParts(std::string_view designation, const FamilyTable& families, SectionNotes& notes) {
  // Upper-cased byte for byte, so every position found here is a position in the caller's text.
  const std::string upper = ToUpper(designation);
  const std::string_view text = upper;
  WrittenDesignation w;
  Cursor c(text);
  c.Blanks();
  const std::size_t start = c.pos();
  for (const SectionFamily* family : families) {
    if (family->catalogue || w.shape.family != nullptr) continue;
    for (const FamilyName& name : family->names) {
      if (!c.Looking(name.written)) continue;
      w.shape = {family, "", start, name.written.size(), 0};
      c.Use(start, start + name.written.size());
      c.Seek(start + name.written.size());
      ReadDimensions(c, w, std::string(name.written), notes);
      w.base = c.Part(start, c.pos());
      w.baseText = BaseWithBlanks(text, start, c.pos());
      break;
    }
  }

  if (w.shape.family == nullptr) {
    // A count, blanks allowed after it, then the family's name.
    std::size_t p = start;
    int count = 0;
    while (p < text.size() && IsDigit(text[p])) count = std::min(count * 10 + (text[p++] - '0'), 1000);
    const bool counted = p > start;
    std::size_t q = p;
    while (q < text.size() && IsBlank(text[q])) ++q;
    w.shape = CodeAt(text, q, families);
    if (w.shape.family != nullptr) {
      c.Use(start, p);
      w.count = counted ? count : 0;
      if (counted && count == 0)
        notes.Add("A count of 0 profiles is written before " + w.shape.code,
                  "تعداد 0 پروفیل پیش از " + w.shape.code + " نوشته شده است", ShownPart(text.substr(start, q + 1 - start)));
    } else {
      // The name further on: what stands before it is reported as not understood.
      w.shape = CodeFurtherOn(text, families);
    }
    if (w.shape.family == nullptr) return w;
    ReadProfileName(c, w);
    const std::size_t baseFrom = w.shape.at == q ? start : w.shape.at;
    w.base = c.Part(baseFrom, c.pos());
    w.baseText = BaseWithBlanks(text, baseFrom, c.pos());
  }

  // The parts after the base, in any order; a character no part takes is stepped over.
  while (true) {
    c.Blanks();
    if (c.AtEnd()) break;
    if (w.shape.family->catalogue && (TakeArrangement(c, w, notes) || TakePlate(c, w, notes))) continue;
    if (TakeKey(c, w, notes)) continue;
    c.Seek(c.pos() + 1);
  }

  const std::vector<std::string> left = c.LeftOver();
  for (std::size_t k = 0; k < left.size() && k < 8; ++k) {  // more than the caller shows
    const std::string shown = ShownPart(left[k]);
    notes.Add("\"" + shown + "\" in the designation is not understood",
              "\"" + shown + "\" در مشخصه مقطع فهمیده نشد", shown);
  }
  return w;
}

}  // namespace

WrittenDesignation ReadDesignation(std::string_view designation, const FamilyTable& families, SectionNotes& notes) {
  // A few quoted parts show what went wrong; a text of nothing but faults is not repeated back.
  constexpr std::size_t kShown = 4;
  SectionNotes own;
  const WrittenDesignation w = ReadParts(designation, families, own);
  const Diagnostics& items = own.Items();
  for (std::size_t k = 0; k < items.size() && k < kShown; ++k) notes.Append(items[k]);
  if (items.size() > kShown)
    notes.Add("More parts of the designation are not understood or repeated",
              "بخش‌های دیگری از مشخصه مقطع نیز فهمیده نشد یا تکراری است");
  return w;
}


ShapeName ShapeOf(std::string_view text, const FamilyTable& families) {
  SectionNotes ignored;
  return ReadDesignation(text, families, ignored).shape;
}

double SizeAfter(std::string_view text, std::size_t nameAt, std::size_t codeLength) {
  if (nameAt == std::string::npos || nameAt + codeLength > text.size()) return 0;
  return NumericValue(text.substr(nameAt + codeLength));
}

double SpacingCm(const WrittenDesignation& w, double lengthFactor, SectionNotes& notes) {
  if (!w.spacing.written) return 0;
  const std::string shown = ShownPart(w.spacing.text);
  const double v = w.spacing.value;
  if (v < 0) {
    notes.Add("The spacing \"" + shown + "\" is negative", "فاصله \"" + shown + "\" منفی است", shown);
    return 0;
  }
  double d = v * lengthFactor;
  if (d > 100) {
    if (lengthFactor == 1 && d / 10 <= 100) {
      // A centimetre input with a spacing above a metre: millimetres, as the spacing has always been read.
      d /= 10;
      notes.AddWarning("The spacing \"" + shown + "\" is read as millimetres: " + ShortestText(d) + " cm",
                       "فاصله \"" + shown + "\" به میلیمتر خوانده شد: " + ShortestText(d) + " سانتیمتر", shown);
    } else {
      const std::string cm = ShortestText(RoundTo(d, 2));
      notes.Add("The spacing \"" + shown + "\" is " + cm + " cm in the input's length unit, more than 1 m",
                "فاصله \"" + shown + "\" با واحد طول فایل ورودی " + cm + " سانتیمتر است، بیش از 1 متر", shown);
      return 0;
    }
  }
  return d;
}

double WebPlateDistance(const WrittenDesignation& w, SectionNotes& notes) {
  if (!w.dpl.written) return 0;
  const std::string shown = ShownPart(w.dpl.text);
  double v = w.dpl.value;
  if (v < 0) {
    notes.Add("The web-plate distance \"" + shown + "\" is negative", "فاصله ورق‌های جان \"" + shown + "\" منفی است",
              shown);
    return 0;
  }
  if (v >= 100)
    v /= 10;  // millimetres (a metre between web plates is no section: 100 is 100 mm)
  else if (v > 0 && v < 1)
    v *= 100;  // metres
  if (v > 100) {
    notes.Add("The web-plate distance \"" + shown + "\" is more than 1 m (it is read in cm, or mm from 100 up)",
              "فاصله ورق‌های جان \"" + shown + "\" بیش از 1 متر است (به سانتیمتر، و از 100 به بالا به میلیمتر خوانده می‌شود)",
              shown);
    return 0;
  }
  return v;
}

std::string ShownPart(std::string_view part) {
  std::string s;
  for (const char ch : part.substr(0, 40)) s += (ch >= 32 && ch < 127) ? ch : '?';
  if (part.size() > 40) s += "...";
  return Trim(s);
}

std::string NumberText(double value) {
  if (!std::isfinite(value)) return "0";
  char buf[40];
  // "%.15g" (to_chars with a precision is printf's conversion, without its cost).
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
  // Without an exponent, %.15g already is the shortest text of the cleaned value.
  if (text.find_first_of("eE") == std::string_view::npos) return text == "-0" ? "0" : std::string(text);
  return Trim(ShortestText(std::strtod(std::string(text).c_str(), nullptr)));
}

std::string MmText(double cm) { return NumberText(cm * 10.0); }

}  // namespace tavo
