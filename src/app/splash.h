#pragma once

#include <QFrame>

class QLabel;

// The window shown while the program starts: the logo, the version and the release.
class TfSplash : public QFrame
{
    Q_OBJECT

public:
    explicit TfSplash(QWidget *parent = nullptr);
    ~TfSplash() override;

    // Shows the window and lets it paint at once, before the slow part of starting. It
    // hides itself as soon as any other window shows (the main window, a message box), so
    // no part of it stays on screen behind them.
    void ShowAndPaint();

    QLabel *lblLogo = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblRelease = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void LoadLogo();
    void CenterOnScreen();

    bool m_watching = false;
};
