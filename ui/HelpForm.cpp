// SPDX-License-Identifier: MIT
#include "ui/HelpForm.h"

#include "ui/fonts.h"
#include "ui/windowPlacement.h"
#include "windowmodel/helpText.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

THelpForm::THelpForm(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Help"));
    setFont(tahoma(11));
    resize(336, 456);
    move(0, 0);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    // Read-only text moves with the keyboard too: arrows, pages, Ctrl+Home and Ctrl+End.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setAccessibleName(QStringLiteral("Help text"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setGeometry(8, 8, 320, 440);
    // Filled once: showing the window again shows the same text.
    for (std::u16string_view line : helpLines())
        Memo1->appendPlainText(QString::fromUtf16(line.data(), qsizetype(line.size())));
    Memo1->moveCursor(QTextCursor::Start);
}

void THelpForm::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // Anchored on all four sides: 8 pixels from every edge.
    Memo1->setGeometry(8, 8, width() - 16, height() - 16);
}

void THelpForm::showEvent(QShowEvent *event) {
    if (!event->spontaneous() && !shownBefore) {
        shownBefore = true;
        placeFrameAtOrigin(this);
    }
    QWidget::showEvent(event);
    Memo1->setFocus();
}

void THelpForm::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) return hide();
    QWidget::keyPressEvent(event);
}
