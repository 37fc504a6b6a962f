#include "app/fullscreen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

TfFullScreen::TfFullScreen(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

TfFullScreen::~TfFullScreen()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
}

void TfFullScreen::TakeWidget(QWidget *w)
{
    if (!w || w == m_held)
        return;
    ReleaseWidget();
    m_held = w;
    w->setParent(this);
    m_layout->addWidget(w);
    w->show();
}

QWidget *TfFullScreen::ReleaseWidget()
{
    QWidget *w = m_held;
    if (!w)
        return nullptr;
    m_held = nullptr;
    m_layout->removeWidget(w);
    w->setParent(nullptr);
    return w;
}

// The filter sits on the application while the window is shown, so the held widget's
// own key handling (an editor takes Esc to stop colouring) never swallows the key first.
void TfFullScreen::showEvent(QShowEvent *event)
{
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
    QWidget::showEvent(event);
}

void TfFullScreen::hideEvent(QHideEvent *event)
{
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    QWidget::hideEvent(event);
}

void TfFullScreen::closeEvent(QCloseEvent *event)
{
    event->ignore();
    emit OnCloseRequest();
}

bool TfFullScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    // Only keys meant for this window; a dialog opened from it handles its own Esc.
    const auto *target = static_cast<QWidget *>(watched);
    if (target->window() != this)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        emit OnEscape();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
