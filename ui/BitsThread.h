// SPDX-License-Identifier: MIT
#pragma once
// BitsThread: makes the "Bits" group's view of one result on a thread of its own. The
// result is found again through its expression (the cache holds it, so this is a look-up,
// on a large stack for a text that must be evaluated anew), and the texts of the four
// bases of a result of millions of digits take a while. It hands the view to its owner on
// the GUI thread and deletes itself when it ends.

#include "number/Number.h"
#include "number/bitView.h"
#include "ui/WorkerThread.h"

#include <QString>
#include <functional>

class BitsThread : public WorkerThread {
    Q_OBJECT

public:
    // Receives the view on the GUI thread, with the request number the worker was made for
    // and the Number it shows.
    using Delivery =
        std::function<void(quint64 request, const NumberRef &value, const BitView &view)>;

    BitsThread(QObject *owner, Delivery deliver, quint64 request, QString expression);

    // Workers not yet at the end of their run (current or overtaken).
    static int running() { return runningCount.load(); }

private:
    void work() override;
    void deliver() override;

    const Delivery delivery;
    const quint64 request;
    const QString expression;
    NumberRef value;
    BitView view;
    static inline std::atomic<int> runningCount{0};
};
