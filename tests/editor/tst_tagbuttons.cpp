// The speedbar's tag buttons without widgets: what a click inserts, the stored form of a
// custom tag bar, the rules of the "Custom Buttons" dialog, the tag list, and the data
// files and images that ship beside the program.
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include "platform/programfolder.h"
#include "editor/tagbuttons.h"
#include "editor/tagtext.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

const QString Loc = QStringLiteral("Software\\Pendwick\\CustomButtons");
const QString Resources = QStringLiteral(PENDWICK_RESOURCES);

void WriteButton(int n, const QString &caption, const QString &glyph = QStringLiteral("0"),
                 const QString &start = QString(), const QString &end = QString())
{
    const QString b = QStringLiteral("Button%1_").arg(n);
    ConfigStore::Write(Loc, b + QStringLiteral("Caption"), caption);
    ConfigStore::Write(Loc, b + QStringLiteral("Hint"), QStringLiteral("Hint %1").arg(n));
    ConfigStore::Write(Loc, b + QStringLiteral("Glyph"), glyph);
    ConfigStore::Write(Loc, b + QStringLiteral("StartTag"), start);
    ConfigStore::Write(Loc, b + QStringLiteral("EndTag"), end);
}

// A bar with `count` visible buttons captioned "B0", "B1", ...
TTagBarData BarOf(int count)
{
    TTagBarData bar = NewTagBar();
    bar.ToolbarName = QStringLiteral("Mine");
    for (int n = 0; n < count; ++n) {
        TTagBarSlot &s = bar.Slots[size_t(n)];
        s.Visible = true;
        s.Caption = QStringLiteral("B%1").arg(n);
        s.Hint = QStringLiteral("Hint %1").arg(n);
        s.TagStart = QStringLiteral("<T%1>").arg(n);
        s.TagEnd = QStringLiteral("</T%1>").arg(n);
    }
    return bar;
}

QString VisibleCaptions(const TTagBarData &bar)
{
    QStringList out;
    for (int n = 0; n < VisibleCount(bar); ++n)
        out << bar.Slots[size_t(n)].Caption;
    return out.join(u',');
}

QStringList FileLines(const QString &name)
{
    return ReadDataFileLines(Resources + name);
}

} // namespace

class TestTagButtons : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        SetProgramFolder(Resources);
    }
    void init()
    {
        SetLowerCaseTags(false);
        ConfigStore::EraseKey(SpeedbarKey());
        ConfigStore::EraseKey(Loc);
    }
    void cleanupTestCase() { SetLowerCaseTags(false); }

    void pageVisibility_data();
    void pageVisibility();
    void startUpTags_data();
    void startUpTags();
    void simpleInsertion_data();
    void simpleInsertion();
    void promptInsertion_data();
    void promptInsertion();

    void barRoundTrip();
    void readStopsAtFirstMissingCaption();
    void readGlyph_data();
    void readGlyph();
    void readLeavesLaterSlotsAlone();
    void writeErasesTheKeyFirst();
    void sixteenStoredButtons();
    void barLocations();

    void editorOperations_data();
    void editorOperations();
    void addStoresFieldsAndGivesANewButton();
    void deleteMovesEveryField();
    void deletingTheOnlyButtonDisablesTheFields();
    void fieldLimits();
    void captionAndImageExcludeEachOther();
    void showingAButton_data();
    void showingAButton();
    void acceptNeedsAName();

    void splitTagEntry_data();
    void splitTagEntry();
    void tagListInsertionFollowsTagCase();
    void firstLetterSearch_data();
    void firstLetterSearch();
    void dataFileLines_data();
    void dataFileLines();

    void redBecomesTransparent();
    void customGlyphs();
    void speedbarImages();
    void tagsFile();
    void attributesFile();
};

// ---- Pages ----

void TestTagButtons::pageVisibility_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<bool>("visible");
    QTest::newRow("QuickTab always shown") << int(spQuickTab) << QString() << true;
    QTest::newRow("Fonts shown by default") << int(spFonts) << QString() << true;
    QTest::newRow("Tables shown by default") << int(spTables) << QString() << true;
    QTest::newRow("Frames shown by default") << int(spFrames) << QString() << true;
    QTest::newRow("Lists shown by default") << int(spLists) << QString() << true;
    QTest::newRow("Styles shown by default") << int(spStyles) << QString() << true;
    QTest::newRow("Advanced shown by default") << int(spAdvanced) << QString() << true;
    QTest::newRow("Tag List hidden by default") << int(spTagList) << QString() << false;
    QTest::newRow("Apps shown by default") << int(spApps) << QString() << true;
    QTest::newRow("Custom 1 shown by default") << int(spCustom1) << QString() << true;
    QTest::newRow("Custom 2 hidden by default") << int(spCustom2) << QString() << false;
    QTest::newRow("Custom 5 hidden by default") << int(spCustom5) << QString() << false;
    QTest::newRow("Tag List stored shown") << int(spTagList) << QStringLiteral("-1") << true;
    QTest::newRow("Fonts stored hidden") << int(spFonts) << QStringLiteral("0") << false;
    QTest::newRow("Custom 4 stored shown") << int(spCustom4) << QStringLiteral("-1") << true;
    QTest::newRow("Custom 1 stored hidden") << int(spCustom1) << QStringLiteral("0") << false;
    QTest::newRow("only -1 means true") << int(spTagList) << QStringLiteral("1") << false;
}

