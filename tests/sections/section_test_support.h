#pragma once
// What the section tests share: the exact rectangle integrator (the reference the plate
// formulas are held to), the rounding of published numbers, and a small catalogue with controlled values written into a scratch folder.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <string>
#include <vector>

#include "sections/profile_catalogue.h"
#include "families/family_table.h"
#include "sections/section_parser.h"
#include "support/rectangle_integrator.h"
#include "core/text_util.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace tavo::test {

// Half a unit in the last printed place of a published number. Trailing zeros of a whole
// number are not significant: the tables print 11770 for a value rounded to four digits.
inline double HalfUnit(const std::string& printed) {
  const auto point = printed.find('.');
  if (point != std::string::npos) return 0.5 * std::pow(10.0, -static_cast<int>(printed.size() - point - 1));
  int zeros = 0;
  for (auto it = printed.rbegin(); it != printed.rend() && *it == '0' && zeros + 1 < static_cast<int>(printed.size());
       ++it)
    ++zeros;
  return 0.5 * std::pow(10.0, zeros);
}

// A catalogue with a few records of known values (cm units), written as the shipped files are.
// L: the L60 test values of the designation rules, plus legs 2, 3 and 25 cm.
// UNP: h 4, 20 and 35. IPE: 8, 20, 30. HPE: the tees of IPE 300. CPE: IPE 300 as parent.
class ScratchCatalogue {
 public:
  ScratchCatalogue() {
    dir_.Write("cte/stahl.L",
               "4\n2, 0.3, 1.12, 0.6, 0.39, 0.61, 0.16\n3, 0.3, 1.74, 0.84, 1.4, 2.23, 0.58\n"
               "6, 0.6, 6.91, 1.69, 22.8, 36.2, 9.38\n25, 2.5, 119, 7.1, 6900, 11000, 2850\n");
    dir_.Write("cte/stahl.UNP",
               "3\n4, 3.5, 0.5, 0.55, 6.21, 14.1, 6.68, 1.33\n20, 7.5, 0.85, 1.15, 32.2, 1910, 148, 2.01\n"
               "35, 10, 1.4, 1.6, 77.3, 12840, 570, 2.4\n");
    dir_.Write("cte/stahl.IPE",
               "3\n8, 4.6, 0.38, 0.52, 0.5, 7.64, 80.14, 8.489, 11.61\n"
               "20, 10, 0.56, 0.85, 1.2, 28.48, 1943, 142.4, 110.3\n"
               "30, 15, 0.71, 1.07, 1.5, 53.81, 8356, 603.8, 314.2\n");
    dir_.Write("cte/stahl.HPE", "1\n30, 15, 0.71, 1.07, 1.5, 26.905, 508.733, 301.9, 3.32187\n");
    dir_.Write("cte/stahl.CPE", "1\n30, 15, 0.71, 1.07, 1.5, 53.81, 8356, 603.8, 45, 30\n");
    catalogue_ = std::make_unique<ProfileCatalogue>(dir_.str() + "cte");
  }

  const ProfileCatalogue& catalogue() const { return *catalogue_; }
  const ScratchDir& dir() const { return dir_; }

  SectionInput Input(const std::string& units = "[kg]-[cm]", const std::string& flags = "") const {
    SectionInput in;
    in.catalogue = catalogue_.get();
    in.families = tavo::StandardFamilies();
    in.dataUnits = UnitFactors("UNITS=" + units);
    in.flags = flags;
    return in;
  }

  Section Compute(const std::string& designation, const std::string& units = "[kg]-[cm]",
                  const std::string& flags = "") const {
    return ComputeSection(designation, Input(units, flags));
  }

 private:
  ScratchDir dir_;
  std::unique_ptr<ProfileCatalogue> catalogue_;
};

