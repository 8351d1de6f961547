// SPDX-License-Identifier: MIT
// reckonwise-eval: evaluates expressions from the command line or standard input and prints
// one result text per expression, formatted as the window would show it.

#include "bigint/interrupt.h"
#include "bigint/textConversion.h"
#include "converter/TextList.h"
#include "converter/catalogue/catalogue.h"
#include "converter/conversionText.h"
#include "converter/itemMatch.h"
#include "converter/unitNames.h"
#include "number/Number.h"
#include "number/NumberCache.h"
#include "number/Settings.h"
#include "number/bitView.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/outputFormats.h"
#include "number/reasonInText.h"
#include "number/textUtils.h"
#include "reckonwise/version.h"
#include "tools/evalOptions.h"
#include "tools/fdOutput.h"
#include "tools/interruptKey.h"
#include "tools/lineReader.h"
#include "tools/platformConsole.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>
#include <new>
#include <string>
#include <string_view>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif
#include <utility>
#include <vector>

namespace {

// The cache's ceiling when the lines come from a pipe or a file (see main).
constexpr std::size_t streamCacheCeiling = std::size_t(1) << 20;

// The output could not be written (a full disk, a closed output, a reader that has gone
// while SIGPIPE is ignored): the program ends with a message and status 1. Where SIGPIPE
// has its default action, a reader that has gone ends the program silently instead.
[[noreturn]] void writeFailed() {
    const int error = standardOutput().error();
    standardError() << programName
                    << ": write error: " << (error ? std::strerror(error) : "the output was closed")
                    << '\n';
    std::_Exit(1);
}

void checkOutput() {
    if (standardOutput().error()) writeFailed();
}

void flushOutput() {
    standardOutput().flush();
    checkOutput();
}

const char *kindName(NumberKind kind) {
    switch (kind) {
    case Integer:
        return "integer";
    case Float:
        return "float";
    case NoValue:
        break;
    }
    return "novalue";
}

// Writes text as UTF-8 in slices, so that a result of hundreds of millions of characters
// is not copied whole once more; "," becomes the chosen decimal mark. Ctrl+C at a terminal
// stops a long result between two slices.
template <class Output>
void writeResult(Output &out, std::u16string_view text, const std::string &decimalPoint) {
    constexpr std::size_t slice = 1 << 16;
    while (!text.empty()) {
        bigint::checkInterrupt();
        std::size_t n = std::min(slice, text.size());
        // Keep a surrogate pair together.
        if (n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) ++n;
        std::string piece = utf16ToUtf8(text.substr(0, n));
        if (decimalPoint != ",") {
            for (std::size_t at = piece.find(','); at != std::string::npos;
                 at = piece.find(',', at + decimalPoint.size()))
                piece.replace(at, 1, decimalPoint);
        }
        out << piece;
        text.remove_prefix(n);
    }
}

// An ASCII result the same way, in slices, with the chosen decimal mark.
void writeAscii(FdOutput &out, std::string_view text, const std::string &decimalPoint) {
    constexpr std::size_t slice = 1 << 16;
    while (!text.empty()) {
        bigint::checkInterrupt();
        std::string_view piece = text.substr(0, slice);
        text.remove_prefix(piece.size());
        for (std::size_t at = piece.find(','); at != std::string_view::npos; at = piece.find(',')) {
            out << piece.substr(0, at) << decimalPoint;
            piece.remove_prefix(at + 1);
        }
        out << piece;
    }
}

// A text as a message shows it: whole up to a few dozen characters, else its start, with its
// control characters escaped.
std::string shown(std::string_view text) {
    constexpr std::size_t most = 60;
    if (text.size() <= most) return escapedForMessage(text);
    std::size_t n = most;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n; // not inside a character
    return escapedForMessage(text.substr(0, n)) + "...";
}

// How a message names the input it is about: "line N", or the argument as shown().
struct Where {
    std::size_t line = 0; // 0 for an argument
    const std::string *argument = nullptr;
    std::string text() const {
        return argument ? shown(*argument) : "line " + std::to_string(line);
    }
};

// Blank lines hold no expression, and neither do comments: lines whose first character that
// is not blank is a "#" followed by a blank or by nothing, and "#!" on the first line (the
// script's interpreter). Any other "#" starts a hexadecimal literal: "#ff" is 255.
bool isCommentOrBlank(std::string_view line, bool firstLine) {
    constexpr std::string_view blanks = " \t\v\f\r";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string_view::npos) return true;
    if (line[first] != '#') return false;
    if (first + 1 == line.size() || blanks.find(line[first + 1]) != std::string_view::npos)
        return true;
    return firstLine && line[first + 1] == '!';
}

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The most characters other than digits that a text evaluated on the calling thread's own
// stack may have. Evaluation recurses once per operator, bracket or sign, each level taking
// up to about a kilobyte of stack (a text of 16000 brackets overflows 8 MiB in a Release
// build), so a text with n such characters needs at most about n kilobytes; an eighth of
// that margin is kept for the frames below and for builds that use more stack per call.
// Other texts run on a thread of their own with a large stack: creating it (and the heap
// its allocations then start) costs a tenth of a short run.
std::size_t shallowTextLimit() {
#if defined(_WIN32)
    const std::size_t bytes = std::size_t(1) << 20; // the main thread's stack of a Windows program
#else
    rlimit stack{};
    std::size_t bytes = std::size_t(8) << 20;
    if (getrlimit(RLIMIT_STACK, &stack) == 0 && stack.rlim_cur != RLIM_INFINITY)
        bytes = std::min(bytes, std::size_t(stack.rlim_cur));
#endif
    return bytes / 8192;
}