void TestTagButtons::pageVisibility()
{
    QFETCH(int, page);
    QFETCH(QString, stored);
    QFETCH(bool, visible);
    if (!stored.isNull())
        QVERIFY(ConfigStore::Write(SpeedbarKey(), SpeedbarVisibleValueName(page), stored));
    // A value stored for the first page changes nothing.
    ConfigStore::Write(SpeedbarKey(), QStringLiteral("QuickTab_Visible"), QStringLiteral("0"));
    QCOMPARE(ReadSpeedbarPageVisible(page), visible);
}

// ---- What a click inserts ----

void TestTagButtons::startUpTags_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("definition list") << "spdDefList" << false << "<DL>\r\n\t<DT> <DD>\r\n" << "</DL>\r\n";
    QTest::newRow("definition list in lower case") << "spdDefList" << true << "<dl>\r\n\t<dt> <dd>\r\n"
                                                   << "</dl>\r\n";
    QTest::newRow("form action") << "spdFormAction" << false << "<FORM METHOD=POST ACTION=\""
                                 << "\">\r\n</FORM>\r\n";
    QTest::newRow("image map") << "spdImageMap" << false << "<MAP NAME=\"%INPUT%\">"
                               << "\r\n\t<AREA SHAPE=\"\" COORDS=\"\" HREF=\"\">\r\n</MAP>";
    QTest::newRow("image map in lower case") << "spdImageMap" << true << "<map name=\"%input%\">"
                                             << "\r\n\t<area shape=\"\" coords=\"\" href=\"\">\r\n</map>";
}

void TestTagButtons::startUpTags()
{
    QFETCH(QString, name);
    QFETCH(bool, lower);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lower);
    const std::optional<TTagResult> tags = StartUpButtonTags(name);
    QVERIFY(tags);
    QCOMPARE(tags->StartText, start);
    QCOMPARE(tags->EndText, end);
    QVERIFY(!StartUpButtonTags(QStringLiteral("spdBold")));
    // Exactly the three buttons are set up at start, each with empty tags in the table.
    int setAtStart = 0;
    for (const TSpeedbarButtonDef &def : SpeedbarButtons())
        if (def.SetAtStart) {
            ++setAtStart;
            QVERIFY(StartUpButtonTags(def.Name));
        }
    QCOMPARE(setAtStart, 3);
}

void TestTagButtons::simpleInsertion_data()
{
    QTest::addColumn<QString>("tagStart");
    QTest::addColumn<QString>("tagEnd");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("bold, upper case") << "<B>" << "</B>" << false << "<B>" << "</B>";
    QTest::newRow("bold, lower case") << "<B>" << "</B>" << true << "<b>" << "</b>";
    QTest::newRow("lower-case table text, upper case") << "<em>" << "</em>" << false << "<EM>" << "</EM>";
    QTest::newRow("entity kept in lower case under upper-case tags") << "&nbsp;" << "" << false << "&nbsp;" << "";
    QTest::newRow("entity kept under lower-case tags") << "&Auml;" << "" << true << "&Auml;" << "";
    QTest::newRow("entity start drops the end text") << "&amp;" << "</X>" << false << "&amp;" << "";
    QTest::newRow("font size keeps its sign") << "<FONT SIZE=\"+1\">" << "</FONT>" << true
                                              << "<font size=\"+1\">" << "</font>";
}

void TestTagButtons::simpleInsertion()
{
    QFETCH(QString, tagStart);
    QFETCH(QString, tagEnd);
    QFETCH(bool, lower);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lower);
    const TTagResult tags = SimpleTagInsertion(tagStart, tagEnd);
    QCOMPARE(tags.StartText, start);
    QCOMPARE(tags.EndText, end);
}

