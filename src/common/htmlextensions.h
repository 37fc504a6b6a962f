#pragma once

#include <QString>
#include <QStringList>

// The file extensions (without the dot, e.g. "HTML") the program treats as HTML documents.
// Process-wide; starts out as the defaults until LoadHTMLExtensions reads the saved list.
QStringList &HTMLExtensions();
QStringList DefaultHTMLExtensions();

// Reads the list from key + "\HTMLExtensions" (values "Extension1".."Extension15",
// up to the first empty one); with nothing saved the list is the defaults.
void LoadHTMLExtensions(const QString &key);
// Replaces the saved list with the current one.
void SaveHTMLExtensions(const QString &key);

// True when the file's extension is one of the list, compared without regard to case.
bool IsHTMLFile(const QString &fileName);

// "*.HTML;*.HTM;..." with the separator after every entry, the last one included.
QString ExtensionFilter(const QString &separator);

// The filter of the open and save dialogs as "caption|patterns|caption|patterns|...".
QString OpenSaveDialogFilter();
// Turns such a filter into Qt's form, "Caption (*.a *.b)", one per pair. Qt's dialogs
// match patterns with regard to case here, so each pattern is also listed in lower and
// upper case; "*.*" becomes "*" so names without a dot are listed too.
QStringList QtNameFilters(const QString &pipeFilter);

// The full absolute form of a path with each existing component spelled as the file
// system lists it ("/TMP/x" becomes "/tmp/x" when only "/tmp" exists). Components from
// the first one that cannot be found (or is ambiguous) on are kept as given.
QString LongPath(const QString &path);
