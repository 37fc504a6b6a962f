#include "app/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>

#include "app/application.h"
#include "app/filepanel.h"
#include "app/htmltab.h"
#include "app/messagedialog.h"
#include "app/preview.h"
#include "app/recoverywriter.h"
#include "app/shellsettings.h"
#include "common/htmlextensions.h"
#include "dialogs/imagedialog.h"
#include "dialogs/tabledialogs.h"
#include "dialogs/tagdialog.h"
#include "dialogs/tagdialogs.h"
#include "editor/richhtml.h"
#include "editor/tagbar.h"
#include "editor/tagtext.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "projects/projectfile.h"
#include "spelling/richspell.h"
#include "tools/finddialogs.h"

// Start-up runs in the order the program has always used: the window shows itself half-way,
// once its placement, panels and toolbars are known, and the editors' settings follow.
TfMain::TfMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TfMain"));
    // Unexpected errors are shown and logged from here on.
    m_logging = true;
    TApplication::SetExceptionHandler([this](const QString &message) { HandleException(message); });
    m_settings.Load();
    m_layout = new TWindowLayout(*this, m_settings);
    m_actions = new TMainActions(*this);
    m_actions->Build(m_layout->tbUpper, m_layout->tbLower);
    m_documents = new TDocumentCommands(*this);
    m_edits = new TEditCommands(*this);
    m_preview = new TPreviewPage(*this, m_layout->htmlView);
    ConnectDocumentEvents();
    AttachEditors();
    ShowMessage();
    // The HTML extension list makes the Open and Save dialogs' filter.
    LoadHTMLExtensions(PendwickKey());
    ShowSequence();
    // The spelling checker: the main dictionary beside the program, the user's own beside it
    // or in the per-user data folder.
    m_richSpell = new Spell::TRichSpell(this);
    m_richSpell->SetDictionaryMain(ProgramFolder() + QStringLiteral("Pendwick.dct"));
    m_richSpell->SetDictionaryUser(DataFilePath(QStringLiteral("Custom.dct")));
    m_richSpell->SetSuggestType(Spell::stCloseMatch);
    m_documents->LoadRecentFiles();
    // The editors' font key and colours.
    HTMLTab()->SetFontRegistryKey(ColorCodingKey());
    ActiveEditor()->ReadFontSettings(HTMLTab()->FontRegistryKey());
    HTMLTab()->SetDocumentBackgroundColor(m_settings.DocumentBackgroundColor);
    HTMLTab()->SetDocumentForegroundColor(m_settings.DocumentForegroundColor);
    // The stored colour coding is applied, not stored back; then word wrap and tab width.
    ApplyColorCoding(ColorCodeModeOf(m_settings.ColorCodeMode));
    SetWordWrap(m_settings.WordWrap);
    RefreshForActiveDocument();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    HTMLTab()->SetTabWidth(m_settings.TabWidth);
    QGuiApplication::restoreOverrideCursor();
    m_lowerCaseFiles = m_settings.LowerCaseFiles;
    SetLowerCaseTags(m_settings.LowerCaseTags);
    m_forceHexColor = m_settings.ForceHexColor;
    m_preview->ApplySettings(m_settings);
    m_actions->SetChecked({QStringLiteral("mnuOptionsListImages"), QStringLiteral("mnuPopupFileListImages")},
                          m_settings.ListImages);
    m_actions->SetChecked({QStringLiteral("mnuOptionsListMultimedia"), QStringLiteral("mnuPopupFileListMultimedia")},
                          m_settings.ListMultimedia);
    // The speedbar's pages and custom bars (the application bar and the colour bar are
    // prepared by their own code), then the toolbars' visibilities and layout.
    Speedbar()->Setup();
    m_actions->SetChecked({QStringLiteral("mnuOptionsMainToolbar")}, m_settings.MainVisible);
    m_actions->SetChecked({QStringLiteral("mnuOptionsSpeedbar")}, m_settings.SpeedbarVisible);
    SetToolbarLayout(m_settings.ToolbarLayout);
    if (m_settings.Rulers)
        SetRulersVisible(true);
    // The tag list and the style list are loaded by their own code.
    QCoreApplication::processEvents();
    HTMLTab()->SetAcceptFiles(true);
    qApp->installEventFilter(this);
    m_recovery = new TRecoveryWriter(HTMLTab(), this);
}

