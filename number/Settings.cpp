// SPDX-License-Identifier: MIT
#include "number/Settings.h"

namespace settings {

std::atomic<std::int32_t> outputFormat{Normal};
std::atomic<std::int32_t> angleUnit{Degrees};
std::atomic<std::int32_t> valueRange{0 | signedRangeFlag};

} // namespace settings
