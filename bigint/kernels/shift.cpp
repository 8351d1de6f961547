// SPDX-License-Identifier: MIT
#include "bigint/kernels/shift.h"

namespace bigint::kernels {

Block shiftLeft(Blocks r, ConstBlocks a, unsigned s) {
    assert(r.size() == a.size() && s < unsigned(bitsPerBlock));
    assert(!overlaps(r, a) || r.data() >= a.data());
    std::size_t n = a.size();
    if (n == 0) return 0;
    if (s == 0) {
        for (std::size_t i = n; i-- > 0;)
            r[i] = a[i];
        return 0;
    }
    Block out = a[n - 1] >> (bitsPerBlock - s);
    for (std::size_t i = n - 1; i > 0; --i)
        r[i] = (a[i] << s) | (a[i - 1] >> (bitsPerBlock - s));
    r[0] = a[0] << s;
    return out;
}

Block shiftRight(Blocks r, ConstBlocks a, unsigned s) {
    assert(r.size() == a.size() && s < unsigned(bitsPerBlock));
    assert(!overlaps(r, a) || r.data() <= a.data());
    std::size_t n = a.size();
    if (n == 0) return 0;
    if (s == 0) {
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i];
        return 0;
    }
    Block out = a[0] << (bitsPerBlock - s);
    for (std::size_t i = 0; i + 1 < n; ++i)
        r[i] = (a[i] >> s) | (a[i + 1] << (bitsPerBlock - s));
    r[n - 1] = a[n - 1] >> s;
    return out;
}

} // namespace bigint::kernels
