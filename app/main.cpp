// The application entry: the main window (which creates the hidden help and About windows)
// and the message loop.

#include "ui/ReckonwiseMainForm.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Reckonwise"));
    int status;
    {
        TReckonwiseMainForm window;
        window.show();
        status = QApplication::exec();
    }
    // Workers still running are abandoned, not waited for: end the process here, before
    // the shared number cache could be torn down under them.
    std::fflush(nullptr);
    std::_Exit(status);
}
