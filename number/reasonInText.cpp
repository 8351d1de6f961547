// SPDX-License-Identifier: MIT
#include "number/reasonInText.h"

#include "number/outputFormats.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

// A byte that is not part of well-formed UTF-8, kept apart from every character.
constexpr char32_t strayByte = 0x110000;

std::vector<char32_t> decode(std::string_view s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int length = 0;
        char32_t value = 0;
        if (b < 0x80)
            length = 1, value = b;
        else if (b >= 0xC2 && b <= 0xDF)
            length = 2, value = b & 0x1F;
        else if (b >= 0xE0 && b <= 0xEF)
            length = 3, value = b & 0x0F;
        else if (b >= 0xF0 && b <= 0xF4)
            length = 4, value = b & 0x07;
        bool whole = length > 0 && i + std::size_t(length) <= s.size();
        for (int k = 1; whole && k < length; ++k) {
            const auto c = static_cast<unsigned char>(s[i + std::size_t(k)]);
            if ((c & 0xC0) != 0x80) whole = false;
            value = (value << 6) | (c & 0x3F);
        }
        const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (whole && length > 1 &&
            (value < least || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF))
            whole = false;
        if (!whole) {
            out.push_back(strayByte + b);
            ++i;
            continue;
        }
        out.push_back(value);
        i += std::size_t(length);
    }
    return out;
}

void appendHex(std::string &out, const char *prefix, unsigned value, int digits) {
    static constexpr char hex[] = "0123456789abcdef";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += hex[(value >> shift) & 15];
}

void appendEscaped(std::string &out, char32_t c) {
    if (c >= strayByte) return appendHex(out, "\\x", unsigned(c - strayByte), 2);
    if (c < 0x20 || c == 0x7F) return appendHex(out, "\\x", unsigned(c), 2);
    if (c >= 0x80 && c <= 0x9F) return appendHex(out, "\\u", unsigned(c), 4);
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The characters the evaluator removes before it reads a text.
bool isBlank(char32_t c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isOpening(char32_t c) {
    return c == '(' || c == '[' || c == '{';
}
bool isClosing(char32_t c) {
    return c == ')' || c == ']' || c == '}';
}
bool isLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char32_t c) {
    return c >= '0' && c <= '9';
}
// The characters of a name or a literal: what stands between two operators.
bool isWordCharacter(char32_t c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '#' || c == '.' || c == ',';
}

using Text = std::vector<char32_t>;

// The pieces one after another. Messages are built by appending: g++ 12 at -O3 misreads
// operator+ chains as overlapping copies (-Wrestrict).
std::string join(std::initializer_list<std::string_view> pieces) {
    std::string out;
    for (std::string_view piece : pieces)
        out.append(piece);
    return out;
}

struct Span {
    std::size_t begin, end; // [begin, end) in the line's characters
};

// Where each opening bracket of the line closes; npos for one without a partner.
std::vector<std::size_t> partners(const Text &line) {
    std::vector<std::size_t> partner(line.size(), std::string_view::npos);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (isOpening(line[i])) {
            open.push_back(i);
        } else if (isClosing(line[i]) && !open.empty()) {
            partner[open.back()] = i;
            open.pop_back();
        }
    }
    return partner;
}

