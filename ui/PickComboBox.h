// SPDX-License-Identifier: MIT
#pragma once
// PickComboBox: a drop-down list the user picks from. It shows 20 items when opened, opens
// wide enough for its longest item (up to the screen's right edge), selects by typing the
// start of an item, closed or open (keys less than a second apart build one search text),
// and reports the user's picks with `picked`; selections made by the program report
// nothing.

#include <QComboBox>
#include <QElapsedTimer>

class PickComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PickComboBox(QWidget *parent = nullptr);

    static constexpr int keyDelayMs = 1000;
    int lastDropDownWidth() const { return dropDownWidthShown; }

signals:
    void picked(int index);

public:
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void adjustDropDownWidth();
    // The first item from the start whose text begins with the search text grown by key
    // (the search starts afresh after a pause of keyDelayMs); -1 if none does.
    int typedItem(const QString &key);

    QString search;
    QElapsedTimer sinceLastKey;
    int dropDownWidthShown = 0;
};
