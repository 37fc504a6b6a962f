#pragma once

#include <QString>

// The custom colours of the colour dialogs, kept under key + "\CustomColors" (see
// app/colortext.h). Qt's colour dialogs share one set of custom colours, so these load
// into and save from that set.
void LoadCustomColors(const QString &key);
void SaveCustomColors(const QString &key);
