// SPDX-License-Identifier: MIT
#include "tools/lineHistory.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
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

// The whole file from its start; false (with errno) on a read error.
bool readAll(int fd, std::string &contents) {
    contents.clear();
    char chunk[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, at);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents.append(chunk, std::size_t(n));
        at += n;
    }
}

// The file's lines, at most the last `most`; counts them all in total.
std::deque<std::string> splitLines(const std::string &contents, std::size_t most,
                                   std::size_t &total) {
    std::deque<std::string> lines;
    total = 0;
    for (std::size_t begin = 0; begin < contents.size();) {
        std::size_t end = contents.find('\n', begin);
        if (end == std::string::npos) end = contents.size();
        lines.push_back(contents.substr(begin, end - begin));
        if (lines.size() > most) lines.pop_front();
        ++total;
        begin = end + 1;
    }
    return lines;
}

// Holds an advisory lock on a descriptor for as long as it lives. Sessions of this program
// take it around every append and rewrite; without it a rewrite could drop the lines another
// session appended while it was writing.
class FileLock {
public:
    FileLock(int fd, int kind) : fd(fd) {
        while (::flock(fd, kind) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() { ::flock(fd, LOCK_UN); }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    int fd;
};

// The file a path names, through any symbolic links: a rewrite replaces that file, so that a
// link (a dotfile manager's) stays a link. The path itself when it cannot be resolved.
std::string resolvedPath(const std::string &path) {
    char *real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
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
    const int folderError = makeParents(path);
    fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A file that cannot be written may still be read: its lines are recalled, and only
        // the new ones are not kept.
        const int writeError = errno;
        const int readOnly = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (readOnly >= 0) {
            std::string contents;
            if (readAll(readOnly, contents)) kept = splitLines(contents, maxLines, linesInFile);
            ::close(readOnly);
        }
        if (folderError && readOnly < 0)
            fail("cannot create the folder of", folderError);
        else
            fail("cannot write", writeError);
        return;
    }
    std::string contents;
    {
        const FileLock lock(fd, LOCK_EX);
        if (!readAll(fd, contents)) {
            fail("cannot read", errno);
            return;
        }
        // A last line without its line end (a session that ended while writing) is ended now.
        if (!contents.empty() && contents.back() != '\n' && !writeAll(fd, "\n")) {
            fail("cannot write", errno);
            return;
        }
    }
    kept = splitLines(contents, maxLines, linesInFile);
}

LineHistory::~LineHistory() {
    if (fd >= 0) ::close(fd);
}

void LineHistory::fail(const char *what, int error) {
    failure = std::string(what) + " " + path + ": " + std::strerror(error);
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Another session's rewrite may have put a new file in the old one's place; appends then go
// to the new file. Called with the lock held.
bool LineHistory::reopenIfReplaced() {
    struct stat open, named;
    if (::fstat(fd, &open) != 0) return false;
    if (::stat(path.c_str(), &named) == 0 && named.st_dev == open.st_dev &&
        named.st_ino == open.st_ino)
        return true;
    const int replacement = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (replacement < 0) return false;
    ::close(fd);
    fd = replacement;
    return true;
}

void LineHistory::add(const std::string &line) {
    kept.push_back(line);
    if (kept.size() > maxLines) kept.pop_front();
    if (fd < 0) return;
    for (;;) {
        const int locked = fd;
        const FileLock lock(locked, LOCK_EX);
        if (!reopenIfReplaced()) return fail("cannot write", errno);
        // The lock was taken on the file that has just been replaced: take it on the new one.
        if (fd != locked) continue;
        if (!writeAll(fd, line + "\n")) return fail("cannot write", errno);
        // The file may hold up to twice the lines kept before it is written anew with the
        // last ones: one rewrite in every thousand lines.
        if (++linesInFile > 2 * maxLines && !rewrite()) return fail("cannot write", errno);
        return;
    }
}

// Replaces the file by one holding the last lines it holds now (every session's, not only
// this one's), through a new file beside it renamed over it, so that a failure half-way leaves
// the old file whole. Called with the lock held: no session appends to the old file while its
// lines are read and written out, and the new file is whole when it takes the old one's place.
bool LineHistory::rewrite() {
    std::string contents;
    if (!readAll(fd, contents)) return false;
    std::size_t total = 0;
    const std::deque<std::string> last = splitLines(contents, maxLines, total);
    if (total <= maxLines) {
        linesInFile = total; // another session has rewritten it already
        return true;
    }
    const std::string target = resolvedPath(path);
    const std::string temporary = target + ".new";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) return false;
    std::string written;
    for (const std::string &line : last)
        written += line + '\n';
    bool done = writeAll(out, written);
    int error = errno;
    if (done && ::rename(temporary.c_str(), target.c_str()) != 0) done = false, error = errno;
    if (!done) {
        ::close(out);
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    // The new file is appended to from now on. The old descriptor's lock is released by the
    // caller; sessions that still hold the old file find it replaced at their next append.
    ::close(out);
    const int appended = ::open(target.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (appended < 0) return false;
    ::close(fd);
    fd = appended;
    linesInFile = last.size();
    return true;
}
