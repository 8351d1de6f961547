// SPDX-License-Identifier: MIT
#include "tools/fdOutput.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>
#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#if defined(_WIN32)
namespace {

// write(2) on Windows: WriteFile on the descriptor's handle, its failures as errno values.
// (The C runtime's _write reports a pipe whose reader has gone as EINVAL, a message that
// would not tell the user what happened.)
long writeHandle(int fd, const char *data, std::size_t size) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    DWORD written = 0;
    if (WriteFile(handle, data, DWORD(size), &written, nullptr)) return long(written);
    switch (GetLastError()) {
    case ERROR_NO_DATA:
    case ERROR_BROKEN_PIPE:
    case ERROR_PIPE_NOT_CONNECTED:
        errno = EPIPE;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        errno = ENOSPC;
        break;
    default:
        errno = EIO;
    }
    return -1;
}

} // namespace
#endif

FdOutput::FdOutput(int fd, std::size_t size, bool lineByLine)
    : fd(fd), buffer(new char[size]), capacity(size), lineByLine(lineByLine) {}

bool FdOutput::writeOut(const char *data, std::size_t size) {
    while (size > 0) {
        if (failure) return false;
        ++writeCalls;
#if defined(_WIN32)
        const long n = writeHandle(fd, data, std::min<std::size_t>(size, INT_MAX));
#else
        const ssize_t n = ::write(fd, data, size);
#endif
        if (n < 0) {
            if (errno == EINTR) continue;
            failure = errno;
            return false;
        }
        data += n;
        size -= std::size_t(n);
    }
    return failure == 0;
}

bool FdOutput::flush() {
    const std::size_t size = std::exchange(used, 0);
    return size == 0 ? failure == 0 : writeOut(buffer.get(), size);
}

FdOutput &FdOutput::operator<<(std::string_view text) {
    if (text.size() > capacity - used) {
        // Larger than the room left: what is buffered goes first, then a piece too large
        // for the buffer as it is.
        flush();
        if (text.size() >= capacity) {
            writeOut(text.data(), text.size());
            return *this;
        }
    }
    std::memcpy(buffer.get() + used, text.data(), text.size());
    used += text.size();
    if (lineByLine && !text.empty() && text.back() == '\n') flush();
    return *this;
}

FdOutput &standardOutput() {
    static FdOutput out(1);
    return out;
}

FdOutput &standardError() {
    static FdOutput out(2, 4096, true);
    return out;
}
