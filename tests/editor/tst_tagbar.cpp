// The speedbar on a real editor: built-in tag buttons, prompt buttons, the custom tag bars
// and their "Custom Buttons" dialog, page visibility and the "Tag List" page.
#include <QBoxLayout>
#include <QComboBox>
#include <QEnterEvent>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "editor/richhtml.h"
#include "editor/tagbar.h"
#include "editor/tagtext.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

const QString Resources = QStringLiteral(PENDWICK_RESOURCES);

TkrTagButton *ByHint(const TkrSpeedbar &bar, const QString &hint)
{
    bar.BuildAllPages();
    for (TkrTagButton *b : bar.findChildren<TkrTagButton *>())
        if (b->Hint() == hint && !qobject_cast<TkrTagBarButton *>(b))
            return b;
    return nullptr;
}

// Runs `work` on the "Custom Buttons" dialog once it is shown.
void OnDialogShown(std::function<void(TfCustomButtons *)> work)
{
    QTimer::singleShot(0, [work] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<TfCustomButtons *>(w); dialog && dialog->isVisible()) {
                work(dialog);
                return;
            }
        QFAIL("the Custom Buttons dialog is not shown");
    });
}

} // namespace

class TestTagBar : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    TMessageRecorder m_messages;
    TModalAnswerer m_inputs;

    // A speedbar writing into `editor`, set up as at start.
    void Prepare(TkrSpeedbar &bar, TkrRichHTML &editor, bool setup = true)
    {
        bar.ActiveEditor = [&editor] { return &editor; };
        if (setup)
            bar.Setup();
    }

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void pagesAndButtons();
    void simpleButtons_data();
    void simpleButtons();
    void dialogButtons_data();
    void dialogButtons();
    void quickTableAndScript();
    void promptButtons_data();
    void promptButtons();
    void startUpButtons_data();
    void startUpButtons();
    void hints();
    void pageVisibility_data();
    void pageVisibility();
    void tabsReachableWhenNarrow();

    void customBarsAtSetup();
    void storedBarWithGapAndGlyph();
    void unassignedLocation();

    void tagListFilledInFileOrder();
    void tagListInsert_data();
    void tagListInsert();
    void tagListFirstLetter();

    void dialogShowsTheBar();
    void dialogAddAndDelete();
    void dialogCaptionAndImage();
    void dialogLimits();
    void dialogNeedsAName();
    void customizeWritesTheBar();
    void customizeCancelChangesNothing();
};

void TestTagBar::initTestCase()
{
    m_config = UseTemporaryConfig();
    SetProgramFolder(Resources);
    m_messages.FixedAnswer = mbOK;
}

void TestTagBar::init()
{
    SetLowerCaseTags(false);
    SetProgramFolder(Resources);
    ConfigStore::EraseKey(SpeedbarKey());
    for (int n = 1; n <= CustomBarCount; ++n)
        ConfigStore::EraseKey(CustomBarLocation(n));
    m_messages.Clear();
    m_inputs.Clear();
}

void TestTagBar::cleanupTestCase()
{
    SetLowerCaseTags(false);
}

// ---- Pages and built-in buttons ----

// In a window narrower than its pages the speedbar keeps to the window, and whichever page
// is chosen, its tab shows whole inside the tab row, with the tabs before it packed from the left.
// Hidden pages leave the tab row, so its scrolling counts only the tabs shown.
void TestTagBar::tabsReachableWhenNarrow()
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    layout->addSpacing(290);
    auto *bar = new TkrSpeedbar(&window);
    layout->addWidget(bar, 1);
    bar->ApplyPageVisibility(); // the custom pages start hidden
    QCOMPARE(bar->count(), 9);
    window.resize(774, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(bar->geometry().right() < window.width());
    QTabBar *tabs = bar->tabBar();
    for (int i : {1, 2, 8, 0, 7}) {
        bar->setCurrentIndex(i);
        QTest::qWait(50);
        const QRect shown = tabs->tabRect(i);
        QVERIFY2(tabs->rect().contains(shown), qPrintable(QStringLiteral("tab %1 at %2..%3 of %4").arg(i).arg(shown.left()).arg(shown.right()).arg(tabs->width())));
        QVERIFY(tabs->mapTo(&window, QPoint(tabs->width(), 0)).x() <= window.width());
    }
    bar->setCurrentIndex(1);
    QTest::qWait(50);
    QVERIFY(tabs->tabRect(0).left() <= 2);
    // A disabled speedbar shows its caption buttons grey, not in their tag colour.
    TkrTagButton *caption = bar->Button(QStringLiteral("spdBreak"));
    QVERIFY(caption && !caption->text().isEmpty());
    QCOMPARE(caption->palette().color(QPalette::Active, QPalette::ButtonText), QColor(0, 0, 128));
    QVERIFY(caption->palette().color(QPalette::Disabled, QPalette::ButtonText) != QColor(0, 0, 128));
}

