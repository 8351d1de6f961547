// SPDX-License-Identifier: MIT
#include "ui/WorkerThread.h"

#include "ui/threadHandOver.h"

WorkerThread::WorkerThread(const QString &name, QObject *target, std::atomic<int> &running)
    : owner(target), runningCount(running) {
    setObjectName(name); // the thread's name in debuggers
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    ++runningCount; // counted from the start, so a worker not yet scheduled is not missed
}

WorkerThread::~WorkerThread() {
    handOver::received(this);
}

void WorkerThread::run() {
    struct Finished {
        WorkerThread *worker;
        ~Finished() {
            --worker->runningCount;
            handOver::sent(worker); // to the destructor, run on the GUI thread
        }
    } finished{this};
    work();
}

void WorkerThread::handOverToOwner(bool wait) {
    // Invoked by name and without arguments, so that all the call carries is made and freed
    // inside Qt.
    handOver::sent(this);
    QMetaObject::invokeMethod(this, "Deliver",
                              wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
    if (wait) handOver::received(this);
}

void WorkerThread::Deliver() {
    handOver::received(this);
    if (owner) deliver();
    handOver::sent(this);
}
