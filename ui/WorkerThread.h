// SPDX-License-Identifier: MIT
#pragma once
// WorkerThread: the life cycle the window's background workers share. A worker runs on a
// thread of its own, counts itself among the running workers until its run ends, hands
// its outcome to the GUI thread (where the worker object lives) through a callback its
// owner provides, and deletes itself when it has finished. Nothing waits for a worker; a
// worker whose owner has gone delivers to nobody.

#include <QPointer>
#include <QThread>
#include <atomic>

class WorkerThread : public QThread {
    Q_OBJECT

protected:
    // owner guards the delivery: once it is destroyed, deliver() is no longer called.
    // running is the count of the worker's kind, raised here and lowered when the run ends.
    WorkerThread(const QString &name, QObject *owner, std::atomic<int> &running);
    ~WorkerThread() override;

    // The worker's own work, on its thread.
    virtual void work() = 0;
    // Runs on the GUI thread while the owner exists: hand the outcome over.
    virtual void deliver() = 0;
    // Called from work(): runs deliver() on the GUI thread, waiting for it to finish when
    // wait is true (the worker's fields stay valid either way: the deletion that `finished`
    // posts comes after the delivery in the GUI thread's queue).
    void handOverToOwner(bool wait);

private:
    void run() final;
    Q_INVOKABLE void Deliver();

    QPointer<QObject> owner; // read on the GUI thread only
    std::atomic<int> &runningCount;
};
