// SPDX-License-Identifier: MIT
#pragma once
// ExpressionEdit: the expression line. It keeps its selection when another control takes
// the focus, so that "Copy selection" (Ctrl+C anywhere in the window) still copies it.

#include <QLineEdit>

class ExpressionEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent *event) override {
        const int start = selectionStart();
        const int length = int(selectedText().size());
        QLineEdit::focusOutEvent(event); // deselects
        if (start >= 0 && length > 0) setSelection(start, length);
    }
};
