// SPDX-License-Identifier: MIT
#pragma once
// ConversionThread: one conversion of a long value for the converter panel (a result of
// millions of digits takes seconds), on a thread of its own. It works on copies of the
// value and the units, hands its line to its owner on the GUI thread, and deletes itself
// when it ends.

#include "converter/conversionText.h"
#include "number/Settings.h"
#include "ui/WorkerThread.h"

#include <QString>
#include <functional>
#include <string>

class ConversionThread : public WorkerThread {
    Q_OBJECT

public:
    // Receives the line on the GUI thread, with the request number the worker was made for.
    using Delivery = std::function<void(quint64 request, const QString &line)>;

    ConversionThread(QObject *owner, Delivery deliver, quint64 request, std::u16string value,
                     ConversionUnits units, OutputFormat format);

    // Workers not yet at the end of their run (current or overtaken).
    static int running() { return runningCount.load(); }

private:
    void work() override;
    void deliver() override;

    const Delivery delivery;
    const quint64 request;
    const std::u16string value;
    const ConversionUnits units;
    const OutputFormat format;
    QString line;
    static inline std::atomic<int> runningCount{0};
};
