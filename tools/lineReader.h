// SPDX-License-Identifier: MIT
#pragma once
// Where reckonwise-eval's input lines come from: standard input read as it is (pipes and
// files), or, at a terminal, a prompt with line editing and the session's history.

#include <memory>
#include <optional>
#include <string>

class LineReader {
public:
    virtual ~LineReader() = default;
    // The next line without its line end (and without a carriage return before it);
    // nothing at the end of the input.
    virtual std::optional<std::string> next() = 0;
    // Whether more input is already waiting, so that output may wait for it.
    virtual bool moreWaiting() const = 0;
};

// The reader for standard input: an editing prompt when it is a terminal (and line editing
// was built in), else the plain stream.
std::unique_ptr<LineReader> standardInputReader();
