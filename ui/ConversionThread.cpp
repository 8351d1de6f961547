// SPDX-License-Identifier: MIT
#include "ui/ConversionThread.h"

ConversionThread::ConversionThread(QObject *owner, Delivery deliver, quint64 request,
                                   std::u16string value, ConversionUnits units, OutputFormat format)
    : WorkerThread(QStringLiteral("ConversionThread"), owner, runningCount),
      delivery(std::move(deliver)), request(request), value(std::move(value)),
      units(std::move(units)), format(format) {}

void ConversionThread::work() {
    line = QString::fromStdU16String(conversionLine(value, units, format));
    handOverToOwner(false);
}

void ConversionThread::deliver() {
    delivery(request, line);
}
