// SPDX-License-Identifier: MIT
#include "tools/lineReader.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

#if defined(RECKONWISE_LINE_EDITING)
#include <dlfcn.h>
#include <editline/readline.h>
#endif

namespace {

class StreamReader : public LineReader {
public:
    std::optional<std::string> next() override {
        std::string line;
        if (!std::getline(std::cin, line)) return std::nullopt;
        if (line.ends_with('\r')) line.pop_back();
        return line;
    }
    bool moreWaiting() const override { return std::cin.rdbuf()->in_avail() > 0; }
};

#if defined(RECKONWISE_LINE_EDITING)
// The line editor's entry points. The library is opened only when standard input is a
// terminal: pipes and files, the common case in scripts, do not pay for loading it (and the
// libraries it pulls in) at every start.
struct LineEditor {
    decltype(&::readline) readline = nullptr;
    decltype(&::add_history) addHistory = nullptr;
    FILE **outstream = nullptr;

    static const LineEditor *open() {
        void *library = dlopen(RECKONWISE_LINE_EDITING_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!library) return nullptr;
        static LineEditor editor;
        editor.readline = reinterpret_cast<decltype(&::readline)>(dlsym(library, "readline"));
        editor.addHistory =
            reinterpret_cast<decltype(&::add_history)>(dlsym(library, "add_history"));
        editor.outstream = static_cast<FILE **>(dlsym(library, "rl_outstream"));
        if (!editor.readline || !editor.addHistory || !editor.outstream) return nullptr;
        return &editor;
    }
};

// A terminal: the prompt, editing keys and the history of this session (kept in memory
// only). The results go to standard output, which may be the terminal or not.
class TerminalReader : public LineReader {
public:
    explicit TerminalReader(const LineEditor &editor) : editor(editor) {
        // The prompt and the editing go to the terminal even when the results are piped.
        *editor.outstream = stderr;
    }
    std::optional<std::string> next() override {
        std::cout.flush();
        char *raw = editor.readline("> ");
        if (!raw) {
            std::fputc('\n', stderr); // the prompt's line ends when the user ends the input
            return std::nullopt;
        }
        std::string line(raw);
        std::free(raw);
        if (line.find_first_not_of(" \t") != std::string::npos) editor.addHistory(line.c_str());
        return line;
    }
    bool moreWaiting() const override { return false; }

private:
    const LineEditor &editor;
};
#endif

} // namespace

std::unique_ptr<LineReader> standardInputReader() {
#if defined(RECKONWISE_LINE_EDITING)
    if (isatty(STDIN_FILENO)) {
        // Without the library (not installed), a terminal is read as a plain stream.
        if (const LineEditor *editor = LineEditor::open())
            return std::make_unique<TerminalReader>(*editor);
    }
#endif
    return std::make_unique<StreamReader>();
}
