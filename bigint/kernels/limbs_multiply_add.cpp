// SPDX-License-Identifier: MIT
#include "bigint/kernels/limbs_multiply_add.h"

#include "bigint/kernels/adx.h"

namespace bigint::kernels {

namespace {

// The portable loop from a carry already owed to r[0].
Limb addMultiplyFrom(Limb *r, const Limb *a, std::size_t n, Limb m, Limb carry) {
    for (std::size_t i = 0; i < n; ++i) {
        // (2^64 - 1)^2 + 2 (2^64 - 1) = 2^128 - 1: the sum never overflows.
        const DoubleLimb p = DoubleLimb(a[i]) * m + r[i] + carry;
        r[i] = Limb(p);
        carry = Limb(p >> 64);
    }
    return carry;
}

#if defined(__x86_64__) && defined(__GNUC__)

// The same over n limbs, n a positive multiple of four, from a carry owed to r[0]. Two carry
// chains run side by side: OF (adox) adds each product's high limb to the next one's low
// limb, CF (adcx) adds that sum to r's limb. No instruction of the loop but those touches
// either flag: mulx sets none, the index steps with lea and ends at zero with jrcxz. At the
// end the last high limb takes both flags: r + a * m + carry fits in n + 1 limbs, so that
// sum, the top limb, cannot wrap.
Limb addMultiplyAdx(Limb *r, const Limb *a, std::size_t n, Limb m, Limb carry) {
    std::ptrdiff_t i = -std::ptrdiff_t(n);
    Limb t0, t1;
    __asm__("xor %k[t0], %k[t0]\n\t" // clears CF and OF
            "1:\n\t"
            "mulx (%[a],%[i],8), %[t0], %[t1]\n\t"
            "adox %[h], %[t0]\n\t"
            "adcx (%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], (%[r],%[i],8)\n\t"
            "mulx 8(%[a],%[i],8), %[t0], %[h]\n\t"
            "adox %[t1], %[t0]\n\t"
            "adcx 8(%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], 8(%[r],%[i],8)\n\t"
            "mulx 16(%[a],%[i],8), %[t0], %[t1]\n\t"
            "adox %[h], %[t0]\n\t"
            "adcx 16(%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], 16(%[r],%[i],8)\n\t"
            "mulx 24(%[a],%[i],8), %[t0], %[h]\n\t"
            "adox %[t1], %[t0]\n\t"
            "adcx 24(%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], 24(%[r],%[i],8)\n\t"
            "lea 4(%[i]), %[i]\n\t"
            "jrcxz 2f\n\t"
            "jmp 1b\n\t"
            "2:\n\t"
            "mov $0, %k[t0]\n\t" // mov, unlike xor, leaves the flags
            "adox %[t0], %[h]\n\t"
            "adcx %[t0], %[h]"
            : [t0] "=&r"(t0), [t1] "=&r"(t1), [h] "+&r"(carry), [i] "+&c"(i)
            : [a] "r"(a + n), [r] "r"(r + n), "d"(m)
            : "cc", "memory");
    return carry;
}

#endif

} // namespace

Limb addMultiplyLimbsPortable(Limb *r, const Limb *a, std::size_t n, Limb m) {
    return addMultiplyFrom(r, a, n, m, 0);
}

Limb addMultiplyLimbs(Limb *r, const Limb *a, std::size_t n, Limb m) {
#if defined(__x86_64__) && defined(__GNUC__)
    return runLimbLoop(addMultiplyFrom, addMultiplyAdx, r, a, n, m);
#else
    return runLimbLoop(addMultiplyFrom, nullptr, r, a, n, m);
#endif
}

} // namespace bigint::kernels
