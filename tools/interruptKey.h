// SPDX-License-Identifier: MIT
#pragma once
// Ctrl+C in a terminal session of reckonwise-eval: it stops the computation under way, or
// discards the line being typed, and the session goes on. Elsewhere (pipes, files) the
// signal keeps its usual effect and ends the program.

// Makes SIGINT request an interruption (bigint/interrupt.h) instead of ending the program.
// Reads are not restarted after it, so a thread waiting for a key sees it at once. Call on
// the thread that reads the terminal; other threads should block the signal
// (blockInterruptKey), so that it reaches the one waiting for a key.
void catchInterruptKey();

// Blocks SIGINT on the calling thread, or unblocks it.
void blockInterruptKey(bool block);
