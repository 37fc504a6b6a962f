#pragma once

#include <functional>

#include <QString>

class QWidget;

// The folder the program's data files (help pages, images, the default template) are read
// from, with a trailing "/": the executable's own folder in the build tree, where the data
// is copied beside the program, or "../share/pendwick/" from it when the program is
// installed (see DataFolderFor).
QString ProgramFolder();

// Where the data of a program whose executable lives in `executableFolder` is: that folder
// when it holds "Tags.dat"; otherwise "<executableFolder>/../share/pendwick/" when that
// folder exists (`installed` is then set); otherwise the executable's folder.
QString DataFolderFor(const QString &executableFolder, bool *installed = nullptr);

// Whether the program runs from an installed tree (its data under share/pendwick). The
// installed tree is never written to, even when it is writable.
bool ProgramIsInstalled();

// Makes ProgramFolder() answer `folder` instead (a trailing "/" is added when missing);
// an empty text goes back to the program's real folder. Tests use this to point the
// program at a folder of their own.
void SetProgramFolder(const QString &folder);

// Where a file the program writes beside itself ("Exception.log", "Custom.dct",
// "styles.dat") is read and written. A copy in the per-user data folder wins when it
// exists; otherwise the file lives in the program folder when that folder is writable
// and the program is not installed, and in the per-user data folder (created as needed)
// when it is.
QString DataFilePath(const QString &name);

// The per-user data folder, with a trailing "/" (not created here).
QString UserDataFolder();

// The help page to open for a topic: helpFolder + "topicN.html" when that page exists
// (topics are numbered from 1; 0 asks for the contents), else the contents page helpFolder + "contents.html" when that exists, else an empty
// text (there is no help to show).
QString HelpTopicFile(const QString &helpFolder, int topic);

// How a window outside the program's own units asks for a help topic (F1): the help
// window registers itself as the handler at start-up; while none is set nothing happens.
using THelpTopicHandler = std::function<void(int topic, QWidget *parent)>;
void SetHelpTopicHandler(THelpTopicHandler handler);
void RequestHelpTopic(int topic, QWidget *parent);
