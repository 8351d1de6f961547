// SPDX-License-Identifier: MIT
#pragma once
// TReckonwiseMainForm: the calculator window. One expression line whose result is shown
// live beneath it (evaluated on NumberThread workers), the Settings menus, the clipboard
// commands, and four optional group boxes below the line: the button pad, the converter,
// the history grid and the bits of the result.

#include "number/Settings.h"
#include "ui/NumberThread.h"
#include "windowmodel/groupArrangement.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>

class BitsPanel;
class Announcer;
class ClippedLabel;
class ConverterPanel;
class ExpressionEdit;
class QAction;
class QActionGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;
class StringGrid;
class THelpForm;
class TBrindlewoodForm;

class TReckonwiseMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TReckonwiseMainForm(QWidget *parent = nullptr);
    ~TReckonwiseMainForm() override;

    // Starts an evaluation of the expression line; force re-evaluates an unchanged text.
    void StartEvaluation(bool force);
    // A worker's delivery. The result label takes it only while the line still shows the
    // expression and the settings are still those it was computed under; waiting history
    // rows of the expression take it in any case.
    void ShowResult(const QString &result, const QString &expression,
                    const ResultSettings &computedUnder);
    void ShowResult(const QString &result, const QString &expression) {
        ShowResult(result, expression, ResultSettings::current());
    }
    // Replaces the line's selection by s (or inserts s at the caret).
    void InsertText(const QString &s);
    // Inserts text as InsertText does if the line can hold the result; otherwise leaves the
    // line as it is and tells the user in a message box.
    void Paste(const QString &text);
    // Focuses the line, selects all of it and opens a new empty history row.
    void SelectAll();
    void ArrangeGroups();
    void UpdateHistory();

    THelpForm *helpForm() const { return help; }
    TBrindlewoodForm *aboutForm() const { return about; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void createButtonPad();
    void createHistory();
    void createMenus();
    void layoutChildren();
    // The height of the window system's frame, title bar included.
    int frameHeight() const;
    // The optional groups top to bottom, with the Show item of each.
    struct OptionalGroup {
        QAction *item;
        QGroupBox *box;
        GroupHeights heights;
    };
    std::array<OptionalGroup, 4> optionalGroups() const;
    // The shown groups arranged for a frame of that height on the window's screen.
    GroupArrangement arrangementFor(int frame) const;
    void FormShow();
    void Edit1Change();
    void CalculatingTimerTick();
    void updateConversion(const QString &result);
    void showHistoryMenuAt(const QPoint &globalPosition);
    void showHistoryMenuAtCurrentRow();
    // Tab visits the controls as they stand on the screen: line, pad, lists, history.
    void orderTabStops();

    // History grid rows as the designed grid counts them: row 0 is the header.
    int historyRowCount() const;
    QString historyCell(int row, int column) const;
    void setHistoryCell(int row, int column, const QString &text);
    void addHistoryRow();

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
    ExpressionEdit *Edit1;
    QLabel *Label1;
    ClippedLabel *Label5; // keeps the whole result; shows only what fits
    std::array<QPushButton *, 60> buttons{};
    QFrame *Panel1;
    StringGrid *StringGrid1;
    QScrollBar *historyScrollBar;
    QMenu *PopupMenu1;
    QAction *Copyselection1, *Copyconversion1, *Paste1, *Buttons1, *Converter1, *History1, *Bits1;
    QTimer *CalculatingTimer;

    ConverterPanel *converterPanel;
    Announcer *announcer;
    BitsPanel *bitsPanel;
    // Writes a flipped bit's value into the line, which then evaluates as typed text.
    void writeBitsValue(const QString &text);
    THelpForm *help;
    TBrindlewoodForm *about;

    QPointer<NumberThread> currentWorker;
    QString lastExpression;
    // Distance from the history group's bottom to the window's client bottom, kept while
    // the user resizes the window (the group is anchored to all four sides).
    int historyBottomMargin = 8;
    // The frame height the groups were last arranged for.
    int arrangedFrame = 0;
    // The client height the window keeps: the arrangement's, or one the user gave it.
    int keptHeight = 0;
    // Wayland compositors answer an activation change with the size the window had when
    // they last sized it, undoing the arrangements since: a height that the window system
    // gives within a moment of an activation change is undone (keepHeight, run a moment
    // after either).
    QTimer *heightCheck;
    QElapsedTimer sinceActivation, sinceResize;
    void keepHeight();
    bool shownBefore = false;
};
