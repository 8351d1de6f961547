// SPDX-License-Identifier: MIT
#pragma once
// The command line and the standard streams as reckonwise-eval uses them on every system:
// arguments in UTF-8, and bytes written and read as they are. On POSIX systems both hold
// already; Windows needs the wide command line and the console switched to UTF-8.

#include <string>
#include <vector>

// The arguments in UTF-8, the program's name first. On Windows they come from the wide
// command line (argv there holds the ANSI code page's rendering, which loses characters
// such as "²"); elsewhere they are argv as given.
std::vector<std::string> utf8Arguments(int argc, char **argv);

// Standard input and output pass bytes unchanged (no line end translation) and a console
// reads and shows UTF-8. Nothing to do on POSIX systems.
void prepareStandardStreams();
