#include "platform/customcolors.h"

#include <QColorDialog>
#include <QStringList>

void LoadCustomColors(const QString &key)
{
    const QStringList entries = ReadCustomColors(key);
    for (int i = 0; i < CustomColorCount && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, ColorToQColor(CustomColorEntryColor(entries[i])));
}

void SaveCustomColors(const QString &key)
{
    QStringList entries;
    for (int i = 0; i < CustomColorCount && i < QColorDialog::customCount(); ++i)
        entries.append(CustomColorEntry(i, QColorToColor(QColorDialog::customColor(i))));
    WriteCustomColors(key, entries);
}
