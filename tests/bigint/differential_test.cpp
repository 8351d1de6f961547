// SPDX-License-Identifier: MIT
// Differential tests of the big-integer library against GMP as the oracle. Operands are drawn
// at random but biased to the cases where carries, borrows and quotient estimates go wrong;
// every result is checked for its value and its normal form. Each test uses a fixed seed,
// printed with the iteration and the operands on failure, so a failure reproduces.

#include "bigint/BigInteger.h"
#include "bigint/BigUnsigned.h"
#include "bigint/textConversion.h"

#include "tests/bigint/gmp_oracle.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Blk = BigUnsigned::Blk;
using Index = BigUnsigned::Index;
using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

constexpr std::uint64_t seedBase = 0x5EEDC0DE00;
const char *const negativeResult = "BigUnsigned::subtract: Negative result in unsigned calculation";

std::string text(mpz_srcptr x, int base) {
    return gmpDigits(x, base);
}

std::string show(const BigUnsigned &x) {
    return "0x" + text(Mpz(x), 16);
}
std::string show(const BigInteger &x) {
    std::string s = text(Mpz(x), 16);
    return s[0] == '-' ? "-0x" + s.substr(1) : "0x" + s;
}
std::string show(int n) {
    return std::to_string(n);
}

// "seed S, iteration I, a = ..., b = ..." for failure messages.
template <class... T>
std::string where(std::uint64_t seed, int i, const T &...operands) {
    std::string s = "seed " + std::to_string(seed) + ", iteration " + std::to_string(i);
    char name = 'a';
    ((s += std::string(", ") + name++ + " = " + show(operands)), ...);
    return s;
}

AssertionResult equals(const BigUnsigned &got, mpz_srcptr want) {
    if (got.getLength() != 0 && got.getBlock(got.getLength() - 1) == 0)
        return AssertionFailure() << "not normalised: top block of " << got.getLength()
                                  << " is zero";
    Mpz g(got);
    if (mpz_cmp(g, want) != 0)
        return AssertionFailure() << "got 0x" << text(g, 16) << ", expected 0x" << text(want, 16);
    return AssertionSuccess();
}

AssertionResult equals(const BigInteger &got, mpz_srcptr want) {
    const int sign = got.getSign();
    if (sign < -1 || sign > 1) return AssertionFailure() << "invalid sign " << sign;
    if ((sign == 0) != got.getMagnitude().isZero())
        return AssertionFailure() << "sign " << sign << " with magnitude "
                                  << show(got.getMagnitude());
    Mpz magnitude;
    mpz_abs(magnitude, want);
    if (AssertionResult r = equals(got.getMagnitude(), magnitude); !r) return r << " (magnitude)";
    if (sign != mpz_sgn(want))
        return AssertionFailure() << "got sign " << sign << ", expected " << mpz_sgn(want);
    return AssertionSuccess();
}

template <class F>
std::string thrownText(F f) {
    try {
        f();
    } catch (const char *m) {
        return m;
    }
    return "(nothing thrown)";
}

// Stops a random loop once a test has reported enough failures to diagnose it.
bool enoughFailures() {
    return testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count() >=
           20;
}

// Random operands biased to hard cases.
class Gen {
public:
    explicit Gen(std::uint64_t seed) : rng(seed) {}

