// Built when libdeflate is not installed: no trial rows.
#include "deflate_trial.h"

namespace vireloc::bench {

std::vector<DeflateTrial> deflateTrials() { return {}; }

}  // namespace vireloc::bench
