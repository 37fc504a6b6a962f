#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "common/textfile.h"
#include "platform/configstore.h"

// Showing the active document in an external browser: the browser list, the choice of
// the file a browser gets, how the browser is reached, and the temporary preview copies.

namespace Preview {

inline QString BrowsersKey() { return PendwickKey(u"ExternalBrowsers"); }
constexpr int MaxBrowsers = 5;

inline QString NoBrowserMessage() { return QStringLiteral("Please specify an external browser."); }
inline QString MustSaveMessage() { return QStringLiteral("This document must be saved in order to display it."); }
inline QString BusyStatus() { return QStringLiteral("Processing previous request..."); }
// The information shown when a browser's executable does not exist.
QString MissingBrowserMessage(const QString &path);

// ---- The browser list: entries "name|path" in "Browser1" ... "Browser5".

struct BrowserEntry
{
    QString name; // text before the first "|" (the whole entry when there is none)
    QString path; // text after it (empty when there is none)
};

BrowserEntry ParseBrowserEntry(const QString &entry);
QString FormatBrowserEntry(const QString &name, const QString &path);
// Reads the entries in order; reading stops at the first empty value, at most five.
QStringList ReadBrowserList();
// Replaces the stored list (entries past the fifth are dropped).
bool WriteBrowserList(const QStringList &entries);
// The index of the first entry whose name equals name exactly, or -1.
int FindBrowserByName(const QStringList &entries, const QString &name);

// ---- Reaching a browser.

// A DDE-style conversation with a browser. Connect opens a conversation (starting
// serviceApplication when nobody answers, if given); Request sends a text request.
class DdeClient
{
public:
    virtual ~DdeClient();
    virtual bool Connect(const QString &serviceApplication, const QString &service, const QString &topic) = 0;
    virtual bool Request(const QString &item, QString *answer) = 0;
    virtual void Disconnect() = 0;
};

// The conversation available on this platform: there is no DDE here, so every
// connection attempt fails and the command line is used instead.
class NullDdeClient : public DdeClient
{
public:
    bool Connect(const QString &serviceApplication, const QString &service, const QString &topic) override;
    bool Request(const QString &item, QString *answer) override;
    void Disconnect() override;
};

std::unique_ptr<DdeClient> CreateDdeClient();

// The browser's file name without its extension, upper-cased ("NETSCAPE").
QString BrowserServiceName(const QString &browserPath);
// The browser's full path without its extension (what a conversation starts).
QString BrowserPathWithoutExtension(const QString &browserPath);
// "file:///" + path with, from the 8th character on, ":" as "|" and "\" as "/":
// C:\WEB\INDEX.HTM gives file:///C|/WEB/INDEX.HTM.
QString BrowserDdeUrl(const QString &documentPath);

// What sending a document to a browser does.
struct BrowserLaunch
{
    QString program;        // the executable, started directly (never through a shell)
    QStringList arguments;  // the document, always one argument of its own
    bool tryDde = false;    // a conversation is tried before the program is started
    QString service;        // service name from the executable's name
    QString serviceApplication; // the executable without extension
    QString activateTopic;  // "WWW_Activate" when tryDde
    QString activateItem;   // "0xFFFFFFFF, 0x0"
    QString openTopic;      // "WWW_OpenURL" when tryDde
    QString openItem;       // URL + ",,0xFFFFFFFF,,,,"
};

BrowserLaunch PlanBrowserLaunch(const QString &browserPath, const QString &documentPath);

// Runs the conversation of a plan: activate (connect tried twice), then open the URL.
// Returns whether the browser took the document.
bool OpenThroughDde(DdeClient &dde, const BrowserLaunch &plan);

using ProgramStarter = std::function<bool(const QString &program, const QStringList &arguments)>;
// QProcess::startDetached(program, arguments).
bool StartProgramDetached(const QString &program, const QStringList &arguments);

// Sends the document: the conversation first when the plan asks for it, otherwise (or
// when it fails) the program started with the document as its argument. Returns
// whether the document was handed over (by conversation or a started program).
bool SendToBrowser(const QString &browserPath, const QString &documentPath, DdeClient &dde,
                   const ProgramStarter &start = StartProgramDetached);

// ---- Which file the browser gets.

// Launch settings: 0 ask whether to save, 1 save automatically, 2 temporary copy;
// any other value behaves as 1.
enum class LaunchAction {
    SendFile,          // the document's file as it is on disk
    SaveThenSend,      // save the modified document; stop when that fails
    PromptSaveThenSend, // save prompt: Yes saves, No sends the file on disk, Cancel stops
    SaveAsThenSend,    // untitled: show message (OK/Cancel), then Save As; stop on failure
    SendTemporaryCopy, // write the editor's text to a new temporary preview copy
};

struct LaunchDecision
{
    LaunchAction action = LaunchAction::SendFile;
    QString message; // the question for SaveAsThenSend, empty otherwise
};

int NormalizedLaunchSetting(int setting);
LaunchDecision DecideLaunch(int setting, bool modified, bool untitled);

// ---- Temporary preview copies ("~pw" + unique part + ".html").

class PreviewCopies
{
public:
    // Deletes the earlier copies, then writes text, encoded as the document is saved, to a new file made with an
    // exclusive, unpredictable name in the document's folder, or in fallbackFolder for
    // an untitled document (empty documentPath). The file is kept and listed. Returns
    // its full name, or an empty text when it could not be made.
    QString Create(const QString &documentPath, const QString &fallbackFolder, const QString &text,
                   const TTextFileFormat &format = TTextFileFormat());
    // Deletes every listed copy; names that could not be deleted stay listed for the
    // next try. Returns how many are still listed.
    int DeleteAll();
    const QStringList &Files() const { return m_files; }

private:
    QStringList m_files;
};

// The copies made by this process.
PreviewCopies &TemporaryPreviews();

} // namespace Preview
