// SPDX-License-Identifier: MIT
#pragma once
// Reading a literal: decimal, hexadecimal ("0x", "#"), octal ("0o") and binary ("0b")
// integers, and decimal numbers with "." or "," as the decimal mark and an exponent.

#include "number/Number.h"

#include <string_view>

// Writes the literal's value into n (Integer or Float), or NoValue when text is not a
// literal. text is already trimmed.
void readLiteral(Number &n, std::u16string_view text);
