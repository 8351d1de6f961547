// SPDX-License-Identifier: MIT
// Differential tests against GMP of long division by short and medium divisors: the division
// steps by a precomputed reciprocal on limbs, the multiply-and-subtract loop on both of its
// paths, and whole divisions shaped so that a quotient limb is 2^64 - 1, needs its
// correction, or sits next to a borrow through every limb.

#include "bigint/kernels/divide.h"
#include "bigint/kernels/divide_knuth.h"
#include "bigint/kernels/limb_division.h"
#include "bigint/kernels/limbs_multiply_add.h"
#include "bigint/kernels/limbs_multiply_subtract.h"
#include "bigint/tuning.h"

#include "tests/bigint/gmp_oracle.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

namespace k = bigint::kernels;
using k::Block;
using k::Limb;

// The value of limbs (least significant first) as an mpz.
void setLimbs(mpz_ptr r, const std::vector<Limb> &limbs) {
    mpz_import(r, limbs.size(), -1, sizeof(Limb), 0, 0, limbs.data());
}

// The limb of x at index i (zero past its end).
Limb limbOf(mpz_srcptr x, std::size_t i) {
    Mpz t;
    mpz_tdiv_q_2exp(t, x, 64 * i);
    Limb low = 0;
    std::size_t count = 0;
    Mpz m;
    mpz_tdiv_r_2exp(m, t, 64);
    mpz_export(&low, &count, -1, sizeof(Limb), 0, 0, m);
    return count == 0 ? 0 : low;
}

std::string hexOf(mpz_srcptr x) {
    return "0x" + gmpDigits(x, 16);
}

// Limbs whose patterns make the estimates go wrong first, and random ones.
constexpr Limb top = Limb(1) << 63;
constexpr Limb ones = ~Limb(0);
constexpr Limb topLimbs[] = {
    top, top + 1, ones, ones - 1, 0xC000000000000001ull, 0x8000000100000000ull};
constexpr Limb lowLimbs[] = {0, 1, ones, ones - 1, top, top - 1, 0xFFFFFFFF00000000ull};

TEST(LimbDivision, ReciprocalsAreFloorsOfTheLargestNumbers) {
    std::mt19937_64 rng(0x2EC1);
    std::vector<Limb> highs(std::begin(topLimbs), std::end(topLimbs));
    std::vector<Limb> lows(std::begin(lowLimbs), std::end(lowLimbs));
    for (int i = 0; i < 40; ++i) {
        highs.push_back(rng() | top);
        lows.push_back(rng());
    }
    for (Limb d1 : highs) {
        Mpz want, d;
        mpz_set_ui(d, 1);
        mpz_mul_2exp(want, d, 128);
        mpz_sub_ui(want, want, 1);
        setLimbs(d, {d1});
        mpz_tdiv_q(want, want, d);
        EXPECT_EQ(k::limbReciprocal(d1), limbOf(want, 0)) << "d " << hexOf(d);
        EXPECT_EQ(limbOf(want, 1), 1u);
        for (Limb d0 : lows) {
            Mpz power, want2, dd;
            mpz_set_ui(power, 1);
            mpz_mul_2exp(power, power, 192);
            mpz_sub_ui(power, power, 1);
            setLimbs(dd, {d0, d1});
            mpz_tdiv_q(want2, power, dd);
            EXPECT_EQ(k::twoLimbReciprocal(d1, d0), limbOf(want2, 0)) << "d " << hexOf(dd);
        }
    }
}

// Dividends for a divisor d: q d + r for quotients and remainders at their extremes, and
// random ones below d 2^64 (the steps' precondition).
std::vector<std::vector<Limb>> dividendsFor(mpz_srcptr d, std::size_t limbs, std::mt19937_64 &rng) {
    std::vector<std::vector<Limb>> out;
    const Limb quotients[] = {0, 1, ones, ones - 1, top, Limb(rng())};
    for (Limb q : quotients) {
        for (int r = 0; r < 3; ++r) {
            Mpz a, rem;
            if (r == 1) mpz_sub_ui(rem, d, 1);
            if (r == 2) {
                Mpz x;
                setLimbs(x, {Limb(rng()), Limb(rng())});
                mpz_tdiv_r(rem, x, d);
            }
            setLimbs(a, {q});
            mpz_mul(a, a, d);
            mpz_add(a, a, rem);
            std::vector<Limb> u(limbs + 1);
            for (std::size_t i = 0; i < u.size(); ++i)
                u[i] = limbOf(a, i);
            out.push_back(u);
        }
    }
    return out;
}