void TestTagBar::pagesAndButtons()
{
    TkrSpeedbar bar;
    QCOMPARE(bar.objectName(), QStringLiteral("pgSpeedbar"));
    QStringList captions;
    for (int i = 0; i < bar.count(); ++i)
        captions << bar.tabText(i);
    QCOMPARE(captions, (QStringList{"QuickTab", "Fonts", "Tables", "Frames", "Lists", "Styles", "Advanced",
                                    "Tag List", "Apps", "Custom 1", "Custom 2", "Custom 3", "Custom 4",
                                    "Custom 5"}));
    for (const TSpeedbarButtonDef &def : SpeedbarButtons()) {
        TkrTagButton *b = bar.Button(def.Name);
        QVERIFY2(b, qPrintable(def.Name));
        QCOMPARE(b->parentWidget(), bar.Page(def.Page));
        QCOMPARE(b->Hint(), def.Hint);
        QCOMPARE(b->toolTip(), def.Hint);
        // A caption or an image, never an empty face.
        QCOMPARE(b->Caption(), def.Caption);
        QCOMPARE(b->HasImage(), def.Caption.isEmpty());
    }
    for (int n = 1; n <= CustomBarCount; ++n) {
        QWidget *page = bar.Page(spCustom1 + n - 1);
        QVERIFY(page->findChild<TkrTagButton *>(QStringLiteral("spdCustomize%1").arg(n)));
        QCOMPARE(bar.CustomBar(n)->parentWidget(), page);
        QCOMPARE(bar.CustomBar(n)->VisibleCount(), 0);
    }
    QCOMPARE(bar.TagList()->parentWidget(), bar.Page(spTagList));
    QCOMPARE(bar.StylesLayout()->count(), 0);
    QCOMPARE(bar.AppsLayout()->count(), 0);
}

void TestTagBar::simpleButtons_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("result");
    // The editor holds "a word b" with "word" selected.
    QTest::newRow("Bold wraps the selection") << "Bold" << false << "a <B>word</B> b";
    QTest::newRow("Bold in lower case") << "Bold" << true << "a <b>word</b> b";
    QTest::newRow("Italics") << "Italics" << false << "a <I>word</I> b";
    QTest::newRow("Underline") << "Underline" << true << "a <u>word</u> b";
    QTest::newRow("Paragraph has no end tag") << "Paragraph" << false << "a <P>word b";
    QTest::newRow("Break") << "Break" << true << "a <br>word b";
    QTest::newRow("Center") << "Center" << false << "a <CENTER>word</CENTER> b";
    QTest::newRow("Right Justify in lower case") << "Right Justify" << true << "a <p align=right>word</p> b";
    QTest::newRow("Non-breaking space under upper case") << "Non-breaking space" << false << "a &nbsp;word b";
    QTest::newRow("Non-breaking space under lower case") << "Non-breaking space" << true << "a &nbsp;word b";
    QTest::newRow("Subscript") << "Subscript" << false << "a <SUB>word</SUB> b";
    QTest::newRow("Superscript") << "Superscript" << false << "a <SUP>word</SUP> b";
    QTest::newRow("Strong") << "Strong" << false << "a <STRONG>word</STRONG> b";
    QTest::newRow("Emphasis") << "Emphasis" << true << "a <em>word</em> b";
    QTest::newRow("Heading 1") << "Heading 1" << false << "a <H1>word</H1> b";
    QTest::newRow("Heading 6") << "Heading 6" << false << "a <H6>word</H6> b";
    QTest::newRow("Preformatted text") << "Preformatted text" << false << "a <PRE>word</PRE> b";
    QTest::newRow("Font size +1") << "Font size +1" << false << "a <FONT SIZE=\"+1\">word</FONT> b";
    QTest::newRow("Font size -1") << "Font size -1" << true << "a <font size=\"-1\">word</font> b";
    QTest::newRow("Table caption") << "Table caption" << false << "a <CAPTION>word</CAPTION> b";
    QTest::newRow("Noframes") << "Noframes" << false << "a <NOFRAMES>word</NOFRAMES> b";
    QTest::newRow("List item") << "List item" << false << "a <LI>word b";
    QTest::newRow("Definition term") << "Definition term" << false << "a <DT>word b";
    QTest::newRow("Definition") << "Definition" << false << "a <DD>word b";
    QTest::newRow("Menu") << "Menu" << false << "a <MENU>word</MENU> b";
    QTest::newRow("Object") << "Object" << false << "a <OBJECT>word</OBJECT> b";
    QTest::newRow("Definition list") << "Definition list" << false << "a <DL>\n\t<DT> <DD>\nword</DL>\n b";
    QTest::newRow("Definition list in lower case")
        << "Definition list" << true << "a <dl>\n\t<dt> <dd>\nword</dl>\n b";
}

void TestTagBar::simpleButtons()
{
    QFETCH(QString, hint);
    QFETCH(bool, lower);
    QFETCH(QString, result);
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    SetLowerCaseTags(lower);
    editor.setPlainText(QStringLiteral("a word b"));
    editor.SetModified(false);
    editor.ClearUndo();
    editor.Select(2, 4);
    TkrTagButton *button = ByHint(bar, hint);
    QVERIFY(button);
    QCOMPARE(button->Action, krSimpleTag);
    QSignalSpy before(&bar, &TkrSpeedbar::OnBeforeTagButton);
    QSignalSpy dialogs(&bar, &TkrSpeedbar::OnDialogButton);
    button->click();
    QCOMPARE(editor.Text(), result);
    QVERIFY(editor.Modified());
    QCOMPARE(editor.UndoCount(), 1);
    QCOMPARE(before.count(), 1);
    QCOMPARE(dialogs.count(), 0);
}

