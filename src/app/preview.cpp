#include "app/preview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <algorithm>

#include "platform/configstore.h"

namespace Preview {

QString MissingBrowserMessage(const QString &path)
{
    return QStringLiteral("The selected browser could not be found at \"") + path
        + QStringLiteral("\".  Please update this browser's location.");
}

// ---- The browser list.

BrowserEntry ParseBrowserEntry(const QString &entry)
{
    const qsizetype bar = entry.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {entry, QString()};
    return {entry.left(bar), entry.mid(bar + 1)};
}

QString FormatBrowserEntry(const QString &name, const QString &path)
{
    return name + QLatin1Char('|') + path;
}

QStringList ReadBrowserList()
{
    return ConfigStore::ReadList(BrowsersKey(), QStringLiteral("Browser"), MaxBrowsers);
}

bool WriteBrowserList(const QStringList &entries)
{
    return ConfigStore::WriteList(BrowsersKey(), QStringLiteral("Browser"), entries.mid(0, MaxBrowsers));
}

int FindBrowserByName(const QStringList &entries, const QString &name)
{
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (ParseBrowserEntry(entries.at(i)).name == name)
            return int(i);
    return -1;
}

// ---- Reaching a browser.

DdeClient::~DdeClient() = default;

bool NullDdeClient::Connect(const QString &, const QString &, const QString &) { return false; }
bool NullDdeClient::Request(const QString &, QString *) { return false; }
void NullDdeClient::Disconnect() {}

std::unique_ptr<DdeClient> CreateDdeClient()
{
    return std::make_unique<NullDdeClient>();
}

namespace {
// The file name part of a path written with either kind of separator.
QString FileNamePart(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

// Length of the extension (with its dot) of a file name, 0 when there is none.
qsizetype ExtensionLength(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? 0 : fileName.size() - dot;
}
} // namespace

QString BrowserServiceName(const QString &browserPath)
{
    const QString name = FileNamePart(browserPath);
    return name.left(name.size() - ExtensionLength(name)).toUpper();
}

QString BrowserPathWithoutExtension(const QString &browserPath)
{
    return browserPath.left(browserPath.size() - ExtensionLength(FileNamePart(browserPath)));
}

QString BrowserDdeUrl(const QString &documentPath)
{
    QString url = QStringLiteral("file:///") + documentPath;
    for (qsizetype i = 7; i < url.size(); ++i) {
        if (url.at(i) == QLatin1Char(':'))
            url[i] = QLatin1Char('|');
        else if (url.at(i) == QLatin1Char('\\'))
            url[i] = QLatin1Char('/');
    }
    return url;
}

BrowserLaunch PlanBrowserLaunch(const QString &browserPath, const QString &documentPath)
{
    BrowserLaunch plan;
    plan.program = browserPath;
    plan.service = BrowserServiceName(browserPath);
    plan.serviceApplication = BrowserPathWithoutExtension(browserPath);
    if (plan.service == QLatin1String("IE20"))
        plan.arguments = {QStringLiteral("file:") + documentPath};
    else
        plan.arguments = {documentPath};
    if (plan.service == QLatin1String("NETSCAPE") || plan.service == QLatin1String("IEXPLORE")) {
        plan.tryDde = true;
        plan.activateTopic = QStringLiteral("WWW_Activate");
        plan.activateItem = QStringLiteral("0xFFFFFFFF, 0x0");
        plan.openTopic = QStringLiteral("WWW_OpenURL");
        plan.openItem = BrowserDdeUrl(documentPath) + QStringLiteral(",,0xFFFFFFFF,,,,");
    }
    return plan;
}

bool OpenThroughDde(DdeClient &dde, const BrowserLaunch &plan)
{
    if (!plan.tryDde)
        return false;
    try {
        if (!dde.Connect(plan.serviceApplication, plan.service, plan.activateTopic)
            && !dde.Connect(plan.serviceApplication, plan.service, plan.activateTopic))
            return false;
        QString answer;
        dde.Request(plan.activateItem, &answer);
        dde.Disconnect();

        if (!dde.Connect(QString(), plan.service, plan.openTopic))
            return false;
        dde.Request(plan.openItem, &answer);
        dde.Disconnect();
        return true;
    } catch (...) {
        return false;
    }
}

bool StartProgramDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool SendToBrowser(const QString &browserPath, const QString &documentPath, DdeClient &dde,
                   const ProgramStarter &start)
{
    const BrowserLaunch plan = PlanBrowserLaunch(browserPath, documentPath);
    if (plan.tryDde && OpenThroughDde(dde, plan))
        return true;
    return start(plan.program, plan.arguments);
}

// ---- Which file the browser gets.

int NormalizedLaunchSetting(int setting)
{
    return (setting >= 0 && setting <= 2) ? setting : 1;
}

LaunchDecision DecideLaunch(int setting, bool modified, bool untitled)
{
    const int s = NormalizedLaunchSetting(setting);
    if (s == 2)
        return {LaunchAction::SendTemporaryCopy, QString()};
    if (untitled)
        return {LaunchAction::SaveAsThenSend, MustSaveMessage()};
    if (!modified)
        return {LaunchAction::SendFile, QString()};
    return {s == 1 ? LaunchAction::SaveThenSend : LaunchAction::PromptSaveThenSend, QString()};
}

// ---- Temporary preview copies.

QString PreviewCopies::Create(const QString &documentPath, const QString &fallbackFolder, const QString &text,
                              const TTextFileFormat &format)
{
    DeleteAll();
    const QString folder = documentPath.isEmpty() ? fallbackFolder : QFileInfo(documentPath).absolutePath();
    if (folder.isEmpty())
        return QString();
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("~pwXXXXXX.html")));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    // The copy carries the document's own encoding, which its META charset may name.
    TTextFileFormat copyFormat = format;
    const QByteArray bytes = EncodeText(text, copyFormat);
    const QString name = QFileInfo(file.fileName()).absoluteFilePath();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.close();
        QFile::remove(name);
        return QString();
    }
    file.close();
    m_files.append(name);
    return name;
}

int PreviewCopies::DeleteAll()
{
    QStringList kept;
    for (const QString &name : std::as_const(m_files)) {
        // Names of copies that are gone already, or could not be deleted, are kept for the
        // next round.
        if (!(QFile::exists(name) && QFile::remove(name)))
            kept.append(name);
    }
    m_files = kept;
    return int(m_files.size());
}

PreviewCopies &TemporaryPreviews()
{
    static PreviewCopies copies;
    return copies;
}

} // namespace Preview
