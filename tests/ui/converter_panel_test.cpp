// SPDX-License-Identifier: MIT
// The converter panel in the window: its line follows the result while it is shown, the
// lists start on the base units, picks and typed searches convert at once, and opened
// lists are wide enough for their items.

#include "tests/ui/window_test_support.h"
#include "ui/PickComboBox.h"

#include <QAbstractItemView>

class ConverterPanelTest : public QObject {
    Q_OBJECT

    WindowUnderTest w;
    QLabel *line = nullptr;

    PickComboBox *combo(int n) {
        return w.child<PickComboBox>(QStringLiteral("ComboBox%1").arg(n).toLatin1().constData());
    }
    // Picks an item as the user does, by its text.
    void pick(int n, const QString &text) {
        PickComboBox *box = combo(n);
        int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void showPanelWithResult(const char *expression, const char *result) {
        w.action("Converter1")->trigger();
        QTest::keyClicks(w.edit, QString::fromLatin1(expression));
        QTRY_COMPARE(w.label->text(), QString::fromLatin1(result));
    }

private slots:
    void init() {
        w.open();
        line = w.child<QLabel>("Label7");
    }
    void cleanup() { w.close(); }

    void startsOnTheBaseUnits() {
        QCOMPARE(combo(1)->currentText(), QStringLiteral("Length"));
        QCOMPARE(combo(2)->currentText(), QStringLiteral("meter [m]"));
        QCOMPARE(combo(3)->currentText(), QStringLiteral("meter [m]"));
        QCOMPARE(combo(4)->currentText(), QStringLiteral("(normal, no prefix)"));
        QCOMPARE(combo(5)->currentIndex(), 10);
        QCOMPARE(combo(1)->count(), 18);
        QCOMPARE(combo(4)->count(), 29);
        QCOMPARE(combo(2)->maxVisibleItems(), 20);
        QVERIFY(!combo(2)->isEditable());
    }

    void convertsTheResult_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("fromPrefix");
        QTest::addColumn<QString>("expected");
        const QString none = QStringLiteral("(normal, no prefix)");
        QTest::newRow("feet") << "Length"
                              << "foot [ft]"
                              << "meter [m]" << none << "5 ft = 1,524 m";
        QTest::newRow("no from symbol") << "Length"
                                        << "barleycorn"
                                        << "meter [m]" << none << "0,04233333333 m";
        QTest::newRow("no to symbol") << "Length"
                                      << "foot [ft]"
                                      << "barleycorn" << none << "5 ft = 180";
        QTest::newRow("square") << "Area" << QString::fromUtf8("square metre [m²]")
                                << QString::fromUtf8("square metre [m²]") << "kilo- [k]"
                                << QString::fromUtf8("5 km² = 5000000 m²");
        QTest::newRow("currency") << "Currency (updated 19.4.2010)"
                                  << "America (United States), Dollar [USD]"
                                  << "Euro [EUR]" << none << "5 USD = 3,71330328 EUR";
    }
    void convertsTheResult() {
        QFETCH(QString, category);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, fromPrefix);
        QFETCH(QString, expected);
        showPanelWithResult("5", "5");
        pick(1, category);
        QCOMPARE(line->text(),
                 QStringLiteral("5 ") + (category == "Area"     ? QString::fromUtf8("m² = 5 m²")
                                         : category == "Length" ? QStringLiteral("m = 5 m")
                                                                : QStringLiteral("EUR = 5 EUR")));
        pick(4, fromPrefix);
        pick(2, from);
        pick(3, to);
        QCOMPARE(line->text(), expected);
    }

    void followsResultsOnlyWhileShown() {
        showPanelWithResult("5", "5");
        QCOMPARE(line->text(), QStringLiteral("5 m = 5 m"));
        QTest::keyClick(w.edit, Qt::Key_0);
        QTRY_COMPARE(line->text(), QStringLiteral("50 m = 50 m"));
        w.action("Converter1")->trigger(); // hidden
        QTest::keyClick(w.edit, Qt::Key_0);
        QTRY_COMPARE(w.label->text(), QStringLiteral("500"));
        QVERIFY(line->text().isEmpty());   // emptied when the evaluation started, not refilled
        w.action("Converter1")->trigger(); // shown again: converts the current result
        QCOMPARE(line->text(), QStringLiteral("500 m = 500 m"));
        QTest::keyClicks(w.edit, QStringLiteral("+"));
        QTRY_VERIFY(w.label->text().isEmpty() && NumberThread::running() == 0);
        QVERIFY(line->text().isEmpty());
    }

    void typingSelectsByTheStartOfAnItem() {
        showPanelWithResult("1", "1");
        combo(1)->setFocus();
        QTest::keyClicks(combo(1), QStringLiteral("ma"));
        QCOMPARE(combo(1)->currentText(), QStringLiteral("Mass"));
        QCOMPARE(combo(2)->currentText(), QStringLiteral("gram [g]"));
        QCOMPARE(line->text(), QStringLiteral("1 g = 1 g"));
    }

    void openedListsFitTheirItems() {
        w.action("Converter1")->trigger();
        pick(1, QStringLiteral("Currency (updated 19.4.2010)"));
        PickComboBox *box = combo(2);
        box->showPopup();
        const int width = box->lastDropDownWidth();
        box->hidePopup();
        QVERIFY(width >= box->width());
        int widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest = std::max(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
        const int room = box->screen()->geometry().right() + 1 - box->mapToGlobal(QPoint()).x();
        QCOMPARE(width, std::max(std::min(widest + 28, room), box->width()));

        // The open list shows at most 20 of the 330 items, whatever the style prefers.
        box->showPopup();
        QWidget *popup = box->view()->window();
        QTRY_VERIFY(popup->isVisible());
        const int rows = popup->height() / box->view()->sizeHintForRow(0);
        box->hidePopup();
        QVERIFY2(rows <= 20, qPrintable(QString::number(rows)));
    }

    void openListSelectsByTyping() {
        w.action("Converter1")->trigger();
        pick(1, QStringLiteral("Currency (updated 19.4.2010)"));
        PickComboBox *box = combo(2);
        box->showPopup();
        QTRY_VERIFY(box->view()->isVisible());
        QTest::keyClicks(box->view(), QStringLiteral("eg"));
        QCOMPARE(box->view()->currentIndex().data().toString(),
                 QStringLiteral("Egypt, Pound [EGP]"));
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->view()->isVisible());
        QCOMPARE(box->currentText(), QStringLiteral("Egypt, Pound [EGP]"));
    }

    void pickingTheShownCategoryKeepsTheUnits() {
        showPanelWithResult("5", "5");
        pick(2, QStringLiteral("foot [ft]"));
        pick(1, QStringLiteral("Length"));
        QCOMPARE(combo(2)->currentText(), QStringLiteral("foot [ft]"));
        QCOMPARE(line->text(), QStringLiteral("5 ft = 1,524 m"));
        pick(1, QStringLiteral("Mass"));
        pick(1, QStringLiteral("Length"));
        QCOMPARE(combo(2)->currentText(), QStringLiteral("meter [m]"));
    }

    void categoryCaptionKeepsItsGap() {
        auto *caption = w.child<QLabel>("Label2");
        QVERIFY(combo(1)->x() - (caption->x() + caption->width()) >= 190 - (10 + 159));
        QCOMPARE(combo(1)->geometry().right(), combo(3)->geometry().right());
    }
};

QTEST_MAIN(ConverterPanelTest)
#include "converter_panel_test.moc"