void TestTagBar::dialogButtons_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("action");
    QTest::newRow("Quick Start") << "Quick Start" << "" << int(krQuickStart);
    QTest::newRow("Body") << "Body" << "" << int(krBody);
    QTest::newRow("QuickAnchor") << "QuickAnchor" << "" << int(krAnchor);
    QTest::newRow("QuickImage") << "QuickImage" << "" << int(krImage);
    QTest::newRow("Quick Rule") << "Quick Rule" << "" << int(krHorzRule);
    QTest::newRow("Comment") << "Comment" << "" << int(krComment);
    QTest::newRow("QuickFont") << "QuickFont" << "" << int(krFont);
    QTest::newRow("Table wizard") << "Table wizard" << "" << int(krTableWizard);
    QTest::newRow("Table") << "Table" << "tbl" << int(krTable);
    QTest::newRow("Table row") << "Table row" << "tr" << int(krTableRow);
    QTest::newRow("Table header") << "Table header" << "th" << int(krTableHeader);
    QTest::newRow("Table data") << "Table data" << "td" << int(krTableData);
    QTest::newRow("Frame wizard") << "Frame wizard" << "" << int(krFrameWizard);
    QTest::newRow("Frameset") << "Frameset" << "set" << int(krFrameSet);
    QTest::newRow("Frame") << "Frame" << "fra" << int(krFrame);
    QTest::newRow("Floating Frame (MSIE)") << "Floating Frame (MSIE)" << "if" << int(krFloatingFrame);
    QTest::newRow("QuickList") << "QuickList" << "" << int(krList);
    QTest::newRow("Form element") << "Form element" << "" << int(krFormElement);
    QTest::newRow("META") << "META" << "met" << int(krMeta);
}

void TestTagBar::dialogButtons()
{
    QFETCH(QString, hint);
    QFETCH(QString, caption);
    QFETCH(int, action);
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    editor.setPlainText(QStringLiteral("text"));
    editor.SetModified(false);
    TkrTagButton *button = ByHint(bar, hint);
    QVERIFY(button);
    QCOMPARE(button->Caption(), caption);
    QStringList order;
    connect(&bar, &TkrSpeedbar::OnBeforeTagButton, this, [&order] { order << QStringLiteral("before"); });
    connect(&bar, &TkrSpeedbar::OnDialogButton, this,
            [&order](int a) { order << QStringLiteral("dialog %1").arg(a); });
    button->click();
    QCOMPARE(order, (QStringList{QStringLiteral("before"), QStringLiteral("dialog %1").arg(action)}));
    QCOMPARE(editor.Text(), QStringLiteral("text"));
    QVERIFY(!editor.Modified());
}

void TestTagBar::quickTableAndScript()
{
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    QSignalSpy quickTable(&bar, &TkrSpeedbar::OnQuickTable);
    QSignalSpy script(&bar, &TkrSpeedbar::OnScript);
    QSignalSpy dialogs(&bar, &TkrSpeedbar::OnDialogButton);
    ByHint(bar, QStringLiteral("QuickTable"))->click();
    QCOMPARE(quickTable.count(), 1);
    QCOMPARE(script.count(), 0);
    ByHint(bar, QStringLiteral("Script"))->click();
    QCOMPARE(quickTable.count(), 1);
    QCOMPARE(script.count(), 1);
    QCOMPARE(dialogs.count(), 0);
    QVERIFY(editor.Text().isEmpty());
    QCOMPARE(bar.Button(QStringLiteral("spdQuickTable"))->parentWidget(), bar.Page(spTables));
    QCOMPARE(bar.Button(QStringLiteral("spdScript"))->parentWidget(), bar.Page(spAdvanced));
}

void TestTagBar::promptButtons_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("lowerAtStart");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("answer"); // null: Cancel
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("result");
    // The editor holds "ab" with the caret between the letters.
    QTest::newRow("E-mail, upper case") << "E-mail" << false << false << "Ann@Example.org" << "E-mail Address"
                                        << "a<A HREF=\"MAILTO:Ann@Example.org\"></A>b";
    QTest::newRow("E-mail, lower case keeps the answer")
        << "E-mail" << false << true << "Ann@Example.org" << "E-mail Address"
        << "a<a href=\"mailto:Ann@Example.org\"></a>b";
    QTest::newRow("Base font size appends the answer") << "Base font size" << false << false << "+2"
                                                       << "Base Font Size" << "a<BASEFONT SIZE=\"+2\">b";
    QTest::newRow("Form action") << "Form action" << false << false << "send.cgi" << "Form Action"
                                 << "a<FORM METHOD=POST ACTION=\"send.cgi\">\n</FORM>\nb";
    QTest::newRow("Image Map set up and clicked in lower case")
        << "Image Map" << true << true << "NavBar" << "Map Name"
        << "a<map name=\"NavBar\">\n\t<area shape=\"\" coords=\"\" href=\"\">\n</map>b";
    QTest::newRow("Image Map set up in lower case, clicked in upper case")
        << "Image Map" << true << false << "NavBar" << "Map Name"
        << "a<MAP NAME=\"NavBar\">\n\t<AREA SHAPE=\"\" COORDS=\"\" HREF=\"\">\n</MAP>b";
    QTest::newRow("Image Map set up in upper case, clicked in lower case")
        << "Image Map" << false << true << "NavBar" << "Map Name"
        << "a<map name=\"NavBar\">\n\t<area shape=\"\" coords=\"\" href=\"\">\n</map>b";
    QTest::newRow("Cancel inserts nothing") << "E-mail" << false << false << QString() << "E-mail Address"
                                            << "ab";
}

