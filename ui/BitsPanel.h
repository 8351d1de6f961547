// SPDX-License-Identifier: MIT
#pragma once
// The "Bits" group's panel: the current result in decimal, hexadecimal, octal and binary
// (grouped for reading, each copied without its grouping by its button or its context
// menu), a line that says what the bits mean in the value range, and a grid of up to 64
// bit cells. Each cell is a check box ("bit 5, set"); flipping one asks the window to write
// the flipped value into the expression line, which then evaluates as typed text does.

#include "number/Number.h"
#include "number/bitView.h"

#include <QObject>
#include <QString>
#include <array>

class ClippedLabel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

class BitsPanel : public QObject {
    Q_OBJECT

public:
    // Builds the panel's controls in group.
    explicit BitsPanel(QGroupBox *group);

    // A new result is shown for expression (already stripped of white space): kept, and
    // turned into the view at once when shown is true (the group is on the screen).
    void showResult(const QString &expression, bool shown);
    // The group has come on the screen: makes the view of the last result if it is missing.
    void refresh();
    // A new evaluation has started: the rows empty and flips wait for its result. The cells
    // stay where they are, so that the one with the focus keeps it.
    void clear();

    // Copy buttons, then the cells as they stand on the screen (bit 63 first).
    QList<QWidget *> widgetsInTabOrder() const;

    // The rows' whole texts, for copying: what the clipboard receives.
    QString plainRow(int row) const;

signals:
    // The text that writes the flipped value, for the expression line.
    void writeRequested(const QString &text);

private:
    void createControls(QGroupBox *group);
    void placeControls();
    void show(quint64 request, const NumberRef &value, const BitView &view);
    void showView();
    void flip(int bit, bool checked);
    void copyRow(int row);
    bool eventFilter(QObject *watched, QEvent *event) override;

    QGroupBox *group;
    std::array<QLabel *, 4> captions{};
    std::array<ClippedLabel *, 4> rows{};
    std::array<QPushButton *, 4> copyButtons{};
    ClippedLabel *summary;
    std::array<QLabel *, 8> bitNumbers{}; // at the left and right end of each grid row
    std::array<QCheckBox *, 64> cells{};

    QString expression;      // of the last result shown
    bool haveResult = false; // a result is shown (none at start, nor while one is made)
    bool viewMade = false;   // the view of `expression` was asked for
    quint64 request = 0;     // counts the requests; a late view is dropped
    bool waiting = true;     // no view of the current result yet: flips wait
    NumberRef value;         // the result the view shows
    BitView view;
};
