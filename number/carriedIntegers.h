// SPDX-License-Identifier: MIT
#pragma once
// Long integers carried by reference through the evaluator's rebuilt texts. A bracketed
// part is replaced in its text by its value's exact decimal text, which the evaluator then
// reads back; for an integer of thousands or millions of digits that is a conversion each
// way for nothing. Such a value is written instead as a token: carriedIntegerMark followed
// by a decimal number that names the value's Number for as long as the process runs, with
// a "-" before it for a negative value, just as its digits would have one.
//
// Wherever the evaluator looks at a text, a token behaves as its digits do: it holds no
// operator, bracket, name, sign or blank, and it ends in a decimal digit (which is what
// makes a following "+" or "-" binary). Only the literal step tells them apart: a text
// that is a token alone is its integer; any other text holding one has no value, for the
// same reason the digits would give (written out then, only in that case).
//
// A token means something only inside the evaluation that wrote it. Its Number is
// registered on the evaluating thread while the rebuilt text is evaluated (CarriedScope),
// and cache keys that hold a token name a Number that keeps its value, so a later
// evaluation that finds them in the cache finds the right value. A typed text that holds
// the mark itself is evaluated without tokens and without caching any text with the mark.

#include "number/Number.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Integers below this many blocks are written out as digits: cheap to convert, and texts
// that share a value then share their cache entries whichever text made the value.
inline constexpr std::size_t carriedIntegerBlocks = 8;

// Whether inner, the value of the bracketed innerText, is written as a token. A decimal
// literal's is not: a token names one Number, and a literal's Number, made afresh each
// time (the cache does not keep literals), would give its rebuilt text a new token, and
// new cache entries, each time it is typed.
bool isWorthCarrying(const Number &inner, std::u16string_view innerText);

// Registers inner on this thread for the life of the scope and appends its token
// ("-" for a negative value, then the mark and the name) to text.
class CarriedScope {
public:
    CarriedScope() = default;
    ~CarriedScope();
    CarriedScope(const CarriedScope &) = delete;
    CarriedScope &operator=(const CarriedScope &) = delete;

    void append(std::u16string &text, const NumberRef &inner);

private:
    std::vector<std::uint64_t> registered;
};

// The magnitude that text, trimmed, stands for when it is a single token registered on
// this thread; nullptr otherwise.
const BigUnsigned *carriedMagnitude(std::u16string_view text);

// text with every registered token replaced by its digits: what the text would have been
// without tokens.
std::u16string withCarriedDigits(std::u16string_view text);
