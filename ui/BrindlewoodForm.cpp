// SPDX-License-Identifier: MIT
#include "ui/BrindlewoodForm.h"

#include "ui/applicationIcon.h"
#include "ui/fonts.h"
#include "ui/windowPlacement.h"
#include "windowmodel/helpText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>

namespace {

QString qs(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

} // namespace

TBrindlewoodForm::TBrindlewoodForm(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("BrindlewoodForm"));
    setWindowTitle(QStringLiteral("brindlewood - Reckonwise"));
    setFont(tahoma(11));
    resize(357, 102);
    move(0, 0);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 81, 89);
    Image1->setAccessibleName(QStringLiteral("Logo"));
    Image1->setAttribute(Qt::WA_TranslucentBackground);
    Image1->setPixmap(aboutLogo());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto label = [this](const char *name, const QString &text, int top) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->move(104, top);
        l->adjustSize();
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Reckonwise"), 16);
    Label2 = label("Label2", qs(authorLine), 35);
    Label3 = label("Label3", qs(contactLine), 54);
}

void TBrindlewoodForm::showEvent(QShowEvent *event) {
    if (!event->spontaneous() && !shownBefore) {
        shownBefore = true;
        placeFrameAtOrigin(this);
    }
    QWidget::showEvent(event);
}

void TBrindlewoodForm::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) return hide();
    QWidget::keyPressEvent(event);
}
