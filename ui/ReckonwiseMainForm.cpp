// SPDX-License-Identifier: MIT
#include "ui/ReckonwiseMainForm.h"

#include "number/outputFormats.h"
#include "number/textUtils.h"
#include "ui/Announcer.h"
#include "ui/BitsPanel.h"
#include "ui/BrindlewoodForm.h"
#include "ui/ClippedText.h"
#include "ui/ConverterPanel.h"
#include "ui/ExpressionEdit.h"
#include "ui/GridScrollLink.h"
#include "ui/HelpForm.h"
#include "ui/StringGrid.h"
#include "ui/accessibleInterfaces.h"
#include "ui/applicationIcon.h"
#include "ui/fonts.h"
#include "ui/windowPlacement.h"
#include "windowmodel/announcements.h"
#include "windowmodel/buttonPad.h"
#include "windowmodel/editing.h"
#include "windowmodel/groupArrangement.h"
#include "windowmodel/helpText.h"
#include "windowmodel/spokenNames.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <cstdlib>

namespace {

QString qs(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

// Shows Help or About without blocking the calculator, or brings it forward.
void showSecondaryWindow(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}

QString stripped(const QString &text) {
    return QString::fromStdU16String(stripWhiteSpace(text.toStdU16String()));
}

// The designed client area; the group boxes keep 8 pixels to the left and right edges.
constexpr int designedClientWidth = 568;
constexpr int designedClientHeight = 689;

} // namespace

TReckonwiseMainForm::TReckonwiseMainForm(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("ReckonwiseMainForm"));
    installAccessibleInterfaces();
    setFont(tahoma(11));

    // Construction order: worker state, timer, title, history grid, converter, buttons.
    lastExpression.clear();
    CalculatingTimer = new QTimer(this);
    CalculatingTimer->setObjectName(QStringLiteral("CalculatingTimer"));
    CalculatingTimer->setSingleShot(true);
    CalculatingTimer->setInterval(1000);
    connect(CalculatingTimer, &QTimer::timeout, this, &TReckonwiseMainForm::CalculatingTimerTick);
    CalculatingTimer->start();
    // Once the window system's events of one change are all in, whichever comes first.
    heightCheck = new QTimer(this);
    heightCheck->setSingleShot(true);
    heightCheck->setInterval(200);
    connect(heightCheck, &QTimer::timeout, this, &TReckonwiseMainForm::keepHeight);

    // The application's name, not its display name: Qt would add the display name to the
    // caption of every other window ("Help — Reckonwise").
    setWindowTitle(QStringLiteral("Reckonwise"));
    QApplication::setApplicationName(QStringLiteral("Reckonwise"));
    // Task bars and compositors find the icon through the desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.reckonwise.Reckonwise"));
    QApplication::setWindowIcon(applicationIcon());

    createControls();
    createMenus();
    createHistory();
    converterPanel = new ConverterPanel(GroupBox3);
    bitsPanel = new BitsPanel(GroupBox5);
    connect(bitsPanel, &BitsPanel::writeRequested, this, &TReckonwiseMainForm::writeBitsValue);
    connect(converterPanel, &ConverterPanel::announcement, announcer, &Announcer::announce);
    createButtonPad();
    orderTabStops();

    help = new THelpForm(this);
    about = new TBrindlewoodForm(this);

    resize(designedClientWidth, designedClientHeight);
    move(0, 0);
    qApp->installEventFilter(this);
}

TReckonwiseMainForm::~TReckonwiseMainForm() {
    qApp->removeEventFilter(this);
}

