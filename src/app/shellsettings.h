#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include "editor/colorcoding.h"
#include "platform/colortypes.h"
#include "platform/configstore.h"

// Plain rules of the main window's start-up and shutdown that need no widgets.

// The key every setting of the program lives under.
inline QString AppKey() { return PendwickKey(); }

// "ShowSplash": -1, or text that is not an integer, shows the splash window.
bool ShowSplashSetting();
// "ColorCodeMode": 0 none, 2 full, anything else minimal.
TColorCodeMode ColorCodeModeSetting();
// "BrowserLaunchSetting": 0, 1 or 2; anything else reads as 1.
int BrowserLaunchSetting();

// Fits a stored window placement to the screen: too wide or too high shrinks to the screen
// less 10 and 28 pixels, then a window that reaches past the screen moves to 5.
QRect FitPlacement(QRect stored, QSize screen);

// Appends "stamp: message" to the log file, creating it when missing.
bool AppendExceptionLog(const QString &logFile, const QString &message);

// The file name with "." + defaultExtension appended when it has no extension.
QString WithDefaultExtension(const QString &fileName, const QString &defaultExtension);

// The window caption for a document (empty: untitled).
QString MainCaption(const QString &documentPath);
