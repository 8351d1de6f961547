// SPDX-License-Identifier: MIT
#include "tools/fdOutput.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

FdOutput::FdOutput(int fd, std::size_t size) : fd(fd), buffer(new char[size]), capacity(size) {
    setp(buffer.get(), buffer.get() + capacity);
}

bool FdOutput::writeOut(const char *data, std::size_t size) {
    while (size > 0) {
        if (failure) return false;
        ++writeCalls;
        const ssize_t n = ::write(fd, data, size);
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
