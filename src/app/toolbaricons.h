#pragma once

#include <QIcon>
#include <QString>

// The icons of the main toolbar's buttons, by the button's object name ("spdSave"): the
// images in "toolbar" beside the program (drawn by scripts/make-glyphs.sh); none when missing.
QIcon ToolbarIcon(const QString &name);
