// SPDX-License-Identifier: MIT
#include "ui/PickComboBox.h"

#include "windowmodel/editing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

PickComboBox::PickComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
    setMaxVisibleItems(20);
    // Some styles (Fusion among them) open the list over the current item at its full
    // length, ignoring the count of visible items; a plain drop-down keeps the count.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setToolTip(QString());
    // The open list's own type-to-select waits only the application's key interval.
    view()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, &PickComboBox::picked);
}

void PickComboBox::adjustDropDownWidth() {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    // The room to the right edge of the screen that shows the active window.
    QWidget *active = QApplication::activeWindow();
    QScreen *screen = active ? active->screen() : this->screen();
    int room = 0;
    if (screen) room = screen->geometry().right() + 1 - mapToGlobal(QPoint(0, 0)).x();
    dropDownWidthShown = dropDownWidth(widest, room, width());
}

void PickComboBox::showPopup() {
    adjustDropDownWidth();
    view()->setMinimumWidth(dropDownWidthShown);
    QComboBox::showPopup();
    if (QWidget *popup = view()->window(); popup && popup != window())
        popup->setFixedWidth(dropDownWidthShown);
}

namespace {

QString typedText(const QKeyEvent *event) {
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    return printable ? text : QString();
}

} // namespace

int PickComboBox::typedItem(const QString &key) {
    if (!sinceLastKey.isValid() || sinceLastKey.elapsed() > keyDelayMs) search.clear();
    sinceLastKey.start();
    search += key;
    for (int i = 0; i < count(); ++i)
        if (itemText(i).startsWith(search, Qt::CaseInsensitive)) return i;
    return -1;
}

void PickComboBox::keyPressEvent(QKeyEvent *event) {
    const QString key = typedText(event);
    if (key.isEmpty()) return QComboBox::keyPressEvent(event);
    if (int i = typedItem(key); i >= 0 && i != currentIndex()) {
        setCurrentIndex(i);
        emit picked(i);
    }
    event->accept();
}

bool PickComboBox::eventFilter(QObject *watched, QEvent *event) {
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const QString key = typedText(static_cast<QKeyEvent *>(event));
        if (key.isEmpty()) return false;
        // In the open list the found item is highlighted; Enter or a click picks it.
        if (int i = typedItem(key); i >= 0) view()->setCurrentIndex(model()->index(i, 0));
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}
