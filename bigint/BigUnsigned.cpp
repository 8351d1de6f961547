// SPDX-License-Identifier: MIT
#include "bigint/BigUnsigned.h"

#include "bigint/kernels/add.h"
#include "bigint/kernels/divide.h"
#include "bigint/kernels/multiply.h"
#include "bigint/kernels/shift.h"
#include "bigint/kernels/subtract.h"

#include <bit>
#include <climits>
#include <new>

namespace k = bigint::kernels;

namespace {

// A block count as an Index; counts that do not fit cannot be allocated anyway.
NumberlikeArray<std::uint32_t>::Index checkedIndex(std::uint64_t n) {
    if (n > UINT32_MAX) throw std::bad_alloc();
    return NumberlikeArray<std::uint32_t>::Index(n);
}

} // namespace

BigUnsigned::BigUnsigned(unsigned int x) {
    if (x == 0) return;
    growDiscarding(1);
    blocks[0] = x;
    length = 1;
}

BigUnsigned::BigUnsigned(unsigned short x) : BigUnsigned(static_cast<unsigned int>(x)) {}

BigUnsigned::BigUnsigned(int x) {
    if (x < 0)
        throw "BigUnsigned constructor: Cannot construct a BigUnsigned from a negative number";
    if (x == 0) return;
    growDiscarding(1);
    blocks[0] = Blk(x);
    length = 1;
}

BigUnsigned::BigUnsigned(const Blk *b, Index len) : NumberlikeArray(b, len) {
    normalize();
}

void BigUnsigned::setBlockAt(Index i, Blk v) {
    if (v == 0) {
        if (i < length) {
            blocks[i] = 0;
            normalize();
        }
        return;
    }
    if (i >= length) {
        growPreserving(checkedIndex(std::uint64_t(i) + 1));
        for (Index j = length; j < i; ++j)
            blocks[j] = 0;
        length = i + 1;
    }
    blocks[i] = v;
}

std::uint64_t BigUnsigned::bitLength() const {
    if (length == 0) return 0;
    return std::uint64_t(length) * bitsPerBlock - unsigned(std::countl_zero(blocks[length - 1]));
}

int BigUnsigned::compare(const BigUnsigned &x) const {
    return k::compare(span(), x.span());
}

void BigUnsigned::add(const BigUnsigned &a, const BigUnsigned &b) {
    if (this == &a || this == &b) {
        BigUnsigned tmp;
        tmp.add(a, b);
        *this = tmp;
        return;
    }
    if (a.length == 0) {
        *this = b;
        return;
    }
    if (b.length == 0) {
        *this = a;
        return;
    }
    const BigUnsigned &longer = a.length >= b.length ? a : b;
    const BigUnsigned &shorter = a.length >= b.length ? b : a;
    Index n = longer.length;
    growDiscarding(checkedIndex(std::uint64_t(n) + 1));
    length = n + 1;
    blocks[n] = k::add(room(n), longer.span(), shorter.span());
    if (blocks[n] == 0) --length;
}

void BigUnsigned::subtract(const BigUnsigned &a, const BigUnsigned &b) {
    if (this == &a || this == &b) {
        BigUnsigned tmp;
        tmp.subtract(a, b);
        *this = tmp;
        return;
    }
    if (b.length == 0) {
        *this = a;
        return;
    }
    if (a.length < b.length) throw "BigUnsigned::subtract: Negative result in unsigned calculation";
    growDiscarding(a.length);
    length = a.length;
    if (k::subtract(room(length), a.span(), b.span()) != 0) {
        // The borrow is only known at the end; the target is left holding zero.
        length = 0;
        throw "BigUnsigned::subtract: Negative result in unsigned calculation";
    }
    normalize();
}

void BigUnsigned::multiply(const BigUnsigned &a, const BigUnsigned &b) {
    if (this == &a || this == &b) {
        BigUnsigned tmp;
        tmp.multiply(a, b);
        *this = tmp;
        return;
    }
    if (a.length == 0 || b.length == 0) {
        length = 0;
        return;
    }
    Index n = checkedIndex(std::uint64_t(a.length) + b.length);
    growDiscarding(n);
    length = n;
    k::multiply(room(n), a.span(), b.span());
    if (blocks[length - 1] == 0) --length;
}

