// SPDX-License-Identifier: MIT
// Live evaluation in the main window: the result label follows the expression line, the
// Settings items evaluate again, slow evaluations show "Calculating...", and deliveries
// from workers that no longer match the line or the settings stay out of the label.

#include "window_test_support.h"

#include "ui/ClippedText.h"
#include "ui/ConversionThread.h"
#include "ui/ConverterPanel.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QStyleOptionViewItem>

class EvaluationTest : public QObject {
    Q_OBJECT

    WindowUnderTest w;

private slots:
    void init() { w.open(); }
    void cleanup() { w.close(); }

    void resultFollowsTheLine_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        auto row = [](const char *typed, const char *result) {
            QTest::newRow(typed) << QString::fromLatin1(typed) << QString::fromLatin1(result);
        };
        row("2+3*4", "14");
        row("7/2", "3,5");
        row(" 2 + 3 * 4", "14");
        row("1+", ""); // no value
    }
    void resultFollowsTheLine() {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QCOMPARE(w.label->text(), QStringLiteral(" "));
        QTest::keyClicks(w.edit, typed);
        QTRY_COMPARE(w.history(), QStringList{typed + u'=' + result});
        QCOMPARE(w.label->text(), result);
    }

    // Edits that only add or remove white space start nothing: the label would be emptied
    // at once by a new evaluation, and the history row would be rewritten.
    void whiteSpaceOnlyEdits_data() {
        QTest::addColumn<QString>("edited");
        QTest::newRow("spaces around the operator") << "1 + 2";
        QTest::newRow("leading and trailing") << " 1+2 ";
        QTest::newRow("tab") << "1+\t2";
    }
    void whiteSpaceOnlyEdits() {
        QFETCH(QString, edited);
        QTest::keyClicks(w.edit, QStringLiteral("1+2"));
        QTRY_COMPARE(w.label->text(), QStringLiteral("3"));
        QTRY_COMPARE(w.history(), QStringList{"1+2=3"});
        w.edit->setText(edited);
        QCOMPARE(w.label->text(), QStringLiteral("3"));
        QCOMPARE(w.history(), QStringList{"1+2=3"});
        QTest::keyClick(w.edit, Qt::Key_Space);
        QCOMPARE(w.label->text(), QStringLiteral("3"));
        QCOMPARE(w.history(), QStringList{"1+2=3"});
    }

    // 1+2, then 1+23, then back to 1+2: the result of 1+23 reaches its history row but
    // never the label, also when its worker is the last to deliver.
    void overtakenResultStaysOutOfTheLabel_data() {
        QTest::addColumn<int>("overtakenMilliseconds");
        QTest::newRow("workers in any order") << 0;
        QTest::newRow("overtaken worker delivers last") << 1500;
    }
    void overtakenResultStaysOutOfTheLabel() {
        QFETCH(int, overtakenMilliseconds);
        QTest::keyClicks(w.edit, QStringLiteral("1+2"));
        QTRY_COMPARE(w.label->text(), QStringLiteral("3"));
        QTRY_COMPARE(NumberThread::running(), 0);

        NumberThread::minimumDurationForTests = overtakenMilliseconds;
        QTest::keyClick(w.edit, Qt::Key_3);
        if (overtakenMilliseconds > 0) QTRY_VERIFY(NumberThread::running() > 0);
        NumberThread::minimumDurationForTests = 0;
        QTest::keyClick(w.edit, Qt::Key_Backspace);

        QTRY_COMPARE(w.label->text(), QStringLiteral("3"));
        // The row followed the line to 1+23 and kept it when the line was shortened.
        QTRY_COMPARE(w.history(), QStringList{"1+23=24"});
        QCOMPARE(w.label->text(), QStringLiteral("3"));
    }

    // Every Settings item evaluates the line again, the checked one included: the label is
    // emptied at once and then shows the result under the new setting.
    void settingsItemsEvaluateAgain_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("result");
        auto row = [](const char *item, const char *expression, const char *before,
                      const char *result) {
            QTest::addRow("%s %s", item, expression)
                << QString::fromLatin1(item) << QString::fromLatin1(expression)
                << QString::fromLatin1(before) << QString::fromLatin1(result);
        };
        row("Hexadecimal1", "255", "255", "0xFF");
        row("Octal1", "8", "8", "0o10");
        row("Binary1", "5", "5", "0b101");
        row("Scientific1", "1234", "1234", "1,234e3");
        row("Normal1", "7/2", "3,5", "3,5"); // already checked
        row("Radians1", "sin(90)", "1", "0,8939966636");
        row("Grads1", "sin(90)", "1", "0,9876883406");
        row("Degrees1", "sin(90)", "1", "1"); // already checked
        row("unsignedchar8bits1", "255+1", "256", "0");
        row("signedchar8bits1", "127+1", "128", "-128");
        row("unsignedlong32bits1", "0-1", "-1", "4294967295");
        row("Unlimitedusebigintsfloats1", "255+1", "256", "256"); // already checked
        row("Normal1", "", " ", "");                              // an empty line delivers ""
    }
    void settingsItemsEvaluateAgain() {
        QFETCH(QString, item);
        QFETCH(QString, expression);
        QFETCH(QString, before);
        QFETCH(QString, result);
        QTest::keyClicks(w.edit, expression);
        QTRY_COMPARE(w.label->text(), before);
        QAction *action = w.action(item.toLatin1().constData());
        action->trigger();
        QVERIFY(action->isChecked());
        QCOMPARE(w.label->text(), QString());
        QTRY_COMPARE(w.history(), QStringList{expression + u'=' + result});
        QTRY_COMPARE(w.label->text(), result);
    }

    // "Calculating..." appears one second after the start of an evaluation that is still
    // running, and its result (or its empty result) replaces it.
    void calculatingOnlyWhenSlow_data() {
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("result");
        QTest::newRow("slow") << 2000 << "6*7"
                              << "42";
        QTest::newRow("slow, no value") << 2000 << "6*" << QString();
        QTest::newRow("fast") << 0 << "6*7"
                              << "42";
        QTest::newRow("fast, no value") << 0 << "6*" << QString();
    }
    void calculatingOnlyWhenSlow() {
        QFETCH(int, milliseconds);
        QFETCH(QString, expression);
        QFETCH(QString, result);
        const QString calculating = QStringLiteral("Calculating...");
        NumberThread::minimumDurationForTests = milliseconds;
        QTest::keyClicks(w.edit, expression);
        if (milliseconds > 0) {
            QTRY_COMPARE(w.label->text(), calculating);
            clipboard()->setText(QStringLiteral("before"));
            w.action("Copyresult1")->trigger();
            QCOMPARE(clipboard()->text(), calculating);
            QTRY_COMPARE(w.label->text(), result);
            QCOMPARE(w.history(), QStringList{expression + u'=' + result});
        } else {
            QTRY_COMPARE(w.label->text(), result);
            QTest::qWait(1200); // the one-second timer has passed by now
            QCOMPARE(w.label->text(), result);
        }
    }

    // Deliveries called directly while the real workers are still asleep: the label takes
    // only the line's expression under the current settings; waiting history rows of the
    // expression take it in any case and keep it when the real result arrives later.
    void deliveries_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("history");
        auto row = [](const char *name, const char *expression, const char *changed,
                      const char *label, const QStringList &history) {
            QTest::newRow(name) << QString::fromLatin1(expression) << QString::fromLatin1(changed)
                                << QString::fromLatin1(label) << history;
        };
        const QStringList lastFilled{"2*3=", "4 + 4=X"};
        row("the line's", "4+4", "", "X", lastFilled);
        row("other angle unit", "4+4", "angle", "", lastFilled);
        row("other value range", "4+4", "range", "", lastFilled);
        row("other output format", "4+4", "format", "", lastFilled);
        row("an earlier row's", "2*3", "", "", {"2*3=X", "4 + 4="});
        row("no row's", "5", "", "", {"2*3=", "4 + 4="});
    }
    void deliveries() {
        QFETCH(QString, expression);
        QFETCH(QString, changed);
        QFETCH(QString, label);
        QFETCH(QStringList, history);
        NumberThread::minimumDurationForTests = 1000;
        QTest::keyClicks(w.edit, QStringLiteral("2*3"));
        QTest::keyClick(w.edit, Qt::Key_Return);
        QTest::keyClicks(w.edit, QStringLiteral("4 + 4"));

        ResultSettings under = ResultSettings::current();
        if (changed == u"angle") under.angleUnit = Radians;
        if (changed == u"range") under.rangeBits = 8;
        if (changed == u"format") under.format = Hexadecimal;
        w.window->ShowResult(QStringLiteral("X"), expression, under);
        QCOMPARE(w.label->text(), label);
        QCOMPARE(w.history(), history);

        // The real results fill only the rows that still wait.
        QStringList filled = history;
        for (QString &row : filled) {
            if (row == u"2*3=") row += u'6';
            if (row == u"4 + 4=") row += u'8';
        }
        QTRY_COMPARE_WITH_TIMEOUT(w.history(), filled, 10000);
        QTRY_COMPARE(w.label->text(), QStringLiteral("8"));
    }

    // A start of a text for a control that shows only what reaches its right edge: never
    // cut short of the edge, never in the middle of a character, and not much longer than
    // what fits when the text is plain ASCII.
    void startReachingWidth_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("bounded");
        const QString zeroWidth(3000, QChar(0x200B));
        QString faces;
        for (int i = 0; i < 3000; ++i)
            faces += QStringLiteral("\U0001F600");
        QTest::newRow("short") << QStringLiteral("12345") << 500 << true;
        QTest::newRow("no width") << QStringLiteral("12345") << 0 << true;
        QTest::newRow("digits") << QString(100000, u'7') << 500 << true;
        QTest::newRow("result of ones") << QString(100000, u'1') << 500 << true;
        QTest::newRow("invisible start") << zeroWidth + QString(3000, u'8') << 500 << false;
        QTest::newRow("nothing visible") << zeroWidth << 500 << false;
        QTest::newRow("surrogate pairs") << faces << 500 << false;
    }
    void startReachingWidth() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, bounded);
        const QFont font = w.label->font();
        const QString start = ::startReachingWidth(text, font, width);
        QVERIFY(text.startsWith(start));
        QVERIFY(start == text || QFontMetrics(font).horizontalAdvance(start) >= width);
        QVERIFY(start.isEmpty() || !start.back().isHighSurrogate());
        if (bounded) QVERIFY2(start.size() <= 500, qPrintable(QString::number(start.size())));
    }

    // A result far wider than the window (2^100000 has 30103 digits): the label and the
    // history cell show only a start of it that reaches their edge, again after the window
    // has grown; the clipboard commands and the converter get all of it.
    void longResultIsCutOnlyOnScreen() {
        const QString first = QStringLiteral("999002093014384507944032764330");
        const QString last = QStringLiteral("402597025155304734389883109376");
        auto isWhole = [&](const QString &text) {
            return text.size() == 30103 && text.startsWith(first) && text.endsWith(last);
        };
        for (const char *item : {"History1", "Full1"})
            w.action(item)->trigger();
        QTest::keyClicks(w.edit, QStringLiteral("2^100000"));
        QTRY_VERIFY_WITH_TIMEOUT(w.label->text().startsWith(first), 10000);
        QTRY_VERIFY(w.history().constFirst().endsWith(last));

        clipboard()->clear();
        w.action("Copyresult1")->trigger();
        const QString copied = clipboard()->text();
        QVERIFY(isWhole(copied));
        auto *group = w.child<QGroupBox>("GroupBox1");
        for (int width : {0, 1600}) {
            if (width) w.window->resize(width, w.window->height());
            QVERIFY(w.label->text().size() < 1000);
            QVERIFY(copied.startsWith(w.label->text()));
            QCOMPARE_GE(w.label->geometry().right(), group->width());
        }

        w.grid->setCurrentCell(0, 0);
        clipboard()->clear();
        w.action("Copyresult2")->trigger();
        QVERIFY(isWhole(clipboard()->text()));
        auto *delegate = qobject_cast<ClippedItemDelegate *>(w.grid->itemDelegate());
        QVERIFY(delegate);
        QStyleOptionViewItem cell;
        cell.initFrom(w.grid->viewport());
        cell.rect = w.grid->visualRect(w.grid->model()->index(0, 1));
        delegate->initStyleOption(&cell, w.grid->model()->index(0, 1));
        QVERIFY(cell.text.size() < 1000);
        QVERIFY(copied.startsWith(cell.text));
        QCOMPARE_GE(QFontMetrics(cell.font).horizontalAdvance(cell.text), cell.rect.width());

        // The converter converts the result when it is shown and again at each pick, here
        // from meter to meter: "value m = value m", both values whole. A value this long is
        // converted on a worker thread; the line says so until the worker is done.
        w.action("Converter1")->trigger();
        auto *line = w.child<ClippedLabel>("Label7");
        const QString converted = copied + QStringLiteral(" m = ") + copied + QStringLiteral(" m");
        QCOMPARE(line->wholeText(), QStringLiteral("Calculating..."));
        QTRY_COMPARE_WITH_TIMEOUT(line->wholeText(), converted, 10000);
        line->setWholeText(QString());
        auto *to = w.child<QComboBox>("ComboBox3");
        emit to->activated(to->currentIndex());
        QTRY_COMPARE_WITH_TIMEOUT(line->wholeText(), converted, 10000);
        QVERIFY(line->text().size() < 1000);

        // A worker overtaken by a later update never shows its line.
        emit to->activated(to->currentIndex());
        QCOMPARE(line->wholeText(), QStringLiteral("Calculating..."));
        auto *panel = w.window->findChild<ConverterPanel *>();
        QVERIFY(panel);
        panel->updateConversion(QStringLiteral("3"));
        QCOMPARE(line->wholeText(), QStringLiteral("3 m = 3 m"));
        QTRY_COMPARE_WITH_TIMEOUT(ConversionThread::running(), 0, 10000);
        QCoreApplication::processEvents();
        QCOMPARE(line->wholeText(), QStringLiteral("3 m = 3 m"));
    }
};

QTEST_MAIN(EvaluationTest)
#include "evaluation_test.moc"
