// The tag builder every dialog uses, file references, the texts made from files, the link
// history and the Edit Tag captions.
#include <QtTest>

#include "dialogs/tagdialog.h"
#include "platform/configstore.h"
#include "testsupport.h"

// One step of a build: the method, the attribute name and the value (or "1"/"0" for flags).
using TBuildSteps = QList<QStringList>;
Q_DECLARE_METATYPE(TBuildSteps)

class TestTagDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void init()
    {
        SetLowerCaseTags(false);
        ConfigStore::EraseKey(LinkHistoryKey());
    }
    void cleanup() { SetLowerCaseTags(false); }
    void builder_data();
    void builder();
    void hasFlag_data();
    void hasFlag();
    void baseFolder_data();
    void baseFolder();
    void fileReference_data();
    void fileReference();
    void lowerCaseReference_data();
    void lowerCaseReference();
    void insertFromFileFor_data();
    void insertFromFileFor();
    void textFromFile_data();
    void textFromFile();
    void anchorLinkTarget();
    void pushLinkTarget_data();
    void pushLinkTarget();
    void rememberLinkTarget();
    void rememberKeepsAtMost21();
    void projectListIsNeverStored();
    void projectLinkList();
    void captions_data();
    void captions();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestTagDialog::builder_data()
{
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("skeleton");
    QTest::addColumn<bool>("lowerCaseTags");
    QTest::addColumn<TBuildSteps>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("new image, attributes in order")
        << "" << "<IMG>" << false
        << TBuildSteps{{"Q", "SRC=", "a.gif"}, {"B", "WIDTH=", "10"}, {"B", "HEIGHT=", ""}, {"Q", "ALT=", "A b"}}
        << "<IMG SRC=\"a.gif\" WIDTH=10 ALT=\"A b\">";
    QTest::newRow("clearing the width keeps an unknown attribute in place")
        << "<IMG SRC=\"a.gif\" ID=logo WIDTH=10>" << "<IMG>" << false
        << TBuildSteps{{"Q", "SRC=", "a.gif"}, {"B", "WIDTH=", ""}}
        << "<IMG SRC=\"a.gif\" ID=logo>";
    QTest::newRow("edit replaces values where they stand")
        << "<IMG WIDTH=10 SRC=\"a.gif\" ID=logo>" << "<IMG>" << false
        << TBuildSteps{{"Q", "SRC=", "b.gif"}, {"B", "WIDTH=", "20"}}
        << "<IMG WIDTH=20 SRC=\"b.gif\" ID=logo>";
    QTest::newRow("empty quoted value removes the attribute")
        << "<IMG SRC=\"a.gif\" ALT=\"x\">" << "<IMG>" << false
        << TBuildSteps{{"Q", "ALT=", ""}}
        << "<IMG SRC=\"a.gif\">";
    QTest::newRow("empty value on a new tag adds nothing")
        << "" << "<TABLE>" << false
        << TBuildSteps{{"Q", "ALIGN=", ""}, {"B", "BORDER=", ""}}
        << "<TABLE>";
    QTest::newRow("lower-case tags keep the file name's case")
        << "" << "<IMG>" << true
        << TBuildSteps{{"Q", "SRC=", "Images/Logo.GIF"}, {"B", "BORDER=", "0"}, {"K", "LOOP=", "INFINITE"}}
        << "<img src=\"Images/Logo.GIF\" border=0 loop=infinite>";
    QTest::newRow("percent width is quoted")
        << "" << "<TABLE>" << false
        << TBuildSteps{{"P", "WIDTH=", "50%"}, {"P", "HEIGHT=", "80"}}
        << "<TABLE WIDTH=\"50%\" HEIGHT=80>";
    QTest::newRow("flag added before the closing >")
        << "<IMG SRC=\"a.gif\" ALT=\"x\">" << "<IMG>" << false
        << TBuildSteps{{"F", "ISMAP", "1"}}
        << "<IMG SRC=\"a.gif\" ALT=\"x\" ISMAP>";
    QTest::newRow("flag cleared")
        << "<IMG SRC=\"a.gif\" ALT=\"x\" ISMAP>" << "<IMG>" << false
        << TBuildSteps{{"F", "ISMAP", "0"}}
        << "<IMG SRC=\"a.gif\" ALT=\"x\">";
    QTest::newRow("flag already there is not doubled, whatever its case")
        << "<img src=\"a.gif\" ismap>" << "<IMG>" << false
        << TBuildSteps{{"F", "ISMAP", "1"}}
        << "<img src=\"a.gif\" ismap>";
    QTest::newRow("clearing a flag leaves the word inside a quoted value")
        << "<IMG ALT=\"a ISMAP b\" ISMAP>" << "<IMG>" << false
        << TBuildSteps{{"F", "ISMAP", "0"}}
        << "<IMG ALT=\"a ISMAP b\">";
    QTest::newRow("the word inside a quoted value does not count as the flag")
        << "<HR TITLE=\"no NOSHADE\">" << "<HR>" << false
        << TBuildSteps{{"F", "NOSHADE", "1"}}
        << "<HR TITLE=\"no NOSHADE\" NOSHADE>";
    QTest::newRow("clearing a flag spares a longer attribute name")
        << "<EMBED CONTROLSET=1 CONTROLS>" << "<EMBED>" << false
        << TBuildSteps{{"F", "CONTROLS", "0"}}
        << "<EMBED CONTROLSET=1>";
    QTest::newRow("flag in lower case under LowerCaseTags")
        << "" << "<TD>" << true
        << TBuildSteps{{"F", "NOWRAP", "1"}}
        << "<td nowrap>";
    QTest::newRow("clearing an absent flag changes nothing")
        << "<FRAME SRC=\"a.html\">" << "<FRAME>" << false
        << TBuildSteps{{"F", "NORESIZE", "0"}}
        << "<FRAME SRC=\"a.html\">";
    QTest::newRow("new attributes and flags go before the tag's own >")
        << "" << "<IMG>" << false
        << TBuildSteps{{"Q", "SRC=", "x.gif"}, {"Q", "ALT=", "a>b"}, {"Q", "USEMAP=", "#nav"}, {"F", "ISMAP", "1"}}
        << "<IMG SRC=\"x.gif\" ALT=\"a>b\" USEMAP=\"#nav\" ISMAP>";
    QTest::newRow("a flag word in a single-quoted value is no flag")
        << "<IMG SRC=\"a.gif\" ALT='no ISMAP here'>" << "<IMG>" << false
        << TBuildSteps{{"F", "ISMAP", "0"}}
        << "<IMG SRC=\"a.gif\" ALT='no ISMAP here'>";
    QTest::newRow("a typed double quote is written as &quot;")
        << "" << "<IMG>" << false
        << TBuildSteps{{"Q", "ALT=", "5\" disk"}}
        << "<IMG ALT=\"5&quot; disk\">";
    QTest::newRow("untouched single-quoted value with a double quote stays")
        << "<IMG ALT='say \"hi\"'  SRC=a>" << "<IMG>" << false
        << TBuildSteps{{"Q", "ALT=", "say \"hi\""}, {"B", "SRC=", "a"}}
        << "<IMG ALT='say \"hi\"'  SRC=a>";
    QTest::newRow("changed single-quoted value keeps its quotes")
        << "<IMG ALT='say \"hi\"' SRC=a>" << "<IMG>" << false
        << TBuildSteps{{"Q", "ALT=", "say \"bye\""}}
        << "<IMG ALT='say \"bye\"' SRC=a>";
    QTest::newRow("untouched values keep their quotes, or none")
        << "<TABLE WIDTH=\"50\" ALIGN=left BGCOLOR=\"orange\">" << "<TABLE>" << false
        << TBuildSteps{{"P", "WIDTH=", "50"}, {"Q", "ALIGN=", "left"}, {"Q", "BGCOLOR=", "orange"}}
        << "<TABLE WIDTH=\"50\" ALIGN=left BGCOLOR=\"orange\">";
    QTest::newRow("a keyword in another case is kept")
        << "<IMG DYNSRC=\"c.avi\" LOOP=infinite>" << "<IMG>" << false
        << TBuildSteps{{"K", "LOOP=", "INFINITE"}}
        << "<IMG DYNSRC=\"c.avi\" LOOP=infinite>";
    QTest::newRow("an empty value that stood empty stays")
        << "<IMG ALT=\"\" SRC=a>" << "<IMG>" << false
        << TBuildSteps{{"Q", "ALT=", ""}}
        << "<IMG ALT=\"\" SRC=a>";
}