void TestTagBar::promptButtons()
{
    QFETCH(QString, hint);
    QFETCH(bool, lowerAtStart);
    QFETCH(bool, lower);
    QFETCH(QString, answer);
    QFETCH(QString, prompt);
    QFETCH(QString, result);
    TkrRichHTML editor;
    TkrSpeedbar bar;
    SetLowerCaseTags(lowerAtStart);
    Prepare(bar, editor);
    SetLowerCaseTags(lower);
    editor.setPlainText(QStringLiteral("ab"));
    editor.SetModified(false);
    editor.Select(1, 0);
    if (!answer.isNull())
        m_inputs.InputAnswers << answer;
    TkrTagButton *button = ByHint(bar, hint);
    QVERIFY(button);
    QCOMPARE(button->Action, krPrompt);
    button->click();
    QCOMPARE(m_inputs.InputBoxes.size(), 1);
    QCOMPARE(m_inputs.InputBoxes[0].Caption, prompt);
    QCOMPARE(m_inputs.InputBoxes[0].Prompt, QStringLiteral("Enter ") + prompt);
    QCOMPARE(m_inputs.InputBoxes[0].Value, QString());
    QCOMPARE(editor.Text(), result);
    QCOMPARE(editor.Modified(), !answer.isNull());
}

void TestTagBar::startUpButtons_data()
{
    QTest::addColumn<bool>("lower");
    QTest::newRow("set up with upper-case tags") << false;
    QTest::newRow("set up with lower-case tags") << true;
}

void TestTagBar::startUpButtons()
{
    QFETCH(bool, lower);
    TkrRichHTML editor;
    TkrSpeedbar bar;
    for (const char *name : {"spdDefList", "spdFormAction", "spdImageMap"})
        QVERIFY(bar.Button(QLatin1String(name))->TagStart.isEmpty());
    SetLowerCaseTags(lower);
    Prepare(bar, editor);
    for (const char *name : {"spdDefList", "spdFormAction", "spdImageMap"}) {
        const TTagResult tags = *StartUpButtonTags(QLatin1String(name));
        QCOMPARE(bar.Button(QLatin1String(name))->TagStart, tags.StartText);
        QCOMPARE(bar.Button(QLatin1String(name))->TagEnd, tags.EndText);
    }
    QCOMPARE(bar.Button(QStringLiteral("spdDefList"))->TagStart,
             lower ? QStringLiteral("<dl>\r\n\t<dt> <dd>\r\n") : QStringLiteral("<DL>\r\n\t<DT> <DD>\r\n"));
    QCOMPARE(bar.Button(QStringLiteral("spdImageMap"))->PromptText, QStringLiteral("Map Name"));
    QCOMPARE(bar.Button(QStringLiteral("spdFormAction"))->PromptText, QStringLiteral("Form Action"));
    // A page's buttons are made when it first shows, after the set-up, with their tags.
    TkrSpeedbar late;
    Prepare(late, editor);
    QVERIFY(late.findChild<TkrTagButton *>(QStringLiteral("spdBold")));
    QVERIFY(!late.findChild<TkrTagButton *>(QStringLiteral("spdDefList")));
    late.setCurrentWidget(late.Page(spLists));
    TkrTagButton *made = late.findChild<TkrTagButton *>(QStringLiteral("spdDefList"));
    QVERIFY(made);
    QCOMPARE(made->TagStart, StartUpButtonTags(QStringLiteral("spdDefList"))->StartText);
}

void TestTagBar::hints()
{
    TkrRichHTML editor;
    TkrSpeedbar bar;
    ConfigStore::Write(CustomBarLocation(1), QStringLiteral("Button0_Caption"), QStringLiteral("x"));
    ConfigStore::Write(CustomBarLocation(1), QStringLiteral("Button0_Hint"), QStringLiteral("My hint"));
    Prepare(bar, editor);
    QSignalSpy hints(&bar, &TkrSpeedbar::OnHint);
    const auto hover = [](QWidget *w) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(w, &enter);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(w, &leave);
    };
    hover(bar.Button(QStringLiteral("spdBold")));
    hover(bar.CustomBar(1)->Button(0));
    hover(bar.findChild<TkrTagButton *>(QStringLiteral("spdCustomize3")));
    hover(bar.findChild<TkrTagButton *>(QStringLiteral("btnInsertTag")));
    QStringList shown;
    for (const QList<QVariant> &args : std::as_const(hints))
        shown << args.at(0).toString();
    QCOMPARE(shown, (QStringList{"Bold", "", "My hint", "", "Configure custom buttons", "", "Insert tag", ""}));
}

