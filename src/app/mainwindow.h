#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "app/documentcommands.h"
#include "app/editcommands.h"
#include "app/mainactions.h"
#include "app/mainsettings.h"
#include "app/previewpage.h"
#include "app/windowlayout.h"
#include "dialogs/tagdialog.h"
#include "editor/colorcoding.h"
#include "editor/tagbuttons.h"

class QAction;
class QPrinter;
class QTabWidget;
class TkrHTMLTab;
class TkrRichHTML;
class TkrSpeedbar;
class TkrTableSizer;
class TFindDialog;
class TFilePanel;
class TReplaceDialog;
class TRecoveryWriter;
namespace Spell {
class TRichSpell;
}

// The main window. It owns the window and the units it is made of: the window's layout
// (TWindowLayout), its actions (TMainActions), the document commands
// (TDocumentCommands), the edit commands (TEditCommands) and the preview
// (TPreviewPage). Creating it reads the settings and shows it; closing it asks to save
// modified documents and writes the settings back.
class TfMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfMain(QWidget *parent = nullptr);
    ~TfMain() override;

    TkrRichHTML *ActiveEditor() const;
    TkrHTMLTab *HTMLTab() const { return m_layout->krHTMLTab; }

    TMainSettings &Settings() { return m_settings; }
    TWindowLayout &Layout() const { return *m_layout; }
    TMainActions &Actions() const { return *m_actions; }
    TDocumentCommands &Documents() const { return *m_documents; }
    TEditCommands &Edits() const { return *m_edits; }
    TPreviewPage &PreviewPage() const { return *m_preview; }
    TFilePanel &FilePanel() const { return *m_layout->FilePanel; }
    // The folder the file panel shows: an untitled document's base folder.
    QString FilePanelFolder() const;

    // Status panel 1: " " + text, or " Ready." for none.
    void ShowMessage(const QString &text = QString()) { m_layout->ShowMessage(text); }
    QString StatusPanelText(int panel) const { return m_layout->StatusPanelText(panel); }
    void UpdateCaption();
    void RefreshForActiveDocument();
    int ShowOneTimeNotice(int n);
    void SetBusy(bool on);
    bool Busy() const { return m_busy; }
    void EnableEditingCommands(bool on) { m_actions->EnableEditingCommands(on); }
    void Progress(int value) { m_layout->Progress(value); }
    // Shows an unexpected error and appends it to "Exception.log".
    void HandleException(const QString &message);
    // Every editor gets the editor pop-up menu.
    void AttachEditors();

    // Document commands.
    void NewDocument() { m_documents->NewDocument(); }
    void NewFromTemplate(const QString &templateFile) { m_documents->NewFromTemplate(templateFile); }
    bool OpenDocument(const QString &fileName = QString()) { return m_documents->OpenDocument(fileName); }
    void InsertDocument(const QString &fileName = QString()) { m_documents->InsertDocument(fileName); }
    bool SaveActive() { return m_documents->SaveActive(); }
    bool SaveAsActive() { return m_documents->SaveAsActive(); }
    void SaveAll() { m_documents->SaveAll(); }
    bool SavePrompt() { return m_documents->SavePrompt(); }
    void CloseActive() { m_documents->CloseActive(); }
    bool CloseAll() { return m_documents->CloseAll(); }
    void ExportUnix() { m_documents->ExportUnix(); }
    void PrintActive() { m_documents->PrintActive(); }
    bool PrintActiveTo(QPrinter &printer) { return m_documents->PrintActiveTo(printer); }
    void OpenFromCommandLine(const QString &argument) { m_documents->OpenFromCommandLine(argument); }
    // Files named on the command line: the first becomes the initial document, each other
    // one opens on a tab of its own.
    void OpenCommandLineFiles(const QStringList &files);
    // Files a later start of the program handed over: each opens on a tab, and the window
    // comes to the front.
    void OpenHandedFiles(const QStringList &files);
    void DropFiles(const QStringList &paths) { m_documents->DropFiles(paths); }
    void ShowProjects() { m_documents->ShowProjects(); }
    void ShowExtendedReplace() { m_documents->ShowExtendedReplace(); }
    QString CurrentProject() const { return m_documents->CurrentProject(); }
    const TMRUList &MRU() const { return m_documents->MRU(); }
    QString OpenDialogFolder() const { return m_openDir; }
    void SetOpenDialogFolder(const QString &folder) { m_openDir = folder; }

    // Tag commands of the menus.
    void InsertTag(const QString &startText, const QString &endText) { m_edits->InsertTag(startText, endText); }
    void StripOutermostTags() { m_edits->StripOutermostTags(); }
    void ConvertLines(bool table) { m_edits->ConvertLines(table); }
    void GoToLine() { m_edits->GoToLine(); }

    // Preview.
    void PageChanged(int index) { m_preview->PageChanged(index); }
    void ShowInViewer() { m_preview->ShowInViewer(); }
    QString ViewerText() const { return m_preview->ViewerText(); }
    void ViewInExternalBrowser() { m_preview->ViewInExternalBrowser(); }
    bool LaunchBrowser(const QString &browserPath) { return m_preview->LaunchBrowser(browserPath); }
    void EditBrowserList() { m_preview->EditBrowserList(); }
    QStringList Browsers() const { return m_preview->Browsers(); }
    QTabWidget *Pages() const { return m_layout->pgHTML; }

    // Tag dialogs.
    void OpenTagDialog(TTagButtonAction action, const QString &editedTag);
    void EditTagAtCaret();
    TDialogContext DialogContext(const QString &editedTag = QString()) const;

    // Toggles.
    void SetMainToolbarVisible(bool on) { m_layout->SetMainToolbarVisible(on); }
    void SetSpeedbarVisible(bool on) { m_layout->SetSpeedbarVisible(on); }
    void SetStatusBarVisible(bool on) { m_layout->SetStatusBarVisible(on); }
    void SetRulersVisible(bool on) { m_layout->SetRulersVisible(on); }
    void SetWordWrap(bool on);
    void SetDocumentListVisible(bool on) { m_layout->SetDocumentListVisible(on); }
    void SetFullScreen(bool on) { m_layout->SetFullScreen(on); }
    void SetToolbarLayout(int layout) { m_layout->SetToolbarLayout(layout); }
    void SetColorCoding(TColorCodeMode mode);
    void SetTagSelectionVisible(bool on);
    bool TagSelectionVisible() const { return m_tagSelection; }
    TkrSpeedbar *Speedbar() const { return m_layout->pgSpeedbar; }
    TkrTableSizer *TableSizer() const { return m_layout->krTableSizer; }
    TFindDialog *FindDialog() const { return cdgFind; }
    Spell::TRichSpell *RichSpell() const { return m_richSpell; }
    // Tools > Spell Check: the whole text, or with "SpellSkipTags" the text outside tags.
    void SpellCheck();
    TReplaceDialog *ReplaceDialog() const { return cdgReplace; }
    bool FullScreen() const { return m_layout->FullScreen(); }
    bool RulersVisible() const { return m_settings.Rulers; }
    bool RulersBuilt() const { return m_layout->RulersBuilt(); }
    bool WordWrap() const { return m_settings.WordWrap; }
    bool DocumentListVisible() const { return m_settings.DocListVisible; }
    bool ColorBarVisible() const { return m_settings.ColorBar; }
    bool MainToolbarVisible() const { return m_settings.MainVisible; }
    bool SpeedbarVisible() const { return m_settings.SpeedbarVisible; }
    int ToolbarLayout() const { return m_settings.ToolbarLayout; }
    bool StatusBarVisible() const { return m_settings.StatusBar; }
    bool LowerCaseTags() const { return m_settings.LowerCaseTags; }
    QAction *Action(const QString &objectName) const { return m_actions->Action(objectName); }

    // The hidden long-lived windows created after the main window.
    void CreateSecondaryWindows();
    // Recovery copies of the modified documents, and the offer of those a crash left.
    TRecoveryWriter &Recovery() const { return *m_recovery; }
    void OfferRecovery();

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void ConnectDocumentEvents();
    void ShowSequence();
    void ApplyColorCoding(TColorCodeMode mode);

    // The settings, as read at start-up and changed while the program runs.
    TMainSettings m_settings;
    // Run-time state.
    bool m_busy = false;
    bool m_tagSelection = false;
    bool m_lowerCaseFiles = true;
    bool m_forceHexColor = false;
    bool m_logging = false;
    QString m_openDir;

    TWindowLayout *m_layout = nullptr;
    TMainActions *m_actions = nullptr;
    TDocumentCommands *m_documents = nullptr;
    TEditCommands *m_edits = nullptr;
    TPreviewPage *m_preview = nullptr;
    TFindDialog *cdgFind = nullptr;
    Spell::TRichSpell *m_richSpell = nullptr;
    TReplaceDialog *cdgReplace = nullptr;
    TRecoveryWriter *m_recovery = nullptr;
};
