#pragma once

#include <QStringList>

// The recently-used documents: always ten entries after loading, "[Empty]" for unused ones.
class TMRUList
{
public:
    static constexpr int Size = 10;
    static QString EmptyEntry() { return QStringLiteral("[Empty]"); }

    // Reads "MRU1" ... "MRU10" from the key; empty values become "[Empty]".
    void Load(const QString &key);
    // Replaces the key's values with the entries as "MRU1" ... (at most ten), in one write.
    void Save(const QString &key) const;
    // Puts a file on top unless it is on the list already (then nothing moves); the
    // eleventh entry drops off. Returns whether the list changed.
    bool Add(const QString &fileName);
    // The caption of menu item n (1-based): the entry, or "[Empty]".
    QString Caption(int n) const;
    const QStringList &Items() const { return m_items; }

private:
    QStringList m_items;
};
