// Tag text operations: the tag at the caret, tag kinds, reading and changing attributes,
// collapsing spaces and the tag case.
#include <QtTest>

#include "editor/tagtext.h"
#include "testsupport.h"

class TestTagText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void cleanup() { SetLowerCaseTags(false); }
    void tagAtCaret_data();
    void tagAtCaret();
    void tagKind_data();
    void tagKind();
    void getAttribute_data();
    void getAttribute();
    void setAttribute_data();
    void setAttribute();
    void collapseSpaces_data();
    void collapseSpaces();
    void tagCase_data();
    void tagCase();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestTagText::tagAtCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("start");   // -1: no tag
    QTest::addColumn<QString>("tag");
    QTest::newRow("caret at 0 before a tag") << "<IMG SRC=a.gif>" << 0 << -1 << "";
    QTest::newRow("caret inside an image tag") << "x <IMG SRC=a.gif> y" << 7 << 2 << "<IMG SRC=a.gif>";
    QTest::newRow("caret directly before a tag") << "ab<B>cd" << 2 << 2 << "<B>";
    QTest::newRow("caret in text after a bold end tag") << "<B>bold</B> plain" << 14 << 7 << "</B>";
    QTest::newRow("nearest of two equal tags") << "<B>a<B>b" << 5 << 4 << "<B>";
    QTest::newRow("caret at the end of the text") << "a<HR>" << 5 << 1 << "<HR>";
    QTest::newRow("caret past the end of the text") << "a<HR>" << 9 << 1 << "<HR>";
    QTest::newRow("tag over two lines") << "p\n<TABLE\nBORDER=1>\nq" << 9 << 2 << "<TABLE\nBORDER=1>";
    QTest::newRow("< with no > after it, > before it") << "a > b <c d" << 9 << -1 << "";
    QTest::newRow("no < before the caret") << "plain > text <B>" << 5 << -1 << "";
    QTest::newRow("comment holding markup runs to its -->")
        << "a<!-- <B>old</B> -->b" << 3 << 1 << "<!-- <B>old</B> -->";
    QTest::newRow("comment without --> ends at the first >") << "a<!-- x > y" << 2 << 1 << "<!-- x >";
    QTest::newRow("empty comment") << "<!---->x" << 1 << 0 << "<!---->";
    QTest::newRow("caret in a comment's text after markup")
        << "a<!-- <B>old</B> text -->b" << 14 << 1 << "<!-- <B>old</B> text -->";
    QTest::newRow("caret after a comment finds the next tag back") << "<!-- c --><B>x" << 13 << 10 << "<B>";
}

void TestTagText::tagAtCaret()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, start);
    QFETCH(QString, tag);
    const TTagSpan span = FindTagAtCaret(text, caret);
    if (start < 0) {
        QVERIFY(span.IsEmpty());
        return;
    }
    QCOMPARE(span.Start, start);
    QCOMPARE(text.mid(span.Start, span.Length), tag);
}

