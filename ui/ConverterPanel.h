// SPDX-License-Identifier: MIT
#pragma once
// The converter panel inside the "Converter" group box: category, prefix and unit lists,
// and the line that shows the current result converted from one unit to another.

#include "converter/Converter.h"

#include <QObject>
#include <QtGlobal>
#include <array>
#include <memory>

class ClippedLabel;
class PickComboBox;
class QGroupBox;
class QLabel;
class QWidget;

class ConverterPanel : public QObject {
    Q_OBJECT

public:
    // Builds the panel's controls in group and fills its lists.
    explicit ConverterPanel(QGroupBox *group);
    ~ConverterPanel() override;

    // Recomputes the conversion line from value (a result text) and the selections, and
    // keeps value for the picks that follow. A long
    // value (millions of digits take seconds) is converted on a worker thread, and the line
    // shows "Calculating..." until it is done; a later update or clear overrides it.
    void updateConversion(const QString &value);

    // Values longer than this many characters are converted on a worker thread.
    static constexpr qsizetype longValueLength = 20000;
    // Empties the line and forgets the value (a new evaluation has started).
    void clearConversion();

    // The conversion line as shown, whole.
    QString line() const;

    Converter &model() { return *converter; }
    // The five lists in their tab order: category, from unit, to unit, from prefix, to
    // prefix.
    std::array<QWidget *, 5> listsInTabOrder() const;

signals:
    // What a screen reader is to say while the focus stays where it is: the item picked in
    // a list with the new line, or a line that a worker delivered. A line that comes with
    // a new result is told by the window, with the result.
    void announcement(const QString &text);

private:
    void createControls(QGroupBox *group);
    // updateConversion after a pick in box, telling of the item and the new line.
    void convertAfterPick(const PickComboBox *box);

    // Shows a worker's line if it answers the latest update (request counts the updates).
    void showConversion(quint64 request, const QString &line);

    ClippedLabel *Label7;
    QLabel *Label2, *Label3, *Label4, *Label6;
    PickComboBox *ComboBox1, *ComboBox2, *ComboBox3, *ComboBox4, *ComboBox5;
    struct Lists;
    std::unique_ptr<Lists> lists;
    std::unique_ptr<Converter> converter;
    // Counts the updates; a worker's line is shown only if no update came after it.
    quint64 conversionRequest = 0;
    QString value;         // the result text last converted
    int shownCategory = 0; // the category whose units the unit lists hold
};
