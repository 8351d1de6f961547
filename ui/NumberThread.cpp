// SPDX-License-Identifier: MIT
#include "ui/NumberThread.h"

#include "number/evaluator.h"
#include "number/format.h"

#include <new>

ResultSettings ResultSettings::current() {
    const settings::ValueRange range = settings::currentValueRange();
    return {settings::currentAngleUnit(), range.bits, range.isSigned,
            settings::currentOutputFormat()};
}

NumberThread::NumberThread(const QString &expressionText, QObject *owner, Delivery deliver)
    : WorkerThread(QStringLiteral("NumberThread"), owner, runningCount), expression(expressionText),
      delivery(std::move(deliver)) {
    setStackSize(stackBytes);
}

void NumberThread::work() {
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
    deliveredFormat = format;
    handOverToOwner(true);
}

void NumberThread::deliver() {
    delivery(
        result, expression,
        ResultSettings{value->angleUnit, value->rangeBits, value->rangeSigned, deliveredFormat});
}
