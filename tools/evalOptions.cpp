// SPDX-License-Identifier: MIT
#include "tools/evalOptions.h"

#include "number/outputFormats.h"

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <utility>

namespace {

constexpr const char *usage =
    R"usage(usage: reckonwise-eval [OPTIONS] [EXPRESSION ...]
       reckonwise-eval [OPTIONS] --convert CATEGORY FROM TO VALUE
       reckonwise-eval --catalogue

Evaluates each EXPRESSION and prints its result on a line of its own. Without
an EXPRESSION, evaluates each line of standard input; at a terminal it shows a
prompt, keeps a history and Ctrl+C stops the computation under way. A line
without value prints an empty line, and its reason on standard error:
"reckonwise-eval: line N: REASON" (for an argument, the argument instead of
"line N"). Blank lines and lines starting with "#" are comments.

  --format F       normal (default), full, scientific (sci), engineer (eng),
                   hexadecimal (hex), octal (oct), binary (bin)
  --angle A        degrees (deg, default), radians (rad), grads (grad)
  --range R        unlimited (default), uint8 (u8), int8 (i8), uint16 (u16),
                   int16 (i16), uint32 (u32), int32 (i32), uint64 (u64),
                   int64 (i64)
  --decimal-point C
                   the decimal mark written (default: the locale's, "." in
                   the C locale); input takes both "." and ","
  --kind           print integer, float or novalue and a tab before each
                   result
  --bases          print each result in decimal, hexadecimal, octal and binary,
                   one line each (with --range also the unsigned and the signed
                   reading of its bits); a line without an integer result
                   prints the names alone and its reason on standard error
  --group          with --bases, digits in groups: decimal and octal by three,
                   hexadecimal and binary by four
  --strict         exit with status 1 if any expression had no value
  -q, --quiet      do not say why a line has no value
  --cache-limit BYTES
                   memory kept for re-using results (suffixes K, M, G); by
                   default a quarter of the memory, at most 4G, or 1M when
                   reading a pipe or a file; 0 keeps nothing between lines
  --catalogue      print the converter's prefixes and units, one tab-separated
                   line each
  --convert CATEGORY FROM TO VALUE
                   print the converter's line for VALUE converted from unit
                   FROM to unit TO of CATEGORY (status 1 when VALUE has no
                   value); each is a list index, the list text, the name in
                   any letter case ("foot", "length"), also in the plural
                   ("feet") and with -er or -re ("liter"), or the symbol
                   ("ft", "kWh", "m2"); a unit may carry a prefix symbol or
                   name ("km", "us" for micro, "kilometres"); an unknown name
                   lists the closest ones, an ambiguous one its choices
  --from-prefix P, --to-prefix Q
                   prefixes for --convert, named the same way ("kilo", "k",
                   "u"; default none), not for a unit that carries its own
  -h, --help       print this text
  -V, --version    print the version
  --               end of the options (arguments that begin with "--" are
                   options before it; other arguments that begin with "-",
                   such as -5+3, are expressions)

Options hold for the whole run; values may also be given as --format=F.
Exit status: 0; 1 with --strict after a line without value, or when --convert's
VALUE has none, or when the input cannot be read or the output cannot be
written; 2 for a usage error.
)usage";

template <typename T>
struct Word {
    std::string_view word, shortWord;
    T value;
};

struct RangeChoice {
    std::int32_t bits;
    bool isSigned;
};

std::vector<Word<OutputFormat>> formatWords() {
    std::vector<Word<OutputFormat>> words;
    for (const OutputFormatRow &row : outputFormats)
        words.push_back({row.word, row.shortWord, row.format});
    return words;
}

const std::vector<Word<AngleUnit>> angleWords{
    {"degrees", "deg", Degrees}, {"radians", "rad", Radians}, {"grads", "grad", Grads}};

const std::vector<Word<RangeChoice>> rangeWords{
    {"unlimited", "", {0, true}},   {"uint8", "u8", {8, false}},    {"int8", "i8", {8, true}},
    {"uint16", "u16", {16, false}}, {"int16", "i16", {16, true}},   {"uint32", "u32", {32, false}},
    {"int32", "i32", {32, true}},   {"uint64", "u64", {64, false}}, {"int64", "i64", {64, true}},
};

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

template <typename T>
T lookUpWord(const std::vector<Word<T>> &words, std::string_view what, std::string_view given) {
    const std::string lowered = lowerAscii(given);
    std::string choices;
    for (const Word<T> &w : words) {
        if (lowered == w.word || (!w.shortWord.empty() && lowered == w.shortWord)) return w.value;
        choices += (choices.empty() ? "" : ", ") + std::string(w.word);
        if (!w.shortWord.empty()) choices += " (" + std::string(w.shortWord) + ")";
    }
    throw UsageError{"unknown " + std::string(what) + " '" + std::string(given) +
                     "'; choose from " + choices};
}

// A count of bytes: decimal digits with an optional K, M or G (powers of 1024). The same
// texts are taken in a 32-bit process, where a count past the address space is its end.
std::size_t byteCount(std::string_view text) {
    const std::string_view digits = text.substr(0, text.find_first_not_of("0123456789"));
    const std::string_view suffix = text.substr(digits.size());
    int shift = suffix.empty()  ? 0
                : suffix == "K" ? 10
                : suffix == "M" ? 20
                : suffix == "G" ? 30
                                : -1;
    std::uint64_t value = 0;
    bool fits = !digits.empty() && shift >= 0 && digits.size() <= 15;
    for (char c : digits)
        if (fits) value = value * 10 + std::uint64_t(c - '0');
    if (fits && value > (std::numeric_limits<std::uint64_t>::max() >> shift)) fits = false;
    if (!fits) throw UsageError{"invalid byte count '" + std::string(text) + "'"};
    value <<= shift;
    return std::size_t(std::min<std::uint64_t>(value, std::numeric_limits<std::size_t>::max()));
}

