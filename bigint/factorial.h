// SPDX-License-Identifier: MIT
#pragma once
// n! as a BigUnsigned, from its odd part and one shift: the odd numbers are multiplied
// packed into 64-bit words, level by level, so that the products are few and balanced.

#include "bigint/BigUnsigned.h"

#include <cstdint>

// n! (1 for n = 0 and 1). Large factorials test for an interruption between their products
// (bigint/interrupt.h).
BigUnsigned factorial(std::uint32_t n);
