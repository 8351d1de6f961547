// SPDX-License-Identifier: MIT
// AVX-512 kernels: sixteen values at a time. The four lowest levels work on chunks of 256
// values transposed as 16 x 16, so that every level is a vertical operation; the forward
// transform leaves the chunks transposed and the inverse starts from that order. What does not
// fill these vectors (transforms shorter than a chunk, ranges not in sixteens) goes to the AVX2
// kernels, which every processor with AVX-512F also has.
//
// This file alone is compiled with -mavx512f (bigint/CMakeLists.txt, x86-64 only). As with
// the AVX2 kernels, everything in it but the table at the end has internal linkage, it calls
// no inline function of a header that other files share, and the table is reached only
// through availableKernels, once the processor has said it has AVX-512F and AVX2.
#include "bigint/kernels/ntt/kernel_set.h"

#if defined(__GNUC__) && !defined(__clang__)
// GCC 12's AVX-512 intrinsics make their "undefined" vectors by initialising a variable with
// itself, which -Wmaybe-uninitialized reports wherever they are inlined.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>

#ifndef __AVX512F__
#error "kernels_avx512.cpp is compiled with -mavx512f (see bigint/CMakeLists.txt)"
#endif

namespace bigint::kernels::ntt {
namespace {

struct Avx512 {
    using V = __m512i;
    static constexpr int bottomLevels = 4;
    static constexpr __mmask16 oddLanes = 0xAAAA;

    static V load(const u32 *x) { return _mm512_load_si512(x); }
    static void store(u32 *x, V v) { _mm512_store_si512(x, v); }
    static V all(u32 v) { return _mm512_set1_epi32(int(v)); }
    // The first `count` lanes (all when count >= 16), for loads and stores that stop there.
    static __mmask16 first(std::size_t count) {
        return count >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << count) - 1);
    }

    static V add(V a, V b, V p) {
        const V s = _mm512_add_epi32(a, b);
        return _mm512_min_epu32(s, _mm512_sub_epi32(s, p));
    }
    static V sub(V a, V b, V p) {
        const V d = _mm512_sub_epi32(a, b);
        return _mm512_min_epu32(d, _mm512_add_epi32(d, p));
    }
    // a - b + p and a + b in [0, 2p), unreduced: only as inputs to the products below.
    static V subLazy(V a, V b, V p) { return _mm512_add_epi32(_mm512_sub_epi32(a, b), p); }
    static V addLazy(V a, V b) { return _mm512_add_epi32(a, b); }
    // a b R^-1 mod p for lanes a < 2^32, b < p (Montgomery): the differences a b - q p with
    // q = a b p^-1 mod 2^32 have zero low halves, and their high halves are the results, less
    // p when negative.
    static V mul(V a, V b, V pinv, V p) {
        const V q = _mm512_mullo_epi32(_mm512_mullo_epi32(a, b), pinv);
        const V te = _mm512_mul_epu32(a, b);
        const V to = _mm512_mul_epu32(_mm512_srli_epi64(a, 32), _mm512_srli_epi64(b, 32));
        const V qe = _mm512_mul_epu32(q, p);
        const V qo = _mm512_mul_epu32(_mm512_srli_epi64(q, 32), p);
        const V r = _mm512_mask_blend_epi32(
            oddLanes, _mm512_srli_epi64(_mm512_sub_epi64(te, qe), 32), _mm512_sub_epi64(to, qo));
        return _mm512_min_epu32(r, _mm512_add_epi32(r, p));
    }
    // a w mod p for lanes a < 2^32 and a constant (Shoup): w and ws the same in every lane.
    static V mulAll(V a, V w, V ws, V p) {
        const V qe = _mm512_mul_epu32(a, ws);
        const V qo = _mm512_mul_epu32(_mm512_srli_epi64(a, 32), ws);
        const V q = _mm512_mask_blend_epi32(oddLanes, _mm512_srli_epi64(qe, 32), qo);
        const V r = _mm512_sub_epi32(_mm512_mullo_epi32(a, w), _mm512_mullo_epi32(q, p));
        return _mm512_min_epu32(r, _mm512_sub_epi32(r, p));
    }
    // The same with a constant per lane.
    static V mulEach(V a, V w, V ws, V p) {
        const V qe = _mm512_mul_epu32(a, ws);
        const V qo = _mm512_mul_epu32(_mm512_srli_epi64(a, 32), _mm512_srli_epi64(ws, 32));
        const V q = _mm512_mask_blend_epi32(oddLanes, _mm512_srli_epi64(qe, 32), qo);
        const V r = _mm512_sub_epi32(_mm512_mullo_epi32(a, w), _mm512_mullo_epi32(q, p));
        return _mm512_min_epu32(r, _mm512_sub_epi32(r, p));
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
        for (std::size_t i = 0; i < q; i += 16) {
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
            for (std::size_t i = 0; i < h; i += 16) {
                const V u = load(x + i), v = w.times(load(x + i + h), p);
                store(x + i, add(u, v, p));
                store(x + i + h, sub(u, v, p));
            }
        }
    }