void TestTagDialog::builder()
{
    QFETCH(QString, edited);
    QFETCH(QString, skeleton);
    QFETCH(bool, lowerCaseTags);
    QFETCH(TBuildSteps, steps);
    QFETCH(QString, expected);
    SetLowerCaseTags(lowerCaseTags);
    TTagBuilder tag(edited, skeleton);
    QCOMPARE(tag.IsEdit(), !edited.isEmpty());
    for (const QStringList &step : steps) {
        const QString &kind = step[0];
        if (kind == "Q")
            tag.Quoted(step[1], step[2]);
        else if (kind == "B")
            tag.Bare(step[1], step[2]);
        else if (kind == "P")
            tag.QuotedIfPercent(step[1], step[2]);
        else if (kind == "K")
            tag.Keyword(step[1], step[2]);
        else
            tag.Flag(step[1], step[2] == "1");
    }
    QCOMPARE(tag.Text(), expected);
}

void TestTagDialog::hasFlag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("has");
    QTest::newRow("flag before >") << "<IMG SRC=a.gif ISMAP>" << true;
    QTest::newRow("flag in the middle") << "<IMG ISMAP SRC=a.gif>" << true;
    QTest::newRow("lower case") << "<img ismap>" << true;
    QTest::newRow("only inside a quoted value") << "<IMG ALT=\"ISMAP\" TITLE=\"x ISMAP\">" << false;
    QTest::newRow("part of a longer name") << "<IMG ISMAPS=1>" << false;
    QTest::newRow("at the end of a cut-off tag") << "<IMG ISMAP" << true;
    QTest::newRow("only inside a single-quoted value") << "<IMG SRC=\"a.gif\" ALT='no ISMAP here'>" << false;
    QTest::newRow("after an apostrophe in a bare value") << "<IMG ALT=don't ISMAP>" << true;
}

