#include "ui/PickComboBox.h"

#include "windowmodel/editing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

PickComboBox::PickComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
    setMaxVisibleItems(20);
    setToolTip(QString());
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

void PickComboBox::keyPressEvent(QKeyEvent *event) {
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!printable) return QComboBox::keyPressEvent(event);
    if (!sinceLastKey.isValid() || sinceLastKey.elapsed() > keyDelayMs) search.clear();
    sinceLastKey.start();
    search += text;
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(search, Qt::CaseInsensitive)) {
            if (i != currentIndex()) {
                setCurrentIndex(i);
                emit picked(i);
            }
            break;
        }
    }
    event->accept();
}
