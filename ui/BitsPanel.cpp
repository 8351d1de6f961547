// SPDX-License-Identifier: MIT
#include "ui/BitsPanel.h"

#include "ui/BitsThread.h"
#include "ui/ClippedText.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

// The rows: their captions and the names of their copy buttons.
constexpr std::array<const char *, 4> rowCaptions{"Decimal:", "Hexadecimal:", "Octal:", "Binary:"};
constexpr std::array<const char *, 4> rowWords{"decimal", "hexadecimal", "octal", "binary"};

// Where things stand in the group, in pixels: four rows 20 apart from the top, the line of
// meaning below them, then the grid: rows of 16 cells from the top, as many as the width
// needs (the highest bit at the top left, bit 0 at the bottom right, a gap after every four
// cells).
constexpr int rowTop = 20, rowPitch = 20, valueLeft = 92;
constexpr int copyWidth = 52, copyHeight = 19;
constexpr int summaryTop = 100;
constexpr int gridTop = 120, gridPitch = 18, cellSize = 18, cellPitch = 22, nibbleGap = 8;
constexpr int gridLeft = 34, numberWidth = 22;

int cellLeft(int bit) {
    const int column = 15 - bit % 16;
    return gridLeft + column * cellPitch + column / 4 * nibbleGap;
}

int cellTop(int bit, int width) {
    const int gridRows = (width + 15) / 16;
    return gridTop + (gridRows - 1 - bit / 16) * gridPitch;
}

QString ascii(const std::string &s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

QString cellName(int bit, bool set) {
    return QStringLiteral("bit %1, %2")
        .arg(bit)
        .arg(set ? QStringLiteral("set") : QStringLiteral("clear"));
}

} // namespace

BitsPanel::BitsPanel(QGroupBox *box) : QObject(box), group(box) {
    createControls(box);
    box->installEventFilter(this);
    placeControls();
    showView();
}

void BitsPanel::createControls(QGroupBox *box) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int top = rowTop + int(i) * rowPitch;
        captions[i] = new QLabel(QString::fromLatin1(rowCaptions[i]), box);
        captions[i]->move(8, top);
        captions[i]->adjustSize();
        rows[i] = new ClippedLabel(QStringLiteral(" "), box);
        rows[i]->setObjectName(QStringLiteral("BitsRow%1").arg(i + 1));
        rows[i]->move(valueLeft, top);
        rows[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        // No accessible name of their own: they read as the text shown, labelled by their
        // captions.
        captions[i]->setBuddy(rows[i]);
        connect(rows[i], &QWidget::customContextMenuRequested, this, [this, i](const QPoint &at) {
            QMenu menu;
            connect(menu.addAction(QStringLiteral("&Copy without grouping")), &QAction::triggered,
                    this, [this, i] { copyRow(int(i)); });
            menu.exec(rows[i]->mapToGlobal(at));
        });
    }
    summary = new ClippedLabel(QStringLiteral(" "), box);
    summary->setObjectName(QStringLiteral("BitsSummary"));
    summary->move(8, summaryTop);
    for (std::size_t i = 0; i < bitNumbers.size(); ++i) {
        bitNumbers[i] = new QLabel(box);
        bitNumbers[i]->setAlignment((i % 2 == 0 ? Qt::AlignRight : Qt::AlignLeft) |
                                    Qt::AlignVCenter);
        // The cells carry their numbers in their names; these are for the eye.
        bitNumbers[i]->setAccessibleName(QStringLiteral(" "));
    }
    for (int bit = 63; bit >= 0; --bit) {
        auto *cell = new QCheckBox(box);
        cell->setObjectName(QStringLiteral("Bit%1").arg(bit));
        cell->setGeometry(cellLeft(bit), cellTop(bit, 64), cellSize, cellSize);
        connect(cell, &QCheckBox::clicked, this, [this, bit](bool checked) { flip(bit, checked); });
        cells[std::size_t(bit)] = cell;
    }
    // Created after the rows, so that they lie above a long row's text.
    for (std::size_t i = 0; i < copyButtons.size(); ++i) {
        copyButtons[i] = new QPushButton(QStringLiteral("Copy"), box);
        copyButtons[i]->setObjectName(QStringLiteral("BitsCopy%1").arg(i + 1));
        copyButtons[i]->setAccessibleName(QStringLiteral("Copy %1").arg(rowWords[i]));
        copyButtons[i]->setToolTip(
            QStringLiteral("Copy the %1 text without grouping").arg(rowWords[i]));
        connect(copyButtons[i], &QPushButton::clicked, this, [this, i] { copyRow(int(i)); });
    }
}

