#pragma once

#include <QString>

// Every backslash of text becomes a forward slash.
QString BackslashesToSlashes(const QString &text);

// The path from baseFolder to targetFolder as a link in HTML needs it: forward slashes,
// "../" for each step up, ending in "/"; empty for the same folder. With lowerCase both
// are lower-cased first. An empty base gives the target without its drive part, an empty
// target the base. Folders on different drives give the target's path without the drive.
// A file reference is this followed by the file's name.
QString RelativeFolder(const QString &baseFolder, const QString &targetFolder, bool lowerCase);
