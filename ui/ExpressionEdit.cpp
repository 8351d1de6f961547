// SPDX-License-Identifier: MIT
#include "ui/ExpressionEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

void ExpressionEdit::focusOutEvent(QFocusEvent *event) {
    const int start = selectionStart();
    const int length = int(selectedText().size());
    QLineEdit::focusOutEvent(event); // deselects
    if (start >= 0 && length > 0) setSelection(start, length);
}

void ExpressionEdit::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        emit pasteRequested(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ExpressionEdit::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Paste, named as the line names it (a shortcut may follow a tab), stops
    // calling the line's own paste.
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction *item : menu->actions()) {
        if (item->text().section(u'\t', 0, 0) != paste) continue;
        disconnect(item, nullptr, this, nullptr);
        connect(item, &QAction::triggered, this,
                [this] { emit pasteRequested(QGuiApplication::clipboard()->text()); });
    }
    menu->popup(event->globalPos());
}

void ExpressionEdit::mouseReleaseEvent(QMouseEvent *event) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        // The desktop's selection, pasted at the caret as the line itself would.
        deselect();
        emit pasteRequested(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
