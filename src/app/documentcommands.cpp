#include "app/documentcommands.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "app/filepanel.h"
#include "app/htmltab.h"
#include "app/mainsettings.h"
#include "app/mainwindow.h"
#include "app/newdocument.h"
#include "app/notices.h"
#include "app/shellsettings.h"
#include "common/fileutils.h"
#include "common/htmlextensions.h"
#include "common/textfile.h"
#include "dialogs/tagdialog.h"
#include "editor/richhtml.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"
#include "projects/openfromweb.h"
#include "projects/projectfile.h"
#include "projects/publishing.h"
#include "projects/webfetch.h"
#include "projects/projectsdialog.h"
#include "tools/extreplacedialog.h"
#include "app/windowlayout.h"

namespace {

// While a page is fetched: the window busy, the hourglass, and Escape stopping the fetch
// (taken before any shortcut of the window sees it); all undone however the fetch ends.
class TFetchGuard : public QObject
{
public:
    TFetchGuard(TfMain &main, TWebFetch &fetch) : m_main(main), m_fetch(fetch)
    {
        m_main.SetBusy(true);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~TFetchGuard() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        QGuiApplication::restoreOverrideCursor();
        m_main.SetBusy(false);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        if (key && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            m_fetch.Stop();
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TfMain &m_main;
    TWebFetch &m_fetch;
};

} // namespace

TDocumentCommands::TDocumentCommands(TfMain &main) : QObject(&main), m_main(main) {}

// The Open and Save dialogs' filter, built from the HTML extension list.
QString TDocumentCommands::Filter() const
{
    return QtNameFilters(OpenSaveDialogFilter()).join(QStringLiteral(";;"));
}

// A new document takes the colour coding and the word wrap of the active one.
TColorCodeMode TDocumentCommands::ActiveMode() const
{
    return m_main.ActiveEditor()->ColorCodeMode();
}

bool TDocumentCommands::ActiveWrap() const
{
    return m_main.ActiveEditor()->lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TDocumentCommands::LoadRecentFiles()
{
    m_mru.Load(RecentFilesKey());
    RefreshMRUMenu();
}

void TDocumentCommands::SaveRecentFiles() const
{
    m_mru.Save(RecentFilesKey());
}

void TDocumentCommands::RefreshMRUMenu()
{
    for (int n = 1; n <= TMRUList::Size; ++n) {
        QAction *a = m_main.Action(QStringLiteral("mnuMRU_%1").arg(n));
        const QString caption = m_mru.Caption(n);
        // The file name is kept apart from the caption, where "&" would mark a letter.
        a->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
        a->setData(caption);
        a->setEnabled(caption != TMRUList::EmptyEntry());
        if (caption == TMRUList::EmptyEntry())
            a->setText(caption);
    }
}

void TDocumentCommands::DocumentsChanged()
{
    m_main.AttachEditors();
    m_main.UpdateCaption();
    m_main.RefreshForActiveDocument();
}

void TDocumentCommands::NewDocument()
{
    bool blank = true;
    QString templatePath;
    if (!TfNewDocument::Execute(&m_main, m_main.Settings().DocumentTemplate, blank, templatePath))
        return;
    if (blank) {
        m_main.HTMLTab()->AddDocument(QString(), ActiveMode(), ActiveWrap());
        DocumentsChanged();
    } else {
        NewFromTemplate(templatePath);
    }
}

void TDocumentCommands::NewFromTemplate(const QString &templateFile)
{
    TkrHTMLTab *tabs = m_main.HTMLTab();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    tabs->AddDocument(QString(), ActiveMode(), ActiveWrap());
    m_main.AttachEditors();
    TkrRichHTML *e = m_main.ActiveEditor();
    if (!templateFile.isEmpty() && QFileInfo(templateFile).isFile()) {
        QCoreApplication::processEvents();
        if (e->LoadDocument(templateFile)) {
            // The new document has the template's text but no file name of its own.
            e->ClearFilename();
            tabs->SetFileName(tabs->TabIndex(), QString());
            const QTextCursor body = e->document()->find(QStringLiteral("<BODY"));
            if (!body.isNull()) {
                const int line = e->LineFromChar(body.selectionStart());
                e->Select(e->LineStart(std::min(line + 1, e->LineCount() - 1)), 0);
                if (line + 1 >= e->LineCount())
                    e->Select(e->TextLength(), 0);
            }
        } else {
            MessageBox(mkError, e->LastError(), mbOK, &m_main);
        }
    }
    e->SetModified(false);
    m_main.UpdateCaption();
    m_main.RefreshForActiveDocument();
    QGuiApplication::restoreOverrideCursor();
}

bool TDocumentCommands::OpenDocument(const QString &fileName)
{
    TkrHTMLTab *tabs = m_main.HTMLTab();
    QString f = fileName;
    if (f.isEmpty()) {
        f = RunFileDialog(fdOpen, &m_main, QStringLiteral("Open HTML Document"), m_main.OpenDialogFolder(), Filter());
        if (f.isEmpty())
            return false;
        m_main.SetOpenDialogFolder(QFileInfo(f).absolutePath());
    }
    QCoreApplication::processEvents();
    if (!QFileInfo(f).isFile()) {
        MessageBox(mkError, QStringLiteral("File not found."), mbOK, &m_main);
        return false;
    }
    if (ActivateIfOpen(f))
        return true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = tabs->AddDocument(QFileInfo(f).absoluteFilePath(), ActiveMode(), ActiveWrap());
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        // Nothing is left bound to a file that could not be read.
        MessageBox(mkError, tabs->LastError(), mbOK, &m_main);
        return false;
    }
    m_main.AttachEditors();
    m_main.ActiveEditor()->setFocus();
    m_main.ActiveEditor()->SetModified(false);
    if (m_mru.Add(QFileInfo(f).absoluteFilePath()))
        RefreshMRUMenu();
    m_main.UpdateCaption();
    m_main.RefreshForActiveDocument();
    m_main.FilePanel().ShowFolderOfFile(QFileInfo(f).absoluteFilePath());
    return true;
}

bool TDocumentCommands::ActivateIfOpen(const QString &fileName)
{
    const int open = m_main.HTMLTab()->IndexOfFile(fileName);
    if (open < 0)
        return false;
    m_main.ShowOneTimeNotice(2);
    m_main.HTMLTab()->SetTabIndex(open);
    return true;
}

void TDocumentCommands::EditFile(const QString &fileName)
{
    if (ActivateIfOpen(fileName))
        return;
    TkrHTMLTab *tabs = m_main.HTMLTab();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = tabs->AddDocument(QFileInfo(fileName).absoluteFilePath(), ActiveMode(), ActiveWrap());
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        MessageBox(mkError, tabs->LastError(), mbOK, &m_main);
        return;
    }
    m_main.ActiveEditor()->SetModified(false);
    DocumentsChanged();
}

void TDocumentCommands::InsertDocument(const QString &fileName)
{
    QString f = fileName;
    if (f.isEmpty()) {
        f = RunFileDialog(fdOpen, &m_main, QStringLiteral("Insert Document"), m_main.OpenDialogFolder(), Filter());
        if (f.isEmpty())
            return;
        m_main.SetOpenDialogFolder(QFileInfo(f).absolutePath());
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_main.ActiveEditor()->InsertFromFile(f);
    QGuiApplication::restoreOverrideCursor();
    m_main.ActiveEditor()->setFocus();
}

bool TDocumentCommands::SaveActive()
{
    TkrRichHTML *e = m_main.ActiveEditor();
    if (e->Filename().isEmpty())
        return SaveAsActive();
    if (!e->SaveDocument(e->Filename())) {
        m_main.HandleException(e->LastError());
        return false; // the document stays modified
    }
    e->SetModified(false);
    m_main.Actions().EnableSave(false);
    m_main.FilePanel().RefreshIfTitleChanged(e->Filename());
    return true;
}

bool TDocumentCommands::SaveAsActive()
{
    TkrRichHTML *e = m_main.ActiveEditor();
    QString f = RunFileDialog(fdSave, &m_main, QStringLiteral("Save HTML Document"),
                              e->Filename().isEmpty() ? m_main.OpenDialogFolder() : e->Filename(), Filter());
    if (f.isEmpty())
        return false;
    m_main.SetOpenDialogFolder(QFileInfo(f).absolutePath());
    f = WithDefaultExtension(f, m_main.Settings().DefaultExtension);
    if (QFileInfo::exists(f) &&
        MessageBox(mkConfirm, QStringLiteral("Overwrite \"%1?").arg(f), mbYes | mbNo | mbCancel, &m_main) != mbYes)
        return false;
    if (!e->SaveDocument(f)) {
        m_main.HandleException(e->LastError());
        return false;
    }
    m_main.HTMLTab()->SetFileName(m_main.HTMLTab()->TabIndex(), f);
    m_main.UpdateCaption();
    e->SetModified(false);
    m_main.Actions().EnableSave(false);
    m_main.FilePanel().ShowFolderOfFile(f);
    return true;
}

void TDocumentCommands::SaveAll()
{
    TkrHTMLTab *tabs = m_main.HTMLTab();
    const int active = tabs->TabIndex();
    for (int i = 0; i < tabs->DocumentCount(); ++i) {
        tabs->SetTabIndex(i);
        QCoreApplication::processEvents();
        SaveActive();
    }
    tabs->SetTabIndex(active);
}

bool TDocumentCommands::SavePrompt(bool *cancelled)
{
    TkrRichHTML *e = m_main.ActiveEditor();
    if (cancelled)
        *cancelled = false;
    if (!e->Modified())
        return true;
    const QString name = e->Filename().isEmpty() ? QStringLiteral("[Untitled]") : e->Filename();
    switch (MessageBox(mkConfirm, QStringLiteral("Save changes to %1?").arg(name), mbYes | mbNo | mbCancel, &m_main)) {
    case mbYes: return SaveActive();
    case mbNo: return true;
    default:
        if (cancelled)
            *cancelled = true;
        return false;
    }
}

void TDocumentCommands::OpenFromWeb()
{
    const QString url = RunOpenFromWeb(&m_main);
    if (url.isEmpty())
        return;
    switch (WebAddressKind(url)) {
    case wkRefused: MessageBox(mkInformation, FileTypeRefusedText(), mbOK, &m_main); return;
    case wkUncertain:
        if (m_main.ShowOneTimeNotice(ntRemoteFileNotHTML) == mbCancel)
            return;
        break;
    case wkPage: break;
    }
    m_main.ShowMessage(QStringLiteral("Retrieving ") + url + QStringLiteral("..."));
    QCoreApplication::processEvents();
    TWebFetch fetch;
    TWebPage page;
    {
        const TFetchGuard guard(m_main, fetch);
        page = fetch.Fetch(url);
    }
    switch (page.Status) {
    case fsOpenFailed: MessageBox(mkError, OpenUrlErrorText(), mbOK, &m_main); break;
    case fsNoConnectivity: MessageBox(mkError, NoConnectivityErrorText(), mbOK, &m_main); break;
    case fsMediaType: MessageBox(mkInformation, FileTypeRefusedText(), mbOK, &m_main); break;
    case fsStopped: break;
    case fsOK:
        if (page.Text.isEmpty())
            break;
        m_main.HTMLTab()->AddDocument(QString(), ActiveMode(), ActiveWrap());
        m_main.AttachEditors();
        TkrRichHTML *e = m_main.ActiveEditor();
        e->InsertTags(page.Text, QString(), false);
        e->Select(0, 0);
        e->URL = url;
        DocumentsChanged();
        if (page.Cut)
            MessageBox(mkWarning, PageCutWarningText(), mbOK, &m_main);
        break;
    }
    m_main.ShowMessage();
}

void TDocumentCommands::PublishActive()
{
    // Only a saved file is published: a cancelled or failed save, or "No" on an untitled
    // document, leaves no file to hand over.
    TkrRichHTML *e = m_main.ActiveEditor();
    bool cancelled = false;
    const bool saved = SavePrompt(&cancelled);
    if (!cancelled)
        PublishFiles(saved && !e->Filename().isEmpty() ? QStringList{e->Filename()} : QStringList(), &m_main);
    e->setFocus();
}

void TDocumentCommands::CloseActive()
{
    if (!SavePrompt())
        return;
    m_main.HTMLTab()->CloseActive();
    m_main.UpdateCaption();
    m_main.RefreshForActiveDocument();
}

bool TDocumentCommands::CloseAll()
{
    const int count = m_main.HTMLTab()->DocumentCount();
    for (int i = 0; i < count; ++i) {
        if (!SavePrompt()) {
            m_main.UpdateCaption();
            m_main.RefreshForActiveDocument();
            return false;
        }
        m_main.HTMLTab()->CloseActive();
        QCoreApplication::processEvents();
    }
    m_main.UpdateCaption();
    m_main.RefreshForActiveDocument();
    QCoreApplication::processEvents();
    m_currentProject.clear();
    return true;
}

void TDocumentCommands::ExportUnix()
{
    QString f = RunFileDialog(fdSave, &m_main, QStringLiteral("Export as Unix (LF only)"), m_main.OpenDialogFolder(), Filter());
    if (f.isEmpty())
        return;
    f = WithDefaultExtension(f, m_main.Settings().DefaultExtension);
    // The text as it stands with CR LF line ends as LF; the document keeps its name and state.
    TTextFileFormat format = UnixLineEnds(m_main.ActiveEditor()->SaveFormat());
    QString error;
    if (!WriteTextFile(f, m_main.ActiveEditor()->Text(), format, error)) {
        m_main.HandleException(error);
        return;
    }
    m_main.FilePanel().Refresh();
}

void TDocumentCommands::PrintActive()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, &m_main);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintActiveTo(printer);
}

