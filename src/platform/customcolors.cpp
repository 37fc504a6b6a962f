#include "platform/customcolors.h"

#include "platform/configstore.h"

namespace {

QString CustomColorsKey(const QString &key)
{
    return key + QLatin1String("\\CustomColors");
}

} // namespace

QStringList ReadCustomColors(const QString &key)
{
    QStringList entries;
    for (int n = 1; n <= CustomColorCount; ++n) {
        const QString entry = ConfigStore::Read(CustomColorsKey(key), QStringLiteral("Color%1").arg(n), QString());
        entries.append(entry.isEmpty() ? CustomColorEntry(n - 1, Colors::clWhite) : entry);
    }
    return entries;
}

bool WriteCustomColors(const QString &key, const QStringList &entries)
{
    bool ok = ConfigStore::EraseKey(CustomColorsKey(key));
    for (int i = 0; i < entries.size(); ++i)
        ok = ConfigStore::Write(CustomColorsKey(key), QStringLiteral("Color%1").arg(i + 1), entries[i]) && ok;
    return ok;
}

QString CustomColorEntry(int index, TColor color)
{
    const quint32 value = quint32(QColorToColor(ColorToQColor(color)));
    return QStringLiteral("Color") + QChar(u'A' + index) + u'='
        + QStringLiteral("%1").arg(value, 6, 16, QLatin1Char('0')).toUpper();
}

TColor CustomColorEntryColor(const QString &entry)
{
    const qsizetype equals = entry.indexOf(u'=');
    bool ok = false;
    const uint value = entry.mid(equals + 1).trimmed().toUInt(&ok, 16);
    return ok && value <= 0xFFFFFF ? TColor(value) : Colors::clWhite;
}