// Each level of the evaluation takes at least one character that is not a digit (an
// operator, a bracket, a sign, a letter of a function's name), so those characters bound
// how deeply a text can nest: a product of two numbers of millions of digits has one.
bool isShallow(std::string_view text) {
    static const std::size_t limit = shallowTextLimit();
    std::size_t count = 0;
    for (const char c : text)
        if ((c < '0' || c > '9') && ++count > limit) return false;
    return true;
}

struct Run {
    const EvalOptions &options;
    bool onLargeStack = false; // the whole run is on a thread with a large stack
    bool anyWithoutValue = false;

    // Prints the result line for one expression. One without value leaves the line empty
    // and, unless quiet, says why on standard error, naming the input by `where`.
    void evaluateAndPrint(std::string expression, const Where &where, bool moreWaiting) {
        if (onLargeStack || isShallow(expression))
            return evaluateAndPrintHere(std::move(expression), where, moreWaiting);
        runWithLargeStack([&] { evaluateAndPrintHere(std::move(expression), where, moreWaiting); });
    }

    void evaluateAndPrintHere(std::string expression, const Where &where, bool moreWaiting) {
        if (options.bases) return printBasesHere(expression, where, moreWaiting);
        NumberRef n;
        const std::u16string *text = nullptr;
        std::string failure;
        try {
            bigint::checkInterrupt();
            // A control character would be dropped unseen at the end of an operand ("3+\x004"
            // read as 3+4): the line is refused and the character named instead.
            if (const std::optional<ControlCharacter> control = findControlCharacter(expression))
                throw describeControlCharacter(*control);
            // A long line is held once while it is evaluated: in UTF-16, handed to the
            // evaluator without another copy. Its UTF-8 is given up when the UTF-16 says the
            // same (ASCII without white space) and the Number keeps it, for a reason to quote.
            SharedText line;
            std::u16string wide = utf8ToUtf16(expression);
            const bool plain = isPlainAscii(expression);
            if (plain)
                line = SharedText(std::move(wide));
            else
                line = SharedText(stripWhiteSpace(wide));
            // A Number the cache does not keep has its text written once: made as ASCII,
            // without the UTF-16 copy kept in the Number. So is an integer's Full text, its
            // decimal digits (a third of the memory of a long result).
            const bool kept = isKeptText(line.view());
            if (plain && kept) std::string().swap(expression);
            NumberRef value = evaluateExpression(std::move(line));
            std::string ascii;
            if ((value->kind == Integer && options.format == Full) ||
                (!kept && !isRadixFormat(options.format)))
                ascii = asciiResultText(*value, options.format);
            else
                text = &formattedResult(*value, options.format);
            if (options.showKind) standardOutput() << kindName(value->kind) << '\t';
            if (value->kind == NoValue) {
                const std::string written =
                    expression.empty() ? utf16ToUtf8(value->text.view()) : expression;
                failure = explainNoValue(value->reason, value->reasonText ? *value->reasonText : "",
                                         written);
            } else if (value->kind == Float) {
                failure = resultRemark(*value, options.format);
            }
            n = std::move(value);
            if (text)
                writeResult(standardOutput(), *text, options.decimalPoint);
            else
                writeAscii(standardOutput(), ascii, options.decimalPoint);
        } catch (...) {
            failure = failureOf(std::current_exception());
        }
        standardOutput() << '\n';
        finishLine(failure, where, moreWaiting);
    }