void TReckonwiseMainForm::createControls() {
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);

    auto group = [client](const char *name, const char *caption, int top, int height) {
        auto *g = new QGroupBox(QString::fromLatin1(caption), client);
        g->setObjectName(QString::fromLatin1(name));
        g->setGeometry(8, top, designedClientWidth - 16, height);
        return g;
    };
    GroupBox1 = group("GroupBox1", "Give a numerical expression", 8, 89);
    GroupBox2 = group("GroupBox2", "Buttons", 103, 224);
    GroupBox3 = group("GroupBox3", "Converter", 333, 132);
    GroupBox4 = group("GroupBox4", "History", 471, 210);
    GroupBox5 = group("GroupBox5", "Bits", 686, bitsGroupHeight);
    GroupBox2->hide();
    GroupBox3->hide();
    GroupBox4->hide();
    GroupBox5->hide();

    Edit1 = new ExpressionEdit(GroupBox1);
    Edit1->setMaxLength(lineMaxLength);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(tahoma(13));
    Edit1->setGeometry(8, 18, 532, 24);
    Edit1->setAccessibleName(QStringLiteral("Expression"));
    connect(Edit1, &QLineEdit::textChanged, this, &TReckonwiseMainForm::Edit1Change);

    Label1 = new QLabel(QStringLiteral("Result: "), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(tahoma(13));
    Label1->move(8, 57);
    Label1->adjustSize();

    Label5 = new ClippedLabel(QStringLiteral(" "), GroupBox1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setFont(tahoma(13));
    Label5->setTextInteractionFlags(Qt::NoTextInteraction);
    // No accessible name of its own: assistive technology reads the text shown, and hears
    // of every change (a label announces its changed text while it has no set name). The
    // caption labels it; an empty result reads as the caption.
    Label1->setBuddy(Label5);
    // Designed at 54; a fallback font wider than Tahoma pushes it right of "Result: ".
    Label5->move(std::max(54, Label1->x() + Label1->width() + 2), 57);
    Label5->adjustSize();

    // A label's changed text is not spoken unless the label has the focus; each new result
    // is announced instead, so the focus stays in the line.
    announcer = new Announcer(client);
}

void TReckonwiseMainForm::createButtonPad() {
    for (int i = 0; i < padButtonCount; ++i) {
        const PadButton &b = padButtons[std::size_t(i)];
        // "&" would mark a mnemonic; doubled, it shows as itself.
        auto *button =
            new QPushButton(qs(b.caption).replace(u'&', QStringLiteral("&&")), GroupBox2);
        button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        button->setGeometry(b.left, b.top, b.width, b.height);
        if (const std::u16string spoken = spokenName(b.caption); !spoken.empty())
            button->setAccessibleName(qs(spoken));
        // A click must not take the focus: the line would drop its selection, and the
        // button would insert at the caret instead of replacing the selected characters.
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, &b] {
            if (b.caret == CaretAfterInsert::selectAll) return SelectAll();
            InsertText(qs(b.inserts));
            if (b.caret == CaretAfterInsert::inside) Edit1->cursorBackward(false);
        });
        buttons[std::size_t(i)] = button;
    }
    buttons[59]->setDefault(true);
}

