// SPDX-License-Identifier: MIT
// reckonwise-eval: evaluates expressions from the command line or standard input and prints
// one result text per expression, formatted as the window would show it.

#include "bigint/interrupt.h"
#include "converter/TextList.h"
#include "converter/catalogue/catalogue.h"
#include "converter/conversionText.h"
#include "converter/itemMatch.h"
#include "number/Number.h"
#include "number/NumberCache.h"
#include "number/Settings.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/textUtils.h"
#include "reckonwise/version.h"
#include "tools/evalOptions.h"
#include "tools/fdOutput.h"
#include "tools/interruptKey.h"
#include "tools/lineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// The cache's ceiling when the lines come from a pipe or a file (see main).
constexpr std::size_t streamCacheCeiling = std::size_t(1) << 20;

FdOutput standardOutput(STDOUT_FILENO);

// The output could not be written (a full disk, a closed output, a reader that has gone
// while SIGPIPE is ignored): the program ends with a message and status 1. Where SIGPIPE
// has its default action, a reader that has gone ends the program silently instead.
[[noreturn]] void writeFailed() {
    const int error = standardOutput.error();
    std::cerr << programName
              << ": write error: " << (error ? std::strerror(error) : "the output was closed")
              << '\n';
    std::cerr.flush();
    std::_Exit(1);
}

void checkOutput() {
    if (!std::cout || standardOutput.error()) writeFailed();
}

