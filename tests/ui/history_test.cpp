// SPDX-License-Identifier: MIT
// The history grid of the main window: which edits rewrite the last row and which open a
// new one, results landing in every waiting row, Enter, and the grid's context menu.

#include "window_test_support.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

class HistoryTest : public QObject {
    Q_OBJECT

    WindowUnderTest w;

    // Steps: "type:TEXT" types TEXT, "set:TEXT" replaces the line by program, "back", "left"
    // and "enter" press those keys in the line.
    void apply(const QStringList &steps) {
        for (const QString &step : steps) {
            const QString op = step.section(u':', 0, 0);
            const QString argument = step.section(u':', 1);
            if (op == u"type")
                QTest::keyClicks(w.edit, argument);
            else if (op == u"set")
                w.edit->setText(argument);
            else if (op == u"back")
                QTest::keyClick(w.edit, Qt::Key_Backspace);
            else if (op == u"left")
                QTest::keyClick(w.edit, Qt::Key_Left);
            else if (op == u"enter")
                QTest::keyClick(w.edit, Qt::Key_Return);
            else
                QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }

private slots:
    void init() { w.open(); }
    void cleanup() { w.close(); }

    void rowsFollowTheLine_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("typed one character at a time")
            << QStringList{"type:1+2"} << QStringList{"1+2=3"};
        QTest::newRow("grows in the middle")
            << QStringList{"type:1+3", "left", "type:2"} << QStringList{"1+23=24"};
        QTest::newRow("last character changed")
            << QStringList{"type:12", "back", "type:3"} << QStringList{"12=12", "13=13"};
        QTest::newRow("shortened") << QStringList{"type:1+2", "back"} << QStringList{"1+2=3"};
        QTest::newRow("shortened, then typed on")
            << QStringList{"type:1+2", "back", "type:3"} << QStringList{"1+2=3", "1+3=4"};
        QTest::newRow("unrelated expression")
            << QStringList{"type:12", "set:34"} << QStringList{"12=12", "34=34"};
        QTest::newRow("spaces inserted")
            << QStringList{"type:1+2", "left", "type: ", "set:1 + 2"} << QStringList{"1+2=3"};
        QTest::newRow("line emptied, then typed")
            << QStringList{"type:5", "set:", "type:6"} << QStringList{"5=5", "6=6"};
        QTest::newRow("line emptied, then spaces")
            << QStringList{"type:5", "set:", "type:  "} << QStringList{"5=5", "="};
        QTest::newRow("Enter twice")
            << QStringList{"type:7", "enter", "enter", "type:8"} << QStringList{"7=7", "=", "8=8"};
        QTest::newRow("same expression again after Enter")
            << QStringList{"type:2*3", "enter", "type:2 * 3"} << QStringList{"2*3=6", "2 * 3=6"};
    }
    void rowsFollowTheLine() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, rows);
        QCOMPARE(w.history(), QStringList{"="});
        apply(steps);
        if (QTest::currentTestFailed()) return;
        QTRY_COMPARE(w.history(), rows);
    }

    // Rows that were rewritten become the current one and scroll into view.
    void rewrittenRowBecomesCurrent() {
        w.action("History1")->trigger();
        for (int i = 1; i <= 30; ++i) {
            QTest::keyClicks(w.edit, QString::number(i));
            QTest::keyClick(w.edit, Qt::Key_Return);
        }
        QTest::keyClicks(w.edit, QStringLiteral("99"));
        QCOMPARE(w.grid->rowCount(), 31);
        QCOMPARE(w.grid->currentRow(), 30);
        QTRY_COMPARE(w.history().constLast(), QStringLiteral("99=99"));
        const QRect last = w.grid->visualItemRect(w.grid->item(30, 0));
        QVERIFY(w.grid->viewport()->rect().contains(last));
    }

    // One delivery fills every row that still waits for that expression, white space in
    // the row's text not counted, and never a row that has its result.
    void oneResultFillsEveryWaitingRow() {
        NumberThread::minimumDurationForTests = 1500;
        apply({"type:2*3", "enter", "type:2 * 3", "enter", "type:5"});
        QCOMPARE(w.history(), (QStringList{"2*3=", "2 * 3=", "5="}));
        w.window->ShowResult(QStringLiteral("6"), QStringLiteral("2*3"));
        QCOMPARE(w.history(), (QStringList{"2*3=6", "2 * 3=6", "5="}));
        w.window->ShowResult(QStringLiteral("other"), QStringLiteral("2*3"));
        QCOMPARE(w.history(), (QStringList{"2*3=6", "2 * 3=6", "5="}));
        QTRY_COMPARE_WITH_TIMEOUT(w.history(), (QStringList{"2*3=6", "2 * 3=6", "5=5"}), 10000);
    }

    // Enter in the line, with or without the pad (whose "Select all" is the default
    // button), selects the whole line and opens exactly one empty row.
    void enterSelectsAllAndOpensOneRow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("pad");
        QTest::newRow("Return") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false;
        QTest::newRow("Return with the pad shown") << int(Qt::Key_Return) << true;
    }
    void enterSelectsAllAndOpensOneRow() {
        QFETCH(int, key);
        QFETCH(bool, pad);
        if (pad) w.action("Buttons1")->trigger();
        QTest::keyClicks(w.edit, QStringLiteral("1+1"));
        QTRY_COMPARE(w.history(), QStringList{"1+1=2"});
        QTest::keyClick(w.edit, Qt::Key(key));
        QCOMPARE(w.edit->text(), QStringLiteral("1+1"));
        QCOMPARE(w.edit->selectedText(), QStringLiteral("1+1"));
        QCOMPARE(w.history(), (QStringList{"1+1=2", "="}));
        QCOMPARE(w.label->text(), QStringLiteral("2"));
        QTest::keyClick(w.edit, Qt::Key(key));
        QCOMPARE(w.history(), (QStringList{"1+1=2", "=", "="}));
    }

    // The context menu copies a cell of the current row; a right click opens the menu
    // without changing the current row.
    void contextMenuCopiesTheCurrentRow_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("copied");
        QTest::newRow("expression of the first row") << "Copyexpression2" << 0 << "2 + 2";
        QTest::newRow("result of the first row") << "Copyresult2" << 0 << "4";
        QTest::newRow("result of the second row") << "Copyresult2" << 1 << "9";
        QTest::newRow("result of an empty row") << "Copyresult2" << 2 << "";
        QTest::newRow("expression of an empty row") << "Copyexpression2" << 2 << "";
    }
    void contextMenuCopiesTheCurrentRow() {
        QFETCH(QString, item);
        QFETCH(int, row);
        QFETCH(QString, copied);
        w.action("History1")->trigger();
        apply({"type:2 + 2", "enter", "type:3*3", "enter"});
        QTRY_COMPARE(w.history(), (QStringList{"2 + 2=4", "3*3=9", "="}));

        w.grid->setCurrentCell(row, 0);
        const int other = (row + 1) % 3;
        const QPoint inOtherRow = w.grid->visualItemRect(w.grid->item(other, 0)).center();
        QTest::mouseClick(w.grid->viewport(), Qt::RightButton, {}, inOtherRow);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, inOtherRow,
                                    w.grid->viewport()->mapToGlobal(inOtherRow));
        QApplication::sendEvent(w.grid->viewport(), &menuEvent);
        auto *menu = w.child<QMenu>("PopupMenu1");
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(w.grid->currentRow(), row);

        clipboard()->setText(QStringLiteral("before"));
        QAction *action = w.action(item.toLatin1().constData());
        QCOMPARE(action->parent(), static_cast<QObject *>(menu));
        action->trigger();
        menu->hide();
        QCOMPARE(clipboard()->text(), copied);
    }

    // The newest row must be whole on screen, and the top row whole under the header,
    // however the rows came and the window was sized: rows added while the history was
    // hidden, a window the user resized before a Show item, many rows.
    void newestRowIsWhole_data() {
        QTest::addColumn<int>("rowsWhileHidden");
        QTest::addColumn<int>("userHeight"); // 0: no resize by the user
        QTest::addColumn<int>("rowsWhileShown");
        QTest::newRow("added while hidden") << 14 << 0 << 0;
        QTest::newRow("resized, then a Show click") << 5 << 520 << 10;
        QTest::newRow("resized taller") << 0 << 900 << 30;
        QTest::newRow("many rows") << 0 << 0 << 40;
    }
    void newestRowIsWhole() {
        QFETCH(int, rowsWhileHidden);
        QFETCH(int, userHeight);
        QFETCH(int, rowsWhileShown);
        auto addRows = [this](int count) {
            for (int i = 0; i < count; ++i)
                apply({QStringLiteral("type:%1+%1").arg(i), "enter"});
        };
        addRows(rowsWhileHidden);
        w.action("History1")->trigger();
        if (userHeight) {
            w.window->resize(w.window->width(), userHeight);
            w.action("Converter1")->trigger();
        }
        addRows(rowsWhileShown);
        QCoreApplication::processEvents();

        QWidget *view = w.grid->viewport();
        const QRect newest = w.grid->visualRect(w.grid->model()->index(w.grid->rowCount() - 1, 0));
        QVERIFY2(newest.top() >= 0 && newest.bottom() < view->height(),
                 qPrintable(QStringLiteral("row %1..%2 in a view of %3")
                                .arg(newest.top())
                                .arg(newest.bottom())
                                .arg(view->height())));
        const int top = w.grid->rowAt(0);
        QCOMPARE(w.grid->visualRect(w.grid->model()->index(top, 0)).top(), 0);

        // The separate scroll bar stands at its end, and a wheel step past it changes
        // nothing.
        auto *bar = w.child<QScrollBar>("HistoryScrollBar");
        QCOMPARE(bar->value(), bar->maximum());
        QWheelEvent wheel(QPointF(10, 10), view->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QCOMPARE(w.grid->rowAt(0), top);
        QCOMPARE(w.grid->visualRect(w.grid->model()->index(top, 0)).top(), 0);
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
