// SPDX-License-Identifier: MIT
// The history grid of the main window: its set-up, the rows that follow the expression
// line, and its context menu.

#include "ui/ClippedText.h"
#include "ui/ExpressionEdit.h"
#include "ui/GridScrollLink.h"
#include "ui/ReckonwiseMainForm.h"
#include "ui/StringGrid.h"
#include "windowmodel/editing.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>

void TReckonwiseMainForm::createHistory() {
    Panel1 = new QFrame(GroupBox4);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 16, 532, 185);

    StringGrid1 = new StringGrid(1, 2, Panel1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("Expression"), QStringLiteral("Result")});
    StringGrid1->setColumnWidth(0, 300);
    StringGrid1->setAccessibleName(QStringLiteral("History"));
    // The arrow keys move between cells; Tab and Shift+Tab leave the grid.
    StringGrid1->setTabKeyNavigation(false);
    // A cell keeps the whole result for "Copy result" but draws only what fits.
    StringGrid1->setItemDelegate(new ClippedItemDelegate(StringGrid1));

    prepareStringGrids(this);
    auto *link = StringGrid1->findChild<GridScrollLink *>();
    historyScrollBar = link->scrollBar;
    historyScrollBar->setObjectName(QStringLiteral("HistoryScrollBar"));
    StringGrid1->setCurrentCell(0, 0);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *copyExpression = PopupMenu1->addAction(QStringLiteral("Copy expression"));
    copyExpression->setObjectName(QStringLiteral("Copyexpression2"));
    QAction *copyResult = PopupMenu1->addAction(QStringLiteral("Copy result"));
    copyResult->setObjectName(QStringLiteral("Copyresult2"));
    auto copyCell = [this](int column) {
        int row = StringGrid1->currentRow();
        QGuiApplication::clipboard()->setText(row >= 0 ? historyCell(row + 1, column) : QString());
    };
    connect(copyExpression, &QAction::triggered, this, [copyCell] { copyCell(0); });
    connect(copyResult, &QAction::triggered, this, [copyCell] { copyCell(1); });
    StringGrid1->setContextMenuPolicy(Qt::DefaultContextMenu);
}

int TReckonwiseMainForm::historyRowCount() const {
    return StringGrid1->rowCount() + 1;
}

QString TReckonwiseMainForm::historyCell(int row, int column) const {
    const QTableWidgetItem *item = StringGrid1->item(row - 1, column);
    return item ? item->text() : QString();
}

void TReckonwiseMainForm::setHistoryCell(int row, int column, const QString &text) {
    QTableWidgetItem *item = StringGrid1->item(row - 1, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        StringGrid1->setItem(row - 1, column, item);
    }
    item->setText(text);
}

void TReckonwiseMainForm::addHistoryRow() {
    StringGrid1->setRowCount(StringGrid1->rowCount() + 1);
}

void TReckonwiseMainForm::UpdateHistory() {
    const QString typed = Edit1->text();
    const int last = historyRowCount() - 1;
    switch (historyStepFor(typed.toStdU16String(), historyCell(last, 0).toStdU16String())) {
    case HistoryStep::nothing:
        return;
    case HistoryStep::addEmptyRow:
        addHistoryRow();
        return;
    case HistoryStep::rewriteLastRow:
        setHistoryCell(last, 0, typed);
        setHistoryCell(last, 1, QString());
        break;
    case HistoryStep::addRow:
        addHistoryRow();
        setHistoryCell(last + 1, 0, typed);
        setHistoryCell(last + 1, 1, QString());
        break;
    case HistoryStep::keep:
        break;
    }
    StringGrid1->setCurrentCell(StringGrid1->rowCount() - 1, 0);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Synchronises the bar and puts it at its end; the grid keeps its last row in view
    // while it is resized, hidden and shown, until the user scrolls elsewhere.
    scrollGridToEnd(StringGrid1);
}
