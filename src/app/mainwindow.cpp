#include "app/mainwindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QUrl>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/about.h"
#include "app/application.h"
#include "platform/filedialogs.h"
#include "common/fileutils.h"
#include "app/fullscreen.h"
#include "app/help.h"
#include "platform/inputbox.h"
#include "common/htmlextensions.h"
#include "app/htmltab.h"
#include "platform/messagebox.h"
#include "app/messagedialog.h"
#include "app/newdocument.h"
#include "platform/programfolder.h"
#include "app/preview.h"
#include "app/rulers.h"
#include "app/toolbaricons.h"
#include "app/shellsettings.h"
#include "dialogs/convertdialogs.h"
#include "dialogs/imagedialog.h"
#include "dialogs/tabledialogs.h"
#include "dialogs/tablemarkup.h"
#include "dialogs/tagdialog.h"
#include "dialogs/tagdialogs.h"
#include "editor/richhtml.h"
#include "tools/finddialogs.h"
#include "editor/tagbar.h"
#include "editor/tagbuttons.h"
#include "editor/tagcommands.h"
#include "editor/tagtext.h"
#include "common/textfile.h"
#include "platform/configstore.h"

namespace {

QString Key(const char *sub) { return AppKey() + u'\\' + QLatin1String(sub); }

// Qt file dialog filters from the "caption|patterns|..." form the program keeps.
QString QtFilter(const QString &pipeFilter)
{
    return QtNameFilters(pipeFilter).join(QStringLiteral(";;"));
}

} // namespace

TfMain::TfMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TfMain"));
    // 3a-3b: flags, exception handler, preview file list, status message.
    m_logging = true;
    TApplication::SetExceptionHandler([this](const QString &message) { HandleException(message); });
    CreateWidgets();
    CreateMenus();
    CreateToolbar();
    CreatePopupMenus();
    ConnectTagCommands();
    ShowMessage();
    // 3c-3d: default extension, the HTML extension list and the dialog filter.
    m_defaultExtension = ConfigStore::Read(AppKey(), QStringLiteral("DefaultExtension"), QStringLiteral("html"));
    LoadHTMLExtensions(AppKey());
    m_filter = OpenSaveDialogFilter();
    // 3e: show the window now.
    ShowSequence();
    // 3f: the spelling checker's dictionaries are handed over when the checker exists.
    // 3g: the recently-used list.
    m_mru.Load(Key("MRUDocuments"));
    RefreshMRUMenu();
    // 3h-3i
    m_documentTemplate = ConfigStore::Read(AppKey(), QStringLiteral("DocumentTemplate"),
                                           ProgramFolder() + QStringLiteral("Default.html"));
    m_multimediaFormat = ConfigStore::ReadInt(AppKey(), QStringLiteral("MultimediaFormat"), 0) != 0;
    m_browsers = ConfigStore::ReadList(Key("ExternalBrowsers"), QStringLiteral("Browser"), 5);
    // 3j-3k: the editors' font key and colours.
    krHTMLTab->SetFontRegistryKey(Key("ColorCoding"));
    ActiveEditor()->ReadFontSettings(krHTMLTab->FontRegistryKey());
    m_spellSkipTags = ConfigStore::ReadBool(AppKey(), QStringLiteral("SpellSkipTags"), false);
    krHTMLTab->SetDocumentBackgroundColor(
        ConfigStore::ReadColor(AppKey(), QStringLiteral("DocumentBackgroundColor"), Colors::clWindow));
    krHTMLTab->SetDocumentForegroundColor(
        ConfigStore::ReadColor(AppKey(), QStringLiteral("DocumentForegroundColor"), 0));
    // 3l-3n: colour coding (applied, not stored back), word wrap, tab width.
    ApplyColorCoding(ColorCodeModeSetting());
    SetWordWrap(ConfigStore::ReadBool(AppKey(), QStringLiteral("WordWrap"), true));
    RefreshForActiveDocument();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    krHTMLTab->SetTabWidth(ConfigStore::ReadInt(AppKey(), QStringLiteral("TabWidth"), 20));
    QGuiApplication::restoreOverrideCursor();
    // 3o-3q
    m_lowerCaseFiles = ConfigStore::ReadBool(AppKey(), QStringLiteral("LowerCaseFiles"), true);
    m_lowerCaseTags = ConfigStore::ReadBool(AppKey(), QStringLiteral("LowerCaseTags"), false);
    SetLowerCaseTags(m_lowerCaseTags);
    m_forceHexColor = ConfigStore::ReadBool(AppKey(), QStringLiteral("ForceHexColor"), false);
    // 3p: the internal viewer's default font, size, text and link colours.
    {
        const QString browser = Key("InternalBrowser");
        QFont font(ConfigStore::Read(browser, QStringLiteral("DefFontName"), QStringLiteral("Times New Roman")));
        font.setPointSize(std::max(1, ConfigStore::ReadInt(browser, QStringLiteral("DefFontSize"), 12)));
        font.setStyleHint(QFont::Serif);
        htmlView->document()->setDefaultFont(font);
        QPalette pal = htmlView->palette();
        pal.setColor(QPalette::Text, ColorToQColor(ConfigStore::ReadColor(browser, QStringLiteral("DefFontColor"), 0)));
        pal.setColor(QPalette::Link,
                     ColorToQColor(ConfigStore::ReadColor(browser, QStringLiteral("DefHotSpotColor"), Colors::clBlue)));
        htmlView->setPalette(pal);
    }
    m_browserLaunchSetting = BrowserLaunchSetting();
    // 3r-3s
    m_listImages = ConfigStore::ReadBool(Key("DocumentList"), QStringLiteral("ListImages"), true);
    m_listMultimedia = ConfigStore::ReadBool(Key("DocumentList"), QStringLiteral("ListMultimedia"), true);
    Action(QStringLiteral("mnuOptionsListImages"))->setChecked(m_listImages);
    Action(QStringLiteral("mnuOptionsListMultimedia"))->setChecked(m_listMultimedia);
    m_listOnlyFileNames = ConfigStore::ReadBool(Key("DocumentList"), QStringLiteral("ListOnlyFileNames"), false);
    m_mainVisible = ConfigStore::ReadBool(Key("Toolbars"), QStringLiteral("MainVisible"), true);
    m_speedbarVisible = ConfigStore::ReadBool(Key("Toolbars"), QStringLiteral("SpeedbarVisible"), true);
    m_toolbarLayout = ConfigStore::ReadInt(Key("Toolbars"), QStringLiteral("ToolbarLayout"), 0);
    // 3t: the speedbar's pages and custom bars (the application bar and the colour bar are
    // prepared by their own code), then the visibilities and the layout.
    pgSpeedbar->Setup();
    SetChecked({QStringLiteral("mnuOptionsMainToolbar")}, m_mainVisible);
    SetChecked({QStringLiteral("mnuOptionsSpeedbar")}, m_speedbarVisible);
    SetToolbarLayout(m_toolbarLayout);
    // 3u
    if (ConfigStore::ReadBool(AppKey(), QStringLiteral("Rulers"), false))
        SetRulersVisible(true);
    // 3v-3w: the tag list and the style list are loaded by their own code.
    // 3x-3z
    QCoreApplication::processEvents();
    krHTMLTab->SetAcceptFiles(true);
    qApp->installEventFilter(this);
}

TfMain::~TfMain()
{
    qApp->removeEventFilter(this);
    TApplication::SetExceptionHandler({});
    Preview::TemporaryPreviews().DeleteAll();
    delete m_fullScreenWindow;
}

// ---- Construction ----

