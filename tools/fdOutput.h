// SPDX-License-Identifier: MIT
#pragma once
// Standard output as reckonwise-eval writes it: a buffer over the file descriptor that
// keeps the reason of a failed write (a full disk, a closed pipe), so that the message the
// user sees can name it. std::cout is pointed at it.

#include <cstddef>
#include <memory>
#include <streambuf>

class FdOutput : public std::streambuf {
public:
    explicit FdOutput(int fd, std::size_t size = std::size_t(1) << 16);
    FdOutput(const FdOutput &) = delete;
    FdOutput &operator=(const FdOutput &) = delete;

    // The errno of the first write that failed; 0 while every write succeeded.
    int error() const { return failure; }
    // How many write calls were made (each flush makes at least one when there is output).
    std::size_t writes() const { return writeCalls; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char *s, std::streamsize n) override;
    int sync() override;

private:
    bool writeOut(const char *data, std::size_t size);
    bool drain();

    int fd;
    // Left uninitialised: zeroing 64 KiB was a seventh of the instructions of a short run.
    std::unique_ptr<char[]> buffer;
    std::size_t capacity;
    int failure = 0;
    std::size_t writeCalls = 0;
};
