// SPDX-License-Identifier: MIT
#pragma once
// Small helpers shared by the big-integer tests: building values from decimal text and
// catching the constant message texts that failures throw.

#include "bigint/BigInteger.h"
#include "bigint/textConversion.h"

#include <functional>
#include <string>

inline BigUnsigned U(const char *decimal) {
    return textToUnsigned(decimal, 10);
}
inline BigInteger I(const char *decimal) {
    return textToInteger(decimal, 10);
}
inline std::string str(const BigUnsigned &x) {
    return unsignedToText(x, 10);
}
inline std::string str(const BigInteger &x) {
    return integerToText(x, 10);
}

// The message thrown by f, or "" when it returns normally.
inline std::string failureOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const char *message) {
        return message;
    }
    return "";
}
