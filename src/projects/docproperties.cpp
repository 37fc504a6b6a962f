#include "projects/docproperties.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include "common/filetext.h"
#include "platform/messagebox.h"

void ShowDocumentProperties(QWidget *parent, const QString &file)
{
    const QFileInfo info(file);
    if (!info.isFile()) {
        MessageBox(mkError, QStringLiteral("File not found."), mbOK, parent);
        return;
    }
    const QLocale locale;
    QString text = file + QStringLiteral("\n\nTitle: ") + DocumentTitle(file)
                   + QStringLiteral("\nSize: ") + locale.toString(info.size()) + QStringLiteral(" bytes");
    const QDateTime created = info.birthTime();
    if (created.isValid())
        text += QStringLiteral("\nCreated: ") + locale.toString(created, QLocale::ShortFormat);
    text += QStringLiteral("\nModified: ") + locale.toString(info.lastModified(), QLocale::ShortFormat);
    MessageBox(mkInformation, text, mbOK, parent);
}
