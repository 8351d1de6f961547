#pragma once
// The expression evaluator: text in, Number out. It works on the text itself: it splits at
// the loosest operator, evaluates both sides through the cache, and applies the operation.
// Every distinct sub-text becomes a cached Number of its own, so re-evaluating a text that
// changed only at its end re-uses everything that did not change.

#include "number/Number.h"

#include <string_view>

// The cached Number for text under the current angle unit and value range, made when
// needed. Bad input gives a NoValue Number; arithmetic failures (const char * messages)
// propagate, and the Number whose making failed is not cached.
Number &evaluateExpression(std::u16string_view text);

// Evaluates text and writes the result's kind and value into n.
void evaluateInto(Number &n, std::u16string_view text);

// Texts that nest deeper than this many evaluation levels, or whose chain of nested
// sub-texts holds more characters than maxNestedCharacters, have no value: every level keeps
// a copy of its text, so depth times length is memory.
inline constexpr int maxEvaluationDepth = 4000;
inline constexpr std::size_t maxNestedCharacters = std::size_t(1) << 24;

// An evaluation that would make more than this many bytes of sub-texts and intermediate
// integer results (each kept in the cache) has no value either. The final result is not
// counted, so every result inside the result budget is reachable by a plain text.
inline constexpr std::size_t maxEvaluationBytes = std::size_t(256) << 20;
