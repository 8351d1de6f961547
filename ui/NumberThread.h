// SPDX-License-Identifier: MIT
#pragma once
// NumberThread: one background evaluation of the expression line. It evaluates and formats
// its text, hands the result to its owner on the GUI thread (waiting until the owner has
// taken it), and deletes itself when it ends. Overtaken workers are not stopped: the
// window demotes them to idle priority and forgets them.

#include "number/Number.h"
#include "number/Settings.h"
#include "ui/WorkerThread.h"

#include <QString>
#include <functional>

// The settings a result was computed and formatted under.
struct ResultSettings {
    AngleUnit angleUnit;
    std::int32_t rangeBits;
    bool rangeSigned;
    OutputFormat format;

    static ResultSettings current();
    bool operator==(const ResultSettings &) const = default;
};

class NumberThread : public WorkerThread {
    Q_OBJECT

public:
    // Receives a worker's result on the GUI thread.
    using Delivery = std::function<void(const QString &result, const QString &expression,
                                        const ResultSettings &computedUnder)>;

    // A worker for expression (already stripped of white space) that delivers its result
    // through deliver while owner exists. It is not started; it deletes itself when it has
    // finished.
    NumberThread(const QString &expression, QObject *owner, Delivery deliver);

    const QString expression;
    QString result;
    NumberRef value; // kept until the worker is gone

    // Workers made and not yet at the end of their run, current or abandoned.
    static int running() { return runningCount.load(); }

    // Tests make every evaluation take at least this long, to see what a slow one shows.
    static inline std::atomic<int> minimumDurationForTests{0};

    // Stack for the evaluator's recursion (one level per operator).
    static constexpr uint stackBytes = 256u << 20;

private:
    void work() override;
    void deliver() override;

    const Delivery delivery;
    OutputFormat deliveredFormat = Normal; // the format `result` is written in
    static inline std::atomic<int> runningCount{0};
};