void TfMain::OfferRecovery()
{
    ::OfferRecovery(*this, *m_recovery);
}

TfMain::~TfMain()
{
    qApp->removeEventFilter(this);
    TApplication::SetExceptionHandler({});
    Preview::TemporaryPreviews().DeleteAll();
}

// The active document's events, the speedbar and the long-lived Find and Replace boxes.
void TfMain::ConnectDocumentEvents()
{
    TkrHTMLTab *tabs = HTMLTab();
    connect(tabs, &TkrHTMLTab::OnActiveDocSelectionChange, this, [this] {
        if (!ActiveEditor()->Updating())
            m_layout->UpdateCaretPosition();
        m_actions->UpdateEditCommands(false);
    });
    connect(tabs, &TkrHTMLTab::OnActiveDocInsertModeChange, this, [this] { m_layout->UpdateInsertMode(); });
    // The editor reports each change of its text and history this way.
    connect(tabs, &TkrHTMLTab::OnActiveDocModifyStatusChange, this, [this] {
        m_actions->EnableSave(ActiveEditor()->Modified());
        m_actions->UpdateEditCommands(false);
    });
    connect(tabs, &TkrHTMLTab::OnActiveDocKeyPress, this, [this] { m_actions->EnableSave(true); });
    connect(tabs, &TkrHTMLTab::OnActiveDocProgressChange, this, [this](TkrHTMLTab *, int v) { Progress(v); });
    connect(tabs, &TkrHTMLTab::OnPageChange, this, [this] {
        AttachEditors();
        RefreshForActiveDocument();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { m_actions->UpdateEditCommands(true); });
    connect(tabs, &TkrHTMLTab::OnDropFiles, this, [this](TkrHTMLTab *, const QStringList &paths) { DropFiles(paths); });
    for (QWidget *w : {static_cast<QWidget *>(tabs), static_cast<QWidget *>(Pages())})
        w->installEventFilter(this);

    // The speedbar writes into the active document and shows its hints in the status bar.
    Speedbar()->ActiveEditor = [this] { return ActiveEditor(); };
    connect(Speedbar(), &TkrSpeedbar::OnHint, this, [this](const QString &hint) { ShowMessage(hint); });
    connect(Speedbar(), &TkrSpeedbar::OnDialogButton, this,
            [this](int action) { OpenTagDialog(TTagButtonAction(action), QString()); });

    // Find and Replace live as long as the window, keeping their texts within a run; each
    // click works on the tab active at that moment.
    cdgFind = new TFindDialog(this);
    cdgFind->ActiveEditor = [this] { return ActiveEditor(); };
    cdgReplace = new TReplaceDialog(this);
    cdgReplace->ActiveEditor = [this] { return ActiveEditor(); };

    connect(TableSizer(), &TkrTableSizer::OnCellSelect, m_edits, [this](TkrTableSizer *, int rows, int columns) {
        TableSizer()->hide();
        m_edits->InsertQuickTable(rows, columns);
    });
}

void TfMain::AttachEditors()
{
    for (int i = 0; i < HTMLTab()->DocumentCount(); ++i)
        HTMLTab()->Editor(i)->SetPopupMenu(m_actions->Menu(QStringLiteral("mnuPopupEdit")));
}

// ---- Show and close ----

void TfMain::ShowSequence()
{
    m_layout->ShowPlaced();
    // The first document starts unmodified.
    ActiveEditor()->SetModified(false);
    QCoreApplication::processEvents();
    // The command-line file is opened by the caller (OpenFromCommandLine); otherwise the
    // Open dialog starts in "InitialDir", which falls back to the program folder.
    const QString initial = m_settings.InitialDir;
    const QString folder = initial.left(initial.lastIndexOf(u'/') + 1);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        m_openDir = folder;
    } else {
        m_openDir = ProgramFolder();
    }
    // The file panel shows the folder, or the current one, and rewrites "InitialDir".
    FilePanel().ShowInitialFolder();
}

