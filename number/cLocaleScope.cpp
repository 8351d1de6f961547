// SPDX-License-Identifier: MIT
#include "number/cLocaleScope.h"

#include <clocale>

#if defined(_WIN32)

// The Windows C runtime has no locale objects to switch to; a thread may have a locale of
// its own instead, set with setlocale while that mode is on.
CLocaleScope::CLocaleScope() : previousMode(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
    if (const char *numeric = std::setlocale(LC_NUMERIC, nullptr)) previousNumeric = numeric;
    std::setlocale(LC_NUMERIC, "C");
}

CLocaleScope::~CLocaleScope() {
    if (!previousNumeric.empty()) std::setlocale(LC_NUMERIC, previousNumeric.c_str());
    _configthreadlocale(previousMode);
}

#else

namespace {

locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

} // namespace

CLocaleScope::CLocaleScope() : previous(uselocale(cLocale())) {}

CLocaleScope::~CLocaleScope() {
    uselocale(previous);
}

#endif
