// SPDX-License-Identifier: MIT
#include "number/evaluator.h"

#include "bigint/interrupt.h"
#include "number/NumberCache.h"
#include "number/Settings.h"
#include "number/carriedIntegers.h"
#include "number/format.h"
#include "number/literal.h"
#include "number/operationSupport.h"
#include "number/operations.h"
#include "number/operatorScan.h"
#include "number/recyclingAllocator.h"
#include "number/valueKind.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace {

using View = std::u16string_view;

// Texts the evaluator makes itself: Euler's number for "exp", and the exponents of "²", "³".
const SharedText &eulerText() {
    static const SharedText t(
        std::u16string(u"2.71828182845904523536028747135266249775724709369995"));
    return t;
}
const SharedText &twoText() {
    static const SharedText t(std::u16string(u"2"));
    return t;
}
const SharedText &threeText() {
    static const SharedText t(std::u16string(u"3"));
    return t;
}

// How many evaluateText frames this thread has open.
thread_local std::uint32_t evaluationDepth = 0;

// The settings an evaluation runs under, read once by the outermost evaluation of this
// thread. Every nested sub-text uses them too: a settings change made by another thread
// half-way must not mix two angle units or value ranges into one result (which the cache
// would then keep under the outer text's key).
struct EvaluationSettings {
    AngleUnit unit;
    bool rangeSigned;
    std::int32_t rangeBits;
};
thread_local EvaluationSettings evaluationSettings{};

// Whether this evaluation writes long bracketed integers as tokens (carriedIntegers.h): it
// does unless the typed text holds the tokens' mark itself. Such a text is evaluated with
// every value written out as digits, and none of its texts with the mark is cached, so
// that a cache key with the mark always holds a true token.
thread_local bool carrying = true;

// Thrown when a text nests deeper than maxEvaluationHeight; caught by the outermost
// evaluation, which then has no value. Nothing in between is cached.
struct Refused {};

void beginIfOutermost(const SharedText &text) {
    if (evaluationDepth != 0) return;
    const settings::ValueRange range = settings::currentValueRange();
    evaluationSettings = {settings::currentAngleUnit(), range.isSigned, range.bits};
    carrying = !(text.textBuffer() && text.textBuffer()->hasCarriedMark());
}

bool hasCarriedMark(const SharedText &text) {
    return text.textBuffer() && text.textBuffer()->hasCarriedMark() &&
           text.view().find(carriedIntegerMark) != std::u16string_view::npos;
}

class DepthGuard {
public:
    DepthGuard() {
        if (evaluationDepth >= maxEvaluationHeight) throw Refused{};
        ++evaluationDepth;
    }
    ~DepthGuard() { --evaluationDepth; }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;
};

struct Evaluated {
    NumberRef number;
    std::uint32_t height;
};

Evaluated evaluateShared(SharedText text);

// Evaluates text into n; returns the height of the evaluation (1 for a text that needs no
// other evaluation, else one more than its deepest part).
std::uint32_t evaluateText(Number &n, SharedText text);

void applyBinary(Number &n, BinaryOp op, const Number &a, const Number &b) {
    switch (op) {
    case BinaryOp::logicalOr:
        return ops::logicalOr(n, a, b);
    case BinaryOp::logicalAnd:
        return ops::logicalAnd(n, a, b);
    case BinaryOp::bitwiseOr:
        return ops::bitwiseOr(n, a, b);
    case BinaryOp::bitwiseXor:
        return ops::bitwiseXor(n, a, b);
    case BinaryOp::bitwiseAnd:
        return ops::bitwiseAnd(n, a, b);
    case BinaryOp::equal:
        return ops::equal(n, a, b);
    case BinaryOp::notEqual:
        return ops::notEqual(n, a, b);
    case BinaryOp::greaterOrEqual:
        return ops::greaterOrEqual(n, a, b);
    case BinaryOp::greater:
        return ops::greater(n, a, b);
    case BinaryOp::lessOrEqual:
        return ops::lessOrEqual(n, a, b);
    case BinaryOp::less:
        return ops::less(n, a, b);
    case BinaryOp::shiftLeft:
        return ops::shiftLeft(n, a, b);
    case BinaryOp::shiftRight:
        return ops::shiftRight(n, a, b);
    case BinaryOp::add:
        return ops::add(n, a, b);
    case BinaryOp::subtract:
        return ops::subtract(n, a, b);
    case BinaryOp::multiply:
        return ops::multiply(n, a, b);
    case BinaryOp::divide:
        return ops::divide(n, a, b);
    case BinaryOp::modulo:
        return ops::modulo(n, a, b);
    case BinaryOp::power:
        return ops::power(n, a, b);
    }
}

