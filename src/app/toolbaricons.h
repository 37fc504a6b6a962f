#pragma once

#include <QIcon>
#include <QString>

// The icons of the main toolbar's buttons, by the button's object name ("spdSave").
QIcon ToolbarIcon(const QString &name);
