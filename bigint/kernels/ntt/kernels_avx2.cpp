// SPDX-License-Identifier: MIT
// AVX2 kernels: eight values at a time. The three lowest levels work on chunks of 64 values
// transposed as 8 x 8, so that every level is a vertical operation; the forward transform
// leaves the chunks transposed and the inverse starts from that order.
//
// This file alone is compiled with -mavx2 (bigint/CMakeLists.txt, x86-64 only). Everything in
// it but the table at the end has internal linkage, and it calls no inline function of a
// header that other files share, so none of its code can stand in for theirs; the table is
// reached only through availableKernels, once the processor has said it has AVX2.
#include "bigint/kernels/ntt/kernel_set.h"

#include <immintrin.h>

#ifndef __AVX2__
#error "kernels_avx2.cpp is compiled with -mavx2 (see bigint/CMakeLists.txt)"
#endif

namespace bigint::kernels::ntt {
namespace {

struct Avx2 {
    using V = __m256i;
    static constexpr int bottomLevels = 3;

    static V load(const u32 *x) { return _mm256_load_si256(reinterpret_cast<const V *>(x)); }
    static void store(u32 *x, V v) { _mm256_store_si256(reinterpret_cast<V *>(x), v); }
    static V loadu(const u32 *x) { return _mm256_loadu_si256(reinterpret_cast<const V *>(x)); }
    static void storeu(u32 *x, V v) { _mm256_storeu_si256(reinterpret_cast<V *>(x), v); }
    static V all(u32 v) { return _mm256_set1_epi32(int(v)); }

