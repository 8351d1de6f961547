// SPDX-License-Identifier: MIT
#include "bigint/kernels/limbs_multiply_subtract.h"

#include "bigint/kernels/adx.h"

namespace bigint::kernels {

namespace {

// The portable loop from a borrow already owed to r[0].
Limb subtractMultiplyFrom(Limb *r, const Limb *a, std::size_t n, Limb m, Limb borrow) {
    for (std::size_t i = 0; i < n; ++i) {
        // The high half of a * m + borrow is at most 2^64 - 2: adding one more never wraps.
        const DoubleLimb p = DoubleLimb(a[i]) * m + borrow;
        const Limb low = Limb(p);
        const Limb ri = r[i];
        r[i] = ri - low;
        borrow = Limb(p >> 64) + (ri < low);
    }
    return borrow;
}

#if defined(__x86_64__) && defined(__GNUC__)

// The same over n limbs, n a positive multiple of four, from a borrow owed to r[0]. Two carry
// chains run side by side: OF (adox) adds each product's high limb to the next one's low
// limb, CF (adcx) adds r's limb to the complement of that sum, which with CF set at the start
// is r's limb minus the sum. No instruction of the loop but those touches either flag: mulx
// sets none, the index steps with lea and ends at zero with jrcxz.
Limb subtractMultiplyAdx(Limb *r, const Limb *a, std::size_t n, Limb m, Limb borrow) {
    std::ptrdiff_t i = -std::ptrdiff_t(n);
    Limb t0, t1;
    bool carry;
    __asm__("xor %k[t0], %k[t0]\n\t" // clears CF and OF
            "stc\n\t"
            "1:\n\t"
            "mulx (%[a],%[i],8), %[t0], %[t1]\n\t"
            "adox %[h], %[t0]\n\t"
            "not %[t0]\n\t"
            "adcx (%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], (%[r],%[i],8)\n\t"
            "mulx 8(%[a],%[i],8), %[t0], %[h]\n\t"
            "adox %[t1], %[t0]\n\t"
            "not %[t0]\n\t"
            "adcx 8(%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], 8(%[r],%[i],8)\n\t"
            "mulx 16(%[a],%[i],8), %[t0], %[t1]\n\t"
            "adox %[h], %[t0]\n\t"
            "not %[t0]\n\t"
            "adcx 16(%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], 16(%[r],%[i],8)\n\t"
            "mulx 24(%[a],%[i],8), %[t0], %[h]\n\t"
            "adox %[t1], %[t0]\n\t"
            "not %[t0]\n\t"
            "adcx 24(%[r],%[i],8), %[t0]\n\t"
            "mov %[t0], 24(%[r],%[i],8)\n\t"
            "lea 4(%[i]), %[i]\n\t"
            "jrcxz 2f\n\t"
            "jmp 1b\n\t"
            "2:\n\t"
            "mov $0, %k[t0]\n\t"
            "adox %[t0], %[h]" // the last high limb takes the last product carry
            : [t0] "=&r"(t0), [t1] "=&r"(t1), [h] "+&r"(borrow), [i] "+&c"(i), "=@ccc"(carry)
            : [a] "r"(a + n), [r] "r"(r + n), "d"(m)
            : "memory");
    // CF clear: the subtraction borrowed one more.
    return borrow + (carry ? 0 : 1);
}

#endif

} // namespace

Limb subtractMultiplyLimbsPortable(Limb *r, const Limb *a, std::size_t n, Limb m) {
    return subtractMultiplyFrom(r, a, n, m, 0);
}

Limb subtractMultiplyLimbs(Limb *r, const Limb *a, std::size_t n, Limb m) {
#if defined(__x86_64__) && defined(__GNUC__)
    return runLimbLoop(subtractMultiplyFrom, subtractMultiplyAdx, r, a, n, m);
#else
    return runLimbLoop(subtractMultiplyFrom, nullptr, r, a, n, m);
#endif
}

} // namespace bigint::kernels
