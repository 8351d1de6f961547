// SPDX-License-Identifier: MIT
#pragma once
// GMP as the oracle of the big-integer tests: an mpz_t that clears itself and the
// conversions between it and the library's values and block spans. Test-only.

#include "bigint/BigInteger.h"
#include "bigint/kernels/blocks.h"

#include <cstring>
#include <gmp.h>
#include <string>
#include <vector>

inline void setMpz(mpz_ptr r, bigint::kernels::ConstBlocks x) {
    mpz_import(r, x.size(), -1, sizeof(bigint::kernels::Block), 0, 0, x.data());
}

inline void setMpz(mpz_ptr r, const BigUnsigned &x) {
    setMpz(r, x.span());
}

inline void setMpz(mpz_ptr r, const BigInteger &x) {
    setMpz(r, x.getMagnitude());
    if (x.getSign() == BigInteger::negative) mpz_neg(r, r);
}

class Mpz {
public:
    Mpz() { mpz_init(v); }
    explicit Mpz(const BigUnsigned &x) : Mpz() { setMpz(v, x); }
    explicit Mpz(const BigInteger &x) : Mpz() { setMpz(v, x); }
    explicit Mpz(bigint::kernels::ConstBlocks x) : Mpz() { setMpz(v, x); }
    Mpz(const Mpz &) = delete;
    Mpz &operator=(const Mpz &) = delete;
    ~Mpz() { mpz_clear(v); }
    operator mpz_ptr() { return v; }
    operator mpz_srcptr() const { return v; }
    int sign() const { return mpz_sgn(v); }

private:
    mpz_t v;
};

inline BigUnsigned toUnsigned(mpz_srcptr x) {
    using Blk = BigUnsigned::Blk;
    std::vector<Blk> b(mpz_size(x) * sizeof(mp_limb_t) / sizeof(Blk) + 1);
    std::size_t count = 0;
    mpz_export(b.data(), &count, -1, sizeof(Blk), 0, 0, x);
    return BigUnsigned(b.data(), BigUnsigned::Index(count));
}

// GMP's digits of x in base; a negative base gives upper-case letters.
inline std::string gmpDigits(mpz_srcptr x, int base) {
    std::string s(mpz_sizeinbase(x, base < 0 ? -base : base) + 2, '\0');
    mpz_get_str(s.data(), base, x);
    s.resize(std::strlen(s.c_str()));
    return s;
}
