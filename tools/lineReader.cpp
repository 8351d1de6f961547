// SPDX-License-Identifier: MIT
#include "tools/lineReader.h"

#include "bigint/interrupt.h"
#include "tools/evalOptions.h"
#include "tools/fdOutput.h"
#include "tools/interruptKey.h"
#include "tools/lineHistory.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

#if defined(RECKONWISE_LINE_EDITING)
#include <dlfcn.h>
#include <editline/readline.h>
#endif

namespace {

// Standard input read in large blocks straight from the descriptor, so that a read error
// is seen as one (a directory given as input fails instead of reading as empty) and whether
// more input is waiting is known exactly.
class StreamReader : public LineReader {
public:
    // A line ends at a line feed, a carriage return followed by a line feed, or a carriage
    // return alone (files from old Macintosh programs, and some serial terminals).
    std::optional<std::string> next() override {
        std::string line;
        for (;;) {
            if (afterReturn && at < buffer.size()) {
                // The line feed of a CRLF pair whose return ended the last block's line.
                if (buffer[at] == '\n') ++at;
                afterReturn = false;
            }
            const std::size_t end = lineEnd(at);
            if (end != std::string::npos) {
                line.append(buffer, at, end - at);
                at = end + 1;
                if (buffer[end] == '\r') {
                    if (at < buffer.size()) {
                        if (buffer[at] == '\n') ++at;
                    } else {
                        afterReturn = true; // the line feed, if any, is in the next block
                    }
                }
                break;
            }
            line.append(buffer, at);
            buffer.clear();
            at = 0;
            if (!fill()) {
                if (line.empty() && !partial) return std::nullopt;
                break;
            }
            partial = true;
        }
        partial = false;
        return line;
    }

    bool moreWaiting() const override {
        if (at < buffer.size()) return true;
        if (ended) return false;
#if defined(_WIN32)
        // A pipe says how much it holds; a file holds the rest of its lines; a console
        // waits for the user.
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        const DWORD type = GetFileType(input);
        if (type == FILE_TYPE_DISK) return true;
        DWORD waiting = 0;
        return type == FILE_TYPE_PIPE &&
               PeekNamedPipe(input, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0;
#else
        pollfd input{STDIN_FILENO, POLLIN, 0};
        return ::poll(&input, 1, 0) > 0;
#endif
    }

private:
    // Where the first line end from `at` on is. The next line feed and the next return are
    // each found with memchr and remembered until a line passes them, so a block is scanned
    // once for each, however short its lines (a block without returns costs one scan).
    std::size_t lineEnd(std::size_t at) {
        const auto find = [&](char c) {
            const void *hit = std::memchr(buffer.data() + at, c, buffer.size() - at);
            return hit ? std::size_t(static_cast<const char *>(hit) - buffer.data())
                       : buffer.size();
        };
        if (!searched || nextFeed < at) nextFeed = find('\n');
        if (!searched || nextReturn < at) nextReturn = find('\r');
        searched = true;
        const std::size_t end = std::min(nextFeed, nextReturn);
        return end < buffer.size() ? end : std::string::npos;
    }

    // Reads the next block into the empty buffer; false at the end of the input.
    bool fill() {
        searched = false;
        if (ended) return false;
        buffer.resize(std::size_t(1) << 16);
        for (;;) {
#if defined(_WIN32)
            const int n = ::_read(0, buffer.data(), unsigned(buffer.size()));
#else
            const ssize_t n = ::read(STDIN_FILENO, buffer.data(), buffer.size());
#endif
            if (n > 0) {
                buffer.resize(std::size_t(n));
                return true;
            }
            if (n < 0 && errno == EINTR) continue;
            buffer.clear();
            ended = true;
            if (n < 0) throw ReadError{errno};
            return false;
        }
    }

    std::string buffer;
    std::size_t at = 0;
    bool ended = false;
    bool partial = false;     // a line has begun in an earlier block
    bool afterReturn = false; // the last line ended at a return that ended its block
    bool searched = false;    // nextFeed and nextReturn hold for this block
    std::size_t nextFeed = 0, nextReturn = 0; // buffer.size() when there is none
};

#if defined(RECKONWISE_LINE_EDITING)
// The line editor's entry points. The library is opened only when standard input is a
// terminal: pipes and files, the common case in scripts, do not pay for loading it (and the
// libraries it pulls in) at every start.
struct LineEditor {
    decltype(&::readline) readline = nullptr;
    decltype(&::add_history) addHistory = nullptr;
    FILE **outstream = nullptr;
    int *catchSignals = nullptr;
    int (**getcFunction)(FILE *) = nullptr;

