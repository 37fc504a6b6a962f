#pragma once

#include <QDialog>
#include <QString>

// Shows a prepared tag dialog modally and, on OK, hands back the texts it builds.
template <class TDialog>
bool RunTagDialog(TDialog &dialog, QString &startText, QString &endText)
{
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const auto result = dialog.Build();
    startText = result.StartText;
    endText = result.EndText;
    return true;
}
