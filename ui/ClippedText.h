// SPDX-License-Identifier: MIT
#pragma once
// Texts that may be millions of characters long (a result in the Full format) in controls
// that show only their start: the result labels, cut off at their group box's right edge,
// and the history grid's cells. Laying out such a text whole takes the GUI thread about a
// second, so these controls lay out only a start of it that surely reaches their edge and
// keep the whole text for whoever reads it (the clipboard commands, the converter).

#include <QLabel>
#include <QStyledItemDelegate>

// The start of text that is at least width pixels wide in font, or all of text when that
// is shorter. Never measures more than a few times the characters that fit in width.
QString startReachingWidth(const QString &text, const QFont &font, int width);

// A one-line plain-text label sized to what it shows: the start of its whole text that
// reaches past its parent's right edge, cut again when the parent is resized.
class ClippedLabel : public QLabel {
    Q_OBJECT

public:
    ClippedLabel(const QString &text, QWidget *parent);

    void setWholeText(const QString &text);
    const QString &wholeText() const { return whole; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showStart();

    QString whole;
};

// Draws each cell's text cut to the start that reaches past the cell's right edge; the
// model keeps the whole text.
class ClippedItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Public, so that what a cell draws can be looked at.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
