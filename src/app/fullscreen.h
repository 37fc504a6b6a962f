#pragma once

#include <QPointer>
#include <QWidget>

class QVBoxLayout;

// A borderless window covering the screen that holds one widget (the document area)
// while the program is in full-screen mode. It watches the keys typed into it before
// the held widget does, so Esc always leaves full-screen mode.
class TfFullScreen : public QWidget
{
    Q_OBJECT

public:
    explicit TfFullScreen(QWidget *parent = nullptr);
    ~TfFullScreen() override;

    // Moves w into this window's layout and shows it.
    void TakeWidget(QWidget *w);
    // Takes the held widget out again, with no parent (hidden, as Qt does on
    // reparenting), and returns it; null when nothing is held.
    QWidget *ReleaseWidget();
    QWidget *HeldWidget() const { return m_held; }

signals:
    // Esc was pressed in this window.
    void OnEscape();
    // The window was asked to close (the window manager, Alt+F4). It stays open; the
    // receiver decides what closing means.
    void OnCloseRequest();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QVBoxLayout *m_layout;
    QPointer<QWidget> m_held;
    bool m_filtering = false;
};
