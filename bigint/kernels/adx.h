// SPDX-License-Identifier: MIT
#pragma once
// Whether the processor runs the x86-64 instructions that the limb loops' two-carry forms
// need: mulx (BMI2), adcx and adox (ADX), asked of the processor once, on first use; and
// the choice between a loop's two forms.

#include "bigint/kernels/limb_division.h"

#include <cstddef>

namespace bigint::kernels {

bool haveMulxAdx();

// A loop over the limbs r[0, n) and a[0, n) with a multiplier m, from a carry owed to r[0];
// it returns the carry out of the top.
using LimbLoop = Limb (*)(Limb *r, const Limb *a, std::size_t n, Limb m, Limb carry);

// The loop run in its two-flag form where there is one (twoFlag, on a positive multiple of
// four limbs) and the processor has the instructions, the limbs below that multiple first
// in the portable form; elsewhere the portable form alone.
inline Limb runLimbLoop(LimbLoop portable, LimbLoop twoFlag, Limb *r, const Limb *a, std::size_t n,
                        Limb m) {
    if (twoFlag != nullptr && n >= 4 && haveMulxAdx()) {
        const std::size_t head = n % 4;
        return twoFlag(r + head, a + head, n - head, m, portable(r, a, head, m, 0));
    }
    return portable(r, a, n, m, 0);
}

} // namespace bigint::kernels