void TReckonwiseMainForm::orderTabStops() {
    // Controls were created in another order; hidden groups drop out of the chain by
    // themselves. Inside the pad the buttons follow their numbers.
    QList<QWidget *> stops{Edit1};
    stops.append(QList<QWidget *>(buttons.begin(), buttons.end()));
    for (QWidget *list : converterPanel->listsInTabOrder())
        stops.append(list);
    stops.append(StringGrid1);
    stops.append(bitsPanel->widgetsInTabOrder());
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void TReckonwiseMainForm::createMenus() {
    QMenuBar *bar = menuBar();
    auto menu = [](QMenuBar *owner, const char *name, const char *caption) {
        QMenu *m = owner->addMenu(QString::fromLatin1(caption));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [](QMenu *m, const char *name, const char *caption) {
        QAction *a = m->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    // Every menu and item has a mnemonic (the letter after "&"), so that all of them are
    // reached from the keyboard; the captions shown stay the same.
    QMenu *file = menu(bar, "File1", "&File");
    connect(item(file, "Exit1", "E&xit"), &QAction::triggered, this, &QWidget::close);

    // "Edit1" is the expression line, so the Edit menu is the second of that name.
    QMenu *edit = menu(bar, "Edit2", "&Edit");
    Copyselection1 = item(edit, "Copyselection1", "Copy &selection");
    Copyselection1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(Copyselection1, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(Edit1->selectedText()); });
    connect(item(edit, "Copyexpression1", "Copy &expression"), &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(Edit1->text()); });
    connect(item(edit, "Copyresult1", "Copy &result"), &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(Label5->wholeText()); });
    // The converter's line as shown ("5 ft = 1,524 m"), whole; there is one only while the
    // converter is shown.
    Copyconversion1 = item(edit, "Copyconversion1", "Copy &conversion");
    Copyconversion1->setEnabled(false);
    connect(Copyconversion1, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(converterPanel->line()); });
    Paste1 = item(edit, "Paste1", "&Paste");
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(Paste1, &QAction::triggered, this,
            [this] { Paste(QGuiApplication::clipboard()->text()); });
    // The line's own ways of pasting (its context menu, Shift+Insert, the middle button's
    // selection) go through the same check.
    connect(Edit1, &ExpressionEdit::pasteRequested, this, &TReckonwiseMainForm::Paste);

    QMenu *show = menu(bar, "Show1", "&Show");
    Buttons1 = item(show, "Buttons1", "&Buttons");
    Converter1 = item(show, "Converter1", "&Converter");
    History1 = item(show, "History1", "&History");
    Bits1 = item(show, "Bits1", "B&its");
    for (QAction *a : {Buttons1, Converter1, History1, Bits1}) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, &TReckonwiseMainForm::ArrangeGroups);
    }

    QMenu *settingsMenu = menu(bar, "Settings1", "Se&ttings");
    auto submenu = [settingsMenu](const char *name, const char *caption) {
        QMenu *m = settingsMenu->addMenu(QString::fromLatin1(caption));
        m->setObjectName(QString::fromLatin1(name));
        auto *group = new QActionGroup(m);
        group->setExclusive(true);
        return std::pair{m, group};
    };
    // Every Settings item sets its value and evaluates the line again, even when it was
    // already checked.
    auto setting = [this, &item](std::pair<QMenu *, QActionGroup *> sub, const char *name,
                                 const char *caption, bool checked, auto apply) {
        QAction *a = item(sub.first, name, caption);
        a->setCheckable(true);
        a->setChecked(checked);
        sub.second->addAction(a);
        connect(a, &QAction::triggered, this, [this, apply] {
            apply();
            StartEvaluation(true);
        });
    };

    auto formats = submenu("Outputformat1", "&Output format");
    for (const OutputFormatRow &f : outputFormats) {
        // The item's name is its caption and "1": "Normal1", "Hexadecimal1".
        const QString caption = qs(f.menuCaption);
        const QByteArray name = (QString(caption).remove(u'&') + u'1').toLatin1();
        const QByteArray text = caption.toLatin1();
        OutputFormat format = f.format;
        setting(formats, name.constData(), text.constData(), format == Normal,
                [format] { settings::setOutputFormat(format); });
    }

    auto angles = submenu("Angleunits1", "&Angle units");
    struct AngleItem {
        const char *name, *caption;
        AngleUnit unit;
    };
    for (const AngleItem &u : {AngleItem{"Degrees1", "&Degrees", Degrees},
                               {"Radians1", "&Radians", Radians},
                               {"Grads1", "&Grads", Grads}}) {
        AngleUnit unit = u.unit;
        setting(angles, u.name, u.caption, unit == Degrees,
                [unit] { settings::setAngleUnit(unit); });
    }

    auto ranges = submenu("Valuerange1", "&Value range");
    struct RangeItem {
        const char *name, *caption;
        int bits;
        bool isSigned;
    };
    for (const RangeItem &r :
         {RangeItem{"Unlimitedusebigintsfloats1", "&Unlimited (use bigints/floats)", 0, true},
          {"unsignedchar8bits1", "unsigned &char (8 bits)", 8, false},
          {"signedchar8bits1", "signed c&har (8 bits)", 8, true},
          {"unsignedshort16bits1", "unsigned &short (16 bits)", 16, false},
          {"signedshort16bits1", "signed sh&ort (16 bits)", 16, true},
          {"unsignedlong32bits1", "unsigned &long (32 bits)", 32, false},
          {"signedlong32bits1", "signed lo&ng (32 bits)", 32, true},
          {"unsignedlonglong64bits1", "unsigned long lon&g (64 bits)", 64, false},
          {"signedlonglong64bits1", "signed long long (6&4 bits)", 64, true}}) {
        int bits = r.bits;
        bool isSigned = r.isSigned;
        setting(ranges, r.name, r.caption, bits == 0,
                [bits, isSigned] { settings::setValueRange(bits, isSigned); });
    }

    QMenu *helpMenu = menu(bar, "Help1", "&Help");
    QAction *helpItem = item(helpMenu, "Help2", "&Help");
    helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpItem, &QAction::triggered, this, [this] { showSecondaryWindow(help); });
    connect(item(helpMenu, "About1", "&About"), &QAction::triggered, this, [this] {
        about->versionLabel()->setText(qs(versionText));
        about->versionLabel()->adjustSize();
        showSecondaryWindow(about);
    });
}