void TestTagButtons::promptInsertion_data()
{
    QTest::addColumn<QString>("tagStart");
    QTest::addColumn<QString>("tagEnd");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("e-mail, upper case") << "<A HREF=\"mailto:%INPUT%\">" << "</A>" << false << "Ann@Example.org"
                                        << "<A HREF=\"MAILTO:Ann@Example.org\">" << "</A>";
    QTest::newRow("e-mail, lower case keeps the answer")
        << "<A HREF=\"mailto:%INPUT%\">" << "</A>" << true << "Ann@Example.org"
        << "<a href=\"mailto:Ann@Example.org\">" << "</a>";
    QTest::newRow("placeholder set up in lower case, clicked in lower case")
        << "<map name=\"%input%\">" << "</map>" << true << "NavMap" << "<map name=\"NavMap\">" << "</map>";
    QTest::newRow("placeholder set up in lower case, clicked in upper case")
        << "<map name=\"%input%\">" << "</map>" << false << "NavMap" << "<MAP NAME=\"NavMap\">" << "</MAP>";
    QTest::newRow("only the first placeholder is replaced")
        << "<X A=\"%INPUT%\" B=\"%INPUT%\">" << "" << false << "v" << "<X A=\"v\" B=\"%INPUT%\">" << "";
    QTest::newRow("without a placeholder the answer follows")
        << "<BASEFONT SIZE=\"" << "\">" << true << "3" << "<basefont size=\"3" << "\">";
    QTest::newRow("empty answer fills the placeholder with nothing")
        << "<A HREF=\"mailto:%INPUT%\">" << "</A>" << false << "" << "<A HREF=\"MAILTO:\">" << "</A>";
    QTest::newRow("answer holding the placeholder text is kept")
        << "<P>%INPUT%" << "" << false << "%input%" << "<P>%input%" << "";
}

void TestTagButtons::promptInsertion()
{
    QFETCH(QString, tagStart);
    QFETCH(QString, tagEnd);
    QFETCH(bool, lower);
    QFETCH(QString, answer);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lower);
    const TTagResult tags = PromptInsertion(tagStart, tagEnd, answer);
    QCOMPARE(tags.StartText, start);
    QCOMPARE(tags.EndText, end);
    QCOMPARE(PromptButtonPrompt(QStringLiteral("Map Name")), QStringLiteral("Enter Map Name"));
}

// ---- Stored bars ----

void TestTagButtons::barRoundTrip()
{
    TTagBarData bar = BarOf(3);
    bar.ToolbarName = QStringLiteral("Forms");
    bar.Slots[0].TagStart = QStringLiteral("<FORM>\r\n\t<INPUT NAME=\"a=b\\c\">\r\n");
    bar.Slots[1].Caption.clear();
    bar.Slots[1].GlyphIndex = 7;
    bar.Slots[2].Hint = QStringLiteral("  spaced hint ");
    bar.Slots[2].TagEnd = QStringLiteral("[x]; #y");
    WriteTagBar(Loc, bar);

    TTagBarData read = NewTagBar();
    ReadTagBar(Loc, read);
    QCOMPARE(read, bar);
    QCOMPARE(ConfigStore::Read(Loc, QStringLiteral("Button1_Glyph"), QString()), QStringLiteral("7"));
    QCOMPARE(ConfigStore::Read(Loc, QStringLiteral("Button0_Glyph"), QString()), QStringLiteral("0"));
    QVERIFY(!ConfigStore::ValueExists(Loc, QStringLiteral("Button3_Caption")));
}

void TestTagButtons::readStopsAtFirstMissingCaption()
{
    ConfigStore::Write(Loc, QStringLiteral("ToolbarName"), QStringLiteral("Gap"));
    WriteButton(0, QStringLiteral("a"));
    WriteButton(2, QStringLiteral("c"));
    TTagBarData bar = NewTagBar();
    ReadTagBar(Loc, bar);
    QCOMPARE(VisibleCount(bar), 1);
    QCOMPARE(bar.Slots[0].Caption, QStringLiteral("a"));
    QCOMPARE(bar.Slots[0].Hint, QStringLiteral("Hint 0"));
    QVERIFY(!bar.Slots[2].Visible);
    QCOMPARE(bar.Slots[2].Caption, QStringLiteral("C2"));
    QCOMPARE(bar.ToolbarName, QStringLiteral("Gap"));

    // An empty caption is a caption; only a missing one ends the bar.
    WriteButton(1, QString());
    ReadTagBar(Loc, bar);
    QCOMPARE(VisibleCount(bar), 3);
}

void TestTagButtons::readGlyph_data()
{
    QTest::addColumn<QString>("glyph");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::newRow("glyph wins over a stored caption") << "5" << 5 << "";
    QTest::newRow("no glyph shows the caption") << "0" << 0 << "abc";
    QTest::newRow("not a number counts as no glyph") << "five" << 0 << "abc";
    QTest::newRow("empty glyph counts as no glyph") << "" << 0 << "abc";
    QTest::newRow("negative glyph counts as no glyph") << "-3" << 0 << "abc";
    QTest::newRow("glyph beyond the images is kept") << "60" << 60 << "";
}

void TestTagButtons::readGlyph()
{
    QFETCH(QString, glyph);
    QFETCH(int, index);
    QFETCH(QString, caption);
    WriteButton(0, QStringLiteral("abc"), glyph);
    TTagBarData bar = NewTagBar();
    ReadTagBar(Loc, bar);
    QVERIFY(bar.Slots[0].Visible);
    QCOMPARE(bar.Slots[0].GlyphIndex, index);
    QCOMPARE(bar.Slots[0].Caption, caption);
}

