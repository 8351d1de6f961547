// SPDX-License-Identifier: MIT
#pragma once
// Announcer: a notification that screen readers speak while the focus stays where it is.
// It draws nothing; each announcement sets its accessible name to the text and shows it
// again, and the reader presents a notification that appears.

#include <QString>
#include <QWidget>

class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    // Has text spoken; an empty text is not announced.
    void announce(const QString &text);
};