void TfMain::CreateWidgets()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    sepMenu = new QWidget(central);
    sepMenu->setFixedHeight(2);
    sepMenu->setObjectName(QStringLiteral("sepMenu"));
    column->addWidget(sepMenu);

    // Header: the main toolbar (two rows of buttons) and the tag speedbar.
    pnlHeader = new QWidget(central);
    pnlHeader->setObjectName(QStringLiteral("pnlHeader"));
    pnlTB_Main = new QWidget(pnlHeader);
    pnlTB_Main->setObjectName(QStringLiteral("pnlTB_Main"));
    tbUpper = new QToolBar(pnlTB_Main);
    tbLower = new QToolBar(pnlTB_Main);
    for (QToolBar *tb : {tbUpper, tbLower}) {
        tb->setIconSize(QSize(16, 16));
        tb->setToolButtonStyle(Qt::ToolButtonIconOnly);
        tb->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tb, &QWidget::customContextMenuRequested, this,
                [this, tb](const QPoint &p) { mnuPopupToolbar->exec(tb->mapToGlobal(p)); });
    }
    pnlTB_SpeedBar = new QWidget(pnlHeader);
    pnlTB_SpeedBar->setObjectName(QStringLiteral("pnlTB_SpeedBar"));
    pgSpeedbar = new TkrSpeedbar(pnlTB_SpeedBar);
    pgSpeedbar->setDocumentMode(true);
    auto *speedLayout = new QVBoxLayout(pnlTB_SpeedBar);
    speedLayout->setContentsMargins(0, 0, 0, 0);
    speedLayout->addWidget(pgSpeedbar);
    column->addWidget(pnlHeader);

    // Middle: the file panel and the page control with the document tabs and the viewer.
    splMain = new QSplitter(Qt::Horizontal, central);
    splMain->setChildrenCollapsible(false);
    pnlDocList = new QWidget(splMain);
    pnlDocList->setObjectName(QStringLiteral("pnlDocList"));
    pnlDocList->setMinimumWidth(40);
    // The page control sits in a frame that also holds the rulers, so they stay beside
    // whichever page is showing.
    pnlPages = new QWidget(splMain);
    auto *pagesGrid = new QGridLayout(pnlPages);
    pagesGrid->setContentsMargins(0, 0, 0, 0);
    pagesGrid->setSpacing(0);
    pgHTML = new QTabWidget(pnlPages);
    pagesGrid->addWidget(pgHTML, 1, 1);
    pgHTML->setObjectName(QStringLiteral("pgHTML"));
    pgHTML->setTabPosition(QTabWidget::South);
    pageEdit = new QWidget(pgHTML);
    auto *grid = new QGridLayout(pageEdit);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    krHTMLTab = new TkrHTMLTab(pageEdit);
    grid->addWidget(krHTMLTab, 1, 1);
    pgHTML->addTab(pageEdit, QStringLiteral("Edit"));
    htmlView = new QTextBrowser(pgHTML);
    htmlView->setObjectName(QStringLiteral("htmlView"));
    htmlView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(htmlView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { mnuPopupBrowse->exec(htmlView->mapToGlobal(p)); });
    pgHTML->addTab(htmlView, QStringLiteral("Browse"));
    // Links under the mouse show in the status bar; the pages switch with F12 or their tabs.
    connect(htmlView, &QTextBrowser::highlighted, this, [this](const QUrl &url) {
        ShowMessage(url.isEmpty() ? QString() : url.toString());
    });
    htmlView->setOpenLinks(false);
    connect(pgHTML, &QTabWidget::currentChanged, this, [this](int index) { PageChanged(index); });
    splMain->addWidget(pnlDocList);
    splMain->addWidget(pnlPages);
    splMain->setStretchFactor(1, 1);
    column->addWidget(splMain, 1);

    ColorBar = new QWidget(central);
    ColorBar->setObjectName(QStringLiteral("ColorBar"));
    column->addWidget(ColorBar);
    setCentralWidget(central);

    // Status bar: caret position, message, insert mode; a progress bar takes its place
    // while a long colour coding runs.
    const QStringList design = {QStringLiteral("1: 1"), QStringLiteral("Initializing..."), QString()};
    for (int i = 0; i < 3; ++i) {
        staPanel[i] = new QLabel(design.at(i), this);
        staPanel[i]->setFrameShape(QFrame::Panel);
        staPanel[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(staPanel[i], i == 1 ? 1 : 0);
    }
    staPanel[0]->setFixedWidth(75);
    staPanel[2]->setFixedWidth(86);
    lblProgress = new QLabel(this);
    prgProgress = new QProgressBar(this);
    prgProgress->setRange(0, 100);
    prgProgress->setTextVisible(false);
    statusBar()->addWidget(lblProgress);
    statusBar()->addWidget(prgProgress, 1);
    lblProgress->hide();
    prgProgress->hide();
    statusBar()->setSizeGripEnabled(true);

    // The active document's events.
    connect(krHTMLTab, &TkrHTMLTab::OnActiveDocSelectionChange, this, [this] {
        if (!ActiveEditor()->Updating())
            UpdateCaretPosition();
        UpdateEditCommands(false);
    });
    connect(krHTMLTab, &TkrHTMLTab::OnActiveDocInsertModeChange, this, [this] { UpdateInsertMode(); });
    // The editor reports each change of its text and history this way.
    connect(krHTMLTab, &TkrHTMLTab::OnActiveDocModifyStatusChange, this, [this] {
        Action(QStringLiteral("spdSave"))->setEnabled(ActiveEditor()->Modified());
        UpdateEditCommands(false);
    });
    connect(krHTMLTab, &TkrHTMLTab::OnActiveDocKeyPress, this,
            [this] { Action(QStringLiteral("spdSave"))->setEnabled(true); });
    connect(krHTMLTab, &TkrHTMLTab::OnActiveDocProgressChange, this, [this](TkrHTMLTab *, int v) { Progress(v); });
    connect(krHTMLTab, &TkrHTMLTab::OnPageChange, this, [this] {
        AttachEditors();
        RefreshForActiveDocument();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdateEditCommands(true); });
    connect(krHTMLTab, &TkrHTMLTab::OnDropFiles, this, [this](TkrHTMLTab *, const QStringList &paths) { DropFiles(paths); });
    for (QWidget *w : {static_cast<QWidget *>(krHTMLTab), static_cast<QWidget *>(pgHTML)})
        w->installEventFilter(this);

    // The speedbar writes into the active document and shows its hints in the status bar.
    pgSpeedbar->ActiveEditor = [this] { return ActiveEditor(); };
    connect(pgSpeedbar, &TkrSpeedbar::OnHint, this, [this](const QString &hint) { ShowMessage(hint); });
    connect(pgSpeedbar, &TkrSpeedbar::OnDialogButton, this,
            [this](int action) { OpenTagDialog(TTagButtonAction(action), QString()); });

    // Find and Replace live as long as the window, keeping their texts within a run; each
    // click works on the tab active at that moment.
    cdgFind = new TFindDialog(this);
    cdgFind->ActiveEditor = [this] { return ActiveEditor(); };
    cdgReplace = new TReplaceDialog(this);
    cdgReplace->ActiveEditor = [this] { return ActiveEditor(); };

    // The quick table sizer drops down under its button; any other tag button and the
    // viewer page hide it.
    krTableSizer = new TkrTableSizer(this);
    connect(pgSpeedbar, &TkrSpeedbar::OnQuickTable, this, [this] {
        krTableSizer->ToggleUnder(pgSpeedbar->Button(QStringLiteral("spdQuickTable")), pnlHeader);
    });
    connect(pgSpeedbar, &TkrSpeedbar::OnBeforeTagButton, krTableSizer, &QWidget::hide);
    connect(pgHTML, &QTabWidget::currentChanged, krTableSizer, &QWidget::hide);
    connect(krTableSizer, &TkrTableSizer::OnCellSelect, this, [this](TkrTableSizer *, int rows, int columns) {
        krTableSizer->hide();
        const TTagResult table = QuickTableText(rows, columns);
        ActiveEditor()->InsertTags(table.StartText, table.EndText, false);
    });
}

QAction *TfMain::AddItem(QMenu *menu, const QString &caption, const QString &name, const QString &shortcut,
                         std::function<void()> slot)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(QKeySequence(shortcut));
    if (slot)
        connect(a, &QAction::triggered, this, [slot] { slot(); });
    menu->addAction(a);
    return a;
}

