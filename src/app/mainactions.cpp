#include "app/mainactions.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>

#include "app/about.h"
#include "app/editcommands.h"
#include "app/filepanel.h"
#include "app/help.h"
#include "app/mainwindow.h"
#include "app/mrulist.h"
#include "app/toolbaricons.h"
#include "editor/richhtml.h"
#include "editor/tagbar.h"
#include "editor/tagcommands.h"
#include "editor/tagtext.h"
#include "tools/finddialogs.h"

namespace {

using THandler = void (*)(TfMain &, QAction *);

enum TRowKind {
    rkMenu,        // a menu of the menu bar; its rows follow until rkEnd
    rkSubmenu,     // a menu inside the current one, until rkEnd
    rkPopup,       // a pop-up menu of the window, until rkEnd
    rkEnd,
    rkItem,
    rkSeparator,
    rkRecentFiles, // the recently-used entries "mnuMRU_1" ... of the current menu
    rkToolbar,     // the buttons that follow go on the lower row
    rkButton,      // a toolbar button: icon by its name, caption and hint the same text
    rkWindowKey,   // a key of the window with no menu item
};

struct TActionRow
{
    TRowKind Kind;
    const char *Name = nullptr;
    const char *Caption = nullptr;
    const char *Shortcut = nullptr;
    bool Checkable = false;
    THandler Handler = nullptr;
    const char *Group = nullptr; // radio items of one group
};

constexpr TActionRow Menu(const char *name, const char *caption) { return {rkMenu, name, caption}; }
constexpr TActionRow Submenu(const char *name, const char *caption) { return {rkSubmenu, name, caption}; }
constexpr TActionRow Popup(const char *name) { return {rkPopup, name}; }
constexpr TActionRow End() { return {rkEnd}; }
constexpr TActionRow Separator() { return {rkSeparator}; }
constexpr TActionRow Item(const char *name, const char *caption, const char *shortcut = nullptr, THandler handler = nullptr)
{
    return {rkItem, name, caption, shortcut, false, handler};
}
constexpr TActionRow Check(const char *name, const char *caption, const char *shortcut, THandler handler = nullptr)
{
    return {rkItem, name, caption, shortcut, true, handler};
}
constexpr TActionRow Radio(const char *group, const char *name, const char *caption, THandler handler)
{
    return {rkItem, name, caption, nullptr, true, handler, group};
}
constexpr TActionRow Button(const char *name, const char *hint, THandler handler = nullptr)
{
    return {rkButton, name, hint, nullptr, false, handler};
}
constexpr TActionRow Toggle(const char *name, const char *hint, THandler handler)
{
    return {rkButton, name, hint, nullptr, true, handler};
}

// The handlers reach the window's commands through TfMain.
#define DO(body) [](TfMain &m, QAction *) { body; }

void InsertCaption(TfMain &m, QAction *a) { m.Edits().InsertCaption(a->data().toString()); }

const TActionRow Rows[] = {
    Menu("mnuFile", "&File"),
    Item("mnuFileNew", "&New...", nullptr, DO(m.NewDocument())),
    Item("mnuFileOpen", "&Open...", "Ctrl+O", DO(m.OpenDocument())),
    Item("mnuFileOpenWeb", "Open from the &Web...", nullptr, DO(m.Documents().OpenFromWeb())),
    Submenu("mnuFileReopen", "&Reopen"),
    {rkRecentFiles, nullptr, nullptr, nullptr, false, [](TfMain &m, QAction *a) {
         if (a->text() != TMRUList::EmptyEntry())
             m.OpenDocument(a->data().toString());
     }},
    End(),
    Item("mnuFileInsert", "&Insert...", nullptr, DO(m.InsertDocument())),
    Separator(),
    Item("mnuFileSave", "&Save", "Ctrl+S", DO(m.SaveActive())),
    Item("mnuFileSaveAs", "Save &As...", nullptr, DO(m.SaveAsActive())),
    Item("mnuFileSaveAll", "Sa&ve All", nullptr, DO(m.SaveAll())),
    Item("mnuFileExportUnix", "Export as &Unix (LF only)...", "Ctrl+N", DO(m.ExportUnix())),
    Separator(),
    Item("mnuFileClose", "&Close", "Ctrl+F4", DO(m.CloseActive())),
    Item("mnuFileCloseAll", "C&lose All", nullptr, DO(m.CloseAll())),
    Separator(),
    Item("mnuFileProjects", "Projec&ts...", nullptr, DO(m.ShowProjects())),
    Item("mnuFilePrint", "&Print...", nullptr, DO(m.PrintActive())),
    Separator(),
    Item("mnuFileExit", "E&xit", "Alt+X", DO(m.close())),
    End(),

    Menu("mnuEdit", "&Edit"),
    Item("mnuEditUndo", "&Undo", "Ctrl+Z", DO(m.ActiveEditor()->Undo())),
    Item("mnuEditRedo", "&Redo", "Ctrl+Y", DO(m.ActiveEditor()->Redo())),
    Separator(),
    Item("mnuEditCut", "Cu&t", "Ctrl+X", DO(m.ActiveEditor()->Cut())),
    Item("mnuEditCopy", "&Copy", "Ctrl+C", DO(m.ActiveEditor()->copy())),
    Item("mnuEditPaste", "&Paste", "Ctrl+V", DO(m.ActiveEditor()->Paste())),
    Item("mnuEditSelectAll", "Se&lect All", "Ctrl+A", DO(m.Edits().SelectAll())),
    Separator(),
    Item("mnuEditIndent", "&Indent", "Ctrl+.", DO(m.ActiveEditor()->IndentLines())),
    Item("mnuEditUnindent", "U&nindent", "Ctrl+,", DO(m.ActiveEditor()->UnindentLines())),
    Separator(),
    Item("mnuEditGoToLine", "&Go to Line...", "Ctrl+G", DO(m.GoToLine())),
    End(),

    Menu("mnuSearch", "&Search"),
    Item("mnuSearchFind", "&Find...", "Ctrl+F", DO(m.FindDialog()->Execute())),
    Item("mnuSearchReplace", "&Replace...", "Ctrl+R", DO(m.ReplaceDialog()->Execute())),
    Item("mnuSearchExtReplace", "&Extended Replace...", "Ctrl+Shift+R", DO(m.ShowExtendedReplace())),
    Separator(),
    Item("mnuSearchReplaceSlashes", "&Replace Slashes"),
    Item("mnuSearchReplaceExtChars", "Replace Extended &Characters..."),
    End(),

    Menu("mnuTools", "&Tools"),
    Item("mnuToolsSpellCheck", "Spell Check", "F7", DO(m.SpellCheck())),
    Separator(),
    Item("mnuToolsQuickAnchor", "Quick &Anchor", "Ctrl+Shift+A", DO(m.OpenTagDialog(krAnchor, QString()))),
    Item("mnuToolsQuickImage", "Quick &Image", "Ctrl+Shift+I", DO(m.OpenTagDialog(krImage, QString()))),
    Item("mnuToolsQuickFont", "Quick &Font", "Ctrl+Shift+F", DO(m.OpenTagDialog(krFont, QString()))),
    Item("mnuToolsTableWizard", "&Table Wizard", "Ctrl+Shift+T", DO(m.OpenTagDialog(krTableWizard, QString()))),
    Item("mnuToolsFrameWizard", "Frame &Wizard", "Ctrl+Shift+W"),
    Item("mnuToolsListEditor", "&List Editor", "Ctrl+Shift+L", DO(m.OpenTagDialog(krList, QString()))),
    Item("mnuToolsCommentEditor", "Co&mment Editor", "Ctrl+Shift+M", DO(m.OpenTagDialog(krComment, QString()))),
    Item("mnuToolsHREditor", "&Horizontal Rule Editor", "Ctrl+Shift+H", DO(m.OpenTagDialog(krHorzRule, QString()))),
    End(),

    Menu("mnuTags", "T&ags"),
    Item("mnuTagsBold", "Bold", "Ctrl+B", DO(m.InsertTag(QStringLiteral("<B>"), QStringLiteral("</B>")))),
    Item("mnuTagsItalic", "Italic", "Ctrl+I", DO(m.InsertTag(QStringLiteral("<I>"), QStringLiteral("</I>")))),
    Item("mnuTagsUnderline", "Underline", "Ctrl+U", DO(m.InsertTag(QStringLiteral("<U>"), QStringLiteral("</U>")))),
    Separator(),
    Item("mnuTagsFontPlus", "Font Size +1", "Ctrl+Shift+=",
         DO(m.InsertTag(QStringLiteral("<FONT SIZE=\"+1\">"), QStringLiteral("</FONT>")))),
    Item("mnuTagsFontMinus", "Font Size - 1", "Ctrl+Shift+-",
         DO(m.InsertTag(QStringLiteral("<FONT SIZE=\"-1\">"), QStringLiteral("</FONT>")))),
    Separator(),
    Item("mnuTagsCenter", "Center", "Ctrl+Shift+C", DO(m.InsertTag(QStringLiteral("<CENTER>"), QStringLiteral("</CENTER>")))),
    Item("mnuTagsParagraph", "Paragraph", "Ctrl+Shift+P", DO(m.InsertTag(QStringLiteral("<P>"), QString()))),
    Item("mnuTagsBreak", "Break", "Ctrl+Shift+B", DO(m.InsertTag(QStringLiteral("<BR>"), QString()))),
    Item("mnuTagsNbsp", "Non-breaking Space", "Ctrl+Shift+Space", DO(m.Edits().InsertNonBreakingSpace())),
    Separator(),
    Item("mnuTagsH1", "H1", "Ctrl+Shift+1", DO(m.InsertTag(QStringLiteral("<H1>"), QStringLiteral("</H1>")))),
    Item("mnuTagsH2", "H2", "Ctrl+Shift+2", DO(m.InsertTag(QStringLiteral("<H2>"), QStringLiteral("</H2>")))),
    Item("mnuTagsH3", "H3", "Ctrl+Shift+3", DO(m.InsertTag(QStringLiteral("<H3>"), QStringLiteral("</H3>")))),
    Separator(),
    Submenu("mnuTagsDatetime", "Insert Datetime"),
    Item("mnuTagsShortDate", "Short Date", nullptr, InsertCaption),
    Item("mnuTagsLongDate", "Long Date", nullptr, InsertCaption),
    Item("mnuTagsShortDatetime", "Short Datetime", nullptr, InsertCaption),
    Item("mnuTagsLongDatetime", "Long Datetime", nullptr, InsertCaption),
    End(),
    Separator(),
    Item("mnuTagsStripAll", "&Strip All Tags", nullptr, DO(m.Edits().StripAllTags())),
    End(),

    Menu("mnuOptions", "&Options"),
    Submenu(nullptr, "Toolbar &Layout"),
    Radio("ToolbarLayout", "mnuLayoutVertical", "&Vertical", DO(m.SetToolbarLayout(0))),
    Radio("ToolbarLayout", "mnuLayoutHorizontal", "&Horizontal", DO(m.SetToolbarLayout(1))),
    End(),
    Check("mnuOptionsMainToolbar", "Main &Toolbar", "Ctrl+T", DO(m.SetMainToolbarVisible(!m.MainToolbarVisible()))),
    Check("mnuOptionsSpeedbar", "&HTML Speedbar", "Ctrl+H", DO(m.SetSpeedbarVisible(!m.SpeedbarVisible()))),
    Check("mnuOptionsColorBar", "C&olor Bar", "Ctrl+L"),
    Check("mnuOptionsStatusBar", "&Status Bar", nullptr, DO(m.SetStatusBarVisible(!m.StatusBarVisible()))),
    Check("mnuOptionsRulers", "&Rulers", nullptr, DO(m.SetRulersVisible(!m.RulersVisible()))),
    Check("mnuOptionsFullScreen", "&Full Screen", "F10", DO(m.SetFullScreen(!m.FullScreen()))),
    Check("mnuOptionsTagSelection", "T&ag Selection", "Ctrl+E", DO(m.SetTagSelectionVisible(!m.TagSelectionVisible()))),
    Item("mnuOptionsSpecialChars", "Special Charact&ers", "Ctrl+Shift+E"),
    Separator(),
    Check("mnuOptionsWordWrap", "&Word Wrap", nullptr, DO(m.SetWordWrap(!m.WordWrap()))),
    Submenu("mnuOptionsColorCoding", "&Color Coding"),
    Radio("ColorCoding", "mnuColorCoding0", "&None", DO(m.SetColorCoding(ccNone))),
    Radio("ColorCoding", "mnuColorCoding1", "&Minimal", DO(m.SetColorCoding(ccMinimal))),
    Radio("ColorCoding", "mnuColorCoding2", "&Full", DO(m.SetColorCoding(ccFull))),
    End(),
    Separator(),
    Item("mnuOptionsViewExternal", "&View in Externel Browser", "F11", DO(m.ViewInExternalBrowser())),
    Item("mnuOptionsToggleBrowse", "Toggle Edit/&Browse", "F12",
         DO(m.Pages()->setCurrentIndex(m.Pages()->currentIndex() == 0 ? 1 : 0))),
    Separator(),
    Check("mnuOptionsDocList", "Document &List", nullptr, DO(m.SetDocumentListVisible(!m.DocumentListVisible()))),
    Check("mnuOptionsListImages", "Include &Image Files in Document List", nullptr,
          DO(m.FilePanel().SetListImages(!m.Settings().ListImages))),
    Check("mnuOptionsListMultimedia", "Include &Multimedia Files in Document List", nullptr,
          DO(m.FilePanel().SetListMultimedia(!m.Settings().ListMultimedia))),
    Separator(),
    Item("mnuOptionsSettings", "&Settings..."),
    End(),

    Menu("mnuHelp", "&Help"),
    Item("mnuHelpTopics", "&Help Topics...", "F1", DO(ShowHelpContents(&m))),
    Item("mnuHelpShortcuts", "&Keyboard Shortcuts", nullptr, DO(ShowHelpTopic(46, &m))),
    Item("mnuHelpTips", "Pendwick &Tips"),
    Separator(),
    Item("mnuHelpAbout", "&About", nullptr, DO(TfAbout::Execute(&m))),
    End(),

    // The main toolbar: the upper row, then the lower one.
    Button("spdNew", "New", DO(m.NewFromTemplate(m.Settings().DocumentTemplate))),
    Button("spdOpen", "Open", DO(m.OpenDocument())),
    Button("spdSave", "Save", DO(m.SaveActive())),
    Button("spdProjects", "Projects", DO(m.ShowProjects())),
    Button("spdSpellCheck", "Spell Check", DO(m.SpellCheck())),
    Button("spdFind", "Find", DO(m.FindDialog()->Execute())),
    Button("spdReplace", "Replace", DO(m.ReplaceDialog()->Execute())),
    Button("spdExtReplace", "Extended replace", DO(m.ShowExtendedReplace())),
    Toggle("spdRulers", "Rulers", DO(m.SetRulersVisible(!m.RulersVisible()))),
    Toggle("spdFullScreen", "Full Screen", DO(m.SetFullScreen(!m.FullScreen()))),
    Button("spdExternalBrowser", "Open in external browser", DO(m.ViewInExternalBrowser())),
    {rkToolbar},
    Button("spdCut", "Cut", DO(m.ActiveEditor()->Cut())),
    Button("spdCopy", "Copy", DO(m.ActiveEditor()->copy())),
    Button("spdPaste", "Paste", DO(m.ActiveEditor()->Paste())),
    Button("spdPublish", "Publish current document", DO(m.Documents().PublishActive())),
    Button("spdSettings", "Settings"),
    Button("spdUndo", "Undo", DO(m.ActiveEditor()->Undo())),
    Button("spdIndent", "Indent", DO(m.ActiveEditor()->IndentLines())),
    Button("spdUnindent", "Unindent", DO(m.ActiveEditor()->UnindentLines())),
    Toggle("spdTagSelection", "Show Tag Selection", DO(m.SetTagSelectionVisible(!m.TagSelectionVisible()))),
    Toggle("spdDocList", "Document List", DO(m.SetDocumentListVisible(!m.DocumentListVisible()))),
    Button("spdHelp", "Help", DO(ShowHelpContents(&m))),

    Popup("mnuPopupEdit"),
    Item("mnuPE_EditTag", "Edit Tag...", "F3", DO(m.EditTagAtCaret())),
    Item("mnuPopupClosePage", "Close Page", nullptr, DO(m.CloseActive())),
    Separator(),
    Item("mnuPopupUndo", "Undo", nullptr, DO(m.ActiveEditor()->Undo())),
    Item("mnuPopupRedo", "Redo", nullptr, DO(m.ActiveEditor()->Redo())),
    Item("mnuPopupCut", "Cut", nullptr, DO(m.ActiveEditor()->Cut())),
    Item("mnuPopupCopy", "Copy", nullptr, DO(m.ActiveEditor()->copy())),
    Item("mnuPopupPaste", "Paste", nullptr, DO(m.ActiveEditor()->Paste())),
    Separator(),
    Submenu("mnuPopupSelection", "Selection"),
    Item("mnuPopupLinesToList", "Convert Lines to List...", nullptr, DO(m.ConvertLines(false))),
    Item("mnuPopupLinesToTable", "Convert Lines to Table...", nullptr, DO(m.ConvertLines(true))),
    Separator(),
    Item("mnuPopupStripAll", "Strip All Tags", nullptr, DO(m.ActiveEditor()->StripTags(false))),
    Item("mnuPopupStripOutermost", "Strip Outermost Tags", nullptr, DO(m.StripOutermostTags())),
    Separator(),
    Item("mnuPopupUppercase", "Uppercase", nullptr, DO(m.Edits().ChangeCase(true))),
    Item("mnuPopupLowercase", "Lowercase", nullptr, DO(m.Edits().ChangeCase(false))),
    End(),
    Item("mnuPopupFind", "&Find...", nullptr, DO(m.FindDialog()->Execute())),
    Submenu("mnuPopupDatetime", "Insert Datetime"),
    Item("mnuPopupShortDate", "Short Date", nullptr, InsertCaption),
    Item("mnuPopupLongDate", "Long Date", nullptr, InsertCaption),
    Item("mnuPopupShortDatetime", "Short Datetime", nullptr, InsertCaption),
    Item("mnuPopupLongDatetime", "Long Datetime", nullptr, InsertCaption),
    End(),
    Separator(),
    Check("mnuPopupFullScreen", "Full &Screen", nullptr, DO(m.SetFullScreen(!m.FullScreen()))),
    Check("mnuPopupWordWrap", "&Word Wrap", nullptr, DO(m.SetWordWrap(!m.WordWrap()))),
    End(),

    Popup("mnuPopupBrowse"),
    Item("mnuBrowseReload", "&Reload Original", nullptr, DO(m.ShowInViewer())),
    Check("mnuBrowseFullScreen", "Full &Screen", nullptr, DO(m.SetFullScreen(!m.FullScreen()))),
    Check("mnuBrowseRulers", "Ru&lers", nullptr, DO(m.SetRulersVisible(!m.RulersVisible()))),
    Item("mnuBrowseSettings", "Settings..."),
    End(),

    // The file panel's pop-up menus.
    Popup("mnuPopupFileItem"),
    Item("mnuPopupFileEdit", "&Edit", nullptr, DO(m.FilePanel().EditSelected())),
    Item("mnuPopupFileInsertTag", "Insert &Tag...", nullptr, DO(m.FilePanel().InsertTagForSelected())),
    Item("mnuPopupFileCopy", "&Copy", nullptr, DO(m.FilePanel().CopySelected())),
    Item("mnuPopupFileDelete", "&Delete", nullptr, DO(m.FilePanel().DeleteSelected())),
    Item("mnuPopupFileRename", "&Rename", "F2", DO(m.FilePanel().RenameSelected())),
    Separator(),
    Check("mnuPopupFileListImages", "Include &Images", nullptr,
          DO(m.FilePanel().SetListImages(!m.Settings().ListImages))),
    Check("mnuPopupFileListMultimedia", "Include Multimedia", nullptr,
          DO(m.FilePanel().SetListMultimedia(!m.Settings().ListMultimedia))),
    Item("mnuPopupFileRefresh", "Refresh", "F5", DO(m.FilePanel().Refresh())),
    Separator(),
    Item("mnuPopupFilePublish", "Pu&blish...", nullptr, DO(m.FilePanel().PublishSelected())),
    Item("mnuPopupFileProperties", "&Properties...", nullptr, DO(m.FilePanel().ShowProperties())),
    End(),

    Popup("mnuPopupDir"),
    Item("mnuPopupDirRefresh", "Refresh", nullptr, DO(m.FilePanel().RefreshTree())),
    End(),

    Popup("mnuPopupToolbar"),
    Item("mnuToolbarShowHide", "Show/hide toolbars..."),
    End(),

    // F3 edits the tag at the caret whenever it is pressed, also before the editor's
    // pop-up menu has opened once.
    {rkWindowKey, "actEditTagKey", nullptr, "F3", false, DO(m.EditTagAtCaret())},
};

#undef DO

// The menus switched off while busy, in this order; the Browse page switches off the
// first five.
const char *const BusyMenus[] = {"mnuFile", "mnuEdit", "mnuSearch", "mnuTools", "mnuTags", "mnuOptions"};

} // namespace