    // The text of a failure that ended an evaluation.
    static std::string failureOf(const std::exception_ptr &thrown) {
        try {
            std::rethrow_exception(thrown);
        } catch (const char *message) {
            return message;
        } catch (const std::string &message) {
            return message;
        } catch (const std::bad_alloc &) {
            return "out of memory";
        } catch (const bigint::Interrupted &) {
            return "interrupted";
        }
    }

    // After a line's output: its failure counted and told, the output written out or not.
    void finishLine(const std::string &failure, const Where &where, bool moreWaiting) {
        if (!failure.empty()) anyWithoutValue = true;
        // Every answer is out before the program could wait for more input: a script that
        // writes a line and reads the answer never stalls, and a file of expressions is not
        // written one system call per line.
        if (!moreWaiting || !failure.empty())
            flushOutput();
        else
            checkOutput();
        if (!failure.empty() && !options.quiet)
            standardError() << programName << ": " << where.text() << ": " << failure << '\n';
    }

    // --bases: the lines of the result in the four bases (with --range also the unsigned
    // and signed readings of its bits), each a name and the text; without bits (no value,
    // not an integer) the names stand alone and the reason goes to standard error.
    void printBasesHere(const std::string &expression, const Where &where, bool moreWaiting) {
        std::string failure;
        BitView view;
        try {
            bigint::checkInterrupt();
            if (const std::optional<ControlCharacter> control = findControlCharacter(expression)) {
                view = bitView(Number{}); // the rows' names, without a value
                throw describeControlCharacter(*control);
            }
            const NumberRef value = evaluateExpression(stripWhiteSpace(utf8ToUtf16(expression)));
            view = bitView(*value);
            if (value->kind == NoValue) {
                failure = explainNoValue(value->reason, value->reasonText ? *value->reasonText : "",
                                         expression);
            } else if (value->kind == Float) {
                failure = resultRemark(*value, Normal);
                if (failure.empty()) failure = "not an integer";
            }
        } catch (...) {
            failure = failureOf(std::current_exception());
        }
        const bool bits = view.kind == BitViewKind::integer;
        std::vector<std::pair<std::string_view, const std::string *>> lines;
        for (const BaseRow &row : view.rows)
            lines.emplace_back(row.name,
                               bits ? options.group ? &row.grouped : &row.plain : nullptr);
        std::string readings[2];
        if (options.rangeBits > 0) {
            readings[0] =
                options.group ? groupedDigits(view.unsignedReading, 3) : view.unsignedReading;
            readings[1] = options.group ? groupedDigits(view.signedReading, 3) : view.signedReading;
            lines.emplace_back("unsigned", bits ? &readings[0] : nullptr);
            lines.emplace_back("signed", bits ? &readings[1] : nullptr);
        }
        const char *kind = view.kind == BitViewKind::integer      ? "integer"
                           : view.kind == BitViewKind::notInteger ? "float"
                                                                  : "novalue";
        for (const auto &[name, text] : lines) {
            if (options.showKind) standardOutput() << kind << '\t';
            standardOutput() << name;
            if (text) {
                standardOutput() << std::string(13 - name.size(), ' ');
                writeAscii(standardOutput(), *text, "."); // integers: no decimal mark
            }
            standardOutput() << '\n';
        }
        finishLine(failure, where, moreWaiting);
    }

