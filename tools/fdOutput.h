// SPDX-License-Identifier: MIT
#pragma once
// Standard output and standard error as reckonwise-eval writes them: a buffer over the file
// descriptor that keeps the reason of a failed write (a full disk, a closed pipe), so that
// the message the user sees can name it. Not a C++ stream: the standard streams' start-up
// (their locale and eight stream objects) was a fifth of the instructions of a short run.

#include <cstddef>
#include <memory>
#include <string_view>

class FdOutput {
public:
    // lineByLine: each line is written as soon as it is complete (for messages).
    explicit FdOutput(int fd, std::size_t size = std::size_t(1) << 16, bool lineByLine = false);
    FdOutput(const FdOutput &) = delete;
    FdOutput &operator=(const FdOutput &) = delete;

    FdOutput &operator<<(std::string_view text);
    FdOutput &operator<<(char c) { return *this << std::string_view(&c, 1); }
    // Writes what is buffered; false when a write failed (now or before).
    bool flush();

    // The errno of the first write that failed; 0 while every write succeeded.
    int error() const { return failure; }
    // How many write calls were made (each flush makes at least one when there is output).
    std::size_t writes() const { return writeCalls; }

private:
    bool writeOut(const char *data, std::size_t size);

    int fd;
    // Left uninitialised: zeroing 64 KiB was a seventh of the instructions of a short run.
    std::unique_ptr<char[]> buffer;
    std::size_t capacity;
    std::size_t used = 0;
    bool lineByLine;
    int failure = 0;
    std::size_t writeCalls = 0;
};

// The program's standard output (descriptor 1) and standard error (descriptor 2, written
// line by line).
FdOutput &standardOutput();
FdOutput &standardError();