void TfMain::OpenCommandLineFiles(const QStringList &files)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (i == 0)
            OpenFromCommandLine(files.at(i));
        else
            OpenDocument(files.at(i));
    }
}

void TfMain::OpenHandedFiles(const QStringList &files)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    for (const QString &file : files)
        OpenDocument(file);
}

QString TfMain::FilePanelFolder() const
{
    return FilePanel().Folder();
}

void TfMain::closeEvent(QCloseEvent *e)
{
    if (m_busy || !CloseAll()) {
        e->ignore();
        return;
    }
    FilePanel().StopListing();
    try {
        Preview::TemporaryPreviews().DeleteAll();
        m_layout->KeepPlacement();
        m_settings.Save(isMaximized() ? psStateOnly : isMinimized() ? psNothing : psFull);
        m_documents->SaveRecentFiles();
    } catch (...) {
        // Closing always completes.
    }
    e->accept();
}

// ---- Status and caption ----

TkrRichHTML *TfMain::ActiveEditor() const
{
    return HTMLTab()->ActiveEditor();
}

void TfMain::UpdateCaption()
{
    setWindowTitle(MainCaption(ActiveEditor()->Filename()));
}

void TfMain::RefreshForActiveDocument()
{
    TkrRichHTML *e = ActiveEditor();
    m_settings.WordWrap = e->lineWrapMode() != QPlainTextEdit::NoWrap;
    m_actions->SetChecked({QStringLiteral("mnuOptionsWordWrap"), QStringLiteral("mnuPopupWordWrap")}, m_settings.WordWrap);
    m_actions->EnableSave(e->Modified());
    Action(QStringLiteral("mnuColorCoding%1").arg(int(e->ColorCodeMode())))->setChecked(true);
    m_layout->UpdateCaretPosition();
    m_layout->UpdateInsertMode();
    UpdateCaption();
    m_actions->UpdateEditCommands(true);
}

int TfMain::ShowOneTimeNotice(int n)
{
    return ShowNotice(n, this);
}

void TfMain::SetBusy(bool on)
{
    m_busy = on;
    m_layout->pnlDocList->setEnabled(!on);
    m_layout->pnlTB_Main->setEnabled(!on);
    m_layout->pnlTB_SpeedBar->setEnabled(!on);
    HTMLTab()->TabStrip()->setEnabled(!on);
    m_actions->EnableMenus(!on);
}

void TfMain::SpellCheck()
{
    if (m_busy)
        return; // F7 again while the check runs
    TkrRichHTML *editor = ActiveEditor();
    // The window's commands are off while the check runs, and back on however it ends.
    struct TBusy {
        TfMain *main;
        TkrRichHTML *editor;
        ~TBusy()
        {
            main->SetBusy(false);
            editor->setFocus();
        }
    } busy{this, editor};
    SetBusy(true);
    if (!m_settings.SpellSkipTags) {
        m_richSpell->ShowCompletionMsg = true;
        m_richSpell->CheckRich(editor);
        return;
    }
    if (editor->TextLength() == 0)
        return;
    const int caret = editor->SelStart();
    m_richSpell->ShowCompletionMsg = false;
    if (!m_richSpell->CheckOutsideTags(editor))
        return;
    editor->Select(caret, 0);
    MessageBox(mkInformation, Spell::SkipTagsCompletionMessage(), mbOK, this);
}

void TfMain::HandleException(const QString &message)
{
    MessageBox(mkError, message, mbOK, this);
    if (m_logging)
        AppendExceptionLog(DataFilePath(QStringLiteral("Exception.log")), message);
}

// ---- Keys and hints ----

