// Plate formulas against the exact rectangle integrator. The bytes choose a family, a spelling
// and the numbers of a designation within sane ranges (webs thinner than flanges are wide,
// walls thinner than half the diameter, spacings where the reader takes them), so every input
// is a designation the reader accepts; an error in its answer is a fault too.
//   PG, CROSS, BOX: A, I1, I2, S1, S2 against the integrator over the section's plates.
//   TUBE: the same five against the closed form of a ring, written differently from the
//     program's, scaled by the program's own π (3.14159, which the formulas have always used).
//   Rolled I, half and castellated profiles with cover and web plates: the profile is its
//     catalogue record, not rectangles (root fillets, sloping flanges), so the profile is read
//     once without plates and the plates' contribution is held to the integrator: the plated
//     A, I1, I2 are the plain ones plus the plates', and S1, S2 divide them by the farthest
//     fibre of the profiles' outline and the plates.
// Relative tolerance 1e-9 (absolute below 1).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "core/messages.h"
#include "section_input.h"
#include "sections/designation_parts.h"
#include "sections/parametric_sections.h"
#include "support/rectangle_integrator.h"

namespace {

using tavo::test::Rect;

// A violated property names the designation and what differs before it aborts.
void Require(bool holds, const std::string& designation, const std::string& what) {
  if (holds) return;
  std::fprintf(stderr, "\n%s: %s\n", designation.c_str(), what.c_str());
  std::abort();
}

void RequireSame(double program, double reference, const std::string& designation, const char* name) {
  const bool same = std::fabs(program - reference) <= 1e-9 * std::max({1.0, std::fabs(program), std::fabs(reference)});
  Require(same, designation, std::string(name) + " " + std::to_string(program) + " against " + std::to_string(reference));
}

// The fuzz bytes as a stream; past the end every byte is 0, so any input makes a designation.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  double Fraction() {  // [0, 1] in 65 536 steps
    const unsigned high = Byte();
    return (high * 256 + Byte()) / 65535.0;
  }
  bool Bit() { return Byte() & 1; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A number as the designation writes it, and the value the reader takes from that text.
struct Number {
  std::string text;
  double value = 0;
};

// A number in [lo, hi] written with `decimals` places (0 to 6), in plain decimals.
Number Pick(Bytes& bytes, double lo, double hi, int decimals) {
  long long scale = 1;
  for (int k = 0; k < decimals; ++k) scale *= 10;
  const long long units = std::llround((lo + bytes.Fraction() * (hi - lo)) * static_cast<double>(scale));
  std::string text = std::to_string(units / scale);
  if (decimals > 0) {
    std::string fraction = std::to_string(units % scale);
    text += "." + std::string(static_cast<size_t>(decimals) - fraction.size(), '0') + fraction;
  }
  return {text, std::strtod(text.c_str(), nullptr)};
}

// What a designation is held to.
struct Expected {
  double A = 0, I1 = 0, I2 = 0, S1 = 0, S2 = 0;
};

Expected OfRectangles(const std::vector<Rect>& rects) {
  const auto p = tavo::test::Integrate(rects);
  return {p.A, p.Ix, p.Iy, p.Ix / tavo::test::ExtremeY(rects), p.Iy / tavo::test::ExtremeX(rects)};
}

void RequireProperties(const tavo::Section& s, const Expected& e) {
  const std::string& text = s.cs.designation;
  RequireSame(s.props.A, e.A, text, "A");
  RequireSame(s.props.I1, e.I1, text, "I1");
  RequireSame(s.props.I2, e.I2, text, "I2");
  RequireSame(s.props.S1, e.S1, text, "S1");
  RequireSame(s.props.S2, e.S2, text, "S2");
}

tavo::Section Accepted(const std::string& designation, const tavo::SectionInput& input) {
  tavo::Section s = tavo::ComputeSection(designation, input);
  Require(s.recognised && s.usable && !tavo::HasError(s.diagnostics), designation, "not accepted: " + s.problem);
  return s;
}

// The ways a list of numbers may be separated; one is used throughout a designation.
const char* const kSeparators[] = {"*", "X", "x", " * ", ",", " x ", "*", "X"};

std::string Listed(const std::vector<Number>& numbers, const char* separator) {
  std::string s;
  for (const Number& n : numbers) s += (s.empty() ? "" : separator) + n.text;
  return s;
}

// The data's length unit, for the spacings written in it: its name, and the decimals a
// centimetre value needs in it.
struct LengthUnit {
  const char* units;
  int decimals;
};
const LengthUnit kUnits[] = {{"UNITS=[kg]-[cm]", 2}, {"UNITS=[kg]-[m]", 4}, {"UNITS=[ton]-[mm]", 1}};

// A spacing between lo and hi cm written in the input's unit; value in cm as the reader gets it.
Number Spacing(Bytes& bytes, double lo, double hi, const tavo::SectionInput& input, int decimals) {
  const double factor = input.dataUnits.lengthFactor;
  Number n = Pick(bytes, lo / factor, hi / factor, decimals);
  n.value *= factor;
  return n;
}

void PlateGirder(Bytes& bytes, const tavo::SectionInput& input, const char* separator, int decimals) {
  const Number hw = Pick(bytes, 100, 3000, decimals), tw = Pick(bytes, 3, 40, decimals);
  const Number bf1 = Pick(bytes, 50, 1000, decimals), tf1 = Pick(bytes, 3, 100, decimals);
  std::vector<Number> numbers = {hw, tw, bf1, tf1};
  Number bf2 = bf1, tf2 = tf1;
  switch (bytes.Byte() % 3) {
    case 0:
      break;  // flange 2 as flange 1
    case 1:
      bf2 = Pick(bytes, 50, 1000, decimals), tf2 = Pick(bytes, 3, 100, decimals);
      numbers.insert(numbers.end(), {bf2, tf2});
      break;
    default:
      bf2 = tf2 = {"0", 0};  // a tee
      numbers.insert(numbers.end(), {bf2, tf2});
  }
  const std::string text = std::string("PG") + (bytes.Bit() ? " " : "") + Listed(numbers, separator);
  // In cm, as the reader divides the millimetres; flange 2 below, the web, flange 1 on top.
  const double h = hw.value / 10, t = tw.value / 10, b1 = bf1.value / 10, t1 = tf1.value / 10;
  const double b2 = bf2.value / 10, t2 = tf2.value / 10;
  const double mid = (t2 + h + t1) / 2;
  std::vector<Rect> rects = {{-t / 2, t2 - mid, t, h}, {-b1 / 2, t2 + h - mid, b1, t1}};
  if (b2 > 0) rects.push_back({-b2 / 2, -mid, b2, t2});
  RequireProperties(Accepted(text, input), OfRectangles(rects));
}

void Cross(Bytes& bytes, const tavo::SectionInput& input, const char* separator, int decimals) {
  const Number h1 = Pick(bytes, 100, 1500, decimals), h2 = Pick(bytes, 100, 1500, decimals);
  const Number tw = Pick(bytes, 3, 40, decimals);
  const Number bf1 = Pick(bytes, 50, 800, decimals), tf1 = Pick(bytes, 3, 80, decimals);
  std::vector<Number> numbers = {h1, h2, tw, bf1, tf1};
  Number bf2 = bf1, tf2 = tf1;
  if (bytes.Bit()) {
    bf2 = Pick(bytes, 50, 800, decimals), tf2 = Pick(bytes, 3, 80, decimals);
    numbers.insert(numbers.end(), {bf2, tf2});
  }
  const std::string text = std::string("CROSS") + (bytes.Bit() ? " " : "") + Listed(numbers, separator);
  const double a = h1.value / 10, c = h2.value / 10, t = tw.value / 10;
  const double b1 = bf1.value / 10, t1 = tf1.value / 10, b2 = bf2.value / 10, t2 = tf2.value / 10;
  // Web 1 upright with its flanges across the top and bottom, web 2 across with its flanges
  // upright at its ends; the square where the webs cross is in both, as the formulas count it.
  const std::vector<Rect> rects = {{-t / 2, -a / 2, t, a},       {-c / 2, -t / 2, c, t},
                                   {-b1 / 2, a / 2, b1, t1},     {-b1 / 2, -a / 2 - t1, b1, t1},
                                   {c / 2, -b2 / 2, t2, b2},     {-c / 2 - t2, -b2 / 2, t2, b2}};
  RequireProperties(Accepted(text, input), OfRectangles(rects));
}

void Box(Bytes& bytes, const tavo::SectionInput& input, const char* separator, int decimals, int spacingDecimals) {
  const Number hw = Pick(bytes, 100, 2000, decimals), tw = Pick(bytes, 3, 40, decimals);
  const Number bf = Pick(bytes, 100, 1500, decimals), tf = Pick(bytes, 3, 80, decimals);
  std::string text = std::string("BOX") + (bytes.Bit() ? " " : "") + Listed({hw, tw, bf, tf}, separator);
  const double h = hw.value / 10, t = tw.value / 10, b = bf.value / 10, f = tf.value / 10;
  double d = b - t;  // webs under the flange edges
  if (bytes.Bit()) {
    // Webs anywhere from touching to nearly clear of the flanges.
    const Number spacing = Spacing(bytes, t + 0.05 * b, t + 0.95 * b, input, spacingDecimals);
    d = spacing.value;
    text += bytes.Bit() ? "  (D=" + spacing.text + ")" : " D = " + spacing.text;
  }
  const std::vector<Rect> rects = {{-d / 2 - t / 2, -h / 2, t, h},
                                   {d / 2 - t / 2, -h / 2, t, h},
                                   {-b / 2, h / 2, b, f},
                                   {-b / 2, -h / 2 - f, b, f}};
  RequireProperties(Accepted(text, input), OfRectangles(rects));
}

void Tube(Bytes& bytes, const tavo::SectionInput& input, const char* separator, int decimals) {
  const Number D = Pick(bytes, 20, 2500, decimals);
  const Number t = Pick(bytes, 1, 0.45 * D.value, decimals);
  const std::string text = std::string("TUBE") + (bytes.Bit() ? " " : "") + Listed({D, t}, separator);
  const double outer = D.value / 10, wall = t.value / 10, inner = outer - 2 * wall;
  // The ring as π t (D − t) and π (D² + d²)(D + d)(D − d) / 64, in the program's π.
  const double pi = tavo::kPi;
  const double A = pi * wall * (outer - wall);
  const double I = pi * (outer * outer + inner * inner) * (outer + inner) * (2 * wall) / 64;
  RequireProperties(Accepted(text, input), {A, I, I, I / (outer / 2), I / (outer / 2)});
}

// The rolled families that take cover and web plates, and how each may be named: the
// family's own code, or "HE..B" style names for the wide-flange series.
struct RolledName {
  const char* code;  // catalogue file
  const char* written;
  char suffix;  // "HE 300 B": the letter after the size
};
const RolledName kRolled[] = {{"IPE", "IPE", 0},   {"INP", "INP", 0},    {"IPB", "IPB", 0},   {"IPB", "HEB", 0},
                              {"IPB", "HE ", 'B'}, {"IPBL", "IPBL", 0},  {"IPBL", "HEA", 0},  {"IPBL", "HE ", 'A'},
                              {"IPBV", "HEM", 0},  {"IPBV", "HE ", 'M'}, {"HPE", "HPE", 0},   {"HNP", "HNP", 0},
                              {"HPB", "HPB", 0},   {"CPE", "CPE", 0},    {"CNP", "CNP", 0},   {"CPB", "CPB", 0}};

void PlatedRolled(Bytes& bytes, const tavo::SectionInput& input, const char* separator, int decimals,
                  int spacingDecimals) {
  const RolledName& name = kRolled[bytes.Byte() % std::size(kRolled)];
  const auto& records = tavo::fuzz::ShippedCatalogue().Family(name.code).records;
  Require(!records.empty(), name.code, "no catalogue records");
  const auto& record = records[bytes.Byte() % records.size()];
  const int count = 1 + bytes.Byte() % 3;
  std::string base = (count > 1 ? std::to_string(count) : "") + name.written + tavo::MmText(record[0]);
  if (name.suffix != 0) base += std::string(" ") + name.suffix;
  if (name.code[0] == 'H' && bytes.Bit()) {
    // A half profile put back together higher than its parent.
    const double parent = record[0] * 10;
    base += "-" + Pick(bytes, parent, 2 * parent, 0).text;
  }
  if (count > 1 && bytes.Bit()) {
    // The flange width follows the height, and the nominal size where the family keys by it.
    const double b = record[tavo::StandardFamily(name.code)->nominalKey ? 2 : 1];
    base += "  (d=" + Spacing(bytes, b, std::min(3 * b, 99.0), input, spacingDecimals).text + ")";
  }
  const tavo::Section plain = Accepted(base, input);
  const tavo::CurrentSection& cs = plain.cs;
  const double h = cs.h, b = cs.b, d = cs.d, spread = (count - 1) * d;

  // The profiles' outline: count profiles h high and b wide, d apart, centred.
  std::vector<Rect> outline;
  for (int k = 0; k < count; ++k) outline.push_back({-spread / 2 + k * d - b / 2, -h / 2, b, h});
  std::vector<Rect> plates;
  std::string text = base;
  // A plate's two sizes are joined by "*" or "X" only.
  const std::string times = std::string(separator).find(',') == std::string::npos ? separator : "*";
  const uint8_t which = bytes.Byte();
  const bool cover = (which & 3) != 2, web = (which & 3) != 1;
  if (cover) {
    const Number width = Pick(bytes, 50, std::max(60.0, 15 * (b + spread)), decimals);
    const Number thickness = Pick(bytes, 2, std::max(3.0, 30 * cs.tf), decimals);
    // "X2PL" right after a name's closing letter ("HE 300 BX2PL") would make it a word.
    const char* const marks[] = {"+2PL", " + 2PL ", "+PL", name.suffix != 0 ? " X2PL" : "X2PL"};
    text += marks[(which >> 2) & 3] + width.text + times + thickness.text;
    const double w = width.value / 10, t = thickness.value / 10;
    plates.insert(plates.end(), {{-w / 2, h / 2, w, t}, {-w / 2, -h / 2 - t, w, t}});
  }
  if (web) {
    const Number height = Pick(bytes, 20, std::max(30.0, 10 * (h - 2 * cs.tf)), decimals);
    const Number thickness = Pick(bytes, 2, 30, decimals);
    const char* const marks[] = {"+2WPL", " + WPL ", "+WPL", " +2WPL"};
    text += marks[(which >> 4) & 3] + height.text + times + thickness.text;
    const double wb = height.value / 10, wt = thickness.value / 10;
    double dpl = spread + cs.tw + wt;  // the plates against the outer webs
    const double farthest = std::min(spread + b + wt, 99.0);
    if ((which & 64) && farthest > dpl) {
      // Written in cm, in mm from 10 cm on when asked, in metres below 1 cm.
      Number place = Pick(bytes, dpl, farthest, 3);
      if (place.value < 1) {
        place = Pick(bytes, dpl / 100, std::min(farthest, 0.999) / 100, 6);
        place.value *= 100;
      } else if ((which & 128) && place.value >= 10) {
        place = Pick(bytes, std::max(dpl, 10.0) * 10, farthest * 10, 2);
        place.value /= 10;
      }
      dpl = place.value;
      text += bytes.Bit() ? "  DPL=" + place.text : " (DPL = " + place.text + ")";
    }
    plates.insert(plates.end(), {{-dpl / 2 - wt / 2, -wb / 2, wt, wb}, {dpl / 2 - wt / 2, -wb / 2, wt, wb}});
  }
  const tavo::Section plated = Accepted(text, input);
  const auto added = tavo::test::Integrate(plates);
  std::vector<Rect> all = outline;
  all.insert(all.end(), plates.begin(), plates.end());
  Expected e;
  e.A = plain.props.A + added.A;
  e.I1 = plain.props.I1 + added.Ix;
  e.I2 = plain.props.I2 + added.Iy;
  e.S1 = e.I1 / tavo::test::ExtremeY(all);
  e.S2 = e.I2 / tavo::test::ExtremeX(all);
  RequireProperties(plated, e);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes bytes(data, size);
  const uint8_t family = bytes.Byte(), style = bytes.Byte();
  tavo::NullMessages messages;
  tavo::SectionInput input = tavo::fuzz::InputOfOptions(0, &messages);
  const LengthUnit& unit = kUnits[(style >> 5) % 3];
  input.dataUnits = tavo::UnitFactors(unit.units);
  const char* separator = kSeparators[style & 7];
  const int decimals = (style >> 3) & 3;
  switch (family % 5) {
    case 0:
      PlateGirder(bytes, input, separator, decimals);
      break;
    case 1:
      Cross(bytes, input, separator, decimals);
      break;
    case 2:
      Box(bytes, input, separator, decimals, unit.decimals);
      break;
    case 3:
      Tube(bytes, input, separator, decimals);
      break;
    default:
      PlatedRolled(bytes, input, separator, decimals, unit.decimals);
  }
  return 0;
}
