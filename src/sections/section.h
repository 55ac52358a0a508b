#pragma once
// The section being handled: what the designation and the catalogue give (CurrentSection)
// and the properties computed from it (SectionProperties). Plain values: every field has a
// defined value for every family, nothing is left over from an earlier section.
// Units: cm, cm², cm³, cm⁴.
#include <string>

#include "core/diagnostics.h"

namespace tavo {

struct CurrentSection {
  std::string family;       // "PG", "C", "BOX", "TUBE", "L", "UNP", or a rolled code ("IPE", "2IPE", "CPE", ...)
  std::string designation;  // the parsed text (upper-cased, ID dropped)
  std::string catalogueName;
  std::string BaseText;
  std::string FullText;
  int Count = 1;
  std::string Arrangement;  // "", "<>", "][" or "[]"

  // Rolled profile of the catalogue (angle: h is the leg, tw the leg thickness).
  double h = 0, b = 0, tw = 0, tf = 0, r = 0, e = 0;
  double Iu = 0, Iv = 0;     // angle principal moments of inertia
  double heightChange = 0;   // h' of a half-profile designation (HPE300-400), 0 when absent
  // Parametric plates.
  double hw = 0, bf1 = 0, tf1 = 0, bf2 = 0, tf2 = 0, h1 = 0, h2 = 0, D = 0, t = 0;
  double d = 0;  // spacing of doubled/tripled profiles; BOX: distance between the webs
  double PlateWidth = 0, PlateThickness = 0;
  double WebPlateHeight = 0, WebPlateThickness = 0, DPL = 0;
  double Sx = 0;    // first moment of the half section
  double rmin = 0;  // angle: radius of gyration about the weak principal axis
  double Lx = 0, Ly = 0;
};

struct SectionProperties {
  double A = 0, A1 = 0, A2 = 0, J = 0;
  double I1 = 0, I2 = 0, S1 = 0, S2 = 0, Z1 = 0, Z2 = 0;
  double r1 = 0, r2 = 0, rt = 0, Af = 0;
  double Depth = 0, Width = 0;
  // A castellated section through an opening (area, strong-axis I and S); the fields above
  // hold it at a web post. 0 for every section without openings.
  double Anet = 0, I1net = 0, S1net = 0;
};

// Every number of the two records with the name messages give it, in the order they are
// checked; a field added to a record is added here, beside it.
template <typename Record>
struct NamedField {
  double Record::*field;
  const char* name;
};
inline constexpr NamedField<SectionProperties> kPropertyFields[] = {
    {&SectionProperties::A, "A"},         {&SectionProperties::A1, "A1"},       {&SectionProperties::A2, "A2"},
    {&SectionProperties::J, "J"},         {&SectionProperties::I1, "I1"},       {&SectionProperties::I2, "I2"},
    {&SectionProperties::S1, "S1"},       {&SectionProperties::S2, "S2"},       {&SectionProperties::Z1, "Z1"},
    {&SectionProperties::Z2, "Z2"},       {&SectionProperties::r1, "r1"},       {&SectionProperties::r2, "r2"},
    {&SectionProperties::rt, "rt"},       {&SectionProperties::Af, "Af"},       {&SectionProperties::Depth, "Depth"},
    {&SectionProperties::Width, "Width"}, {&SectionProperties::Anet, "A net"}, {&SectionProperties::I1net, "I1 net"},
    {&SectionProperties::S1net, "S1 net"}};
inline constexpr NamedField<CurrentSection> kDimensionFields[] = {
    {&CurrentSection::h, "h"},
    {&CurrentSection::b, "b"},
    {&CurrentSection::tw, "tw"},
    {&CurrentSection::tf, "tf"},
    {&CurrentSection::r, "r"},
    {&CurrentSection::e, "e"},
    {&CurrentSection::Iu, "Iu"},
    {&CurrentSection::Iv, "Iv"},
    {&CurrentSection::heightChange, "h'"},
    {&CurrentSection::hw, "hw"},
    {&CurrentSection::bf1, "bf1"},
    {&CurrentSection::tf1, "tf1"},
    {&CurrentSection::bf2, "bf2"},
    {&CurrentSection::tf2, "tf2"},
    {&CurrentSection::h1, "h1"},
    {&CurrentSection::h2, "h2"},
    {&CurrentSection::D, "D"},
    {&CurrentSection::t, "t"},
    {&CurrentSection::d, "d"},
    {&CurrentSection::PlateWidth, "bpl"},
    {&CurrentSection::PlateThickness, "tpl"},
    {&CurrentSection::WebPlateHeight, "wb"},
    {&CurrentSection::WebPlateThickness, "wt"},
    {&CurrentSection::DPL, "dpl"},
    {&CurrentSection::Sx, "Sx"},
    {&CurrentSection::rmin, "rmin"},
    {&CurrentSection::Lx, "Lx"},
    {&CurrentSection::Ly, "Ly"}};

struct SectionFamily;

struct Section {
  const SectionFamily* family = nullptr;  // null until a designation names one
  CurrentSection cs;
  SectionProperties props;
  bool recognised = false;  // false: the designation names no family (problem says why)
  bool usable = false;      // true when the properties were computed (family known, its data available)
  std::string problem;      // bilingual text, empty when all went well
  Diagnostics diagnostics;  // the same problems one by one, with their severity
};

}  // namespace tavo