void TestTagDialog::hasFlag()
{
    QFETCH(QString, tag);
    QFETCH(bool, has);
    QCOMPARE(HasFlag(tag, "ISMAP"), has);
}

void TestTagDialog::baseFolder_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("expected");
    QTest::newRow("document's folder") << "/web/site/index.html" << "/other" << "/web/site";
    QTest::newRow("untitled document uses the file panel") << "" << "/web/panel" << "/web/panel";
}

void TestTagDialog::baseFolder()
{
    QFETCH(QString, document);
    QFETCH(QString, panel);
    QFETCH(QString, expected);
    QCOMPARE(BaseFolder(document, panel), expected);
}

void TestTagDialog::fileReference_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("lowerCaseFiles");
    QTest::addColumn<bool>("keepName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same folder") << "/web" << "/web/Logo.GIF" << false << false << "Logo.GIF";
    QTest::newRow("one folder down") << "/web" << "/web/Images/Logo.GIF" << false << false << "Images/Logo.GIF";
    QTest::newRow("one folder down, lower-cased")
        << "/web" << "/web/Images/Logo.GIF" << true << false << "images/logo.gif";
    QTest::newRow("background image keeps the file name's case")
        << "/web" << "/web/Images/Back.JPG" << true << true << "images/Back.JPG";
    QTest::newRow("keeping the name's case without LowerCaseFiles")
        << "/web" << "/web/Images/Back.JPG" << false << true << "Images/Back.JPG";
    QTest::newRow("sibling folder") << "/web/pages" << "/web/img/a.gif" << false << false << "../img/a.gif";
    QTest::newRow("base with a final slash") << "/web/" << "/web/img/a.gif" << false << false << "img/a.gif";
    QTest::newRow("no base folder keeps the full path")
        << "" << "/web/img/a.gif" << false << false << "/web/img/a.gif";
    QTest::newRow("bare file name") << "/web" << "Clip.AVI" << true << false << "clip.avi";
}

