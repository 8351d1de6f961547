// SPDX-License-Identifier: MIT
#include "ui/GridScrollLink.h"

#include "ui/StringGrid.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int fixedRows = 1;
constexpr int rowHeight = 18;

} // namespace

GridScrollLink::GridScrollLink(StringGrid *g, QScrollBar *bar)
    : QObject(g), grid(g), scrollBar(bar) {
    setObjectName(QStringLiteral("GridScrollLink"));
    connect(scrollBar, &QScrollBar::actionTriggered, this, &GridScrollLink::scrolled);
    connect(scrollBar, &QScrollBar::sliderReleased, this, [this] {
        tracking = false;
        int target = clampedTop(scrollBar->value());
        if (target != topRow()) scrollGridTo(target);
        followsEnd = topRow() == lastTop();
    });
    // The grid's top row changed (its own wheel or keys): the bar follows unless the user
    // is dragging it.
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &GridScrollLink::gridScrolled);
    connect(grid, &StringGrid::geometriesUpdated, this, &GridScrollLink::laidOut);
    // Column widths dragged on the header change whether a horizontal bar shows.
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, &GridScrollLink::sync);
    grid->parentWidget()->installEventFilter(this);
}

int GridScrollLink::rowCount() const {
    return grid->rowCount() + fixedRows;
}

int GridScrollLink::topRow() const {
    return fixedRows + grid->verticalScrollBar()->value();
}

void GridScrollLink::scrollGridTo(int top) {
    grid->verticalScrollBar()->setValue(top - fixedRows);
}

int GridScrollLink::lastTop() const {
    return fixedRows + std::max(0, grid->rowCount() - visibleRows());
}

int GridScrollLink::clampedTop(int top) const {
    return std::clamp(top, fixedRows, lastTop());
}

int GridScrollLink::visibleRows() const {
    return std::max(1, grid->viewport()->height() / rowHeight);
}

void GridScrollLink::sync() {
    int top = clampedTop(topRow());
    if (top != topRow()) scrollGridTo(top);
    int page = visibleRows();
    // The bar's position is the grid's top row; the last position shows the last row.
    scrollBar->setMinimum(fixedRows);
    scrollBar->setMaximum(lastTop());
    scrollBar->setPageStep(page);
    scrollBar->setSingleStep(1);
    if (!tracking) scrollBar->setValue(topRow());
    scrollBar->update();
}

void GridScrollLink::showEnd() {
    followsEnd = true;
    sync();
    if (topRow() != lastTop()) scrollGridTo(lastTop());
    scrollBar->setValue(scrollBar->maximum());
}

void GridScrollLink::scrolled(int action) {
    int target;
    switch (action) {
    case QAbstractSlider::SliderToMinimum:
        target = scrollBar->minimum();
        break;
    case QAbstractSlider::SliderToMaximum:
        target = scrollBar->maximum();
        break;
    case QAbstractSlider::SliderMove:
        tracking = true;
        target = scrollBar->sliderPosition();
        break;
    default:
        target = scrollBar->sliderPosition();
        break; // line and page steps
    }
    target = clampedTop(target);
    if (target != topRow()) scrollGridTo(target);
    if (!tracking) followsEnd = topRow() == lastTop();
}

void GridScrollLink::gridScrolled() {
    // The view's own scrolling (the wheel) may reach the one position past the last whole
    // top row; it comes back.
    if (topRow() > lastTop()) return scrollGridTo(lastTop());
    if (!tracking) {
        scrollBar->setValue(topRow());
        followsEnd = topRow() == lastTop();
    }
}

void GridScrollLink::laidOut() {
    // Rows were laid out again (a resize, the grid shown, new rows): keep the last row in
    // view if it was, else keep the top row where it may stay.
    if (followsEnd && topRow() != lastTop()) scrollGridTo(lastTop());
    sync();
}

void GridScrollLink::panelResized() {
    sync();
    int others = 0;
    for (int c = 0; c + 1 < grid->columnCount(); ++c)
        others += grid->columnWidth(c) + 1;
    int last = grid->width() - others - 4;
    if (last >= 80) grid->setColumnWidth(grid->columnCount() - 1, last);
    sync();
}

bool GridScrollLink::eventFilter(QObject *watched, QEvent *event) {
    if (watched == grid->parentWidget() && event->type() == QEvent::Resize) panelResized();
    return false;
}

void prepareStringGrids(QWidget *window) {
    const auto grids = window->findChildren<StringGrid *>();
    for (StringGrid *grid : grids) {
        QWidget *panel = grid->parentWidget();
        if (!panel || qstrcmp(panel->metaObject()->className(), "QFrame") != 0) {
            QMessageBox::critical(
                nullptr, QString(),
                QStringLiteral("Error: StringGrid parent has to be panel. Form: ") +
                    window->objectName());
            std::exit(1);
        }
        if (grid->columnCount() < 1) grid->setColumnCount(1);
        if (grid->rowCount() < 1) grid->setRowCount(1); // one data row below the header
        grid->verticalHeader()->setVisible(false);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setMinimumSectionSize(1);
        grid->verticalHeader()->setDefaultSectionSize(rowHeight);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        grid->horizontalHeader()->setStretchLastSection(false);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        grid->setShowGrid(true);
        grid->clearSelection();

        auto *bar = new QScrollBar(Qt::Vertical, panel);
        auto *dock = new QHBoxLayout(panel);
        dock->setContentsMargins(0, 0, 0, 0);
        dock->setSpacing(0);
        dock->addWidget(grid);
        dock->addWidget(bar);
        new GridScrollLink(grid, bar);
    }
}

namespace {

GridScrollLink *linkOf(QTableWidget *grid) {
    return grid->findChild<GridScrollLink *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void syncGridScrollBar(QTableWidget *grid) {
    if (GridScrollLink *link = linkOf(grid)) link->sync();
}

void scrollGridToEnd(QTableWidget *grid) {
    if (GridScrollLink *link = linkOf(grid)) link->showEnd();
}
