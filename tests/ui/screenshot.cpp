// Renders the calculator window with the pad and the history open, after a few evaluations,
// to a PNG file: the picture in the README. Usage: reckonwise-screenshot OUT.png

#include "ui/NumberThread.h"
#include "ui/ReckonwiseMainForm.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) return 2;
    TReckonwiseMainForm window;
    window.show();
    for (const char *name : {"Buttons1", "History1"})
        window.findChild<QAction *>(QString::fromLatin1(name))->trigger();
    auto *edit = window.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    for (const char *expression : {"2^100", "sqrt 2", "0xFF & 0xF4 + 5", "100!/98!", "sin(30)*7"}) {
        QTest::keyClicks(edit, QString::fromLatin1(expression));
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QTest::keyClicks(edit, QStringLiteral("2^64-1"));
    QElapsedTimer timer;
    timer.start();
    while (NumberThread::running() > 0 && timer.elapsed() < 5000) QTest::qWait(20);
    QTest::qWait(200);
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
