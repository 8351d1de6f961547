// SPDX-License-Identifier: MIT
#pragma once
// What the core's evaluation tests share: the settings a row is evaluated under, names for
// messages, and the prefixes of long expressions that threads evaluate at once.

#include "number/Number.h"
#include "number/NumberCache.h"
#include "number/Settings.h"
#include "number/textUtils.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace evaluation_support {

struct Setup {
    AngleUnit angle;
    std::int32_t bits;
    bool isSigned;
};
inline constexpr Setup plain{Degrees, 0, true};
inline constexpr Setup radians{Radians, 0, true};
inline constexpr Setup grads{Grads, 0, true};
inline constexpr Setup u8{Degrees, 8, false};
inline constexpr Setup s8{Degrees, 8, true};
inline constexpr Setup u16{Degrees, 16, false};
inline constexpr Setup s16{Degrees, 16, true};
inline constexpr Setup u32{Degrees, 32, false};
inline constexpr Setup s32{Degrees, 32, true};
inline constexpr Setup u64{Degrees, 64, false};
inline constexpr Setup s64{Degrees, 64, true};

inline constexpr NumberKind N = NoValue, I = Integer, F = Float;

// The sanitizers cannot follow the evaluator's deepest texts (tens of thousands of levels, a
// few frames each). ThreadSanitizer keeps at most 65 535 frames of one stack and stops the
// process past that, and it keeps the whole stack of every allocation and lock for good, so
// its memory grows with the square of the depth (6 GB for 10 000 nested brackets).
// AddressSanitizer reports false errors when an exception leaves a stack more than 64 MiB
// deep. Under them, only texts up to this many levels deep are evaluated.
#if defined(RECKONWISE_TSAN)
inline constexpr int deepestTestedText = 2500;
#elif defined(RECKONWISE_ASAN)
inline constexpr int deepestTestedText = 15000;
#else
inline constexpr int deepestTestedText = 1 << 30;
#endif
inline const char *const kindNames[] = {"NoValue", "Integer", "Float"};
inline const char *const formatNames[] = {"Normal", "Full",  "Scientific", "Engineer",
                                          "Hex",    "Octal", "Binary"};

// Sets a row's settings and puts the defaults back even when the row fails.
struct SettingsScope {
    explicit SettingsScope(const Setup &s) {
        settings::setAngleUnit(s.angle);
        settings::setValueRange(s.bits, s.isSigned);
    }
    ~SettingsScope() {
        settings::setAngleUnit(Degrees);
        settings::setValueRange(0, true);
    }
    SettingsScope(const SettingsScope &) = delete;
    SettingsScope &operator=(const SettingsScope &) = delete;
};

// part, count times over.
inline std::u16string repeated(std::u16string_view part, int count) {
    std::u16string s;
    for (int i = 0; i < count; ++i)
        s += part;
    return s;
}

// Sets the cache's ceiling for a while and puts the default back.
struct CeilingScope {
    explicit CeilingScope(std::size_t bytes) { numberCache.setCeiling(bytes); }
    ~CeilingScope() { numberCache.setCeiling(NumberCache::defaultCeiling()); }
    CeilingScope(const CeilingScope &) = delete;
    CeilingScope &operator=(const CeilingScope &) = delete;
};

// Drops every cache entry nobody uses, as if the process had just started.
inline void emptyCache() {
    CeilingScope none(0);
    numberCache.trim();
}

// The expression (long ones shortened), its settings and the format, for messages.
inline std::string describe(const std::string &expression, const Setup &s, OutputFormat format) {
    std::string shown = expression.size() <= 60
                            ? expression
                            : expression.substr(0, 30) + "...(" +
                                  std::to_string(expression.size()) + " characters)..." +
                                  expression.substr(expression.size() - 20);
    return "'" + shown + "' angle " + std::to_string(s.angle) + " range " + std::to_string(s.bits) +
           (s.isSigned ? "s" : "u") + " in " + formatNames[format];
}

// Every prefix of every expression that ends at a token (tokens are separated by one space
// in `expressions`), the tokens joined by `gap` after `lead`.
inline std::vector<std::u16string> prefixTexts(std::span<const char *const> expressions,
                                               const std::string &lead, const std::string &gap) {
    std::vector<std::u16string> texts;
    for (std::string_view rest : expressions) {
        std::string text = lead;
        for (bool first = true; !rest.empty(); first = false) {
            std::size_t end = std::min(rest.find(' '), rest.size());
            text += (first ? "" : gap) + std::string(rest.substr(0, end));
            texts.push_back(utf8ToUtf16(text));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    return texts;
}

} // namespace evaluation_support