void TestTagDialog::fileReference()
{
    QFETCH(QString, base);
    QFETCH(QString, file);
    QFETCH(bool, lowerCaseFiles);
    QFETCH(bool, keepName);
    QFETCH(QString, expected);
    QCOMPARE(FileReference(base, file, lowerCaseFiles, keepName), expected);
}

void TestTagDialog::lowerCaseReference_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("expected");
    QTest::newRow("relative path") << "Images/Logo.GIF" << "images/logo.gif";
    QTest::newRow("query keeps its case") << "Pics/A.GIF?Size=Big" << "pics/a.gif?Size=Big";
    QTest::newRow("fragment keeps its case") << "Page.HTML#Top" << "page.html#Top";
    QTest::newRow("question mark inside a fragment") << "A.HTML#X?Y" << "a.html#X?Y";
    QTest::newRow("http address kept") << "http://Example.com/Logo.GIF" << "http://Example.com/Logo.GIF";
    QTest::newRow("mailto kept") << "mailto:Joe@Example.com" << "mailto:Joe@Example.com";
    QTest::newRow("address without a scheme kept") << "//Example.com/A.GIF" << "//Example.com/A.GIF";
    QTest::newRow("drive letter is no scheme") << "C:/Web/A.GIF" << "c:/web/a.gif";
}

void TestTagDialog::lowerCaseReference()
{
    QFETCH(QString, reference);
    QFETCH(QString, expected);
    QCOMPARE(LowerCaseReference(reference), expected);
}

void TestTagDialog::insertFromFileFor_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("netscape");
    QTest::addColumn<int>("expected");
    QTest::newRow("html document") << "/w/a.html" << false << int(ifAnchor);
    QTest::newRow("htm document, Netscape") << "/w/a.htm" << true << int(ifAnchor);
    QTest::newRow("style sheet") << "/w/site.css" << false << int(ifStyleLink);
    QTest::newRow("gif image") << "/w/a.gif" << false << int(ifImageSource);
    QTest::newRow("jpeg image, Netscape") << "/w/a.jpeg" << true << int(ifImageSource);
    QTest::newRow("wav sound, Microsoft") << "/w/a.wav" << false << int(ifBGSound);
    QTest::newRow("mid sound, Netscape") << "/w/a.mid" << true << int(ifEmbed);
    QTest::newRow("avi video, Microsoft") << "/w/a.avi" << false << int(ifImageDynSource);
    QTest::newRow("avi video, Netscape") << "/w/a.avi" << true << int(ifEmbed);
    QTest::newRow("unknown kind") << "/w/a.zip" << false << int(ifNothing);
}

void TestTagDialog::insertFromFileFor()
{
    QFETCH(QString, file);
    QFETCH(bool, netscape);
    QFETCH(int, expected);
    QCOMPARE(int(InsertFromFileFor(file, netscape)), expected);
}

