#include "dialogs/convertdialogs.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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
    if (const auto &hook = TConversionHook::Get())
        return hook(table);
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
