// reckonwise-eval: evaluates expressions from the command line or standard input and prints
// one result text per expression, formatted as the window would show it.

#include "number/Number.h"
#include "number/Settings.h"
#include "number/evaluator.h"
#include "number/format.h"
#include "number/largeStack.h"
#include "number/textUtils.h"

#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const char *programName = "reckonwise-eval";

constexpr const char *usageText =
    R"(usage: reckonwise-eval [OPTIONS] [EXPRESSION ...]

Evaluates each EXPRESSION and prints its result on a line of its own (an empty line when
it has no value). Without an EXPRESSION, evaluates each line of standard input.

  --format F   normal (default), full, scientific, engineer, hexadecimal, octal, binary
  --angle A    degrees (default), radians, grads
  --range R    unlimited (default), uint8, int8, uint16, int16, uint32, int32, uint64, int64
  --kind       print integer, float or novalue and a tab before each result
  --help       print this text
  --           end of the options (arguments that begin with "--" are options before it)

Options hold for the whole run; values may also be given as --format=F, --angle=A, --range=R.
)";

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

struct Options {
    OutputFormat format = Normal;
    AngleUnit angle = Degrees;
    ValueRange range{0, true};
    bool showKind = false;
    bool help = false;
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
            } else if (name == "--kind") {
                noValue();
                o.showKind = true;
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

// Prints the result line for one expression; a failure leaves the line empty and is
// reported on standard error.
void evaluateAndPrint(const Options &o, std::string_view expression) {
    std::string line;
    const char *failure = nullptr;
    try {
        Number &n = evaluateExpression(stripWhiteSpace(utf8ToUtf16(expression)));
        std::string text = utf16ToUtf8(formatNumber(n, o.format));
        line = o.showKind ? kindName(n.kind) + ("\t" + text) : std::move(text);
    } catch (const char *message) {
        failure = message;
    } catch (const std::bad_alloc &) {
        failure = "out of memory";
    }
    std::cout << line << '\n' << std::flush;
    if (failure) std::cerr << programName << ": " << expression << ": " << failure << '\n';
}

void run(const Options &o) {
    if (!o.expressions.empty()) {
        for (const std::string &expression : o.expressions)
            evaluateAndPrint(o, expression);
        return;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.ends_with('\r')) line.pop_back();
        evaluateAndPrint(o, line);
    }
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
    if (options.help) {
        std::cout << usageText;
        return 0;
    }
    settings::setOutputFormat(options.format);
    settings::setAngleUnit(options.angle);
    settings::setValueRange(options.range.bits, options.range.isSigned);
    runWithLargeStack([&] { run(options); });
    return 0;
}
