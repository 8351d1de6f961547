// SPDX-License-Identifier: MIT
#pragma once
// What the window tests share: a fresh main window per test with its controls found by
// name, the history grid read back as "expression=result" texts, and the settings and the
// worker hook put back to their defaults around every test.

#include "number/Settings.h"
#include "ui/NumberThread.h"
#include "ui/ReckonwiseMainForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QTest>
#include <memory>

inline void resetSettings() {
    settings::setOutputFormat(Normal);
    settings::setAngleUnit(Degrees);
    settings::setValueRange(0, true);
    NumberThread::minimumDurationForTests = 0;
}

struct WindowUnderTest {
    std::unique_ptr<TReckonwiseMainForm> window;
    QLineEdit *edit = nullptr;
    QLabel *label = nullptr;
    QTableWidget *grid = nullptr;

    // Called from init(): QVERIFY failures here skip the test.
    void open() {
        resetSettings();
        window = std::make_unique<TReckonwiseMainForm>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        edit = child<QLineEdit>("Edit1");
        label = child<QLabel>("Label5");
        grid = child<QTableWidget>("StringGrid1");
    }

    // Called from cleanup(): no worker may outlive the window or the application.
    void close() {
        QTRY_COMPARE_WITH_TIMEOUT(NumberThread::running(), 0, 20000);
        window.reset();
        resetSettings();
    }

    template <typename T>
    T *child(const char *name) const {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found) qFatal("no %s named %s", T::staticMetaObject.className(), name);
        return found;
    }
    QAction *action(const char *name) const { return child<QAction>(name); }
    QPushButton *button(int n) const {
        return child<QPushButton>(QStringLiteral("Button%1").arg(n).toLatin1().constData());
    }

    // Every data row of the history as "expression=result".
    QStringList history() const {
        QStringList rows;
        auto cell = [this](int row, int column) {
            const QTableWidgetItem *item = grid->item(row, column);
            return item ? item->text() : QString();
        };
        for (int row = 0; row < grid->rowCount(); ++row)
            rows << cell(row, 0) + u'=' + cell(row, 1);
        return rows;
    }
};

inline QClipboard *clipboard() {
    return QGuiApplication::clipboard();
}

// The expression line as a marked text: "[...]" around the selection, else "|" at the caret.
inline QString marked(const QLineEdit *edit) {
    QString text = edit->text();
    if (!edit->hasSelectedText()) return text.insert(edit->cursorPosition(), u'|');
    return text.insert(edit->selectionEnd(), u']').insert(edit->selectionStart(), u'[');
}

// Sets the line from a marked text without giving it the focus; no mark: caret at the end.
inline void setMarked(QLineEdit *edit, QString text) {
    const qsizetype open = text.indexOf(u'['), close = text.indexOf(u']');
    const qsizetype caret = text.indexOf(u'|');
    text.remove(u'[').remove(u']').remove(u'|');
    edit->setText(text);
    if (caret >= 0) edit->setCursorPosition(int(caret));
    if (open >= 0) edit->setSelection(int(open), int(close - open - 1));
}