void TestTagText::tagKind_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("kind");
    QTest::newRow("anchor") << "<A HREF=\"x.html\">" << int(tkAnchor);
    QTest::newRow("anchor, lower case") << "<a href=x>" << int(tkAnchor);
    QTest::newRow("anchor end tag") << "</A>" << int(tkNone);
    QTest::newRow("anchor with a tab after A") << "<A\tHREF=x>" << int(tkNone);
    QTest::newRow("ABBR is no anchor") << "<ABBR>" << int(tkNone);
    QTest::newRow("bgsound") << "<BGSOUND SRC=a.mid>" << int(tkBGSound);
    QTest::newRow("body") << "<body bgcolor=red>" << int(tkBody);
    QTest::newRow("comment") << "<!-- note -->" << int(tkComment);
    QTest::newRow("comment holding a body tag") << "<!-- <BODY> -->" << int(tkComment);
    QTest::newRow("embed") << "<EMBED SRC=a.avi>" << int(tkEmbed);
    QTest::newRow("font") << "<FONT SIZE=2>" << int(tkFont);
    QTest::newRow("frame") << "<FRAME SRC=a.html>" << int(tkFrame);
    QTest::newRow("frameset") << "<FRAMESET COLS=\"*,*\">" << int(tkFrameset);
    QTest::newRow("floating frame") << "<IFRAME SRC=a.html>" << int(tkFloatingFrame);
    QTest::newRow("horizontal rule") << "<HR NOSHADE>" << int(tkHorzRule);
    QTest::newRow("HTML is no rule") << "<HTML>" << int(tkNone);
    QTest::newRow("image") << "<img src=a.gif>" << int(tkImage);
    QTest::newRow("marquee") << "<MARQUEE>" << int(tkMarquee);
    QTest::newRow("meta") << "<META NAME=x>" << int(tkMeta);
    QTest::newRow("object") << "<OBJECT ID=x>" << int(tkObject);
    QTest::newRow("parameter") << "<PARAM NAME=x>" << int(tkParameter);
    QTest::newRow("script") << "<SCRIPT>" << int(tkScript);
    QTest::newRow("table") << "<TABLE BORDER=1>" << int(tkTable);
    QTest::newRow("table before data in the same head") << "<TD><TABLE>" << int(tkTable);
    QTest::newRow("table header") << "<TH>" << int(tkTableHeader);
    QTest::newRow("table head counts as header") << "<THEAD>" << int(tkTableHeader);
    QTest::newRow("table data") << "<td width=5>" << int(tkTableData);
    QTest::newRow("table row") << "<TR>" << int(tkTableRow);
    QTest::newRow("TITLE is no table tag") << "<TITLE>" << int(tkNone);
    QTest::newRow("name after the tenth character") << "<         IMG SRC=a>" << int(tkNone);
    QTest::newRow("name ending at the tenth character") << "<SPAN><IMG" << int(tkImage);
    QTest::newRow("name ending at the eleventh character") << "<SPAN ><IMG" << int(tkNone);
    QTest::newRow("empty text") << "" << int(tkNone);
}

void TestTagText::tagKind()
{
    QFETCH(QString, tag);
    QFETCH(int, kind);
    QCOMPARE(int(TagKindOf(tag)), kind);
    // The kinds are numbered 0 to 20 in a fixed order that the tag dialogs rely on.
    QCOMPARE(int(tkBGSound), 1);
    QCOMPARE(int(tkFloatingFrame), 8);
    QCOMPARE(int(tkTableRow), 19);
    QCOMPARE(int(tkNone), 20);
}

void TestTagText::getAttribute_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("unquoted value up to >") << "<IMG SRC=pic.gif>" << "SRC=" << "pic.gif";
    QTest::newRow("unquoted value up to a space") << "<IMG SRC=pic.gif WIDTH=10>" << "SRC=" << "pic.gif";
    QTest::newRow("quoted value with a space") << "<IMG SRC=\"my pic.gif\" ALT=x>" << "SRC=" << "my pic.gif";
    QTest::newRow("empty quoted value") << "<IMG ALT=\"\" SRC=a>" << "ALT=" << "";
    QTest::newRow("missing attribute") << "<IMG SRC=a>" << "WIDTH=" << "";
    QTest::newRow("name in any case, value as written") << "<img Src=Pic.GIF>" << "SRC=" << "Pic.GIF";
    QTest::newRow("name given with blanks around it") << "<IMG SRC=a.gif>" << " SRC= " << "a.gif";
    QTest::newRow("blank between = and value") << "<IMG WIDTH= 100>" << "WIDTH=" << "100";
    QTest::newRow("blanks around = are not found") << "<TABLE WIDTH = 100>" << "WIDTH=" << "";
    QTest::newRow("name ending another name") << "<IFRAME MARGINWIDTH=3 WIDTH=70>" << "WIDTH=" << "70";
    QTest::newRow("no >, two-character value") << "<IMG SRC=ab" << "SRC=" << "ab";
    QTest::newRow("no >, one-character value") << "<IMG SRC=a" << "SRC=" << "";
    QTest::newRow("no value before the end") << "<IMG SRC=" << "SRC=" << "";
    QTest::newRow("unclosed quote runs to the end") << "<IMG ALT=\"a b>" << "ALT=" << "a b>";
    QTest::newRow("name inside a quoted value") << "<IMG ALT=\"set WIDTH=5\">" << "WIDTH=" << "";
    QTest::newRow("name after a quoted mention") << "<IMG ALT=\"set WIDTH=5\" WIDTH=10>" << "WIDTH=" << "10";
    QTest::newRow("name inside a single-quoted value") << "<IMG ALT='set WIDTH=5' WIDTH=10>" << "WIDTH=" << "10";
    QTest::newRow("double quote inside single quotes") << "<IMG ALT='5\" disk' WIDTH=8>" << "WIDTH=" << "8";
    QTest::newRow("apostrophe in an unquoted value") << "<IMG ALT=don't WIDTH=10>" << "WIDTH=" << "10";
    QTest::newRow("single-quoted value with a space") << "<IMG ALT='a b' SRC=x>" << "ALT=" << "a b";
    QTest::newRow("single quote after = and a blank") << "<IMG ALT= 'a b'>" << "ALT=" << "a b";
    QTest::newRow("empty single-quoted value") << "<IMG ALT='' SRC=a>" << "ALT=" << "";
    QTest::newRow("double quote inside a single-quoted value") << "<IMG ALT='5\" disk'>" << "ALT=" << "5\" disk";
    QTest::newRow("empty name") << "<IMG SRC=a>" << "" << "";
}

