#include "app/splash.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/programfolder.h"

TfSplash::TfSplash(QWidget *parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(352, 171);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setCursor(Qt::BusyCursor);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    setPalette(pal);

    lblLogo = new QLabel(this);
    lblLogo->setObjectName(QStringLiteral("lblLogo"));
    lblLogo->setAlignment(Qt::AlignCenter);
    lblLogo->setMinimumHeight(100);

    lblVersion = new QLabel(QStringLiteral("Version 2.0"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);

    lblRelease = new QLabel(QStringLiteral("BETA 2 - September 8, 1996"), this);
    lblRelease->setObjectName(QStringLiteral("lblRelease"));
    lblRelease->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 10);
    layout->setSpacing(2);
    layout->addWidget(lblLogo, 1);
    layout->addWidget(lblVersion);
    layout->addWidget(lblRelease);
}

TfSplash::~TfSplash()
{
    if (m_watching)
        qApp->removeEventFilter(this);
}

void TfSplash::ShowAndPaint()
{
    show();
    raise();
    QCoreApplication::processEvents();
}

void TfSplash::showEvent(QShowEvent *event)
{
    LoadLogo();
    CenterOnScreen();
    if (!m_watching) {
        qApp->installEventFilter(this);
        m_watching = true;
    }
    QFrame::showEvent(event);
}

void TfSplash::hideEvent(QHideEvent *event)
{
    if (m_watching) {
        qApp->removeEventFilter(this);
        m_watching = false;
    }
    QFrame::hideEvent(event);
}

// A window is told it shows before it reaches the screen, so the splash is gone first.
bool TfSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->isWindow())
        hide();
    return QFrame::eventFilter(watched, event);
}

// The logo is read when the window is shown, so it comes from the data files installed
// beside the program; without them the name stands in its place.
void TfSplash::LoadLogo()
{
    const QPixmap logo(ProgramFolder() + QStringLiteral("images/logo.png"));
    if (!logo.isNull()) {
        lblLogo->setPixmap(logo);
        return;
    }
    QFont font = lblLogo->font();
    font.setPointSize(28);
    font.setBold(true);
    lblLogo->setFont(font);
    lblLogo->setText(QStringLiteral("Pendwick"));
}

void TfSplash::CenterOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}
