#include "core/units.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "core/messages.h"
#include "core/text_util.h"
#include "core/core_texts.h"
#include "core/language.h"
#include "core/text_helpers.h"

namespace tavo {

namespace {
size_t FindFrom(const std::string& s, std::string_view what, size_t from) {
  return from > s.size() ? std::string::npos : s.find(what, from);
}
}  // namespace

UnitNames ParseUnitsText(std::string_view textIn, Messages* messages) {
  std::string text(textIn);
  if (ToLower(text).find("units=") == std::string::npos) text = "UNITS=" + text;
  const std::string lower = ToLower(text);
  const size_t p = lower.find("units=");
  UnitNames names;
  const size_t open = FindFrom(text, "[", p);
  const size_t close = text.find(']', open == std::string::npos ? p : open + 1);
  if (open == std::string::npos && close == std::string::npos) {
    // The plain form: units=force-length, cut at the next blank.
    const std::string rest = text.substr(p + 6);
    const auto dash = rest.find('-');
    if (dash != std::string::npos) {
      names.force = Trim(rest.substr(0, dash));
      std::string len = rest.substr(dash + 1);
      names.length = Trim(len.substr(0, len.find(' ')));
    }
    if (names.force.empty()) names.force = "kg";
    if (names.length.empty()) names.length = "cm";
  } else if (open == std::string::npos || close == std::string::npos || close < open) {
    if (messages)
      messages->Show("Unexpected error occured! (Units_SF_SL)", "", MessageKind::Error, false);
    names = UnitNames{};
    names.ok = false;
    return names;
  } else {
    names.force = Trim(text.substr(open + 1, close - open - 1));
    const size_t open2 = FindFrom(text, "[", close + 1);
    const size_t close2 = open2 == std::string::npos ? std::string::npos : text.find(']', open2 + 1);
    if (open2 != std::string::npos && close2 != std::string::npos)
      names.length = Trim(text.substr(open2 + 1, close2 - open2 - 1));
    else
      names.length = "cm";
  }
  if (ToLower(names.force) == "kgf") names.force = "kg";
  return names;
}

namespace {
bool KnownForce(std::string_view name) {
  const std::string n = ToUpper(name);
  return n == "KG" || n == "KGF" || n == "TON" || n == "N" || n == "KN" || n == "LB" || n == "KIP";
}
bool KnownLength(std::string_view name) {
  const std::string n = ToUpper(name);
  return n == "CM" || n == "M" || n == "MM" || n == "FT" || n == "IN";
}
}  // namespace

UnitsTextCheck CheckUnitsText(std::string_view unitText) {
  const std::string text = Trim(unitText);
  UnitsTextCheck c;
  std::string force, length;
  if (text.find_first_of("[]") == std::string::npos) {
    // The plain form force-length.
    const auto dash = text.find('-');
    if (dash != std::string::npos) {
      force = Trim(text.substr(0, dash));
      length = Trim(text.substr(dash + 1));
    }
  } else {
    // "[" force "]" "-" "[" length "]" and nothing else.
    const auto o1 = text.find('['), c1 = text.find(']');
    const auto o2 = c1 == std::string::npos ? std::string::npos : text.find('[', c1);
    const auto c2 = o2 == std::string::npos ? std::string::npos : text.find(']', o2);
    const bool shaped = o1 == 0 && c1 != std::string::npos && c1 > o1 && o2 != std::string::npos &&
                        c2 != std::string::npos && c2 + 1 == text.size() &&
                        Trim(text.substr(c1 + 1, o2 - c1 - 1)) == "-" &&
                        text.find_first_of("[]", o1 + 1) == c1 && text.find_first_of("[]", o2 + 1) == c2;
    if (!shaped) {
      c.ok = false;
      std::tie(c.english, c.persian) = FillHalves(texts::kUnitsMisshaped, {{"text", text}});
      return c;
    }
    force = Trim(text.substr(o1 + 1, c1 - o1 - 1));
    length = Trim(text.substr(o2 + 1, c2 - o2 - 1));
  }
  if (force.empty() || length.empty()) {
    c.ok = false;
    std::tie(c.english, c.persian) = FillHalves(texts::kUnitsIncomplete, {{"text", text}});
  } else if (!KnownForce(force)) {
    c.ok = false;
    std::tie(c.english, c.persian) = FillHalves(texts::kUnknownForceUnit, {{"force", force}, {"text", text}});
  } else if (!KnownLength(length)) {
    c.ok = false;
    std::tie(c.english, c.persian) = FillHalves(texts::kUnknownLengthUnit, {{"length", length}, {"text", text}});
  }
  return c;
}

namespace {
constexpr double kExactLimit = 9007199254740992.0;  // 2^53: whole numbers below it are exact

bool Whole(double v) { return std::isfinite(v) && std::fabs(v) < kExactLimit && v == std::floor(v); }

// Greatest common divisor of two whole numbers held in doubles; 1 when either is not whole.
double CommonDivisor(double a, double b) {
  if (!Whole(a) || !Whole(b) || a == 0 || b == 0) return 1.0;
  auto x = static_cast<long long>(std::fabs(a)), y = static_cast<long long>(std::fabs(b));
  while (y != 0) {
    const long long t = x % y;
    x = y;
    y = t;
  }
  return static_cast<double>(x);
}

// a/b x c/d with each numerator cancelled against the other denominator first, so the
// products stay whole and exact for every pair of units in the tables.
UnitRatio Times(double a, double b, double c, double d) {
  const double g1 = CommonDivisor(a, d), g2 = CommonDivisor(c, b);
  a /= g1, d /= g1, c /= g2, b /= g2;
  return UnitRatio{a * c, b * d};
}
}  // namespace

bool UnitRatio::Usable() const { return std::isfinite(num) && std::isfinite(den) && num != 0 && den != 0; }

UnitRatio operator*(const UnitRatio& a, const UnitRatio& b) { return Times(a.num, a.den, b.num, b.den); }
UnitRatio operator/(const UnitRatio& a, const UnitRatio& b) { return Times(a.num, a.den, b.den, b.num); }

UnitRatio ForceRatioOf(std::string_view name) {
  const std::string n = ToUpper(name);
  if (n == "KG" || n == "KGF") return {1, 1};
  if (n == "TON") return {1000, 1};
  if (n == "N") return {100, 981};  // 1/9.81
  if (n == "KN") return {100000, 981};
  if (n == "LB") return {567, 1250};  // 0.4536
  if (n == "KIP") return {2268, 5};   // 453.6
  return {1, 1};
}

UnitRatio LengthRatioOf(std::string_view name) {
  const std::string n = ToUpper(name);
  if (n == "CM") return {1, 1};
  if (n == "M") return {100, 1};
  if (n == "MM") return {1, 10};
  if (n == "FT") return {762, 25};  // 30.48
  if (n == "IN") return {127, 50};  // 2.54
  return {1, 1};
}

double ForceFactorOf(std::string_view name) { return ForceRatioOf(name).Value(); }
double LengthFactorOf(std::string_view name) { return LengthRatioOf(name).Value(); }

namespace {
UnitRatio RatioOf(const UnitRatio& named, double factor) {
  return named.Value() == factor ? named : UnitRatio{factor, 1.0};
}
}  // namespace

UnitRatio ForceRatio(const UnitSystem& u) { return RatioOf(ForceRatioOf(u.forceName), u.forceFactor); }
UnitRatio LengthRatio(const UnitSystem& u) { return RatioOf(LengthRatioOf(u.lengthName), u.lengthFactor); }

LetterRatio RatioOfLetter(std::string_view letter, const UnitRatio& f, const UnitRatio& l) {
  LetterRatio r;
  r.known = true;
  if (letter == "F") r.ratio = f;
  else if (letter == "L") r.ratio = l;
  else if (letter == "W") r.ratio = f / l;
  else if (letter == "A") r.ratio = l * l;
  else if (letter == "V") r.ratio = l * l * l;
  else if (letter == "I") r.ratio = l * l * l * l;
  else if (letter == "M") r.ratio = f * l;
  else if (letter == "S") r.ratio = f / (l * l);
  else if (letter == "D") r.ratio = f / (l * l * l);
  else if (letter.empty()) r.ratio = UnitRatio{};
  else r.known = false;
  return r;
}

UnitSystem UnitFactors(std::string_view text, Messages* messages) {
  UnitSystem u;
  if (ToUpper(text).find("UNITS=") == std::string::npos) return u;
  const UnitNames names = ParseUnitsText(text, messages);
  u.forceName = names.force;
  u.lengthName = names.length;
  u.forceFactor = ForceFactorOf(names.force);
  u.lengthFactor = LengthFactorOf(names.length);
  return u;
}

double ConvertToBase(double value, std::string_view letter, const UnitRatio& f, const UnitRatio& l,
                     Messages* messages) {
  // The letters a value is given in: W, A, V and I are never read in other units.
  const bool given = letter == "F" || letter == "L" || letter == "M" || letter == "S" || letter == "D";
  if (!given) {
    if (letter != "SVC" && messages)
      messages->Show("Warning! Unknown Units have been used! Error Code 2394726!", "", MessageKind::Warning, false);
    return RoundTo(value, 5);
  }
  return RoundTo(RatioOfLetter(letter, f, l).ratio.ToBase(value), 5);
}

double ConvertToBase(double value, std::string_view letter, double f, double l, Messages* messages) {
  return ConvertToBase(value, letter, UnitRatio{f, 1.0}, UnitRatio{l, 1.0}, messages);
}

double ConvertToBase(double value, std::string_view letter, const UnitSystem& units, Messages* messages) {
  return ConvertToBase(value, letter, ForceRatio(units), LengthRatio(units), messages);
}

std::string StressLabel(std::string_view force, std::string_view length) {
  if (length == "mm" && force == "N") return "MPa";
  if (length == "m" && force == "N") return "Pa";
  if (length == "in" && force == "Lb") return "psi";
  if (length == "in" && force == "kip") return "ksi";
  return std::string(force) + "/" + std::string(length) + "²";
}

UnitLabelResult UnitLabel(std::string_view letter, double reference, const UnitSystem& u) {
  const std::string& F = u.forceName;
  const std::string& L = u.lengthName;
  UnitLabelResult r;
  const LetterRatio lr = RatioOfLetter(letter, ForceRatio(u), LengthRatio(u));
  if (!lr.known) return r;
  r.known = true;
  r.ratio = lr.ratio;
  r.factor = lr.ratio.Value();
  if (letter == "F") r.label = F;
  else if (letter == "L") r.label = L;
  else if (letter == "W") r.label = F + "/" + L;
  else if (letter == "A") r.label = L + "²";
  else if (letter == "V") r.label = L + "³";
  else if (letter == "I") r.label = L + "4";
  else if (letter == "M") r.label = F + "." + L;
  else if (letter == "S") r.label = StressLabel(F, L);
  else if (letter == "D") r.label = F + "/" + L + "³";
  if ((letter == "F" || letter == "M" || letter == "S") && r.factor > 0 && reference != 0)
    AutoScale(letter, r, reference, u);
  return r;
}

void AutoScale(std::string_view letter, UnitLabelResult& r, double reference, const UnitSystem& u) {
  const double e = std::log10(std::fabs(reference / r.factor));
  // The steps are exact ratios too: a thousandth is 1/1000, not the double nearest 0.001.
  UnitRatio fs, ls;
  const UnitRatio thousandth{1, 1000}, thousand{1000, 1}, hundredth{1, 100}, hundred{100, 1};
  std::string force = u.forceName, length = u.lengthName;
  auto forceUp = [&] {
    if (force == "kg") force = "ton", fs = thousandth;
    else if (force == "N") force = "kN", fs = thousandth;
    else return false;
    return true;
  };
  auto forceDown = [&] {
    if (force == "ton") force = "kg", fs = thousand;
    else if (force == "kN") force = "N", fs = thousand;
  };
  auto lengthToMetre = [&] {
    if (length == "cm") length = "m", ls = hundredth;
    else if (length == "mm") length = "m", ls = thousandth;
  };
  auto metreToMillimetre = [&] {
    if (length == "m") { length = "mm", ls = thousand; return true; }
    return false;
  };
  if (letter == "F") {
    if (e > 4) forceUp();
    else if (e < -2) forceDown();
  } else if (letter == "M") {
    if (e > 6) {
      forceUp();
      lengthToMetre();
    } else if (e > 3) {
      if (!forceUp()) lengthToMetre();
    } else if (e < -2) {
      forceDown();
      if (length == "m") length = "cm", ls = hundred;
    }
  } else if (letter == "S") {
    if (e > 9) {
      forceUp();
      metreToMillimetre();
    } else if (e > 6) {
      if (force == "kg") force = "ton", fs = thousandth;
      else metreToMillimetre();
    } else if (e > 4) {
      if (force == "kg") {
        force = "ton", fs = thousandth;
      } else if (force == "N") {
        metreToMillimetre();
      } else if (metreToMillimetre()) {
        if (force == "kN") force = "N", fs = thousand;
      }
    } else if (e < -1) {
      forceDown();
    }
  }
  if (letter == "F") {
    r.ratio = r.ratio / fs;
    r.label = force;
  } else if (letter == "M") {
    r.ratio = r.ratio / (fs * ls);
    r.label = force + "." + length;
  } else {
    r.ratio = r.ratio * ls * ls / fs;
    r.label = StressLabel(force, length);
  }
  r.factor = r.ratio.Value();
}

double ToDisplay(double value, std::string_view letter, int digits, const UnitSystem& display) {
  const double v = UnitLabel(letter, 0, display).FromBase(value);
  return digits >= 1 ? RoundTo(v, digits) : v;
}

std::vector<std::string> UnitLabelSet(const UnitSystem& display) {
  std::vector<std::string> labels;
  for (const char* letter : {"F", "L", "A", "V", "W", "M", "S", "I"}) labels.push_back(UnitLabel(letter, 0, display).label);
  return labels;
}

double RoundToSignificant(double value, int digits) {
  if (value == 0 || !std::isfinite(value) || digits < 1) return value;
  const int decimals = digits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(value))));
  if (decimals >= 0) return RoundTo(value, std::min(decimals, 15));
  // Whole tens, hundreds, ...: divided and multiplied by an exact power of ten.
  const double step = std::pow(10.0, -decimals);
  return RoundTo(value / step, 0) * step;
}

