#pragma once

#include <QDialog>
#include <optional>

#include "editor/tagcommands.h"
#include "platform/testhook.h"

class QRadioButton;

// "Convert to List" and "Convert Table": two choices, OK and Cancel.
class TfConvertChoice : public QDialog
{
    Q_OBJECT

public:
    TfConvertChoice(const QString &caption, const QString &first, const QString &second, QWidget *parent = nullptr);
    bool FirstChosen() const;

protected:
    QRadioButton *optFirst = nullptr;
    QRadioButton *optSecond = nullptr;
};

class TfConvertList : public TfConvertChoice
{
    Q_OBJECT
public:
    explicit TfConvertList(QWidget *parent = nullptr);
    QRadioButton *optOrdered() const { return optFirst; }
    QRadioButton *optUnordered() const { return optSecond; }
};

class TfConvertTable : public TfConvertChoice
{
    Q_OBJECT
public:
    explicit TfConvertTable(QWidget *parent = nullptr);
    QRadioButton *optRows() const { return optFirst; }
    QRadioButton *optColumns() const { return optSecond; }
};

// Asks how lines become a list (table false) or a table; nothing on Cancel.
std::optional<TLineConversion> AskLineConversion(bool table, QWidget *parent = nullptr);

// Test hook: while set, no dialog is shown; the hook's result is the answer.
using TConversionHook = THook<std::optional<TLineConversion>(bool table)>;
inline void SetConversionHook(TConversionHook::Function hook) { TConversionHook::Set(std::move(hook)); }
