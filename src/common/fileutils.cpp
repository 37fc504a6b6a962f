#include "common/fileutils.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "common/htmlextensions.h"

TFileKind FileKindOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return fkUnknown;
    const QString ext = name.mid(dot + 1).toUpper();
    if (ext == QLatin1String("CSS"))
        return fkStyleSheet;
    for (const char *e : {"GIF", "BMP", "JPG", "JPEG", "PNG"})
        if (ext == QLatin1String(e))
            return fkImage;
    for (const char *e : {"WAV", "MID", "AU", "AIFF"})
        if (ext == QLatin1String(e))
            return fkSound;
    if (ext == QLatin1String("AVI"))
        return fkVideo;
    if (IsHTMLFile(name))
        return fkDocument;
    return fkUnknown;
}

QStringList ListFiles(const QString &folder, const QString &masks)
{
    QStringList result;
    if (folder.isEmpty())
        return result;
    QString base = folder;
    if (!base.endsWith(u'/') && !base.endsWith(u'\\'))
        base += u'/';
    // Each mask either a plain "*.ext" (compared as a suffix, which is what nearly every
    // mask is) or a wildcard pattern.
    struct TMask
    {
        QString Suffix;
        QRegularExpression Pattern;
    };
    QList<TMask> matchers;
    for (QString mask : masks.split(u'|', Qt::SkipEmptyParts)) {
        mask = mask.trimmed();
        if (mask.isEmpty())
            continue;
        // On the original platform "*.*" matches every file, those without a dot too.
        if (mask == QLatin1String("*.*"))
            mask = QStringLiteral("*");
        const QString rest = mask.mid(1);
        if (mask.startsWith(u'*') && rest.startsWith(u'.') && !rest.contains(u'*') && !rest.contains(u'?') &&
            !rest.contains(u'['))
            matchers.append({rest, {}});
        else
            matchers.append({QString(), QRegularExpression(QRegularExpression::wildcardToRegularExpression(mask),
                                                           QRegularExpression::CaseInsensitiveOption)});
    }
    if (matchers.isEmpty())
        return result;
    // The folder is read once; each file goes with the first mask it matches, so the
    // order stays per mask in name order. Without QDir::Hidden and QDir::System hidden
    // files, sockets and the like stay out.
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    QList<QStringList> byMask(matchers.size());
    for (const QString &name : names) {
        for (qsizetype m = 0; m < matchers.size(); ++m) {
            const TMask &mask = matchers.at(m);
            const bool match = mask.Suffix.isEmpty() ? mask.Pattern.match(name).hasMatch()
                                                     : name.endsWith(mask.Suffix, Qt::CaseInsensitive);
            if (match) {
                byMask[m].append(base + name);
                break;
            }
        }
    }
    for (const QStringList &paths : byMask)
        result += paths;
    return result;
}

QString TemporaryFileName(const QString &prefix, const QString &folder, const QString &extension)
{
    const QString dir = folder.isEmpty() ? QDir::tempPath() : folder;
    QTemporaryFile file(QDir(dir).filePath(prefix + QLatin1String("XXXXXX") + extension));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return QFileInfo(file.fileName()).absoluteFilePath();
}

bool PathUsable(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isFile())
        return info.absoluteDir().exists();
    return info.exists();
}

QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    return result.trimmed();
}

QString FileDateText(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    const QDateTime local = time.toLocalTime();
    const QLocale locale;
    const QDate date = local.date();
    return locale.dayName(date.dayOfWeek(), QLocale::LongFormat) + QLatin1String(", ")
        + locale.monthName(date.month(), QLocale::LongFormat) + u' ' + QString::number(date.day())
        + QLatin1String(", ") + QString::number(date.year()) + u' '
        + locale.toString(local.time(), LongTimeFormatWithoutZone(locale));
}
