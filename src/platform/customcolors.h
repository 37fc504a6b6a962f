#pragma once

#include <QString>
#include <QStringList>

#include "platform/colortypes.h"

// The custom colours of the colour dialogs: sixteen entries "ColorA=FFFFFF" ...
// "ColorP=...", kept under key + "\CustomColors" as values "Color1" ... "Color16". The
// digits are the colour value 0x00BBGGRR in hexadecimal (blue first), as the colour
// dialogs exchange them.
constexpr int CustomColorCount = 16;
// The saved entries; a missing or empty one is white under its own letter.
QStringList ReadCustomColors(const QString &key);
// Replaces the saved entries with these.
bool WriteCustomColors(const QString &key, const QStringList &entries);
// The entry for slot index (0-based) holding the colour.
QString CustomColorEntry(int index, TColor color);
// The colour an entry holds; white when it holds no valid digits.
TColor CustomColorEntryColor(const QString &entry);

// Qt's colour dialogs share one set of custom colours; these load the saved entries into
// that set and save it back.
void LoadCustomColors(const QString &key);
void SaveCustomColors(const QString &key);
