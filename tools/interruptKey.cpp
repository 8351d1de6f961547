// SPDX-License-Identifier: MIT
#include "tools/interruptKey.h"

#include "bigint/interrupt.h"

#include <csignal>
#include <pthread.h>

namespace {

void onInterruptKey(int) {
    bigint::requestInterrupt();
}

} // namespace

void catchInterruptKey() {
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