// One character in UTF-8: a single byte below 0x80, or a lead byte and its continuations.
bool isOneCharacter(std::string_view s) {
    if (s.empty()) return false;
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t length = lead < 0x80    ? 1
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 0;
    if (length != s.size()) return false;
    return std::all_of(s.begin() + 1, s.end(),
                       [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; });
}

} // namespace

const char *usageText() {
    return usage;
}

bool isDecimalMarkAllowed(std::string_view c) {
    if (!isOneCharacter(c)) return false;
    if (c.size() > 1) return c != "\u00B2" && c != "\u00B3"; // the postfix powers
    const char k = c[0];
    const bool letter = (k >= 'a' && k <= 'z') || (k >= 'A' && k <= 'Z');
    const bool digit = k >= '0' && k <= '9';
    const std::string_view expressionCharacters = "+-!~|&=<>*/%^()[]{}#_";
    return !letter && !digit && k > ' ' && k != '\x7F' &&
           expressionCharacters.find(k) == std::string_view::npos;
}

namespace {

// The locale name the environment chooses for numbers, as setlocale would find it.
std::string_view numericLocaleName() {
    for (const char *variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char *value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "";
}

} // namespace

std::string localeDecimalMark() {
    // The C locale and its variants ("C.UTF-8", "POSIX") write ".": knowing that saves
    // opening the locale files, a tenth of the start of a short run.
    const std::string_view name = numericLocaleName();
    if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) return ".";
    // Else the environment's locale is taken for a moment and the C locale put back: nothing
    // else in the program depends on it. (newlocale would serve without touching the
    // process's locale, but glibc's loses memory in it when LOCPATH is set.)
    std::string mark = ".";
    if (std::setlocale(LC_NUMERIC, "")) {
        mark = std::localeconv()->decimal_point;
        std::setlocale(LC_NUMERIC, "C");
    }
    return isDecimalMarkAllowed(mark) ? mark : ".";
}

EvalOptions EvalOptions::parse(int argc, char **argv) {
    EvalOptions o;
    bool optionsEnded = false, decimalPointGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        // The two short options; any other argument with one "-" is an expression (-5+3,
        // -e, -pi).
        if (!optionsEnded && (arg == "-h" || arg == "-V" || arg == "-q")) {
            (arg == "-h" ? o.help : arg == "-V" ? o.version : o.quiet) = true;
            continue;
        }
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
            o.format = lookUpWord(formatWords(), "format", value());
        } else if (name == "--angle") {
            o.angle = lookUpWord(angleWords, "angle unit", value());
        } else if (name == "--range") {
            const RangeChoice r = lookUpWord(rangeWords, "range", value());
            o.rangeBits = r.bits;
            o.rangeSigned = r.isSigned;
        } else if (name == "--decimal-point") {
            std::string_view c = value();
            if (!isDecimalMarkAllowed(c))
                throw UsageError{"option '--decimal-point' takes one character that is not a "
                                 "digit, sign, letter, operator, bracket or blank, not '" +
                                 std::string(c) + "'"};
            o.decimalPoint = std::string(c);
            decimalPointGiven = true;
        } else if (name == "--cache-limit") {
            o.cacheLimit = byteCount(value());
        } else if (name == "--bases" || name == "--group") {
            noValue();
            (name == "--bases" ? o.bases : o.group) = true;
        } else if (name == "--kind" || name == "--strict" || name == "--quiet" ||
                   name == "--catalogue" || name == "--help" || name == "--version") {
            noValue();
            (name == "--kind"        ? o.showKind
             : name == "--strict"    ? o.strict
             : name == "--quiet"     ? o.quiet
             : name == "--catalogue" ? o.catalogue
             : name == "--help"      ? o.help
                                     : o.version) = true;
        } else if (name == "--convert") {
            noValue();
            if (i + 4 >= argc) throw UsageError{"option '--convert' needs CATEGORY FROM TO VALUE"};
            for (int k = 0; k < 4; ++k)
                o.convert.emplace_back(argv[++i]);
        } else if (name == "--from-prefix") {
            o.fromPrefix = std::string(value());
        } else if (name == "--to-prefix") {
            o.toPrefix = std::string(value());
        } else {
            throw UsageError{"unknown option '" + name + "'"};
        }
    }
    if (o.help || o.version) return o;
    if (!decimalPointGiven) o.decimalPoint = localeDecimalMark();
    if (o.group && !o.bases) throw UsageError{"option '--group' needs '--bases'"};
    if (o.bases && (o.catalogue || !o.convert.empty()))
        throw UsageError{"'--bases' goes with expressions, not with '--catalogue' or '--convert'"};
    if ((o.fromPrefix || o.toPrefix) && o.convert.empty())
        throw UsageError{"options '--from-prefix' and '--to-prefix' need '--convert'"};
    if (o.catalogue && !o.convert.empty())
        throw UsageError{"'--catalogue' and '--convert' do not go together"};
    if ((o.catalogue || !o.convert.empty()) && !o.expressions.empty())
        throw UsageError{"unexpected argument '" + o.expressions.front() + "' after " +
                         (o.catalogue ? "'--catalogue'" : "'--convert CATEGORY FROM TO VALUE'")};
    return o;
}
