// SPDX-License-Identifier: MIT
#pragma once
// Whether the processor runs the x86-64 instructions that the limb loops' two-carry forms
// need: mulx (BMI2), adcx and adox (ADX). Asked of the processor once, on first use.

namespace bigint::kernels {

bool haveMulxAdx();

} // namespace bigint::kernels
