#include "app/messagedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/messagebox.h"
#include "app/notices.h"

TfMessage::TfMessage(int n, QWidget *parent)
    : QDialog(parent), m_notice(n)
{
    const TNotice notice = NoticeInfo(n);
    setWindowTitle(notice.caption);
    setModal(true);

    lblMessage = new QLabel(notice.text, this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setTextFormat(Qt::PlainText); // "<Esc>" in the full-screen notice is text
    lblMessage->setWordWrap(true);

    chkDontShowAgain = new QCheckBox(QStringLiteral("Don't show this message again"), this);
    chkDontShowAgain->setObjectName(QStringLiteral("chkDontShowAgain"));

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TfMessage::btnOKClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    if (notice.hasCancel) {
        btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
        btnCancel->setObjectName(QStringLiteral("btnCancel"));
        connect(btnCancel, &QPushButton::clicked, this, &TfMessage::btnCancelClick);
        buttons->addWidget(btnCancel);
    }
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addSpacing(6);
    layout->addWidget(chkDontShowAgain);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    // Fixed width; the word-wrapped text decides the height.
    setFixedWidth(notice.hasCancel ? 380 : 300);
}

bool TfMessage::DontShowAgain() const
{
    return chkDontShowAgain->isChecked();
}

void TfMessage::btnOKClick()
{
    accept();
}

void TfMessage::btnCancelClick()
{
    reject();
}

int ShowNotice(int n, QWidget *parent)
{
    const TNotice notice = NoticeInfo(n);
    if (notice.valueName.isEmpty() || NoticeSwitchedOff(n))
        return mbOK;

    bool dontShowAgain = false;
    int answer = mbOK;
    if (const auto &hook = TNoticeHook::Get()) {
        answer = hook(n, dontShowAgain);
    } else {
        TfMessage box(n, parent ? parent : QApplication::activeWindow());
        const bool accepted = box.exec() == QDialog::Accepted;
        dontShowAgain = box.DontShowAgain();
        answer = accepted || !notice.hasCancel ? mbOK : mbCancel;
    }
    if (dontShowAgain)
        SwitchOffNotice(n);
    return answer;
}