    template <bool first>
    static void inverse4Block(u32 *x, std::size_t q, const Constant (&v)[3], const Constant &im,
                              V p) {
        for (std::size_t i = 0; i < q; i += 16) {
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

    // count a multiple of 16, x and x + h aligned.
    static void joinPairs(u32 *x, std::size_t h, std::size_t count, Factor f, const Modulus &m) {
        const V p = all(m.p);
        const Constant v(f);
        for (std::size_t i = 0; i < count; i += 16) {
            const V u = load(x + i), w = load(x + i + h);
            store(x + i, add(u, w, p));
            store(x + i + h, v.times(subLazy(u, w, p), p));
        }
    }

    // t[r] := column r of the 16 x 16 matrix whose rows are t[0..15]. Row r and column c
    // trade places bit by bit: for each bit b, the entries whose row and column numbers differ
    // in b move to the row and column with b flipped. Each bit is one instruction per row, on
    // lanes (b = 1), pairs of lanes (2) or quarters of the vector (4, 8).
    static void transpose(V (&t)[16]) {
#pragma GCC unroll 8
        for (int r = 0; r < 16; r += 2) {
            const V a = t[r], b = t[r + 1];
            t[r] = _mm512_mask_shuffle_epi32(a, 0xAAAA, b, _MM_PERM_CCAA);
            t[r + 1] = _mm512_mask_shuffle_epi32(b, 0x5555, a, _MM_PERM_DDBB);
        }
#pragma GCC unroll 4
        for (int base = 0; base < 16; base += 4) {
#pragma GCC unroll 2
            for (int r = base; r < base + 2; ++r) {
                const V a = t[r], b = t[r + 2];
                t[r] = _mm512_unpacklo_epi64(a, b);
                t[r + 2] = _mm512_unpackhi_epi64(a, b);
            }
        }
#pragma GCC unroll 2
        for (int base = 0; base < 16; base += 8) {
#pragma GCC unroll 4
            for (int r = base; r < base + 4; ++r) {
                const V a = t[r], b = t[r + 4];
                t[r] = _mm512_mask_shuffle_i32x4(a, 0xF0F0, b, b, 0xA0);
                t[r + 4] = _mm512_mask_shuffle_i32x4(b, 0x0F0F, a, a, 0xF5);
            }
        }
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            const V a = t[r], b = t[r + 8];
            t[r] = _mm512_shuffle_i32x4(a, b, 0x44);
            t[r + 8] = _mm512_shuffle_i32x4(a, b, 0xEE);
        }
    }

    // out[h] lane c := in[c g + h] for h < g, from the g vectors in (16 g values): the
    // even-numbered values of each pair of vectors, then the odd ones, g / 2 at a time.
    template <int g>
    static void spread(const V *in, V *out) {
        if constexpr (g == 1) {
            out[0] = in[0];
        } else {
            const V even = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28,
                                             30),
                    odd = _mm512_add_epi32(even, _mm512_set1_epi32(1));
            V evens[g / 2], odds[g / 2], outEven[g / 2], outOdd[g / 2];
#pragma GCC unroll 4
            for (int a = 0; a < g / 2; ++a) {
                evens[a] = _mm512_permutex2var_epi32(in[2 * a], even, in[2 * a + 1]);
                odds[a] = _mm512_permutex2var_epi32(in[2 * a], odd, in[2 * a + 1]);
            }
            spread<g / 2>(evens, outEven);
            spread<g / 2>(odds, outOdd);
#pragma GCC unroll 4
            for (int h = 0; h < g / 2; ++h) {
                out[2 * h] = outEven[h];
                out[2 * h + 1] = outOdd[h];
            }
        }
    }