TMainActions::TMainActions(TfMain &main) : QObject(&main), m_main(main) {}

void TMainActions::Build(QToolBar *upper, QToolBar *lower)
{
    QList<QMenu *> open; // the menu being filled and those it sits in
    QToolBar *toolbar = upper;
    auto connectHandler = [this](QAction *a, THandler handler) {
        if (handler)
            connect(a, &QAction::triggered, this, [this, a, handler] { handler(m_main, a); });
    };
    auto addItem = [&](QMenu *menu, const QString &caption, const QString &name, const char *shortcut) {
        auto *a = new QAction(caption, &m_main);
        a->setObjectName(name);
        if (shortcut)
            a->setShortcut(QKeySequence(QLatin1String(shortcut)));
        menu->addAction(a);
        return a;
    };
    for (const TActionRow &row : Rows) {
        const QString name = row.Name ? QLatin1String(row.Name) : QString();
        switch (row.Kind) {
        case rkMenu:
        case rkSubmenu:
        case rkPopup: {
            QMenu *menu = row.Kind == rkMenu      ? m_main.menuBar()->addMenu(QLatin1String(row.Caption))
                          : row.Kind == rkSubmenu ? open.last()->addMenu(QLatin1String(row.Caption))
                                                  : new QMenu(&m_main);
            if (!name.isEmpty()) {
                menu->setObjectName(name);
                m_menus.insert(name, menu);
            }
            open.append(menu);
            break;
        }
        case rkEnd: open.removeLast(); break;
        case rkSeparator: open.last()->addSeparator(); break;
        case rkItem: {
            QAction *a = addItem(open.last(), QLatin1String(row.Caption), name, row.Shortcut);
            a->setCheckable(row.Checkable);
            if (row.Group) {
                QActionGroup *&group = m_groups[QLatin1String(row.Group)];
                if (!group)
                    group = new QActionGroup(&m_main);
                group->addAction(a);
            }
            connectHandler(a, row.Handler);
            break;
        }
        case rkRecentFiles:
            for (int n = 1; n <= TMRUList::Size; ++n)
                connectHandler(addItem(open.last(), TMRUList::EmptyEntry(), QStringLiteral("mnuMRU_%1").arg(n), nullptr),
                               row.Handler);
            break;
        case rkToolbar: toolbar = lower; break;
        case rkButton: {
            const QString hint = QLatin1String(row.Caption);
            QAction *a = toolbar->addAction(ToolbarIcon(name), hint);
            a->setObjectName(name);
            a->setToolTip(hint);
            a->setCheckable(row.Checkable);
            connectHandler(a, row.Handler);
            // The hint shows in the status bar while the mouse is over the button.
            connect(a, &QAction::hovered, this, [this, a] { m_main.ShowMessage(a->toolTip()); });
            break;
        }
        case rkWindowKey: {
            auto *a = new QAction(&m_main);
            a->setObjectName(name);
            a->setShortcut(QKeySequence(QLatin1String(row.Shortcut)));
            connectHandler(a, row.Handler);
            m_main.addAction(a);
            break;
        }
        }
    }
    EnableSave(false);
    Action(QStringLiteral("mnuEditRedo"))->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    // The pop-up entry names the tag at the caret and is enabled when the menu opens; its
    // key works through the window's own F3.
    QAction *editTag = Action(QStringLiteral("mnuPE_EditTag"));
    editTag->setEnabled(false);
    editTag->setShortcutContext(Qt::WidgetShortcut);
    ConnectMenuState();
}

