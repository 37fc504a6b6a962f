#include "dialogs/convertdialogs.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
TConversionHook &Hook()
{
    static TConversionHook hook;
    return hook;
}
} // namespace

void SetConversionHook(TConversionHook hook) { Hook() = std::move(hook); }

TfConvertChoice::TfConvertChoice(const QString &caption, const QString &first, const QString &second, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    optFirst = new QRadioButton(first, this);
    optSecond = new QRadioButton(second, this);
    optFirst->setChecked(true);
    layout->addWidget(optFirst);
    layout->addWidget(optSecond);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TfConvertChoice::FirstChosen() const
{
    return optFirst->isChecked();
}

TfConvertList::TfConvertList(QWidget *parent)
    : TfConvertChoice(QStringLiteral("Convert to List"), QStringLiteral("&Ordered list"),
                      QStringLiteral("&Unordered list"), parent)
{
    optFirst->setObjectName(QStringLiteral("optOrdered"));
    optSecond->setObjectName(QStringLiteral("optUnordered"));
}

TfConvertTable::TfConvertTable(QWidget *parent)
    : TfConvertChoice(QStringLiteral("Convert Table"), QStringLiteral("Convert each line as a separate row"),
                      QStringLiteral("Convert each line as a separate column"), parent)
{
    optFirst->setObjectName(QStringLiteral("optRows"));
    optSecond->setObjectName(QStringLiteral("optColumns"));
}

std::optional<TLineConversion> AskLineConversion(bool table, QWidget *parent)
{
    if (Hook())
        return Hook()(table);
    if (table) {
        TfConvertTable dialog(parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.FirstChosen() ? lcTableRows : lcTableColumns;
    }
    TfConvertList dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.FirstChosen() ? lcOrderedList : lcUnorderedList;
}
