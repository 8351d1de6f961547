// SPDX-License-Identifier: MIT
#include "tools/lineReader.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

#if defined(RECKONWISE_LINE_EDITING)
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
// A terminal: the prompt, editing keys and the history of this session (kept in memory
// only). The results go to standard output, which may be the terminal or not.
class TerminalReader : public LineReader {
public:
    TerminalReader() {
        // The prompt and the editing go to the terminal even when the results are piped.
        rl_outstream = stderr;
    }
    std::optional<std::string> next() override {
        std::cout.flush();
        char *raw = readline("> ");
        if (!raw) {
            std::fputc('\n', stderr); // the prompt's line ends when the user ends the input
            return std::nullopt;
        }
        std::string line(raw);
        std::free(raw);
        if (line.find_first_not_of(" \t") != std::string::npos) add_history(line.c_str());
        return line;
    }
    bool moreWaiting() const override { return false; }
};
#endif

} // namespace

std::unique_ptr<LineReader> standardInputReader() {
#if defined(RECKONWISE_LINE_EDITING)
    if (isatty(STDIN_FILENO)) return std::make_unique<TerminalReader>();
#endif
    return std::make_unique<StreamReader>();
}
