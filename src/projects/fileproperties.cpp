#include "projects/fileproperties.h"

#include <QFileInfo>

#include "common/filetext.h"
#include "common/fileutils.h"
#include "common/imagesize.h"

QString FileSizeText(qint64 bytes)
{
    QString kilobytes = QString::number(double(bytes) / 1024.0, 'f', 2);
    while (kilobytes.endsWith(u'0'))
        kilobytes.chop(1);
    if (kilobytes.endsWith(u'.'))
        kilobytes.chop(1);
    return kilobytes + QStringLiteral("K (") + QString::number(bytes) + QStringLiteral(" bytes)");
}

TFileProperties ReadFileProperties(const QString &path)
{
    TFileProperties properties;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return properties;
    properties.FileName = info.fileName();
    properties.Size = FileSizeText(info.size());
    properties.Created = FileDateText(info.birthTime());
    properties.Modified = FileDateText(info.lastModified());
    switch (FileKindOf(path)) {
    case fkDocument:
        properties.Title = DocumentTitle(path);
        properties.ShowPages = true;
        properties.Links = CollectQuotedValues(QStringLiteral("HREF=\""), path, true);
        properties.Dependencies = CollectQuotedValues(QStringLiteral("SRC=\""), path, true);
        break;
    case fkImage: {
        const TImageSize size = ImageSize(path);
        properties.TitleLabel = QStringLiteral("Dimensions:");
        properties.Title = QString::number(size.Width) + QStringLiteral(" x ") + QString::number(size.Height);
        break;
    }
    default:
        properties.TitleLabel.clear();
        break;
    }
    return properties;
}
