// SPDX-License-Identifier: MIT
#include "tools/lineHistory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Creates every missing folder of path's parent, private to the user as the state folders
// are meant to be.
int makeParents(const std::string &path) {
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        const std::string folder = path.substr(0, at);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    return 0;
}

bool writeAll(int fd, const std::string &data) {
    const char *p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= std::size_t(n);
    }
    return true;
}

} // namespace

std::optional<std::string> LineHistory::defaultPath() {
    const char *state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/reckonwise/history";
    const char *home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/.local/state/reckonwise/history";
    return std::nullopt;
}

LineHistory::LineHistory(std::string where) : path(std::move(where)) {
    if (const int error = makeParents(path)) {
        fail("cannot create the folder of", error);
        return;
    }
    fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail("cannot write", errno);
        return;
    }
    std::string contents;
    char chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            {
                fail("cannot read", errno);
                return;
            }
        }
        contents.append(chunk, std::size_t(n));
    }
    for (std::size_t begin = 0; begin < contents.size();) {
        std::size_t end = contents.find('\n', begin);
        if (end == std::string::npos) end = contents.size();
        kept.push_back(contents.substr(begin, end - begin));
        if (kept.size() > maxLines) kept.pop_front();
        ++linesInFile;
        begin = end + 1;
    }
    // A last line without its line end (a session that ended while writing) is ended now.
    if (!contents.empty() && contents.back() != '\n' && !writeAll(fd, "\n")) {
        fail("cannot write", errno);
        return;
    }
}

LineHistory::~LineHistory() {
    if (fd >= 0) ::close(fd);
}

void LineHistory::fail(const char *what, int error) {
    failure = std::string(what) + " " + path + ": " + std::strerror(error);
    if (fd >= 0) ::close(fd);
    fd = -1;
}

void LineHistory::add(const std::string &line) {
    kept.push_back(line);
    if (kept.size() > maxLines) kept.pop_front();
    if (fd < 0) return;
    if (!writeAll(fd, line + "\n")) return fail("cannot write", errno);
    // The file may hold up to twice the lines kept before it is written anew with the last
    // ones: one rewrite in every thousand lines.
    if (++linesInFile > 2 * maxLines && !rewrite()) return fail("cannot write", errno);
}

// Replaces the file by one holding just the lines kept, through a new file renamed over it,
// so that a failure half-way leaves the old file whole.
bool LineHistory::rewrite() {
    const std::string temporary = path + ".new";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) return false;
    std::string contents;
    for (const std::string &line : kept)
        contents += line + '\n';
    bool done = writeAll(out, contents);
    int error = errno;
    if (::close(out) != 0 && done) done = false, error = errno;
    if (done && ::rename(temporary.c_str(), path.c_str()) != 0) done = false, error = errno;
    if (!done) {
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    ::close(fd);
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    linesInFile = kept.size();
    return fd >= 0;
}