    // ASCII with no white space: its UTF-16 needs no stripping and gives it back exactly.
    static bool isPlainAscii(std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80 && c != ' ' && (c < '\t' || c > '\r');
        });
    }

    void arguments() {
        for (std::size_t i = 0; i < options.expressions.size(); ++i) {
            const std::string &argument = options.expressions[i];
            if (argument.find_first_not_of(" \t\v\f\r\n") == std::string::npos) {
                standardOutput() << '\n';
            } else {
                evaluateAndPrint(argument, Where{0, &argument}, i + 1 < options.expressions.size());
                numberCache.trim();
            }
        }
    }

    // The lines of standard input; false after a read error.
    bool lines(LineReader &input) {
        try {
            std::size_t number = 0;
            while (std::optional<std::string> line = input.next()) {
                ++number;
                if (number == 1 && line->starts_with(byteOrderMark))
                    line->erase(0, byteOrderMark.size());
                const bool more = input.moreWaiting();
                if (isCommentOrBlank(*line, number == 1)) {
                    standardOutput() << '\n';
                    if (!more) flushOutput();
                    continue;
                }
                evaluateAndPrint(std::move(*line), Where{number, nullptr}, more);
                // Between lines nothing is in use: the cache goes back within its ceiling.
                numberCache.trim();
            }
        } catch (const ReadError &e) {
            flushOutput();
            standardError() << programName << ": read error: " << std::strerror(e.error) << '\n';
            return false;
        }
        return true;
    }
};

std::string u8(std::u16string_view s) {
    return utf16ToUtf8(s);
}

void printCatalogue() {
    std::string out;
    int index = 0;
    for (const CataloguePrefix &p : cataloguePrefixes()) {
        out += "prefix\t" + std::to_string(index++) + "\t" + u8(p.name) + "\t" +
               u8(p.abbreviation) + "\t" + u8(p.factor) + "\n";
    }
    for (int c = 0; c < categoryCount; ++c) {
        const CatalogueSection &section = *catalogueSections()[std::size_t(c)];
        for (std::size_t u = 0; u < section.rows.size(); ++u) {
            const CatalogueRow &r = section.rows[u];
            out += "unit\t" + std::to_string(c) + "\t" + u8(section.caption) + "\t" +
                   std::to_string(u) + "\t" + u8(r.name) + "\t" + u8(r.abbreviation) + "\t" +
                   u8(r.factor) + "\t" + std::to_string(r.prefixPower) + "\t" +
                   u8(r.toBaseFormula) + "\t" + u8(r.fromBaseFormula) +
                   (int(u) == section.baseUnit ? "\tbase" : "") + "\n";
        }
    }
    standardOutput() << out;
}

// A name --convert could not read: a usage error (status 2), printed as its message and
// then one line for each choice it lists.
struct NameError {
    std::string message;
    std::vector<std::string> choices;
};

// "fathom [fm]", "meter [m] with kilo- [k]": a choice as the lists show it.
std::string choiceText(const std::vector<MatchableItem> &items, UnitChoice c,
                       const std::vector<MatchableItem> &prefixes) {
    std::string text = items[std::size_t(c.unit)].listText;
    if (c.prefix >= 0) text += " with " + prefixes[std::size_t(c.prefix)].listText;
    return text;
}

