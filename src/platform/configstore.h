#pragma once

#include <QString>
#include <QStringList>

#include "platform/colortypes.h"

// The program's root key: every setting lives under it.
inline QString PendwickKey() { return QStringLiteral("Software\\Pendwick"); }
// A key below the root: PendwickKey(u"MainForm") is "Software\Pendwick\MainForm".
inline QString PendwickKey(QStringView subKey) { return PendwickKey() + u'\\' + subKey.toString(); }

// The program's settings store: a tree of keys ("Software\Pendwick\MainForm") holding
// named string values. Every read names a default and never creates anything; every
// write creates the key path as needed. Key paths and value names compare without
// regard to case, as registry keys do.
//
// On this platform the store is an INI file: the file named by the environment variable
// PENDWICK_CONFIG, or $XDG_CONFIG_HOME/Pendwick/registry.ini. Each call reads the file
// afresh (so another process's writes are seen) and each write replaces the file
// atomically (temporary file and rename), so it is never left half-written.
class ConfigStore
{
public:
    // The file the store lives in.
    static QString FileName();

    // Plain text values.
    static QString Read(const QString &keyPath, const QString &name, const QString &defaultText);
    static bool Write(const QString &keyPath, const QString &name, const QString &text);
    // Erases the key with all its values and subkeys. Erasing a missing key succeeds
    // without touching anything; the root key ("") is never erased (returns false).
    static bool EraseKey(const QString &keyPath);
    static bool KeyExists(const QString &keyPath);
    static bool ValueExists(const QString &keyPath, const QString &name);

    // Booleans are stored as "-1" (true) and "0" (false); only the exact text "-1" reads as true.
    static bool ReadBool(const QString &keyPath, const QString &name, bool defaultValue);
    static bool WriteBool(const QString &keyPath, const QString &name, bool value);
    static QString BoolText(bool value) { return value ? QStringLiteral("-1") : QStringLiteral("0"); }
    static bool IsTrueText(const QString &text) { return text == QLatin1String("-1"); }

    // Integers as decimal text; text that is not an integer reads as the default.
    static int ReadInt(const QString &keyPath, const QString &name, int defaultValue);
    static bool WriteInt(const QString &keyPath, const QString &name, int value);
    static int ParseInt(const QString &text, int defaultValue);

    // Colours as the decimal text of the signed 32-bit value (system colours are negative).
    static TColor ReadColor(const QString &keyPath, const QString &name, TColor defaultValue);
    static bool WriteColor(const QString &keyPath, const QString &name, TColor value);

    // Lists: numbered values prefix + "1", prefix + "2", ... in their own key. Reading
    // stops at the first missing or empty value, or after maxCount entries (0: no limit).
    // Saving erases the key first and writes the entries from 1 upward.
    static QStringList ReadList(const QString &keyPath, const QString &prefix, int maxCount = 0);
    static bool WriteList(const QString &keyPath, const QString &prefix, const QStringList &items);
};