double RoundTo(double value, int digits) {
  if (!std::isfinite(value)) return value;
  if (digits >= 0) {
    // Powers of ten up to 10^22 are exact doubles: a table gives what pow gives, without its cost.
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double p = digits <= 22 ? kPowers[digits] : std::pow(10.0, digits);
    const double x = value * p;
    if (!std::isfinite(x) || std::fabs(x) > 1e15) return value;
    const double fl = std::floor(x);
    const double frac = x - fl;
    // A decimal half that binary floating point stores a hair off still counts as a half.
    const double tol = 1e-11 * std::max(1.0, std::fabs(x));
    double r;
    if (std::fabs(frac - 0.5) <= tol)
      r = (std::fmod(fl, 2.0) == 0.0) ? fl : fl + 1.0;
    else
      r = std::round(x);
    return r / p;
  }
  const double lower10 = 10.0 * std::floor(value / 10.0);
  const double rest = value - lower10;
  if (digits == -1) {
    if (rest == 0) return value;
    return rest <= 5 ? lower10 + 5 : lower10 + 10;
  }
  if (digits == -2) {
    if (rest == 0) return value;
    return rest <= 5 ? lower10 : lower10 + 5;
  }
  if (digits == -3) {
    const double whole = std::floor(value);
    return value - whole > 0.05 ? whole + 1 : whole;
  }
  return value;
}

}  // namespace tavo
