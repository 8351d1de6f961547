// SPDX-License-Identifier: MIT
#include "ui/Announcer.h"

#include "ui/accessibleInterfaces.h"

Announcer::Announcer(QWidget *parent) : QWidget(parent) {
    // Its role, a notification, comes from there.
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString &text) {
    if (text.isEmpty()) return;
    hide();
    setAccessibleName(text);
    show();
}
