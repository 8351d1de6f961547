// SPDX-License-Identifier: MIT
#include "tools/fdOutput.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
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

FdOutput::FdOutput(int fd, std::size_t size) : fd(fd), buffer(new char[size]), capacity(size) {
    setp(buffer.get(), buffer.get() + capacity);
}

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

bool FdOutput::drain() {
    const std::size_t size = std::size_t(pptr() - pbase());
    setp(buffer.get(), buffer.get() + capacity);
    return size == 0 || writeOut(buffer.get(), size);
}

FdOutput::int_type FdOutput::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize FdOutput::xsputn(const char *s, std::streamsize n) {
    const std::size_t size = std::size_t(n);
    if (size <= std::size_t(epptr() - pptr())) {
        std::memcpy(pptr(), s, size);
        pbump(int(size));
        return n;
    }
    // Larger than the room left: what is buffered goes first, then the piece as it is.
    if (!drain()) return 0;
    if (size < capacity) {
        std::memcpy(pptr(), s, size);
        pbump(int(size));
        return n;
    }
    return writeOut(s, size) ? n : 0;
}

int FdOutput::sync() {
    return drain() ? 0 : -1;
}
