// SPDX-License-Identifier: MIT
#include "ui/ConverterPanel.h"

#include "converter/conversionText.h"
#include "ui/ClippedText.h"
#include "ui/ConversionThread.h"
#include "ui/PickComboBox.h"
#include "ui/fonts.h"
#include "windowmodel/announcements.h"

#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <array>
#include <new>
#include <utility>

namespace {

// A combo box seen as one of the converter's lists. Selections made through it raise no
// change event.
class ComboList : public ConverterList {
public:
    explicit ComboList(PickComboBox *box) : box(box) {}
    void clear() override {
        QSignalBlocker block(box);
        box->clear();
    }
    void append(const std::u16string &text) override {
        QSignalBlocker block(box);
        box->addItem(QString::fromStdU16String(text));
    }
    void select(int index) override {
        QSignalBlocker block(box);
        box->setCurrentIndex(index);
    }
    int selected() const override { return box->currentIndex(); }

private:
    PickComboBox *box;
};

} // namespace

struct ConverterPanel::Lists {
    ComboList category, fromUnit, toUnit, fromPrefix, toPrefix;
};

ConverterPanel::ConverterPanel(QGroupBox *group) : QObject(group) {
    createControls(group);
    lists = std::make_unique<Lists>(Lists{ComboList(ComboBox1), ComboList(ComboBox2),
                                          ComboList(ComboBox3), ComboList(ComboBox4),
                                          ComboList(ComboBox5)});
    converter = std::make_unique<Converter>(lists->category, lists->fromUnit, lists->toUnit,
                                            lists->fromPrefix, lists->toPrefix);
    converter->initConverter();

    shownCategory = ComboBox1->currentIndex();

    // Picking the category already shown keeps the units the user chose; a new category
    // puts both unit lists on its base unit.
    connect(ComboBox1, &PickComboBox::picked, this, [this](int index) {
        if (index != shownCategory) {
            converter->fillUnits(index);
            shownCategory = index;
        }
        convertAfterPick(ComboBox1);
    });
    for (PickComboBox *box : {ComboBox2, ComboBox3, ComboBox4, ComboBox5})
        connect(box, &PickComboBox::picked, this, [this, box] { convertAfterPick(box); });
}

ConverterPanel::~ConverterPanel() = default;

void ConverterPanel::createControls(QGroupBox *group) {
    auto label = [group](const char *name, const char *text, QRect r, int fontPixels) {
        auto *l = new QLabel(QString::fromLatin1(text), group);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(tahoma(fontPixels));
        l->setGeometry(r);
        l->adjustSize(); // labels size to their text
        return l;
    };
    // Where assistive technology reads a list's value as its name (AT-SPI), its role is in
    // its description, and its caption labels it.
    auto combo = [group](const char *name, const char *role, QRect r) {
        auto *c = new PickComboBox(group);
        c->setObjectName(QString::fromLatin1(name));
        c->setAccessibleName(QString::fromLatin1(role));
        c->setAccessibleDescription(QString::fromLatin1(role));
        c->setGeometry(r);
        return c;
    };
    Label2 = label("Label2", "Physical quantity / unit category:", QRect(10, 24, 159, 13), 11);
    // Created in tab order. The category list keeps its designed right edge and at least
    // the designed gap to its caption, which a fallback font wider than Tahoma lengthens.
    constexpr int categoryRight = 190 + 236, designedGap = 190 - (10 + 159);
    const int categoryLeft = std::max(190, Label2->x() + Label2->width() + designedGap);
    ComboBox1 =
        combo("ComboBox1", "Category", QRect(categoryLeft, 20, categoryRight - categoryLeft, 21));
    ComboBox2 = combo("ComboBox2", "From unit", QRect(40, 79, 181, 21));
    ComboBox3 = combo("ComboBox3", "To unit", QRect(245, 79, 181, 21));
    ComboBox4 = combo("ComboBox4", "From prefix", QRect(40, 52, 181, 21));
    ComboBox5 = combo("ComboBox5", "To prefix", QRect(245, 52, 181, 21));
    Label3 = label("Label3", "From", QRect(10, 82, 28, 13), 11);
    Label4 = label("Label4", "To", QRect(227, 82, 16, 13), 11);
    Label2->setBuddy(ComboBox1);
    Label3->setBuddy(ComboBox2);
    Label4->setBuddy(ComboBox3);
    // The prefix lists have no caption on the screen; these are for assistive technology
    // only, drawn nowhere (no size), so that each list is labelled by a caption of its own.
    for (auto [box, caption] : {std::pair{ComboBox4, "From prefix"}, {ComboBox5, "To prefix"}}) {
        auto *l = new QLabel(QString::fromLatin1(caption), group);
        l->setGeometry(box->x(), box->y(), 0, 0);
        l->setBuddy(box);
    }
    Label6 = label("Label6", "Result: ", QRect(8, 108, 46, 16), 13);
    Label7 = new ClippedLabel(QStringLiteral(" "), group);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setFont(tahoma(13));
    Label6->setBuddy(Label7); // an empty line reads as its caption
    Label7->move(std::max(54, Label6->x() + Label6->width() + 2), 108);
    Label7->adjustSize();
}

std::array<QWidget *, 5> ConverterPanel::listsInTabOrder() const {
    return {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5};
}

void ConverterPanel::updateConversion(const QString &text) {
    const quint64 request = ++conversionRequest;
    value = text;
    std::optional<ConversionUnits> units =
        conversionUnits(*converter, ComboBox2->currentIndex(), ComboBox4->currentIndex(),
                        ComboBox3->currentIndex(), ComboBox5->currentIndex());
    if (!units) {
        Label7->setWholeText(QString());
        return;
    }
    const OutputFormat format = settings::currentOutputFormat();
    if (value.size() <= longValueLength) {
        Label7->setWholeText(
            QString::fromStdU16String(conversionLine(value.toStdU16String(), *units, format)));
        return;
    }
    Label7->setWholeText(QStringLiteral("Calculating..."));
    auto *worker = new ConversionThread(
        this, [this](quint64 answered, const QString &line) { showConversion(answered, line); },
        request, value.toStdU16String(), std::move(*units), format);
    worker->start(QThread::LowPriority);
}

void ConverterPanel::convertAfterPick(const PickComboBox *box) {
    updateConversion(value);
    emit announcement(QString::fromStdU16String(
        ::announcement(box->currentText().toStdU16String(), Label7->wholeText().toStdU16String())));
}

QString ConverterPanel::line() const {
    return Label7->wholeText();
}

void ConverterPanel::showConversion(quint64 request, const QString &line) {
    if (request != conversionRequest) return;
    Label7->setWholeText(line);
    emit announcement(QString::fromStdU16String(spokenText(line.toStdU16String())));
}

void ConverterPanel::clearConversion() {
    ++conversionRequest;
    value.clear();
    Label7->setWholeText(QString());
}
