// SPDX-License-Identifier: MIT
#include "ui/StringGrid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

void StringGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    QScrollBar *bar = verticalScrollBar();
    lastTop = bar->maximum();
    // At its maximum the per-row scrolling lines the last row up with the bottom edge; one
    // position more keeps every reachable top row aligned with the header.
    if (verticalScrollMode() == ScrollPerItem && lastTop > 0) {
        bar->setMaximum(lastTop + 1);
        // The header's offset may still be the one the narrower range gave.
        const int top = std::min(bar->value(), lastTop);
        if (rowCount() > 0 &&
            verticalHeader()->offset() != verticalHeader()->sectionPosition(top)) {
            verticalHeader()->setOffsetToSectionPosition(top);
            viewport()->update();
        }
    }
    emit geometriesUpdated();
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
    if (hasFocus()) return QTableWidget::currentChanged(current, previous);
    // QTableView's own override only adds the focus event.
    QAbstractItemView::currentChanged(current, previous);
}