TEST(LimbDivision, StepsAgreeWithDivision) {
    std::mt19937_64 rng(0x57E95);
    for (Limb d1 : topLimbs) {
        for (Limb d0 : lowLimbs) {
            for (int extra = 0; extra < 2; ++extra) {
                const Limb high = extra == 0 ? d1 : (rng() | top);
                // Two by one.
                Mpz d;
                setLimbs(d, {high});
                const Limb v1 = k::limbReciprocal(high);
                for (const auto &u : dividendsFor(d, 1, rng)) {
                    Mpz a, q, r;
                    setLimbs(a, {u[0], u[1]});
                    mpz_tdiv_qr(q, r, a, d);
                    Limb gotR = 0;
                    const Limb gotQ = k::divideTwoByOne(u[1], u[0], high, v1, gotR);
                    EXPECT_EQ(gotQ, limbOf(q, 0)) << hexOf(a) << " / " << hexOf(d);
                    EXPECT_EQ(gotR, limbOf(r, 0)) << hexOf(a) << " / " << hexOf(d);
                }
                // Three by two.
                Mpz dd;
                setLimbs(dd, {d0, high});
                const Limb v2 = k::twoLimbReciprocal(high, d0);
                for (const auto &u : dividendsFor(dd, 2, rng)) {
                    Mpz a, q, r;
                    setLimbs(a, {u[0], u[1], u[2]});
                    mpz_tdiv_qr(q, r, a, dd);
                    Limb r1 = 0, r0 = 0;
                    const Limb gotQ = k::divideThreeByTwo(u[2], u[1], u[0], high, d0, v2, r1, r0);
                    EXPECT_EQ(gotQ, limbOf(q, 0)) << hexOf(a) << " / " << hexOf(dd);
                    EXPECT_EQ(r0, limbOf(r, 0)) << hexOf(a) << " / " << hexOf(dd);
                    EXPECT_EQ(r1, limbOf(r, 1)) << hexOf(a) << " / " << hexOf(dd);
                }
            }
        }
    }
}

// Both paths of each limb loop, r - a m of long division and r + a m of the schoolbook
// product, against GMP at every length up to past two rounds of the unrolled loop, with
// carries and borrows through every limb.
TEST(LimbDivision, LimbLoopsOnBothPaths) {
    using Loop = Limb (*)(Limb *, const Limb *, std::size_t, Limb);
    struct Case {
        const char *name;
        Loop fast, portable;
        bool subtracts;
    };
    const Case cases[] = {
        {"r - a m", k::subtractMultiplyLimbs, k::subtractMultiplyLimbsPortable, true},
        {"r + a m", k::addMultiplyLimbs, k::addMultiplyLimbsPortable, false},
    };
    std::mt19937_64 rng(0x5B3B);
    const Limb multipliers[] = {0, 1, ones, top, Limb(rng())};
    for (const Case &c : cases) {
        for (std::size_t n = 0; n <= 13; ++n) {
            for (Limb m : multipliers) {
                for (int shape = 0; shape < 4; ++shape) {
                    std::vector<Limb> r(n), a(n);
                    for (std::size_t i = 0; i < n; ++i) {
                        r[i] = shape == 0 ? 0 : shape == 1 ? ones : Limb(rng());
                        a[i] = shape == 3 ? Limb(rng()) : ones;
                    }
                    Mpz want, ma, mr, mm, wantOut;
                    setLimbs(ma, a);
                    setLimbs(mr, r);
                    setLimbs(mm, {m});
                    mpz_mul(want, ma, mm);
                    if (c.subtracts) {
                        mpz_sub(want, mr, want);
                        // The borrow out is ceil((a m - r) / 2^(64 n)).
                        mpz_neg(wantOut, want);
                        mpz_cdiv_q_2exp(wantOut, wantOut, 64 * n);
                    } else {
                        mpz_add(want, want, mr);
                        mpz_tdiv_q_2exp(wantOut, want, 64 * n);
                    }
                    // r's limbs: the result modulo 2^(64 n).
                    mpz_fdiv_r_2exp(want, want, 64 * n);
                    const std::string at = std::string(c.name) + ", n " + std::to_string(n) +
                                           ", m " + std::to_string(m) + ", shape " +
                                           std::to_string(shape);
                    std::vector<Limb> fast = r, portable = r;
                    const Limb fastOut = c.fast(fast.data(), a.data(), n, m);
                    const Limb portableOut = c.portable(portable.data(), a.data(), n, m);
                    for (std::size_t i = 0; i < n; ++i) {
                        EXPECT_EQ(fast[i], limbOf(want, i)) << at << ", limb " << i;
                        EXPECT_EQ(portable[i], limbOf(want, i)) << at << ", limb " << i;
                    }
                    EXPECT_EQ(fastOut, limbOf(wantOut, 0)) << at;
                    EXPECT_EQ(portableOut, limbOf(wantOut, 0)) << at;
                }
            }
        }
    }
}

// Divisor blocks of size n: a top block, a second block and the rest by pattern.
std::vector<Block> divisorOf(std::size_t n, Block topBlock, int pattern, std::mt19937_64 &rng) {
    std::vector<Block> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        switch (pattern) {
        case 0:
            v[i] = Block(rng());
            break;
        case 1:
            v[i] = 0xFFFFFFFF;
            break; // the second block (and all below) all ones
        case 2:
            v[i] = i + 2 == n ? 0xFFFFFFFF : Block(rng());
            break;
        default:
            v[i] = i == 0 ? 1 : 0;
            break; // the top, then zeros down to a 1
        }
    }
    v[n - 1] = topBlock;
    return v;
}