    // The editor, or null with why in `problem`.
    static const LineEditor *open(std::string &problem) {
        void *library = dlopen(RECKONWISE_LINE_EDITING_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            problem = dlerror();
            return nullptr;
        }
        static LineEditor editor;
        editor.readline = reinterpret_cast<decltype(&::readline)>(dlsym(library, "readline"));
        editor.addHistory =
            reinterpret_cast<decltype(&::add_history)>(dlsym(library, "add_history"));
        editor.outstream = static_cast<FILE **>(dlsym(library, "rl_outstream"));
        editor.catchSignals = static_cast<int *>(dlsym(library, "rl_catch_signals"));
        editor.getcFunction =
            reinterpret_cast<int (**)(FILE *)>(dlsym(library, "rl_getc_function"));
        if (!editor.readline || !editor.addHistory || !editor.outstream || !editor.catchSignals ||
            !editor.getcFunction) {
            problem = RECKONWISE_LINE_EDITING_LIBRARY " lacks the functions it needs";
            return nullptr;
        }
        return &editor;
    }
};

// The terminal's bytes come from here. Ctrl+C (its notice, or the interrupted wait) ends the
// line as the end of input would; the reader then sees the request and discards the line.
int readByte() {
    for (;;) {
        pollfd wait[2] = {{STDIN_FILENO, POLLIN, 0}, {interruptNotices(), POLLIN, 0}};
        const int ready = ::poll(wait, wait[1].fd >= 0 ? 2 : 1, -1);
        if (bigint::interruptRequested()) return EOF;
        if (ready < 0) {
            if (errno == EINTR) continue;
            return EOF;
        }
        if (!(wait[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        unsigned char c;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n == 1) return c;
        if (n < 0 && errno == EINTR) continue;
        return EOF;
    }
}

// The editor's keys: whole characters, decoded from UTF-8 whatever the locale says, since
// the expression language has characters beyond ASCII ("²", "³", "π"). The editor takes each
// value as a wide character; a byte that does not belong to a well-formed sequence becomes
// U+FFFD, which the evaluator then reports, instead of vanishing from the line.
int pendingByte = -1; // a byte read past a broken sequence, the start of the next key

int readKey(FILE *) {
    int lead = pendingByte >= 0 ? pendingByte : readByte();
    pendingByte = -1;
    if (lead == EOF || lead < 0x80) return lead;
    constexpr int replacement = 0xFFFD;
    int length, value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07;
    } else {
        return replacement;
    }
    for (int i = 1; i < length; ++i) {
        const int next = readByte();
        if (next == EOF) return EOF;
        if ((next & 0xC0) != 0x80) {
            pendingByte = next;
            return replacement;
        }
        value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    const int least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (value < least || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return replacement;
    return value;
}

// The editor turns the wide characters of a line into the bytes it returns through the C
// library's character conversion, which in the "C" locale drops every character beyond
// ASCII. The line is UTF-8 whatever the user's locale, so the conversion is made UTF-8 for the
// program (it uses the locale for nothing else). False when no UTF-8 locale is installed.
bool useUtf8Characters() {
    for (const char *name : {"C.UTF-8", "C.utf8", "en_US.UTF-8", "en_US.utf8"})
        if (std::setlocale(LC_CTYPE, name)) return true;
    return false;
}

// A terminal: the prompt, editing keys and the history. The results go to standard output,
// which may be the terminal or not.
class TerminalReader : public LineReader {
public:
    explicit TerminalReader(const LineEditor &editor) : editor(editor) {
        // The prompt and the editing go to the terminal even when the results are piped.
        *editor.outstream = stderr;
        // Ctrl+C is the program's own: the editor neither catches it nor reads past it.
        *editor.catchSignals = 0;
        *editor.getcFunction = readKey;
        if (!useUtf8Characters())
            standardError() << programName
                            << ": no UTF-8 locale is installed: only ASCII can be typed at "
                               "the prompt\n";
        if (const std::optional<std::string> path = LineHistory::defaultPath()) {
            history = std::make_unique<LineHistory>(*path);
            for (const std::string &line : history->lines())
                editor.addHistory(line.c_str());
            if (!history->problem().empty()) noticeHistoryProblem();
        } else {
            standardError() << programName
                            << ": history not kept between sessions: neither HOME nor "
                               "XDG_STATE_HOME is set\n";
        }
    }

    std::optional<std::string> next() override {
        for (;;) {
            standardOutput().flush();
            bigint::clearInterrupt();
            forgetInterruptNotices();
            char *raw = editor.readline("> ");
            if (bigint::interruptRequested()) {
                // Ctrl+C while typing: the line is dropped and a fresh prompt follows.
                std::free(raw);
                std::fputc('\n', stderr);
                continue;
            }
            if (!raw) {
                std::fputc('\n', stderr); // the prompt's line ends when the user ends the input
                return std::nullopt;
            }
            std::string line(raw);
            std::free(raw);
            if (line.find_first_not_of(" \t") != std::string::npos) {
                editor.addHistory(line.c_str());
                if (history) {
                    const bool wasKept = history->problem().empty();
                    history->add(line);
                    if (wasKept && !history->problem().empty()) noticeHistoryProblem();
                }
            }
            return line;
        }
    }
    bool moreWaiting() const override { return false; }
    bool interactive() const override { return true; }

private:
    void noticeHistoryProblem() const {
        standardError() << programName
                        << ": history not kept between sessions: " << history->problem() << '\n';
    }

    const LineEditor &editor;
    std::unique_ptr<LineHistory> history;
};
#endif

} // namespace

std::unique_ptr<LineReader> standardInputReader() {
#if defined(_WIN32)
    // The console too is read as a stream: no line editing or history on Windows.
    return std::make_unique<StreamReader>();
#else
    if (isatty(STDIN_FILENO)) {
        // Without the line editor a terminal is read as a plain stream, and the user is told
        // why the arrow keys do not edit.
#if defined(RECKONWISE_LINE_EDITING)
        std::string problem;
        if (const LineEditor *editor = LineEditor::open(problem))
            return std::make_unique<TerminalReader>(*editor);
        standardError() << programName << ": no line editing or history: " << problem
                        << " (the package libedit2 provides it)\n";
#else
        standardError() << programName << ": no line editing or history: built without libedit\n";
#endif
    }
    return std::make_unique<StreamReader>();
#endif
}