// Whether piece, from `i` on, is the line from `j` on: blanks in the line are skipped, and a
// run of the piece between blanks may stand for a bracketed part of the line (the evaluator
// writes a bracket's value back between blanks). The piece has no brackets of its own, so at
// each step only one of the two can match. `end` is where the match ends in the line.
bool matchesAt(const Text &piece, const Text &line, const std::vector<std::size_t> &partner,
               std::size_t j, std::size_t &end) {
    std::size_t i = 0;
    while (i < piece.size()) {
        if (piece[i] == ' ') {
            ++i;
            continue;
        }
        while (j < line.size() && isBlank(line[j]))
            ++j;
        if (j >= line.size()) return false;
        // A value written back has a blank on each side, but at either end of the piece,
        // where the evaluator trimmed the text; a piece without blanks is all as typed.
        std::size_t runEnd = i;
        while (runEnd < piece.size() && piece[runEnd] != ' ')
            ++runEnd;
        const bool mayBeValue = (i == 0 || piece[i - 1] == ' ') && (i > 0 || runEnd < piece.size());
        if (mayBeValue && isOpening(line[j]) && partner[j] != std::string_view::npos) {
            j = partner[j] + 1;
            i = runEnd;
            continue;
        }
        if (piece[i] != line[j]) return false;
        ++i, ++j;
    }
    end = j;
    return true;
}

std::optional<Span> locate(const Text &piece, const Text &line) {
    if (piece.empty()) return std::nullopt;
    const std::vector<std::size_t> partner = partners(line);
    for (std::size_t j = 0; j < line.size(); ++j) {
        if (isBlank(line[j])) continue;
        std::size_t end = 0;
        if (matchesAt(piece, line, partner, j, end)) return Span{j, end};
    }
    return std::nullopt;
}

std::string encode(const Text &t, std::size_t begin, std::size_t end) {
    std::string out;
    for (std::size_t i = begin; i < end && i < t.size(); ++i)
        appendEscaped(out, t[i]);
    return out;
}

// A quoted part of a line, shortened as the evaluator's details are.
std::string quoted(const Text &t, std::size_t begin, std::size_t end) {
    constexpr std::size_t most = 40;
    const bool cut = end - begin > most;
    return join({"'", encode(t, begin, cut ? begin + most : end), cut ? "...'" : "'"});
}

// A suggestion as long as a quote may be.
std::string shortened(std::string text) {
    constexpr std::size_t most = 60;
    if (text.size() <= most) return text;
    std::size_t n = most;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    text.resize(n);
    text.append("...");
    return text;
}

std::string lower(const Text &t, std::size_t begin, std::size_t end) {
    std::string s;
    for (std::size_t i = begin; i < end; ++i)
        s += t[i] < 0x80 ? char(t[i] >= 'A' && t[i] <= 'Z' ? t[i] + 32 : t[i]) : '?';
    return s;
}

bool isConstantName(const std::string &lowered) {
    return lowered == "pi" || lowered == "phi" || lowered == "e" || lowered == "exp";
}

bool startsWithFunction(const Text &t, std::size_t at) {
    static constexpr std::array<std::string_view, 16> names = {
        "sin", "cos",  "tan",   "asin", "acos",  "atan", "abs",  "floor",
        "int", "ceil", "round", "ln",   "log10", "log",  "sqrt", "exp"};
    for (std::string_view name : names) {
        bool same = at + name.size() <= t.size();
        for (std::size_t k = 0; same && k < name.size(); ++k)
            same = t[at + k] == char32_t(name[k]);
        if (same) return true;
    }
    return false;
}

// The character before `at` that is not blank, within the span; npos when there is none.
std::size_t previousCharacter(const Text &t, std::size_t at, std::size_t begin) {
    while (at > begin) {
        --at;
        if (!isBlank(t[at])) return at;
    }
    return std::string_view::npos;
}

// The start of the name or literal that ends at `last`.
std::size_t wordStart(const Text &t, std::size_t last, std::size_t begin) {
    std::size_t s = last;
    while (s > begin && isWordCharacter(t[s - 1]))
        --s;
    return s;
}

bool isNumberStart(char32_t c) {
    return isDigit(c) || c == '.' || c == ',' || c == '#';
}

bool isHexadecimalLiteral(const Text &t, std::size_t s, std::size_t last) {
    if (t[s] == '#') return true;
    return last > s + 1 && t[s] == '0' && (t[s + 1] == 'x' || t[s + 1] == 'X');
}

