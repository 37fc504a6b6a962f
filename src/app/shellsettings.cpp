#include "app/shellsettings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "app/mainsettings.h"

bool ShowSplashSetting()
{
    TMainSettings settings;
    settings.LoadValue(&TMainSettings::ShowSplash);
    return settings.ShowSplash == -1;
}

TColorCodeMode ColorCodeModeSetting()
{
    TMainSettings settings;
    settings.LoadValue(&TMainSettings::ColorCodeMode);
    return ColorCodeModeOf(settings.ColorCodeMode);
}

int BrowserLaunchSetting()
{
    TMainSettings settings;
    settings.LoadValue(&TMainSettings::BrowserLaunchSetting);
    return BrowserLaunchOf(settings.BrowserLaunchSetting);
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
