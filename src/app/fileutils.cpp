#include "app/fileutils.h"

#include <QFileInfo>

#include "app/htmlextensions.h"

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
