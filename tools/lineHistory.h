// SPDX-License-Identifier: MIT
#pragma once
// The lines typed at reckonwise-eval's prompt, kept between sessions in a plain text file,
// one line each: $XDG_STATE_HOME/reckonwise/history, or ~/.local/state/reckonwise/history.
// The file keeps the last lines only; it is appended to as each line is entered, so a
// session that ends abruptly loses nothing it was given. Several sessions may share it: each
// append and each rewrite holds an advisory lock on it, and a rewrite starts from what the
// file holds then, so no session's lines are lost to another's. A symbolic link (a dotfile
// manager's) stays a link: its target is what is written.

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
    // A file that can be read but not written still gives its lines; a place that cannot be
    // written leaves the new lines to this session. Why is in problem().
    explicit LineHistory(std::string path);
    ~LineHistory();
    LineHistory(const LineHistory &) = delete;
    LineHistory &operator=(const LineHistory &) = delete;

    // The lines kept, oldest first.
    const std::deque<std::string> &lines() const { return kept; }
    // Keeps line at the end. A failed write ends the keeping; problem() says why.
    void add(const std::string &line);

    // Why new lines are not kept in the file ("cannot write PATH: REASON"); empty while they
    // are.
    const std::string &problem() const { return failure; }

private:
    void fail(const char *what, int error);
    bool reopenIfReplaced();
    bool rewrite();

    std::string path;
    std::deque<std::string> kept;
    std::size_t linesInFile = 0; // as last seen by this session: its own appends included
    int fd = -1;
    std::string failure;
};