void TestTagDialog::textFromFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("netscape");
    QTest::addColumn<bool>("lowerCaseFiles");
    QTest::addColumn<bool>("lowerCaseTags");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("style sheet one folder down")
        << "/web/styles/site.css" << false << false << false
        << "<LINK REL=STYLE TYPE=\"text/css\" SRC=\"styles/site.css\">" << "";
    QTest::newRow("style sheet under LowerCaseTags keeps text/css")
        << "/web/styles/Site.css" << false << false << true
        << "<link rel=style type=\"text/css\" src=\"styles/Site.css\">" << "";
    QTest::newRow("style sheet under LowerCaseFiles")
        << "/web/Styles/Site.CSS" << false << true << false
        << "<LINK REL=STYLE TYPE=\"text/css\" SRC=\"styles/site.css\">" << "";
    QTest::newRow("html document gives an anchor")
        << "/web/about.html" << false << false << false << "<A HREF=\"about.html\">" << "</A>";
    QTest::newRow("anchor in lower case")
        << "/web/About.html" << false << true << true << "<a href=\"about.html\">" << "</a>";
    QTest::newRow("sound, Microsoft format")
        << "/web/sounds/chime.wav" << false << false << false
        << "<BGSOUND SRC=\"sounds/chime.wav\" LOOP=INFINITE>" << "";
    QTest::newRow("video, Netscape format")
        << "/web/clip.avi" << true << false << false << "<EMBED SRC=\"clip.avi\" BORDER=0>" << "";
    QTest::newRow("video, Microsoft format")
        << "/web/clip.avi" << false << false << false
        << "<IMG BORDER=0 DYNSRC=\"clip.avi\" LOOP=INFINITE START=FILEOPEN>" << "";
    QTest::newRow("missing image, no size")
        << "/web/none/missing.gif" << false << false << false << "<IMG SRC=\"none/missing.gif\" BORDER=0>" << "";
    QTest::newRow("unknown kind gives nothing") << "/web/a.zip" << false << false << false << "" << "";
}

void TestTagDialog::textFromFile()
{
    QFETCH(QString, file);
    QFETCH(bool, netscape);
    QFETCH(bool, lowerCaseFiles);
    QFETCH(bool, lowerCaseTags);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lowerCaseTags);
    TDialogContext context;
    context.BaseFolder = "/web";
    context.LowerCaseFiles = lowerCaseFiles;
    const TTagResult result = TextFromFile(context, file, netscape);
    QCOMPARE(result.StartText, start);
    QCOMPARE(result.EndText, end);
}

void TestTagDialog::anchorLinkTarget()
{
    TDialogContext context;
    context.BaseFolder = "/web/pages";
    context.LowerCaseFiles = true;
    QString target;
    const TTagResult result = TextFromFile(context, "/web/Docs/Guide.HTML", false, &target);
    QCOMPARE(target, QString("../docs/guide.html"));
    QCOMPARE(result.StartText, QString("<A HREF=\"../docs/guide.html\">"));
}

void TestTagDialog::pushLinkTarget_data()
{
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("new target to the head") << QStringList{"a", "b"} << "c" << QStringList{"c", "a", "b"};
    QTest::newRow("empty target changes nothing") << QStringList{"a", "b"} << "" << QStringList{"a", "b"};
    QTest::newRow("target at the head is not doubled") << QStringList{"a", "b"} << "a" << QStringList{"a", "b"};
    QTest::newRow("target further down moves up") << QStringList{"a", "b", "c"} << "c" << QStringList{"c", "a", "b"};
    QTest::newRow("targets differing in case are distinct") << QStringList{"A.html"} << "a.html"
                                                            << QStringList{"a.html", "A.html"};
    QTest::newRow("into an empty history") << QStringList{} << "x" << QStringList{"x"};
    QStringList twenty;
    for (int i = 1; i <= 20; ++i)
        twenty << QString("u%1").arg(i);
    QTest::newRow("twenty and one make twenty-one") << twenty << "new" << (QStringList{"new"} + twenty);
    QTest::newRow("twenty-one and one make twenty-one")
        << (twenty + QStringList{"u21"}) << "new" << (QStringList{"new"} + twenty);
}

void TestTagDialog::pushLinkTarget()
{
    QFETCH(QStringList, history);
    QFETCH(QString, target);
    QFETCH(QStringList, expected);
    QCOMPARE(PushLinkTarget(history, target), expected);
}

