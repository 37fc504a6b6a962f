#include "app/about.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/programfolder.h"

TfAbout::TfAbout(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    lblLogo = new QLabel(this);
    lblLogo->setObjectName(QStringLiteral("lblLogo"));
    lblLogo->setAlignment(Qt::AlignCenter);
    const QPixmap logo(ProgramFolder() + QStringLiteral("images/logo.png"));
    if (logo.isNull()) {
        QFont font = lblLogo->font();
        font.setPointSize(24);
        font.setBold(true);
        lblLogo->setFont(font);
        lblLogo->setText(QStringLiteral("Pendwick"));
    } else {
        lblLogo->setPixmap(logo);
    }

    lblVersion = new QLabel(QStringLiteral("Version 2.0"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);

    // Drawn as a link, but opened by our own click handler so the address always goes
    // through QDesktopServices.
    lblURL = new QLabel(WebAddress(), this);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    lblURL->setAlignment(Qt::AlignCenter);
    lblURL->setCursor(Qt::PointingHandCursor);
    QFont linkFont = lblURL->font();
    linkFont.setUnderline(true);
    lblURL->setFont(linkFont);
    QPalette pal = lblURL->palette();
    pal.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    lblURL->setPalette(pal);
    lblURL->installEventFilter(this);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TfAbout::btnOKClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblLogo);
    layout->addWidget(lblVersion);
    layout->addWidget(lblURL);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfAbout::Execute(QWidget *parent)
{
    TfAbout box(parent);
    box.exec();
}

bool TfAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblURL && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblURLClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfAbout::btnOKClick()
{
    accept();
}

void TfAbout::lblURLClick()
{
    QDesktopServices::openUrl(QUrl(WebAddress()));
}
