#include "number/evaluator.h"

#include "number/NumberCache.h"
#include "number/Settings.h"
#include "number/format.h"
#include "number/literal.h"
#include "number/operations.h"
#include "number/valueKind.h"

#include <memory>
#include <mutex>
#include <string>

namespace {

using Text = std::u16string;
using View = std::u16string_view;

// Euler's number as the literal that "exp" raises to a power.
constexpr View eulerText = u"2.71828182845904523536028747135266249775724709369995";

// How deep this thread's evaluation is nested, and how many characters the texts on the
// current chain of nested evaluations hold.
thread_local int evaluationDepth = 0;
thread_local std::size_t nestedCharacters = 0;

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

// Thrown when a text nests too deeply or its evaluation would hold too much memory; caught
// by the outermost evaluation, which then has no value. Nothing in between is cached, so no
// sub-text gets a value that depends on how deep it happened to be evaluated.
struct Refused {};

// Bytes of texts and integer results this thread's outermost evaluation has made so far:
// every sub-text is copied into the cache with its result, so a short text can otherwise
// hold gigabytes (a chain of a thousand huge powers, brackets around a huge result).
thread_local std::size_t evaluationBytes = 0;

void charge(std::size_t bytes) {
    if (bytes > maxEvaluationBytes - evaluationBytes) throw Refused{};
    evaluationBytes += bytes;
}
void chargeText(std::size_t length) {
    charge(length * sizeof(char16_t));
}

// The start of an outermost evaluation: read the settings and open a fresh memory budget.
void beginIfOutermost() {
    if (evaluationDepth != 0) return;
    const settings::ValueRange range = settings::currentValueRange();
    evaluationSettings = {settings::currentAngleUnit(), range.isSigned, range.bits};
    evaluationBytes = 0;
}

class DepthGuard {
public:
    explicit DepthGuard(std::size_t length) : length(length) {
        if (evaluationDepth + 1 > maxEvaluationDepth ||
            nestedCharacters + length > maxNestedCharacters)
            throw Refused{};
        ++evaluationDepth;
        nestedCharacters += length;
    }
    ~DepthGuard() {
        --evaluationDepth;
        nestedCharacters -= length;
    }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;

private:
    std::size_t length;
};

// Evaluates text into n under the settings the outermost evaluation read.
void evaluateText(Number &n, View text);

bool startsWith(View t, View prefix) {
    return t.substr(0, prefix.size()) == prefix;
}
bool at(View t, std::size_t i, View s) {
    return i + s.size() <= t.size() && t.substr(i, s.size()) == s;
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

enum class BinaryOp {
    logicalOr,
    logicalAnd,
    bitwiseOr,
    bitwiseXor,
    bitwiseAnd,
    equal,
    notEqual,
    greaterOrEqual,
    greater,
    lessOrEqual,
    less,
    shiftLeft,
    shiftRight,
    add,
    subtract,
    multiply,
    divide,
    modulo,
    power,
};

struct Split {
    std::size_t at = 0;         // where the operator starts
    std::size_t rightStart = 0; // where the right operand starts
    BinaryOp op{};
};

// Finds the operator of the loosest level in t, scanning each level in its direction.
// Positions are 0-based here.
bool findSplit(View t, Split &s) {
    const std::size_t len = t.size();
    auto found = [&](std::size_t i, std::size_t opLength, BinaryOp op) {
        s = Split{i, i + opLength, op};
        return true;
    };
    auto downFrom = [&](std::size_t first, auto &&match) {
        for (std::size_t i = first + 1; i-- > 0;)
            if (match(i)) return true;
        return false;
    };
    if (len < 2) return false;

    // Logical or: "||", and "or" that is not the end of "bitor", "xor" or "floor".
    if (downFrom(len - 2, [&](std::size_t i) {
            if (t[i] == u'|' && t[i + 1] == u'|') return found(i, 2, BinaryOp::logicalOr);
            if (t[i] == u'o' && t[i + 1] == u'r' && i >= 1 && t[i - 1] != u't' &&
                t[i - 1] != u'x' && !(i >= 3 && t[i - 3] == u'f' && at(t, i - 3, u"floor")))
                return found(i, 2, BinaryOp::logicalOr);
            return false;
        }))
        return true;
    // Logical and: "&&", and "and" that is not the end of "bitand".
    if (downFrom(len - 2, [&](std::size_t i) {
            if (t[i] == u'&' && t[i + 1] == u'&') return found(i, 2, BinaryOp::logicalAnd);
            if (t[i] == u'a' && at(t, i, u"and") && i >= 1 && t[i - 1] != u't')
                return found(i, 3, BinaryOp::logicalAnd);
            return false;
        }))
        return true;
    if (downFrom(len - 1, [&](std::size_t i) {
            if (t[i] == u'|') return found(i, 1, BinaryOp::bitwiseOr);
            if (t[i] == u'b' && at(t, i, u"bitor")) return found(i, 5, BinaryOp::bitwiseOr);
            return false;
        }))
        return true;
    if (downFrom(len - 1, [&](std::size_t i) {
            return t[i] == u'x' && at(t, i, u"xor") && found(i, 3, BinaryOp::bitwiseXor);
        }))
        return true;
    if (downFrom(len - 1, [&](std::size_t i) {
            if (t[i] == u'&') return found(i, 1, BinaryOp::bitwiseAnd);
            if (t[i] == u'b' && at(t, i, u"bitand")) return found(i, 6, BinaryOp::bitwiseAnd);
            return false;
        }))
        return true;
    // Equality: "==", "eq" (not the end of "not_eq"), "!=", "not_eq".
    if (downFrom(len - 2, [&](std::size_t i) {
            if (t[i] == u'=' && t[i + 1] == u'=') return found(i, 2, BinaryOp::equal);
            if (t[i] == u'e' && t[i + 1] == u'q' && i >= 1 && t[i - 1] != u'_')
                return found(i, 2, BinaryOp::equal);
            if (t[i] == u'!' && t[i + 1] == u'=') return found(i, 2, BinaryOp::notEqual);
            if (t[i] == u'n' && at(t, i, u"not_eq")) return found(i, 6, BinaryOp::notEqual);
            return false;
        }))
        return true;
    // Relational; a single "<" or ">" that belongs to a shift does not count.
    if (downFrom(len - 1, [&](std::size_t i) {
            for (char16_t c : {u'>', u'<'}) {
                if (t[i] != c) continue;
                bool gt = c == u'>';
                if (i + 1 < len && t[i + 1] == u'=')
                    return found(i, 2, gt ? BinaryOp::greaterOrEqual : BinaryOp::lessOrEqual);
                if ((i + 1 >= len || t[i + 1] != c) && (i == 0 || t[i - 1] != c))
                    return found(i, 1, gt ? BinaryOp::greater : BinaryOp::less);
            }
            return false;
        }))
        return true;
    if (downFrom(len - 2, [&](std::size_t i) {
            if (t[i] == u'<' && t[i + 1] == u'<') return found(i, 2, BinaryOp::shiftLeft);
            if (t[i] == u'>' && t[i + 1] == u'>') return found(i, 2, BinaryOp::shiftRight);
            return false;
        }))
        return true;
    // Additive: a "+" or "-" is binary only after a digit, ")", "²" or "³" (spaces and "!"
    // skipped); otherwise it is a sign, or the sign of an exponent as in 1e-5.
    for (std::size_t i = len - 1; i >= 1; --i) {
        if (t[i] != u'+' && t[i] != u'-') continue;
        std::size_t j = i;
        while (j > 0 && (t[j - 1] == u' ' || t[j - 1] == u'!'))
            --j;
        if (j == 0) continue;
        char16_t c = t[j - 1];
        if (isDigit(c) || c == u')' || c == u'\u00B2' || c == u'\u00B3')
            return found(i, 1, t[i] == u'+' ? BinaryOp::add : BinaryOp::subtract);
    }
    if (downFrom(len - 1, [&](std::size_t i) {
            if (t[i] == u'*') {
                bool partOfPower = (i > 0 && t[i - 1] == u'*') || (i + 1 < len && t[i + 1] == u'*');
                return !partOfPower && found(i, 1, BinaryOp::multiply);
            }
            if (t[i] == u'/') return found(i, 1, BinaryOp::divide);
            if (t[i] == u'%') return found(i, 1, BinaryOp::modulo);
            return false;
        }))
        return true;
    // Power, scanned from the left: right-associative.
    for (std::size_t i = 0; i < len; ++i) {
        if (t[i] == u'^') return found(i, 1, BinaryOp::power);
        if (t[i] == u'*' && i + 1 < len && t[i + 1] == u'*') return found(i, 2, BinaryOp::power);
    }
    return false;
}

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

Text asciiLowerCase(View t) {
    Text s(t);
    for (char16_t &c : s)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    return s;
}

void setFloat(Number &n, long double v) {
    n.kind = Float;
    n.floatValue = v;
}

// Replaces the first parenthesised part by its value's Full text and evaluates the new
// text into n. Returns false when t holds no "(".
bool evaluateParentheses(Number &n, const Text &t) {
    std::size_t open = t.find(u'(');
    if (open == Text::npos) return false;
    std::size_t close = Text::npos;
    int depth = 0;
    for (std::size_t i = open + 1; i < t.size(); ++i) {
        if (t[i] == u'(') {
            ++depth;
        } else if (t[i] == u')') {
            if (depth == 0) {
                close = i;
                break;
            }
            --depth;
        }
    }
    if (close == Text::npos || close == open + 1) {
        n.kind = NoValue;
        return true;
    }
    Number &inner = evaluateExpression(View(t).substr(open + 1, close - open - 1));
    if (inner.kind == NoValue) {
        n.kind = NoValue;
        return true;
    }
    // Brackets around the whole text give the inner integer itself: its "Full" text is its
    // exact decimal digits, which read back to the same integer. Taking the value directly
    // saves writing and reading a text that can have millions of digits.
    if (inner.kind == Integer && open == 0 && close + 1 == t.size()) {
        n.kind = Integer;
        n.integerValue = inner.integerValue;
        return true;
    }
    // The inner result's text is made twice over (kept with the result and copied into the
    // rebuilt text): refuse a huge one before spending the time to make it.
    if (inner.kind == Integer) {
        const auto digits = std::size_t(estimatedDigitCount(inner.integerValue, 10));
        chargeText(2 * digits);
        // The estimate is at most one digit over, so the rebuilt text surely nests too much.
        if (nestedCharacters + t.size() - (close - open + 1) + digits > maxNestedCharacters + 1)
            throw Refused{};
    }
    Text rebuilt = t.substr(0, open);
    rebuilt += u' ';
    rebuilt += formatNumber(inner, Full);
    rebuilt += u' ';
    rebuilt.append(t, close + 1);
    evaluateText(n, rebuilt);
    return true;
}

} // namespace

Number &evaluateExpression(std::u16string_view text) {
    beginIfOutermost();
    const auto [unit, rangeSigned, rangeBits] = evaluationSettings;
    {
        std::lock_guard<std::mutex> guard(numberCache.mutex());
        if (Number *found = numberCache.lookUp(NumberKey{text, unit, rangeSigned, rangeBits}))
            return *found;
    }
    const bool outermost = evaluationDepth == 0;
    if (!outermost) chargeText(text.size());
    auto n = std::make_unique<Number>();
    n->text = Text(text);
    n->angleUnit = unit;
    n->rangeSigned = rangeSigned;
    n->rangeBits = rangeBits;
    try {
        evaluateText(*n, n->text);
    } catch (const Refused &) {
        if (!outermost) throw;
        n->kind = NoValue;
    }
    applyValueRange(*n);
    normalizeFloat(*n);
    if (n->kind == Integer && !outermost)
        charge(std::size_t(n->integerValue.getMagnitude().getLength()) * sizeof(std::uint32_t));
    std::lock_guard<std::mutex> guard(numberCache.mutex());
    return numberCache.append(std::move(n));
}

void evaluateInto(Number &n, std::u16string_view text) {
    beginIfOutermost();
    evaluateText(n, text);
}

namespace {

void evaluateText(Number &n, std::u16string_view text) {
    DepthGuard guard(text.size());

    // Trim everything at or below the space character from both ends.
    std::size_t begin = 0, end = text.size();
    while (begin < end && text[begin] <= u' ')
        ++begin;
    while (end > begin && text[end - 1] <= u' ')
        --end;
    if (begin == end) {
        n.kind = NoValue;
        return;
    }
    chargeText(end - begin);
    Text t(text.substr(begin, end - begin));
    for (char16_t &c : t) {
        if (c == u'[' || c == u'{')
            c = u'(';
        else if (c == u']' || c == u'}')
            c = u')';
    }

    if (evaluateParentheses(n, t)) return;

    // Prefix operators take the whole rest of the text.
    if (t[0] == u'!' || startsWith(t, u"not")) {
        return ops::logicalNot(n, evaluateExpression(View(t).substr(t[0] == u'!' ? 1 : 3)));
    }
    if (t[0] == u'~' || startsWith(t, u"compl")) {
        return ops::complement(n, evaluateExpression(View(t).substr(t[0] == u'~' ? 1 : 5)));
    }

    Split split;
    if (findSplit(t, split)) {
        Number &left = evaluateExpression(View(t).substr(0, split.at));
        Number &right = evaluateExpression(View(t).substr(split.rightStart));
        return applyBinary(n, split.op, left, right);
    }

    // Postfix operators on the last character.
    const View body = View(t).substr(0, t.size() - 1);
    switch (t.back()) {
    case u'\u00B2': {
        Number &base = evaluateExpression(body);
        return ops::power(n, base, evaluateExpression(u"2"));
    }
    case u'\u00B3': {
        Number &base = evaluateExpression(body);
        return ops::power(n, base, evaluateExpression(u"3"));
    }
    case u'!':
        return ops::factorial(n, evaluateExpression(body));
    default:
        break;
    }

    for (const auto &f : functions) {
        if (startsWith(t, f.name))
            return f.apply(n, evaluateExpression(View(t).substr(f.name.size())));
    }
    if (startsWith(t, u"exp") && t.size() > 3) {
        Number &base = evaluateExpression(eulerText);
        return ops::power(n, base, evaluateExpression(View(t).substr(3)));
    }

    const Text lower = asciiLowerCase(t);
    if (lower == u"pi") return setFloat(n, piValue);
    if (lower == u"phi") return setFloat(n, phiValue);
    if (lower == u"e" || lower == u"exp") return setFloat(n, eValue);

    // A sign binds tighter than every binary operator, and works on n directly.
    if (t[0] == u'+') return evaluateText(n, View(t).substr(1));
    if (t[0] == u'-') {
        evaluateText(n, View(t).substr(1));
        if (n.kind == Integer)
            n.integerValue.negate(n.integerValue);
        else if (n.kind == Float)
            n.floatValue = -n.floatValue;
        return;
    }

    readLiteral(n, t);
}

} // namespace
