#include "platform/inputbox.h"

#include <QApplication>
#include <QInputDialog>

std::optional<QString> InputBox(const QString &caption, const QString &prompt, const QString &value, QWidget *parent)
{
    if (const auto &hook = TInputHook::Get())
        return hook(caption, prompt, value);
    bool ok = false;
    const QString answer = QInputDialog::getText(parent ? parent : QApplication::activeWindow(), caption, prompt,
                                                 QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}
