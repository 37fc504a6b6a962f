#include "platform/inputbox.h"

#include <QApplication>
#include <QInputDialog>

namespace {
TInputHook &Hook()
{
    static TInputHook hook;
    return hook;
}
} // namespace

void SetInputHook(TInputHook hook) { Hook() = std::move(hook); }

bool InputQuery(const QString &caption, const QString &prompt, QString &value, QWidget *parent)
{
    if (Hook())
        return Hook()(caption, prompt, value);
    bool ok = false;
    const QString answer = QInputDialog::getText(parent ? parent : QApplication::activeWindow(), caption, prompt,
                                                 QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}