    // The twiddles of one of the four lowest levels of chunk q, the one whose blocks hold
    // 16 / g values: lane c of w[h] is block 16 g q + g c + h, from the table tw and its
    // companions ts.
    template <int g>
    struct LevelTwiddles {
        V w[g], s[g];

        LevelTwiddles(const u32 *tw, const u32 *ts, std::size_t q) {
            V in[g];
#pragma GCC unroll 8
            for (int k = 0; k < g; ++k)
                in[k] = load(tw + 16 * g * q + 16 * k);
            spread<g>(in, w);
#pragma GCC unroll 8
            for (int k = 0; k < g; ++k)
                in[k] = load(ts + 16 * g * q + 16 * k);
            spread<g>(in, s);
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

    // The level of blocks of 16 / g values of a transposed chunk: in group h, the rows from
    // 16 h / g on pair up at distance 8 / g.
    template <int g>
    static void forwardLevel(V (&v)[16], const Twiddles &t, std::size_t q, V p) {
        constexpr int half = 8 / g;
        const LevelTwiddles<g> w(t.fwd, t.fwdShoup, q);
#pragma GCC unroll 8
        for (int h = 0; h < g; ++h) {
#pragma GCC unroll 8
            for (int r = 0; r < half; ++r)
                forwardPair(v[2 * half * h + r], v[2 * half * h + r + half], w.w[h], w.s[h], p);
        }
    }
    template <int g>
    static void inverseLevel(V (&v)[16], const Twiddles &t, std::size_t q, V p) {
        constexpr int half = 8 / g;
        const LevelTwiddles<g> w(t.inv, t.invShoup, q);
#pragma GCC unroll 8
        for (int h = 0; h < g; ++h) {
#pragma GCC unroll 8
            for (int r = 0; r < half; ++r)
                inversePair(v[2 * half * h + r], v[2 * half * h + r + half], w.w[h], w.s[h], p);
        }
    }

    // The levels of block lengths 16, 8, 4 and 2 of `chunks` chunks of 256 values; chunk k is
    // block q + k of its level. After the transpose, lane c of v[r] is value 16c + r.
    static void forwardBottom(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                              const Modulus &m) {
        const V p = all(m.p);
        for (std::size_t k = 0; k < chunks; ++k, ++q, x += 256) {
            V v[16];
#pragma GCC unroll 16
            for (int r = 0; r < 16; ++r)
                v[r] = load(x + 16 * r);
            transpose(v);
            forwardLevel<1>(v, t, q, p);
            forwardLevel<2>(v, t, q, p);
            forwardLevel<4>(v, t, q, p);
            forwardLevel<8>(v, t, q, p);
#pragma GCC unroll 16
            for (int r = 0; r < 16; ++r)
                store(x + 16 * r, v[r]);
        }
    }

    static void inverseBottom(u32 *x, std::size_t chunks, std::size_t q, const Twiddles &t,
                              const Modulus &m) {
        const V p = all(m.p);
        for (std::size_t k = 0; k < chunks; ++k, ++q, x += 256) {
            V v[16];
#pragma GCC unroll 16
            for (int r = 0; r < 16; ++r)
                v[r] = load(x + 16 * r);
            inverseLevel<8>(v, t, q, p);
            inverseLevel<4>(v, t, q, p);
            inverseLevel<2>(v, t, q, p);
            inverseLevel<1>(v, t, q, p);
            transpose(v);
#pragma GCC unroll 16
            for (int r = 0; r < 16; ++r)
                store(x + 16 * r, v[r]);
        }
    }

    static void pointwise(u32 *x, const u32 *y, std::size_t n, const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv);
        for (std::size_t i = 0; i < n; i += 16) {
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
        for (std::size_t i = 0; i < s; i += 16) {
            V v = _mm512_setzero_si512();
            for (std::size_t j = 0, at = i; at < len; ++j, at += s) {
                const V a = _mm512_maskz_loadu_epi32(first(len - at), src + at);
                v = add(v, cs[j].times(a, p), p);
            }
            store(x + i, v);
        }
    }

    static void digits(const Garner &g, u32 *x0, u32 *x1, u32 *x2, std::size_t count) {
        const V p0 = all(moduli[0].p), p1 = all(moduli[1].p), p2 = all(moduli[2].p);
        const Constant k0(g.k0), k1a(g.k1a), k1b(g.k1b), k2a(g.k2a), k2b(g.k2b), k2c(g.k2c);
        for (std::size_t i = 0; i < count; i += 16) {
            const __mmask16 lanes = first(count - i);
            const V d0 = k0.times(_mm512_maskz_loadu_epi32(lanes, x0 + i), p0);
            const V d1 =
                sub(k1a.times(_mm512_maskz_loadu_epi32(lanes, x1 + i), p1), k1b.times(d0, p1), p1);
            const V d2 = sub(
                sub(k2a.times(_mm512_maskz_loadu_epi32(lanes, x2 + i), p2), k2b.times(d0, p2), p2),
                k2c.times(d1, p2), p2);
            _mm512_mask_storeu_epi32(x0 + i, lanes, d0);
            _mm512_mask_storeu_epi32(x1 + i, lanes, d1);
            _mm512_mask_storeu_epi32(x2 + i, lanes, d2);
        }
    }

    // The joins' loops (kernel_set.h), with from and to multiples of 16.
    static void joinPart(u32 *x, std::size_t n, std::size_t len, const Factor *c, std::size_t from,
                         std::size_t to, const Modulus &m) {
        const V p = all(m.p);
        Constant cs[4];
        for (std::size_t t = 1; t < n / len; ++t)
            cs[t] = Constant(c[t]);
        for (std::size_t k = from; k < to; k += 16) {
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
        for (std::size_t k = from; k < to; k += 16) {
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

    // x[i] := x[i] theta^i for i < n, n a multiple of 64, theta in Montgomery form: four
    // vectors of powers, each stepping by theta^64.
    static void twist(u32 *x, std::size_t n, u32 theta, const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv);
        alignas(64) u32 start[64];
        start[0] = m.one;
        for (int k = 1; k < 64; ++k)
            start[k] = ntt::mul(start[k - 1], theta, m);
        V power[4];
        for (int k = 0; k < 4; ++k)
            power[k] = load(start + 16 * k);
        const V step = all(ntt::mul(start[63], theta, m));
        for (std::size_t i = 0; i < n; i += 64) {
            for (int k = 0; k < 4; ++k) {
                store(x + i + 16 * k, mul(load(x + i + 16 * k), power[k], pinv, p));
                power[k] = mul(power[k], step, pinv, p);
            }
        }
    }

    // out[i] := in[i] f and outShoup[i] its companion -(out[i] R mod p) p^-1, all aligned,
    // count a multiple of 16.
    static void scale(u32 *out, u32 *outShoup, const u32 *in, std::size_t count, Factor f,
                      const Modulus &m) {
        const V p = all(m.p), pinv = all(m.pinv), r2 = all(m.r2);
        const Constant c(f);
        for (std::size_t i = 0; i < count; i += 16) {
            const V v = c.times(load(in + i), p);
            store(out + i, v);
            store(outShoup + i, _mm512_sub_epi32(_mm512_setzero_si512(),
                                                 _mm512_mullo_epi32(mul(v, r2, pinv, p), pinv)));
        }
    }
};

} // namespace

constinit const KernelSet avx512Kernels = {
    .id = NttKernels::avx512,
    .lanes = 16,
    .bottomLevels = Avx512::bottomLevels,
    .shortest = 256, // one chunk of the bottom levels
    .shorter = &avx2Kernels,
    .shortestPart = 64, // the AVX2 kernels' shortest
    .forward4 = Avx512::forward4,
    .forward2 = Avx512::forward2,
    .inverse4 = Avx512::inverse4,
    .inverse2 = Avx512::inverse2,
    .forwardBottom = Avx512::forwardBottom,
    .inverseBottom = Avx512::inverseBottom,
    .joinPairs = Avx512::joinPairs,
    .pointwise = Avx512::pointwise,
    .loadResidue = Avx512::loadResidue,
    .digits = Avx512::digits,
    .joinPart = Avx512::joinPart,
    .joinLast = Avx512::joinLast,
    .twist = Avx512::twist,
    .scale = Avx512::scale,
};

} // namespace bigint::kernels::ntt