using UnaryFunction = void (*)(Number &, const Number &);

struct NamedFunction {
    View name;
    UnaryFunction apply;
};

// Tried in this order, by the text's first characters: "asin" is not taken for "sin",
// and "log10" is tried before "log".
const NamedFunction functions[] = {
    {u"sin", ops::sine},        {u"cos", ops::cosine},     {u"tan", ops::tangent},
    {u"asin", ops::arcsine},    {u"acos", ops::arccosine}, {u"atan", ops::arctangent},
    {u"abs", ops::absolute},    {u"floor", ops::floorOf},  {u"int", ops::floorOf},
    {u"ceil", ops::ceilingOf},  {u"round", ops::roundOf},  {u"ln", ops::naturalLog},
    {u"log10", ops::commonLog}, {u"log", ops::naturalLog}, {u"sqrt", ops::squareRoot},
};

std::u16string asciiLowerCase(View t) {
    std::u16string s(t);
    for (char16_t &c : s)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    return s;
}

void setFloat(Number &n, long double v) {
    n.kind = Float;
    n.floatValue = v;
}

std::u16string withParentheses(View t) {
    std::u16string s(t);
    for (char16_t &c : s) {
        if (c == u'[' || c == u'{')
            c = u'(';
        else if (c == u']' || c == u'}')
            c = u')';
    }
    return s;
}

// Evaluates text into n and sets n's height. A text too deep to evaluate has no value if it
// is the outermost one, and is too deep wherever it is used; nested in another, it refuses
// that one too.
void evaluateWhole(Number &n, SharedText text) {
    const bool outermost = evaluationDepth == 0;
    try {
        n.height = evaluateText(n, std::move(text));
    } catch (const Refused &) {
        if (!outermost) throw;
        ops::detail::setNoValue(n, NoValueReason::tooDeep);
        n.height = maxEvaluationHeight + 1;
    }
}

// A new Number for text under the evaluation's settings, evaluated, wrapped into its value
// range and normalised.
// A Number that the cache will not keep holds no text: the text is then given up as soon as
// the evaluation no longer needs it (a long line's characters before its operation runs).
std::shared_ptr<Number> made(SharedText text, std::uint64_t hash, bool kept) {
    const auto [unit, rangeSigned, rangeBits] = evaluationSettings;
    auto n = std::allocate_shared<Number>(RecyclingAllocator<Number>());
    if (kept) n->text = text;
    n->textHash = hash;
    n->angleUnit = unit;
    n->rangeSigned = rangeSigned;
    n->rangeBits = rangeBits;
    evaluateWhole(*n, std::move(text));
    applyValueRange(*n);
    normalizeFloat(*n);
    return n;
}

Evaluated evaluateShared(SharedText text) {
    beginIfOutermost(text);
    const auto [unit, rangeSigned, rangeBits] = evaluationSettings;
    if (!isKeptText(text.view()) || (!carrying && hasCarriedMark(text))) {
        // Made afresh: its look-up, insertion and later removal would cost more than
        // evaluating it again. The Number is the one the cache would have kept.
        const std::shared_ptr<Number> n = made(std::move(text), 0, false);
        return {n, n->height};
    }
    const std::uint64_t hash = text.hash();
    if (NumberRef found =
            numberCache.find(NumberKey{text.view(), hash, unit, rangeSigned, rangeBits})) {
        // A cached sub-text counts as deep as it was when it was made.
        if (evaluationDepth > 0 && evaluationDepth + found->height > maxEvaluationHeight)
            throw Refused{};
        return {found, found->height};
    }
    std::shared_ptr<Number> n = made(std::move(text), hash, true);
    NumberRef cached = numberCache.insert(std::move(n));
    return {cached, cached->height};
}

