#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>

QString MessageCaption(TMsgKind kind)
{
    switch (kind) {
    case mkError: return QStringLiteral("Error");
    case mkWarning: return QStringLiteral("Warning");
    case mkInformation: return QStringLiteral("Information");
    case mkConfirm: return QStringLiteral("Confirm");
    case mkMessage: break;
    }
    return QStringLiteral("Pendwick");
}

int MessageBox(TMsgKind kind, const QString &text, int buttons, QWidget *parent)
{
    if (buttons == 0)
        buttons = mbOK;
    const QString caption = MessageCaption(kind);
    if (const auto &hook = TMessageHook::Get())
        return hook(kind, caption, text, buttons);

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case mkError: icon = QMessageBox::Critical; break;
    case mkWarning: icon = QMessageBox::Warning; break;
    case mkInformation: icon = QMessageBox::Information; break;
    case mkConfirm: icon = QMessageBox::Question; break;
    case mkMessage: break;
    }
    QMessageBox box(icon, caption, text, QMessageBox::NoButton,
                    parent ? parent : QApplication::activeWindow());
    struct Pair { int ours; QMessageBox::StandardButton qt; };
    const Pair pairs[] = {{mbYes, QMessageBox::Yes}, {mbNo, QMessageBox::No},
                          {mbOK, QMessageBox::Ok}, {mbCancel, QMessageBox::Cancel}};
    for (const Pair &p : pairs)
        if (buttons & p.ours)
            box.addButton(p.qt);
    const int chosen = box.exec();
    for (const Pair &p : pairs)
        if (chosen == p.qt)
            return p.ours;
    return (buttons & mbCancel) ? mbCancel : (buttons & mbNo) ? mbNo : mbOK;
}
