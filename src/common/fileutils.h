#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QDateTime;

// File kinds by extension, as the file panel, the drop of files and the tag dialogs see them.
enum TFileKind { fkDocument, fkStyleSheet, fkImage, fkSound, fkVideo, fkUnknown };

// CSS is a style sheet although it is on the HTML extension list; images, sounds and
// videos by their extensions; other extensions of the HTML list are documents.
TFileKind FileKindOf(const QString &fileName);

// The full paths of the files in folder matching any of the masks separated by "|"
// ("*.html|*.htm"), each file once. Masks ignore letter case; "*.*" also matches names
// without a dot. Hidden files, folders and special files are left out. Per mask in
// name order; an empty folder name gives no files.
QStringList ListFiles(const QString &folder, const QString &masks);

// Creates a new empty file with a unique name (prefix, random part, extension) in
// folder, or in the system's temporary folder when none is given, and returns its full
// name; empty when it could not be created.
QString TemporaryFileName(const QString &prefix, const QString &folder = QString(),
                          const QString &extension = QStringLiteral(".tmp"));

// An existing file whose folder exists, or an existing folder.
bool PathUsable(const QString &path);

// "Tuesday, March 5, 2024 2:07:09 PM": the time in local time, with the names and time
// format of the current locale (long forms, without a time zone). Empty for an invalid time.
QString FileDateText(const QDateTime &time);
// The locale's long time format without its time zone ("t" outside quoted text): a time
// of day shown in a document or a file list carries none.
QString LongTimeFormatWithoutZone(const QLocale &locale);

