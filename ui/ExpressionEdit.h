// SPDX-License-Identifier: MIT
#pragma once
// ExpressionEdit: the expression line. It keeps its selection when another control takes
// the focus, so that "Copy selection" (Ctrl+C anywhere in the window) still copies it, and
// hands every paste of its own (Shift+Insert, its context menu, the middle button) to the
// window as pasteRequested, which checks that the text fits before inserting it.

#include <QLineEdit>

class ExpressionEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    void pasteRequested(const QString &text);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
