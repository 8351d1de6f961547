// SPDX-License-Identifier: MIT
// How long after each key the result of a typical expression appears in the window: the
// expression is typed one key at a time, and for each key the time from the key to the
// result label showing that prefix's result is measured. Prints the median and the worst.
// Run on the offscreen platform: QT_QPA_PLATFORM=offscreen build-bench/bench/window_typing_bench

#include "ui/NumberThread.h"
#include "ui/ReckonwiseMainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QString expression = QStringLiteral("(123456789*987654321+sqrt(2)/7)^2 % 1000003");
    TReckonwiseMainForm window;
    window.show();
    auto *edit = window.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    auto *label = window.findChild<QLabel *>(QStringLiteral("Label5"));

    // Round 0 types into an empty cache; later rounds retype the same keys and find every
    // prefix cached, which is what editing an expression mostly does.
    std::vector<double> first, again;
    for (int round = 0; round < 5; ++round) {
        edit->clear();
        for (QChar key : expression) {
            QElapsedTimer timer;
            timer.start();
            QTest::keyClicks(edit, QString(key));
            // Wait for the worker's delivery for this prefix.
            while (NumberThread::running() > 0 && timer.elapsed() < 2000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            QCoreApplication::processEvents();
            (round == 0 ? first : again).push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    auto report = [](const char *what, std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-22s keys: %3zu  median: %.3f ms  90%%: %.3f ms  worst: %.3f ms\n", what,
                    ms.size(), ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back());
    };
    report("typed, nothing cached", first);
    report("retyped, cached", again);
    std::printf("final result: %s\n", qPrintable(label->text()));
    return 0;
}
