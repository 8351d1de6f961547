#pragma once
// Conversions between big integers and digit texts (ASCII, most significant digit first)
// in bases 2 to 36. Reading accepts both letter cases; writing uses upper case.

#include "bigint/BigInteger.h"
#include "bigint/BigUnsigned.h"

#include <string>
#include <string_view>

std::string unsignedToText(const BigUnsigned &x, unsigned short base);
// Appends the digits of x to out (no copy of a long text in between).
void appendUnsignedText(std::string &out, const BigUnsigned &x, unsigned short base);
// A "-" in front of the magnitude's digits for a negative value.
std::string integerToText(const BigInteger &x, unsigned short base);

BigUnsigned textToUnsigned(std::string_view s, unsigned short base);
// An optional leading "-" or "+", then digits; "-" alone and "-0" read as zero.
BigInteger textToInteger(std::string_view s, unsigned short base);
