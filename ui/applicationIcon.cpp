// SPDX-License-Identifier: MIT
#include "ui/applicationIcon.h"

#include <QDir>

// The resources live in a static library, where nothing refers to them: the linker keeps
// them only if they are registered by name. (Outside any namespace, as the macro declares
// the registration function where it stands.)
static void registerResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(reckonwise);
        return true;
    }();
    (void)registered;
}

QIcon applicationIcon() {
    registerResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/reckonwise/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap aboutLogo() {
    registerResources();
    return QPixmap(QStringLiteral(":/reckonwise/logo.png"));
}
