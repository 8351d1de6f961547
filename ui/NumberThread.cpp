#include "ui/NumberThread.h"

#include "number/evaluator.h"
#include "number/format.h"
#include "ui/ReckonwiseMainForm.h"

#include <QCoreApplication>
#include <new>

std::atomic<int> NumberThread::runningCount{0};

NumberThread::NumberThread(const QString &expressionText, TReckonwiseMainForm *target)
    : expression(expressionText), window(target) {
    setObjectName(QStringLiteral("NumberThread")); // the thread's name in debuggers
    setStackSize(stackBytes);
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    ++runningCount; // counted from the start, so a worker not yet scheduled is not missed
}

void NumberThread::run() {
    struct Finished {
        ~Finished() { --runningCount; }
    } finished;

    result.clear();
    if (int ms = minimumDurationForTests.load()) msleep(ulong(ms));
    OutputFormat format;
    try {
        value = &evaluateExpression(expression.toStdU16String());
        // Format again if the output format changes while formatting.
        do {
            format = settings::currentOutputFormat();
            result = QString::fromStdU16String(formatNumber(*value, format));
        } while (settings::currentOutputFormat() != format);
    } catch (const char *) {
        return; // an arithmetic failure ends the worker without a delivery
    } catch (const std::bad_alloc &) {
        return;
    }
    // The call runs on the GUI thread while this thread waits; qApp outlives every window.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this, format] { DeliverResult(format); },
        Qt::BlockingQueuedConnection);
}

void NumberThread::DeliverResult(OutputFormat format) {
    if (!window) return; // the window has gone: nobody to deliver to
    EvaluationSettings computedUnder{value->angleUnit, value->rangeBits, value->rangeSigned,
                                     format};
    window->ShowResult(result, expression, computedUnder);
}
