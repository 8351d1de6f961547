// SPDX-License-Identifier: MIT
#include "tools/interruptKey.h"

#include "bigint/interrupt.h"

#if defined(_WIN32)

// The console is read as a plain stream on Windows, never at an editing prompt, so Ctrl+C
// keeps its usual effect there and these are never asked to do anything.
void catchInterruptKey() {}

void blockInterruptKey(bool) {}

int interruptNotices() {
    return -1;
}

void forgetInterruptNotices() {}

#else

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace {

int notices[2] = {-1, -1};

void onInterruptKey(int) {
    const int saved = errno;
    bigint::requestInterrupt();
    const char byte = 1;
    // A full pipe already holds a notice.
    [[maybe_unused]] const ssize_t written = ::write(notices[1], &byte, 1);
    errno = saved;
}

} // namespace

void catchInterruptKey() {
    if (::pipe2(notices, O_CLOEXEC | O_NONBLOCK) != 0) notices[0] = notices[1] = -1;
    struct sigaction action {};
    action.sa_handler = onInterruptKey;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a read waiting for a key returns
    sigaction(SIGINT, &action, nullptr);
}

void blockInterruptKey(bool block) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    pthread_sigmask(block ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

int interruptNotices() {
    return notices[0];
}

void forgetInterruptNotices() {
    char drained[64];
    if (notices[0] >= 0)
        while (::read(notices[0], drained, sizeof drained) > 0) {
        }
}

#endif
