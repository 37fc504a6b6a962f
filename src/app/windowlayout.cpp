#include "app/windowlayout.h"

#include <QAction>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/filepanel.h"
#include "app/fullscreen.h"
#include "app/htmltab.h"
#include "app/mainactions.h"
#include "app/mainsettings.h"
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "app/rulers.h"
#include "app/shellsettings.h"
#include "dialogs/tabledialogs.h"
#include "editor/richhtml.h"
#include "editor/tagbar.h"

TWindowLayout::TWindowLayout(TfMain &main, TMainSettings &settings) : QObject(&main), m_main(main), m_settings(settings)
{
    CreateWidgets();
}

TWindowLayout::~TWindowLayout()
{
    delete m_fullScreenWindow;
}

void TWindowLayout::CreateWidgets()
{
    auto *central = new QWidget(&m_main);
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
        connect(tb, &QWidget::customContextMenuRequested, this, [this, tb](const QPoint &p) {
            m_main.Actions().Menu(QStringLiteral("mnuPopupToolbar"))->exec(tb->mapToGlobal(p));
        });
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
    pnlDocList->setMaximumWidth(600);
    FilePanel = new TFilePanel(m_main, m_settings, pnlDocList);
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
    pgHTML->addTab(htmlView, QStringLiteral("Browse"));
    // The pages switch with F12 or their tabs.
    connect(pgHTML, &QTabWidget::currentChanged, this, [this](int index) { m_main.PageChanged(index); });
    splMain->addWidget(pnlDocList);
    splMain->addWidget(pnlPages);
    splMain->setStretchFactor(1, 1);
    splMain->setHandleWidth(4);
    splMain->handle(1)->setObjectName(QStringLiteral("pnlSplitHorz"));
    column->addWidget(splMain, 1);

    ColorBar = new QWidget(central);
    ColorBar->setObjectName(QStringLiteral("ColorBar"));
    column->addWidget(ColorBar);
    m_main.setCentralWidget(central);

    // Status bar: caret position, message, insert mode; a progress bar takes its place
    // while a long colour coding runs.
    const QStringList design = {QStringLiteral("1: 1"), QStringLiteral("Initializing..."), QString()};
    QStatusBar *status = m_main.statusBar();
    for (int i = 0; i < 3; ++i) {
        staPanel[i] = new QLabel(design.at(i), &m_main);
        staPanel[i]->setFrameShape(QFrame::Panel);
        staPanel[i]->setFrameShadow(QFrame::Sunken);
        status->addWidget(staPanel[i], i == 1 ? 1 : 0);
    }
    staPanel[0]->setFixedWidth(75);
    staPanel[2]->setFixedWidth(86);
    lblProgress = new QLabel(&m_main);
    prgProgress = new QProgressBar(&m_main);
    prgProgress->setRange(0, 100);
    prgProgress->setTextVisible(false);
    status->addWidget(lblProgress);
    status->addWidget(prgProgress, 1);
    lblProgress->hide();
    prgProgress->hide();
    status->setSizeGripEnabled(true);

    // The quick table sizer drops down under its button; any other tag button and the
    // viewer page hide it.
    krTableSizer = new TkrTableSizer(&m_main);
    connect(pgSpeedbar, &TkrSpeedbar::OnQuickTable, this, [this] {
        krTableSizer->ToggleUnder(pgSpeedbar->Button(QStringLiteral("spdQuickTable")), pnlHeader);
    });
    connect(pgSpeedbar, &TkrSpeedbar::OnBeforeTagButton, krTableSizer, &QWidget::hide);
    connect(pgHTML, &QTabWidget::currentChanged, krTableSizer, &QWidget::hide);
}

// ---- Placement ----

void TWindowLayout::ShowPlaced()
{
    const bool maximized = m_settings.WindowState == QLatin1String("Maximized");
    if (!maximized) {
        const QRect stored(m_settings.Left, m_settings.Top, m_settings.Width, m_settings.Height);
        QScreen *screen = QGuiApplication::primaryScreen();
        const QRect fitted = FitPlacement(stored, screen ? screen->size() : QSize(1024, 768));
        m_main.resize(fitted.size());
        m_main.move(fitted.topLeft());
    }
    // Reading the settings at start stores nothing; only the toggles write them.
    m_main.statusBar()->setVisible(m_settings.StatusBar);
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsStatusBar")}, m_settings.StatusBar);
    m_main.Actions().Action(QStringLiteral("mnuOptionsColorBar"))->setChecked(m_settings.ColorBar);
    SetDocumentListVisible(m_settings.DocListVisible);
    splMain->setSizes({m_settings.DocListWidth, 10000});
    FilePanel->ApplyGeometry();
    if (maximized)
        m_main.showMaximized();
    else
        m_main.show();
}