// "  10  fathom [fm]": the index to type, right-aligned, and the list text; a prefix
// joined to a unit has no index of its own.
std::string choiceLine(const std::vector<MatchableItem> &items, UnitChoice c,
                       const std::vector<MatchableItem> &prefixes) {
    std::string index = c.prefix < 0 ? std::to_string(c.unit) : "";
    index.insert(0, index.size() < 4 ? 4 - index.size() : 0, ' ');
    return index + "  " + choiceText(items, c, prefixes);
}

// Characters in UTF-8 text (its bytes that do not continue a character).
std::size_t columns(std::string_view s) {
    return std::size_t(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The lines of choices with their rates in a column of their own; when that would be
// wider than a terminal, each rate goes on an indented line below its choice.
std::vector<std::string> withRates(const std::vector<std::string> &choices,
                                   const std::vector<std::string> &rates) {
    std::size_t width = 0, rateWidth = 0;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        width = std::max(width, columns(choices[i]));
        rateWidth = std::max(rateWidth, columns(rates[i]));
    }
    const bool oneLine = width + 2 + rateWidth <= 80;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (oneLine) {
            lines.push_back(choices[i] + std::string(width + 2 - columns(choices[i]), ' ') +
                            rates[i]);
        } else {
            lines.push_back(choices[i]);
            if (!rates[i].empty()) lines.push_back("        " + rates[i]);
        }
    }
    return lines;
}

// The choice the user named (see matchUnit). `what` says what was looked for ("unit") and
// `where` in which list (" in Length"); `rate` gives the line that tells apart the
// candidates of an ambiguous name ("1 fm = 1,8288 m").
UnitChoice pick(const std::vector<MatchableItem> &items, const std::vector<MatchableItem> &prefixes,
                const std::string &given, const std::string &what, const std::string &where = "",
                const std::function<std::string(UnitChoice)> &rate = {}) {
    const UnitMatch match = matchUnit(items, prefixes, given);
    if (match.found.unit >= 0) return match.found;
    NameError error;
    if (match.candidates.empty()) {
        const std::vector<UnitSuggestion> close = suggestUnits(items, prefixes, given);
        error.message = "unknown " + what + " '" + given + "'" + where;
        if (close.empty()) {
            error.message += " (see --help; --catalogue lists them all)";
        } else {
            error.message += "; did you mean:";
            for (const UnitSuggestion &s : close)
                error.choices.push_back(s.choice.prefix < 0
                                            ? choiceLine(items, s.choice, prefixes)
                                            : "      " + s.text + "  (" +
                                                  choiceText(items, s.choice, prefixes) + ")");
        }
        throw error;
    }
    error.message = "ambiguous " + what + " '" + given + "'" + where + "; it may be:";
    std::vector<std::string> rates;
    for (const UnitChoice &c : match.candidates) {
        error.choices.push_back(choiceLine(items, c, prefixes));
        rates.push_back(rate ? rate(c) : "");
    }
    error.choices = withRates(error.choices, rates);
    throw error;
}

std::vector<MatchableItem> categoryItems(const TextList &list) {
    std::vector<MatchableItem> items;
    // "Currency (updated 19.4.2010)" is named "currency" too.
    for (const std::u16string &caption : list.items) {
        const std::string text = u8(caption);
        const std::size_t remark = text.ends_with(')') ? text.find(" (") : std::string::npos;
        items.push_back({text, text.substr(0, remark), "", ""});
    }
    return items;
}

std::vector<MatchableItem> unitItems(const TextList &list, const std::vector<Unit> &units) {
    std::vector<MatchableItem> items;
    for (std::size_t i = 0; i < list.items.size() && i < units.size(); ++i)
        items.push_back(
            {u8(list.items[i]), u8(units[i].name), u8(units[i].abbreviation),
             u8(units[i].factor + u'|' + units[i].toBaseFormula + u'|' + units[i].fromBaseFormula +
                u'|' + utf8ToUtf16(std::to_string(units[i].prefixPower)))});
    return items;
}

