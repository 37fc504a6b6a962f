#pragma once

#include <QFrame>

class QLabel;

// The window shown while the program starts: the logo, the version and the release.
class TfSplash : public QFrame
{
    Q_OBJECT

public:
    explicit TfSplash(QWidget *parent = nullptr);

    // Shows the window and lets it paint at once, before the slow part of starting.
    void ShowAndPaint();

    QLabel *lblLogo = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblRelease = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void LoadLogo();
    void CenterOnScreen();
};
