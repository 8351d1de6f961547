// SPDX-License-Identifier: MIT
#include "ui/ClippedText.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

namespace {

// Characters taken beyond those the width can hold: the margin past the edge.
constexpr qsizetype spareCharacters = 16;

// The narrowest printable ASCII character; result texts are made of those.
int narrowestAdvance(const QFontMetrics &metrics) {
    int narrowest = metrics.horizontalAdvance(QLatin1Char(' '));
    for (char c = '!'; c <= '~'; ++c)
        narrowest = std::min(narrowest, metrics.horizontalAdvance(QLatin1Char(c)));
    return std::max(narrowest, 1);
}

} // namespace

QString startReachingWidth(const QString &text, const QFont &font, int width) {
    if (text.size() <= spareCharacters) return text; // most texts: nothing to measure
    const QFontMetrics metrics(font);
    qsizetype length = std::max(width, 0) / narrowestAdvance(metrics) + spareCharacters;
    // The estimate holds for ASCII texts; narrower characters (or kerning) make the start
    // fall short of the edge, and a longer start is measured.
    for (; length < text.size(); length *= 2) {
        const qsizetype cut = text.at(length - 1).isHighSurrogate() ? length + 1 : length;
        QString start = text.first(cut);
        if (metrics.horizontalAdvance(start) >= width) return start;
    }
    return text;
}

ClippedLabel::ClippedLabel(const QString &text, QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    parent->installEventFilter(this);
    setWholeText(text);
}

void ClippedLabel::setWholeText(const QString &text) {
    whole = text;
    showStart();
}

void ClippedLabel::showStart() {
    setText(startReachingWidth(whole, font(), parentWidget()->width() - x()));
    adjustSize();
}

bool ClippedLabel::eventFilter(QObject *watched, QEvent *event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) showStart();
    return false;
}

void ClippedLabel::changeEvent(QEvent *event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) showStart();
}

void ClippedItemDelegate::initStyleOption(QStyleOptionViewItem *option,
                                          const QModelIndex &index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = startReachingWidth(option->text, option->font, option->rect.width());
}
