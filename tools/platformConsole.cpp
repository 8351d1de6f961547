// SPDX-License-Identifier: MIT
#include "tools/platformConsole.h"

#if defined(_WIN32)
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// (after windows.h, which it needs)
#include <shellapi.h>
#endif

#if defined(_WIN32)

namespace {

std::string toUtf8(const wchar_t *wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string text(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating null
    return text;
}

} // namespace

std::vector<std::string> utf8Arguments(int argc, char **argv) {
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!wide) {
        arguments.assign(argv, argv + argc);
        return arguments;
    }
    for (int i = 0; i < count; ++i)
        arguments.push_back(toUtf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

void prepareStandardStreams() {
    // Results end their lines with "\n" alone, as on the other systems, and a pipe carries
    // UTF-8 unchanged; the console is told that the bytes are UTF-8.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The console's code pages are the console's, not the program's: they are put back when
    // the program ends, so that the shell after it shows its own text as before.
    static const UINT output = GetConsoleOutputCP(), input = GetConsoleCP();
    if (output != 0 && input != 0)
        std::atexit([] {
            SetConsoleOutputCP(output);
            SetConsoleCP(input);
        });
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
}

#else

std::vector<std::string> utf8Arguments(int argc, char **argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void prepareStandardStreams() {}

#endif