void BitsPanel::placeControls() {
    for (std::size_t i = 0; i < copyButtons.size(); ++i)
        copyButtons[i]->setGeometry(group->width() - 8 - copyWidth, rowTop + int(i) * rowPitch - 3,
                                    copyWidth, copyHeight);
}

bool BitsPanel::eventFilter(QObject *watched, QEvent *event) {
    if (watched == group && event->type() == QEvent::Resize) placeControls();
    return false;
}

QList<QWidget *> BitsPanel::widgetsInTabOrder() const {
    QList<QWidget *> list(copyButtons.begin(), copyButtons.end());
    for (int bit = 63; bit >= 0; --bit)
        list.append(cells[std::size_t(bit)]);
    return list;
}

QString BitsPanel::plainRow(int row) const {
    if (waiting || view.kind != BitViewKind::integer) return QString();
    return ascii(view.rows[std::size_t(row)].plain);
}

void BitsPanel::copyRow(int row) {
    QGuiApplication::clipboard()->setText(plainRow(row));
}

void BitsPanel::showResult(const QString &text, bool shown) {
    expression = text;
    haveResult = true;
    viewMade = false;
    if (shown) refresh();
}

void BitsPanel::refresh() {
    // Shown while a new result is being made, the group waits for it.
    if (viewMade || !haveResult) return;
    viewMade = true;
    auto *worker = new BitsThread(
        this,
        [this](quint64 answered, const NumberRef &number, const BitView &made) {
            show(answered, number, made);
        },
        ++request, expression);
    worker->start(QThread::LowPriority);
}

void BitsPanel::clear() {
    ++request;
    waiting = true;
    haveResult = false;
    viewMade = false;
    value.reset();
    for (ClippedLabel *row : rows)
        row->setWholeText(QString());
    summary->setWholeText(QString());
}

void BitsPanel::show(quint64 answered, const NumberRef &number, const BitView &made) {
    if (answered != request) return;
    value = number;
    view = made;
    waiting = false;
    showView();
}

void BitsPanel::showView() {
    const bool bits = !waiting && view.kind == BitViewKind::integer;
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i]->setWholeText(bits ? ascii(view.rows[i].grouped) : QString());
    summary->setWholeText(waiting ? QString() : bits ? ascii(view.summary) : ascii(view.message));
    const int width = bits ? view.width : 0;
    for (int bit = 0; bit < 64; ++bit) {
        QCheckBox *cell = cells[std::size_t(bit)];
        const bool set = ((view.bits >> bit) & 1) != 0;
        cell->setVisible(bit < width);
        if (bit >= width) continue;
        cell->move(cellLeft(bit), cellTop(bit, width));
        cell->setChecked(set);
        cell->setAccessibleName(cellName(bit, set));
    }
    // Each grid row's first and last shown bit, beside it.
    for (int row = 0; row < 4; ++row) {
        const int low = row * 16, high = std::min(low + 15, width - 1);
        QLabel *left = bitNumbers[std::size_t(2 * row)],
               *right = bitNumbers[std::size_t(2 * row + 1)];
        left->setVisible(high >= low);
        right->setVisible(high >= low);
        if (high < low) continue;
        left->setText(QString::number(high));
        left->setGeometry(cellLeft(high) - numberWidth - 2, cellTop(high, width), numberWidth,
                          cellSize);
        right->setText(QString::number(low));
        right->setGeometry(cellLeft(low) + cellSize + 4, cellTop(low, width), numberWidth,
                           cellSize);
    }
}

void BitsPanel::flip(int bit, bool checked) {
    const std::string text = waiting || !value
                                 ? std::string()
                                 : flippedBitText(*value, bit, settings::currentOutputFormat());
    if (!text.empty()) {
        emit writeRequested(ascii(text));
        // Written, the line's change has started a new evaluation (clear); refused, the
        // cells show the result again.
        if (waiting) return;
    }
    cells[std::size_t(bit)]->setChecked(!checked);
    showView();
}
