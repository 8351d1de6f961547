// SPDX-License-Identifier: MIT
#pragma once
// StringGrid: the table the history grid is made of. Its rows scroll whole rows at a
// time, and its top row always starts right under the header: Qt's own per-row scrolling
// lines the last row up with the bottom edge at its last position, which leaves the top
// row half under the header whenever the rows do not fill the view exactly. Here the
// scroll range has one position more, so the last row is reached with the top row still
// whole, and the rows below the last end in blank space.

#include <QTableWidget>

class StringGrid : public QTableWidget {
    Q_OBJECT

public:
    using QTableWidget::QTableWidget;

    // The highest top row (counted from 0) that still has the top row whole: where the
    // last row is fully visible.
    int lastWholeTop() const { return lastTop; }

signals:
    // The view has laid out its rows and scroll range again (after a resize, a show, new
    // rows).
    void geometriesUpdated();

protected:
    void updateGeometries() override;
    // A new current cell is reported to assistive technology as focused only while the grid
    // has the keyboard focus: the history's last row follows the expression line as the
    // user types, and a screen reader would otherwise move there.
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    int lastTop = 0;
};