    std::uint64_t below(std::uint64_t n) {
        return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng);
    }
    bool coin() { return below(2) == 0; }
    Blk block() { return Blk(rng()); }

    // Mostly small sizes, where the boundary cases are; sometimes up to `max` blocks.
    Index size(Index max = 300) {
        const Index limits[] = {3, 11, std::min<Index>(max, 60), max};
        return Index(below(limits[below(4)] + 1));
    }

    // A value of n blocks (n - 1 for 2^(32(n-1)) - 1) of a random shape, or of the given one:
    // 0 random, 1 long runs of equal bits, 2 all ones, 3 a power of two, 4 2^(32(n-1)) - 1,
    // + 0 or + 1, 5 blocks from a set of special values, 6 random with a small top block,
    // 7 random with a top block of 0xFFFFFFFF, 8 sparse.
    BigUnsigned number(Index n, int shape = -1) {
        static constexpr Blk special[] = {0,          1,          2,          0x7FFFFFFF,
                                          0x80000000, 0x80000001, 0xFFFFFFFE, 0xFFFFFFFF};
        if (n == 0) return {};
        if (shape < 0) shape = int(below(9));
        std::vector<Blk> b(n, 0);
        if (shape == 0 || shape == 6 || shape == 7) std::generate(b.begin(), b.end(), rng);
        if (shape == 6) b[n - 1] = Blk(1 + below(3));
        if (shape == 7 || shape == 2) std::fill(b.end() - (shape == 7 ? 1 : n), b.end(), ~Blk(0));
        if (shape == 3) b[n - 1] = Blk(1) << below(32);
        if (shape == 5) std::generate(b.begin(), b.end(), [&] { return special[below(8)]; });
        if (shape == 8) {
            for (auto k = below(4); k-- > 0;)
                b[below(n)] = block();
        }
        if (shape == 4) {
            const auto d = below(3);
            if (d == 0) {
                std::fill(b.begin(), b.end() - 1, ~Blk(0));
                return BigUnsigned(b.data(), n);
            }
            b[n - 1] = 1, b[0] += Blk(d - 1);
        }
        if (shape == 1) {
            const std::uint64_t bits = std::uint64_t(32) * n, maxRun = coin() ? 8 : 300;
            bool ones = coin();
            for (std::uint64_t pos = 0; pos < bits; ones = !ones) {
                for (auto end = std::min(bits, pos + 1 + below(maxRun)); pos < end; ++pos)
                    b[pos / 32] |= Blk(ones) << (pos % 32);
            }
        }
        if (b[n - 1] == 0) b[n - 1] = 1;
        return BigUnsigned(b.data(), n);
    }
    BigUnsigned any(Index max = 300) { return number(size(max)); }

    // A value close to a in some way: equal, just below or above, its top part, the same
    // top blocks over different low ones, the same length; or unrelated.
    BigUnsigned near(const BigUnsigned &a) {
        Mpz m(a);
        switch (below(8)) {
        case 0:
            return a;
        case 1:
            if (mpz_sizeinbase(m, 2) > 10) mpz_sub_ui(m, m, 1 + below(1000));
            return toUnsigned(m);
        case 2:
            mpz_add_ui(m, m, 1 + below(1000));
            return toUnsigned(m);
        case 3:
            mpz_fdiv_q_2exp(m, m, below(mpz_sizeinbase(m, 2) + 1));
            return toUnsigned(m);
        case 4: {
            std::vector<Blk> b(a.span().begin(), a.span().end());
            for (std::size_t k = below(b.size() + 1); k-- > 0;)
                b[k] = block();
            return BigUnsigned(b.data(), Index(b.size()));
        }
        case 5:
            return number(a.getLength());
        default:
            return any();
        }
    }

    std::pair<BigUnsigned, BigUnsigned> pair(Index max = 300) {
        BigUnsigned a = any(max), b = coin() ? near(a) : any(max);
        if (coin()) std::swap(a, b);
        return {std::move(a), std::move(b)};
    }

    BigInteger withSign(BigUnsigned m, bool negative) {
        if (m.isZero()) return {};
        return BigInteger(std::move(m), negative ? BigInteger::negative : BigInteger::positive);
    }

private:
    std::mt19937_64 rng;
};

template <class T>
using BinaryOp = void (T::*)(const T &, const T &);
using OracleOp = void (*)(mpz_ptr, mpz_srcptr, mpz_srcptr);

