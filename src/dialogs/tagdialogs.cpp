#include "dialogs/tagdialogs.h"

#include "dialogs/elementdialogs.h"
#include "dialogs/imagedialog.h"
#include "dialogs/tabledialogs.h"
#include "editor/richhtml.h"

void TTagDialogRegistry::Register(TTagKind kind, TTagDialogFn dialog)
{
    m_kinds[kind] = dialog;
}

void TTagDialogRegistry::Register(TTagButtonAction action, TTagDialogFn dialog)
{
    m_actions[action] = dialog;
}

TTagDialogFn TTagDialogRegistry::For(TTagKind kind) const
{
    const auto found = m_kinds.find(kind);
    return found == m_kinds.end() ? nullptr : found->second;
}

TTagDialogFn TTagDialogRegistry::For(TTagButtonAction action) const
{
    const auto found = m_actions.find(action);
    return found == m_actions.end() ? nullptr : found->second;
}

namespace {

// The cell dialog serves two kinds; which cell it writes travels in the context.
std::optional<TTagResult> TableDataDialog(QWidget *parent, const TDialogContext &context)
{
    TDialogContext data = context;
    data.HeaderCell = false;
    return TfTableAttribute::Execute(parent, data);
}

std::optional<TTagResult> TableHeaderDialog(QWidget *parent, const TDialogContext &context)
{
    TDialogContext header = context;
    header.HeaderCell = true;
    return TfTableAttribute::Execute(parent, header);
}

TTagDialogRegistry AllDialogs()
{
    TTagDialogRegistry r;
    r.Register(tkImage, &TfImg::Execute);
    r.Register(krImage, &TfImg::Execute);
    r.Register(krTableWizard, &TfTableWizard::Execute);
    r.Register(tkTable, &TfTable::Execute);
    r.Register(krTable, &TfTable::Execute);
    r.Register(tkTableRow, &TfTableRow::Execute);
    r.Register(krTableRow, &TfTableRow::Execute);
    r.Register(tkTableData, &TableDataDialog);
    r.Register(krTableData, &TableDataDialog);
    r.Register(tkTableHeader, &TableHeaderDialog);
    r.Register(krTableHeader, &TableHeaderDialog);
    r.Register(tkComment, &TfComment::Execute);
    r.Register(krComment, &TfComment::Execute);
    r.Register(tkAnchor, &TfAnchor::Execute);
    r.Register(krAnchor, &TfAnchor::Execute);
    r.Register(tkFont, &TfFont::Execute);
    r.Register(krFont, &TfFont::Execute);
    r.Register(tkBody, &TfBody::Execute);
    r.Register(krBody, &TfBody::Execute);
    r.Register(tkHorzRule, &TfHorzRule::Execute);
    r.Register(krHorzRule, &TfHorzRule::Execute);
    r.Register(tkMeta, &TfMeta::Execute);
    r.Register(krMeta, &TfMeta::Execute);
    r.Register(krList, &TfList::Execute);
    r.Register(krFormElement, &TfFormElement::Execute);
    return r;
}

} // namespace

const TTagDialogRegistry &TagDialogs()
{
    static const TTagDialogRegistry registry = AllDialogs();
    return registry;
}

bool InsertFromDialog(TTagDialogFn dialog, QWidget *parent, const TDialogContext &context, TkrRichHTML *editor)
{
    if (!dialog)
        return false;
    const std::optional<TTagResult> text = dialog(parent, context);
    if (!text || !editor)
        return false;
    editor->InsertTags(text->StartText, text->EndText, context.IsEdit());
    return true;
}
