// SPDX-License-Identifier: MIT
#pragma once
// n! as a BigUnsigned, from its odd part and one shift. The odd part of n! is that of
// (n/2)! squared times the odd part of the swing n! / (n/2)!^2, whose prime factors come
// from a sieve; the factors are packed into 64-bit words and multiplied into a growing
// number a word at a time, or in a tree of balanced products when there are many.

#include "bigint/BigUnsigned.h"

#include <cstdint>

// n! (1 for n = 0 and 1). Large factorials test for an interruption between their products
// (bigint/interrupt.h).
BigUnsigned factorial(std::uint32_t n);
