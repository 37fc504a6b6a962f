#pragma once

#include <map>
#include <optional>

#include "dialogs/tagdialog.h"
#include "editor/tagbuttons.h"
#include "editor/tagtext.h"

class QWidget;
class TkrRichHTML;

// Every tag dialog is opened the same way: a function from the context to the texts it
// builds, nothing when cancelled.
using TTagDialogFn = std::optional<TTagResult> (*)(QWidget *parent, const TDialogContext &context);

// Finds the dialog of a tag kind (Edit Tag, F3) and of a tag button action (the speedbar's
// dialog buttons and the Tools menu). A dialog that comes later registers here; the main
// window only looks it up.
class TTagDialogRegistry
{
public:
    void Register(TTagKind kind, TTagDialogFn dialog);
    void Register(TTagButtonAction action, TTagDialogFn dialog);
    // nullptr while no dialog is registered.
    TTagDialogFn For(TTagKind kind) const;
    TTagDialogFn For(TTagButtonAction action) const;

private:
    std::map<TTagKind, TTagDialogFn> m_kinds;
    std::map<TTagButtonAction, TTagDialogFn> m_actions;
};

// The registry with every dialog of the program (tagdialogs.cpp is the one place that
// registers them).
const TTagDialogRegistry &TagDialogs();

// One dialog cycle on an editor: the dialog runs for the context and, unless cancelled, its
// text goes in through InsertTags, in place of the selected tag in edit mode or around the
// selection for a new element. False when there is no dialog or it was cancelled.
bool InsertFromDialog(TTagDialogFn dialog, QWidget *parent, const TDialogContext &context, TkrRichHTML *editor);
