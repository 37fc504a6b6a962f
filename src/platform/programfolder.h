#pragma once

#include <functional>

#include <QString>

class QWidget;

// The folder the running program lives in, with a trailing "/". Its data files (help
// pages, images, the default template) are installed beside it.
QString ProgramFolder();

// Makes ProgramFolder() answer `folder` instead (a trailing "/" is added when missing);
// an empty text goes back to the program's real folder. Tests use this to point the
// program at a folder of their own.
void SetProgramFolder(const QString &folder);

// Where a file the program writes beside itself ("Exception.log", "Custom.dct",
// "styles.dat") is read and written. A copy in the per-user data folder wins when it
// exists; otherwise the file lives in the program folder when that folder is writable,
// and in the per-user data folder (created as needed) when it is not, as happens when
// the program is installed system-wide.
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