void TestTagBar::pageVisibility_data()
{
    QTest::addColumn<QStringList>("stored");  // value=text pairs
    QTest::addColumn<QString>("visible");     // a 0/1 mark per page in tab order
    QTest::newRow("defaults") << QStringList() << "11111110 1 10000";
    QTest::newRow("everything hidden but QuickTab")
        << QStringList{"Fonts_Visible=0", "Tables_Visible=0", "Frames_Visible=0", "Lists_Visible=0",
                       "Styles_Visible=0", "Advanced_Visible=0", "TagList_Visible=0", "Apps_Visible=0",
                       "Custom1_Visible=0"}
        << "10000000 0 00000";
    QTest::newRow("tag list and all custom bars shown")
        << QStringList{"TagList_Visible=-1", "Custom2_Visible=-1", "Custom3_Visible=-1", "Custom4_Visible=-1",
                       "Custom5_Visible=-1"}
        << "11111111 1 11111";
    QTest::newRow("only -1 shows a page") << QStringList{"TagList_Visible=1", "Custom2_Visible=true"}
                                          << "11111110 1 10000";
}

void TestTagBar::pageVisibility()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, visible);
    visible.remove(u' ');
    for (const QString &pair : stored) {
        const QStringList parts = pair.split(u'=');
        ConfigStore::Write(SpeedbarKey(), parts[0], parts[1]);
    }
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    QString shown;
    for (int page = 0; page < SpeedbarPageCount; ++page)
        shown += bar.isTabVisible(bar.indexOf(bar.Page(page))) ? u'1' : u'0';
    QCOMPARE(shown, visible);
    // A later change is taken up when the visibility is applied again.
    ConfigStore::WriteBool(SpeedbarKey(), QStringLiteral("Custom5_Visible"), true);
    ConfigStore::WriteBool(SpeedbarKey(), QStringLiteral("Fonts_Visible"), false);
    bar.ApplyPageVisibility();
    QVERIFY(bar.isTabVisible(bar.indexOf(bar.Page(spCustom5))));
    QVERIFY(!bar.isTabVisible(bar.indexOf(bar.Page(spFonts))));
    QVERIFY(bar.isTabVisible(bar.indexOf(bar.Page(spQuickTab))));
}

// ---- Custom tag bars ----

void TestTagBar::customBarsAtSetup()
{
    const QString one = CustomBarLocation(1);
    ConfigStore::Write(one, QStringLiteral("ToolbarName"), QStringLiteral("Blocks"));
    ConfigStore::Write(one, QStringLiteral("Button0_Caption"), QStringLiteral("div"));
    ConfigStore::Write(one, QStringLiteral("Button0_StartTag"), QStringLiteral("<DIV CLASS=\"Box\">\r\n"));
    ConfigStore::Write(one, QStringLiteral("Button0_EndTag"), QStringLiteral("\r\n</DIV>"));
    ConfigStore::Write(one, QStringLiteral("Button1_Caption"), QStringLiteral("&"));
    ConfigStore::Write(one, QStringLiteral("Button1_StartTag"), QStringLiteral("&AMP;"));
    ConfigStore::Write(CustomBarLocation(3), QStringLiteral("Button0_Caption"), QStringLiteral("k"));

    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    QCOMPARE(bar.PageCaption(spCustom1), QStringLiteral("Blocks"));
    QCOMPARE(bar.PageCaption(spCustom3), QStringLiteral("Custom 3"));
    QCOMPARE(bar.CustomBar(3)->ToolbarName(), QStringLiteral("Custom 3"));
    QCOMPARE(bar.CustomBar(1)->VisibleCount(), 2);
    QCOMPARE(bar.CustomBar(3)->VisibleCount(), 1);
    QCOMPARE(bar.CustomBar(2)->VisibleCount(), 0);
    for (int n = 1; n <= CustomBarCount; ++n) {
        QCOMPARE(bar.CustomBar(n)->RegistryLocation(), CustomBarLocation(n));
        QCOMPARE(bar.CustomBar(n)->GlyphCount(), 51);
    }
    QCOMPARE(bar.CustomBar(1)->Button(1)->Hint(), QStringLiteral("Custom 1"));

    // Custom buttons write exactly what was typed, whatever the tag case.
    SetLowerCaseTags(true);
    editor.setPlainText(QStringLiteral("x"));
    editor.Select(0, 1);
    bar.CustomBar(1)->Button(0)->click();
    QCOMPARE(editor.Text(), QStringLiteral("<DIV CLASS=\"Box\">\nx\n</DIV>"));
    editor.Select(0, 0);
    bar.CustomBar(1)->Button(1)->click();
    QVERIFY(editor.Text().startsWith(QLatin1String("&AMP;<DIV")));
}

void TestTagBar::storedBarWithGapAndGlyph()
{
    const QString loc = QStringLiteral("Software\\Pendwick\\TestBar");
    ConfigStore::EraseKey(loc);
    ConfigStore::Write(loc, QStringLiteral("Button0_Caption"), QStringLiteral("abc"));
    ConfigStore::Write(loc, QStringLiteral("Button0_Glyph"), QStringLiteral("5"));
    ConfigStore::Write(loc, QStringLiteral("Button2_Caption"), QStringLiteral("two"));
    TkrTagBar bar;
    bar.SetRegistryLocation(loc);
    bar.ReadFromRegistry();
    QCOMPARE(bar.VisibleCount(), 1);
    QVERIFY(!bar.Button(0)->isHidden());
    QVERIFY(bar.Button(1)->isHidden());
    QVERIFY(bar.Button(2)->isHidden());
    QCOMPARE(bar.Button(0)->GlyphIndex(), 5);
    QVERIFY(bar.Button(0)->HasImage());
    QVERIFY(bar.Button(0)->text().isEmpty());
    QCOMPARE(bar.Button(2)->text(), QStringLiteral("C2"));

    // Writing it back stores what is shown: one button, image 5, no caption.
    bar.WriteToRegistry();
    QCOMPARE(ConfigStore::Read(loc, QStringLiteral("Button0_Caption"), QStringLiteral("?")), QString());
    QCOMPARE(ConfigStore::Read(loc, QStringLiteral("Button0_Glyph"), QString()), QStringLiteral("5"));
    QVERIFY(!ConfigStore::ValueExists(loc, QStringLiteral("Button2_Caption")));

    // An image number without a picture leaves the button without an image.
    bar.Button(0)->SetGlyphIndex(60);
    QVERIFY(!bar.Button(0)->HasImage());
    bar.Button(0)->SetGlyphIndex(0);
    QVERIFY(!bar.Button(0)->HasImage());
    ConfigStore::EraseKey(loc);
}

