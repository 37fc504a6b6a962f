#include "platform/dropfiles.h"

#include <QMimeData>
#include <QUrl>

QStringList LocalFilesOf(const QMimeData *data)
{
    QStringList paths;
    if (data && data->hasUrls())
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    return paths;
}