bool TDocumentCommands::PrintActiveTo(QPrinter &printer)
{
    const QString name = m_main.ActiveEditor()->Filename();
    printer.setDocName(name.isEmpty() ? QStringLiteral("[Untitled]") : name);
    try {
        m_main.ActiveEditor()->print(&printer);
        return true;
    } catch (...) {
        return false; // errors while printing are swallowed
    }
}

void TDocumentCommands::OpenFromCommandLine(const QString &argument)
{
    if (argument.isEmpty())
        return;
    if (!QFileInfo(argument).isFile()) {
        // Told as Open tells it; start-up goes on with the untitled document.
        OpenDocument(argument);
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString path = LongPath(argument);
    // The file becomes the first document fully: tab, document list entry and text.
    const bool ok = m_main.HTMLTab()->AddDocument(path, ActiveMode(), ActiveWrap());
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        MessageBox(mkError, m_main.HTMLTab()->LastError(), mbOK, &m_main); // names the file and says why
        return;
    }
    m_main.AttachEditors();
    m_main.SetOpenDialogFolder(QFileInfo(path).absolutePath());
    m_mru.Add(path);
    RefreshMRUMenu();
    m_main.UpdateCaption();
    m_main.RefreshForActiveDocument();
}

void TDocumentCommands::DropFiles(const QStringList &paths)
{
    // Each file becomes an element at the caret, built without showing a dialog.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TkrRichHTML *e = m_main.ActiveEditor();
    e->Select(e->SelStart(), 0);
    const TDialogContext context = m_main.DialogContext();
    for (const QString &path : paths) {
        QString linkTarget;
        const TTagResult text = TextFromFile(context, path, m_main.Settings().MultimediaFormat != 0, &linkTarget);
        if (text.StartText.isEmpty()) {
            QGuiApplication::restoreOverrideCursor();
            ::ShowMessage(QStringLiteral("Unknown file type \"%1\"").arg(path));
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            continue;
        }
        e->InsertTags(text.StartText, text.EndText, false);
        if (!linkTarget.isEmpty())
            RememberLinkTarget(linkTarget);
    }
    QGuiApplication::restoreOverrideCursor();
}