std::uint32_t evaluateText(Number &n, SharedText text) {
    bigint::checkInterrupt();
    DepthGuard guard;
    std::uint32_t height = 1;
    auto evaluated = [&height](SharedText sub) {
        Evaluated e = evaluateShared(std::move(sub));
        height = std::max(height, e.height + 1);
        return e.number;
    };
    auto noValue = [&](NoValueReason why) {
        ops::detail::setNoValue(n, why);
        return height;
    };
    auto passNoValue = [&](const Number &from) {
        ops::detail::passNoValue(n, from);
        return height;
    };
    // A bracketed value that is infinite or not a number is carried on as its text ("INF",
    // "NAN"), which has no value wherever it stands; the evaluation then says so, rather
    // than calling that text an unknown name.
    struct NonFiniteCarried {
        Number &n;
        bool carried = false;
        ~NonFiniteCarried() {
            if (carried && n.kind == NoValue) {
                n.reason = NoValueReason::notFiniteInBrackets;
                n.reasonText.reset();
            }
        }
    } nonFinite{n};

    // A decimal literal, the operand of long calculations: read without the scans below,
    // which would find nothing in it.
    if (isDecimalDigits(text.view())) {
        readLiteral(n, text.view());
        return height;
    }

    // The long integers this text's parenthesised parts are carried as; registered until
    // the rebuilt text has been evaluated.
    CarriedScope carried;
    for (;;) {
        // Trim everything at or below the space character from both ends.
        const View raw = text.view();
        std::size_t begin = 0, end = raw.size();
        while (begin < end && raw[begin] <= u' ')
            ++begin;
        while (end > begin && raw[end - 1] <= u' ')
            --end;
        if (begin == end) return noValue(NoValueReason::missingOperand);
        text = text.piece(begin, end - begin);
        if (text.textBuffer()->hasBrackets()) text = SharedText(withParentheses(text.view()));

        // Each parenthesised part, from the left, is replaced by its value's Full text (the
        // text is then evaluated anew); the parts that follow one are in the text as it was.
        auto part = nextParenthesis(text, 0);
        if (!part) break;
        std::u16string rebuilt;
        std::size_t done = 0;
        for (; part; part = nextParenthesis(text, done)) {
            if (!part->close) return noValue(NoValueReason::unbalancedBrackets);
            if (*part->close == part->open + 1) return noValue(NoValueReason::emptyBrackets);
            const SharedText innerText = text.piece(part->open + 1, *part->close - part->open - 1);
            const NumberRef inner = evaluated(innerText);
            if (inner->kind == NoValue) return passNoValue(*inner);
            if (inner->kind == Float && !std::isfinite(inner->floatValue)) nonFinite.carried = true;
            // Brackets around the whole text give the inner integer itself: its "Full" text
            // is its exact decimal digits, which read back to the same integer. Taking the
            // value directly saves writing and reading a text that can have millions of
            // digits.
            if (inner->kind == Integer && part->open == 0 && *part->close + 1 == text.size()) {
                n.kind = Integer;
                n.integerValue = inner->integerValue;
                return height;
            }
            rebuilt.append(text.view().substr(done, part->open - done));
            rebuilt += u' ';
            if (carrying && isWorthCarrying(*inner, innerText.view()))
                carried.append(rebuilt, inner);
            else
                rebuilt += formattedResult(*inner, Full);
            rebuilt += u' ';
            done = *part->close + 1;
        }
        rebuilt.append(text.view().substr(done));
        text = SharedText(std::move(rebuilt));
    }

    const View t = text.view();
    // Prefix operators take the whole rest of the text.
    if (t[0] == u'!' || t.starts_with(u"not")) {
        ops::logicalNot(n, *evaluated(text.piece(t[0] == u'!' ? 1 : 3)));
        return height;
    }
    if (t[0] == u'~' || t.starts_with(u"compl")) {
        ops::complement(n, *evaluated(text.piece(t[0] == u'~' ? 1 : 5)));
        return height;
    }

    if (const auto split = findSplit(text)) {
        const NumberRef left = evaluated(text.piece(0, split->at));
        const NumberRef right = evaluated(text.piece(split->rightStart));
        text = SharedText(); // the operation may run long; the text is no longer needed
        applyBinary(n, split->op, *left, *right);
        return height;
    }

    // Postfix operators on the last character.
    const SharedText body = text.piece(0, t.size() - 1);
    switch (t.back()) {
    case u'\u00B2':
    case u'\u00B3': {
        const NumberRef base = evaluated(body);
        const NumberRef exponent = evaluated(t.back() == u'\u00B2' ? twoText() : threeText());
        ops::power(n, *base, *exponent);
        return height;
    }
    case u'!':
        ops::factorial(n, *evaluated(body));
        return height;
    default:
        break;
    }

    for (const auto &f : functions) {
        if (t.starts_with(f.name)) {
            f.apply(n, *evaluated(text.piece(f.name.size())));
            return height;
        }
    }
    if (t.starts_with(u"exp") && t.size() > 3) {
        const NumberRef base = evaluated(eulerText());
        const NumberRef exponent = evaluated(text.piece(3));
        ops::power(n, *base, *exponent);
        return height;
    }

    if (t.size() <= 3) {
        const std::u16string lower = asciiLowerCase(t);
        if (lower == u"pi") return setFloat(n, piValue), height;
        if (lower == u"phi") return setFloat(n, phiValue), height;
        if (lower == u"e" || lower == u"exp") return setFloat(n, eValue), height;
    }

    // A sign binds tighter than every binary operator, and works on n directly.
    if (t[0] == u'+') return std::max(height, evaluateText(n, text.piece(1)) + 1);
    if (t[0] == u'-') {
        height = std::max(height, evaluateText(n, text.piece(1)) + 1);
        if (n.kind == Integer)
            n.integerValue.negate(n.integerValue);
        else if (n.kind == Float)
            n.floatValue = -n.floatValue;
        return height;
    }

    if (carrying && hasCarriedMark(text)) {
        if (const BigUnsigned *magnitude = carriedMagnitude(t)) {
            n.kind = Integer;
            n.integerValue = BigInteger(*magnitude);
        } else {
            // No literal: the digits say why, as they would have without the token.
            readLiteral(n, withCarriedDigits(t));
        }
        return height;
    }
    readLiteral(n, t);
    return height;
}

} // namespace

