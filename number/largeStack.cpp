// SPDX-License-Identifier: MIT
#include "number/largeStack.h"

#include <exception>
#include <pthread.h>
#include <system_error>

namespace {

struct Job {
    const std::function<void()> *f;
    std::exception_ptr error;
};

void *runJob(void *arg) {
    auto *job = static_cast<Job *>(arg);
    try {
        (*job->f)();
    } catch (...) {
        job->error = std::current_exception();
    }
    return nullptr;
}

} // namespace

void runWithLargeStack(const std::function<void()> &f, std::size_t stackSize) {
    Job job{&f, nullptr};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, stackSize);
    pthread_t thread;
    int rc = pthread_create(&thread, &attr, runJob, &job);
    pthread_attr_destroy(&attr);
    if (rc != 0) throw std::system_error(rc, std::generic_category(), "pthread_create");
    pthread_join(thread, nullptr);
    if (job.error) std::rethrow_exception(job.error);
}