// target.op(a, b) into a stale target and into each operand, and a.op(a, a).
template <class T>
void checkForms(BinaryOp<T> op, OracleOp oracle, T &target, const T &a, const T &b,
                const std::string &at) {
    const Mpz A(a), B(b);
    Mpz want;
    oracle(want, A, B);
    (target.*op)(a, b);
    EXPECT_TRUE(equals(target, want)) << "r.op(a, b), " << at;
    T x = a;
    (x.*op)(x, b);
    EXPECT_TRUE(equals(x, want)) << "a.op(a, b), " << at;
    x = b, (x.*op)(a, x);
    EXPECT_TRUE(equals(x, want)) << "b.op(a, b), " << at;
    oracle(want, A, A);
    x = a, (x.*op)(x, x);
    EXPECT_TRUE(equals(x, want)) << "a.op(a, a), " << at;
}

TEST(DifferentialBigUnsigned, AddSubtractMultiplyCompare) {
    const std::uint64_t seed = seedBase + 1;
    Gen gen(seed);
    BigUnsigned r;
    for (int i = 0; i < 1500 && !enoughFailures(); ++i) {
        auto [a, b] = gen.pair();
        const std::string at = where(seed, i, a, b);
        const int order = mpz_cmp(Mpz(a), Mpz(b));
        EXPECT_EQ(a.compare(b), (order > 0) - (order < 0)) << at;
        EXPECT_EQ(a == b, order == 0) << at;
        EXPECT_EQ(a < b, order < 0) << at;
        EXPECT_EQ(a >= b, order >= 0) << at;

        checkForms<BigUnsigned>(&BigUnsigned::add, mpz_add, r, a, b, "add, " + at);
        checkForms<BigUnsigned>(&BigUnsigned::multiply, mpz_mul, r, a, b, "multiply, " + at);
        // The order that does not go negative, and the one that does unless a == b.
        const BigUnsigned &big = order >= 0 ? a : b, &small = order >= 0 ? b : a;
        checkForms<BigUnsigned>(&BigUnsigned::subtract, mpz_sub, r, big, small, "subtract, " + at);
        if (order != 0) {
            EXPECT_EQ(thrownText([&] { r.subtract(small, big); }), negativeResult) << at;
            EXPECT_EQ(thrownText([&] { (void)(small - big); }), negativeResult) << at;
        }
    }
}

// r.divideWithRemainder(b, q), also with b as q and with r as b; q and r start out stale.
template <class T>
void checkDivision(const T &a, const T &b, mpz_srcptr wantQ, mpz_srcptr wantR,
                   const std::string &at) {
    T r = a, q = b;
    r.divideWithRemainder(b, q);
    EXPECT_TRUE(equals(q, wantQ)) << "quotient, " << at;
    EXPECT_TRUE(equals(r, wantR)) << "remainder, " << at;
    T x = a, d = b;
    x.divideWithRemainder(d, d);
    EXPECT_TRUE(equals(d, wantQ)) << "a.divideWithRemainder(b, b) quotient, " << at;
    EXPECT_TRUE(equals(x, wantR)) << "a.divideWithRemainder(b, b) remainder, " << at;
    x = a, q = b;
    x.divideWithRemainder(x, q);
    EXPECT_TRUE(equals(q, Mpz(T(a.isZero() ? 0 : 1)))) << "a / a quotient, " << at;
    EXPECT_TRUE(equals(x, Mpz())) << "a / a remainder, " << at;
}

void checkUnsignedDivision(const BigUnsigned &a, const BigUnsigned &b, const std::string &at) {
    Mpz wantQ, wantR(a); // dividing by zero leaves the dividend and sets q to 0
    if (!b.isZero()) mpz_tdiv_qr(wantQ, wantR, Mpz(a), Mpz(b));
    checkDivision(a, b, wantQ, wantR, at);
}