void TMainActions::ConnectMenuState()
{
    connect(Menu(QStringLiteral("mnuEdit")), &QMenu::aboutToShow, this, [this] { UpdateEditCommands(true); });
    connect(Menu(QStringLiteral("mnuPopupEdit")), &QMenu::aboutToShow, this, [this] { UpdateEditPopup(); });
    // Both date submenus show the current date and time when they open; a choice inserts
    // its caption as it stands.
    for (const char *menuName : {"mnuTagsDatetime", "mnuPopupDatetime"}) {
        QMenu *menu = Menu(QLatin1String(menuName));
        connect(menu, &QMenu::aboutToShow, this, [menu] {
            const QStringList captions = DatetimeCaptions(QDateTime::currentDateTime());
            const QList<QAction *> actions = menu->actions();
            for (int i = 0; i < actions.size() && i < captions.size(); ++i) {
                actions[i]->setText(QString(captions.at(i)).replace(u'&', QStringLiteral("&&")));
                actions[i]->setData(captions.at(i));
            }
        });
    }
}

QAction *TMainActions::Action(const QString &objectName) const
{
    return m_main.findChild<QAction *>(objectName);
}

void TMainActions::SetChecked(const QStringList &actionNames, bool on)
{
    for (const QString &n : actionNames)
        if (QAction *a = Action(n))
            a->setChecked(on);
}

