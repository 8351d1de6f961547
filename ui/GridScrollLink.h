// SPDX-License-Identifier: MIT
#pragma once
// The history grid's vertical scroll bar is a control of its own beside the grid, kept in
// step with the grid's top row by these routines. They work for any StringGrid placed
// alone on a plain QFrame panel; the grid's header counts as its one fixed row, so its data
// rows are numbered from 1 here.

#include <QObject>

class QScrollBar;
class QTableWidget;
class QWidget;
class StringGrid;

class GridScrollLink : public QObject {
    Q_OBJECT

public:
    GridScrollLink(StringGrid *grid, QScrollBar *scrollBar);

    StringGrid *const grid;
    QScrollBar *const scrollBar;
    bool tracking = false; // while the user drags the thumb
    // The grid keeps showing its last row when it is resized, shown or given new rows:
    // true while the top row is the last one it can be.
    bool followsEnd = true;

    // Rows counted with the header as row 0.
    int rowCount() const;
    int topRow() const;
    void scrollGridTo(int top);
    // The top row the grid may have: at most the one that shows the last row whole.
    int clampedTop(int top) const;
    int lastTop() const;
    // Rows wholly inside the view.
    int visibleRows() const;
    void sync();
    // Scrolls to the last row and keeps following it.
    void showEnd();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scrolled(int action);
    void panelResized();
    void gridScrolled();
    void laidOut();
};

// Prepares every StringGrid on window: fixed header, whole-row selection, and a separate
// vertical scroll bar docked at the right of its panel. A grid whose parent is not a plain
// panel stops the program with a message (status 1).
void prepareStringGrids(QWidget *window);

// Clamps the grid's top row and updates its separate scroll bar; nothing for a grid that
// was not prepared.
void syncGridScrollBar(QTableWidget *grid);

// Scrolls a prepared grid to its last row, which it then keeps in view as it is resized
// or shown, until the user scrolls elsewhere.
void scrollGridToEnd(QTableWidget *grid);