TEST(DifferentialBigUnsigned, DivideWithRemainder) {
    // Long-division steps whose quotient-block estimate needs correcting or adding back.
    const std::vector<Blk> fixed[][2] = {
        {{0, 0, 0x80000000, 0x7FFFFFFF}, {1, 0, 0x80000000}},
        {{0xFFFFFFFF, 1, 1, 0x7FFFFFFF}, {0xFFFFFFFF, 0x80000000, 0x7FFFFFFF}},
        {{2, 0, 1, 0xFFFFFFFE}, {0x80000001, 1, 0xFFFFFFFE}},
        {{0x7FFFFFFF, 1, 0x80000001, 0x80000001}, {1, 1, 1}},
        {{0xFFFFFFFE, 0x7FFFFFFF, 0, 0, 0x7FFFFFFF}, {0xFFFFFFFE, 0, 0xFFFFFFFE}},
        {{0, 0xFFFFFFFE, 0x80000000}, {0xFFFFFFFF, 0x80000000}},
    };
    for (const auto &[u, v] : fixed) {
        const BigUnsigned a(u.data(), Index(u.size())), b(v.data(), Index(v.size()));
        checkUnsignedDivision(a, b, "fixed case, a = " + show(a) + ", b = " + show(b));
    }

    const std::uint64_t seed = seedBase + 2;
    Gen gen(seed);
    for (int i = 0; i < 3000 && !enoughFailures(); ++i) {
        BigUnsigned a, b;
        switch (gen.below(4)) {
        case 0: { // a = q * b + r with r often at its extremes
            b = gen.number(Index(gen.below(41)), gen.coin() ? 6 : gen.coin() ? 7 : -1);
            Mpz B(b), D(gen.any(200)), R(gen.number(b.getLength()));
            mpz_mul(D, D, B);
            if (B.sign() != 0) {
                const auto end = gen.below(3);
                if (end == 0) mpz_sub_ui(R, B, 1);
                mpz_tdiv_r(R, R, B);
                if (end == 1) mpz_set_ui(R, 0);
                mpz_add(D, D, R);
            }
            a = toUnsigned(D);
            break;
        }
        case 1: // small operands of special blocks, where quotient estimates fail most
            a = gen.number(Index(2 + gen.below(6)), 5);
            b = gen.number(Index(1 + gen.below(4)), 5);
            break;
        default:
            std::tie(a, b) = gen.pair(); // includes divisors just below the dividend
        }
        checkUnsignedDivision(a, b, where(seed, i, a, b));
    }
}

TEST(DifferentialBigUnsigned, BitShifts) {
    std::vector<int> amounts;
    for (int n = 0; n <= 200; ++n)
        amounts.push_back(n);
    for (int k = 7; k <= 12; ++k)
        amounts.insert(amounts.end(), {32 * k - 1, 32 * k, 32 * k + 1});
    amounts.insert(amounts.end(), {32 * 301 - 1, 32 * 301 + 1, 100000});

    using Shift = void (BigUnsigned::*)(const BigUnsigned &, int);
    const Shift left = &BigUnsigned::bitShiftLeft, right = &BigUnsigned::bitShiftRight;
    const std::uint64_t seed = seedBase + 3;
    Gen gen(seed);
    BigUnsigned r, x;
    Mpz wantLeft, wantRight;
    const struct {
        const char *name;
        Shift op;
        int sign;
        mpz_srcptr want;
    } forms[] = {{"a << n", left, 1, wantLeft},
                 {"a >> -n", right, -1, wantLeft},
                 {"a >> n", right, 1, wantRight},
                 {"a << -n", left, -1, wantRight}};
    for (int i = 0; i < 30 && !enoughFailures(); ++i) {
        const BigUnsigned a = gen.any();
        const Mpz A(a);
        for (int n : amounts) {
            mpz_mul_2exp(wantLeft, A, mp_bitcnt_t(n));
            mpz_fdiv_q_2exp(wantRight, A, mp_bitcnt_t(n));
            for (const auto &f : forms) {
                (r.*f.op)(a, f.sign * n);
                EXPECT_TRUE(equals(r, f.want)) << f.name << ", " << where(seed, i, a, n);
                x = a, (x.*f.op)(x, f.sign * n);
                EXPECT_TRUE(equals(x, f.want)) << f.name << " in place, " << where(seed, i, a, n);
            }
        }
    }
}