bool isDecimalDigits(std::u16string_view t) {
    return !t.empty() &&
           std::all_of(t.begin(), t.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

bool isCheapText(std::u16string_view text) {
    if (text.size() > cheapTextLength) return isDecimalDigits(text);
    for (const char16_t c : text)
        if (c >= 0x80 || c == u'^' || c == u'!' || c == u'<') return false;
    return true;
}

bool isKeptText(std::u16string_view text) {
    // A long text whose characters alone are more than the cache may hold would have its
    // entry dropped at the next trim, while the entry held the text through the evaluation.
    // (Short texts stay cached while they are in use, whatever the ceiling.)
    constexpr std::size_t longText = 4096;
    return !isCheapText(text) &&
           (text.size() < longText || text.size() <= numberCache.ceiling() / sizeof(char16_t));
}

NumberRef evaluateExpression(const SharedText &text) {
    return evaluateShared(text).number;
}

NumberRef evaluateExpression(SharedText &&text) {
    return evaluateShared(std::move(text)).number;
}

NumberRef evaluateExpression(std::u16string_view text) {
    return evaluateShared(SharedText(std::u16string(text))).number;
}

void evaluateInto(Number &n, std::u16string_view text) {
    SharedText whole{std::u16string(text)};
    beginIfOutermost(whole);
    evaluateWhole(n, std::move(whole));
}

std::vector<std::u16string_view> functionNames() {
    std::vector<std::u16string_view> names;
    for (const NamedFunction &f : functions)
        names.push_back(f.name);
    return names;
}