// A converter line as text, with the chosen decimal mark.
std::string lineText(std::u16string_view line, const std::string &decimalPoint) {
    struct Appended {
        std::string text;
        Appended &operator<<(std::string_view piece) {
            text += piece;
            return *this;
        }
    } out;
    writeResult(out, line, decimalPoint);
    return std::move(out.text);
}

int convertNamed(const EvalOptions &o) {
    StandaloneConverter c;
    c.converter.initConverter();
    const std::vector<MatchableItem> none;
    const std::vector<MatchableItem> categories = categoryItems(c.category);
    const int category = pick(categories, none, o.convert[0], "category").unit;
    c.converter.fillUnits(category);
    const int base = c.fromUnit.selected();
    const std::vector<MatchableItem> units = unitItems(c.fromUnit, c.converter.units);
    const std::vector<MatchableItem> prefixes = unitItems(c.fromPrefix, c.converter.prefixes);
    // What one of a candidate unit is in the category's base unit: "1 fm = 1,8288 m".
    auto rate = [&](UnitChoice u) {
        try {
            return lineText(conversionText(u"1", c.converter, u.unit,
                                           u.prefix < 0 ? defaultPrefix : u.prefix, base,
                                           defaultPrefix, Normal),
                            o.decimalPoint);
        } catch (const char *) {
            return std::string();
        }
    };
    const std::string where = " in " + categories[std::size_t(category)].name;
    const UnitChoice from = pick(units, prefixes, o.convert[1], "unit", where, rate);
    const UnitChoice to = pick(units, prefixes, o.convert[2], "unit", where, rate);
    // A prefix joined to a unit's symbol or name stands for --from-prefix or --to-prefix.
    auto prefixFor = [&](const UnitChoice &unit, const std::optional<std::string> &option,
                         const char *optionName, const std::string &given) {
        if (unit.prefix >= 0 && option)
            throw UsageError{"unit '" + given + "' already has a prefix; leave out '" + optionName +
                             "'"};
        if (option) return pick(prefixes, none, *option, "prefix").unit;
        return unit.prefix >= 0 ? unit.prefix : defaultPrefix;
    };
    const int p = prefixFor(from, o.fromPrefix, "--from-prefix", o.convert[1]);
    const int q = prefixFor(to, o.toPrefix, "--to-prefix", o.convert[2]);

    // VALUE is an expression, evaluated as a whole and then converted: in brackets, so that
    // "2+3" converts 5, not 2 and 3 feet. A VALUE without value fails the run: a conversion of
    // nothing is no answer.
    const std::string &value = o.convert[3];
    // (Built by appending: g++ 12 at -O3 misreads operator+ chains as overlapping copies.)
    const std::u16string stripped = stripWhiteSpace(utf8ToUtf16(value));
    std::u16string text;
    text.reserve(stripped.size() + 2);
    text.append(1, u'(').append(stripped).append(1, u')');
    std::string failure;
    std::u16string line;
    try {
        if (const std::optional<ControlCharacter> control = findControlCharacter(value))
            throw describeControlCharacter(*control);
        const NumberRef number =
            evaluateExpression(std::u16string_view(text).substr(1, text.size() - 2));
        if (number->kind == NoValue) {
            failure = explainNoValue(number->reason, number->reasonText ? *number->reasonText : "",
                                     value);
        } else if (failure = resultRemark(*number, o.format); failure.empty()) {
            line = conversionText(text, c.converter, from.unit, p, to.unit, q, o.format);
            // The left part without a result after it: the conversion itself has no value.
            if (line.empty() || line.ends_with(u"= ")) {
                failure = "the conversion has no value";
                if (const auto u = conversionUnits(c.converter, from.unit, p, to.unit, q)) {
                    const NumberRef converted = evaluateExpression(buildConversionExpression(
                        text, u->from, u->fromPrefix, u->to, u->toPrefix));
                    const std::string remark = resultRemark(*converted, o.format);
                    if (!remark.empty()) failure += ": " + remark;
                }
            }
        }
    } catch (const char *message) {
        failure = message;
    } catch (const std::string &message) {
        failure = message;
    } catch (const std::bad_alloc &) {
        failure = "out of memory";
    }
    if (!failure.empty()) {
        standardOutput() << '\n';
        standardError() << programName << ": " << shown(value) << ": " << failure << '\n';
        return 1;
    }
    writeResult(standardOutput(), line, o.decimalPoint);
    standardOutput() << '\n';
    return 0;
}

