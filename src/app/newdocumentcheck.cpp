#include "app/newdocumentcheck.h"

#include <QFileInfo>

QString CheckTemplateChoice(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please enter the name of a file to use as a template.");
    if (!QFileInfo(name).isFile())
        return QStringLiteral("This file does not exist.  Please select a different template file.");
    return QString();
}