bool TfMain::eventFilter(QObject *watched, QEvent *event)
{
    if (m_layout->FilterSizerEvent(watched, event))
        return true;
    // Ctrl+[ and Ctrl+] select the previous and the next document, before any control
    // sees the key.
    if (event->type() == QEvent::KeyPress && (isActiveWindow() || m_layout->FullScreenWindowActive())) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if ((ke->modifiers() & Qt::ControlModifier) && (ke->key() == Qt::Key_BracketLeft || ke->key() == Qt::Key_BracketRight)) {
            const int i = HTMLTab()->TabIndex() + (ke->key() == Qt::Key_BracketLeft ? -1 : 1);
            if (i >= 0 && i < HTMLTab()->DocumentCount())
                HTMLTab()->SetTabIndex(i);
            return true;
        }
    }
    if (event->type() == QEvent::Enter && (watched == HTMLTab() || watched == Pages()))
        ShowMessage();
    return QMainWindow::eventFilter(watched, event);
}

void TfMain::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    m_layout->Resized();
}

// ---- Toggles kept with the active document ----

void TfMain::SetWordWrap(bool on)
{
    m_settings.WordWrap = on;
    ActiveEditor()->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    ActiveEditor()->SetMargins();
    m_actions->SetChecked({QStringLiteral("mnuOptionsWordWrap"), QStringLiteral("mnuPopupWordWrap")}, on);
}

// The tag list window is shown and hidden here once it exists; the menu item and the
// button keep in step already.
void TfMain::SetTagSelectionVisible(bool on)
{
    m_tagSelection = on;
    m_actions->SetChecked({QStringLiteral("mnuOptionsTagSelection"), QStringLiteral("spdTagSelection")}, on);
}

// The user's choice is stored at once; start-up only applies the stored one.
void TfMain::SetColorCoding(TColorCodeMode mode)
{
    ApplyColorCoding(mode);
    m_settings.ColorCodeMode = int(mode);
    m_settings.SaveValue(&TMainSettings::ColorCodeMode);
}

void TfMain::ApplyColorCoding(TColorCodeMode mode)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TkrRichHTML *e = ActiveEditor();
    const bool wasModified = e->Modified();
    e->SetColorCodeMode(mode);
    if (!wasModified)
        e->SetModified(false);
    QGuiApplication::restoreOverrideCursor();
    Action(QStringLiteral("mnuColorCoding%1").arg(int(e->ColorCodeMode())))->setChecked(true);
}

void TfMain::CreateSecondaryWindows()
{
    // The full-screen window is made the first time full screen is switched on, so start-up
    // does not pay for a window nobody may use. The Quick Start, Extended Replace, Tags and
    // Special Characters windows are created here as they are built.
}

// ---- Tag dialogs ----

TDialogContext TfMain::DialogContext(const QString &editedTag) const
{
    TDialogContext context;
    context.EditedTag = editedTag;
    context.BaseFolder = BaseFolder(ActiveEditor()->Filename(), FilePanelFolder());
    context.LowerCaseFiles = m_lowerCaseFiles;
    // While a project is current, the dialogs are offered its files instead of the history.
    const QString project = CurrentProject();
    const std::optional<QStringList> projectFiles = project.isEmpty() ? std::nullopt : LoadProjectFiles(project);
    context.LinkHistory = projectFiles ? ProjectLinkList(*projectFiles, context.BaseFolder, m_lowerCaseFiles)
                                       : ReadLinkHistory();
    context.ForceHexColor = m_forceHexColor;
    return context;
}

// The dialog of a tag button action, for a new element (empty tag) or on the selected tag.
void TfMain::OpenTagDialog(TTagButtonAction action, const QString &editedTag)
{
    const TDialogContext context = DialogContext(editedTag);
    InsertFromDialog(TagDialogs().For(action), this, context, ActiveEditor());
}

void TfMain::EditTagAtCaret()
{
    TkrRichHTML *e = ActiveEditor();
    const QString tag = e->GetTagAtCaret(false);
    const TTagKind kind = TagKindOf(tag);
    if (!TagKindHasDialog(kind))
        return;
    e->GetTagAtCaret(true);
    // A kind whose dialog is not built yet opens nothing.
    InsertFromDialog(TagDialogs().For(kind), this, DialogContext(tag), e);
}
