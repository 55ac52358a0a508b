// ComputeSection per family with the shipped catalogue loaded: the cost of one element's
// section in the batch pass.
#include <benchmark/benchmark.h>

#include <string>

#include "sections/profile_catalogue.h"
#include "families/family_table.h"
#include "checks/check_member.h"
#include "sections/section_parser.h"

namespace {

const tavo::ProfileCatalogue& Catalogue() {
  static const tavo::ProfileCatalogue catalogue(std::string(TAVO_SOURCE_DIR) + "/data/cte");
  return catalogue;
}

void BM_ComputeSection(benchmark::State& state, const char* designation) {
  tavo::SectionInput input;
  input.catalogue = &Catalogue();
  input.families = tavo::StandardFamilies();
  benchmark::DoNotOptimize(tavo::ComputeSection(designation, input));  // loads the family's file
  for (auto _ : state) {
    tavo::Section s = tavo::ComputeSection(designation, input);
    benchmark::DoNotOptimize(s.props.I1);
  }
}

BENCHMARK_CAPTURE(BM_ComputeSection, pg, "PG 600*8*250*15");
BENCHMARK_CAPTURE(BM_ComputeSection, cross, "CROSS 400*300*8*200*12");
BENCHMARK_CAPTURE(BM_ComputeSection, box, "BOX 300*10*250*15 (D=20)");
BENCHMARK_CAPTURE(BM_ComputeSection, tube, "TUBE 200*10");
BENCHMARK_CAPTURE(BM_ComputeSection, angle, "L60");
BENCHMARK_CAPTURE(BM_ComputeSection, double_angle, "2L60 <> +PL100*10  (d=80)");
BENCHMARK_CAPTURE(BM_ComputeSection, channel, "UNP200");
BENCHMARK_CAPTURE(BM_ComputeSection, double_channel, "2UNP20  (d=12)");
BENCHMARK_CAPTURE(BM_ComputeSection, ipe, "IPE300");
BENCHMARK_CAPTURE(BM_ComputeSection, ipb_last, "IPB1000");
BENCHMARK_CAPTURE(BM_ComputeSection, ipe_plates, "2IPE300+2PL200*10+2WPL200*8 DPL=25  (d=20)");
BENCHMARK_CAPTURE(BM_ComputeSection, half_profile, "HPE300-400");
BENCHMARK_CAPTURE(BM_ComputeSection, castellated, "CPE30+2PL200*10");
BENCHMARK_CAPTURE(BM_ComputeSection, unknown, "XYZ300");

}  // namespace

namespace {

// The member check of a ready section, by today's rules and by the limit-state code with one
// combination of forces: what each element costs beyond its section.
void BM_CheckByCode(benchmark::State& state, const char* designation, tavo::DesignCode code) {
  tavo::SectionInput input;
  input.catalogue = &Catalogue();
  input.families = tavo::StandardFamilies();
  const tavo::Section s = tavo::ComputeSection(designation, input);
  tavo::MemberInput m;
  m.kind = tavo::MemberKind::Column;
  m.Lx = 400;
  m.code = code;
  tavo::Demand d;
  d.combination = "C1";
  d.P = -50000.0, d.M3 = 1.0e6, d.V2 = 5000.0;
  if (code != tavo::DesignCode::Asd89) m.demands = {d};
  for (auto _ : state) benchmark::DoNotOptimize(tavo::CheckMember(s, m));
}

}  // namespace

BENCHMARK_CAPTURE(BM_CheckByCode, asd89_pg, "PG 600*8*250*15", tavo::DesignCode::Asd89);
BENCHMARK_CAPTURE(BM_CheckByCode, lrfd_pg, "PG 600*8*250*15", tavo::DesignCode::Aisc360Lrfd);
BENCHMARK_CAPTURE(BM_CheckByCode, asd89_ipe_plates, "IPE30+2PL200*10", tavo::DesignCode::Asd89);
BENCHMARK_CAPTURE(BM_CheckByCode, lrfd_ipe_plates, "IPE30+2PL200*10", tavo::DesignCode::Aisc360Lrfd);
BENCHMARK_CAPTURE(BM_CheckByCode, lrfd_box, "BOX 300*10*300*15", tavo::DesignCode::Aisc360Lrfd);
BENCHMARK_CAPTURE(BM_CheckByCode, lrfd_tube, "TUBE 273*10", tavo::DesignCode::Aisc360Lrfd);
BENCHMARK_CAPTURE(BM_CheckByCode, lrfd_double_angle, "2L80 (d=8) <>", tavo::DesignCode::Aisc360Lrfd);
BENCHMARK_CAPTURE(BM_CheckByCode, lrfd_double_channel, "2UNP20  (d=12)", tavo::DesignCode::Aisc360Lrfd);