void TestTagBar::unassignedLocation()
{
    TkrTagBar bar;
    bar.ReadFromRegistry();
    bar.WriteToRegistry();
    QCOMPARE(m_messages.Boxes, (QList<TShownBox>{{mkMessage, QStringLiteral("TkrTagBar.ReadFromRegistry Error - FRegLoc Unassigned"), mbOK},
                                                 {mkMessage, QStringLiteral("TkrTagBar.WriteToRegistry Error - FRegLoc Unassigned"), mbOK}}));
    QCOMPARE(bar.VisibleCount(), 0);
}

// ---- Tag List ----

void TestTagBar::tagListFilledInFileOrder()
{
    const TTempFiles folder;
    folder.Write(QStringLiteral("Tags.dat"), "<P>..</P>\r\n<BR>\r\n<A>..</A>\r\n");
    SetProgramFolder(folder.Path());
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    QComboBox *list = bar.TagList();
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(0), QStringLiteral("<P>..</P>"));
    QCOMPARE(list->itemText(1), QStringLiteral("<BR>"));
    QCOMPARE(list->itemText(2), QStringLiteral("<A>..</A>"));
    QVERIFY(!list->isEditable());

    // Without the file the list stays empty, and inserting does nothing.
    QFile::remove(folder.FilePath(QStringLiteral("Tags.dat")));
    bar.Setup();
    QCOMPARE(list->count(), 0);
    bar.findChild<TkrTagButton *>(QStringLiteral("btnInsertTag"))->click();
    QVERIFY(editor.Text().isEmpty());
    QVERIFY(!editor.Modified());

    // The shipped list.
    SetProgramFolder(Resources);
    bar.Setup();
    QVERIFY(list->count() > 100);
    QVERIFY(list->findText(QStringLiteral("<TABLE>..</TABLE>")) >= 0);
}

void TestTagBar::tagListInsert_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("result");
    // The editor holds "a word b" with "word" selected.
    QTest::newRow("pair wraps the selection") << "<B>..</B>" << false << "a <B>word</B> b";
    QTest::newRow("pair in lower case") << "<B>..</B>" << true << "a <b>word</b> b";
    QTest::newRow("single tag") << "<BR>" << false << "a <BR>word b";
    QTest::newRow("leading dots give only an end text") << "..</B>" << false << "a word</B> b";
    QTest::newRow("lower-case entry under upper-case tags") << "<td>..</td>" << false << "a <TD>word</TD> b";
    QTest::newRow("empty entry inserts nothing") << "" << false << "a word b";
}

void TestTagBar::tagListInsert()
{
    QFETCH(QString, entry);
    QFETCH(bool, lower);
    QFETCH(QString, result);
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor, false);
    SetLowerCaseTags(lower);
    bar.TagList()->addItems({QStringLiteral("<P>"), entry});
    bar.TagList()->setCurrentIndex(1);
    editor.setPlainText(QStringLiteral("a word b"));
    editor.SetModified(false);
    editor.Select(2, 4);
    bar.findChild<TkrTagButton *>(QStringLiteral("btnInsertTag"))->click();
    QCOMPARE(editor.Text(), result);
    QCOMPARE(editor.Modified(), !entry.isEmpty());
}

void TestTagBar::tagListFirstLetter()
{
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor, false);
    QComboBox *list = bar.TagList();
    list->addItems({"<A>..</A>", "<B>..</B>", "BODY", "<P>..</P>", "<BR>", "<I>..</I>"});
    list->setCurrentIndex(4);
    QTest::keyClick(list, Qt::Key_B, Qt::NoModifier);
    QCOMPARE(list->currentIndex(), 1); // wrapped to the top, past the entry without "<"
    QTest::keyClick(list, Qt::Key_B, Qt::ShiftModifier);
    QCOMPARE(list->currentIndex(), 4);
    QTest::keyClick(list, Qt::Key_Z);
    QCOMPARE(list->currentIndex(), 4); // nothing starts with "<Z"
    QTest::keyClick(list, Qt::Key_I);
    QCOMPARE(list->currentIndex(), 5);
    QVERIFY(editor.Text().isEmpty());
}

// ---- The "Custom Buttons" dialog ----