TEST(DifferentialBigUnsigned, GreatestCommonDivisor) {
    const std::uint64_t seed = seedBase + 4;
    Gen gen(seed);
    Mpz want;
    for (int i = 0; i < 300 && !enoughFailures(); ++i) {
        auto [a, b] = gen.pair(40);
        if (gen.coin()) { // a common factor, so that the answer is not usually 1
            const Mpz G(gen.any(20));
            Mpz A(a), B(b);
            mpz_mul(A, A, G), mpz_mul(B, B, G);
            a = toUnsigned(A), b = toUnsigned(B);
        }
        mpz_gcd(want, Mpz(a), Mpz(b));
        EXPECT_TRUE(equals(greatestCommonDivisor(a, b), want)) << where(seed, i, a, b);
        EXPECT_TRUE(equals(greatestCommonDivisor(b, a), want)) << where(seed, i, b, a);
    }
}

TEST(DifferentialBigUnsigned, IncrementDecrement) {
    const std::uint64_t seed = seedBase + 5;
    Gen gen(seed);
    Mpz up, down;
    for (int i = 0; i < 2000 && !enoughFailures(); ++i) {
        const BigUnsigned a = gen.number(gen.size(20), gen.coin() ? 2 : gen.coin() ? 4 : -1);
        const Mpz A(a);
        const std::string at = where(seed, i, a);
        mpz_add_ui(up, A, 1);
        BigUnsigned x = a;
        EXPECT_TRUE(equals(++x, up)) << "++a, " << at;
        x = a;
        EXPECT_TRUE(equals(x++, A)) << "a++, " << at;
        EXPECT_TRUE(equals(x, up)) << "a++, " << at;
        x = a;
        if (a.isZero()) {
            EXPECT_EQ(thrownText([&] { --x; }),
                      "BigUnsigned::operator --(): Cannot decrement an unsigned zero");
            continue;
        }
        mpz_sub_ui(down, A, 1);
        EXPECT_TRUE(equals(--x, down)) << "--a, " << at;
        x = a;
        EXPECT_TRUE(equals(x--, A)) << "a--, " << at;
        EXPECT_TRUE(equals(x, down)) << "a--, " << at;
    }
}

TEST(DifferentialBigInteger, AddSubtractMultiply) {
    const std::uint64_t seed = seedBase + 6;
    Gen gen(seed);
    BigInteger r, x;
    Mpz want;
    for (int i = 0; i < 500 && !enoughFailures(); ++i) {
        auto [ma, mb] = gen.pair(120);
        for (int signs = 0; signs < 4; ++signs) {
            const BigInteger a = gen.withSign(ma, signs & 1), b = gen.withSign(mb, signs & 2);
            const Mpz A(a), B(b);
            const std::string at = where(seed, i, a, b);
            const int order = mpz_cmp(A, B);
            EXPECT_EQ(a.compare(b), (order > 0) - (order < 0)) << at;

            checkForms<BigInteger>(&BigInteger::add, mpz_add, r, a, b, "add, " + at);
            checkForms<BigInteger>(&BigInteger::subtract, mpz_sub, r, a, b, "subtract, " + at);
            checkForms<BigInteger>(&BigInteger::multiply, mpz_mul, r, a, b, "multiply, " + at);
            mpz_add(want, A, B);
            EXPECT_TRUE(equals((x = a) += b, want)) << "a += b, " << at;
            mpz_sub(want, A, B);
            EXPECT_TRUE(equals(a - b, want)) << "a - b, " << at;
            EXPECT_TRUE(equals((x = a) -= b, want)) << "a -= b, " << at;
            mpz_mul(want, A, B);
            EXPECT_TRUE(equals(a * b, want)) << "a * b, " << at;
            EXPECT_TRUE(equals((x = a) *= b, want)) << "a *= b, " << at;
        }
    }
}

