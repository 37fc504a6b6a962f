#include "common/pathutils.h"

#include <algorithm>

namespace {

// The text after the first ":" (a drive letter's colon); the text itself without one.
QString WithoutDrive(const QString &path)
{
    const qsizetype colon = path.indexOf(u':');
    return colon < 0 ? path : path.mid(colon + 1);
}

QString AsFolder(const QString &path)
{
    QString folder = path;
    if (!folder.endsWith(u'\\') && !folder.endsWith(u'/'))
        folder += u'\\';
    return BackslashesToSlashes(folder);
}

} // namespace

QString BackslashesToSlashes(const QString &text)
{
    QString result = text;
    result.replace(u'\\', u'/');
    return result;
}

QString RelativeFolder(const QString &baseFolder, const QString &targetFolder, bool lowerCase)
{
    QString base = lowerCase ? baseFolder.toLower() : baseFolder;
    QString target = lowerCase ? targetFolder.toLower() : targetFolder;
    if (base.isEmpty())
        return WithoutDrive(target);
    if (target.isEmpty())
        return base;
    base = AsFolder(base);
    target = AsFolder(target);
    if (base == target)
        return QString();
    // Below the base: the target starts with it. (Only a prefix counts; "/web/" inside
    // "/home/web/img/" is no common folder.)
    if (target.startsWith(base))
        return target.mid(base.size());
    // Otherwise the deepest folder both lie in: walk the base's slashes from its end and
    // compare everything up to and including the slash, so that "c:/web/" does not
    // match "c:/webx/".
    for (qsizetype p = base.size() - 1; p >= 0; --p) {
        if (base[p] != u'/')
            continue;
        if (QStringView(base).first(p + 1) != QStringView(target).first(std::min(p + 1, target.size())))
            continue;
        QString result;
        for (qsizetype i = p + 1; i < base.size(); ++i)
            if (base[i] == u'/')
                result += QLatin1String("../");
        result += target.mid(p + 1);
        if (!result.endsWith(u'/'))
            result += u'/';
        return result;
    }
    return WithoutDrive(target);
}
