// SPDX-License-Identifier: MIT
#include "app/runCalculator.h"

#include "ui/ReckonwiseMainForm.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

void runCalculator(int argc, char *argv[],
                   const std::function<void(TReckonwiseMainForm &)> &whenShown) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Reckonwise"));
    int status;
    {
        TReckonwiseMainForm window;
        window.show();
        if (whenShown) whenShown(window);
        status = QApplication::exec();
    }
    // Workers still running are abandoned, not waited for: end the process here, before
    // the shared number cache could be torn down under them.
    std::fflush(nullptr);
    std::_Exit(status);
}