QAction *TfMain::Action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void TfMain::CreateMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    AddItem(file, QStringLiteral("&New..."), QStringLiteral("mnuFileNew"), {}, [this] { NewDocument(); });
    AddItem(file, QStringLiteral("&Open..."), QStringLiteral("mnuFileOpen"), QStringLiteral("Ctrl+O"), [this] { OpenDocument(); });
    AddItem(file, QStringLiteral("Open from the &Web..."), QStringLiteral("mnuFileOpenWeb"));
    mnuReopen = file->addMenu(QStringLiteral("&Reopen"));
    mnuReopen->setObjectName(QStringLiteral("mnuFileReopen"));
    for (int n = 1; n <= TMRUList::Size; ++n) {
        QAction *a = AddItem(mnuReopen, TMRUList::EmptyEntry(), QStringLiteral("mnuMRU_%1").arg(n));
        connect(a, &QAction::triggered, this, [this, a] {
            if (a->text() != TMRUList::EmptyEntry())
                OpenDocument(a->data().toString());
        });
    }
    AddItem(file, QStringLiteral("&Insert..."), QStringLiteral("mnuFileInsert"), {}, [this] { InsertDocument(); });
    file->addSeparator();
    AddItem(file, QStringLiteral("&Save"), QStringLiteral("mnuFileSave"), QStringLiteral("Ctrl+S"), [this] { SaveActive(); });
    AddItem(file, QStringLiteral("Save &As..."), QStringLiteral("mnuFileSaveAs"), {}, [this] { SaveAsActive(); });
    AddItem(file, QStringLiteral("Sa&ve All"), QStringLiteral("mnuFileSaveAll"), {}, [this] { SaveAll(); });
    AddItem(file, QStringLiteral("Export as &Unix (LF only)..."), QStringLiteral("mnuFileExportUnix"), QStringLiteral("Ctrl+N"),
            [this] { ExportUnix(); });
    file->addSeparator();
    AddItem(file, QStringLiteral("&Close"), QStringLiteral("mnuFileClose"), QStringLiteral("Ctrl+F4"), [this] { CloseActive(); });
    AddItem(file, QStringLiteral("C&lose All"), QStringLiteral("mnuFileCloseAll"), {}, [this] { CloseAll(); });
    file->addSeparator();
    AddItem(file, QStringLiteral("Projec&ts..."), QStringLiteral("mnuFileProjects"));
    AddItem(file, QStringLiteral("&Print..."), QStringLiteral("mnuFilePrint"), {}, [this] { PrintActive(); });
    file->addSeparator();
    AddItem(file, QStringLiteral("E&xit"), QStringLiteral("mnuFileExit"), QStringLiteral("Alt+X"), [this] { close(); });

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    connect(mnuEdit, &QMenu::aboutToShow, this, [this] { UpdateEditCommands(true); });
    AddItem(mnuEdit, QStringLiteral("&Undo"), QStringLiteral("mnuEditUndo"), QStringLiteral("Ctrl+Z"), [this] { ActiveEditor()->Undo(); });
    mnuEdit->addSeparator();
    AddItem(mnuEdit, QStringLiteral("Cu&t"), QStringLiteral("mnuEditCut"), QStringLiteral("Ctrl+X"), [this] { ActiveEditor()->Cut(); });
    AddItem(mnuEdit, QStringLiteral("&Copy"), QStringLiteral("mnuEditCopy"), QStringLiteral("Ctrl+C"), [this] { ActiveEditor()->copy(); });
    AddItem(mnuEdit, QStringLiteral("&Paste"), QStringLiteral("mnuEditPaste"), QStringLiteral("Ctrl+V"), [this] { ActiveEditor()->Paste(); });
    AddItem(mnuEdit, QStringLiteral("Se&lect All"), QStringLiteral("mnuEditSelectAll"), QStringLiteral("Ctrl+A"),
            [this] { ActiveEditor()->Select(0, ActiveEditor()->TextLength()); });
    mnuEdit->addSeparator();
    AddItem(mnuEdit, QStringLiteral("&Indent"), QStringLiteral("mnuEditIndent"), QStringLiteral("Ctrl+."), [this] { ActiveEditor()->IndentLines(); });
    AddItem(mnuEdit, QStringLiteral("U&nindent"), QStringLiteral("mnuEditUnindent"), QStringLiteral("Ctrl+,"), [this] { ActiveEditor()->UnindentLines(); });
    mnuEdit->addSeparator();
    AddItem(mnuEdit, QStringLiteral("&Go to Line..."), QStringLiteral("mnuEditGoToLine"), QStringLiteral("Ctrl+G"),
            [this] { GoToLine(); });

    QMenu *search = menuBar()->addMenu(QStringLiteral("&Search"));
    search->setObjectName(QStringLiteral("mnuSearch"));
    AddItem(search, QStringLiteral("&Find..."), QStringLiteral("mnuSearchFind"), QStringLiteral("Ctrl+F"),
            [this] { cdgFind->Execute(); });
    AddItem(search, QStringLiteral("&Replace..."), QStringLiteral("mnuSearchReplace"), QStringLiteral("Ctrl+R"),
            [this] { cdgReplace->Execute(); });
    AddItem(search, QStringLiteral("&Extended Replace..."), QStringLiteral("mnuSearchExtReplace"), QStringLiteral("Ctrl+Shift+R"));
    search->addSeparator();
    AddItem(search, QStringLiteral("&Replace Slashes"), QStringLiteral("mnuSearchReplaceSlashes"));
    AddItem(search, QStringLiteral("Replace Extended &Characters..."), QStringLiteral("mnuSearchReplaceExtChars"));

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    AddItem(tools, QStringLiteral("Spell Check"), QStringLiteral("mnuToolsSpellCheck"), QStringLiteral("F7"));
    tools->addSeparator();
    AddItem(tools, QStringLiteral("Quick &Anchor"), QStringLiteral("mnuToolsQuickAnchor"), QStringLiteral("Ctrl+Shift+A"));
    AddItem(tools, QStringLiteral("Quick &Image"), QStringLiteral("mnuToolsQuickImage"), QStringLiteral("Ctrl+Shift+I"),
            [this] { OpenTagDialog(krImage, QString()); });
    AddItem(tools, QStringLiteral("Quick &Font"), QStringLiteral("mnuToolsQuickFont"), QStringLiteral("Ctrl+Shift+F"));
    AddItem(tools, QStringLiteral("&Table Wizard"), QStringLiteral("mnuToolsTableWizard"), QStringLiteral("Ctrl+Shift+T"),
            [this] { OpenTagDialog(krTableWizard, QString()); });
    AddItem(tools, QStringLiteral("Frame &Wizard"), QStringLiteral("mnuToolsFrameWizard"), QStringLiteral("Ctrl+Shift+W"));
    AddItem(tools, QStringLiteral("&List Editor"), QStringLiteral("mnuToolsListEditor"), QStringLiteral("Ctrl+Shift+L"));
    AddItem(tools, QStringLiteral("Co&mment Editor"), QStringLiteral("mnuToolsCommentEditor"), QStringLiteral("Ctrl+Shift+M"));
    AddItem(tools, QStringLiteral("&Horizontal Rule Editor"), QStringLiteral("mnuToolsHREditor"), QStringLiteral("Ctrl+Shift+H"));

    QMenu *tags = menuBar()->addMenu(QStringLiteral("T&ags"));
    tags->setObjectName(QStringLiteral("mnuTags"));
    AddItem(tags, QStringLiteral("Bold"), QStringLiteral("mnuTagsBold"), QStringLiteral("Ctrl+B"));
    AddItem(tags, QStringLiteral("Italic"), QStringLiteral("mnuTagsItalic"), QStringLiteral("Ctrl+I"));
    AddItem(tags, QStringLiteral("Underline"), QStringLiteral("mnuTagsUnderline"), QStringLiteral("Ctrl+U"));
    tags->addSeparator();
    AddItem(tags, QStringLiteral("Font Size +1"), QStringLiteral("mnuTagsFontPlus"), QStringLiteral("Ctrl+Shift+="));
    AddItem(tags, QStringLiteral("Font Size - 1"), QStringLiteral("mnuTagsFontMinus"), QStringLiteral("Ctrl+Shift+-"));
    tags->addSeparator();
    AddItem(tags, QStringLiteral("Center"), QStringLiteral("mnuTagsCenter"), QStringLiteral("Ctrl+Shift+C"));
    AddItem(tags, QStringLiteral("Paragraph"), QStringLiteral("mnuTagsParagraph"), QStringLiteral("Ctrl+Shift+P"));
    AddItem(tags, QStringLiteral("Break"), QStringLiteral("mnuTagsBreak"), QStringLiteral("Ctrl+Shift+B"));
    AddItem(tags, QStringLiteral("Non-breaking Space"), QStringLiteral("mnuTagsNbsp"), QStringLiteral("Ctrl+Shift+Space"));
    tags->addSeparator();
    AddItem(tags, QStringLiteral("H1"), QStringLiteral("mnuTagsH1"), QStringLiteral("Ctrl+Shift+1"));
    AddItem(tags, QStringLiteral("H2"), QStringLiteral("mnuTagsH2"), QStringLiteral("Ctrl+Shift+2"));
    AddItem(tags, QStringLiteral("H3"), QStringLiteral("mnuTagsH3"), QStringLiteral("Ctrl+Shift+3"));
    tags->addSeparator();
    QMenu *dates = tags->addMenu(QStringLiteral("Insert Datetime"));
    dates->setObjectName(QStringLiteral("mnuTagsDatetime"));
    for (const char *d : {"Short Date", "Long Date", "Short Datetime", "Long Datetime"})
        AddItem(dates, QLatin1String(d), QStringLiteral("mnuTags") + QString::fromLatin1(d).remove(u' '));
    tags->addSeparator();
    AddItem(tags, QStringLiteral("&Strip All Tags"), QStringLiteral("mnuTagsStripAll"));

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    QMenu *layout = options->addMenu(QStringLiteral("Toolbar &Layout"));
    grpToolbarLayout = new QActionGroup(this);
    QAction *vert = AddItem(layout, QStringLiteral("&Vertical"), QStringLiteral("mnuLayoutVertical"), {}, [this] { SetToolbarLayout(0); });
    QAction *horz = AddItem(layout, QStringLiteral("&Horizontal"), QStringLiteral("mnuLayoutHorizontal"), {}, [this] { SetToolbarLayout(1); });
    for (QAction *a : {vert, horz}) {
        a->setCheckable(true);
        grpToolbarLayout->addAction(a);
    }
    AddItem(options, QStringLiteral("Main &Toolbar"), QStringLiteral("mnuOptionsMainToolbar"), QStringLiteral("Ctrl+T"),
            [this] { SetMainToolbarVisible(!m_mainVisible); })->setCheckable(true);
    AddItem(options, QStringLiteral("&HTML Speedbar"), QStringLiteral("mnuOptionsSpeedbar"), QStringLiteral("Ctrl+H"),
            [this] { SetSpeedbarVisible(!m_speedbarVisible); })->setCheckable(true);
    AddItem(options, QStringLiteral("C&olor Bar"), QStringLiteral("mnuOptionsColorBar"), QStringLiteral("Ctrl+L"))->setCheckable(true);
    AddItem(options, QStringLiteral("&Status Bar"), QStringLiteral("mnuOptionsStatusBar"), {},
            [this] { SetStatusBarVisible(!m_statusBar); })->setCheckable(true);
    AddItem(options, QStringLiteral("&Rulers"), QStringLiteral("mnuOptionsRulers"), {},
            [this] { SetRulersVisible(!m_rulers); })->setCheckable(true);
    AddItem(options, QStringLiteral("&Full Screen"), QStringLiteral("mnuOptionsFullScreen"), QStringLiteral("F10"),
            [this] { SetFullScreen(!m_fullScreen); })->setCheckable(true);
    AddItem(options, QStringLiteral("T&ag Selection"), QStringLiteral("mnuOptionsTagSelection"), QStringLiteral("Ctrl+E"),
            [this] { SetTagSelectionVisible(!m_tagSelection); })->setCheckable(true);
    AddItem(options, QStringLiteral("Special Charact&ers"), QStringLiteral("mnuOptionsSpecialChars"), QStringLiteral("Ctrl+Shift+E"));
    options->addSeparator();
    AddItem(options, QStringLiteral("&Word Wrap"), QStringLiteral("mnuOptionsWordWrap"), {},
            [this] { SetWordWrap(!m_wordWrap); })->setCheckable(true);
    QMenu *coding = options->addMenu(QStringLiteral("&Color Coding"));
    coding->setObjectName(QStringLiteral("mnuOptionsColorCoding"));
    grpColorCoding = new QActionGroup(this);
    const std::pair<const char *, TColorCodeMode> modes[] = {{"&None", ccNone}, {"&Minimal", ccMinimal}, {"&Full", ccFull}};
    for (const auto &[caption, mode] : modes) {
        const TColorCodeMode m = mode;
        QAction *a = AddItem(coding, QLatin1String(caption), QStringLiteral("mnuColorCoding%1").arg(int(m)), {},
                             [this, m] { SetColorCoding(m); });
        a->setCheckable(true);
        grpColorCoding->addAction(a);
    }
    options->addSeparator();
    AddItem(options, QStringLiteral("&View in Externel Browser"), QStringLiteral("mnuOptionsViewExternal"), QStringLiteral("F11"),
            [this] { ViewInExternalBrowser(); });
    AddItem(options, QStringLiteral("Toggle Edit/&Browse"), QStringLiteral("mnuOptionsToggleBrowse"), QStringLiteral("F12"),
            [this] { pgHTML->setCurrentIndex(pgHTML->currentIndex() == 0 ? 1 : 0); });
    options->addSeparator();
    AddItem(options, QStringLiteral("Document &List"), QStringLiteral("mnuOptionsDocList"), {},
            [this] { SetDocumentListVisible(!m_showDocList); })->setCheckable(true);
    AddItem(options, QStringLiteral("Include &Image Files in Document List"), QStringLiteral("mnuOptionsListImages"), {},
            [this] { m_listImages = !m_listImages; })->setCheckable(true);
    AddItem(options, QStringLiteral("Include &Multimedia Files in Document List"), QStringLiteral("mnuOptionsListMultimedia"), {},
            [this] { m_listMultimedia = !m_listMultimedia; })->setCheckable(true);
    options->addSeparator();
    AddItem(options, QStringLiteral("&Settings..."), QStringLiteral("mnuOptionsSettings"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    AddItem(help, QStringLiteral("&Help Topics..."), QStringLiteral("mnuHelpTopics"), QStringLiteral("F1"),
            [this] { ShowHelpContents(this); });
    AddItem(help, QStringLiteral("&Keyboard Shortcuts"), QStringLiteral("mnuHelpShortcuts"), {}, [this] { ShowHelpTopic(46, this); });
    AddItem(help, QStringLiteral("Pendwick &Tips"), QStringLiteral("mnuHelpTips"));
    help->addSeparator();
    AddItem(help, QStringLiteral("&About"), QStringLiteral("mnuHelpAbout"), {}, [this] { TfAbout::Execute(this); });

    m_busyMenus = {file, mnuEdit, search, tools, tags, options};
}

void TfMain::CreateToolbar()
{
    struct Button
    {
        const char *name;
        const char *hint;
        std::function<void()> slot;
        bool checkable;
    };
    const Button upper[] = {
        {"spdNew", "New", [this] { NewFromTemplate(m_documentTemplate); }, false},
        {"spdOpen", "Open", [this] { OpenDocument(); }, false},
        {"spdSave", "Save", [this] { SaveActive(); }, false},
        {"spdProjects", "Projects", {}, false},
        {"spdSpellCheck", "Spell Check", {}, false},
        {"spdFind", "Find", [this] { cdgFind->Execute(); }, false},
        {"spdReplace", "Replace", [this] { cdgReplace->Execute(); }, false},
        {"spdExtReplace", "Extended replace", {}, false},
        {"spdRulers", "Rulers", [this] { SetRulersVisible(!m_rulers); }, true},
        {"spdFullScreen", "Full Screen", [this] { SetFullScreen(!m_fullScreen); }, true},
        {"spdExternalBrowser", "Open in external browser", [this] { ViewInExternalBrowser(); }, false},
    };
    const Button lower[] = {
        {"spdCut", "Cut", [this] { ActiveEditor()->Cut(); }, false},
        {"spdCopy", "Copy", [this] { ActiveEditor()->copy(); }, false},
        {"spdPaste", "Paste", [this] { ActiveEditor()->Paste(); }, false},
        {"spdPublish", "Publish current document", {}, false},
        {"spdSettings", "Settings", {}, false},
        {"spdUndo", "Undo", [this] { ActiveEditor()->Undo(); }, false},
        {"spdIndent", "Indent", [this] { ActiveEditor()->IndentLines(); }, false},
        {"spdUnindent", "Unindent", [this] { ActiveEditor()->UnindentLines(); }, false},
        {"spdTagSelection", "Show Tag Selection",
         [this] { SetTagSelectionVisible(!m_tagSelection); }, true},
        {"spdDocList", "Document List", [this] { SetDocumentListVisible(!m_showDocList); }, true},
        {"spdHelp", "Help", [this] { ShowHelpContents(this); }, false},
    };
    auto add = [&](QToolBar *tb, const Button &b) {
        QAction *a = tb->addAction(ToolbarIcon(QLatin1String(b.name)), QLatin1String(b.hint));
        a->setObjectName(QLatin1String(b.name));
        a->setToolTip(QLatin1String(b.hint));
        a->setCheckable(b.checkable);
        if (b.slot)
            connect(a, &QAction::triggered, this, [s = b.slot] { s(); });
        // The hint shows in the status bar while the mouse is over the button.
        connect(a, &QAction::hovered, this, [this, a] { ShowMessage(a->toolTip()); });
    };
    for (const Button &b : upper)
        add(tbUpper, b);
    for (const Button &b : lower)
        add(tbLower, b);
    Action(QStringLiteral("spdSave"))->setEnabled(false);
}

void TfMain::CreatePopupMenus()
{
    mnuPopupEdit = new QMenu(this);
    mnuPopupEdit->setObjectName(QStringLiteral("mnuPopupEdit"));
    // F3 works on the tag at the caret at the moment it runs, also before the menu has
    // popped up once, so the entry lives on the window as well.
    QAction *editTag = AddItem(mnuPopupEdit, QStringLiteral("Edit Tag..."), QStringLiteral("mnuPE_EditTag"),
                               QStringLiteral("F3"), [this] { EditTagAtCaret(); });
    editTag->setEnabled(false);
    editTag->setShortcutContext(Qt::WidgetShortcut);
    auto *editTagKey = new QAction(this);
    editTagKey->setObjectName(QStringLiteral("actEditTagKey"));
    editTagKey->setShortcut(QKeySequence(Qt::Key_F3));
    connect(editTagKey, &QAction::triggered, this, [this] { EditTagAtCaret(); });
    addAction(editTagKey);
    AddItem(mnuPopupEdit, QStringLiteral("Close Page"), QStringLiteral("mnuPopupClosePage"), {}, [this] { CloseActive(); });
    mnuPopupEdit->addSeparator();
    AddItem(mnuPopupEdit, QStringLiteral("Undo"), QStringLiteral("mnuPopupUndo"), {}, [this] { ActiveEditor()->Undo(); });
    AddItem(mnuPopupEdit, QStringLiteral("Cut"), QStringLiteral("mnuPopupCut"), {}, [this] { ActiveEditor()->Cut(); });
    AddItem(mnuPopupEdit, QStringLiteral("Copy"), QStringLiteral("mnuPopupCopy"), {}, [this] { ActiveEditor()->copy(); });
    AddItem(mnuPopupEdit, QStringLiteral("Paste"), QStringLiteral("mnuPopupPaste"), {}, [this] { ActiveEditor()->Paste(); });
    mnuPopupEdit->addSeparator();
    QMenu *selection = mnuPopupEdit->addMenu(QStringLiteral("Selection"));
    selection->setObjectName(QStringLiteral("mnuPopupSelection"));
    AddItem(selection, QStringLiteral("Convert Lines to List..."), QStringLiteral("mnuPopupLinesToList"));
    AddItem(selection, QStringLiteral("Convert Lines to Table..."), QStringLiteral("mnuPopupLinesToTable"));
    selection->addSeparator();
    AddItem(selection, QStringLiteral("Strip All Tags"), QStringLiteral("mnuPopupStripAll"));
    AddItem(selection, QStringLiteral("Strip Outermost Tags"), QStringLiteral("mnuPopupStripOutermost"));
    selection->addSeparator();
    AddItem(selection, QStringLiteral("Uppercase"), QStringLiteral("mnuPopupUppercase"));
    AddItem(selection, QStringLiteral("Lowercase"), QStringLiteral("mnuPopupLowercase"));
    AddItem(mnuPopupEdit, QStringLiteral("&Find..."), QStringLiteral("mnuPopupFind"), {}, [this] { cdgFind->Execute(); });
    QMenu *dates = mnuPopupEdit->addMenu(QStringLiteral("Insert Datetime"));
    dates->setObjectName(QStringLiteral("mnuPopupDatetime"));
    for (const char *d : {"Short Date", "Long Date", "Short Datetime", "Long Datetime"})
        AddItem(dates, QLatin1String(d), QStringLiteral("mnuPopup") + QString::fromLatin1(d).remove(u' '));
    mnuPopupEdit->addSeparator();
    AddItem(mnuPopupEdit, QStringLiteral("Full &Screen"), QStringLiteral("mnuPopupFullScreen"), {},
            [this] { SetFullScreen(!m_fullScreen); })->setCheckable(true);
    AddItem(mnuPopupEdit, QStringLiteral("&Word Wrap"), QStringLiteral("mnuPopupWordWrap"), {},
            [this] { SetWordWrap(!m_wordWrap); })->setCheckable(true);
    connect(mnuPopupEdit, &QMenu::aboutToShow, this, [this, selection] {
        Action(QStringLiteral("mnuPopupUndo"))->setEnabled(ActiveEditor()->CanUndo());
        Action(QStringLiteral("mnuPopupPaste"))->setEnabled(ActiveEditor()->CanPaste());
        selection->menuAction()->setEnabled(ActiveEditor()->SelLength() > 0);
        // The entry names the kind of the tag at the caret, without selecting it.
        const TTagKind kind = TagKindOf(ActiveEditor()->GetTagAtCaret(false));
        QAction *edit = Action(QStringLiteral("mnuPE_EditTag"));
        edit->setText(EditTagCaption(kind));
        edit->setEnabled(TagKindHasDialog(kind));
    });

    mnuPopupBrowse = new QMenu(this);
    mnuPopupBrowse->setObjectName(QStringLiteral("mnuPopupBrowse"));
    AddItem(mnuPopupBrowse, QStringLiteral("&Reload Original"), QStringLiteral("mnuBrowseReload"), {},
            [this] { ShowInViewer(); });
    AddItem(mnuPopupBrowse, QStringLiteral("Full &Screen"), QStringLiteral("mnuBrowseFullScreen"), {},
            [this] { SetFullScreen(!m_fullScreen); })->setCheckable(true);
    AddItem(mnuPopupBrowse, QStringLiteral("Ru&lers"), QStringLiteral("mnuBrowseRulers"), {},
            [this] { SetRulersVisible(!m_rulers); })->setCheckable(true);
    AddItem(mnuPopupBrowse, QStringLiteral("Settings..."), QStringLiteral("mnuBrowseSettings"));

    mnuPopupToolbar = new QMenu(this);
    mnuPopupToolbar->setObjectName(QStringLiteral("mnuPopupToolbar"));
    AddItem(mnuPopupToolbar, QStringLiteral("Show/hide toolbars..."), QStringLiteral("mnuToolbarShowHide"));
    AttachEditors();
}

// Every editor gets the editor pop-up menu.
void TfMain::AttachEditors()
{
    for (int i = 0; i < krHTMLTab->DocumentCount(); ++i)
        krHTMLTab->Editor(i)->SetPopupMenu(mnuPopupEdit);
}

// ---- Show and close ----

void TfMain::ShowSequence()
{
    // 1. Placement fitted to the screen.
    const QString mainForm = Key("MainForm");
    const bool maximized =
        ConfigStore::Read(mainForm, QStringLiteral("WindowState"), QStringLiteral("Normal")) == QLatin1String("Maximized");
    if (!maximized) {
        const QRect stored(ConfigStore::ReadInt(mainForm, QStringLiteral("Left"), 4),
                           ConfigStore::ReadInt(mainForm, QStringLiteral("Top"), 4),
                           ConfigStore::ReadInt(mainForm, QStringLiteral("Width"), 774),
                           ConfigStore::ReadInt(mainForm, QStringLiteral("Height"), 550));
        QScreen *screen = QGuiApplication::primaryScreen();
        const QRect fitted = FitPlacement(stored, screen ? screen->size() : QSize(1024, 768));
        resize(fitted.size());
        move(fitted.topLeft());
    }
    // 2-3. Status bar and colour bar.
    // Reading the setting at start stores nothing; only the toggle writes it.
    m_statusBar = ConfigStore::ReadBool(AppKey(), QStringLiteral("StatusBar"), true);
    statusBar()->setVisible(m_statusBar);
    SetChecked({QStringLiteral("mnuOptionsStatusBar")}, m_statusBar);
    m_colorBarVisible = ConfigStore::Read(AppKey(), QStringLiteral("ColorBar"), QStringLiteral("-1")) != QLatin1String("0");
    Action(QStringLiteral("mnuOptionsColorBar"))->setChecked(m_colorBarVisible);
    // 4-5. File panel and its sizes.
    const QString docList = Key("DocumentList");
    SetDocumentListVisible(ConfigStore::ReadBool(docList, QStringLiteral("Visible"), true));
    splMain->setSizes({ConfigStore::ReadInt(docList, QStringLiteral("DocListWidth"), 138), 10000});
    if (maximized)
        showMaximized();
    else
        show();
    // 6. The first document starts unmodified.
    ActiveEditor()->SetModified(false);
    QCoreApplication::processEvents();
    // 7-8. The command-line file is opened by the caller (OpenFromCommandLine); otherwise
    // the Open dialog starts in "InitialDir".
    const QString initial = ConfigStore::Read(AppKey(), QStringLiteral("InitialDir"), ProgramFolder());
    const QString folder = initial.left(initial.lastIndexOf(u'/') + 1);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        m_openDir = folder;
    } else {
        m_openDir = ProgramFolder();
        ConfigStore::Write(AppKey(), QStringLiteral("InitialDir"), ProgramFolder());
    }
}

