// SPDX-License-Identifier: MIT
#pragma once
// Ctrl+C in a terminal session of reckonwise-eval: it stops the computation under way, or
// discards the line being typed, and the session goes on. Elsewhere (pipes, files) the
// signal keeps its usual effect and ends the program.

// Makes SIGINT request an interruption (bigint/interrupt.h) instead of ending the program,
// and leave a notice on a pipe (interruptNotices), so that a thread waiting for a key can
// wait for the notice too: a signal that arrives just before the wait would otherwise
// interrupt nothing. Other threads should block the signal (blockInterruptKey), so that it
// reaches the one that reads the terminal.
void catchInterruptKey();

// Blocks SIGINT on the calling thread, or unblocks it.
void blockInterruptKey(bool block);

// The read end of the pipe that gets a byte for each Ctrl+C, or -1 before catchInterruptKey.
int interruptNotices();

// Empties the notice pipe, before waiting anew.
void forgetInterruptNotices();
