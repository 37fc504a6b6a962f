#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The "About" box: the logo, the version and the program's web address, which opens in
// the user's browser when clicked.
class TfAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfAbout(QWidget *parent = nullptr);

    static void Execute(QWidget *parent);
    static QString WebAddress() { return QStringLiteral("https://pendwick.example.org/"); }

    QLabel *lblLogo = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblURL = nullptr;
    QPushButton *btnOK = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btnOKClick();
    void lblURLClick();
};
