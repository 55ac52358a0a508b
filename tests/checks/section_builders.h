#pragma once
// Hand-built sections for the check tests: dimensions as a designation would give them and
// only the properties a rule reads, so every expected number can be worked out by hand.
#include <string>

#include "sections/section.h"
#include "families/family_table.h"

namespace tavo::test {

// A recognised section of a family, before its dimensions are filled in.
inline Section Recognised(const std::string& family, const std::string& base = {}, int count = 1,
                          const std::string& arrangement = {}) {
  Section s;
  s.recognised = true;
  s.family = StandardFamily(family), s.cs.family = family, s.cs.BaseText = base, s.cs.Count = count, s.cs.Arrangement = arrangement;
  return s;
}

inline Section PlateGirder(double hw, double tw, double bf1, double tf1, double bf2, double tf2) {
  Section s = Recognised("PG");
  s.cs.hw = hw, s.cs.tw = tw, s.cs.bf1 = bf1, s.cs.tf1 = tf1, s.cs.bf2 = bf2, s.cs.tf2 = tf2;
  s.props.Depth = hw + tf1 + tf2;
  s.props.Width = bf1 > bf2 ? bf1 : bf2;
  return s;
}

inline Section Cross(double h1, double h2, double tw, double bf1, double tf1, double bf2, double tf2) {
  Section s = Recognised("C");
  s.cs.h1 = h1, s.cs.h2 = h2, s.cs.tw = tw, s.cs.bf1 = bf1, s.cs.tf1 = tf1, s.cs.bf2 = bf2, s.cs.tf2 = tf2;
  s.props.Depth = h1 + 2 * tf1;
  s.props.Width = h2 + 2 * tf2;
  return s;
}

inline Section Box(double h, double tw, double b, double tf, double d) {
  Section s = Recognised("BOX");
  s.cs.h = h, s.cs.tw = tw, s.cs.b = b, s.cs.tf = tf, s.cs.d = d;
  s.props.Depth = h + 2 * tf;
  s.props.Width = b;
  return s;
}

inline Section Tube(double D, double t) {
  Section s = Recognised("TUBE");
  s.cs.D = D, s.cs.t = t;
  s.props.Depth = s.props.Width = D;
  return s;
}

// A rolled I-type profile (h, b, tw, tf); channels add e. Angles keep the leg in h and the
// thickness in tw.
inline Section Rolled(const std::string& family, const std::string& base, double h, double b, double tw, double tf,
                      int count = 1, double e = 0, const std::string& arrangement = "") {
  Section s = Recognised(family, base, count, arrangement);
  s.cs.h = h, s.cs.b = b, s.cs.tw = tw, s.cs.tf = tf, s.cs.e = e;
  s.props.Depth = h;
  return s;
}
inline Section Channel(const std::string& base, double h, double b, double tw, double tf, double e, int count = 1,
                       const std::string& arrangement = "") {
  return Rolled("UNP", base, h, b, tw, tf, count, e, arrangement);
}
inline Section Angle(const std::string& base, double leg, double t, double e, int count = 1,
                     const std::string& arrangement = "") {
  return Rolled("L", base, leg, 0, t, 0, count, e, arrangement);
}

}  // namespace tavo::test