void TfMain::OpenFromCommandLine(const QString &argument)
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
    const bool ok = krHTMLTab->AddDocument(path, ActiveMode(), ActiveWrap());
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        MessageBox(mkError, krHTMLTab->LastError(), mbOK, this); // names the file and says why
        return;
    }
    AttachEditors();
    m_openDir = QFileInfo(path).absolutePath();
    m_mru.Add(path);
    RefreshMRUMenu();
    UpdateCaption();
    RefreshForActiveDocument();
}

void TfMain::closeEvent(QCloseEvent *e)
{
    if (m_busy || !CloseAll()) {
        e->ignore();
        return;
    }
    WriteSettingsAtClose();
    e->accept();
}

void TfMain::WriteSettingsAtClose()
{
    try {
        Preview::TemporaryPreviews().DeleteAll();
        const QString mainForm = Key("MainForm");
        if (isMaximized()) {
            ConfigStore::Write(mainForm, QStringLiteral("WindowState"), QStringLiteral("Maximized"));
        } else if (!isMinimized()) {
            // What start-up applies: move() places the frame, resize() sizes the inside.
            ConfigStore::WriteInt(mainForm, QStringLiteral("Left"), pos().x());
            ConfigStore::WriteInt(mainForm, QStringLiteral("Top"), pos().y());
            ConfigStore::WriteInt(mainForm, QStringLiteral("Width"), width());
            ConfigStore::WriteInt(mainForm, QStringLiteral("Height"), height());
            ConfigStore::Write(mainForm, QStringLiteral("WindowState"), QStringLiteral("Normal"));
        }
        const QString docList = Key("DocumentList");
        const QList<int> sizes = splMain->sizes();
        ConfigStore::WriteInt(docList, QStringLiteral("DocListWidth"),
                              m_showDocList && !sizes.isEmpty() ? sizes.first()
                                                                : ConfigStore::ReadInt(docList, QStringLiteral("DocListWidth"), 138));
        ConfigStore::WriteInt(docList, QStringLiteral("DirListHeight"),
                              ConfigStore::ReadInt(docList, QStringLiteral("DirListHeight"), 84));
        ConfigStore::WriteBool(docList, QStringLiteral("Visible"), m_showDocList);
        const int defaults[3] = {128, 50, 150};
        for (int i = 0; i < 3; ++i) {
            const QString name = QStringLiteral("ColWidth_%1").arg(i);
            ConfigStore::WriteInt(docList, name, ConfigStore::ReadInt(docList, name, defaults[i]));
        }
        ConfigStore::WriteBool(docList, QStringLiteral("ListImages"), m_listImages);
        ConfigStore::WriteBool(docList, QStringLiteral("ListMultimedia"), m_listMultimedia);
        ConfigStore::WriteBool(AppKey(), QStringLiteral("WordWrap"), m_wordWrap);
        ConfigStore::WriteBool(AppKey(), QStringLiteral("Rulers"), m_rulers);
        const QString toolbars = Key("Toolbars");
        ConfigStore::WriteInt(toolbars, QStringLiteral("ToolbarLayout"), m_toolbarLayout);
        ConfigStore::WriteBool(toolbars, QStringLiteral("MainVisible"), m_mainVisible);
        ConfigStore::WriteBool(toolbars, QStringLiteral("SpeedbarVisible"), m_speedbarVisible);
        m_mru.Save(Key("MRUDocuments"));
    } catch (...) {
        // Closing always completes.
    }
}