void TestTagButtons::readLeavesLaterSlotsAlone()
{
    // Nothing stored: the name reads empty and every slot keeps what it held.
    TTagBarData bar = BarOf(4);
    const TTagBarData before = bar;
    ReadTagBar(Loc, bar);
    QVERIFY(bar.ToolbarName.isEmpty());
    QCOMPARE(bar.Slots, before.Slots);

    WriteButton(0, QStringLiteral("new"));
    ReadTagBar(Loc, bar);
    QCOMPARE(bar.Slots[0].Caption, QStringLiteral("new"));
    QCOMPARE(bar.Slots[0].Hint, QStringLiteral("Hint 0"));
    QCOMPARE(bar.Slots[1], before.Slots[1]);
    QCOMPARE(bar.Slots[3], before.Slots[3]);
}

void TestTagButtons::writeErasesTheKeyFirst()
{
    WriteButton(0, QStringLiteral("x"));
    WriteButton(1, QStringLiteral("y"));
    WriteButton(2, QStringLiteral("z"));
    ConfigStore::Write(Loc, QStringLiteral("Stray"), QStringLiteral("1"));
    TTagBarData bar = BarOf(3);
    bar.Slots[1].Visible = false; // a gap: only button 0 is written
    WriteTagBar(Loc, bar);
    QVERIFY(ConfigStore::ValueExists(Loc, QStringLiteral("Button0_Caption")));
    QVERIFY(!ConfigStore::ValueExists(Loc, QStringLiteral("Button1_Caption")));
    QVERIFY(!ConfigStore::ValueExists(Loc, QStringLiteral("Button2_Caption")));
    QVERIFY(!ConfigStore::ValueExists(Loc, QStringLiteral("Stray")));
    QCOMPARE(ConfigStore::Read(Loc, QStringLiteral("ToolbarName"), QString()), QStringLiteral("Mine"));
}

void TestTagButtons::sixteenStoredButtons()
{
    const TTagBarData bar = BarOf(TagBarSlotCount);
    WriteTagBar(Loc, bar);
    QVERIFY(ConfigStore::ValueExists(Loc, QStringLiteral("Button15_EndTag")));
    TTagBarData read = NewTagBar();
    ReadTagBar(Loc, read);
    QCOMPARE(VisibleCount(read), 16);
    QCOMPARE(read, bar);
}

void TestTagButtons::barLocations()
{
    QCOMPARE(CustomBarLocation(1), QStringLiteral("Software\\Pendwick\\CustomButtons"));
    QCOMPARE(CustomBarLocation(2), QStringLiteral("Software\\Pendwick\\CustomButtons2"));
    QCOMPARE(CustomBarLocation(5), QStringLiteral("Software\\Pendwick\\CustomButtons5"));
    const TTagBarData fresh = NewTagBar();
    QCOMPARE(VisibleCount(fresh), 0);
    QCOMPARE(fresh.Slots[12].Caption, QStringLiteral("C12"));
    QCOMPARE(fresh.Slots[12].Hint, QStringLiteral("Custom 12"));
}

// ---- The "Custom Buttons" dialog ----

void TestTagButtons::editorOperations_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("operations"); // A add, D delete, Sn select n
    QTest::addColumn<QString>("captions");
    QTest::addColumn<int>("current");
    QTest::newRow("empty bar has no current button") << 0 << "" << "" << -1;
    QTest::newRow("first button current on show") << 3 << "" << "B0,B1,B2" << 0;
    QTest::newRow("add to an empty bar") << 0 << "A" << "C0" << 0;
    QTest::newRow("add after three") << 3 << "A" << "B0,B1,B2,C3" << 3;
    QTest::newRow("add twice") << 1 << "AA" << "B0,C1,C2" << 2;
    QTest::newRow("add with 14 makes 15") << 14 << "A" << "B0,B1,B2,B3,B4,B5,B6,B7,B8,B9,B10,B11,B12,B13,C14"
                                          << 14;
    QTest::newRow("add with 15 does nothing") << 15 << "S3A"
                                              << "B0,B1,B2,B3,B4,B5,B6,B7,B8,B9,B10,B11,B12,B13,B14" << 3;
    QTest::newRow("add with 16 stored does nothing")
        << 16 << "A" << "B0,B1,B2,B3,B4,B5,B6,B7,B8,B9,B10,B11,B12,B13,B14,B15" << 0;
    QTest::newRow("delete the first moves the rest down") << 3 << "D" << "B1,B2" << 0;
    QTest::newRow("delete in the middle keeps the index") << 4 << "S1D" << "B0,B2,B3" << 1;
    QTest::newRow("delete the last makes the new last current") << 3 << "S2D" << "B0,B1" << 1;
    QTest::newRow("delete the only button") << 1 << "D" << "" << -1;
    QTest::newRow("delete with none does nothing") << 0 << "D" << "" << -1;
    QTest::newRow("delete from a full stored bar") << 16 << "S15D"
                                                   << "B0,B1,B2,B3,B4,B5,B6,B7,B8,B9,B10,B11,B12,B13,B14" << 14;
    QTest::newRow("after a delete from 16, add works again")
        << 16 << "DDA" << "B2,B3,B4,B5,B6,B7,B8,B9,B10,B11,B12,B13,B14,B15,C14" << 14;
    QTest::newRow("delete all then add") << 2 << "DDA" << "C0" << 0;
    QTest::newRow("select a hidden slot is ignored") << 2 << "S5" << "B0,B1" << 0;
}

