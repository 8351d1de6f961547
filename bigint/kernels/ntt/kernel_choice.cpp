// SPDX-License-Identifier: MIT
// Which kernel sets this processor runs. The processor is asked here, in portable code, before
// any code built for wider vectors can run.
#include "bigint/kernels/ntt/kernel_set.h"

namespace bigint::kernels::ntt {

const KernelSet *availableKernels(NttKernels kernels) {
    switch (kernels) {
    case NttKernels::portable:
        return &portableKernels;
    case NttKernels::avx2: {
#if RECKONWISE_NTT_X86_64
        static const bool have = __builtin_cpu_supports("avx2");
        return have ? &avx2Kernels : nullptr;
#else
        return nullptr;
#endif
    }
    case NttKernels::avx512: {
#if RECKONWISE_NTT_X86_64
        // AVX2 too, for what does not fill sixteen lanes.
        static const bool have =
            __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx2");
        return have ? &avx512Kernels : nullptr;
#else
        return nullptr;
#endif
    }
    }
    return nullptr;
}

const KernelSet &fastestKernels() {
    static const KernelSet *const fastest = [] {
        for (NttKernels k : {NttKernels::avx512, NttKernels::avx2}) {
            if (const KernelSet *set = availableKernels(k)) return set;
        }
        return &portableKernels;
    }();
    return *fastest;
}

} // namespace bigint::kernels::ntt