// ---- Status and caption ----

TkrRichHTML *TfMain::ActiveEditor() const
{
    return krHTMLTab->ActiveEditor();
}

void TfMain::ShowMessage(const QString &text)
{
    staPanel[1]->setText(text.isEmpty() ? QStringLiteral(" Ready.") : u' ' + text);
}

QString TfMain::StatusPanelText(int panel) const
{
    return panel >= 0 && panel < 3 ? staPanel[panel]->text() : QString();
}

void TfMain::UpdateCaption()
{
    setWindowTitle(MainCaption(ActiveEditor()->Filename()));
}

void TfMain::UpdateCaretPosition()
{
    TkrRichHTML *e = ActiveEditor();
    const int s = e->SelStart();
    const int line = e->LineFromChar(s);
    const QString text = QStringLiteral("%1: %2").arg(line + 1).arg(s - e->LineStart(line) + 1);
    if (staPanel[0]->text() != text)
        staPanel[0]->setText(text);
}

void TfMain::UpdateInsertMode()
{
    staPanel[2]->setText(ActiveEditor()->OverwriteMode() ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
}

void TfMain::RefreshForActiveDocument()
{
    TkrRichHTML *e = ActiveEditor();
    m_wordWrap = e->lineWrapMode() != QPlainTextEdit::NoWrap;
    SetChecked({QStringLiteral("mnuOptionsWordWrap"), QStringLiteral("mnuPopupWordWrap")}, m_wordWrap);
    Action(QStringLiteral("spdSave"))->setEnabled(e->Modified());
    Action(QStringLiteral("mnuColorCoding%1").arg(int(e->ColorCodeMode())))->setChecked(true);
    UpdateCaretPosition();
    UpdateInsertMode();
    UpdateCaption();
    UpdateEditCommands(true);
}

void TfMain::Progress(int value)
{
    if (value <= 0) {
        for (QLabel *l : staPanel)
            l->hide();
        lblProgress->setText(ActiveEditor()->ProgressCaption());
        lblProgress->show();
        prgProgress->setFixedWidth(std::max(50, width() - 106));
        prgProgress->setValue(0);
        prgProgress->show();
    } else if (value >= 100) {
        prgProgress->setValue(0);
        prgProgress->hide();
        lblProgress->hide();
        for (QLabel *l : staPanel)
            l->show();
    } else {
        prgProgress->setValue(value);
    }
}

int TfMain::ShowOneTimeNotice(int n)
{
    return ShowNotice(n, this);
}

void TfMain::SetBusy(bool on)
{
    m_busy = on;
    pnlDocList->setEnabled(!on);
    pnlTB_Main->setEnabled(!on);
    pnlTB_SpeedBar->setEnabled(!on);
    krHTMLTab->TabStrip()->setEnabled(!on);
    for (QMenu *m : std::as_const(m_busyMenus))
        m->menuAction()->setEnabled(!on);
}

void TfMain::EnableEditingCommands(bool on)
{
    for (const char *name : {"spdNew", "spdOpen", "spdProjects", "spdPublish", "spdReplace", "spdFind", "spdExtReplace",
                             "spdUndo", "spdIndent", "spdUnindent", "spdCut", "spdCopy", "spdPaste", "spdSpellCheck",
                             "spdTagSelection"})
        Action(QLatin1String(name))->setEnabled(on);
    Action(QStringLiteral("actEditTagKey"))->setEnabled(on); // F3 edits the tag at the caret
    pgSpeedbar->setEnabled(on);
    for (int i = 0; i < 5; ++i)
        m_busyMenus.at(i)->menuAction()->setEnabled(on);
}

void TfMain::HandleException(const QString &message)
{
    MessageBox(mkError, message, mbOK, this);
    if (m_logging)
        AppendExceptionLog(DataFilePath(QStringLiteral("Exception.log")), message);
}

void TfMain::SetChecked(const QStringList &actionNames, bool on)
{
    for (const QString &n : actionNames)
        if (QAction *a = Action(n))
            a->setChecked(on);
}

TColorCodeMode TfMain::ActiveMode() const
{
    return ActiveEditor()->ColorCodeMode();
}

bool TfMain::ActiveWrap() const
{
    return ActiveEditor()->lineWrapMode() != QPlainTextEdit::NoWrap;
}

// ---- Menus' state ----

// A disabled item ignores its key, so the Edit menu's items follow the active document
// whenever it changes (tab, selection, history), not only when the menu opens. The
// clipboard is asked only when it may have changed: asking can wait on another program.
void TfMain::UpdateEditCommands(bool clipboard)
{
    TkrRichHTML *e = ActiveEditor();
    if (clipboard)
        Action(QStringLiteral("mnuEditPaste"))->setEnabled(e->CanPaste());
    Action(QStringLiteral("mnuEditUndo"))->setEnabled(e->CanUndo());
    Action(QStringLiteral("mnuEditIndent"))->setEnabled(e->SelLength() > 0);
    Action(QStringLiteral("mnuEditUnindent"))->setEnabled(e->SelLength() > 0);
    Action(QStringLiteral("mnuEditGoToLine"))->setEnabled(e->LineCount() >= 1);
}

void TfMain::RefreshMRUMenu()
{
    for (int n = 1; n <= TMRUList::Size; ++n) {
        QAction *a = Action(QStringLiteral("mnuMRU_%1").arg(n));
        const QString caption = m_mru.Caption(n);
        // The file name is kept apart from the caption, where "&" would mark a letter.
        a->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
        a->setData(caption);
        a->setEnabled(caption != TMRUList::EmptyEntry());
        if (caption == TMRUList::EmptyEntry())
            a->setText(caption);
    }
}

// ---- Keys and hints ----

bool TfMain::eventFilter(QObject *watched, QEvent *event)
{
    // The dropped-down sizer goes away on Escape or a click anywhere else.
    if (krTableSizer && krTableSizer->isVisible()) {
        const bool escape = event->type() == QEvent::KeyPress &&
                            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
        const bool clickElsewhere = event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
                                    watched != krTableSizer &&
                                    !krTableSizer->isAncestorOf(static_cast<QWidget *>(watched)) &&
                                    watched != pgSpeedbar->Button(QStringLiteral("spdQuickTable"));
        if (escape || clickElsewhere)
            krTableSizer->hide();
        if (escape)
            return true;
    }
    if (event->type() == QEvent::KeyPress &&
        (isActiveWindow() || (m_fullScreen && m_fullScreenWindow && m_fullScreenWindow->isActiveWindow()))) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if ((ke->modifiers() & Qt::ControlModifier) && (ke->key() == Qt::Key_BracketLeft || ke->key() == Qt::Key_BracketRight)) {
            SelectAdjacentTab(ke->key() == Qt::Key_BracketLeft ? -1 : 1);
            return true;
        }
    }
    if (event->type() == QEvent::Enter && (watched == krHTMLTab || watched == pgHTML))
        ShowMessage();
    return QMainWindow::eventFilter(watched, event);
}

