#pragma once

#include <QStringList>

class QMimeData;

// The local files a drag from a file manager carries (text/uri-list), as full paths.
QStringList LocalFilesOf(const QMimeData *data);