void TestTagButtons::editorOperations()
{
    QFETCH(int, buttons);
    QFETCH(QString, operations);
    QFETCH(QString, captions);
    QFETCH(int, current);
    TTagBarEditor ed(BarOf(buttons));
    for (qsizetype i = 0; i < operations.size(); ++i) {
        const QChar op = operations[i];
        if (op == u'A') {
            ed.Add();
        } else if (op == u'D') {
            ed.Delete();
        } else if (op == u'S') {
            qsizetype digits = 0;
            while (i + 1 + digits < operations.size() && operations[i + 1 + digits].isDigit())
                ++digits;
            ed.Select(operations.mid(i + 1, digits).toInt());
            i += digits;
        }
    }
    QCOMPARE(VisibleCaptions(ed.Bar()), captions);
    QCOMPARE(ed.Current(), current);
    QCOMPARE(ed.EditEnabled(), current >= 0);
    if (current >= 0)
        QCOMPARE(ed.Fields().Caption, ed.Bar().Slots[size_t(current)].Caption);
}

void TestTagButtons::addStoresFieldsAndGivesANewButton()
{
    TTagBarData bar = BarOf(2);
    // A hidden slot left over from earlier edits.
    bar.Slots[2].TagStart = QStringLiteral("<OLD>");
    bar.Slots[2].GlyphIndex = 9;
    TTagBarEditor ed(bar);
    ed.CaptionEdited(QStringLiteral("x"));
    ed.SetHint(QStringLiteral("edited"));
    QVERIFY(ed.Add());
    QCOMPARE(ed.Bar().Slots[0].Caption, QStringLiteral("x"));
    QCOMPARE(ed.Bar().Slots[0].Hint, QStringLiteral("edited"));
    const TTagBarSlot &added = ed.Bar().Slots[2];
    QVERIFY(added.Visible);
    QCOMPARE(added.Caption, QStringLiteral("C2"));
    QCOMPARE(added.Hint, QStringLiteral("Custom 2"));
    QCOMPARE(added.GlyphIndex, 0);
    QVERIFY(added.TagStart.isEmpty());
    QCOMPARE(ed.Fields(), (TTagBarEditor::TFields{QStringLiteral("C2"), QStringLiteral("Custom 2"), {}, {}, 0}));
}

void TestTagButtons::deleteMovesEveryField()
{
    TTagBarData bar = BarOf(3);
    bar.Slots[2].Caption.clear();
    bar.Slots[2].GlyphIndex = 4;
    TTagBarEditor ed(bar);
    ed.Select(1);
    QVERIFY(ed.Delete());
    const TTagBarSlot &moved = ed.Bar().Slots[1];
    QCOMPARE(moved.Hint, QStringLiteral("Hint 2"));
    QCOMPARE(moved.GlyphIndex, 4);
    QCOMPARE(moved.TagStart, QStringLiteral("<T2>"));
    QCOMPARE(moved.TagEnd, QStringLiteral("</T2>"));
    QVERIFY(!ed.Bar().Slots[2].Visible);
    QCOMPARE(ed.Current(), 1);
    QCOMPARE(ed.Fields().Glyph, 4);
    QVERIFY(ed.Fields().Caption.isEmpty());

    // Fields edited before a delete are stored first, so they move with their button.
    TTagBarEditor ed2(BarOf(3));
    ed2.Select(2);
    ed2.SetTagStart(QStringLiteral("<EDITED>"));
    ed2.Select(0);
    QVERIFY(ed2.Delete());
    QCOMPARE(ed2.Bar().Slots[1].TagStart, QStringLiteral("<EDITED>"));
}

void TestTagButtons::deletingTheOnlyButtonDisablesTheFields()
{
    TTagBarData bar = BarOf(1);
    bar.Slots[0].Caption.clear();
    bar.Slots[0].GlyphIndex = 3;
    TTagBarEditor ed(bar);
    QCOMPARE(ed.Fields().Glyph, 3);
    QVERIFY(ed.Delete());
    QVERIFY(!ed.EditEnabled());
    QCOMPARE(ed.Fields(), TTagBarEditor::TFields());
    QVERIFY(!ed.Delete());
    // Without a current button, field edits go nowhere.
    ed.GlyphChosen(5);
    ed.StoreFields();
    QCOMPARE(VisibleCount(ed.Bar()), 0);
}

