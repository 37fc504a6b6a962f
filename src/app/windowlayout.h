#pragma once

// The main window's layout: the header with the main toolbar and the tag speedbar, the
// file panel, the page control with the document tabs and the viewer, the rulers, the
// colour bar, the status bar with its progress bar, and full-screen mode.

#include <QObject>
#include <QPointer>

class QEvent;
class QLabel;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QWidget;
class TfFullScreen;
class TFilePanel;
class TfMain;
class TkrHTMLTab;
class TkrRuler;
class TkrSpeedbar;
class TkrTableSizer;
struct TMainSettings;

class TWindowLayout : public QObject
{
public:
    // Creates the window's widgets; the settings say what shows.
    TWindowLayout(TfMain &main, TMainSettings &settings);
    ~TWindowLayout() override;

    // Place and size fitted to the screen, the status bar, colour bar and file panel,
    // then shows the window.
    void ShowPlaced();
    // The placement and the file panel's width into the settings, before they are saved.
    void KeepPlacement();

    void SetMainToolbarVisible(bool on);
    void SetSpeedbarVisible(bool on);
    void SetToolbarLayout(int layout);
    void SetStatusBarVisible(bool on);
    // Built the first time they show.
    void SetRulersVisible(bool on);
    void SetDocumentListVisible(bool on);
    void SetFullScreen(bool on);
    bool FullScreen() const { return m_fullScreen; }
    bool RulersBuilt() const { return m_rulersBuilt; }
    // Keys typed in the full-screen window count as typed in the main window.
    bool FullScreenWindowActive() const;
    // The full-screen window, hidden until full-screen mode is first turned on.
    void CreateFullScreenWindow();

    // Status panels: 0 caret position, 1 message, 2 insert mode.
    void ShowMessage(const QString &text);
    QString StatusPanelText(int panel) const;
    void UpdateCaretPosition();
    void UpdateInsertMode();
    // 0 shows the progress bar in place of the status panels, 100 puts them back. The
    // caption is the active document's unless one is given.
    void Progress(int value, const QString &caption = QString());
    // The progress display with a caption of its own; 100 or a negative value removes it.
    void ShowProgress(const QString &caption, int value);
    void PaintNow(); // lays out and paints the status bar while the event loop is held
    void Resized();
    // The dropped-down quick table sizer goes on Escape or a click elsewhere; true when
    // the event was used up.
    bool FilterSizerEvent(QObject *watched, QEvent *event);

    QWidget *pnlHeader = nullptr;
    QWidget *pnlTB_Main = nullptr;
    QToolBar *tbUpper = nullptr;
    QToolBar *tbLower = nullptr;
    QWidget *pnlTB_SpeedBar = nullptr;
    TkrSpeedbar *pgSpeedbar = nullptr;
    TkrTableSizer *krTableSizer = nullptr;
    QWidget *sepMenu = nullptr;
    QSplitter *splMain = nullptr;
    QWidget *pnlDocList = nullptr;
    TFilePanel *FilePanel = nullptr;
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

private:
    void CreateWidgets();
    void ApplyHeaderLayout();

    TfMain &m_main;
    TMainSettings &m_settings;
    bool m_fullScreen = false;
    bool m_rulersBuilt = false;
    QPointer<TfFullScreen> m_fullScreenWindow;
};
