// SPDX-License-Identifier: MIT
#pragma once
// The expression evaluator: text in, Number out. It works on the text itself: it splits at
// the loosest operator, evaluates both sides through the cache, and applies the operation.
// Every distinct sub-text becomes a cached Number of its own, so re-evaluating a text that
// changed only at its end re-uses everything that did not change. Sub-texts are pieces of
// the text they come from (SharedText), never copies.

#include "number/Number.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The Number for text under the current angle unit and value range, found in numberCache
// or made. Bad input gives a NoValue Number, with the reason why; arithmetic failures
// (const char * messages) and requested interruptions (bigint::Interrupted) propagate, and
// the Number whose making failed is not cached.
NumberRef evaluateExpression(std::u16string_view text);
NumberRef evaluateExpression(const SharedText &text);
// The same, giving the text up: a long text's characters are then freed as soon as the
// evaluation has no more use for them.
NumberRef evaluateExpression(SharedText &&text);

// Evaluates text and writes the result's kind and value into n.
void evaluateInto(Number &n, std::u16string_view text);

// The evaluator recurses once per operator, function, sign and parenthesis. A text whose
// evaluation would nest deeper than this has no value. The depth is a property of the text
// alone: a cached sub-text counts with the height it was made with, so a text typed key by
// key and the same text pasted get the same answer. Every text of the expression line
// (32 767 characters) nests less deeply; evaluating threads need a stack of about
// evaluationStackSize (largeStack.h) for it.
inline constexpr std::uint32_t maxEvaluationHeight = 1 << 16;

// Texts that are never cached: short ones without power, factorial or left shift (and
// without the postfix powers, which are not ASCII). Every operand of such a text is at
// most cheapTextLength characters long, so its value takes microseconds at most to make
// again, less than a look-up, an insertion and the later removal of a cache entry. A text
// longer than this, or one with a power of a short base ("2^10000000"), is cached, except
// a decimal literal: it comes back only where the same digits are typed again, and its
// look-up would hash every digit and build the text's indexes (a sixth of the whole run of
// a product of two 10^5-digit literals).
// Measured on the 10 000 short expressions of bench/peers (whole process, fastest of 21
// alternating runs on a busy machine): 36 ms with every text cached, 20 ms without these.
inline constexpr std::size_t cheapTextLength = 32;
bool isCheapText(std::u16string_view text);
// Whether numberCache keeps the Number of text: not for a cheap text, nor for a long one
// (thousands of characters) whose characters alone are more than the cache's ceiling.
bool isKeptText(std::u16string_view text);
// Whether text is not empty and has only the digits 0 to 9.
bool isDecimalDigits(std::u16string_view text);

// The names of the functions the evaluator knows ("sin", "log10"), in the order it tries
// them.
std::vector<std::u16string_view> functionNames();