void TestTagText::getAttribute()
{
    QFETCH(QString, tag);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QCOMPARE(GetAttributeValue(tag, name), value);
}

void TestTagText::setAttribute_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("result");
    QTest::newRow("old quotes go, none added") << "<TABLE WIDTH=\"100\">" << "WIDTH=" << "50" << "<TABLE WIDTH=50>";
    QTest::newRow("new value brings its quotes") << "<IMG ALT=old>" << "ALT=" << "\"new text\"" << "<IMG ALT=\"new text\">";
    QTest::newRow("value read and written back") << "<IMG SRC=\"a b.gif\" WIDTH=10>" << "SRC=" << "\"a b.gif\"" << "<IMG SRC=\"a b.gif\" WIDTH=10>";
    QTest::newRow("empty quoted old value") << "<IMG ALT=\"\" SRC=a>" << "ALT=" << "x" << "<IMG ALT=x SRC=a>";
    QTest::newRow("name in any case, value as given") << "<img width=1>" << "WIDTH=" << "Abc" << "<img width=Abc>";
    QTest::newRow("remove a middle attribute") << "<TABLE ALIGN=left WIDTH=5>" << "ALIGN=" << "" << "<TABLE WIDTH=5>";
    QTest::newRow("remove the last attribute") << "<TABLE WIDTH=5 ALIGN=\"left\">" << "ALIGN=" << "" << "<TABLE WIDTH=5>";
    QTest::newRow("two quotes remove too") << "<IMG SRC=a ALT=\"x\">" << "ALT=" << "\"\"" << "<IMG SRC=a>";
    QTest::newRow("clear a missing attribute") << "<IMG  SRC=a>" << "ALT=" << "" << "<IMG  SRC=a>";
    QTest::newRow("two quotes on a missing attribute") << "<IMG SRC=a>" << "ALT=" << "\"\"" << "<IMG SRC=a>";
    QTest::newRow("add before >") << "<IMG SRC=a>" << "HEIGHT=" << "20" << "<IMG SRC=a HEIGHT=20>";
    QTest::newRow("add to a tag without >") << "<IMG SRC=a" << "HEIGHT=" << "20" << "<IMG SRC=a HEIGHT=20>";
    QTest::newRow("spaces collapse outside quotes") << "<IMG  SRC=a   ALT=\"x   y\">" << "SRC=" << "b" << "<IMG SRC=b ALT=\"x   y\">";
    QTest::newRow("unclosed quote keeps the >") << "<IMG ALT=\"abc>" << "ALT=" << "x" << "<IMG ALT=\"x>";
    QTest::newRow("blanks around = add a second one") << "<TABLE WIDTH = 100>" << "WIDTH=" << "50" << "<TABLE WIDTH = 100 WIDTH=50>";
    QTest::newRow("quoted mention untouched, attribute added") << "<IMG ALT=\"set WIDTH=5\">" << "WIDTH=" << "10" << "<IMG ALT=\"set WIDTH=5\" WIDTH=10>";
    QTest::newRow("attribute after a quoted mention changed") << "<IMG ALT=\"set WIDTH=5\" WIDTH=7>" << "WIDTH=" << "10" << "<IMG ALT=\"set WIDTH=5\" WIDTH=10>";
    QTest::newRow("attribute after a quoted mention removed") << "<IMG ALT=\"set WIDTH=5\" WIDTH=7>" << "WIDTH=" << "" << "<IMG ALT=\"set WIDTH=5\">";
    QTest::newRow("empty name changes nothing") << "<IMG SRC=a>" << "" << "x" << "<IMG SRC=a>";
    QTest::newRow("added before the tag's >, not one in a value")
        << "<IMG SRC=\"x.gif\" ALT=\"a>b\">" << "USEMAP=" << "\"#nav\"" << "<IMG SRC=\"x.gif\" ALT=\"a>b\" USEMAP=\"#nav\">";
    QTest::newRow("added before the tag's >, not one in a single-quoted value")
        << "<IMG ALT='a>b'>" << "WIDTH=" << "5" << "<IMG ALT='a>b' WIDTH=5>";
    QTest::newRow("single-quoted old value loses its quotes")
        << "<IMG ALT='no ISMAP here' SRC=a>" << "ALT=" << "\"x\"" << "<IMG ALT=\"x\" SRC=a>";
    QTest::newRow("single-quoted value removed whole") << "<IMG ALT='a b' SRC=a>" << "ALT=" << "" << "<IMG SRC=a>";
    QTest::newRow("empty single-quoted old value") << "<IMG ALT='' SRC=a>" << "ALT=" << "x" << "<IMG ALT=x SRC=a>";
    QTest::newRow("spaces in a single-quoted value stay")
        << "<IMG  SRC=a ALT='x   y'>" << "SRC=" << "b" << "<IMG SRC=b ALT='x   y'>";
}

