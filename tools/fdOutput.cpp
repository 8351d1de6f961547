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

FdOutput::FdOutput(int fd, std::size_t size) : fd(fd), buffer(size) {
    setp(buffer.data(), buffer.data() + buffer.size());
}

bool FdOutput::writeOut(const char *data, std::size_t size) {
    while (size > 0) {
        if (failure) return false;
        ++writeCalls;
#if defined(_WIN32)
        const int n = ::_write(fd, data, unsigned(std::min<std::size_t>(size, INT_MAX)));
#else
        const ssize_t n = ::write(fd, data, size);
#endif
        if (n < 0) {
            if (errno == EINTR) continue;
            failure = errno;
#if defined(_WIN32)
            // The C runtime reports a pipe whose reader has gone as EINVAL; its message would
            // not tell the user what happened.
            const DWORD reason = GetLastError();
            if (reason == ERROR_NO_DATA || reason == ERROR_BROKEN_PIPE) failure = EPIPE;
#endif
            return false;
        }
        data += n;
        size -= std::size_t(n);
    }
    return failure == 0;
}

bool FdOutput::drain() {
    const std::size_t size = std::size_t(pptr() - pbase());
    setp(buffer.data(), buffer.data() + buffer.size());
    return size == 0 || writeOut(buffer.data(), size);
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
    if (size < buffer.size()) {
        std::memcpy(pptr(), s, size);
        pbump(int(size));
        return n;
    }
    return writeOut(s, size) ? n : 0;
}

int FdOutput::sync() {
    return drain() ? 0 : -1;
}
