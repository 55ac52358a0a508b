#pragma once
// Checked members the report tests write, with properties of real sections.
#include "checks/check_results.h"
#include "families/family_table.h"

namespace tavo::test {

// TUBE273*10 as a column of 400 cm, compact, with today's allowable stress.
inline CheckedMember TubeColumnReport() {
  CheckedMember m;
  m.section.cs.family = "TUBE";
  m.section.family = StandardFamily("TUBE");
  m.section.cs.FullText = "TUBE273*10";
  m.section.props = {85.6, 42.8, 42.8, 14000, 7150, 7150, 524, 524, 685, 685, 9.14, 9.14, 0, 0, 27.3, 27.3};
  m.member.kind = MemberKind::Column;
  m.member.id = 5;
  m.member.Lx = 400;
  m.results.cls = "C";
  m.results.lambda = 43.76;
  m.results.Fa = 1254.87;
  m.results.Pmax = 107.4;
  return m;
}

}  // namespace tavo::test
