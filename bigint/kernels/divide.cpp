#include "bigint/kernels/divide.h"

#include "bigint/kernels/divide_knuth.h"

namespace bigint::kernels {

// One-block divisors take the single-pass path; everything else is Knuth's long division.
void divideWithRemainder(Blocks q, Blocks u, ConstBlocks v) {
    const std::size_t n = v.size();
    assert(n >= 1 && v[n - 1] != 0 && u.size() >= n && q.size() == u.size() - n + 1);
    if (n == 1) {
        Block rem = divideBlock(q, u, v[0]);
        for (auto &b : u)
            b = 0;
        u[0] = rem;
        return;
    }
    divideKnuth(q, u, v);
}

} // namespace bigint::kernels