namespace {
TTagBarData TwoButtons()
{
    TTagBarData bar = NewTagBar();
    bar.ToolbarName = QStringLiteral("Two");
    for (int n = 0; n < 2; ++n) {
        bar.Slots[size_t(n)].Visible = true;
        bar.Slots[size_t(n)].Caption = QStringLiteral("b%1").arg(n);
        bar.Slots[size_t(n)].Hint = QStringLiteral("hint %1").arg(n);
        bar.Slots[size_t(n)].TagStart = QStringLiteral("<X%1>\r\n").arg(n);
    }
    bar.Slots[1].Caption.clear();
    bar.Slots[1].GlyphIndex = 7;
    return bar;
}
} // namespace

void TestTagBar::dialogShowsTheBar()
{
    TfCustomButtons dialog(TwoButtons(), 51);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Custom Buttons"));
    QCOMPARE(dialog.txtToolbarName->text(), QStringLiteral("Two"));
    QCOMPARE(dialog.krButtons->VisibleCount(), 2);
    QVERIFY(dialog.krButtons->Button(0)->isChecked());
    QVERIFY(dialog.grpCustom->isEnabled());
    QCOMPARE(dialog.txtCaption->text(), QStringLiteral("b0"));
    QCOMPARE(dialog.memStart->toPlainText(), QStringLiteral("<X0>\n"));
    QCOMPARE(dialog.cboGlyphs->count(), 52);
    QVERIFY(dialog.cboGlyphs->itemIcon(0).isNull());
    QVERIFY(!dialog.cboGlyphs->itemIcon(51).isNull());

    dialog.krButtons->Button(1)->click();
    QVERIFY(dialog.krButtons->Button(1)->isChecked());
    QVERIFY(!dialog.krButtons->Button(0)->isChecked());
    QCOMPARE(dialog.txtHint->text(), QStringLiteral("hint 1"));
    QVERIFY(dialog.txtCaption->text().isEmpty());
    QCOMPARE(dialog.cboGlyphs->currentIndex(), 7);
    QVERIFY(dialog.krButtons->Button(1)->HasImage());

    TfCustomButtons empty(NewTagBar(), 51);
    QVERIFY(!empty.grpCustom->isEnabled());
    QVERIFY(!empty.krButtons->Button(0)->isChecked());
}

void TestTagBar::dialogAddAndDelete()
{
    TfCustomButtons dialog(NewTagBar(), 51);
    dialog.txtToolbarName->setText(QStringLiteral("New"));
    dialog.btnAdd->click();
    QVERIFY(dialog.grpCustom->isEnabled());
    QCOMPARE(dialog.krButtons->VisibleCount(), 1);
    QVERIFY(dialog.krButtons->Button(0)->isChecked());
    QCOMPARE(dialog.txtCaption->text(), QStringLiteral("C0"));
    QCOMPARE(dialog.txtHint->text(), QStringLiteral("Custom 0"));
    // Fields typed into the first button are kept when the next is added.
    QTest::keyClicks(dialog.txtHint, QStringLiteral("!"));
    QTest::keyClicks(dialog.memStart, QStringLiteral("<Q>"));
    QTest::keyClick(dialog.memStart, Qt::Key_Return);
    QTest::keyClicks(dialog.memStart, QStringLiteral("x"));
    dialog.btnAdd->click();
    QVERIFY(dialog.krButtons->Button(1)->isChecked());
    QCOMPARE(dialog.krButtons->Button(0)->Hint(), QStringLiteral("Custom 0!"));
    QVERIFY(dialog.memStart->toPlainText().isEmpty());

    for (int n = 2; n < 20; ++n)
        dialog.btnAdd->click();
    QCOMPARE(dialog.krButtons->VisibleCount(), 15);

    dialog.krButtons->Button(14)->click();
    dialog.btnDelete->click();
    QCOMPARE(dialog.krButtons->VisibleCount(), 14);
    QVERIFY(dialog.krButtons->Button(13)->isChecked());
    while (dialog.krButtons->VisibleCount() > 1)
        dialog.btnDelete->click();
    QCOMPARE(dialog.txtHint->text(), QStringLiteral("Custom 0!"));
    dialog.btnDelete->click();
    QVERIFY(!dialog.grpCustom->isEnabled());
    QVERIFY(dialog.txtCaption->text().isEmpty());
    QVERIFY(dialog.memStart->toPlainText().isEmpty());
    QCOMPARE(dialog.cboGlyphs->currentIndex(), 0);
    dialog.btnAdd->click();
    dialog.btnOKClick();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(VisibleCount(dialog.Result()), 1);
    QCOMPARE(dialog.Result().ToolbarName, QStringLiteral("New"));
}

void TestTagBar::dialogCaptionAndImage()
{
    TfCustomButtons dialog(TwoButtons(), 51);
    dialog.cboGlyphs->setCurrentIndex(12);
    QVERIFY(dialog.txtCaption->text().isEmpty());
    QVERIFY(dialog.krButtons->Button(0)->HasImage());
    QCOMPARE(dialog.krButtons->Button(0)->GlyphIndex(), 12);
    QTest::keyClicks(dialog.txtCaption, QStringLiteral("ab"));
    QCOMPARE(dialog.cboGlyphs->currentIndex(), 0);
    dialog.krButtons->Button(1)->click();
    QCOMPARE(dialog.krButtons->Button(0)->Caption(), QStringLiteral("ab"));
    QCOMPARE(dialog.krButtons->Button(0)->GlyphIndex(), 0);
    QVERIFY(!dialog.krButtons->Button(0)->HasImage());
    // Start tags typed over lines keep CR LF line ends.
    dialog.memStart->setPlainText(QStringLiteral("<UL>\n<LI>"));
    dialog.btnOKClick();
    QCOMPARE(dialog.Result().Slots[1].TagStart, QStringLiteral("<UL>\r\n<LI>"));
    QCOMPARE(dialog.Result().Slots[1].GlyphIndex, 7);
}