void TDocumentCommands::ShowProjects()
{
    TProjectHost host;
    host.CloseAll = [this] { return CloseAll(); };
    host.SetColorCoding = [this](TColorCodeMode mode) { m_main.SetColorCoding(mode); };
    host.OpenDocument = [this](const QString &file) { return OpenDocument(file); };
    // A deleted project can no longer be the current one.
    host.ProjectDeleted = [this](const QString &path) {
        if (!m_currentProject.isEmpty() && SameFile(path, m_currentProject))
            m_currentProject.clear();
    };
    TfProjects dialog(std::move(host), &m_main);
    dialog.exec();
    if (!dialog.ProjectPath().isEmpty())
        m_currentProject = dialog.ProjectPath();
}

void TDocumentCommands::ShowExtendedReplace()
{
    if (!m_extReplace) {
        TExtReplaceHost host;
        TkrHTMLTab *tabs = m_main.HTMLTab();
        host.DocumentCount = [tabs] { return tabs->DocumentCount(); };
        host.Editor = [tabs](int i) { return tabs->Editor(i); };
        host.FileName = [tabs](int i) { return tabs->FileName(i); };
        host.ActiveIndex = [tabs] { return tabs->TabIndex(); };
        host.SetActiveIndex = [tabs](int i) { tabs->SetTabIndex(i); };
        host.Reload = [tabs](int i) { return tabs->Reload(i); };
        host.PanelFolder = [this] { return m_main.Settings().InitialDir; };
        host.CurrentProject = [this] { return m_currentProject; };
        host.Progress = [this](const QString &caption, int percent) { m_main.Layout().ShowProgress(caption, percent); };
        host.StatusText = [this](const QString &text) { m_main.ShowMessage(text.trimmed()); };
        m_extReplace = new TfReplace(std::move(host), &m_main);
    }
    m_extReplace->Execute();
}
