#include "bigint/kernels/multiply.h"

#include "bigint/kernels/multiply_basecase.h"

#include <utility>

namespace bigint::kernels {

// Every size is served by the schoolbook method for now.
void multiply(Blocks r, ConstBlocks a, ConstBlocks b) {
    assert(!a.empty() && !b.empty() && r.size() == a.size() + b.size());
    assert(!overlaps(r, a) && !overlaps(r, b));
    if (a.size() < b.size()) std::swap(a, b);
    if (b.size() == 1) {
        r[a.size()] = multiplyBlock(r.first(a.size()), a, b[0]);
        return;
    }
    multiplyBasecase(r, a, b);
}

} // namespace bigint::kernels
