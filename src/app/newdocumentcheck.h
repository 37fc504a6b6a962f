#pragma once

#include <QString>

// Checks the template named in the "New HTML Document" dialog. Returns the message to
// show when the name cannot be used (nothing entered, or not an existing file; a folder
// does not count), or an empty text when it can.
QString CheckTemplateChoice(const QString &name);