TEST(DifferentialBigInteger, FloorDivision) {
    const std::uint64_t seed = seedBase + 7;
    Gen gen(seed);
    Mpz wantQ, wantR;
    BigInteger x;
    for (int i = 0; i < 500 && !enoughFailures(); ++i) {
        auto [ma, mb] = gen.pair(120);
        if (gen.coin()) mb = gen.number(Index(gen.below(4)), gen.coin() ? 6 : 7);
        for (int signs = 0; signs < 4; ++signs) {
            const BigInteger a = gen.withSign(ma, signs & 1), b = gen.withSign(mb, signs & 2);
            const Mpz A(a), B(b);
            const std::string at = where(seed, i, a, b);
            if (b.isZero()) {
                checkDivision(a, b, Mpz(), A, at);
                x = a;
                EXPECT_EQ(thrownText([&] { x = a / b; }),
                          "BigInteger::operator /: division by zero");
                EXPECT_EQ(thrownText([&] { x = a % b; }),
                          "BigInteger::operator %: division by zero");
                EXPECT_EQ(thrownText([&] { x /= b; }), "BigInteger::operator /=: division by zero");
                EXPECT_EQ(thrownText([&] { x %= b; }), "BigInteger::operator %=: division by zero");
                continue;
            }
            mpz_fdiv_qr(wantQ, wantR, A, B);
            checkDivision(a, b, wantQ, wantR, at);
            EXPECT_TRUE(equals(a / b, wantQ)) << "a / b, " << at;
            EXPECT_TRUE(equals(a % b, wantR)) << "a % b, " << at;
            EXPECT_TRUE(equals((x = a) /= b, wantQ)) << "a /= b, " << at;
            EXPECT_TRUE(equals((x = a) %= b, wantR)) << "a %= b, " << at;
        }
    }
}

// "1" and d zeros (built so: GCC 12 at -O3 warns falsely on "1" + std::string).
std::string powerOfTenText(std::size_t d) {
    std::string s(d + 1, '0');
    s[0] = '1';
    return s;
}

