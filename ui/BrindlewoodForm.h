// SPDX-License-Identifier: MIT
#pragma once
// TBrindlewoodForm: the About window with the maker's logo, the version line, the author
// and the contact line. Created hidden with the application; closing it (or Escape) only
// hides it.

#include <QWidget>

class QLabel;

class TBrindlewoodForm : public QWidget {
    Q_OBJECT

public:
    explicit TBrindlewoodForm(QWidget *parent = nullptr);
    QLabel *versionLabel() const { return Label1; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool shownBefore = false;
    QLabel *Image1, *Label1, *Label2, *Label3;
};
