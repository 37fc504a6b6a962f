#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "app/mrulist.h"
#include "dialogs/tagdialog.h"
#include "editor/colorcoding.h"
#include "editor/tagbuttons.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPrinter;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class TfFullScreen;
class TkrHTMLTab;
class TkrRichHTML;
class TkrRuler;
class TkrSpeedbar;
class TkrTableSizer;
class TFindDialog;
class TReplaceDialog;

// The main window: menus, toolbar, speedbar, file panel, the document tabs and the viewer
// page, the status bar, and every document command. Creating it reads the settings and
// shows it; closing it asks to save modified documents and writes the settings back.
class TfMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfMain(QWidget *parent = nullptr);
    ~TfMain() override;

    TkrRichHTML *ActiveEditor() const;
    TkrHTMLTab *HTMLTab() const { return krHTMLTab; }

    // Status panel 1: " " + text, or " Ready." for none.
    void ShowMessage(const QString &text = QString());
    QString StatusPanelText(int panel) const;
    void UpdateCaption();
    void RefreshForActiveDocument();
    int ShowOneTimeNotice(int n);
    void SetBusy(bool on);
    bool Busy() const { return m_busy; }
    void EnableEditingCommands(bool on);
    void Progress(int value);
    // Shows an unexpected error and appends it to "Exception.log".
    void HandleException(const QString &message);

    // Document commands.
    void NewDocument();
    void NewFromTemplate(const QString &templateFile);
    bool OpenDocument(const QString &fileName = QString());
    void InsertDocument(const QString &fileName = QString());
    bool SaveActive();
    bool SaveAsActive();
    void SaveAll();
    bool SavePrompt();
    void CloseActive();
    bool CloseAll();
    void ExportUnix();
    void PrintActive();
    bool PrintActiveTo(QPrinter &printer);
    void OpenFromCommandLine(const QString &argument);
    void DropFiles(const QStringList &paths);

    // Tag commands of the menus.
    void InsertTag(const QString &startText, const QString &endText);
    void StripOutermostTags();
    void ConvertLines(bool table);
    void GoToLine();

    // Preview.
    void PageChanged(int index);
    void ShowInViewer();
    QString ViewerText() const;
    void ViewInExternalBrowser();
    bool LaunchBrowser(const QString &browserPath);
    void EditBrowserList();
    // Test hooks: choose from the browser pop-up list, stand in for the browser list editor.
    std::function<QAction *(const QList<QAction *> &)> m_browserChoiceHook;
    std::function<void()> m_browserListHook;
    QTabWidget *Pages() const { return pgHTML; }

    // Tag dialogs.
    void OpenTagDialog(TTagButtonAction action, const QString &editedTag);
    void EditTagAtCaret();
    TDialogContext DialogContext(const QString &editedTag = QString()) const;

    // Toggles.
    void SetMainToolbarVisible(bool on);
    void SetSpeedbarVisible(bool on);
    void SetStatusBarVisible(bool on);
    void SetRulersVisible(bool on);
    void SetWordWrap(bool on);
    void SetDocumentListVisible(bool on);
    void SetFullScreen(bool on);
    void SetToolbarLayout(int layout);
    void SetColorCoding(TColorCodeMode mode);
    void SetTagSelectionVisible(bool on);
    bool TagSelectionVisible() const { return m_tagSelection; }
    TkrSpeedbar *Speedbar() const { return pgSpeedbar; }
    TkrTableSizer *TableSizer() const { return krTableSizer; }
    TFindDialog *FindDialog() const { return cdgFind; }
    TReplaceDialog *ReplaceDialog() const { return cdgReplace; }
    bool FullScreen() const { return m_fullScreen; }
    bool RulersVisible() const { return m_rulers; }
    bool RulersBuilt() const { return m_rulersBuilt; }
    bool WordWrap() const { return m_wordWrap; }
    bool DocumentListVisible() const { return m_showDocList; }
    bool ColorBarVisible() const { return m_colorBarVisible; }
    bool MainToolbarVisible() const { return m_mainVisible; }
    bool SpeedbarVisible() const { return m_speedbarVisible; }
    int ToolbarLayout() const { return m_toolbarLayout; }
    bool StatusBarVisible() const { return m_statusBar; }
    const TMRUList &MRU() const { return m_mru; }
    QStringList Browsers() const { return m_browsers; }
    bool LowerCaseTags() const { return m_lowerCaseTags; }
    QString OpenDialogFolder() const { return m_openDir; }
    QAction *Action(const QString &objectName) const;

    // The hidden long-lived windows created after the main window.
    void CreateSecondaryWindows();

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void CreateWidgets();
    void CreateMenus();
    void CreateToolbar();
    void CreatePopupMenus();
    void ConnectTagCommands();
    void ShowSequence();
    void WriteSettingsAtClose();
    void RefreshMRUMenu();
    void ApplyHeaderLayout();
    void UpdateCaretPosition();
    void UpdateInsertMode();
    void SelectAdjacentTab(int step);
    void UpdateEditCommands(bool clipboard);
    void ApplyColorCoding(TColorCodeMode mode);
    void AttachEditors();
    QAction *AddItem(QMenu *menu, const QString &caption, const QString &name, const QString &shortcut = QString(),
                     std::function<void()> slot = {});
    void SetChecked(const QStringList &actionNames, bool on);
    TColorCodeMode ActiveMode() const;
    bool ActiveWrap() const;

    // Settings held while the program runs.
    bool m_busy = false;
    bool m_fullScreen = false;
    bool m_showDocList = true;
    bool m_statusBar = true;
    bool m_rulers = false;
    bool m_rulersBuilt = false;
    bool m_wordWrap = true;
    bool m_listImages = true;
    bool m_listMultimedia = true;
    bool m_listOnlyFileNames = false;
    bool m_mainVisible = true;
    bool m_speedbarVisible = true;
    int m_toolbarLayout = 0;
    bool m_colorBarVisible = true;
    bool m_tagSelection = false;
    int m_browserLaunchSetting = 0;
    bool m_multimediaFormat = false;
    bool m_lowerCaseFiles = true;
    bool m_lowerCaseTags = false;
    bool m_forceHexColor = false;
    bool m_spellSkipTags = false;
    bool m_logging = false;
    QString m_defaultExtension;
    QString m_documentTemplate;
    QString m_openDir;
    QString m_projectName;
    QStringList m_browsers;
    bool m_viewerBusy = false;
    TMRUList m_mru;
    QString m_filter;

    // Widgets.
    QWidget *pnlHeader = nullptr;
    QWidget *pnlTB_Main = nullptr;
    QToolBar *tbUpper = nullptr;
    QToolBar *tbLower = nullptr;
    QWidget *pnlTB_SpeedBar = nullptr;
    TkrSpeedbar *pgSpeedbar = nullptr;
    TkrTableSizer *krTableSizer = nullptr;
    TFindDialog *cdgFind = nullptr;
    TReplaceDialog *cdgReplace = nullptr;
    QWidget *sepMenu = nullptr;
    QSplitter *splMain = nullptr;
    QWidget *pnlDocList = nullptr;
    QWidget *pnlPages = nullptr;
    QTabWidget *pgHTML = nullptr;
    QWidget *pageEdit = nullptr;
    TkrHTMLTab *krHTMLTab = nullptr;
    TkrRuler *RulerHorz = nullptr;
    TkrRuler *RulerVert = nullptr;
    QTextBrowser *htmlView = nullptr;
    QWidget *ColorBar = nullptr;
    QLabel *staPanel[3] = {nullptr, nullptr, nullptr};
    QLabel *lblProgress = nullptr;
    QProgressBar *prgProgress = nullptr;
    QMenu *mnuPopupEdit = nullptr;
    QMenu *mnuPopupBrowse = nullptr;
    QMenu *mnuPopupToolbar = nullptr;
    QMenu *mnuReopen = nullptr;
    QMenu *mnuEdit = nullptr;
    QActionGroup *grpColorCoding = nullptr;
    QActionGroup *grpToolbarLayout = nullptr;
    QList<QMenu *> m_busyMenus;
    QPointer<TfFullScreen> m_fullScreenWindow;
};
