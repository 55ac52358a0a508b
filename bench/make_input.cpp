// make_input N out.Ardekon: an input file of N elements mixing every section family, for
// timing runs of `tavo run` (see run_bench.sh).
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "input_mix.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_input N out.Ardekon\n";
    return 2;
  }
  char* end = nullptr;
  const long n = std::strtol(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0' || n < 1 || n > 10000000) {
    std::cerr << "N must be a whole number from 1 to 10000000\n";
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  if (!out) {
    std::cerr << "cannot write " << argv[2] << '\n';
    return 1;
  }
  tavo::bench::WriteMixInput(out, n);
  out.close();
  if (!out) {
    std::cerr << "cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}