void TReckonwiseMainForm::layoutChildren() {
    QWidget *client = centralWidget();
    const int width = client->width() - 16;
    for (QGroupBox *g : {GroupBox1, GroupBox2, GroupBox3, GroupBox4, GroupBox5})
        g->resize(width, g->height());
    Edit1->resize(GroupBox1->width() - 20, Edit1->height());
    if (!GroupBox4->isHidden()) {
        int height = client->height() - GroupBox4->y() - historyBottomMargin;
        GroupBox4->resize(width, std::max(height, 40));
    }
    Panel1->setGeometry(8, 16, GroupBox4->width() - 20, GroupBox4->height() - 25);
    // Below a history that follows the window's height, the bits group follows its bottom.
    if (!GroupBox4->isHidden() && !GroupBox5->isHidden())
        GroupBox5->move(8, GroupBox4->y() + GroupBox4->height() + 5);
}

// Installed on the application: it sees every event of every object first.
bool TReckonwiseMainForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        layoutChildren();
        return false;
    }
    if (watched == StringGrid1->viewport()) {
        // A right click opens the history's menu without changing the current row.
        if ((event->type() == QEvent::MouseButtonPress ||
             event->type() == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            return true;
        if (event->type() == QEvent::ContextMenu) {
            showHistoryMenuAt(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
        return false;
    }
    if (watched == StringGrid1 && event->type() == QEvent::ContextMenu) {
        // From the keyboard (the menu key): the menu opens at the current row.
        showHistoryMenuAtCurrentRow();
        return true;
    }
    // The window sees every key of its own controls before they do. Events of other objects
    // (a worker's delivery, posted from its thread) are not read at all.
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this) return false;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress && widget == StringGrid1 && key->key() == Qt::Key_F10 &&
        key->modifiers() == Qt::ShiftModifier) {
        // Shift+F10 is the other key for a context menu; Qt turns only the menu key into one.
        showHistoryMenuAtCurrentRow();
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        (key->modifiers() & Qt::ControlModifier) && !(key->modifiers() & Qt::AltModifier)) {
        // Ctrl+Tab leaves a control as Tab does (no control here uses it for itself).
        focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool control = key->modifiers() == Qt::ControlModifier;
    const bool copy = control && key->key() == Qt::Key_C;
    const bool paste = control && key->key() == Qt::Key_V;
    if (!enter && !copy && !paste) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed here so that neither the line's own editing keys nor the shortcut map take
        // them; the key press that follows runs the command once.
        event->accept();
        return true;
    }
    if (enter)
        SelectAll();
    else if (copy)
        Copyselection1->trigger();
    else
        Paste1->trigger();
    return true;
}

void TReckonwiseMainForm::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TReckonwiseMainForm::FormShow() {
    ArrangeGroups();
    if (!shownBefore) {
        shownBefore = true;
        // The designed place is the frame's top-left corner, title bar included; a resize
        // of the shown window would otherwise make (0, 0) the place of its client area.
        placeFrameAtOrigin(this);
    }
    Edit1->setFocus();
}

void TReckonwiseMainForm::showHistoryMenuAt(const QPoint &globalPosition) {
    PopupMenu1->popup(globalPosition);
}

void TReckonwiseMainForm::showHistoryMenuAtCurrentRow() {
    const QRect row = StringGrid1->visualRect(StringGrid1->currentIndex());
    const QPoint at = row.isValid() ? row.bottomLeft() : QPoint(0, 0);
    showHistoryMenuAt(StringGrid1->viewport()->mapToGlobal(at));
}

void TReckonwiseMainForm::closeEvent(QCloseEvent *event) {
    QMainWindow::closeEvent(event);
    // Closing the calculator ends the application, even with Help or About open.
    help->hide();
    about->hide();
    QCoreApplication::quit();
}

void TReckonwiseMainForm::Edit1Change() {
    StartEvaluation(false);
}

void TReckonwiseMainForm::StartEvaluation(bool force) {
    const QString s = stripped(Edit1->text());
    if (!force && s == lastExpression) return;
    lastExpression = s;

    // An overtaken worker is not stopped: it goes on at the lowest priority, forgotten.
    if (currentWorker && currentWorker->isRunning())
        currentWorker->setPriority(QThread::IdlePriority);
    currentWorker = nullptr;

    Label5->setWholeText(QString());
    converterPanel->clearConversion();
    bitsPanel->clear();
    UpdateHistory();

    auto *worker = new NumberThread(
        s, this,
        [this](const QString &result, const QString &expression, const ResultSettings &under) {
            ShowResult(result, expression, under);
        });
    currentWorker = worker;
    worker->start();

    CalculatingTimer->stop();
    CalculatingTimer->setInterval(1000);
    CalculatingTimer->start();
}

void TReckonwiseMainForm::CalculatingTimerTick() {
    if (currentWorker && currentWorker->isRunning() && Label5->wholeText().isEmpty()) {
        Label5->setWholeText(QStringLiteral("Calculating..."));
        announcer->announce(Label5->wholeText());
    }
    CalculatingTimer->stop();
}

void TReckonwiseMainForm::ShowResult(const QString &result, const QString &expression,
                                     const ResultSettings &computedUnder) {
    // A worker abandoned by a Settings change carries the same text as its successor;
    // its result belongs to the old setting and is not shown.
    if (stripped(Edit1->text()) == expression && computedUnder == ResultSettings::current()) {
        Label5->setWholeText(result);
        const bool converting = GroupBox3->isVisibleTo(this);
        if (converting) updateConversion(result);
        announcer->announce(qs(
            announcement(result.toStdU16String(),
                         converting ? converterPanel->line().toStdU16String() : std::u16string())));
        bitsPanel->showResult(expression, GroupBox5->isVisibleTo(this));
    }
    for (int row = 1; row < historyRowCount(); ++row) {
        if (historyCell(row, 1).isEmpty() && stripped(historyCell(row, 0)) == expression)
            setHistoryCell(row, 1, result);
    }
}

void TReckonwiseMainForm::InsertText(const QString &s) {
    int start = Edit1->hasSelectedText() ? Edit1->selectionStart() : Edit1->cursorPosition();
    Insertion insertion = insertText(Edit1->text().toStdU16String(), start,
                                     int(Edit1->selectedText().size()), s.toStdU16String());
    Edit1->setText(QString::fromStdU16String(insertion.text));
    Edit1->setFocus();
    Edit1->setCursorPosition(insertion.caret);
}

void TReckonwiseMainForm::Paste(const QString &text) {
    const std::u16string refusal =
        pasteRefusal(int(Edit1->text().size()), int(Edit1->selectedText().size()), int(text.size()),
                     Edit1->maxLength());
    if (refusal.empty()) return InsertText(text);
    // Cut, the text would be a different number: the line stays as it was, and the user
    // is told why in a message a screen reader reads out.
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Reckonwise"), qs(refusal),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("PasteRefused"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TReckonwiseMainForm::SelectAll() {
    Edit1->setFocus();
    Edit1->selectAll();
    addHistoryRow();
}

int TReckonwiseMainForm::frameHeight() const {
    // Known once the window system has framed the window; until then the designed one.
    const int frame = frameGeometry().height() - geometry().height();
    return frame > 0 ? frame : designedFrameHeight;
}

std::array<TReckonwiseMainForm::OptionalGroup, 4> TReckonwiseMainForm::optionalGroups() const {
    // Only the history's grid can show fewer rows; the bits group below it keeps its height.
    return {{{Buttons1, GroupBox2, {GroupBox2->height(), GroupBox2->height()}},
             {Converter1, GroupBox3, {GroupBox3->height(), GroupBox3->height()}},
             {History1, GroupBox4, {historyGroupHeight, historyLeastHeight}},
             {Bits1, GroupBox5, {bitsGroupHeight, bitsGroupHeight}}}};
}

GroupArrangement TReckonwiseMainForm::arrangementFor(int frame) const {
    std::vector<GroupHeights> shown;
    for (const OptionalGroup &g : optionalGroups())
        if (g.item->isChecked()) shown.push_back(g.heights);
    // The window with its frame fits the screen it is on, the panels left out: on a low or
    // scaled screen the history gives up what is missing.
    const QScreen *on = screen();
    int room = on ? on->availableGeometry().height() : 0;
    // At a fractional scale the screen's and the frame's heights are each rounded to whole
    // pixels; one pixel less keeps the frame's bottom on the screen whichever way they went.
    if (const qreal scale = devicePixelRatioF(); room > 0 && scale != std::floor(scale)) --room;
    return arrangeGroups(shown, frame, room);
}

void TReckonwiseMainForm::ArrangeGroups() {
    arrangedFrame = frameHeight();
    const GroupArrangement a = arrangementFor(arrangedFrame);
    const int width = centralWidget()->width() - 16;
    std::size_t next = 0;
    for (const OptionalGroup &g : optionalGroups()) {
        g.box->setVisible(g.item->isChecked());
        if (!g.item->isChecked()) continue;
        const PlacedGroup &place = a.groups[next++];
        g.box->setGeometry(8, place.top, width, place.height);
    }
    Copyconversion1->setEnabled(Converter1->isChecked());

    // The height set is the client area's, menu bar included; the window system adds its
    // frame, whatever the height of its title bar, so no group is ever cut at the bottom.
    if (layout()) layout()->activate();
    const int belowMenu = a.clientHeight - centralWidget()->y();
    const int historyHeight = GroupBox4->height();
    if (History1->isChecked())
        historyBottomMargin = belowMenu - (GroupBox4->y() + GroupBox4->height());
    resize(this->width(), a.clientHeight);
    keptHeight = a.clientHeight;
    // The history group follows the window's height: the resize has stretched it.
    if (History1->isChecked()) GroupBox4->resize(width, historyHeight);
    layoutChildren();

    if (GroupBox3->isVisibleTo(this)) updateConversion(Label5->wholeText());
    if (GroupBox5->isVisibleTo(this)) bitsPanel->refresh();
}

void TReckonwiseMainForm::writeBitsValue(const QString &text) {
    if (text.size() > Edit1->maxLength()) {
        auto *box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Reckonwise"),
            QStringLiteral(
                "The new value is too long for the expression line and was not written."),
            QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    Edit1->setText(text);
}

void TReckonwiseMainForm::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    if (!event->spontaneous()) return;
    sinceResize.start();
    heightCheck->start();
}

void TReckonwiseMainForm::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    sinceActivation.start();
    heightCheck->start();
}

void TReckonwiseMainForm::keepHeight() {
    if (!isVisible() || height() == keptHeight) return;
    // A compositor handing back a stale size does so with an activation change (Help or
    // About opened or closed); a user resizing the window changes its height alone.
    constexpr qint64 together = 500; // milliseconds
    const bool withActivation =
        sinceActivation.isValid() && sinceResize.isValid() &&
        std::abs(sinceActivation.elapsed() - sinceResize.elapsed()) < together;
    if (withActivation && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        resize(width(), keptHeight);
    else
        keptHeight = height();
}

void TReckonwiseMainForm::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    // The window system has framed the window: if its frame is not the one the groups were
    // arranged for and that changes how they fit the screen, they are arranged again.
    const int frame = frameHeight();
    if (frame == arrangedFrame) return;
    const int before = arrangedFrame;
    arrangedFrame = frame;
    if (arrangementFor(frame).clientHeight != arrangementFor(before).clientHeight) ArrangeGroups();
}

void TReckonwiseMainForm::updateConversion(const QString &result) {
    converterPanel->updateConversion(result);
}