void TestTagText::setAttribute()
{
    QFETCH(QString, tag);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, result);
    SetAttributeValue(tag, name, value);
    QCOMPARE(tag, result);
}

void TestTagText::collapseSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("three spaces become one") << "<P   ALIGN=x>" << "<P ALIGN=x>";
    QTest::newRow("spaces inside quotes stay") << "<IMG ALT=\"a   b\">" << "<IMG ALT=\"a   b\">";
    QTest::newRow("outside again after the closing quote") << "\"a  b\"   c  d" << "\"a  b\" c d";
    QTest::newRow("an unclosed quote keeps the rest") << "a  \"b   c" << "a \"b   c";
    QTest::newRow("leading and trailing runs") << "   a   " << " a ";
    QTest::newRow("tabs are not spaces") << "a\t\tb  c" << "a\t\tb c";
    QTest::newRow("spaces inside single quotes stay") << "<IMG ALT='a   b'  SRC=x>" << "<IMG ALT='a   b' SRC=x>";
    QTest::newRow("an apostrophe opens no value") << "don't   stop" << "don't stop";
    QTest::newRow("a double quote inside single quotes") << "A='5\"  x'  B" << "A='5\"  x' B";
}

void TestTagText::collapseSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    CollapseSpaces(text);
    QCOMPARE(text, result);
}

void TestTagText::tagCase_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("upper case by default") << false << "<p align=right>" << "<P ALIGN=RIGHT>";
    QTest::newRow("lower case when switched on") << true << "<P ALIGN=RIGHT>" << "<p align=right>";
    QTest::newRow("255 characters kept") << false << QString(255, u'a') << QString(255, u'A');
    QTest::newRow("256 characters cut to 255") << true << QString(256, u'A') << QString(255, u'a');
    QTest::newRow("cut after a letter that becomes two")
        << false << QString(200, u'\u00DF') << QString(255, u'S');
    QTest::newRow("surrogate pair not split at the cut")
        << false << QString(254, u'a') + QStringLiteral("\U0001F600b") << QString(254, u'A');
}

void TestTagText::tagCase()
{
    QFETCH(bool, lower);
    QFETCH(QString, text);
    QFETCH(QString, result);
    SetLowerCaseTags(lower);
    QCOMPARE(LowerCaseTags(), lower);
    QCOMPARE(TagCase(text), result);
}

QTEST_GUILESS_MAIN(TestTagText)
#include "tst_tagtext.moc"