void TfMain::SelectAdjacentTab(int step)
{
    const int i = krHTMLTab->TabIndex() + step;
    if (i >= 0 && i < krHTMLTab->DocumentCount())
        krHTMLTab->SetTabIndex(i);
}

void TfMain::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    if (prgProgress->isVisible())
        prgProgress->setFixedWidth(std::max(50, width() - 106));
}

// ---- Toggles ----

void TfMain::SetMainToolbarVisible(bool on)
{
    m_mainVisible = on;
    SetChecked({QStringLiteral("mnuOptionsMainToolbar")}, on);
    ApplyHeaderLayout();
}

void TfMain::SetSpeedbarVisible(bool on)
{
    m_speedbarVisible = on;
    SetChecked({QStringLiteral("mnuOptionsSpeedbar")}, on);
    ApplyHeaderLayout();
}

void TfMain::SetToolbarLayout(int layout)
{
    m_toolbarLayout = layout;
    Action(layout == 0 ? QStringLiteral("mnuLayoutVertical") : QStringLiteral("mnuLayoutHorizontal"))->setChecked(true);
    ApplyHeaderLayout();
}

// Vertical layout: the main toolbar's two rows beside the speedbar. Horizontal layout:
// one row of buttons above the speedbar. The separator under the menu shows only when
// no toolbar does.
void TfMain::ApplyHeaderLayout()
{
    delete pnlHeader->layout();
    delete pnlTB_Main->layout();
    const bool both = m_mainVisible && m_speedbarVisible;
    const bool rowsStacked = m_toolbarLayout == 0 && both;
    QBoxLayout *tbLayout = rowsStacked ? static_cast<QBoxLayout *>(new QVBoxLayout(pnlTB_Main))
                                       : static_cast<QBoxLayout *>(new QHBoxLayout(pnlTB_Main));
    tbLayout->setContentsMargins(2, 0, 2, 0);
    tbLayout->setSpacing(0);
    tbLayout->addWidget(tbUpper);
    tbLayout->addWidget(tbLower);
    if (!rowsStacked)
        tbLayout->addStretch(1);
    QBoxLayout *header = m_toolbarLayout == 0 ? static_cast<QBoxLayout *>(new QHBoxLayout(pnlHeader))
                                              : static_cast<QBoxLayout *>(new QVBoxLayout(pnlHeader));
    header->setContentsMargins(0, 0, 0, 2);
    header->setSpacing(2);
    header->addWidget(pnlTB_Main, m_toolbarLayout == 0 && both ? 0 : 1);
    header->addWidget(pnlTB_SpeedBar, 1);
    pnlTB_Main->setVisible(m_mainVisible);
    pnlTB_SpeedBar->setVisible(m_speedbarVisible);
    pnlHeader->setVisible(m_mainVisible || m_speedbarVisible);
    sepMenu->setVisible(!m_mainVisible && !m_speedbarVisible);
    QCoreApplication::processEvents();
}

void TfMain::SetStatusBarVisible(bool on)
{
    m_statusBar = on;
    statusBar()->setVisible(on);
    SetChecked({QStringLiteral("mnuOptionsStatusBar")}, on);
    ConfigStore::WriteBool(AppKey(), QStringLiteral("StatusBar"), on);
}

void TfMain::SetRulersVisible(bool on)
{
    m_rulers = on;
    if (on && !m_rulersBuilt) {
        // Built once, the first time they are shown.
        auto *grid = static_cast<QGridLayout *>(pnlPages->layout());
        RulerVert = new TkrRuler(Qt::Vertical, pnlPages);
        RulerHorz = new TkrRuler(Qt::Horizontal, pnlPages);
        RulerHorz->SetOffset(RulerVert->width());
        grid->addWidget(RulerHorz, 0, 0, 1, 2);
        grid->addWidget(RulerVert, 1, 0);
        m_rulersBuilt = true;
    }
    if (m_rulersBuilt) {
        RulerHorz->setVisible(on);
        RulerVert->setVisible(on);
    }
    SetChecked({QStringLiteral("mnuOptionsRulers"), QStringLiteral("mnuBrowseRulers"), QStringLiteral("spdRulers")}, on);
}

void TfMain::SetWordWrap(bool on)
{
    m_wordWrap = on;
    ActiveEditor()->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    ActiveEditor()->SetMargins();
    SetChecked({QStringLiteral("mnuOptionsWordWrap"), QStringLiteral("mnuPopupWordWrap")}, on);
}

// The tag list window is shown and hidden here once it exists; the menu item and the
// button keep in step already.
void TfMain::SetTagSelectionVisible(bool on)
{
    m_tagSelection = on;
    SetChecked({QStringLiteral("mnuOptionsTagSelection"), QStringLiteral("spdTagSelection")}, on);
}

void TfMain::SetDocumentListVisible(bool on)
{
    m_showDocList = on;
    pnlDocList->setVisible(on);
    SetChecked({QStringLiteral("mnuOptionsDocList"), QStringLiteral("spdDocList")}, on);
}

// The user's choice is stored at once; start-up only applies the stored one.
void TfMain::SetColorCoding(TColorCodeMode mode)
{
    ApplyColorCoding(mode);
    ConfigStore::WriteInt(AppKey(), QStringLiteral("ColorCodeMode"), int(mode));
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

void TfMain::SetFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    m_fullScreen = on;
    if (on) {
        ShowNotice(4, this);
        if (!m_fullScreenWindow)
            CreateSecondaryWindows();
        m_fullScreenWindow->TakeWidget(pgHTML);
        m_fullScreenWindow->showFullScreen();
        hide();
    } else {
        QWidget *w = m_fullScreenWindow ? m_fullScreenWindow->ReleaseWidget() : nullptr;
        if (w) {
            static_cast<QGridLayout *>(pnlPages->layout())->addWidget(w, 1, 1);
            w->show();
        }
        if (m_fullScreenWindow)
            m_fullScreenWindow->hide();
        show();
    }
    SetChecked({QStringLiteral("mnuOptionsFullScreen"), QStringLiteral("mnuPopupFullScreen"),
                QStringLiteral("mnuBrowseFullScreen"), QStringLiteral("spdFullScreen")},
               on);
    if (ActiveEditor()->isVisible())
        ActiveEditor()->setFocus();
    QCoreApplication::processEvents();
}

void TfMain::CreateSecondaryWindows()
{
    if (!m_fullScreenWindow) {
        m_fullScreenWindow = new TfFullScreen();
        connect(m_fullScreenWindow, &TfFullScreen::OnEscape, this, [this] { SetFullScreen(false); });
        // Closing it closes the program the usual way, with its save questions; when that
        // is cancelled the normal window stays.
        connect(m_fullScreenWindow, &TfFullScreen::OnCloseRequest, this, [this] {
            if (!m_fullScreen)
                return;
            SetFullScreen(false);
            close();
        });
        // The menus' keys work there too: each menu reaches its items' shortcuts through the
        // window that shows, and a menu switched off (Browse page, busy) keeps them off.
        // Only one of the two windows shows at a time, so no key is claimed twice.
        m_fullScreenWindow->addActions(menuBar()->actions());
        m_fullScreenWindow->addAction(Action(QStringLiteral("actEditTagKey")));
    }
    // The Quick Start, Extended Replace, Tags and Special Characters windows are created
    // here as they are built.
}