// A "+" or "-" after a name or a hexadecimal digit, which the language does not take for an
// operator: "pi-1", "0xff+1".
std::optional<std::string> signAfterName(const Text &t, Span span) {
    for (std::size_t k = span.begin; k < span.end; ++k) {
        if (t[k] != '+' && t[k] != '-') continue;
        const std::size_t p = previousCharacter(t, k, span.begin);
        if (p == std::string_view::npos || !isLetter(t[p])) continue;
        const std::size_t s = wordStart(t, p, span.begin);
        std::string after;
        if (isHexadecimalLiteral(t, s, p) && lower(t, p, p + 1)[0] <= 'f')
            after = "a hexadecimal digit";
        else if (isConstantName(lower(t, s, p + 1)))
            after = "a name";
        else
            return std::nullopt;
        const std::string written = join(
            {encode(t, span.begin, s), "(", encode(t, s, p + 1), ")", encode(t, p + 1, span.end)});
        return join({"'", encode(t, k, k + 1), "' after ", after, " is not an operator: write ",
                     shortened(written)});
    }
    return std::nullopt;
}

// Two values side by side, which the language does not multiply: "2(3)", "(1)(2)", "2pi".
std::optional<std::string> valuesSideBySide(const Text &t, Span span) {
    // The blanks between the two values give way to the operator.
    const auto write = [&](std::size_t at) {
        const std::size_t before = previousCharacter(t, at, span.begin) + 1;
        const std::string written =
            join({encode(t, span.begin, before), "*", encode(t, at, span.end)});
        return join({"values side by side are not multiplied: write ", shortened(written)});
    };
    for (std::size_t k = span.begin; k < span.end; ++k) {
        const std::size_t p = previousCharacter(t, k, span.begin);
        if (p == std::string_view::npos) continue;
        const char32_t before = t[p];
        if (isOpening(t[k])) {
            if (isClosing(before) || before == u'\u00B2' || before == u'\u00B3' || before == '!')
                return write(k);
            if (isWordCharacter(before)) {
                const std::size_t s = wordStart(t, p, span.begin);
                if (isNumberStart(t[s]) || isConstantName(lower(t, s, p + 1))) return write(k);
            }
        } else if (isLetter(t[k]) && (isDigit(before) || isClosing(before)) && p + 1 == k) {
            // A number, or a bracket, directly before a constant or a function's name.
            const std::size_t s = wordStart(t, p, span.begin);
            if (isDigit(before) && (!isNumberStart(t[s]) || isHexadecimalLiteral(t, s, p)))
                continue;
            std::size_t wordEnd = k;
            while (wordEnd < t.size() && isLetter(t[wordEnd]))
                ++wordEnd;
            const bool constant = isConstantName(lower(t, k, wordEnd)) &&
                                  (wordEnd == t.size() || !isWordCharacter(t[wordEnd]));
            // "2e5" is a number, not two: the exponent letter is never a constant here.
            const bool exponent = (t[k] == 'e' || t[k] == 'E') && wordEnd == k + 1 &&
                                  wordEnd < t.size() && isDigit(t[wordEnd]);
            if ((constant || startsWithFunction(t, k)) && !exponent) return write(k);
        }
    }
    return std::nullopt;
}

// The whole name a failing piece belongs to: "cosh" for the "h" that was left of it once
// "cos" was taken for the function, "format" for the "f" before its "or".
Span wholeName(const Text &t, Span span) {
    std::size_t b = span.begin;
    while (b > 0 && isLetter(t[b - 1]))
        --b;
    std::size_t e = span.begin;
    while (e < span.end && e < t.size() && !isBlank(t[e]) && !isOpening(t[e]) && !isClosing(t[e]) &&
           (e == span.begin || isWordCharacter(t[e]) || t[e] >= 0x80))
        ++e;
    while (e < t.size() && isWordCharacter(t[e]))
        ++e;
    return {b, e > b ? e : span.end};
}