void TestTagBar::dialogLimits()
{
    TfCustomButtons dialog(TwoButtons(), 51);
    QCOMPARE(dialog.txtToolbarName->maxLength(), 12);
    QCOMPARE(dialog.txtCaption->maxLength(), 3);
    QCOMPARE(dialog.txtHint->maxLength(), 50);
    dialog.memStart->setPlainText(QString(1200, u's'));
    QCOMPARE(dialog.memStart->toPlainText().size(), 1000);
    // Line breaks count as the two characters they are stored as.
    dialog.memEnd->setPlainText(QString(600, u'\n'));
    QCOMPARE(dialog.memEnd->toPlainText().size(), 500);
    QTest::keyClicks(dialog.txtCaption, QStringLiteral("wxyz"));
    QCOMPARE(dialog.txtCaption->text(), QStringLiteral("b0w"));
    dialog.btnOKClick();
    QCOMPARE(dialog.Result().Slots[0].TagStart.size(), 1000);
    QCOMPARE(dialog.Result().Slots[0].TagEnd.size(), 1000);
    QCOMPARE(dialog.Result().Slots[0].Caption, QStringLiteral("b0w"));
}

void TestTagBar::dialogNeedsAName()
{
    TfCustomButtons dialog(TwoButtons(), 51);
    dialog.txtToolbarName->clear();
    dialog.btnOK->click();
    const QList<TShownBox> asked{{mkInformation, QStringLiteral("Please enter a name for this toolbar."), mbOK}};
    QCOMPARE(m_messages.Boxes, asked);
    QVERIFY(dialog.result() != QDialog::Accepted);
    QTest::keyClicks(dialog.txtToolbarName, QStringLiteral("Named"));
    dialog.btnOK->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Result().ToolbarName, QStringLiteral("Named"));
    QCOMPARE(m_messages.Boxes, asked);
}

void TestTagBar::customizeWritesTheBar()
{
    const QString loc = CustomBarLocation(2);
    WriteTagBar(loc, TwoButtons());
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    QCOMPARE(bar.PageCaption(spCustom2), QStringLiteral("Two"));
    OnDialogShown([](TfCustomButtons *dialog) {
        dialog->txtToolbarName->setText(QStringLiteral("Links"));
        dialog->btnDelete->click(); // the first button goes, the second moves down
        dialog->btnAdd->click();
        dialog->txtHint->setText(QStringLiteral("Link"));
        dialog->memStart->setPlainText(QStringLiteral("<A HREF=\"\">"));
        dialog->memEnd->setPlainText(QStringLiteral("</A>"));
        dialog->btnOK->click();
    });
    bar.findChild<TkrTagButton *>(QStringLiteral("spdCustomize2"))->click();
    QCOMPARE(bar.PageCaption(spCustom2), QStringLiteral("Links"));
    QCOMPARE(bar.CustomBar(2)->VisibleCount(), 2);
    QCOMPARE(ConfigStore::Read(loc, QStringLiteral("ToolbarName"), QString()), QStringLiteral("Links"));
    QCOMPARE(ConfigStore::Read(loc, QStringLiteral("Button0_Glyph"), QString()), QStringLiteral("7"));
    QCOMPARE(ConfigStore::Read(loc, QStringLiteral("Button1_Caption"), QString()), QStringLiteral("C1"));
    QCOMPARE(ConfigStore::Read(loc, QStringLiteral("Button1_Hint"), QString()), QStringLiteral("Link"));
    QCOMPARE(ConfigStore::Read(loc, QStringLiteral("Button1_StartTag"), QString()), QStringLiteral("<A HREF=\"\">"));
    QVERIFY(!ConfigStore::ValueExists(loc, QStringLiteral("Button2_Caption")));

    // The new button inserts its tags as typed.
    SetLowerCaseTags(true);
    editor.setPlainText(QStringLiteral("here"));
    editor.Select(0, 4);
    bar.CustomBar(2)->Button(1)->click();
    QCOMPARE(editor.Text(), QStringLiteral("<A HREF=\"\">here</A>"));
}

void TestTagBar::customizeCancelChangesNothing()
{
    TkrRichHTML editor;
    TkrSpeedbar bar;
    Prepare(bar, editor);
    OnDialogShown([](TfCustomButtons *dialog) {
        dialog->txtToolbarName->setText(QStringLiteral("Changed"));
        dialog->btnAdd->click();
        dialog->btnCancel->click();
    });
    QVERIFY(!bar.CustomBar(4)->Customize());
    QCOMPARE(bar.CustomBar(4)->VisibleCount(), 0);
    QCOMPARE(bar.CustomBar(4)->ToolbarName(), QStringLiteral("Custom 4"));
    QVERIFY(!ConfigStore::KeyExists(CustomBarLocation(4)));
}

QTEST_MAIN(TestTagBar)
#include "tst_tagbar.moc"
