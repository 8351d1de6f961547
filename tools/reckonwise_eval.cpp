// reckonwise-eval: evaluates expressions from the command line or standard input and prints
// one result text per expression, formatted as the window would show it.

#include "converter/TextList.h"
#include "converter/catalogue/catalogue.h"
#include "converter/conversionText.h"
#include "number/Number.h"
#include "number/NumberCache.h"
#include "number/Settings.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/textUtils.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const char *programName = "reckonwise-eval";

constexpr const char *usageText =
    R"usage(usage: reckonwise-eval [OPTIONS] [EXPRESSION ...]

Evaluates each EXPRESSION and prints its result on a line of its own (an empty line when
it has no value). Without an EXPRESSION, evaluates each line of standard input.

  --format F   normal (default), full, scientific, engineer, hexadecimal, octal, binary
  --angle A    degrees (default), radians, grads
  --range R    unlimited (default), uint8, int8, uint16, int16, uint32, int32, uint64, int64
  --kind       print integer, float or novalue and a tab before each result
  --cache-limit BYTES
               memory kept for re-using results (K, M and G suffixes allowed); by default
               a quarter of the physical memory, at most 4G; 0 keeps nothing between lines
  --catalogue  print the converter's prefixes and units, one tab-separated line each
  --convert CATEGORY FROM TO VALUE
               print the converter's line for VALUE converted from unit FROM to unit TO
               of CATEGORY; each is a list index or the exact text of the list item
  --from-prefix P, --to-prefix Q
               prefixes for --convert (index or list text; default "(normal, no prefix)")
  --help       print this text
  --           end of the options (arguments that begin with "--" are options before it)

Options hold for the whole run; values may also be given as --format=F, --angle=A, --range=R,
--cache-limit=BYTES.
)usage";

struct ValueRange {
    std::int32_t bits;
    bool isSigned;
};

template <typename T>
using WordTable = std::vector<std::pair<std::string_view, T>>;

const WordTable<OutputFormat> formatWords = {
    {"normal", Normal},           {"full", Full},
    {"scientific", Scientific},   {"engineer", Engineer},
    {"hexadecimal", Hexadecimal}, {"octal", Octal},
    {"binary", Binary},
};
const WordTable<AngleUnit> angleWords = {
    {"degrees", Degrees}, {"radians", Radians}, {"grads", Grads}};
const WordTable<ValueRange> rangeWords = {
    {"unlimited", {0, true}}, {"uint8", {8, false}},   {"int8", {8, true}},
    {"uint16", {16, false}},  {"int16", {16, true}},   {"uint32", {32, false}},
    {"int32", {32, true}},    {"uint64", {64, false}}, {"int64", {64, true}},
};

// A usage error; the text names the bad option or value.
struct UsageError {
    std::string message;
};

template <typename T>
T lookUpWord(const WordTable<T> &table, std::string_view what, std::string_view word) {
    for (const auto &[name, value] : table)
        if (name == word) return value;
    throw UsageError{"unknown " + std::string(what) + " '" + std::string(word) + "'"};
}

// A count of bytes: decimal digits with an optional K, M or G (powers of 1024).
std::size_t byteCount(std::string_view text) {
    const std::string_view digits = text.substr(0, text.find_first_not_of("0123456789"));
    const std::string_view suffix = text.substr(digits.size());
    int shift = suffix.empty() ? 0 : suffix == "K" ? 10 : suffix == "M" ? 20 : suffix == "G" ? 30 : -1;
    std::size_t value = 0;
    bool fits = !digits.empty() && shift >= 0 && digits.size() <= 15;
    for (char c : digits)
        value = value * 10 + std::size_t(c - '0');
    if (fits && value > (std::numeric_limits<std::size_t>::max() >> shift)) fits = false;
    if (!fits) throw UsageError{"invalid byte count '" + std::string(text) + "'"};
    return value << shift;
}

struct Options {
    OutputFormat format = Normal;
    AngleUnit angle = Degrees;
    ValueRange range{0, true};
    bool showKind = false;
    std::optional<std::size_t> cacheLimit;
    bool help = false;
    bool catalogue = false;
    std::vector<std::string> convert; // CATEGORY FROM TO VALUE
    std::optional<std::string> fromPrefix, toPrefix;
    std::vector<std::string> expressions;

