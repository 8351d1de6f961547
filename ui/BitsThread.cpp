// SPDX-License-Identifier: MIT
#include "ui/BitsThread.h"

#include "number/evaluator.h"
#include "ui/NumberThread.h"

#include <new>

BitsThread::BitsThread(QObject *owner, Delivery deliver, quint64 request, QString expression)
    : WorkerThread(QStringLiteral("BitsThread"), owner, runningCount), delivery(std::move(deliver)),
      request(request), expression(std::move(expression)) {
    setStackSize(NumberThread::stackBytes);
}

void BitsThread::work() {
    try {
        value = evaluateExpression(expression.toStdU16String());
        view = bitView(*value);
    } catch (const char *) {
        return; // an arithmetic failure: the result label shows nothing either
    } catch (const std::bad_alloc &) {
        return;
    }
    handOverToOwner(false);
}

void BitsThread::deliver() {
    delivery(request, value, view);
}
