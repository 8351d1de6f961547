// SPDX-License-Identifier: MIT
#include "bigint/kernels/spare_cores.h"

#include <algorithm>
#include <thread>

namespace bigint::kernels {

std::atomic<int> &spareCores() {
    static std::atomic<int> spare{int(std::max(1u, std::thread::hardware_concurrency())) - 1};
    return spare;
}

} // namespace bigint::kernels