void BigUnsigned::divideWithRemainder(const BigUnsigned &b, BigUnsigned &q) {
    if (this == &q)
        throw "BigUnsigned::divideWithRemainder: Cannot write quotient and remainder into the same "
              "variable";
    if (this == &b || &q == &b) {
        BigUnsigned divisor(b);
        divideWithRemainder(divisor, q);
        return;
    }
    if (b.length == 0 || length < b.length) {
        q.length = 0;
        return;
    }
    // The dividend gets one spare zero block and the quotient room for every possible
    // block, as the long division needs them; both are trimmed afterwards.
    Index l = length;
    growPreserving(checkedIndex(std::uint64_t(l) + 1));
    blocks[l] = 0;
    length = l + 1;
    Index ql = l - b.length + 1;
    q.growDiscarding(ql);
    q.length = ql;
    k::divideWithRemainder(q.room(ql), room(l), b.span());
    q.normalize();
    length = l;
    normalize();
}

void BigUnsigned::bitShiftLeft(const BigUnsigned &a, int n) {
    if (n < 0) {
        if (n == INT_MIN)
            throw "BigUnsigned::bitShiftLeft: Pathological shift amount not implemented";
        bitShiftRight(a, -n);
        return;
    }
    if (this == &a) {
        BigUnsigned tmp;
        tmp.bitShiftLeft(a, n);
        *this = tmp;
        return;
    }
    if (a.length == 0) {
        length = 0;
        return;
    }
    Index whole = Index(n) / bitsPerBlock;
    unsigned part = unsigned(n) % bitsPerBlock;
    Index total = checkedIndex(std::uint64_t(a.length) + whole + 1);
    growDiscarding(total);
    length = total;
    std::fill(blocks, blocks + whole, Blk(0));
    blocks[total - 1] = k::shiftLeft(room(total - 1).subspan(whole), a.span(), part);
    if (blocks[total - 1] == 0) --length;
}

void BigUnsigned::bitShiftRight(const BigUnsigned &a, int n) {
    if (n < 0) {
        if (n == INT_MIN)
            throw "BigUnsigned::bitShiftRight: Pathological shift amount not implemented";
        bitShiftLeft(a, -n);
        return;
    }
    if (this == &a) {
        BigUnsigned tmp;
        tmp.bitShiftRight(a, n);
        *this = tmp;
        return;
    }
    Index whole = Index(n) / bitsPerBlock;
    unsigned part = unsigned(n) % bitsPerBlock;
    // Sized as a.length + 1 - ceil(n / 32) blocks; nothing is left when that is not positive.
    Index ceilBlocks = whole + (part != 0 ? 1 : 0);
    if (ceilBlocks >= std::uint64_t(a.length) + 1) {
        length = 0;
        return;
    }
    growDiscarding(a.length + 1 - ceilBlocks);
    if (whole >= a.length) {
        length = 0;
        return;
    }
    length = a.length - whole;
    k::shiftRight(room(length), a.span().subspan(whole), part);
    normalize();
}

BigUnsigned &BigUnsigned::operator++() {
    Index i = 0;
    for (; i < length; ++i) {
        if (++blocks[i] != 0) return *this;
    }
    growPreserving(checkedIndex(std::uint64_t(length) + 1));
    blocks[length] = 1;
    ++length;
    return *this;
}

BigUnsigned BigUnsigned::operator++(int) {
    BigUnsigned old(*this);
    ++*this;
    return old;
}

BigUnsigned &BigUnsigned::operator--() {
    if (length == 0) throw "BigUnsigned::operator --(): Cannot decrement an unsigned zero";
    for (Index i = 0; i < length; ++i) {
        if (blocks[i]-- != 0) break;
    }
    if (blocks[length - 1] == 0) --length;
    return *this;
}

BigUnsigned BigUnsigned::operator--(int) {
    BigUnsigned old(*this);
    --*this;
    return old;
}

std::uint32_t BigUnsigned::toUInt32() const {
    if (length == 0) return 0;
    if (length == 1) return blocks[0];
    throw "BigUnsigned::to<Primitive>: Value is too big to fit in the requested type";
}

std::uint16_t BigUnsigned::toUInt16() const {
    if (length == 0) return 0;
    if (length == 1 && blocks[0] <= 0xFFFFu) return std::uint16_t(blocks[0]);
    throw "BigUnsigned::to<Primitive>: Value is too big to fit in the requested type";
}

BigUnsigned BigUnsigned::operator+(const BigUnsigned &x) const {
    BigUnsigned r;
    r.add(*this, x);
    return r;
}

BigUnsigned BigUnsigned::operator-(const BigUnsigned &x) const {
    BigUnsigned r;
    r.subtract(*this, x);
    return r;
}

BigUnsigned BigUnsigned::operator*(const BigUnsigned &x) const {
    BigUnsigned r;
    r.multiply(*this, x);
    return r;
}

BigUnsigned greatestCommonDivisor(BigUnsigned a, BigUnsigned b) {
    BigUnsigned discarded;
    for (;;) {
        if (b.isZero()) return a;
        a.divideWithRemainder(b, discarded);
        if (a.isZero()) return b;
        b.divideWithRemainder(a, discarded);
    }
}