void TWindowLayout::KeepPlacement()
{
    if (m_main.isMaximized()) {
        m_settings.WindowState = QStringLiteral("Maximized");
    } else if (!m_main.isMinimized()) {
        // What start-up applies: move() places the frame, resize() sizes the inside.
        m_settings.Left = m_main.pos().x();
        m_settings.Top = m_main.pos().y();
        m_settings.Width = m_main.width();
        m_settings.Height = m_main.height();
        m_settings.WindowState = QStringLiteral("Normal");
    }
    const QList<int> sizes = splMain->sizes();
    if (m_settings.DocListVisible && !sizes.isEmpty())
        m_settings.DocListWidth = sizes.first();
    if (m_settings.DocListVisible)
        FilePanel->KeepGeometry();
}

// ---- Toolbars and panels ----

void TWindowLayout::SetMainToolbarVisible(bool on)
{
    m_settings.MainVisible = on;
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsMainToolbar")}, on);
    ApplyHeaderLayout();
}

void TWindowLayout::SetSpeedbarVisible(bool on)
{
    m_settings.SpeedbarVisible = on;
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsSpeedbar")}, on);
    ApplyHeaderLayout();
}

void TWindowLayout::SetToolbarLayout(int layout)
{
    m_settings.ToolbarLayout = layout;
    m_main.Actions().Action(layout == 0 ? QStringLiteral("mnuLayoutVertical") : QStringLiteral("mnuLayoutHorizontal"))
        ->setChecked(true);
    ApplyHeaderLayout();
}

// Vertical layout: the main toolbar's two rows beside the speedbar. Horizontal layout:
// one row of buttons above the speedbar. The separator under the menu shows only when
// no toolbar does.
void TWindowLayout::ApplyHeaderLayout()
{
    const bool mainVisible = m_settings.MainVisible, speedbarVisible = m_settings.SpeedbarVisible;
    const int toolbarLayout = m_settings.ToolbarLayout;
    delete pnlHeader->layout();
    delete pnlTB_Main->layout();
    const bool both = mainVisible && speedbarVisible;
    const bool rowsStacked = toolbarLayout == 0 && both;
    QBoxLayout *tbLayout = rowsStacked ? static_cast<QBoxLayout *>(new QVBoxLayout(pnlTB_Main))
                                       : static_cast<QBoxLayout *>(new QHBoxLayout(pnlTB_Main));
    tbLayout->setContentsMargins(2, 0, 2, 0);
    tbLayout->setSpacing(0);
    tbLayout->addWidget(tbUpper);
    tbLayout->addWidget(tbLower);
    if (!rowsStacked)
        tbLayout->addStretch(1);
    QBoxLayout *header = toolbarLayout == 0 ? static_cast<QBoxLayout *>(new QHBoxLayout(pnlHeader))
                                            : static_cast<QBoxLayout *>(new QVBoxLayout(pnlHeader));
    header->setContentsMargins(0, 0, 0, 2);
    header->setSpacing(2);
    header->addWidget(pnlTB_Main, toolbarLayout == 0 && both ? 0 : 1);
    header->addWidget(pnlTB_SpeedBar, 1);
    pnlTB_Main->setVisible(mainVisible);
    pnlTB_SpeedBar->setVisible(speedbarVisible);
    pnlHeader->setVisible(mainVisible || speedbarVisible);
    sepMenu->setVisible(!mainVisible && !speedbarVisible);
    QCoreApplication::processEvents();
}

void TWindowLayout::SetStatusBarVisible(bool on)
{
    m_settings.StatusBar = on;
    m_main.statusBar()->setVisible(on);
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsStatusBar")}, on);
    m_settings.SaveValue(&TMainSettings::StatusBar);
}

void TWindowLayout::SetRulersVisible(bool on)
{
    m_settings.Rulers = on;
    if (on && !m_rulersBuilt) {
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
    m_main.Actions().SetChecked(
        {QStringLiteral("mnuOptionsRulers"), QStringLiteral("mnuBrowseRulers"), QStringLiteral("spdRulers")}, on);
}

void TWindowLayout::SetDocumentListVisible(bool on)
{
    m_settings.DocListVisible = on;
    pnlDocList->setVisible(on);
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsDocList"), QStringLiteral("spdDocList")}, on);
}

// ---- Full screen ----

void TWindowLayout::SetFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    m_fullScreen = on;
    if (on) {
        ShowNotice(4, &m_main);
        if (!m_fullScreenWindow)
            CreateFullScreenWindow();
        m_fullScreenWindow->TakeWidget(pgHTML);
        m_fullScreenWindow->showFullScreen();
        m_main.hide();
    } else {
        QWidget *w = m_fullScreenWindow ? m_fullScreenWindow->ReleaseWidget() : nullptr;
        if (w) {
            static_cast<QGridLayout *>(pnlPages->layout())->addWidget(w, 1, 1);
            w->show();
        }
        if (m_fullScreenWindow)
            m_fullScreenWindow->hide();
        m_main.show();
    }
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsFullScreen"), QStringLiteral("mnuPopupFullScreen"),
                                 QStringLiteral("mnuBrowseFullScreen"), QStringLiteral("spdFullScreen")},
                                on);
    if (m_main.ActiveEditor()->isVisible())
        m_main.ActiveEditor()->setFocus();
    QCoreApplication::processEvents();
}

