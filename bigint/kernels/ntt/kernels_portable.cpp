// SPDX-License-Identifier: MIT
// Portable kernels: one value at a time, on any processor. They serve every length, and the
// vector sets hand them what is too short for their vectors.
#include "bigint/kernels/ntt/kernel_set.h"

namespace bigint::kernels::ntt {
namespace {

struct Portable {
    static void forward4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const u32 p = m.p;
        const Factor im = forwardAt(t, 1);
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor w1 = forwardAt(t, 2 * j), w2 = forwardAt(t, j),
                         w3 = factorOf(mulShoup(w1.w, w2.w, w2.ws, p), m);
            for (std::size_t i = 0; i < q; ++i) {
                const u32 a0 = x[i], c1 = mulShoup(x[i + q], w1.w, w1.ws, p),
                          c2 = mulShoup(x[i + 2 * q], w2.w, w2.ws, p),
                          c3 = mulShoup(x[i + 3 * q], w3.w, w3.ws, p);
                const u32 s = add(a0, c2, p), d = sub(a0, c2, p), e = add(c1, c3, p),
                          f = mulShoup(c1 - c3 + p, im.w, im.ws, p);
                x[i] = add(s, e, p);
                x[i + q] = sub(s, e, p);
                x[i + 2 * q] = add(d, f, p);
                x[i + 3 * q] = sub(d, f, p);
            }
        }
    }

