// SPDX-License-Identifier: MIT
#pragma once
// Where reckonwise-eval's input lines come from: standard input read as it is (pipes and
// files), or, at a terminal, a prompt with line editing and a history kept between
// sessions.

#include <memory>
#include <optional>
#include <string>

// Standard input could not be read (a directory, an I/O error); error is the errno.
struct ReadError {
    int error;
};

class LineReader {
public:
    virtual ~LineReader() = default;
    // The next line without its line end (a line feed, a carriage return and line feed, or a
    // carriage return alone); nothing at the end of the input. Throws ReadError.
    virtual std::optional<std::string> next() = 0;
    // Whether more input is already waiting, so that output may wait for it.
    virtual bool moreWaiting() const = 0;
    // Whether a person types the lines at a prompt: Ctrl+C then stops a computation, or
    // discards the line being typed, instead of ending the program.
    virtual bool interactive() const { return false; }
};

// The reader for standard input: an editing prompt when it is a terminal and the line
// editor can be loaded, else the plain stream.
std::unique_ptr<LineReader> standardInputReader();