// Every number a section carries, by the name the tables below use.
inline std::vector<std::pair<const char*, double>> NamedNumbers(const Section& s) {
  const auto& p = s.props;
  const auto& c = s.cs;
  return {{"A", p.A},       {"A1", p.A1},     {"A2", p.A2},       {"J", p.J},        {"I1", p.I1},
          {"I2", p.I2},     {"S1", p.S1},     {"S2", p.S2},       {"Z1", p.Z1},      {"Z2", p.Z2},
          {"r1", p.r1},     {"r2", p.r2},     {"rt", p.rt},       {"Af", p.Af},      {"Anet", p.Anet},
          {"I1net", p.I1net}, {"S1net", p.S1net}, {"Depth", p.Depth}, {"Width", p.Width}, {"h", c.h},
          {"b", c.b},       {"tw", c.tw},     {"tf", c.tf},       {"r", c.r},        {"e", c.e},
          {"Iu", c.Iu},     {"Iv", c.Iv},     {"h'", c.heightChange}, {"hw", c.hw},  {"bf1", c.bf1},
          {"tf1", c.tf1},   {"bf2", c.bf2},   {"tf2", c.tf2},     {"h1", c.h1},      {"h2", c.h2},
          {"D", c.D},       {"t", c.t},       {"d", c.d},         {"bpl", c.PlateWidth}, {"tpl", c.PlateThickness},
          {"wb", c.WebPlateHeight}, {"wt", c.WebPlateThickness}, {"DPL", c.DPL}, {"Sx", c.Sx}, {"rmin", c.rmin},
          {"n", static_cast<double>(c.Count)}, {"usable", s.usable ? 1.0 : 0.0}, {"recognised", s.recognised ? 1.0 : 0.0}};
}

inline double Number(const Section& s, const std::string& name) {
  for (const auto& [n, v] : NamedNumbers(s))
    if (name == n) return v;
  throw std::invalid_argument("no number " + name);
}

inline bool AllFinite(const Section& s) {
  for (const auto& [name, v] : NamedNumbers(s))
    if (!std::isfinite(v)) return false;
  return true;
}

// A value a table expects of a section: by name, with an absolute tolerance.
struct Expected {
  const char* name;
  double value;
  double tolerance = 1e-9;
};

inline void ExpectNumbers(const Section& s, const std::vector<Expected>& values, const std::string& where) {
  for (const Expected& e : values) EXPECT_NEAR(Number(s, e.name), e.value, e.tolerance) << e.name << " of " << where;
}

inline void ExpectRel(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << what;
}

// Random choices and the separators, blanks and key forms an engineer writes a designation
// with; each test fixes its own seed so that a failure repeats.
class RandomSpelling : public ::testing::Test {
 protected:
  explicit RandomSpelling(unsigned seed) : rng(seed) {}
  std::mt19937 rng;
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
  template <size_t N>
  std::string OneOf(const char* const (&choices)[N]) {
    return choices[Pick(static_cast<int>(N))];
  }
  std::string Num(double v) { return ShortestText(v); }
  std::string Times() { return OneOf({"*", "X", "x", " * ", " x ", "* ", " X"}); }
  std::string Plus() { return OneOf({"+", " +", "+ ", " + ", "  +"}); }
  std::string Blank() { return OneOf({"", " ", "  ", "\t"}); }
  std::string Gap() { return OneOf({" ", "  ", "\t", "   "}); }
  // A family name, a blank or none, and the numbers with one separator spelling per gap or
  // commas throughout.
  std::string Written(const std::string& family, const std::vector<double>& v) {
    const bool commas = Pick(5) == 0;
    std::string s = family + Blank();
    for (size_t i = 0; i < v.size(); ++i) s += (i ? (commas ? std::string(",") : Times()) : "") + Num(v[i]);
    return s;
  }
  // A key part: "(d=12)", "d = 12", "(D=12", "e=12" ...
  std::string Key(const std::string& key, const std::string& value) {
    switch (Pick(5)) {
      case 0: return "(" + key + "=" + value + ")";
      case 1: return "(" + Blank() + key + Blank() + "=" + Blank() + value + Blank() + ")";
      case 2: return key + "=" + value;
      case 3: return key + Blank() + "=" + Blank() + value;
      default: return "(" + key + "=" + value;
    }
  }
};

}  // namespace tavo::test