void TestTagButtons::fieldLimits()
{
    TTagBarEditor ed(BarOf(1));
    ed.SetToolbarName(QStringLiteral("A very long toolbar name"));
    QCOMPARE(ed.ToolbarName(), QStringLiteral("A very long "));
    ed.CaptionEdited(QStringLiteral("abcd"));
    QCOMPARE(ed.Fields().Caption, QStringLiteral("abc"));
    ed.SetHint(QString(60, u'h'));
    QCOMPARE(ed.Fields().Hint.size(), 50);
    ed.SetTagStart(QString(1200, u's'));
    ed.SetTagEnd(QString(1001, u'e'));
    QCOMPARE(ed.Fields().TagStart.size(), 1000);
    QCOMPARE(ed.Fields().TagEnd.size(), 1000);
    QVERIFY(ed.Accept());
    QCOMPARE(ed.Bar().ToolbarName, QStringLiteral("A very long "));
    QCOMPARE(ed.Bar().Slots[0].TagStart.size(), 1000);
    QCOMPARE(ed.Bar().Slots[0].Caption, QStringLiteral("abc"));
    // A longer name stored by hand is cut when the dialog shows it.
    TTagBarData bar = BarOf(0);
    bar.ToolbarName = QStringLiteral("1234567890123456");
    QCOMPARE(TTagBarEditor(bar).ToolbarName(), QStringLiteral("123456789012"));
}

void TestTagButtons::captionAndImageExcludeEachOther()
{
    TTagBarEditor ed(BarOf(2));
    // Choosing an image clears the caption and reaches the button at once.
    ed.GlyphChosen(6);
    QVERIFY(ed.Fields().Caption.isEmpty());
    QCOMPARE(ed.Bar().Slots[0].GlyphIndex, 6);
    QVERIFY(ed.Bar().Slots[0].Caption.isEmpty());
    // Typing a caption takes the list back to no image; storing then drops the image.
    ed.CaptionEdited(QStringLiteral("q"));
    QCOMPARE(ed.Fields().Glyph, 0);
    ed.Select(1);
    QCOMPARE(ed.Bar().Slots[0].GlyphIndex, 0);
    QCOMPARE(ed.Bar().Slots[0].Caption, QStringLiteral("q"));
    // A caption given alongside an image wins when stored.
    ed.GlyphChosen(2);
    ed.CaptionEdited(QStringLiteral("w"));
    ed.GlyphChosen(0);
    ed.StoreFields();
    QCOMPARE(ed.Bar().Slots[1].Caption, QStringLiteral("w"));
    QCOMPARE(ed.Bar().Slots[1].GlyphIndex, 0);
    // Entries beyond the list choose no image.
    ed.GlyphChosen(99);
    QCOMPARE(ed.Fields().Glyph, 0);
}

void TestTagButtons::showingAButton_data()
{
    QTest::addColumn<int>("glyph");
    QTest::addColumn<int>("shownGlyph");
    QTest::addColumn<QString>("shownCaption");
    QTest::newRow("caption without image") << 0 << 0 << "B0";
    QTest::newRow("image hides the caption") << 12 << 12 << "";
    QTest::newRow("last image of the list") << 51 << 51 << "";
    QTest::newRow("image beyond the list shows entry 0") << 52 << 0 << "";
}

void TestTagButtons::showingAButton()
{
    QFETCH(int, glyph);
    QFETCH(int, shownGlyph);
    QFETCH(QString, shownCaption);
    TTagBarData bar = BarOf(1);
    bar.Slots[0].GlyphIndex = glyph;
    const TTagBarEditor ed(bar, 51);
    QCOMPARE(ed.Fields().Glyph, shownGlyph);
    QCOMPARE(ed.Fields().Caption, shownCaption);
    QCOMPARE(ed.Fields().Hint, QStringLiteral("Hint 0"));
    QCOMPARE(ed.Fields().TagStart, QStringLiteral("<T0>"));
}

void TestTagButtons::acceptNeedsAName()
{
    TTagBarEditor ed(BarOf(1));
    ed.SetToolbarName(QString());
    ed.SetHint(QStringLiteral("changed"));
    QVERIFY(!ed.Accept());
    QCOMPARE(ed.Bar().ToolbarName, QStringLiteral("Mine"));
    QCOMPARE(ed.Bar().Slots[0].Hint, QStringLiteral("Hint 0"));
    ed.SetToolbarName(QStringLiteral("Yours"));
    QVERIFY(ed.Accept());
    QCOMPARE(ed.Bar().ToolbarName, QStringLiteral("Yours"));
    QCOMPARE(ed.Bar().Slots[0].Hint, QStringLiteral("changed"));
}

