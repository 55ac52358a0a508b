#include "core/ordered_pipeline.h"

#include <algorithm>

namespace tavo {

int PipelineJobs(int requested) {
  if (requested > 0) return std::min(requested, 256);
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(std::min(cores, 256u));
}

}  // namespace tavo
