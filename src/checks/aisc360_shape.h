#pragma once
// What the limit-state code needs to know of a section beyond its properties: which kind of
// member it is, its flanges and web as plate elements, and the torsion and warping figures of
// chapter E4 and F. Each family gives its own through the `limitStateShape` hook of its record,
// so the chapters never look at a family's name. Units: cm, cm², cm⁴, cm⁶.
#include <string>
#include <vector>

#include "sections/section.h"

namespace tavo::aisc {

enum class ShapeKind {
  NotCovered,
  DoublySymmetricI,
  SinglySymmetricI,
  Channel,
  BuiltUp,  // two or three I profiles or two channels side by side
  Cross,
  Box,
  Round,
  SingleAngle,
  DoubleAngle,
  Tee,
};
const char* ShapeKindName(ShapeKind kind);

// A plate element of the cross-section as Table B4.1 measures it: b the outstand of an
// unstiffened element or the clear width of a stiffened one.
// CoverPlate: a plate between the lines of welds that join it to two profiles (stiffened);
// Stem: the stem of a tee standing free at a web opening (unstiffened).
enum class ElementRole { Flange, CoverPlate, Web, Stem };
struct ShapeElement {
  std::string name;  // as the classification lists it
  ElementRole role = ElementRole::Flange;
  double b = 0, t = 0;
  int count = 1;          // how many such elements the section has (effective area of E7)
  bool compression = false;  // the flange in compression under positive M3
  double webH = 0;  // a welded flange on a web other than the shape's own: that web's h, for its kc
};

struct Shape {
  ShapeKind kind = ShapeKind::NotCovered;
  std::string reason;  // "English||Persian" when not covered

  bool rolledFlanges = true;  // flanges of a rolled profile (Table B4.1 cases 1 and 10, no kc)
  bool rolledWeb = true;      // a rolled web, which G2.1(a) rewards
  bool castellated = false;   // web openings: checked at the net section
  bool plateTee = false;      // a tee welded of two plates (a girder written without flange 2)
  bool negativeMoment = false;  // M3 differs with its sign: NegativeMomentShape gives the other
  bool channels = false;      // one or two channels (F2-8b)
  int count = 1;              // profiles side by side
  double Ki = 0.86;           // E6.1 factor of the built-up member
  bool joinedByPlates = false;  // cover plates run across all the profiles

  std::vector<ShapeElement> elements;  // flanges first, then the web(s)

  // The member as a whole (net section of a castellated beam).
  double A = 0, Ix = 0, Iy = 0, rx = 0, ry = 0, J = 0;
  double Sxc = 0, Sxt = 0, Zx = 0, Sy = 0, Zy = 0;
  double depth = 0;
  // Lateral-torsional buckling works on the profiles' own weak-axis stiffness: profiles side
  // by side each buckle about their own axis (no d² transfer), which is n times one of them.
  double IyOwn = 0, Iyc = 0, Cw = 0, ho = 0, hc = 0, hp = 0;
  double Afc = 0;  // area of the compression flange(s) with their cover plate
  double Awc = 0;  // hc·tw summed over the webs
  double x0 = 0, y0 = 0;  // shear centre from the centroid (x along the strong axis)

  // The web for shear and the web classification (h as Table B4.1 measures it).
  double h = 0, tw = 0, Aw = 0;
  // Shear along the flanges (G6): each flange's b (the outstand measured as Cv2 wants) and
  // thickness, and the total area b·t of all of them.
  double minorB = 0, minorT = 0, minorArea = 0;
};

// The section's shape from its family's hook; a section that did not compute, or a family
// without one, is not covered (reason says why).
Shape ShapeOf(const Section& section);

// The builders the families hook in.
Shape RolledIShape(const Section& section);
Shape HalfProfileShape(const Section& section);
Shape CastellatedShape(const Section& section);
Shape PlateGirderShape(const Section& section);
// A singly symmetric girder under negative M3: flange 1 in compression.
Shape NegativeMomentShape(const Section& section);
Shape ChannelShape(const Section& section);
Shape CrossShape(const Section& section);
Shape BoxShape(const Section& section);
Shape RoundShape(const Section& section);
Shape AngleShape(const Section& section);

// Warping constant of an I with flanges of weak-axis inertia If1, If2 whose centroids are ho apart.
double IWarpingConstant(double If1, double If2, double ho);
// (F2-8b commentary form) Warping constant and shear centre (from the web's mid-plane) of a
// channel of flange width b, flange thickness tf, web thickness tw and flange centroids ho apart.
double ChannelWarpingConstant(double b, double tf, double tw, double ho);
double ChannelShearCentre(double b, double tf, double tw, double ho);

}  // namespace tavo::aisc
