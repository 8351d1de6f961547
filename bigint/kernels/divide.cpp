// SPDX-License-Identifier: MIT
#include "bigint/kernels/divide.h"

#include "bigint/kernels/divide_dc.h"
#include "bigint/kernels/divide_knuth.h"
#include "bigint/kernels/divide_reciprocal.h"
#include "bigint/tuning.h"

namespace bigint::kernels {

// Which algorithm serves which sizes, by the divisor's size n and the quotient's k = m + 1,
// with T = divideDivideAndConquerThreshold (bigint/tuning.h):
//   n == 1              one pass of single-block division
//   n >= T and k >= T   recursive division (divide_dc.h): about 2.5 times a multiplication
//                       of n blocks for k == n, whatever method serves that
//   otherwise           Knuth's long division, n * k block products: nothing is faster when
//                       either the divisor or the quotient is short
//   n >= R and k >= R   through the divisor's reciprocal, made by Newton's iteration
//                       (divide_reciprocal.h), R = newtonDivisionThreshold: about four
//                       multiplications, where recursive division needs a number that grows
//                       with the logarithm of the size
void divideWithRemainder(Blocks q, Blocks u, ConstBlocks v) {
    if (v.size() >= newtonDivisionThreshold && q.size() >= newtonDivisionThreshold) {
        const std::vector<Block> mu = reciprocal(v, u.size());
        divideByReciprocal(q, u, v, mu, u.size());
        return;
    }
    divideWithoutReciprocal(q, u, v);
}

void divideWithoutReciprocal(Blocks q, Blocks u, ConstBlocks v) {
    const std::size_t n = v.size();
    assert(n >= 1 && v[n - 1] != 0 && u.size() >= n && q.size() == u.size() - n + 1);
    if (n == 1) {
        Block rem = divideBlock(q, u, v[0]);
        for (auto &b : u)
            b = 0;
        u[0] = rem;
        return;
    }
    if (n >= divideDivideAndConquerThreshold && q.size() >= divideDivideAndConquerThreshold) {
        divideDivideAndConquer(q, u, v);
        return;
    }
    divideKnuth(q, u, v);
}

} // namespace bigint::kernels