// ---- Document commands ----

void TfMain::NewDocument()
{
    bool blank = true;
    QString templatePath;
    if (!TfNewDocument::Execute(this, m_documentTemplate, blank, templatePath))
        return;
    if (blank) {
        krHTMLTab->AddDocument(QString(), ActiveMode(), ActiveWrap());
        AttachEditors();
        UpdateCaption();
        RefreshForActiveDocument();
    } else {
        NewFromTemplate(templatePath);
    }
}

void TfMain::NewFromTemplate(const QString &templateFile)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    krHTMLTab->AddDocument(QString(), ActiveMode(), ActiveWrap());
    AttachEditors();
    TkrRichHTML *e = ActiveEditor();
    if (!templateFile.isEmpty() && QFileInfo(templateFile).isFile()) {
        QCoreApplication::processEvents();
        if (e->LoadDocument(templateFile)) {
            // The new document has the template's text but no file name of its own.
            e->ClearFilename();
            krHTMLTab->SetFileName(krHTMLTab->TabIndex(), QString());
            const QTextCursor body = e->document()->find(QStringLiteral("<BODY"));
            if (!body.isNull()) {
                const int line = e->LineFromChar(body.selectionStart());
                e->Select(e->LineStart(std::min(line + 1, e->LineCount() - 1)), 0);
                if (line + 1 >= e->LineCount())
                    e->Select(e->TextLength(), 0);
            }
        } else {
            MessageBox(mkError, e->LastError(), mbOK, this);
        }
    }
    e->SetModified(false);
    UpdateCaption();
    RefreshForActiveDocument();
    QGuiApplication::restoreOverrideCursor();
}

bool TfMain::OpenDocument(const QString &fileName)
{
    QString f = fileName;
    if (f.isEmpty()) {
        f = RunFileDialog(fdOpen, this, QStringLiteral("Open HTML Document"), m_openDir, QtFilter(m_filter));
        if (f.isEmpty())
            return false;
        m_openDir = QFileInfo(f).absolutePath();
    }
    QCoreApplication::processEvents();
    if (!QFileInfo(f).isFile()) {
        MessageBox(mkError, QStringLiteral("File not found."), mbOK, this);
        return false;
    }
    const int open = krHTMLTab->IndexOfFile(f);
    if (open >= 0) {
        ShowOneTimeNotice(2);
        krHTMLTab->SetTabIndex(open);
        return true;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = krHTMLTab->AddDocument(QFileInfo(f).absoluteFilePath(), ActiveMode(), ActiveWrap());
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        // Nothing is left bound to a file that could not be read.
        MessageBox(mkError, krHTMLTab->LastError(), mbOK, this);
        return false;
    }
    AttachEditors();
    ActiveEditor()->setFocus();
    ActiveEditor()->SetModified(false);
    if (m_mru.Add(QFileInfo(f).absoluteFilePath()))
        RefreshMRUMenu();
    UpdateCaption();
    RefreshForActiveDocument();
    return true;
}

void TfMain::InsertDocument(const QString &fileName)
{
    QString f = fileName;
    if (f.isEmpty()) {
        f = RunFileDialog(fdOpen, this, QStringLiteral("Insert Document"), m_openDir, QtFilter(m_filter));
        if (f.isEmpty())
            return;
        m_openDir = QFileInfo(f).absolutePath();
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ActiveEditor()->InsertFromFile(f);
    QGuiApplication::restoreOverrideCursor();
    ActiveEditor()->setFocus();
}

bool TfMain::SaveActive()
{
    TkrRichHTML *e = ActiveEditor();
    if (e->Filename().isEmpty())
        return SaveAsActive();
    if (!e->SaveDocument(e->Filename())) {
        HandleException(e->LastError());
        return false; // the document stays modified
    }
    e->SetModified(false);
    Action(QStringLiteral("spdSave"))->setEnabled(false);
    return true;
}

bool TfMain::SaveAsActive()
{
    TkrRichHTML *e = ActiveEditor();
    QString f = RunFileDialog(fdSave, this, QStringLiteral("Save HTML Document"),
                              e->Filename().isEmpty() ? m_openDir : e->Filename(), QtFilter(m_filter));
    if (f.isEmpty())
        return false;
    m_openDir = QFileInfo(f).absolutePath();
    f = WithDefaultExtension(f, m_defaultExtension);
    if (QFileInfo::exists(f) &&
        MessageBox(mkConfirm, QStringLiteral("Overwrite \"%1?").arg(f), mbYes | mbNo | mbCancel, this) != mbYes)
        return false;
    if (!e->SaveDocument(f)) {
        HandleException(e->LastError());
        return false;
    }
    krHTMLTab->SetFileName(krHTMLTab->TabIndex(), f);
    UpdateCaption();
    e->SetModified(false);
    Action(QStringLiteral("spdSave"))->setEnabled(false);
    return true;
}

void TfMain::SaveAll()
{
    const int active = krHTMLTab->TabIndex();
    for (int i = 0; i < krHTMLTab->DocumentCount(); ++i) {
        krHTMLTab->SetTabIndex(i);
        QCoreApplication::processEvents();
        SaveActive();
    }
    krHTMLTab->SetTabIndex(active);
}

bool TfMain::SavePrompt()
{
    TkrRichHTML *e = ActiveEditor();
    if (!e->Modified())
        return true;
    const QString name = e->Filename().isEmpty() ? QStringLiteral("[Untitled]") : e->Filename();
    switch (MessageBox(mkConfirm, QStringLiteral("Save changes to %1?").arg(name), mbYes | mbNo | mbCancel, this)) {
    case mbYes: return SaveActive();
    case mbNo: return true;
    default: return false;
    }
}

void TfMain::CloseActive()
{
    if (!SavePrompt())
        return;
    krHTMLTab->CloseActive();
    UpdateCaption();
    RefreshForActiveDocument();
}

bool TfMain::CloseAll()
{
    const int count = krHTMLTab->DocumentCount();
    for (int i = 0; i < count; ++i) {
        if (!SavePrompt()) {
            UpdateCaption();
            RefreshForActiveDocument();
            return false;
        }
        krHTMLTab->CloseActive();
        QCoreApplication::processEvents();
    }
    UpdateCaption();
    RefreshForActiveDocument();
    QCoreApplication::processEvents();
    m_projectName.clear();
    return true;
}

void TfMain::ExportUnix()
{
    QString f = RunFileDialog(fdSave, this, QStringLiteral("Export as Unix (LF only)"), m_openDir, QtFilter(m_filter));
    if (f.isEmpty())
        return;
    f = WithDefaultExtension(f, m_defaultExtension);
    // The text as it stands with CR LF line ends as LF; the document keeps its name and state.
    TTextFileFormat format = UnixLineEnds(ActiveEditor()->SaveFormat());
    QString error;
    if (!WriteTextFile(f, ActiveEditor()->Text(), format, error))
        HandleException(error);
}

void TfMain::PrintActive()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintActiveTo(printer);
}

bool TfMain::PrintActiveTo(QPrinter &printer)
{
    const QString name = ActiveEditor()->Filename();
    printer.setDocName(name.isEmpty() ? QStringLiteral("[Untitled]") : name);
    try {
        ActiveEditor()->print(&printer);
        return true;
    } catch (...) {
        return false; // errors while printing are swallowed
    }
}

