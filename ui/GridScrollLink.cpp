#include "ui/GridScrollLink.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableWidget>
#include <cstdlib>

namespace {

constexpr int fixedRows = 1;
constexpr int rowHeight = 18;

} // namespace

GridScrollLink::GridScrollLink(QTableWidget *g, QScrollBar *bar)
    : QObject(g), grid(g), scrollBar(bar) {
    setObjectName(QStringLiteral("GridScrollLink"));
    connect(scrollBar, &QScrollBar::actionTriggered, this, &GridScrollLink::scrolled);
    connect(scrollBar, &QScrollBar::sliderReleased, this, [this] {
        tracking = false;
        int target = clampedTop(scrollBar->value());
        if (target != topRow()) scrollGridTo(target);
    });
    // The grid's top row changed: the bar follows unless the user is dragging it.
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!tracking) scrollBar->setValue(topRow());
    });
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

int GridScrollLink::clampedTop(int top) const {
    int fit = grid->height() / (rowHeight + 1) - fixedRows;
    int columnsWidth = 2;
    for (int c = 0; c < grid->columnCount(); ++c)
        columnsWidth += grid->columnWidth(c) + 1;
    if (columnsWidth >= grid->width()) --fit; // a horizontal scroll bar takes a row
    if (top > rowCount() - fit) top = rowCount() - fit;
    if (top < fixedRows && fixedRows < rowCount()) top = fixedRows;
    return top;
}

int GridScrollLink::visibleRows() const {
    return std::max(1, grid->viewport()->height() / rowHeight);
}

void GridScrollLink::sync() {
    int top = clampedTop(topRow());
    if (top != topRow()) scrollGridTo(top);
    int page = visibleRows();
    int maximum = std::max(rowCount() - fixedRows, fixedRows);
    // The bar's position is the grid's top row; the last position shows the last page.
    scrollBar->setMinimum(fixedRows);
    scrollBar->setMaximum(std::max(fixedRows, maximum - page + 1));
    scrollBar->setPageStep(page);
    scrollBar->setSingleStep(1);
    scrollBar->update();
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
    const auto grids = window->findChildren<QTableWidget *>();
    for (QTableWidget *grid : grids) {
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

void syncGridScrollBar(QTableWidget *grid) {
    if (auto *link = grid->findChild<GridScrollLink *>(QString(), Qt::FindDirectChildrenOnly))
        link->sync();
}
