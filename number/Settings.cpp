#include "number/Settings.h"

namespace settings {

std::atomic<std::int32_t> outputFormat{Normal};
std::atomic<std::int32_t> angleUnit{Degrees};
std::atomic<std::int32_t> rangeBits{0};
std::atomic<bool> rangeSigned{true};

} // namespace settings
