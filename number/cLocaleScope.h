// SPDX-License-Identifier: MIT
#pragma once
// The "C" locale for the calling thread while a float is converted to or from text, so
// that "." is the C library's decimal mark whatever the process locale is (a GUI toolkit
// sets the process locale from the environment). Other threads keep theirs.

#if defined(_WIN32)
#include <string>
#else
#include <locale.h>
#endif

class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope &) = delete;
    CLocaleScope &operator=(const CLocaleScope &) = delete;

private:
#if defined(_WIN32)
    // The C runtime's locale switched to per-thread for the scope, then set back.
    int previousMode;
    std::string previousNumeric;
#else
    locale_t previous;
#endif
};