// A disabled item ignores its key, so the Edit menu's items follow the active document
// whenever it changes, not only when the menu opens. Asking the clipboard can wait on
// another program.
void TMainActions::UpdateEditCommands(bool clipboard)
{
    TkrRichHTML *e = m_main.ActiveEditor();
    if (clipboard)
        Action(QStringLiteral("mnuEditPaste"))->setEnabled(e->CanPaste());
    Action(QStringLiteral("mnuEditUndo"))->setEnabled(e->CanUndo());
    Action(QStringLiteral("mnuEditRedo"))->setEnabled(e->CanRedo());
    Action(QStringLiteral("mnuEditIndent"))->setEnabled(e->SelLength() > 0);
    Action(QStringLiteral("mnuEditUnindent"))->setEnabled(e->SelLength() > 0);
    Action(QStringLiteral("mnuEditGoToLine"))->setEnabled(e->LineCount() >= 1);
}

void TMainActions::UpdateEditPopup()
{
    TkrRichHTML *e = m_main.ActiveEditor();
    Action(QStringLiteral("mnuPopupUndo"))->setEnabled(e->CanUndo());
    Action(QStringLiteral("mnuPopupRedo"))->setEnabled(e->CanRedo());
    Action(QStringLiteral("mnuPopupPaste"))->setEnabled(e->CanPaste());
    Menu(QStringLiteral("mnuPopupSelection"))->menuAction()->setEnabled(e->SelLength() > 0);
    // The entry names the kind of the tag at the caret, without selecting it.
    const TTagKind kind = TagKindOf(e->GetTagAtCaret(false));
    QAction *edit = Action(QStringLiteral("mnuPE_EditTag"));
    edit->setText(EditTagCaption(kind));
    edit->setEnabled(TagKindHasDialog(kind));
}

void TMainActions::EnableEditingCommands(bool on)
{
    for (const char *name : {"spdNew", "spdOpen", "spdProjects", "spdPublish", "spdReplace", "spdFind", "spdExtReplace",
                             "spdUndo", "spdIndent", "spdUnindent", "spdCut", "spdCopy", "spdPaste", "spdSpellCheck",
                             "spdTagSelection"})
        Action(QLatin1String(name))->setEnabled(on);
    Action(QStringLiteral("actEditTagKey"))->setEnabled(on); // F3 edits the tag at the caret
    m_main.Speedbar()->setEnabled(on);
    for (int i = 0; i < 5; ++i)
        Menu(QLatin1String(BusyMenus[i]))->menuAction()->setEnabled(on);
}

void TMainActions::EnableMenus(bool on)
{
    for (const char *name : BusyMenus)
        Menu(QLatin1String(name))->menuAction()->setEnabled(on);
}

void TMainActions::EnableSave(bool on)
{
    Action(QStringLiteral("spdSave"))->setEnabled(on);
}