void TWindowLayout::CreateFullScreenWindow()
{
    if (m_fullScreenWindow)
        return;
    m_fullScreenWindow = new TfFullScreen();
    connect(m_fullScreenWindow, &TfFullScreen::OnEscape, this, [this] { SetFullScreen(false); });
    // Closing it closes the program the usual way, with its save questions; when that
    // is cancelled the normal window stays.
    connect(m_fullScreenWindow, &TfFullScreen::OnCloseRequest, this, [this] {
        if (!m_fullScreen)
            return;
        SetFullScreen(false);
        m_main.close();
    });
    // The menus' keys work there too: each menu reaches its items' shortcuts through the
    // window that shows, and a menu switched off (Browse page, busy) keeps them off.
    // Only one of the two windows shows at a time, so no key is claimed twice.
    m_fullScreenWindow->addActions(m_main.menuBar()->actions());
    m_fullScreenWindow->addAction(m_main.Actions().Action(QStringLiteral("actEditTagKey")));
}

bool TWindowLayout::FullScreenWindowActive() const
{
    return m_fullScreen && m_fullScreenWindow && m_fullScreenWindow->isActiveWindow();
}

// ---- Status bar ----

void TWindowLayout::ShowMessage(const QString &text)
{
    staPanel[1]->setText(text.isEmpty() ? QStringLiteral(" Ready.") : u' ' + text);
}

QString TWindowLayout::StatusPanelText(int panel) const
{
    return panel >= 0 && panel < 3 ? staPanel[panel]->text() : QString();
}

void TWindowLayout::UpdateCaretPosition()
{
    TkrRichHTML *e = m_main.ActiveEditor();
    const int s = e->SelStart();
    const int line = e->LineFromChar(s);
    const QString text = QStringLiteral("%1: %2").arg(line + 1).arg(s - e->LineStart(line) + 1);
    if (staPanel[0]->text() != text)
        staPanel[0]->setText(text);
}

void TWindowLayout::UpdateInsertMode()
{
    staPanel[2]->setText(m_main.ActiveEditor()->OverwriteMode() ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
}

void TWindowLayout::Progress(int value, const QString &caption)
{
    ShowProgress(caption.isEmpty() ? m_main.ActiveEditor()->ProgressCaption() : caption, value);
}

void TWindowLayout::ShowProgress(const QString &caption, int value)
{
    if (value < 0)
        value = 100; // ends the display
    // A file being opened holds the event loop: what changes here is painted at once.
    if (value == 0 || (value < 100 && prgProgress->isHidden())) {
        for (QLabel *l : staPanel)
            l->hide();
        lblProgress->setText(caption);
        lblProgress->show();
        prgProgress->setFixedWidth(std::max(50, m_main.width() - 106));
        prgProgress->setValue(0);
        prgProgress->show();
        PaintNow();
    } else if (value >= 100) {
        if (prgProgress->isHidden())
            return; // nothing was shown
        prgProgress->setValue(0);
        prgProgress->hide();
        lblProgress->hide();
        for (QLabel *l : staPanel)
            l->show();
    } else {
        if (value != prgProgress->value()) {
            prgProgress->setValue(value);
            prgProgress->repaint();
        }
        if (lblProgress->text() != caption) {
            lblProgress->setText(caption);
            lblProgress->repaint();
        }
    }
}

void TWindowLayout::PaintNow()
{
    if (!m_main.isVisible())
        return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_main.statusBar()->repaint();
}

void TWindowLayout::Resized()
{
    if (prgProgress->isVisible())
        prgProgress->setFixedWidth(std::max(50, m_main.width() - 106));
}

bool TWindowLayout::FilterSizerEvent(QObject *watched, QEvent *event)
{
    if (!krTableSizer || !krTableSizer->isVisible())
        return false;
    const bool escape = event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
    const bool clickElsewhere = event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
                                watched != krTableSizer && !krTableSizer->isAncestorOf(static_cast<QWidget *>(watched)) &&
                                watched != pgSpeedbar->Button(QStringLiteral("spdQuickTable"));
    if (escape || clickElsewhere)
        krTableSizer->hide();
    return escape;
}