void TestTagDialog::rememberLinkTarget()
{
    QCOMPARE(RememberLinkTarget("first.html"), QStringList{"first.html"});
    QCOMPARE(RememberLinkTarget("second.html"), (QStringList{"second.html", "first.html"}));
    // An empty target must not become URL1, which would end the stored list at once.
    RememberLinkTarget(QString());
    QCOMPARE(ConfigStore::Read(LinkHistoryKey(), "URL1", "?"), QString("second.html"));
    RememberLinkTarget("first.html");
    QCOMPARE(ReadLinkHistory(), (QStringList{"first.html", "second.html"}));
    QVERIFY(!ConfigStore::ValueExists(LinkHistoryKey(), "URL3"));
}

void TestTagDialog::rememberKeepsAtMost21()
{
    for (int i = 1; i <= 25; ++i)
        RememberLinkTarget(QString("u%1").arg(i));
    QCOMPARE(ConfigStore::Read(LinkHistoryKey(), "URL1", ""), QString("u25"));
    QCOMPARE(ConfigStore::Read(LinkHistoryKey(), "URL21", ""), QString("u5"));
    QVERIFY(!ConfigStore::ValueExists(LinkHistoryKey(), "URL22"));
    const QStringList read = ReadLinkHistory();
    QCOMPARE(read.size(), LinkHistoryReadCount);
    QCOMPARE(read.last(), QString("u6"));
}

void TestTagDialog::projectListIsNeverStored()
{
    RememberLinkTarget("stored.html");
    // A project's file list is what the dialog offers; remembering works on the stored list.
    TDialogContext context;
    context.LinkHistory = ProjectLinkList({"/web/p1.html", "/web/p2.html"}, "/web", false);
    QCOMPARE(context.LinkHistory, (QStringList{"p1.html", "p2.html"}));
    RememberLinkTarget("p2.html");
    QCOMPARE(ReadLinkHistory(), (QStringList{"p2.html", "stored.html"}));
}

void TestTagDialog::projectLinkList()
{
    QCOMPARE(ProjectLinkList({"/web/Sub/Page.HTML", "/other/x.htm"}, "/web", true),
             (QStringList{"sub/page.html", "../other/x.htm"}));
}

void TestTagDialog::captions_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hasDialog");
    QTest::newRow("table data") << "<TD ALIGN=LEFT>" << "Edit Table Data Tag..." << true;
    QTest::newRow("thead counts as table header") << "<THEAD>" << "Edit Table Header Tag..." << true;
    QTest::newRow("bold has none") << "<B>" << "Edit Tag" << false;
    QTest::newRow("object has none") << "<OBJECT ID=x>" << "Edit Tag" << false;
    QTest::newRow("image") << "<img src=a.gif>" << "Edit Image Tag..." << true;
    QTest::newRow("anchor") << "<A HREF=x>" << "Edit Anchor Tag..." << true;
    QTest::newRow("horizontal rule") << "<HR>" << "Edit Horz. Rule Tag..." << true;
    QTest::newRow("floating frame") << "<IFRAME>" << "Edit Floating Frame Tag..." << true;
    QTest::newRow("frameset") << "<FRAMESET ROWS=2>" << "Edit Frameset Tag..." << true;
    QTest::newRow("background sound") << "<BGSOUND>" << "Edit BGSound Tag..." << true;
    QTest::newRow("parameter") << "<PARAM NAME=a>" << "Edit Parameter Tag..." << true;
    QTest::newRow("comment") << "<!-- x -->" << "Edit Comment Tag..." << true;
}

void TestTagDialog::captions()
{
    QFETCH(QString, tag);
    QFETCH(QString, caption);
    QFETCH(bool, hasDialog);
    const TTagKind kind = TagKindOf(tag);
    QCOMPARE(EditTagCaption(kind), caption);
    QCOMPARE(TagKindHasDialog(kind), hasDialog);
}

QTEST_GUILESS_MAIN(TestTagDialog)
#include "tst_tagdialog.moc"