// ---- Tag list ----

void TestTagButtons::splitTagEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("pair") << "<B>..</B>" << "<B>" << "</B>";
    QTest::newRow("single tag") << "<BR>" << "<BR>" << "";
    QTest::newRow("leading dots give only an end text") << "..</B>" << "" << "</B>";
    QTest::newRow("split at the first of two pairs") << "<A>..<B>..</B>" << "<A>" << "<B>..</B>";
    QTest::newRow("three dots leave one with the end") << "<X>...</X>" << "<X>" << ".</X>";
    QTest::newRow("comment") << "<!--..-->" << "<!--" << "-->";
    QTest::newRow("empty entry") << "" << "" << "";
}

void TestTagButtons::splitTagEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, start);
    QFETCH(QString, end);
    const TTagResult tags = SplitTagEntry(entry);
    QCOMPARE(tags.StartText, start);
    QCOMPARE(tags.EndText, end);
}

void TestTagButtons::tagListInsertionFollowsTagCase()
{
    SetLowerCaseTags(true);
    QCOMPARE(TagListInsertion(QStringLiteral("<TABLE BORDER=1>..</TABLE>")),
             (TTagResult{QStringLiteral("<table border=1>"), QStringLiteral("</table>")}));
    SetLowerCaseTags(false);
    QCOMPARE(TagListInsertion(QStringLiteral("<br>")), (TTagResult{QStringLiteral("<BR>"), QString()}));
}

void TestTagButtons::firstLetterSearch_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("found");
    const QStringList tags = {"<A>..</A>", "<B>..</B>", "<BR>", "<P>..</P>", "<BIG>..</BIG>"};
    QTest::newRow("next after the current") << tags << 1 << "b" << "<" << 2;
    QTest::newRow("wraps to the top") << tags << 4 << "b" << "<" << 1;
    QTest::newRow("wraps past the end to an earlier entry") << tags << 3 << "a" << "<" << 0;
    QTest::newRow("no current item starts at the top") << tags << -1 << "B" << "<" << 1;
    QTest::newRow("only the current item matches") << tags << 3 << "p" << "<" << 3;
    QTest::newRow("no match") << tags << 0 << "z" << "<" << -1;
    QTest::newRow("letter alone does not match a tag") << QStringList{"B", "<B>"} << -1 << "b" << "<" << 1;
    QTest::newRow("attributes search without the bracket")
        << QStringList{"ALIGN=", "BORDER=", "bgcolor="} << 1 << "b" << "" << 2;
    QTest::newRow("empty list") << QStringList() << -1 << "a" << "<" << -1;
}

void TestTagButtons::firstLetterSearch()
{
    QFETCH(QStringList, entries);
    QFETCH(int, current);
    QFETCH(QString, typed);
    QFETCH(QString, prefix);
    QFETCH(int, found);
    QCOMPARE(FindEntryByFirstLetter(entries, current, typed[0], prefix), found);
}

void TestTagButtons::dataFileLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("<B>..</B>\r\n<BR>\r\n") << QStringList{"<B>..</B>", "<BR>"};
    QTest::newRow("LF without a final line end") << QByteArray("<I>\n<U>") << QStringList{"<I>", "<U>"};
    QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("empty line is an empty entry") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("Windows-1252 text") << QByteArray("<P TITLE=\"caf\xe9\">") << QStringList{"<P TITLE=\"café\">"};
}

void TestTagButtons::dataFileLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString name = m_config->filePath(QStringLiteral("lines.dat"));
    QVERIFY(WriteTestFile(name, bytes));
    QCOMPARE(ReadDataFileLines(name), lines);
    QVERIFY(ReadDataFileLines(m_config->filePath(QStringLiteral("missing.dat"))).isEmpty());
}

// ---- Images and data files ----

void TestTagButtons::redBecomesTransparent()
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(254, 0, 0));
    image.setPixel(2, 0, qRgb(0, 0, 128));
    const QImage out = RedToTransparent(image);
    QCOMPARE(qAlpha(out.pixel(0, 0)), 0);
    QCOMPARE(out.pixel(1, 0), qRgb(254, 0, 0));
    QCOMPARE(out.pixel(2, 0), qRgb(0, 0, 128));
}

