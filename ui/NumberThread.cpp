#include "ui/NumberThread.h"

#include "number/evaluator.h"
#include "number/format.h"
#include "ui/ReckonwiseMainForm.h"
#include "ui/threadHandOver.h"

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
        NumberThread *worker;
        ~Finished() {
            --runningCount;
            handOver::sent(worker); // to the destructor, run on the GUI thread
        }
    } finished{this};

    result.clear();
    if (int ms = minimumDurationForTests.load()) msleep(ulong(ms));
    OutputFormat format;
    try {
        value = evaluateExpression(expression.toStdU16String());
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
    // The call runs on the GUI thread (where this object lives) while this thread waits.
    // It is made by name and without arguments, so that all it carries is made and freed
    // inside Qt.
    deliveredFormat = format;
    handOver::sent(this);
    QMetaObject::invokeMethod(this, "DeliverResult", Qt::BlockingQueuedConnection);
    handOver::received(this);
}

NumberThread::~NumberThread() {
    handOver::received(this);
}

void NumberThread::DeliverResult() {
    handOver::received(this);
    if (window) { // else the window has gone: nobody to deliver to
        EvaluationSettings computedUnder{value->angleUnit, value->rangeBits,
                                         value->rangeSigned, deliveredFormat};
        window->ShowResult(result, expression, computedUnder);
    }
    handOver::sent(this);
}