    static V add(V a, V b, V p) {
        const V s = _mm256_add_epi32(a, b);
        return _mm256_min_epu32(s, _mm256_sub_epi32(s, p));
    }
    static V sub(V a, V b, V p) {
        const V d = _mm256_sub_epi32(a, b);
        return _mm256_min_epu32(d, _mm256_add_epi32(d, p));
    }
    // a - b + p and a + b in [0, 2p), unreduced: only as inputs to the products below.
    static V subLazy(V a, V b, V p) { return _mm256_add_epi32(_mm256_sub_epi32(a, b), p); }
    static V addLazy(V a, V b) { return _mm256_add_epi32(a, b); }
    // a b R^-1 mod p for lanes a < 2^32, b < p (Montgomery): the differences a b - q p with
    // q = a b p^-1 mod 2^32 have zero low halves, and their high halves are the results, less
    // p when negative.
    static V mul(V a, V b, V pinv, V p) {
        const V q = _mm256_mullo_epi32(_mm256_mullo_epi32(a, b), pinv);
        const V te = _mm256_mul_epu32(a, b);
        const V to = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), _mm256_srli_epi64(b, 32));
        const V qe = _mm256_mul_epu32(q, p);
        const V qo = _mm256_mul_epu32(_mm256_srli_epi64(q, 32), p);
        const V r = _mm256_blend_epi32(_mm256_srli_epi64(_mm256_sub_epi64(te, qe), 32),
                                       _mm256_sub_epi64(to, qo), 0xAA);
        return _mm256_min_epu32(r, _mm256_add_epi32(r, p));
    }
    // a w mod p for lanes a < 2^32 and a constant (Shoup): w and ws the same in every lane.
    static V mulAll(V a, V w, V ws, V p) {
        const V qe = _mm256_mul_epu32(a, ws);
        const V qo = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), ws);
        const V q = _mm256_blend_epi32(_mm256_srli_epi64(qe, 32), qo, 0xAA);
        const V r = _mm256_sub_epi32(_mm256_mullo_epi32(a, w), _mm256_mullo_epi32(q, p));
        return _mm256_min_epu32(r, _mm256_sub_epi32(r, p));
    }
    // The same with a constant per lane.
    static V mulEach(V a, V w, V ws, V p) {
        const V qe = _mm256_mul_epu32(a, ws);
        const V qo = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), _mm256_srli_epi64(ws, 32));
        const V q = _mm256_blend_epi32(_mm256_srli_epi64(qe, 32), qo, 0xAA);
        const V r = _mm256_sub_epi32(_mm256_mullo_epi32(a, w), _mm256_mullo_epi32(q, p));
        return _mm256_min_epu32(r, _mm256_sub_epi32(r, p));
    }

    // A constant in every lane, with its companion.
    struct Constant {
        V w, ws;
        Constant() = default;
        explicit Constant(Factor f) : w(all(f.w)), ws(all(f.ws)) {}
        V times(V a, V p) const { return mulAll(a, w, ws, p); }
    };

    // One block of forward4; block 0's twiddles are all 1.
    template <bool first>
    static void forward4Block(u32 *x, std::size_t q, const Constant (&w)[3], const Constant &im,
                              V p) {
        for (std::size_t i = 0; i < q; i += 8) {
            V a0 = load(x + i), c1 = load(x + i + q), c2 = load(x + i + 2 * q),
              c3 = load(x + i + 3 * q);
            if constexpr (!first) {
                c1 = w[0].times(c1, p);
                c2 = w[1].times(c2, p);
                c3 = w[2].times(c3, p);
            }
            const V s = add(a0, c2, p), d = sub(a0, c2, p), e = add(c1, c3, p),
                    f = im.times(subLazy(c1, c3, p), p);
            store(x + i, add(s, e, p));
            store(x + i + q, sub(s, e, p));
            store(x + i + 2 * q, add(d, f, p));
            store(x + i + 3 * q, sub(d, f, p));
        }
    }

    static void forward4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const V p = all(m.p);
        const Constant im(forwardAt(t, 1));
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor f1 = forwardAt(t, 2 * j), f2 = forwardAt(t, j);
            const Constant w[3] = {Constant(f1), Constant(f2),
                                   Constant(factorOf(mulShoup(f1.w, f2.w, f2.ws, m.p), m))};
            if (j == 0)
                forward4Block<true>(x, q, w, im, p);
            else
                forward4Block<false>(x, q, w, im, p);
        }
    }

    static void forward2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t h = size / 2;
        const V p = all(m.p);
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Constant w(forwardAt(t, j));
            for (std::size_t i = 0; i < h; i += 8) {
                const V u = load(x + i), v = w.times(load(x + i + h), p);
                store(x + i, add(u, v, p));
                store(x + i + h, sub(u, v, p));
            }
        }
    }

    template <bool first>
    static void inverse4Block(u32 *x, std::size_t q, const Constant (&v)[3], const Constant &im,
                              V p) {
        for (std::size_t i = 0; i < q; i += 8) {
            const V y0 = load(x + i), y1 = load(x + i + q), y2 = load(x + i + 2 * q),
                    y3 = load(x + i + 3 * q);
            const V s = add(y0, y1, p), d = sub(y0, y1, p), e = add(y2, y3, p),
                    f = im.times(subLazy(y2, y3, p), p);
            store(x + i, add(s, e, p));
            if constexpr (first) {
                store(x + i + q, add(d, f, p));
                store(x + i + 2 * q, sub(s, e, p));
                store(x + i + 3 * q, sub(d, f, p));
            } else {
                store(x + i + q, v[0].times(addLazy(d, f), p));
                store(x + i + 2 * q, v[1].times(subLazy(s, e, p), p));
                store(x + i + 3 * q, v[2].times(subLazy(d, f, p), p));
            }
        }
    }

    static void inverse4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const V p = all(m.p);
        const Constant im(inverseAt(t, 1));
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor f1 = inverseAt(t, 2 * j), f2 = inverseAt(t, j);
            const Constant v[3] = {Constant(f1), Constant(f2),
                                   Constant(factorOf(mulShoup(f1.w, f2.w, f2.ws, m.p), m))};
            if (j == 0)
                inverse4Block<true>(x, q, v, im, p);
            else
                inverse4Block<false>(x, q, v, im, p);
        }
    }

    static void inverse2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size)
            joinPairs(x, size / 2, size / 2, inverseAt(t, j), m);
    }

    // count a multiple of 8, x and x + h aligned.
    static void joinPairs(u32 *x, std::size_t h, std::size_t count, Factor f, const Modulus &m) {
        const V p = all(m.p);
        const Constant v(f);
        for (std::size_t i = 0; i < count; i += 8) {
            const V u = load(x + i), w = load(x + i + h);
            store(x + i, add(u, w, p));
            store(x + i + h, v.times(subLazy(u, w, p), p));
        }
    }

    // t[r] := column r of the 8 x 8 matrix whose rows are t[0..7].
    static void transpose(V (&t)[8]) {
        const V a0 = _mm256_unpacklo_epi32(t[0], t[1]), a1 = _mm256_unpackhi_epi32(t[0], t[1]);
        const V a2 = _mm256_unpacklo_epi32(t[2], t[3]), a3 = _mm256_unpackhi_epi32(t[2], t[3]);
        const V a4 = _mm256_unpacklo_epi32(t[4], t[5]), a5 = _mm256_unpackhi_epi32(t[4], t[5]);
        const V a6 = _mm256_unpacklo_epi32(t[6], t[7]), a7 = _mm256_unpackhi_epi32(t[6], t[7]);
        const V b0 = _mm256_unpacklo_epi64(a0, a2), b1 = _mm256_unpackhi_epi64(a0, a2);
        const V b2 = _mm256_unpacklo_epi64(a1, a3), b3 = _mm256_unpackhi_epi64(a1, a3);
        const V b4 = _mm256_unpacklo_epi64(a4, a6), b5 = _mm256_unpackhi_epi64(a4, a6);
        const V b6 = _mm256_unpacklo_epi64(a5, a7), b7 = _mm256_unpackhi_epi64(a5, a7);
        t[0] = _mm256_permute2x128_si256(b0, b4, 0x20);
        t[1] = _mm256_permute2x128_si256(b1, b5, 0x20);
        t[2] = _mm256_permute2x128_si256(b2, b6, 0x20);
        t[3] = _mm256_permute2x128_si256(b3, b7, 0x20);
        t[4] = _mm256_permute2x128_si256(b0, b4, 0x31);
        t[5] = _mm256_permute2x128_si256(b1, b5, 0x31);
        t[6] = _mm256_permute2x128_si256(b2, b6, 0x31);
        t[7] = _mm256_permute2x128_si256(b3, b7, 0x31);
    }

    // Entries 2c and 2c + 1 of tw[0..16) as vectors over c.
    static void deinterleave2(const u32 *tw, V &even, V &odd) {
        const __m256 lo = _mm256_castsi256_ps(load(tw)), hi = _mm256_castsi256_ps(load(tw + 8));
        even = _mm256_permute4x64_epi64(_mm256_castps_si256(_mm256_shuffle_ps(lo, hi, 0x88)), 0xD8);
        odd = _mm256_permute4x64_epi64(_mm256_castps_si256(_mm256_shuffle_ps(lo, hi, 0xDD)), 0xD8);
    }
    // Entries 4c + k of tw[0..32) as vectors over c (the transpose of an 8 x 4 matrix).
    static void deinterleave4(const u32 *tw, V (&w)[4]) {
        const V c0 = load(tw), c1 = load(tw + 8), c2 = load(tw + 16), c3 = load(tw + 24);
        const V p0 = _mm256_permute2x128_si256(c0, c2, 0x20),
                p1 = _mm256_permute2x128_si256(c0, c2, 0x31),
                p2 = _mm256_permute2x128_si256(c1, c3, 0x20),
                p3 = _mm256_permute2x128_si256(c1, c3, 0x31);
        const V t0 = _mm256_unpacklo_epi32(p0, p1), t1 = _mm256_unpackhi_epi32(p0, p1),
                t2 = _mm256_unpacklo_epi32(p2, p3), t3 = _mm256_unpackhi_epi32(p2, p3);
        w[0] = _mm256_unpacklo_epi64(t0, t2);
        w[1] = _mm256_unpackhi_epi64(t0, t2);
        w[2] = _mm256_unpacklo_epi64(t1, t3);
        w[3] = _mm256_unpackhi_epi64(t1, t3);
    }

    // The twiddles of the three lowest levels of chunk q from the table tw and its
    // companions ts: lane c of w8 is block 8q + c (length 8), of w4[h] block 16q + 2c + h
    // (length 4), of w2[k] block 32q + 4c + k (length 2).
    struct BottomTwiddles {
        V w8, s8, w4[2], s4[2], w2[4], s2[4];

        BottomTwiddles(const u32 *tw, const u32 *ts, std::size_t q) {
            w8 = load(tw + 8 * q);
            s8 = load(ts + 8 * q);
            deinterleave2(tw + 16 * q, w4[0], w4[1]);
            deinterleave2(ts + 16 * q, s4[0], s4[1]);
            deinterleave4(tw + 32 * q, w2);
            deinterleave4(ts + 32 * q, s2);
        }
    };

    static void forwardPair(V &a, V &b, V w, V ws, V p) {
        const V v = mulEach(b, w, ws, p);
        b = sub(a, v, p);
        a = add(a, v, p);
    }
    static void inversePair(V &a, V &b, V w, V ws, V p) {
        const V d = subLazy(a, b, p);
        a = add(a, b, p);
        b = mulEach(d, w, ws, p);
    }

    // The levels of block lengths 8, 4 and 2 of `chunks` chunks of 64 values; chunk k is
    // block q + k of its level. After the transpose, lane c of v[r] is value 8c + r.
    static void forwardBottom(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                              const Modulus &m) {
        const V p = all(m.p);
        for (std::size_t k = 0; k < chunks; ++k, ++q, x += 64) {
            V v[8];
            for (int r = 0; r < 8; ++r)
                v[r] = load(x + 8 * r);
            transpose(v);
            const BottomTwiddles w(t.fwd, t.fwdShoup, q);
            for (int r = 0; r < 4; ++r)
                forwardPair(v[r], v[r + 4], w.w8, w.s8, p);
            forwardPair(v[0], v[2], w.w4[0], w.s4[0], p);
            forwardPair(v[1], v[3], w.w4[0], w.s4[0], p);
            forwardPair(v[4], v[6], w.w4[1], w.s4[1], p);
            forwardPair(v[5], v[7], w.w4[1], w.s4[1], p);
            for (int r = 0; r < 4; ++r)
                forwardPair(v[2 * r], v[2 * r + 1], w.w2[r], w.s2[r], p);
            for (int r = 0; r < 8; ++r)
                store(x + 8 * r, v[r]);
        }
    }

    static void inverseBottom(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                              const Modulus &m) {
        const V p = all(m.p);
        for (std::size_t k = 0; k < chunks; ++k, ++q, x += 64) {
            V v[8];
            for (int r = 0; r < 8; ++r)
                v[r] = load(x + 8 * r);
            const BottomTwiddles w(t.inv, t.invShoup, q);
            for (int r = 0; r < 4; ++r)
                inversePair(v[2 * r], v[2 * r + 1], w.w2[r], w.s2[r], p);
            inversePair(v[0], v[2], w.w4[0], w.s4[0], p);
            inversePair(v[1], v[3], w.w4[0], w.s4[0], p);
            inversePair(v[4], v[6], w.w4[1], w.s4[1], p);
            inversePair(v[5], v[7], w.w4[1], w.s4[1], p);
            for (int r = 0; r < 4; ++r)
                inversePair(v[r], v[r + 4], w.w8, w.s8, p);
            transpose(v);
            for (int r = 0; r < 8; ++r)
                store(x + 8 * r, v[r]);
        }
    }

    static void pointwise(u32 *x, const u32 *y, std::size_t n, const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv);
        for (std::size_t i = 0; i < n; i += 8) {
            const V a = load(x + i);
            store(x + i, mul(a, y ? load(y + i) : a, pinv, p));
        }
    }

    static void loadResidue(u32 *x, std::size_t s, const u32 *src, std::size_t len, const Factor *c,
                            const Modulus &m) {
        const V p = all(m.p);
        Constant cs[maxResidueTerms];
        for (std::size_t j = 0; j * s < len; ++j)
            cs[j] = Constant(c[j]);
        for (std::size_t i = 0; i < s; i += 8) {
            V v = _mm256_setzero_si256();
            for (std::size_t j = 0, at = i; at < len; ++j, at += s) {
                V a;
                if (at + 8 <= len) {
                    a = loadu(src + at);
                } else {
                    alignas(32) u32 part[8] = {};
                    for (std::size_t k = at; k < len; ++k)
                        part[k - at] = src[k];
                    a = load(part);
                }
                v = add(v, cs[j].times(a, p), p);
            }
            store(x + i, v);
        }
    }

    static void digits(const Garner &g, u32 *x0, u32 *x1, u32 *x2, std::size_t count) {
        const V p0 = all(moduli[0].p), p1 = all(moduli[1].p), p2 = all(moduli[2].p);
        const Constant k0(g.k0), k1a(g.k1a), k1b(g.k1b), k2a(g.k2a), k2b(g.k2b), k2c(g.k2c);
        std::size_t i = 0;
        for (; i + 8 <= count; i += 8) {
            const V d0 = k0.times(loadu(x0 + i), p0);
            const V d1 = sub(k1a.times(loadu(x1 + i), p1), k1b.times(d0, p1), p1);
            const V d2 = sub(sub(k2a.times(loadu(x2 + i), p2), k2b.times(d0, p2), p2),
                             k2c.times(d1, p2), p2);
            storeu(x0 + i, d0);
            storeu(x1 + i, d1);
            storeu(x2 + i, d2);
        }
        portableKernels.digits(g, x0 + i, x1 + i, x2 + i, count - i);
    }

    // The joins' loops (kernel_set.h), with from and to multiples of 8.
    static void joinPart(u32 *x, std::size_t n, std::size_t len, const Factor *c, std::size_t from,
                         std::size_t to, const Modulus &m) {
        const V p = all(m.p);
        Constant cs[4];
        for (std::size_t t = 1; t < n / len; ++t)
            cs[t] = Constant(c[t]);
        for (std::size_t k = from; k < to; k += 8) {
            V u = load(x + k), g = load(x + n + k);
            for (std::size_t t = 1; t < n / len; ++t) {
                const V f = load(x + t * len + k);
                u = add(u, cs[t].times(f, p), p);
                store(x + t * len + k, add(f, f, p));
                if ((t & (t - 1)) == 0) g = add(g, g, p);
            }
            const V d = sub(u, g, p), x0 = load(x + k);
            store(x + k, sub(add(x0, x0, p), d, p));
            store(x + n + k, d);
        }
    }

    static void joinLast(u32 *x, std::size_t q, const Factor *c, Factor over, Factor im,
                         std::size_t from, std::size_t to, const Modulus &m) {
        const V p = all(m.p);
        Constant cs[6];
        for (std::size_t t = 1; t < 6; ++t)
            cs[t] = Constant(c[t]);
        const Constant ov(over), i(im);
        for (std::size_t k = from; k < to; k += 8) {
            V u = load(x + k), g = load(x + 6 * q + k);
            for (std::size_t t = 1; t < 6; ++t)
                u = add(u, cs[t].times(load(x + t * q + k), p), p);
            for (int j = 0; j < 3; ++j)
                g = add(g, g, p);
            const V v = ov.times(subLazy(g, u, p), p), iv = i.times(v, p);
            store(x + k, add(load(x + k), iv, p));
            store(x + 2 * q + k, sub(load(x + 2 * q + k), v, p));
            store(x + 4 * q + k, sub(load(x + 4 * q + k), iv, p));
            store(x + 6 * q + k, v);
        }
    }

    // x[i] := x[i] theta^i for i < n, n a multiple of 32, theta in Montgomery form: four
    // vectors of powers, each stepping by theta^32.
    static void twist(u32 *x, std::size_t n, u32 theta, const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv);
        alignas(32) u32 first[32];
        first[0] = m.one;
        for (int k = 1; k < 32; ++k)
            first[k] = ntt::mul(first[k - 1], theta, m);
        V power[4];
        for (int k = 0; k < 4; ++k)
            power[k] = load(first + 8 * k);
        const V step = all(ntt::mul(first[31], theta, m));
        for (std::size_t i = 0; i < n; i += 32) {
            for (int k = 0; k < 4; ++k) {
                store(x + i + 8 * k, mul(load(x + i + 8 * k), power[k], pinv, p));
                power[k] = mul(power[k], step, pinv, p);
            }
        }
    }

    // out[i] := in[i] f and outShoup[i] its companion -(out[i] R mod p) p^-1, all aligned,
    // count a multiple of 8.
    static void scale(u32 *out, u32 *outShoup, const u32 *in, std::size_t count, Factor f,
                      const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv), r2 = all(m.r2);
        const Constant c(f);
        for (std::size_t i = 0; i < count; i += 8) {
            const V v = c.times(load(in + i), p);
            store(out + i, v);
            store(outShoup + i, _mm256_sub_epi32(_mm256_setzero_si256(),
                                                 _mm256_mullo_epi32(mul(v, r2, pinv, p), pinv)));
        }
    }
};

} // namespace

constinit const KernelSet avx2Kernels = {
    .id = NttKernels::avx2,
    .lanes = 8,
    .bottomLevels = Avx2::bottomLevels,
    .shortest = 64, // one chunk of the bottom levels
    .shorter = &portableKernels,
    .shortestPart = 64,
    .forward4 = Avx2::forward4,
    .forward2 = Avx2::forward2,
    .inverse4 = Avx2::inverse4,
    .inverse2 = Avx2::inverse2,
    .forwardBottom = Avx2::forwardBottom,
    .inverseBottom = Avx2::inverseBottom,
    .joinPairs = Avx2::joinPairs,
    .pointwise = Avx2::pointwise,
    .loadResidue = Avx2::loadResidue,
    .digits = Avx2::digits,
    .joinPart = Avx2::joinPart,
    .joinLast = Avx2::joinLast,
    .twist = Avx2::twist,
    .scale = Avx2::scale,
};

} // namespace bigint::kernels::ntt
