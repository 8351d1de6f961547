// SPDX-License-Identifier: MIT
// The calculator run as the program runs it, closed with File > Exit while a dozen workers
// are computing. Prints "closing with N workers running" right before it closes; the load
// test (load_test.cpp) checks that the process then ends at once with status 0.

#include "app/runCalculator.h"
#include "ui/NumberThread.h"
#include "ui/ReckonwiseMainForm.h"

#include <QAction>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[]) {
    runCalculator(argc, argv, [](TReckonwiseMainForm &window) {
        // Each of these takes a core a few seconds, however fast the machine: 1000000! and
        // its 5565709 digits. None is cached when the next starts, so each worker computes
        // all of it.
        window.findChild<QAction *>(QStringLiteral("Full1"))->trigger();
        auto *line = window.findChild<QLineEdit *>(QStringLiteral("Edit1"));
        for (int i = 1; i <= 12; ++i)
            line->setText(QStringLiteral("1000000!+%1").arg(i));
        QTimer::singleShot(200, &window, [&window] {
            std::printf("closing with %d workers running\n", NumberThread::running());
            std::fflush(stdout);
            window.findChild<QAction *>(QStringLiteral("Exit1"))->trigger();
        });
    });
}
