#include "common/htmlextensions.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>

#include "platform/configstore.h"

namespace {

constexpr int MaxExtensions = 15;

QString ExtensionsKey(const QString &key)
{
    return key + QLatin1String("\\HTMLExtensions");
}

const QString EntryPrefix = QStringLiteral("Extension");

// The extension of the file name's last component, dot included; empty without one.
QString ExtensionOf(const QString &fileName)
{
    qsizetype nameStart = fileName.lastIndexOf(u'/') + 1;
#if defined(Q_OS_WIN)
    nameStart = qMax(nameStart, qMax(fileName.lastIndexOf(u'\\'), fileName.lastIndexOf(u':')) + 1);
#endif
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot >= nameStart ? fileName.mid(dot) : QString();
}

void AppendUnique(QStringList &list, const QString &item)
{
    if (!list.contains(item))
        list.append(item);
}

// The name under which `dir` lists `name`: the exact name if present, else the only
// entry matching it without regard to case; empty when there is none or more than one.
QString ListedName(const QString &dir, const QString &name)
{
    QString match;
    int matches = 0;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString entry = it.fileName();
        if (entry == name)
            return entry;
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            match = entry;
            ++matches;
        }
    }
    return matches == 1 ? match : QString();
}

} // namespace

QStringList DefaultHTMLExtensions()
{
    return {QStringLiteral("HTML"), QStringLiteral("HTM"), QStringLiteral("SHTM"),
            QStringLiteral("SHTML"), QStringLiteral("CSS")};
}

QStringList &HTMLExtensions()
{
    static QStringList list = DefaultHTMLExtensions();
    return list;
}

void LoadHTMLExtensions(const QString &key)
{
    const QStringList saved = ConfigStore::ReadList(ExtensionsKey(key), EntryPrefix, MaxExtensions);
    HTMLExtensions() = saved.isEmpty() ? DefaultHTMLExtensions() : saved;
}

void SaveHTMLExtensions(const QString &key)
{
    ConfigStore::WriteList(ExtensionsKey(key), EntryPrefix, HTMLExtensions());
}

bool IsHTMLFile(const QString &fileName)
{
    const QString ext = ExtensionOf(fileName).toUpper();
    if (ext.size() < 2)
        return false;
    for (const QString &e : HTMLExtensions())
        if (!e.isEmpty() && ext == u'.' + e.toUpper())
            return true;
    return false;
}

QString ExtensionFilter(const QString &separator)
{
    QString filter;
    for (const QString &e : HTMLExtensions())
        filter += QLatin1String("*.") + e + separator;
    return filter;
}

QString OpenSaveDialogFilter()
{
    return QLatin1String("HTML Documents|") + ExtensionFilter(QStringLiteral(";"))
        + QLatin1String("|Text Files (*.txt)|*.txt|Style Sheets (*.css)|*.css|All Files|*.*");
}

QStringList QtNameFilters(const QString &pipeFilter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Captions like "Text Files (*.txt)" already show patterns; Qt adds its own list.
        QString caption = parts[i];
        caption.remove(trailingPatterns);
        QStringList patterns;
        for (const QString &raw : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString p = raw.trimmed();
            if (p.isEmpty())
                continue;
            if (p == QLatin1String("*.*") || p == QLatin1String("*")) {
                AppendUnique(patterns, QStringLiteral("*"));
                continue;
            }
            AppendUnique(patterns, p);
            AppendUnique(patterns, p.toLower());
            AppendUnique(patterns, p.toUpper());
        }
        if (!patterns.isEmpty())
            filters.append(caption + QLatin1String(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

QString LongPath(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QString full = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    QStringList parts = full.split(u'/');
    // The root stays as it is: "" before a leading "/", a drive "C:", or "//server/share".
    qsizetype first = 1;
    if (full.startsWith(QLatin1String("//")))
        first = qMin<qsizetype>(4, parts.size());
    QString dir = parts.mid(0, first).join(u'/') + u'/';
    for (qsizetype i = first; i < parts.size(); ++i) {
        if (parts[i].isEmpty())
            break;
        const QString listed = ListedName(dir, parts[i]);
        if (listed.isEmpty())
            break;
        parts[i] = listed;
        dir += listed + u'/';
    }
    return parts.join(u'/');
}