    static Options parse(int argc, char **argv) {
        Options o;
        bool optionsEnded = false;
        for (int i = 1; i < argc; ++i) {
            std::string_view arg = argv[i];
            if (optionsEnded || !arg.starts_with("--")) {
                o.expressions.emplace_back(arg);
                continue;
            }
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            std::size_t equals = arg.find('=');
            std::string name(arg.substr(0, equals));
            std::optional<std::string_view> attached;
            if (equals != std::string_view::npos) attached = arg.substr(equals + 1);
            auto value = [&]() -> std::string_view {
                if (attached) return *attached;
                if (i + 1 == argc) throw UsageError{"option '" + name + "' needs a value"};
                return argv[++i];
            };
            auto noValue = [&] {
                if (attached) throw UsageError{"option '" + name + "' takes no value"};
            };

            if (name == "--format") {
                o.format = lookUpWord(formatWords, "format", value());
            } else if (name == "--angle") {
                o.angle = lookUpWord(angleWords, "angle unit", value());
            } else if (name == "--range") {
                o.range = lookUpWord(rangeWords, "range", value());
            } else if (name == "--cache-limit") {
                o.cacheLimit = byteCount(value());
            } else if (name == "--kind") {
                noValue();
                o.showKind = true;
            } else if (name == "--catalogue") {
                noValue();
                o.catalogue = true;
            } else if (name == "--convert") {
                noValue();
                if (i + 4 >= argc) throw UsageError{"option '--convert' needs CATEGORY FROM TO VALUE"};
                for (int k = 0; k < 4; ++k) o.convert.emplace_back(argv[++i]);
            } else if (name == "--from-prefix") {
                o.fromPrefix = std::string(value());
            } else if (name == "--to-prefix") {
                o.toPrefix = std::string(value());
            } else if (name == "--help") {
                noValue();
                o.help = true;
            } else {
                throw UsageError{"unknown option '" + name + "'"};
            }
        }
        return o;
    }
};

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
// is not copied whole once more.
void writeUtf8(std::ostream &out, std::u16string_view text) {
    constexpr std::size_t slice = 1 << 16;
    while (!text.empty()) {
        std::size_t n = std::min(slice, text.size());
        // Keep a surrogate pair together.
        if (n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) ++n;
        out << utf16ToUtf8(text.substr(0, n));
        text.remove_prefix(n);
    }
}

// Prints the result line for one expression; a failure leaves the line empty and is
// reported on standard error.
void evaluateAndPrint(const Options &o, std::string_view expression) {
    NumberRef n;
    const std::u16string *text = nullptr;
    const char *failure = nullptr;
    try {
        NumberRef value = evaluateExpression(stripWhiteSpace(utf8ToUtf16(expression)));
        text = &formattedResult(*value, o.format);
        n = std::move(value);
    } catch (const char *message) {
        failure = message;
    } catch (const std::bad_alloc &) {
        failure = "out of memory";
    }
    if (n) {
        if (o.showKind) std::cout << kindName(n->kind) << '\t';
        writeUtf8(std::cout, *text);
    }
    std::cout << '\n';
    // Every answer is out before the program could wait for more input: a script that
    // writes a line and reads the answer never stalls, and a file of expressions is not
    // written one system call per line.
    if (std::cin.rdbuf()->in_avail() <= 0) std::cout.flush();
    if (failure) std::cerr << programName << ": " << expression << ": " << failure << '\n';
}

void run(const Options &o) {
    if (!o.expressions.empty()) {
        for (const std::string &expression : o.expressions) {
            evaluateAndPrint(o, expression);
            numberCache.trim();
        }
        return;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.ends_with('\r')) line.pop_back();
        evaluateAndPrint(o, line);
        // Between lines nothing is in use: the cache goes back within its ceiling.
        numberCache.trim();
    }
}

std::string u8(std::u16string_view s) { return utf16ToUtf8(s); }

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
    std::cout << out << std::flush;
}

// The index of an item given as its index or its exact text.
int pick(const std::vector<std::u16string> &items, const std::string &given, const char *what) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (utf16ToUtf8(items[i]) == given) return int(i);
    if (!given.empty() && given.find_first_not_of("0123456789") == std::string::npos &&
        given.size() < 10) {
        std::size_t i = std::stoul(given);
        if (i < items.size()) return int(i);
    }
    throw UsageError{"unknown " + std::string(what) + " '" + given + "'"};
}

int convert(const Options &o) {
    StandaloneConverter c;
    int p = defaultPrefix, q = defaultPrefix, from = 0, to = 0;
    try {
        c.converter.initConverter();
        int category = pick(c.category.items, o.convert[0], "category");
        c.converter.fillUnits(category);
        from = pick(c.fromUnit.items, o.convert[1], "unit");
        to = pick(c.toUnit.items, o.convert[2], "unit");
        if (o.fromPrefix) p = pick(c.fromPrefix.items, *o.fromPrefix, "prefix");
        if (o.toPrefix) q = pick(c.toPrefix.items, *o.toPrefix, "prefix");
    } catch (const UsageError &e) {
        std::cerr << programName << ": " << e.message << " (see --help)\n";
        return 2;
    }
    const std::string &value = o.convert[3];
    try {
        std::u16string line = conversionText(stripWhiteSpace(utf8ToUtf16(value)), c.converter,
                                             from, p, to, q, o.format);
        std::cout << utf16ToUtf8(line) << '\n';
    } catch (const char *failure) {
        std::cout << '\n';
        std::cerr << programName << ": " << value << ": " << failure << '\n';
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    Options options;
    try {
        options = Options::parse(argc, argv);
    } catch (const UsageError &e) {
        std::cerr << programName << ": " << e.message << " (see --help)\n";
        return 2;
    }
    std::ios::sync_with_stdio(false); // own buffers, so in_avail() sees what is buffered
    if (options.help) {
        std::cout << usageText;
        return 0;
    }
    if ((options.fromPrefix || options.toPrefix) && options.convert.empty()) {
        std::cerr << programName << ": option '--from-prefix' and '--to-prefix' need --convert (see --help)\n";
        return 2;
    }
    if (options.cacheLimit) numberCache.setCeiling(*options.cacheLimit);
    settings::setOutputFormat(options.format);
    settings::setAngleUnit(options.angle);
    settings::setValueRange(options.range.bits, options.range.isSigned);
    int status = 0;
    runWithLargeStack([&] {
        if (options.catalogue)
            printCatalogue();
        else if (!options.convert.empty())
            status = convert(options);
        else
            run(options);
    });
    return status;
}
