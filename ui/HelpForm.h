#pragma once
// THelpForm: the help window, a read-only text with a short guide and examples. Created
// hidden with the application; closing it only hides it.

#include <QWidget>

class QPlainTextEdit;

class THelpForm : public QWidget {
    Q_OBJECT

public:
    explicit THelpForm(QWidget *parent = nullptr);
    QPlainTextEdit *memo() const { return Memo1; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPlainTextEdit *Memo1;
};
