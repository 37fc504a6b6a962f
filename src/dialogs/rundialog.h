#pragma once

#include <optional>

#include <QDialog>

#include "dialogs/tagdialog.h"

// One cycle of a prepared tag dialog: shown modally unless the context says not to show it
// (a dropped file), then, unless cancelled, the texts it builds.
template <class TDialog>
std::optional<TTagResult> RunTagDialog(TDialog &dialog, const TDialogContext &context)
{
    if (context.Show && dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Build();
}