void TestTagButtons::customGlyphs()
{
    QSet<QByteArray> seen;
    for (int n = 1; n <= CustomGlyphCount; ++n) {
        const QImage image = CustomGlyphImage(n);
        QVERIFY2(!image.isNull(), qPrintable(QStringLiteral("GLYPH_%1").arg(n)));
        QCOMPARE(image.size(), QSize(16, 16));
        // Something is drawn, and no two images are alike.
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128;
        QVERIFY2(opaque >= 10, qPrintable(QStringLiteral("GLYPH_%1 is nearly empty").arg(n)));
        const QByteArray bits(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
        QVERIFY2(!seen.contains(bits), qPrintable(QStringLiteral("GLYPH_%1 repeats another").arg(n)));
        seen.insert(bits);
    }
    QVERIFY(CustomGlyphImage(0).isNull());
    QVERIFY(CustomGlyphImage(CustomGlyphCount + 1).isNull());
}

void TestTagButtons::speedbarImages()
{
    QSet<QString> names;
    for (const TSpeedbarButtonDef &def : SpeedbarButtons()) {
        QVERIFY2(!names.contains(def.Name), qPrintable(def.Name));
        names.insert(def.Name);
        QVERIFY2(!def.Hint.isEmpty(), qPrintable(def.Name));
        // A button without a caption shows its image.
        if (def.Caption.isEmpty())
            QVERIFY2(!SpeedbarButtonImage(def.Name).isNull(), qPrintable(def.Name));
        QCOMPARE(def.Action == krPrompt, !def.PromptText.isEmpty());
    }
    QVERIFY(!SpeedbarButtonImage(QStringLiteral("spdCustomize")).isNull());
}

void TestTagButtons::tagsFile()
{
    const QStringList lines = FileLines(QStringLiteral("Tags.dat"));
    QVERIFY(lines.size() > 100);
    QSet<QString> names;
    QSet<QString> singles;
    static const QRegularExpression pair(QStringLiteral("^<([A-Z][A-Z0-9]*)>\\.\\.</([A-Z][A-Z0-9]*)>$"));
    static const QRegularExpression single(QStringLiteral("^<([A-Z][A-Z0-9]*)>$"));
    for (const QString &line : lines) {
        QVERIFY2(line.startsWith(u'<'), qPrintable(line));
        if (line.startsWith(QLatin1String("<!")))
            continue;
        const QRegularExpressionMatch p = pair.match(line);
        const QRegularExpressionMatch s = single.match(line);
        QVERIFY2(p.hasMatch() || s.hasMatch(), qPrintable(line));
        const QString name = p.hasMatch() ? p.captured(1) : s.captured(1);
        if (p.hasMatch())
            QCOMPARE(p.captured(2), name);
        else
            singles.insert(name);
        QVERIFY2(!names.contains(name), qPrintable(line));
        names.insert(name);
    }
    // Elements without an end tag stand alone; the others come with theirs.
    const QSet<QString> voidElements = {"AREA", "BASE", "BASEFONT", "BR", "COL", "EMBED", "FRAME", "HR",
                                        "IMG", "INPUT", "ISINDEX", "LINK", "META", "PARAM", "SOURCE",
                                        "TRACK", "WBR"};
    QCOMPARE(singles, voidElements);
    for (const char *e : {"A", "ACRONYM", "APPLET", "B", "BDO", "BLOCKQUOTE", "CAPTION", "CENTER", "DIR",
                          "FONT", "FRAMESET", "H1", "H6", "IFRAME", "LI", "MAP", "MENU", "NOFRAMES", "OPTGROUP",
                          "P", "STRIKE", "TBODY", "TD", "TT", "ARTICLE", "ASIDE", "AUDIO", "BDI", "CANVAS",
                          "DATALIST", "DETAILS", "DIALOG", "FIGCAPTION", "MAIN", "MARK", "METER", "NAV",
                          "OUTPUT", "PICTURE", "SEARCH", "SLOT", "SUMMARY", "TEMPLATE", "TIME", "VIDEO"})
        QVERIFY2(names.contains(QLatin1String(e)), e);
    QVERIFY(lines.contains(QStringLiteral("<B>..</B>")));
    QVERIFY(lines.contains(QStringLiteral("<BR>")));
}

void TestTagButtons::attributesFile()
{
    const QStringList lines = FileLines(QStringLiteral("Attributes.dat"));
    QVERIFY(lines.size() > 150);
    QSet<QString> seen;
    static const QRegularExpression entry(QStringLiteral("^[A-Z][A-Z-]*=?$"));
    for (const QString &line : lines) {
        QVERIFY2(entry.match(line).hasMatch(), qPrintable(line));
        QString name = line;
        if (name.endsWith(u'='))
            name.chop(1);
        QVERIFY2(!seen.contains(name), qPrintable(line));
        seen.insert(name);
    }
    for (const char *a : {"HREF=", "SRC=", "ALT=", "WIDTH=", "BGCOLOR=", "HTTP-EQUIV=", "ONCLICK=", "NOSHADE",
                          "ISMAP", "CHECKED", "PLACEHOLDER=", "LOADING=", "HIDDEN"})
        QVERIFY2(lines.contains(QLatin1String(a)), a);
}

QTEST_GUILESS_MAIN(TestTagButtons)
#include "tst_tagbuttons.moc"
