// SPDX-License-Identifier: MIT
#include "app/runCalculator.h"

#include "ui/ReckonwiseMainForm.h"
#include "windowmodel/startupHint.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler qtHandler = nullptr;

bool waylandPluginInstalled() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("*qwayland*")}, QDir::Files).isEmpty();
}

// Qt's messages as Qt writes them; when no platform plugin could start (Qt then ends the
// process), one more line says what is missing.
void addPlatformHint(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    qtHandler(type, context, message);
    if (type != QtFatalMsg) return;
    const std::string hint =
        platformHint(message.toStdString(), !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"),
                     !qEnvironmentVariableIsEmpty("DISPLAY"), waylandPluginInstalled());
    if (!hint.empty()) std::fprintf(stderr, "%s\n", hint.c_str());
}

} // namespace

void runCalculator(int argc, char *argv[],
                   const std::function<void(TReckonwiseMainForm &)> &whenShown) {
    qtHandler = qInstallMessageHandler(addPlatformHint);
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