void TfMain::DropFiles(const QStringList &paths)
{
    // Each file becomes an element at the caret, built without showing a dialog.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TkrRichHTML *e = ActiveEditor();
    e->Select(e->SelStart(), 0);
    const TDialogContext context = DialogContext();
    for (const QString &path : paths) {
        QString linkTarget;
        const TTagResult text = TextFromFile(context, path, m_multimediaFormat, &linkTarget);
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

TDialogContext TfMain::DialogContext(const QString &editedTag) const
{
    TDialogContext context;
    context.EditedTag = editedTag;
    context.BaseFolder = BaseFolder(ActiveEditor()->Filename(), m_openDir);
    context.LowerCaseFiles = m_lowerCaseFiles;
    context.LinkHistory = ReadLinkHistory();
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

// ---- Tag commands ----

void TfMain::InsertTag(const QString &startText, const QString &endText)
{
    ActiveEditor()->InsertTags(TagCase(startText), TagCase(endText), false);
}

void TfMain::ConnectTagCommands()
{
    struct Item
    {
        const char *name, *start, *end;
    };
    const Item items[] = {
        {"mnuTagsBold", "<B>", "</B>"},
        {"mnuTagsItalic", "<I>", "</I>"},
        {"mnuTagsUnderline", "<U>", "</U>"},
        {"mnuTagsFontPlus", "<FONT SIZE=\"+1\">", "</FONT>"},
        {"mnuTagsFontMinus", "<FONT SIZE=\"-1\">", "</FONT>"},
        {"mnuTagsCenter", "<CENTER>", "</CENTER>"},
        {"mnuTagsParagraph", "<P>", ""},
        {"mnuTagsBreak", "<BR>", ""},
        {"mnuTagsH1", "<H1>", "</H1>"},
        {"mnuTagsH2", "<H2>", "</H2>"},
        {"mnuTagsH3", "<H3>", "</H3>"},
    };
    for (const Item &i : items) {
        const QString start = QLatin1String(i.start), end = QLatin1String(i.end);
        connect(Action(QLatin1String(i.name)), &QAction::triggered, this, [this, start, end] { InsertTag(start, end); });
    }
    // An entity is never case-converted.
    connect(Action(QStringLiteral("mnuTagsNbsp")), &QAction::triggered, this,
            [this] { ActiveEditor()->InsertTags(QStringLiteral("&nbsp;"), QString(), false); });

    // Both date submenus show the current date and time when they open; a choice inserts
    // its caption as it stands.
    for (const char *menuName : {"mnuTagsDatetime", "mnuPopupDatetime"}) {
        QMenu *menu = findChild<QMenu *>(QLatin1String(menuName));
        connect(menu, &QMenu::aboutToShow, this, [menu] {
            const QStringList captions = DatetimeCaptions(QDateTime::currentDateTime());
            const QList<QAction *> actions = menu->actions();
            for (int i = 0; i < actions.size() && i < captions.size(); ++i) {
                actions[i]->setText(QString(captions.at(i)).replace(u'&', QStringLiteral("&&")));
                actions[i]->setData(captions.at(i));
            }
        });
        for (QAction *a : menu->actions())
            connect(a, &QAction::triggered, this, [this, a] {
                const QString caption = a->data().toString();
                if (!caption.isEmpty())
                    ActiveEditor()->InsertTags(caption, QString(), false);
            });
    }

    connect(Action(QStringLiteral("mnuTagsStripAll")), &QAction::triggered, this, [this] {
        // Only a Yes strips; closing the box strips nothing.
        if (MessageBox(mkWarning, QStringLiteral("This will strip all HTML tags from the current document.  Continue?"),
                       mbYes | mbNo, this) == mbYes)
            ActiveEditor()->StripTags(true);
    });
    connect(Action(QStringLiteral("mnuPopupStripAll")), &QAction::triggered, this,
            [this] { ActiveEditor()->StripTags(false); });
    connect(Action(QStringLiteral("mnuPopupStripOutermost")), &QAction::triggered, this, [this] { StripOutermostTags(); });
    connect(Action(QStringLiteral("mnuPopupUppercase")), &QAction::triggered, this, [this] {
        if (ActiveEditor()->SelLength() > 0)
            ActiveEditor()->ReplaceSelection(UppercaseAZ(ActiveEditor()->SelText()));
    });
    connect(Action(QStringLiteral("mnuPopupLowercase")), &QAction::triggered, this, [this] {
        if (ActiveEditor()->SelLength() > 0)
            ActiveEditor()->ReplaceSelection(LowercaseAZ(ActiveEditor()->SelText()));
    });
    connect(Action(QStringLiteral("mnuPopupLinesToList")), &QAction::triggered, this, [this] { ConvertLines(false); });
    connect(Action(QStringLiteral("mnuPopupLinesToTable")), &QAction::triggered, this, [this] { ConvertLines(true); });
}

void TfMain::StripOutermostTags()
{
    TkrRichHTML *e = ActiveEditor();
    if (e->SelLength() == 0)
        return;
    // A selection that ends with a line break leaves the break in the document.
    if (e->SelText().endsWith(u'\n'))
        e->Select(e->SelStart(), e->SelLength() - 1);
    if (const std::optional<QString> result = StripOutermostText(e->SelText()))
        e->ReplaceSelection(*result);
}

void TfMain::ConvertLines(bool table)
{
    TkrRichHTML *e = ActiveEditor();
    const std::optional<TLineConversion> choice = AskLineConversion(table, this);
    if (!choice)
        return;
    TLineBlockTexts texts = LineConversionTexts(*choice);
    texts.BlockStart = TagCase(texts.BlockStart);
    texts.BlockEnd = TagCase(texts.BlockEnd);
    texts.LinePrefix = TagCase(texts.LinePrefix);
    texts.LineSuffix = TagCase(texts.LineSuffix);
    const int s = e->SelStart(), end = s + e->SelLength();
    const int first = e->LineFromChar(s);
    int last = e->LineFromChar(end);
    if (end > s && e->TextRange(end - 1, end) == QLatin1String("\n"))
        --last;
    last = std::max(first, last);
    QStringList lines;
    for (int line = first; line <= last; ++line)
        lines << e->TextRange(e->LineStart(line), e->LineStart(line) + e->LineLength(line));
    e->SelectLines(first, last);
    // The last line of the document has no line break of its own to take along.
    QString block = ConvertLinesText(lines, texts);
    if (!e->SelText().endsWith(u'\n'))
        block.chop(2);
    e->ReplaceSelection(block);
}

void TfMain::GoToLine()
{
    TkrRichHTML *e = ActiveEditor();
    const int count = e->LineCount();
    if (count < 1)
        return;
    QString answer;
    if (!InputQuery(QStringLiteral("Go to Line"), GoToLinePrompt(count), answer, this))
        return;
    const int line = GoToLineTarget(answer, count, e->LineFromChar(e->SelStart()));
    if (line >= 0) {
        e->Select(e->LineStart(line), 0);
        e->ensureCursorVisible();
    }
}

// ---- Preview ----

// The "Browse" page shows the active document as the internal viewer renders it; editing
// commands are off there. Back on "Edit", temporary preview copies go.
void TfMain::PageChanged(int index)
{
    const bool browse = index == 1;
    EnableEditingCommands(!browse);
    if (browse) {
        ShowOneTimeNotice(3);
        ShowInViewer();
    } else {
        Preview::TemporaryPreviews().DeleteAll();
        if (ActiveEditor()->isVisible())
            ActiveEditor()->setFocus();
    }
}

void TfMain::ShowInViewer()
{
    if (m_viewerBusy) {
        ShowMessage(QStringLiteral("Processing previous request..."));
        return;
    }
    m_viewerBusy = true;
    // Relative references resolve against the document's folder (or the Open dialog's).
    const QString file = ActiveEditor()->Filename();
    const QString folder = file.isEmpty() ? m_openDir : QFileInfo(file).absolutePath();
    htmlView->document()->setBaseUrl(QUrl::fromLocalFile(folder + u'/'));
    htmlView->setSearchPaths({folder});
    htmlView->setHtml(ActiveEditor()->Text());
    m_viewerBusy = false;
    ShowMessage();
}

QString TfMain::ViewerText() const
{
    return htmlView->toPlainText();
}

void TfMain::ViewInExternalBrowser()
{
    m_browsers = Preview::ReadBrowserList();
    if (m_browsers.isEmpty()) {
        MessageBox(mkWarning, Preview::NoBrowserMessage(), mbOK, this);
        EditBrowserList();
        m_browsers = Preview::ReadBrowserList();
        if (!m_browsers.isEmpty())
            LaunchBrowser(Preview::ParseBrowserEntry(m_browsers.first()).path);
        return;
    }
    QString path;
    if (m_browsers.size() == 1) {
        path = Preview::ParseBrowserEntry(m_browsers.first()).path;
    } else {
        // Several browsers: a pop-up list by name. A chosen name goes to the first entry
        // that carries it.
        QMenu menu(this);
        for (const QString &entry : std::as_const(m_browsers)) {
            const Preview::BrowserEntry b = Preview::ParseBrowserEntry(entry);
            menu.addAction(QString(b.name).replace(u'&', QStringLiteral("&&")))->setData(b.name);
        }
        QAction *chosen = m_browserChoiceHook ? m_browserChoiceHook(menu.actions())
                                              : menu.exec(QCursor::pos());
        if (!chosen)
            return;
        const int index = Preview::FindBrowserByName(m_browsers, chosen->data().toString());
        if (index < 0)
            return;
        path = Preview::ParseBrowserEntry(m_browsers.at(index)).path;
    }
    LaunchBrowser(path);
}

bool TfMain::LaunchBrowser(const QString &browserPath)
{
    if (!QFileInfo(browserPath).isFile()) {
        MessageBox(mkInformation, Preview::MissingBrowserMessage(browserPath), mbOK, this);
        EditBrowserList();
        return false;
    }
    TkrRichHTML *e = ActiveEditor();
    const Preview::LaunchDecision d =
        Preview::DecideLaunch(m_browserLaunchSetting, e->Modified(), e->Filename().isEmpty());
    QString file = e->Filename();
    switch (d.action) {
    case Preview::LaunchAction::SendFile:
        break;
    case Preview::LaunchAction::SaveThenSend:
        if (!SaveActive())
            return false;
        break;
    case Preview::LaunchAction::PromptSaveThenSend:
        if (!SavePrompt())
            return false;
        break;
    case Preview::LaunchAction::SaveAsThenSend:
        if (MessageBox(mkInformation, d.message, mbOK | mbCancel, this) != mbOK || !SaveAsActive())
            return false;
        break;
    case Preview::LaunchAction::SendTemporaryCopy:
        file = Preview::TemporaryPreviews().Create(file, m_openDir, e->Text(), e->SaveFormat());
        if (file.isEmpty()) {
            MessageBox(mkError, QStringLiteral("Unable to write a temporary copy of the document."), mbOK, this);
            return false;
        }
        break;
    }
    if (d.action != Preview::LaunchAction::SendTemporaryCopy)
        file = e->Filename();
    const std::unique_ptr<Preview::DdeClient> dde = Preview::CreateDdeClient();
    const bool ok = Preview::SendToBrowser(browserPath, file, *dde);
    QCoreApplication::processEvents();
    return ok;
}

// Until the settings dialog exists, a small editor for the five browser entries.
void TfMain::EditBrowserList()
{
    if (m_browserListHook) {
        m_browserListHook();
        return;
    }
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("External Browsers"));
    auto *form = new QFormLayout(&dialog);
    QList<QLineEdit *> names, paths;
    for (int i = 0; i < Preview::MaxBrowsers; ++i) {
        const Preview::BrowserEntry b = Preview::ParseBrowserEntry(m_browsers.value(i));
        auto *row = new QHBoxLayout;
        names << new QLineEdit(b.name, &dialog);
        paths << new QLineEdit(b.path, &dialog);
        names.last()->setPlaceholderText(QStringLiteral("Name"));
        paths.last()->setPlaceholderText(QStringLiteral("Program"));
        row->addWidget(names.last(), 1);
        row->addWidget(paths.last(), 2);
        form->addRow(QStringLiteral("Browser %1").arg(i + 1), row);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QStringList entries;
    for (int i = 0; i < Preview::MaxBrowsers; ++i)
        if (!names[i]->text().trimmed().isEmpty() && !paths[i]->text().trimmed().isEmpty())
            entries << Preview::FormatBrowserEntry(names[i]->text().trimmed(), paths[i]->text().trimmed());
    Preview::WriteBrowserList(entries);
    m_browsers = entries;
}