void flushOutput() {
    std::cout.flush();
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
void writeResult(std::ostream &out, std::u16string_view text, const std::string &decimalPoint) {
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

// A text as a message shows it: whole up to a few dozen characters, else its start.
std::string shown(std::string_view text) {
    constexpr std::size_t most = 60;
    if (text.size() <= most) return std::string(text);
    std::size_t n = most;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n; // not inside a character
    return std::string(text.substr(0, n)) + "...";
}

// Blank lines and lines whose first character that is not blank is "#" hold no expression.
bool isCommentOrBlank(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\v\f\r");
    return first == std::string_view::npos || line[first] == '#';
}

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

struct Run {
    const EvalOptions &options;
    bool anyWithoutValue = false;

    // Prints the result line for one expression. One without value leaves the line empty
    // and, unless quiet, says why on standard error, naming the input by `where`.
    void evaluateAndPrint(std::string expression, const std::string &where, bool moreWaiting) {
        NumberRef n;
        const std::u16string *text = nullptr;
        std::string failure;
        try {
            bigint::checkInterrupt();
            // A long line is held once while it is evaluated: in UTF-16, handed to the
            // evaluator without another copy. Its UTF-8 is given up when the UTF-16 says the
            // same (ASCII without white space).
            SharedText line;
            std::u16string wide = utf8ToUtf16(expression);
            if (isPlainAscii(expression)) {
                std::string().swap(expression);
                line = SharedText(std::move(wide));
            } else {
                line = SharedText(stripWhiteSpace(wide));
            }
            NumberRef value = evaluateExpression(line);
            text = &formattedResult(*value, options.format);
            if (options.showKind) std::cout << kindName(value->kind) << '\t';
            if (value->kind == NoValue)
                failure =
                    describeNoValue(value->reason, value->reasonText ? *value->reasonText : "");
            n = std::move(value);
            writeResult(std::cout, *text, options.decimalPoint);
        } catch (const char *message) {
            failure = message;
        } catch (const std::bad_alloc &) {
            failure = "out of memory";
        } catch (const bigint::Interrupted &) {
            failure = "interrupted";
        }
        if (!failure.empty()) anyWithoutValue = true;
        std::cout << '\n';
        // Every answer is out before the program could wait for more input: a script that
        // writes a line and reads the answer never stalls, and a file of expressions is not
        // written one system call per line.
        if (!moreWaiting || !failure.empty())
            flushOutput();
        else
            checkOutput();
        if (!failure.empty() && !options.quiet)
            std::cerr << programName << ": " << where << ": " << failure << '\n';
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
                std::cout << '\n';
            } else {
                evaluateAndPrint(argument, shown(argument), i + 1 < options.expressions.size());
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
                if (isCommentOrBlank(*line)) {
                    std::cout << '\n';
                    if (!more) flushOutput();
                    continue;
                }
                evaluateAndPrint(std::move(*line), "line " + std::to_string(number), more);
                // Between lines nothing is in use: the cache goes back within its ceiling.
                numberCache.trim();
            }
        } catch (const ReadError &e) {
            flushOutput();
            std::cerr << programName << ": read error: " << std::strerror(e.error) << '\n';
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
    std::cout << out;
}

// The index of the item the user named (see matchItem); a usage error that lists the
// candidates when the name fits several.
int pick(const std::vector<MatchableItem> &items, const std::string &given, const char *what) {
    const ItemMatch match = matchItem(items, given);
    if (match.index >= 0) return match.index;
    if (match.candidates.empty())
        throw UsageError{"unknown " + std::string(what) + " '" + given + "'"};
    std::string list;
    for (int i : match.candidates)
        list += (list.empty() ? "" : ", ") + std::to_string(i) + " '" +
                items[std::size_t(i)].listText + "'";
    throw UsageError{"ambiguous " + std::string(what) + " '" + given + "': " + list};
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

int convert(const EvalOptions &o) {
    StandaloneConverter c;
    int p = defaultPrefix, q = defaultPrefix, from = 0, to = 0;
    c.converter.initConverter();
    int category = pick(categoryItems(c.category), o.convert[0], "category");
    c.converter.fillUnits(category);
    const std::vector<MatchableItem> units = unitItems(c.fromUnit, c.converter.units);
    from = pick(units, o.convert[1], "unit");
    to = pick(units, o.convert[2], "unit");
    const std::vector<MatchableItem> prefixes = unitItems(c.fromPrefix, c.converter.prefixes);
    if (o.fromPrefix) p = pick(prefixes, *o.fromPrefix, "prefix");
    if (o.toPrefix) q = pick(prefixes, *o.toPrefix, "prefix");

    const std::string &value = o.convert[3];
    int status = 0;
    try {
        std::u16string line = conversionText(stripWhiteSpace(utf8ToUtf16(value)), c.converter, from,
                                             p, to, q, o.format);
        if (line.empty()) status = o.strict ? 1 : 0;
        writeResult(std::cout, line, o.decimalPoint);
        std::cout << '\n';
    } catch (const char *failure) {
        std::cout << '\n';
        std::cerr << programName << ": " << value << ": " << failure << '\n';
        status = o.strict ? 1 : 0;
    }
    return status;
}

} // namespace

int main(int argc, char **argv) {
#if defined(__GLIBC__)
    // Large buffers (the transforms' and long texts') go back to the system when freed, so a
    // long calculation's memory follows what it uses now, not what its threads' heaps kept of
    // earlier steps: a fifth less peak memory on million-digit work, for a few per cent of
    // its time.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    EvalOptions options;
    try {
        options = EvalOptions::parse(argc, argv);
    } catch (const UsageError &e) {
        std::cerr << programName << ": " << e.message << " (see --help)\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    std::cout.rdbuf(&standardOutput);
    if (options.help || options.version) {
        if (options.help)
            std::cout << usageText();
        else
            std::cout << programName << ' ' << RECKONWISE_VERSION << '\n';
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
    runWithLargeStack([&] {
        if (interactive) blockInterruptKey(false);
        try {
            if (options.catalogue) {
                printCatalogue();
            } else if (!options.convert.empty()) {
                status = convert(options);
            } else {
                Run run{options};
                if (input) {
                    if (!run.lines(*input)) status = 1;
                } else {
                    run.arguments();
                }
                if (options.strict && run.anyWithoutValue && status == 0) status = 1;
            }
        } catch (const UsageError &e) {
            std::cerr << programName << ": " << e.message << " (see --help)\n";
            status = 2;
        }
    });
    flushOutput();
    return status;
}