// a / v by the dispatcher against GMP, q and u between guard blocks.
void checkDivision(const std::vector<Block> &a, const std::vector<Block> &v,
                   const std::string &at) {
    constexpr Block guard = 0xDEADBEEF;
    const std::size_t n = v.size(), m = a.size();
    ASSERT_GE(m, n);
    std::vector<Block> u(m + 2, guard), q(m - n + 3, guard);
    std::copy(a.begin(), a.end(), u.begin() + 1);
    k::divideWithRemainder(k::Blocks(q).subspan(1, m - n + 1), k::Blocks(u).subspan(1, m), v);
    Mpz wantQ, wantR;
    mpz_tdiv_qr(wantQ, wantR, Mpz(k::ConstBlocks(a)), Mpz(k::ConstBlocks(v)));
    EXPECT_EQ(mpz_cmp(Mpz(k::ConstBlocks(q).subspan(1, m - n + 1)), wantQ), 0)
        << "quotient, " << at;
    EXPECT_EQ(mpz_cmp(Mpz(k::ConstBlocks(u).subspan(1, m)), wantR), 0) << "remainder, " << at;
    EXPECT_TRUE(u.front() == guard && u.back() == guard && q.front() == guard && q.back() == guard)
        << "guard overwritten, " << at;
}

// Dividends for the divisor v with a quotient of k blocks: q v + r with the quotient all
// ones (its limbs 2^64 - 1, the window's top limbs then equal to the divisor's) or random and
// r zero, v - 1 or random; and multiples of v's top two limbs alone (its lower limbs
// cleared), whose top-limb estimate is one too large at every step and needs the correction.
std::vector<std::vector<Block>> dividendsOf(const std::vector<Block> &v, std::size_t k,
                                            std::mt19937_64 &rng) {
    std::vector<std::vector<Block>> out;
    const Mpz d(k::ConstBlocks{v});
    const std::size_t n = v.size();
    for (int kind = 0; kind < 7; ++kind) {
        Mpz q, r, a;
        std::vector<Block> qb(k);
        for (auto &b : qb)
            b = kind < 3 ? 0xFFFFFFFF : Block(rng());
        setMpz(q, k::ConstBlocks(qb));
        Mpz divisor;
        mpz_set(divisor, d);
        if (kind == 6) {
            // The top two limbs: the top one to three blocks, by the divisor's parity.
            const std::size_t keep = n % 2 == 0 ? 4 : 3;
            if (n > keep) {
                mpz_tdiv_q_2exp(divisor, divisor, 32 * (n - keep));
                mpz_mul_2exp(divisor, divisor, 32 * (n - keep));
            }
            mpz_add_ui(q, q, 1);
        }
        if (kind % 3 == 1) mpz_sub_ui(r, d, 1);
        if (kind % 3 == 2) {
            std::vector<Block> x(n);
            for (auto &b : x)
                b = Block(rng());
            mpz_tdiv_r(r, Mpz(k::ConstBlocks{x}), d);
        }
        mpz_mul(a, q, divisor);
        mpz_add(a, a, r);
        std::vector<Block> blocks(n + k, 0);
        std::size_t count = 0;
        mpz_export(blocks.data(), &count, -1, sizeof(Block), 0, 0, a);
        if (count > blocks.size()) continue;
        out.push_back(blocks);
    }
    return out;
}

// Every divisor length from 2 to 14 blocks, both parities of limb alignment, and lengths
// around the recursive division's threshold, with the adversarial top and second blocks;
// quotients from one block to twice the divisor.
TEST(DivideSmall, AdversarialDivisorsAndQuotients) {
    std::mt19937_64 rng(0xD5A11);
    const std::size_t t = bigint::divideDivideAndConquerThreshold;
    std::vector<std::size_t> sizes;
    for (std::size_t n = 2; n <= 14; ++n)
        sizes.push_back(n);
    for (std::size_t n : {std::size_t(31), std::size_t(64), t - 2, t - 1, t, t + 1})
        sizes.push_back(n);
    const Block topBlocks[] = {0x80000000, 0xFFFFFFFF, 1, 0x80000001};
    int failures = 0;
    for (std::size_t n : sizes) {
        for (Block topBlock : topBlocks) {
            for (int pattern = 0; pattern < 4; ++pattern) {
                const std::vector<Block> v = divisorOf(n, topBlock, pattern, rng);
                for (std::size_t k :
                     {std::size_t(1), std::size_t(2), std::size_t(3), n - 1, n, n + 1, 2 * n}) {
                    for (const auto &a : dividendsOf(v, k, rng)) {
                        checkDivision(a, v,
                                      "divisor " + hexOf(Mpz(k::ConstBlocks{v})) + ", dividend " +
                                          hexOf(Mpz(k::ConstBlocks{a})));
                        if (HasFailure() && ++failures > 10) return;
                    }
                }
            }
        }
    }
}

} // namespace
