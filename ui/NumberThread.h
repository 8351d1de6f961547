#pragma once
// NumberThread: one background evaluation of the expression line. It evaluates and formats
// its text, hands the result to the main window on the GUI thread (waiting until the window
// has taken it), and deletes itself when it ends. Overtaken workers are not stopped: the
// window demotes them to idle priority and forgets them.

#include "number/Number.h"

#include <QPointer>
#include <QString>
#include <QThread>
#include <atomic>

class TReckonwiseMainForm;

class NumberThread : public QThread {
    Q_OBJECT

public:
    // A worker for expression (already stripped of white space) that will deliver to window.
    // It is not started; it deletes itself when it has finished.
    NumberThread(const QString &expression, TReckonwiseMainForm *window);
    ~NumberThread() override;

    const QString expression;
    QString result;
    NumberRef value; // kept until the worker is gone

    // Workers made and not yet at the end of their run, current or abandoned.
    static int running() { return runningCount.load(); }

    // Tests make every evaluation take at least this long, to see what a slow one shows.
    static inline std::atomic<int> minimumDurationForTests{0};

    // Stack for the evaluator's recursion (one level per operator).
    static constexpr uint stackBytes = 256u << 20;

protected:
    void run() override;

private:
    // Runs on the GUI thread while the worker waits.
    Q_INVOKABLE void DeliverResult();
    OutputFormat deliveredFormat = Normal; // the format `result` is written in

    QPointer<TReckonwiseMainForm> window; // read on the GUI thread only
    static std::atomic<int> runningCount;
};
