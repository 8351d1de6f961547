#include "ui/ConversionThread.h"

#include "ui/ConverterPanel.h"
#include "ui/threadHandOver.h"

#include <new>

std::atomic<int> ConversionThread::runningCount{0};

ConversionThread::ConversionThread(ConverterPanel *target, quint64 request, std::u16string value,
                                   ConversionUnits units, OutputFormat format)
    : panel(target), request(request), value(std::move(value)), units(std::move(units)),
      format(format) {
    setObjectName(QStringLiteral("ConversionThread"));
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    ++runningCount;
}

ConversionThread::~ConversionThread() {
    handOver::received(this);
}

QString ConversionThread::lineFor(std::u16string_view value, const ConversionUnits &u,
                                  OutputFormat format) {
    try {
        return QString::fromStdU16String(
            conversionText(value, u.from, u.fromPrefix, u.to, u.toPrefix, format));
    } catch (const char *) {
        // An arithmetic failure leaves the line empty, like a value that does not evaluate.
    } catch (const std::bad_alloc &) {
    }
    return {};
}

void ConversionThread::run() {
    line = lineFor(value, units, format);
    // Posted by name, so that the call is made and freed inside Qt; it runs before the
    // deletion that `finished` posts after it.
    handOver::sent(this);
    QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
    --runningCount;
}

void ConversionThread::Deliver() {
    handOver::received(this);
    if (panel) panel->showConversion(request, line);
}
