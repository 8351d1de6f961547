// SPDX-License-Identifier: MIT
#pragma once
// The lines typed at reckonwise-eval's prompt, kept between sessions in a plain text file,
// one line each: $XDG_STATE_HOME/reckonwise/history, or ~/.local/state/reckonwise/history.
// The file keeps the last lines only; it is appended to as each line is entered, so a
// session that ends abruptly loses nothing it was given.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

class LineHistory {
public:
    static constexpr std::size_t maxLines = 1000;

    // The file's place from the environment; nothing when neither XDG_STATE_HOME (an absolute
    // path) nor HOME is set.
    static std::optional<std::string> defaultPath();

    // Opens (and creates, with its folders) the file at path and reads the lines kept there.
    // A place that cannot be read or written leaves the history to this session; why is in
    // problem().
    explicit LineHistory(std::string path);
    ~LineHistory();
    LineHistory(const LineHistory &) = delete;
    LineHistory &operator=(const LineHistory &) = delete;

    // The lines kept, oldest first.
    const std::deque<std::string> &lines() const { return kept; }
    // Keeps line at the end. A failed write ends the keeping; problem() says why.
    void add(const std::string &line);

    // Why the history is not kept in its file ("cannot write PATH: REASON"); empty while it is.
    const std::string &problem() const { return failure; }

private:
    void fail(const char *what, int error);
    bool rewrite();

    std::string path;
    std::deque<std::string> kept;
    std::size_t linesInFile = 0;
    int fd = -1;
    std::string failure;
};
