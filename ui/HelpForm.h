// SPDX-License-Identifier: MIT
#pragma once
// THelpForm: the help window, a read-only text with a short guide and examples. Created
// hidden with the application; closing it (or Escape) only hides it. Ctrl+Home and
// Ctrl+End move to the start and the end of the text.

#include <QWidget>

class QPlainTextEdit;

class THelpForm : public QWidget {
    Q_OBJECT

public:
    explicit THelpForm(QWidget *parent = nullptr);
    QPlainTextEdit *memo() const { return Memo1; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool shownBefore = false;
    QPlainTextEdit *Memo1;
};
