#pragma once
// TBrindlewoodForm: the About window with the maker's logo, the version line, the author
// and the contact line. Created hidden with the application; closing it only hides it.

#include <QWidget>

class QLabel;

class TBrindlewoodForm : public QWidget {
    Q_OBJECT

public:
    explicit TBrindlewoodForm(QWidget *parent = nullptr);
    QLabel *versionLabel() const { return Label1; }

private:
    QLabel *Image1, *Label1, *Label2, *Label3;
};
