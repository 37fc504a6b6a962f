#include "app/mrulist.h"

#include <QFileInfo>

#include "platform/configstore.h"

namespace {
// Entries name the same file when their paths do on this file system.
bool SameFile(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}
} // namespace

void TMRUList::Load(const QString &key)
{
    m_items.clear();
    for (int n = 1; n <= Size; ++n) {
        const QString v = ConfigStore::Read(key, QStringLiteral("MRU%1").arg(n), QString());
        m_items.append(v.isEmpty() ? EmptyEntry() : v);
    }
}

void TMRUList::Save(const QString &key) const
{
    // One write replaces the key, so the list is never left half-stored.
    ConfigStore::WriteList(key, QStringLiteral("MRU"), m_items.mid(0, Size));
}

bool TMRUList::Add(const QString &fileName)
{
    for (const QString &item : m_items)
        if (item != EmptyEntry() && SameFile(item, fileName))
            return false;
    m_items.prepend(fileName);
    while (m_items.size() > Size)
        m_items.removeAt(Size);
    return true;
}

QString TMRUList::Caption(int n) const
{
    return n >= 1 && n <= m_items.size() ? m_items.at(n - 1) : EmptyEntry();
}
