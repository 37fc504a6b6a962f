#pragma once

#include <QDialog>

#include "platform/messagebox.h"

class QCheckBox;
class QLabel;
class QPushButton;

// The box of a one-time notice (see notices.h): its text, the check box "Don't show this
// message again", "OK" and, for notices that ask, "Cancel".
class TfMessage : public QDialog
{
    Q_OBJECT

public:
    explicit TfMessage(int n, QWidget *parent = nullptr);

    int Notice() const { return m_notice; }
    bool DontShowAgain() const;

    QLabel *lblMessage = nullptr;
    QCheckBox *chkDontShowAgain = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr; // null for notices without Cancel

private:
    void btnOKClick();
    void btnCancelClick();

    int m_notice;
};

// Shows notice n unless the user has switched it off, and switches it off when the box
// is ticked as it closes. Returns 1 for OK and 2 for Cancel (mbOK, mbCancel of
// messagebox.h); closing the box counts as Cancel when it has that button, else as OK.
// A notice that is switched off answers OK without being shown.
int ShowNotice(int n, QWidget *parent = nullptr);

// Tests answer notices through TNoticeHook (platform/messagebox.h).
