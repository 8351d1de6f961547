// SPDX-License-Identifier: MIT
// The main window's button pad, clipboard commands and their shortcuts, the Show menu's
// arrangement of the group boxes, and the Help and About windows.

#include "ui/BrindlewoodForm.h"
#include "ui/HelpForm.h"
#include "window_test_support.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSet>
#include <QTimer>
#include <functional>

class PadAndMenusTest : public QObject {
    Q_OBJECT

    WindowUnderTest w;

    QGroupBox *group(int n) const {
        return w.child<QGroupBox>(QStringLiteral("GroupBox%1").arg(n).toLatin1().constData());
    }

private slots:
    void init() { w.open(); }
    void cleanup() { w.close(); }

    void startState() {
        QCOMPARE(w.label->text(), QStringLiteral(" "));
        QCOMPARE(w.history(), QStringList{"="});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edit));
        QCOMPARE(w.window->height(), 132); // the window system adds its frame
        for (int n : {2, 3, 4})
            QVERIFY(group(n)->isHidden());
        for (const char *name : {"Buttons1", "Converter1", "History1"})
            QVERIFY(!w.action(name)->isChecked());
        for (const char *name : {"Normal1", "Degrees1", "Unlimitedusebigintsfloats1"})
            QVERIFY(w.action(name)->isChecked());
    }

    // Lines are marked texts: "[...]" is the selection, "|" the caret.
    void padButtons_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("focusElsewhere");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("value");
        auto row = [](const char *name, const char *before, bool focusElsewhere, QList<int> buttons,
                      const char *typed, const char *after, const char *value) {
            QTest::newRow(name) << QString::fromLatin1(before) << focusElsewhere << buttons
                                << QString::fromLatin1(typed) << QString::fromLatin1(after)
                                << QString::fromLatin1(value);
        };
        row("sin, then 30", "", false, {30}, "30", "sin(30|)", "0,5");
        row("square root, then 16", "", false, {20}, "16", "sqrt(16|)", "4");
        row("operator over a selection", "12+[34]", false, {15}, "", "12+*|", "");
        row("function over a selection", "2*[34]", false, {38}, "5", "2*abs(5|)", "10");
        row("at the caret", "1|2", false, {13}, "", "1+|2", "3");
        row("Hex, F, F", "", false, {21, 29, 29}, "", "0xFF|", "255");
        row("focus in the history", "", true, {21, 29, 29}, "", "0xFF|", "255");
        row("ampersands", "1", false, {47, 2, 49, 2}, "", "1&&1&1|", "1");
    }
    void padButtons() {
        QFETCH(QString, before);
        QFETCH(bool, focusElsewhere);
        QFETCH(QList<int>, buttons);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(QString, value);
        w.action("Buttons1")->trigger();
        w.action("History1")->trigger();
        if (focusElsewhere) w.grid->setFocus();
        setMarked(w.edit, before);

        for (int n : buttons) {
            QTest::mouseClick(w.button(n), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edit));
        }
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QCOMPARE(marked(w.edit), after);
        QTRY_COMPARE(w.history().constLast(), w.edit->text() + u'=' + value);
        QCOMPARE(w.label->text(), value);
    }

    // A caption's "&" would mark a mnemonic: it is doubled so that the ampersands show.
    void captionsShowAmpersands() {
        QCOMPARE(w.button(47)->text(), QStringLiteral("&&&&"));
        QCOMPARE(w.button(49)->text(), QStringLiteral("&&"));
    }

    void selectAllTwiceOpensTwoRows() {
        w.action("Buttons1")->trigger();
        QVERIFY(w.button(60)->isDefault());
        QTest::keyClicks(w.edit, QStringLiteral("5"));
        QTRY_COMPARE(w.history(), QStringList{"5=5"});
        QTest::mouseClick(w.button(60), Qt::LeftButton);
        QTest::mouseClick(w.button(60), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edit));
        QCOMPARE(w.edit->selectedText(), QStringLiteral("5"));
        QCOMPARE(w.history(), (QStringList{"5=5", "=", "="}));
        QTest::keyClicks(w.edit, QStringLiteral("6"));
        QTRY_COMPARE(w.history(), (QStringList{"5=5", "=", "6=6"}));
    }

    void clipboardCommands_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("clipboardBefore");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<QString>("after");
        auto row = [](const char *name, const char *item, const char *before,
                      const char *clipboardBefore, const char *clipboardAfter, const char *after) {
            QTest::newRow(name) << QString::fromLatin1(item) << QString::fromLatin1(before)
                                << QString::fromLatin1(clipboardBefore)
                                << QString::fromLatin1(clipboardAfter)
                                << QString::fromLatin1(after);
        };
        row("copy selection", "Copyselection1", "12+[34]", "x", "34", "12+[34]");
        row("copy selection, none", "Copyselection1", "12|+34", "x", "", "12|+34");
        row("copy expression", "Copyexpression1", " 1[ +] 2 ", "x", " 1 + 2 ", " 1[ +] 2 ");
        row("copy result", "Copyresult1", "6*7", "x", "42", "6*7|");
        row("paste over the selection", "Paste1", "12+[34]", " 5 ", " 5 ", "12+ 5 |");
        row("paste at the caret", "Paste1", "1|2", "+", "+", "1+|2");
        row("paste nothing", "Paste1", "12[+34]", "", "", "12|");
    }
    void clipboardCommands() {
        QFETCH(QString, item);
        QFETCH(QString, before);
        QFETCH(QString, clipboardBefore);
        QFETCH(QString, clipboardAfter);
        QFETCH(QString, after);
        setMarked(w.edit, before);
        if (item == u"Copyresult1") QTRY_COMPARE(w.label->text(), clipboardAfter);
        clipboard()->setText(clipboardBefore);
        w.action(item.toLatin1().constData())->trigger();
        QCOMPARE(clipboard()->text(), clipboardAfter);
        QCOMPARE(marked(w.edit), after);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edit));
        QTRY_VERIFY(!w.label->text().isEmpty()); // the line's final text was evaluated
    }

    // A paste that does not fit in the line's 32 767 characters leaves the line as it was
    // and says why in a message; every way of pasting goes through the check.
    void pastesThatDoNotFit_data() {
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<int>("pastedLength");
        QTest::addColumn<bool>("refused");
        QTest::newRow("fits exactly") << 3 << false << 32764 << false;
        QTest::newRow("one too many") << 3 << false << 32765 << true;
        QTest::newRow("alone too long") << 0 << false << 100000 << true;
        QTest::newRow("replacing the whole line") << 32767 << true << 32767 << false;
        QTest::newRow("full line, one more") << 32767 << false << 1 << true;
    }
    void pastesThatDoNotFit() {
        QFETCH(int, lineLength);
        QFETCH(bool, selectAll);
        QFETCH(int, pastedLength);
        QFETCH(bool, refused);
        const QString line = QStringLiteral("1").repeated(lineLength);
        const QString pasted = QStringLiteral("2").repeated(pastedLength);
        clipboard()->setText(pasted);
        // The menu command, Shift+Insert in the line, and the line's own context menu.
        auto pasteWithTheMenu = [this] { w.action("Paste1")->trigger(); };
        auto pasteWithShiftInsert = [this] {
            QTest::keyClick(w.edit, Qt::Key_Insert, Qt::ShiftModifier);
        };
        auto pasteWithTheLinesMenu = [this] {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                    w.edit->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(w.edit, &event);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            // The item that reads "Paste" (with its shortcut after a tab, unless another
            // control has the same shortcut).
            QAction *paste = nullptr;
            for (QAction *item : menu->actions())
                if (item->text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste")) paste = item;
            QVERIFY(paste);
            menu->close();
            paste->trigger();
        };
        const std::pair<const char *, std::function<void()>> ways[] = {
            {"Edit > Paste", pasteWithTheMenu},
            {"Shift+Insert", pasteWithShiftInsert},
            {"the line's context menu", pasteWithTheLinesMenu}};
        for (const auto &[way, paste] : ways) {
            w.edit->setText(line);
            w.edit->setFocus();
            if (selectAll)
                w.edit->selectAll();
            else
                w.edit->end(false);
            paste();
            auto *box = w.window->findChild<QMessageBox *>(QStringLiteral("PasteRefused"));
            QVERIFY2(bool(box) == refused, way);
            if (!refused) {
                QVERIFY2(w.edit->text() == (selectAll ? pasted : line + pasted), way);
                continue;
            }
            QVERIFY2(w.edit->text() == line, way);
            QVERIFY(box->text().contains(QStringLiteral("32 767 characters")));
            QVERIFY(box->text().endsWith(QStringLiteral("was not pasted.")));
            box->accept();
            QTRY_VERIFY(!w.window->findChild<QMessageBox *>(QStringLiteral("PasteRefused")));
        }
    }

    // Ctrl+C and Ctrl+V run the menu commands exactly once, before the focused control's
    // own copy and paste: in the history they still copy the line's selection.
    void controlKeys_data() {
        QTest::addColumn<bool>("inHistory");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<QString>("after");
        auto row = [](const char *name, bool inHistory, Qt::Key key, const char *clipboardAfter,
                      const char *after) {
            QTest::newRow(name) << inHistory << int(key) << QString::fromLatin1(clipboardAfter)
                                << QString::fromLatin1(after);
        };
        row("Ctrl+C in the line", false, Qt::Key_C, "34", "12+[34]");
        row("Ctrl+V in the line", false, Qt::Key_V, "(1)", "12+(1)|");
        row("Ctrl+C in the history", true, Qt::Key_C, "34", "12+[34]");
        row("Ctrl+V in the history", true, Qt::Key_V, "(1)", "12+(1)|");
    }
    void controlKeys() {
        QFETCH(bool, inHistory);
        QFETCH(int, key);
        QFETCH(QString, clipboardAfter);
        QFETCH(QString, after);
        w.action("History1")->trigger();
        QTest::keyClicks(w.edit, QStringLiteral("12+34"));
        QTRY_COMPARE(w.history(), QStringList{"12+34=46"});
        if (inHistory) {
            w.grid->setFocus();
            w.grid->setCurrentCell(0, 0);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.grid));
        }
        setMarked(w.edit, QStringLiteral("12+[34]"));
        clipboard()->setText(QStringLiteral("(1)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(clipboard()->text(), clipboardAfter);
        QCOMPARE(marked(w.edit), after);
        QTRY_VERIFY(!w.label->text().isEmpty());
    }

    // Show items arrange the groups one below the other, 5 pixels apart, and give the
    // window its computed client height (menu bar included, frame not) again, also after the
    // user has resized it.
    void showItemsArrangeTheGroups_data() {
        QTest::addColumn<bool>("buttons");
        QTest::addColumn<bool>("converter");
        QTest::addColumn<bool>("history");
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<int>>("tops"); // of GroupBox2 to GroupBox4, when shown
        QTest::newRow("none") << false << false << false << 132 << QList<int>{};
        QTest::newRow("buttons") << true << false << false << 361 << QList<int>{102};
        QTest::newRow("converter") << false << true << false << 269 << QList<int>{102};
        QTest::newRow("history") << false << false << true << 337 << QList<int>{102};
        QTest::newRow("buttons and history")
            << true << false << true << 566 << QList<int>{102, 331};
        QTest::newRow("all three") << true << true << true << 703 << QList<int>{102, 331, 468};
    }
    void showItemsArrangeTheGroups() {
        QFETCH(bool, buttons);
        QFETCH(bool, converter);
        QFETCH(bool, history);
        QFETCH(int, height);
        QFETCH(QList<int>, tops);
        const int width = w.window->width();
        const bool shown[] = {buttons, converter, history};
        const char *items[] = {"Buttons1", "Converter1", "History1"};
        for (int i = 0; i < 3; ++i)
            if (shown[i]) w.action(items[i])->trigger();

        auto check = [&] {
            QCOMPARE(w.window->height(), height);
            QCOMPARE(w.window->width(), width);
            QList<int> shownTops;
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(group(i + 2)->isVisible(), shown[i]);
                if (shown[i]) shownTops << group(i + 2)->y();
            }
            QCOMPARE(shownTops, tops);
            if (history) QCOMPARE(group(4)->height(), 200);
            for (int n = 1; n <= 4; ++n)
                QCOMPARE(group(n)->width(), width - 16);
        };
        check();
        if (QTest::currentTestFailed()) return;

        // The user makes the window taller (and wider): the history follows both, and the
        // next Show click (here switching "Buttons" off and on again) restores the height.
        w.window->resize(width + 40, w.window->height() + 100);
        QTRY_COMPARE(w.window->height(), height + 100);
        if (history) QTRY_COMPARE(group(4)->height(), 300);
        QTRY_COMPARE(group(1)->width(), width + 24);
        w.action("Buttons1")->trigger();
        w.action("Buttons1")->trigger();
        w.window->resize(width, w.window->height());
        check();
    }

    void helpWindowShowsItsTextOnce() {
        auto *help = w.window->helpForm();
        QVERIFY(help->isHidden());
        w.action("Help2")->trigger();
        w.action("Help2")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
        QVERIFY(!QApplication::activeModalWidget());
        int helpWindows = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<THelpForm *>(top) && top->isVisible()) ++helpWindows;
        QCOMPARE(helpWindows, 1);

        help->close();
        QVERIFY(help->isHidden());
        w.action("Help2")->trigger();
        QVERIFY(help->isVisible());
        const QStringList lines = w.child<QPlainTextEdit>("Memo1")->toPlainText().split(u'\n');
        QCOMPARE(lines.mid(0, 4), (QStringList{"Reckonwise v. 1.0", "", "Quick help", ""}));
        QCOMPARE(lines.count(QStringLiteral("Quick help")), 1);
    }

    // Every menu and item can be reached from the keyboard: each caption has a mnemonic,
    // distinct within its menu.
    void menusHaveDistinctMnemonics() {
        QList<QList<QAction *>> menus{w.window->menuBar()->actions()};
        for (qsizetype m = 0; m < menus.size(); ++m) {
            QSet<QChar> letters;
            for (QAction *a : menus[m]) {
                if (a->isSeparator()) continue;
                if (a->menu()) menus << a->menu()->actions();
                const qsizetype at = a->text().indexOf(u'&');
                QVERIFY2(at >= 0 && at + 1 < a->text().size(), qPrintable(a->text()));
                const QChar letter = a->text().at(at + 1).toLower();
                QVERIFY2(!letters.contains(letter), qPrintable(a->text()));
                letters.insert(letter);
            }
        }
        QCOMPARE(menus.size(), 1 + 5 + 3);
        QStringList bar;
        for (QAction *top : menus[0])
            bar << top->text();
        QCOMPARE(bar, (QStringList{"&File", "&Edit", "&Show", "Se&ttings", "&Help"}));
    }

    void f1OpensHelpAndItsTextMovesByKeys() {
        auto *help = w.window->helpForm();
        QTest::keyClick(w.edit, Qt::Key_F1);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        auto *memo = w.child<QPlainTextEdit>("Memo1");
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(memo->textCursor().position(), memo->document()->characterCount() - 1);
        QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(memo->textCursor().position(), 0);
        QTest::keyClick(memo, Qt::Key_Escape);
        QVERIFY(help->isHidden());
    }

    void aboutWindowShowsTheVersion() {
        auto *about = w.window->aboutForm();
        auto *version = about->findChild<QLabel *>(QStringLiteral("Label1"));
        QVERIFY(version);
        QVERIFY(about->isHidden());
        QCOMPARE(version->text(), QStringLiteral("Reckonwise"));
        w.action("About1")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(version->text(), QStringLiteral("Reckonwise v. 1.0"));
        QCOMPARE(about->windowTitle(), QStringLiteral("brindlewood - Reckonwise"));
        // The logo is compiled into the program, in a library the linker could drop it from.
        auto *logo = about->findChild<QLabel *>(QStringLiteral("Image1"));
        QVERIFY(logo);
        QCOMPARE(logo->pixmap().size(), QSize(70, 79));
        QVERIFY(!QApplication::windowIcon().isNull());
        version->setText(QStringLiteral("stale"));
        w.action("About1")->trigger();
        QCOMPARE(version->text(), QStringLiteral("Reckonwise v. 1.0"));
        about->close();
        QVERIFY(about->isHidden());
        QVERIFY(w.window->isVisible());
    }
};

QTEST_MAIN(PadAndMenusTest)
#include "pad_and_menus_test.moc"