std::string withColumn(std::string message, const Text &t, Span span) {
    // A short line is read at a glance; in a long one the column says where to look.
    constexpr std::size_t longLine = 30;
    std::size_t first = 0, last = t.size();
    while (first < last && isBlank(t[first]))
        ++first;
    while (last > first && isBlank(t[last - 1]))
        --last;
    if (last - first > longLine && span.begin > first)
        message.append(" at column ").append(std::to_string(span.begin + 1));
    return message;
}

} // namespace

std::string escapedForMessage(std::string_view utf8) {
    std::string out;
    for (char32_t c : decode(utf8))
        appendEscaped(out, c);
    return out;
}

std::optional<ControlCharacter> findControlCharacter(std::string_view utf8) {
    // Every line read passes here: bytes are checked first, and the line decoded only to
    // count the column of a control character found (C1 controls are C2 80 to C2 9F).
    // A blank or a C2 lead byte (most of them "²" and "³") only sends the line to the
    // careful look; one table look-up a byte finds them.
    static constexpr auto suspicious = [] {
        std::array<bool, 256> table{};
        for (int b = 0; b < 0x20; ++b)
            table[std::size_t(b)] = true;
        table[0x7F] = table[0xC2] = true;
        return table;
    }();
    std::size_t i = 0;
    while (i < utf8.size() && !suspicious[static_cast<unsigned char>(utf8[i])])
        ++i;
    if (i == utf8.size()) return std::nullopt;
    const Text t = decode(utf8);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char32_t c = t[i];
        if ((c < 0x20 && !isBlank(c)) || (c >= 0x7F && c <= 0x9F))
            return ControlCharacter{i + 1, c};
    }
    return std::nullopt;
}

std::string describeControlCharacter(const ControlCharacter &found) {
    std::string text = "control character ";
    appendEscaped(text, found.code);
    return text.append(" at column ").append(std::to_string(found.column));
}

std::string explainNoValue(NoValueReason reason, std::string_view detail, std::string_view line) {
    const bool quotesText =
        reason == NoValueReason::unknownName || reason == NoValueReason::malformedNumber ||
        reason == NoValueReason::exponentOver500 || reason == NoValueReason::outsideFloatRange;
    if (!quotesText || detail.empty()) return describeNoValue(reason, escapedForMessage(detail));
    const Text t = decode(line);
    Text piece = decode(detail);
    // A shortened detail is matched by the part that was kept.
    if (piece.size() > 3 && piece[piece.size() - 1] == '.' && piece[piece.size() - 2] == '.' &&
        piece[piece.size() - 3] == '.')
        piece.resize(piece.size() - 3);
    const std::optional<Span> found = locate(piece, t);
    if (!found) return describeNoValue(reason, escapedForMessage(detail));
    const Span span = *found;
    if (reason == NoValueReason::unknownName || reason == NoValueReason::malformedNumber) {
        if (std::optional<std::string> rule = signAfterName(t, span))
            return withColumn(*rule, t, span);
        if (std::optional<std::string> rule = valuesSideBySide(t, span))
            return withColumn(*rule, t, span);
    }
    if (reason == NoValueReason::unknownName) {
        const Span name = wholeName(t, span);
        return withColumn(join({"unknown name ", quoted(t, name.begin, name.end)}), t, name);
    }
    std::string described = describeNoValue(reason, "");
    described.resize(described.size() - 3); // the empty quotes
    return withColumn(join({described, " ", quoted(t, span.begin, span.end)}), t, span);
}

std::string resultRemark(const Number &n, OutputFormat format) {
    if (n.kind != Float) return {};
    std::string remark;
    if (std::isnan(n.floatValue))
        remark = "not a number";
    else if (std::isinf(n.floatValue))
        remark = "infinite";
    if (!isRadixFormat(format)) return remark;
    const std::string name(outputFormatRow(format).word);
    if (remark.empty()) return join({"a non-integer has no ", name, " text"});
    return join({remark, ", which has no ", name, " text"});
}
