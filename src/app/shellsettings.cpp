#include "app/shellsettings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "platform/configstore.h"

bool ShowSplashSetting()
{
    const QString text = ConfigStore::Read(AppKey(), QStringLiteral("ShowSplash"), QStringLiteral("-1"));
    return ConfigStore::ParseInt(text, -1) == -1;
}

TColorCodeMode ColorCodeModeSetting()
{
    switch (ConfigStore::ReadInt(AppKey(), QStringLiteral("ColorCodeMode"), 2)) {
    case 0: return ccNone;
    case 2: return ccFull;
    default: return ccMinimal;
    }
}

int BrowserLaunchSetting()
{
    const int v = ConfigStore::ReadInt(AppKey(), QStringLiteral("BrowserLaunchSetting"), 0);
    return (v >= 0 && v <= 2) ? v : 1;
}

QRect FitPlacement(QRect stored, QSize screen)
{
    int left = stored.x(), top = stored.y(), width = stored.width(), height = stored.height();
    if (screen.width() < width)
        width = screen.width() - 10;
    if (screen.height() < height)
        height = screen.height() - 28;
    if (screen.width() < width + left)
        left = 5;
    if (screen.height() < height + top)
        top = 5;
    return QRect(left, top, width, height);
}

bool AppendExceptionLog(const QString &logFile, const QString &message)
{
    QFile f(logFile);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    const QString stamp = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    f.write((stamp + QStringLiteral(": ") + message + u'\n').toUtf8());
    return f.error() == QFile::NoError;
}

QString WithDefaultExtension(const QString &fileName, const QString &defaultExtension)
{
    if (QFileInfo(fileName).fileName().contains(u'.') || defaultExtension.isEmpty())
        return fileName;
    return fileName + u'.' + defaultExtension;
}

QString MainCaption(const QString &documentPath)
{
    return QStringLiteral("Pendwick v2.0 Beta 2 - [%1]")
        .arg(documentPath.isEmpty() ? QStringLiteral("Untitled") : documentPath);
}
