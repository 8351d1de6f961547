// SPDX-License-Identifier: MIT
#pragma once
// Result texts: a Number written in one of the seven output formats. Texts are computed
// once per Number and format and kept in the Number.

#include "bigint/BigInteger.h"
#include "number/Number.h"

#include <string>

// The text of n in format; empty for NoValue, and for a Float in the three radix formats.
std::u16string formatNumber(const Number &n, OutputFormat format);

// The same text as it is kept in n, without a copy: a text once made never changes, so the
// reference stays valid for as long as n lives (hold a NumberRef to it meanwhile).
const std::u16string &formattedResult(const Number &n, OutputFormat format);

// The text of n in format when it is ASCII (every format but the radix ones; empty for
// NoValue), made afresh and not kept in n: for a caller that writes it once.
std::string asciiResultText(const Number &n, OutputFormat format);

// A quick estimate of the number of digits of x's magnitude in base, within one of the
// true count (0 for zero).
long long estimatedDigitCount(const BigInteger &x, unsigned base);