    static void forward2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t h = size / 2;
        const u32 p = m.p;
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor w = forwardAt(t, j);
            for (std::size_t i = 0; i < h; ++i) {
                const u32 u = x[i], v = mulShoup(x[i + h], w.w, w.ws, p);
                x[i] = add(u, v, p);
                x[i + h] = sub(u, v, p);
            }
        }
    }

    static void inverse4(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        const std::size_t q = size / 4;
        const u32 p = m.p;
        const Factor im = inverseAt(t, 1);
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size) {
            const Factor v1 = inverseAt(t, 2 * j), v2 = inverseAt(t, j),
                         v3 = factorOf(mulShoup(v1.w, v2.w, v2.ws, p), m);
            for (std::size_t i = 0; i < q; ++i) {
                const u32 y0 = x[i], y1 = x[i + q], y2 = x[i + 2 * q], y3 = x[i + 3 * q];
                const u32 s = add(y0, y1, p), d = sub(y0, y1, p), e = add(y2, y3, p),
                          f = mulShoup(y2 - y3 + p, im.w, im.ws, p);
                x[i] = add(s, e, p); // the products take sums below 2p unreduced
                x[i + q] = mulShoup(d + f, v1.w, v1.ws, p);
                x[i + 2 * q] = mulShoup(s - e + p, v2.w, v2.ws, p);
                x[i + 3 * q] = mulShoup(d - f + p, v3.w, v3.ws, p);
            }
        }
    }

    static void inverse2(u32 *x, std::size_t blocks, std::size_t size, std::size_t j,
                         const Twiddles &t, const Modulus &m) {
        for (std::size_t b = 0; b < blocks; ++b, ++j, x += size)
            joinPairs(x, size / 2, size / 2, inverseAt(t, j), m);
    }

    static void joinPairs(u32 *x, std::size_t h, std::size_t count, Factor v, const Modulus &m) {
        const u32 p = m.p;
        for (std::size_t i = 0; i < count; ++i) {
            const u32 u = x[i], w = x[i + h];
            x[i] = add(u, w, p);
            x[i + h] = mulShoup(u - w + p, v.w, v.ws, p); // the product takes it unreduced
        }
    }

    static void pointwise(u32 *x, const u32 *y, std::size_t n, const Modulus &m) {
        for (std::size_t i = 0; i < n; ++i)
            x[i] = mul(x[i], y ? y[i] : x[i], m);
    }

    static void loadResidue(u32 *x, std::size_t s, const u32 *src, std::size_t len, const Factor *c,
                            const Modulus &m) {
        for (std::size_t i = 0; i < s; ++i) {
            u32 v = 0;
            for (std::size_t j = 0, at = i; at < len; ++j, at += s)
                v = add(v, mulShoup(src[at], c[j].w, c[j].ws, m.p), m.p);
            x[i] = v;
        }
    }

    static void digits(const Garner &g, u32 *x0, u32 *x1, u32 *x2, std::size_t count) {
        const u32 p0 = moduli[0].p, p1 = moduli[1].p, p2 = moduli[2].p;
        auto times = [](u32 a, Factor f, u32 p) { return mulShoup(a, f.w, f.ws, p); };
        for (std::size_t i = 0; i < count; ++i) {
            const u32 d0 = times(x0[i], g.k0, p0);
            const u32 d1 = sub(times(x1[i], g.k1a, p1), times(d0, g.k1b, p1), p1);
            const u32 d2 = sub(sub(times(x2[i], g.k2a, p2), times(d0, g.k2b, p2), p2),
                               times(d1, g.k2c, p2), p2);
            x0[i] = d0, x1[i] = d1, x2[i] = d2;
        }
    }

    static void joinPart(u32 *x, std::size_t n, std::size_t len, const Factor *c, std::size_t from,
                         std::size_t to, const Modulus &m) {
        const u32 p = m.p;
        for (std::size_t k = from; k < to; ++k) {
            u32 u = x[k], g = x[n + k];
            for (std::size_t t = 1; t < n / len; ++t) {
                const u32 f = x[t * len + k];
                u = add(u, mulShoup(f, c[t].w, c[t].ws, p), p);
                x[t * len + k] = add(f, f, p);
                if ((t & (t - 1)) == 0) g = add(g, g, p); // at t = 1 and 2: g times n / len
            }
            const u32 d = sub(u, g, p);
            x[k] = sub(add(x[k], x[k], p), d, p);
            x[n + k] = d;
        }
    }

    static void joinLast(u32 *x, std::size_t q, const Factor *c, Factor over, Factor im,
                         std::size_t from, std::size_t to, const Modulus &m) {
        const u32 p = m.p;
        for (std::size_t k = from; k < to; ++k) {
            u32 u = x[k], g = x[6 * q + k];
            for (std::size_t t = 1; t < 6; ++t)
                u = add(u, mulShoup(x[t * q + k], c[t].w, c[t].ws, p), p);
            for (int j = 0; j < 3; ++j)
                g = add(g, g, p);
            const u32 v = mulShoup(sub(g, u, p), over.w, over.ws, p);
            const u32 iv = mulShoup(v, im.w, im.ws, p);
            x[k] = add(x[k], iv, p);
            x[2 * q + k] = sub(x[2 * q + k], v, p);
            x[4 * q + k] = sub(x[4 * q + k], iv, p);
            x[6 * q + k] = v;
        }
    }

    static void twist(u32 *x, std::size_t n, u32 theta, const Modulus &m) {
        u32 power = m.one;
        for (std::size_t i = 0; i < n; ++i) {
            x[i] = mul(x[i], power, m);
            power = mul(power, theta, m);
        }
    }

    static void scale(u32 *out, u32 *outShoup, const u32 *in, std::size_t count, Factor f,
                      const Modulus &m) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = mulShoup(in[i], f.w, f.ws, m.p);
            outShoup[i] = shoup(out[i], m);
        }
    }
};

} // namespace

constinit const KernelSet portableKernels = {
    .id = NttKernels::portable,
    .lanes = 1,
    .bottomLevels = 0,
    .shortest = 1,
    .shorter = nullptr,
    .shortestPart = 1,
    .forward4 = Portable::forward4,
    .forward2 = Portable::forward2,
    .inverse4 = Portable::inverse4,
    .inverse2 = Portable::inverse2,
    .forwardBottom = nullptr,
    .inverseBottom = nullptr,
    .joinPairs = Portable::joinPairs,
    .pointwise = Portable::pointwise,
    .loadResidue = Portable::loadResidue,
    .digits = Portable::digits,
    .joinPart = Portable::joinPart,
    .joinLast = Portable::joinLast,
    .twist = Portable::twist,
    .scale = Portable::scale,
};

} // namespace bigint::kernels::ntt
