#pragma once
// ConversionThread: one conversion of a long value for the converter panel (a result of
// millions of digits takes seconds), on a thread of its own. It works on copies of the
// value and the units, hands its line to the panel on the GUI thread, and deletes itself
// when it ends. The panel shows the line only if it asked for nothing since.

#include "converter/conversionText.h"
#include "number/Settings.h"

#include <QPointer>
#include <QString>
#include <QThread>
#include <atomic>
#include <string>

class ConverterPanel;

class ConversionThread : public QThread {
    Q_OBJECT

public:
    ConversionThread(ConverterPanel *panel, quint64 request, std::u16string value,
                     ConversionUnits units, OutputFormat format);
    ~ConversionThread() override;

    // The converter's line, or an empty line when the conversion fails (an overflow, say).
    static QString lineFor(std::u16string_view value, const ConversionUnits &units,
                           OutputFormat format);

    // Workers not yet at the end of their run (current or overtaken).
    static int running() { return runningCount.load(); }

protected:
    void run() override;

private:
    // Runs on the GUI thread, where this object lives.
    Q_INVOKABLE void Deliver();

    QPointer<ConverterPanel> panel; // read on the GUI thread only
    const quint64 request;
    const std::u16string value;
    const ConversionUnits units;
    const OutputFormat format;
    QString line;
    static std::atomic<int> runningCount;
};