std::string lower(std::string s) {
    for (char &c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST(DifferentialText, EveryBase) {
    const std::uint64_t seed = seedBase + 8;
    Gen gen(seed);
    // Values next to a machine word's limits, where short texts change their way of reading.
    const std::vector<std::vector<BigUnsigned::Blk>> edges = {
        {}, {1}, {0xFFFFFFFF}, {0, 1}, {0xFFFFFFFF, 0xFFFFFFFF}, {0, 0, 1}, {1, 0, 1}};
    for (unsigned short base = 2; base <= 36 && !enoughFailures(); ++base) {
        for (int i = 0; i < 30 + int(edges.size()); ++i) {
            const auto &edge = edges[std::size_t(i) % edges.size()];
            const BigUnsigned a = i >= 30
                                      ? BigUnsigned(edge.data(), BigUnsigned::Index(edge.size()))
                                      : gen.any(i == 0 ? 150 : 30);
            const BigInteger v = gen.withSign(a, gen.coin());
            const Mpz A(a), V(v);
            const std::string at = "base " + std::to_string(base) + ", " + where(seed, i, v);
            const std::string upper = text(A, -base), signedUpper = text(V, -base);
            ASSERT_EQ(lower(upper), text(A, base)) << "the oracle's letter case";

            EXPECT_EQ(unsignedToText(a, base), upper) << at;
            EXPECT_TRUE(equals(textToUnsigned(upper, base), A)) << at;
            EXPECT_TRUE(equals(textToUnsigned(lower(upper), base), A)) << at;
            EXPECT_TRUE(equals(textToUnsigned("00" + upper, base), A)) << "leading zeros, " << at;

            EXPECT_EQ(integerToText(v, base), signedUpper) << at;
            EXPECT_TRUE(equals(textToInteger(signedUpper, base), V)) << at;
            EXPECT_TRUE(equals(textToInteger(lower(signedUpper), base), V)) << at;
            if (v.getSign() == BigInteger::positive) {
                EXPECT_TRUE(equals(textToInteger(lower("+" + upper), base), V)) << at;
            }
        }
    }
}

// Decimal texts at every size around the quadratic conversions (19 digits a 64-bit step) and
// their hand-over to the recursive ones: every block count to 140 in every shape, and
// 10^d - 1, 10^d and 10^d + 1 for every digit count to 1400, where the groups of 19 digits
// and the powers of ten split.
TEST(DifferentialText, DecimalAroundTheQuadraticConversions) {
    const std::uint64_t seed = seedBase + 9;
    Gen gen(seed);
    auto check = [&](const BigUnsigned &a, const std::string &at) {
        const Mpz A(a);
        const std::string digits = text(A, 10);
        EXPECT_EQ(unsignedToText(a, 10), digits) << at;
        EXPECT_TRUE(equals(textToUnsigned(digits, 10), A)) << at;
        EXPECT_TRUE(equals(textToUnsigned("000" + digits, 10), A)) << "leading zeros, " << at;
    };
    for (BigUnsigned::Index n = 1; n <= 140 && !enoughFailures(); ++n) {
        for (int shape = 0; shape < 9; ++shape)
            check(gen.number(n, shape), "blocks " + std::to_string(n) + ", shape " +
                                            std::to_string(shape) + ", seed " +
                                            std::to_string(seed));
    }
    for (std::size_t d = 1; d <= 1400 && !enoughFailures(); ++d) {
        const BigUnsigned power = textToUnsigned(powerOfTenText(d), 10);
        check(power, "10^" + std::to_string(d));
        check(power - BigUnsigned(1u), "10^" + std::to_string(d) + " - 1");
        check(power + BigUnsigned(1u), "10^" + std::to_string(d) + " + 1");
    }
}

// Decimal texts around the crossovers of the text conversions: reading by Horner's rule 38
// digits a pass up to 300 blocks of room (maxBlocksForDigits, about 2390 digits) and by
// splitting the text above; writing 19 characters a chunk below 30 blocks and through the
// recursive method above. Values of every shape at the block counts on both sides, nines,
// powers of ten and their neighbours at the digit counts on both sides, and texts whose
// digits are mostly zeros or nines, so that whole blocks inside are zero or full.
TEST(DifferentialText, DecimalTextAroundItsCrossovers) {
    const std::uint64_t seed = seedBase + 10;
    Gen gen(seed);
    auto check = [&](const BigUnsigned &a, const std::string &at) {
        const Mpz A(a);
        const std::string digits = text(A, 10);
        EXPECT_EQ(unsignedToText(a, 10), digits) << at;
        EXPECT_TRUE(equals(textToUnsigned(digits, 10), A)) << at;
        std::string padded = "0";
        padded += digits;
        EXPECT_TRUE(equals(textToUnsigned(padded, 10), A)) << "leading zero, " << at;
    };
    struct Range {
        BigUnsigned::Index firstBlocks, lastBlocks;
        std::size_t firstDigits, lastDigits;
    };
    const Range ranges[] = {
        {26, 34, 240, 330},     // writing: the quadratic method and the recursive one
        {240, 256, 2370, 2410}, // reading: Horner's rule and the split text
        {490, 500, 4760, 4800}, // reading: the split text's pieces at the threshold
    };
    for (const Range &r : ranges) {
        for (BigUnsigned::Index n = r.firstBlocks; n <= r.lastBlocks && !enoughFailures(); ++n) {
            for (int shape = 0; shape < 9; ++shape)
                check(gen.number(n, shape), "blocks " + std::to_string(n) + ", shape " +
                                                std::to_string(shape) + ", seed " +
                                                std::to_string(seed));
        }
        for (std::size_t d = r.firstDigits; d <= r.lastDigits && !enoughFailures(); ++d) {
            const BigUnsigned power = textToUnsigned(powerOfTenText(d), 10);
            const std::string at = "10^" + std::to_string(d);
            check(power, at);
            check(power - BigUnsigned(1u), at + " - 1");
            check(power + BigUnsigned(1u), at + " + 1");
            std::string sparse(d, '0'), full(d, '9');
            for (int k = 0; k < 4; ++k) {
                sparse[gen.below(d)] = char('1' + gen.below(9));
                full[gen.below(d)] = char('0' + gen.below(9));
            }
            sparse[0] = '7';
            check(textToUnsigned(sparse, 10), "mostly zeros, " + at);
            check(textToUnsigned(full, 10), "mostly nines, " + at);
        }
    }
}

} // namespace