int convert(const EvalOptions &o) {
    try {
        return convertNamed(o);
    } catch (const NameError &e) {
        standardError() << programName << ": " << e.message << '\n';
        for (const std::string &line : e.choices)
            standardError() << line << '\n';
        return 2;
    }
}

} // namespace

int main(int argc, char **argv) {
#if defined(__GLIBC__)
    // Large buffers (the transforms' and long texts') go back to the system when freed, so a
    // long calculation's memory follows what it uses now, not what its threads' heaps kept of
    // earlier steps: a fifth less peak memory on million-digit work, for a few per cent of
    // its time.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    // One heap for all threads: the helper thread of a large product would otherwise keep a
    // heap of its own, about a megabyte more at the peak, and the tool runs one calculation
    // at a time, so the threads seldom wait on each other's allocations.
    mallopt(M_ARENA_MAX, 1);
#endif
    prepareStandardStreams();
    std::vector<std::string> arguments = utf8Arguments(argc, argv);
    std::vector<char *> argumentPointers;
    for (std::string &argument : arguments)
        argumentPointers.push_back(argument.data());
    argumentPointers.push_back(nullptr);
    EvalOptions options;
    try {
        options = EvalOptions::parse(int(arguments.size()), argumentPointers.data());
    } catch (const UsageError &e) {
        standardError() << programName << ": " << e.message << " (see --help)\n";
        return 2;
    }
    if (options.help || options.version) {
        if (options.help)
            standardOutput() << usageText();
        else
            standardOutput() << programName << ' ' << RECKONWISE_VERSION << '\n';
        flushOutput();
        return 0;
    }
    const bool readsInput =
        !options.catalogue && options.convert.empty() && options.expressions.empty();
    std::unique_ptr<LineReader> input;
    if (readsInput) input = standardInputReader();
    if (options.cacheLimit)
        numberCache.setCeiling(*options.cacheLimit);
    else if (readsInput && !input->interactive())
        // A stream of lines re-uses little of what came before: a small cache serves it as
        // fast as a large one and keeps a stream of millions of lines in bounded memory.
        numberCache.setCeiling(streamCacheCeiling);
    settings::setOutputFormat(options.format);
    settings::setAngleUnit(options.angle);
    settings::setValueRange(options.rangeBits, options.rangeSigned);
    // At a prompt Ctrl+C is caught by the thread that reads the terminal and evaluates.
    const bool interactive = input && input->interactive();
    if (interactive) {
        catchInterruptKey();
        blockInterruptKey(true);
    }
    int status = 0;
    // A terminal session runs on one thread with a large stack, which also reads the keys;
    // otherwise only the texts that could nest deeply get such a thread (Run), and the
    // conversion's value is checked here.
    const bool largeStack =
        interactive || (!options.convert.empty() && !isShallow(options.convert.back()));
    const auto run = [&] {
        if (interactive) blockInterruptKey(false);
        try {
            if (options.catalogue) {
                printCatalogue();
            } else if (!options.convert.empty()) {
                status = convert(options);
            } else {
                Run lines{options, largeStack};
                if (input) {
                    if (!lines.lines(*input)) status = 1;
                } else {
                    lines.arguments();
                }
                if (options.strict && lines.anyWithoutValue && status == 0) status = 1;
            }
        } catch (const UsageError &e) {
            standardError() << programName << ": " << e.message << " (see --help)\n";
            status = 2;
        }
    };
    if (largeStack)
        runWithLargeStack(run);
    else
        run();
    flushOutput();
    return status;
}
