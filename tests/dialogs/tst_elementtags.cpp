// The comment, anchor, font, body, horizontal-rule and META markup, built from the dialogs'
// fields without showing a dialog, in both tag cases.
#include <QtTest>

#include "dialogs/elementtags.h"
#include "testsupport.h"

namespace {

TDialogContext Context(const QString &editedTag, bool lowerCaseFiles = false)
{
    TDialogContext context;
    context.EditedTag = editedTag;
    context.LowerCaseFiles = lowerCaseFiles;
    return context;
}

} // namespace

class TestElementTags : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void cleanup() { SetLowerCaseTags(false); }
    void comment_data();
    void comment();
    void anchor_data();
    void anchor();
    void font_data();
    void font();
    void body_data();
    void body();
    void horzRule_data();
    void horzRule();
    void meta_data();
    void meta();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

// With a tag, the memo is filled from it (and must read as memo); without, memo is typed.
void TestElementTags::comment_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("start");
    QTest::newRow("one comment per line") << false << "" << "Section one\nContact"
                                          << "<!--Section one-->\r\n<!--Contact-->\r\n";
    QTest::newRow("last empty line skipped") << false << "" << "a\n" << "<!--a-->\r\n";
    QTest::newRow("empty middle line") << false << "" << "a\n\nb" << "<!--a-->\r\n<!---->\r\n<!--b-->\r\n";
    QTest::newRow("never case-converted") << true << "" << "Mixed <B>" << "<!--Mixed <B>-->\r\n";
    QTest::newRow("empty memo writes nothing") << false << "" << "" << "";
    QTest::newRow("untouched edit changes nothing") << false << "<!-- old -->" << " old " << "<!-- old -->";
    QTest::newRow("untouched commented-out markup") << true << "<!-- <B>old</B> -->" << " <B>old</B> "
                                                    << "<!-- <B>old</B> -->";
}

void TestElementTags::comment()
{
    QFETCH(bool, lower);
    QFETCH(QString, tag);
    QFETCH(QString, memo);
    QFETCH(QString, start);
    SetLowerCaseTags(lower);
    if (!tag.isEmpty())
        QCOMPARE(CommentMemoText(tag), memo);
    QCOMPARE(BuildComment(memo, tag), (TTagResult{start, QString()}));
    if (!tag.isEmpty()) // a changed memo is built afresh, keeping its blanks
        QCOMPARE(BuildComment(memo + "x", tag), (TTagResult{"<!--" + memo + "x-->\r\n", QString()}));
}

// The edited tag, then what the user changed ("=" keeps the filled value).
void TestElementTags::anchor_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<bool>("lowerFiles");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("new anchor") << false << false << "" << "about.html" << "" << "" << "<A HREF=\"about.html\">"
                                << "</A>";
    QTest::newRow("new anchor, lower case, description follows the tag")
        << true << false << "" << "a.html" << "_top" << "Go\nthere" << "<a href=\"a.html\" target=\"_top\">Go\r\nthere"
        << "</a>";
    QTest::newRow("typed web address lower-cased under LowerCaseFiles")
        << false << true << "" << "HTTP://Example.COM/Page.html" << "" << ""
        << "<A HREF=\"http://example.com/page.html\">" << "</A>";
    QTest::newRow("edit keeps CLASS=nav") << false << false << "<A HREF=\"x.html\" CLASS=nav>" << "y.html" << "="
                                          << "" << "<A HREF=\"y.html\" CLASS=nav>" << "";
    QTest::newRow("edit: untouched HREF not lower-cased")
        << false << true << "<a href=Docs/X.html target=_top>" << "=" << "=" << ""
        << "<a href=Docs/X.html target=_top>" << "";
    QTest::newRow("edit: changed HREF lower-cased") << true << true << "<A HREF=\"x.html\">" << "New.HTML" << "="
                                                    << "" << "<A HREF=\"new.html\">" << "";
    QTest::newRow("typed double quote") << false << false << "" << "a\"b.html" << "" << ""
                                        << "<A HREF=\"a&quot;b.html\">" << "</A>";
}

void TestElementTags::anchor()
{
    QFETCH(bool, lower);
    QFETCH(bool, lowerFiles);
    QFETCH(QString, tag);
    QFETCH(QString, href);
    QFETCH(QString, target);
    QFETCH(QString, description);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lower);
    const TDialogContext context = Context(tag, lowerFiles);
    TAnchorFields fields = OpenAnchorFields(context);
    if (href != "=")
        fields.Href = href;
    if (target != "=")
        fields.Target = target;
    fields.Description = description;
    QCOMPARE(BuildAnchorTag(fields, context), (TTagResult{start, end}));
}

void TestElementTags::font_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("sign");   // "=": as filled
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("new font with a face") << false << "" << "=" << "=" << "Arial" << "<FONT SIZE=\"2\" FACE=\"Arial\">"
                                          << "</FONT>";
    QTest::newRow("sign and size, lower case") << true << "" << "+" << "1" << "" << "<font size=\"+1\">" << "</font>";
    QTest::newRow("empty size removes SIZE") << false << "<FONT SIZE=3 FACE=x>" << "" << "" << "=" << "<FONT FACE=x>"
                                             << "";
    QTest::newRow("sign with an empty size removes SIZE")
        << false << "<FONT SIZE=\"+3\">" << "+" << "" << "=" << "<FONT>" << "";
    QTest::newRow("-2 fills sign and size, untouched") << false << "<FONT SIZE=\"-2\">" << "=" << "=" << "="
                                                       << "<FONT SIZE=\"-2\">" << "";
    QTest::newRow("untouched SIZE=+10 and odd colour stay")
        << true << "<font size=+10 color=beige>" << "=" << "=" << "=" << "<font size=+10 color=beige>" << "";
    QTest::newRow("untouched SIZE that does not split back stays")
        << false << "<FONT SIZE=\"x+1\">" << "=" << "=" << "=" << "<FONT SIZE=\"x+1\">" << "";
    QTest::newRow("changed size replaces SIZE") << false << "<FONT SIZE=\"-2\" FACE=a>" << "=" << "4" << "="
                                                << "<FONT SIZE=\"-4\" FACE=a>" << "";
    QTest::newRow("typed double quote") << false << "" << "" << "" << "My \"Font\""
                                        << "<FONT FACE=\"My &quot;Font&quot;\">" << "</FONT>";
}

void TestElementTags::font()
{
    QFETCH(bool, lower);
    QFETCH(QString, tag);
    QFETCH(QString, sign);
    QFETCH(QString, size);
    QFETCH(QString, face);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lower);
    const TDialogContext context = Context(tag);
    TFontFields fields = OpenFontFields(context);
    if (sign != "=")
        fields.Sign = sign;
    if (size != "=")
        fields.Size = size;
    if (face != "=")
        fields.Face = face;
    QCOMPARE(BuildFontTag(fields, context), (TTagResult{start, end}));
}

// Fields are given as BGCOLOR and TEXT; "=" keeps what was filled.
void TestElementTags::body_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("bgColor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("new empty body") << false << "" << "" << "" << "<BODY>" << "\r\n\r\n\r\n</BODY>";
    QTest::newRow("new body with colours, lower case") << true << "" << "#FFFFFF" << "Black"
                                                       << "<body bgcolor=\"#FFFFFF\" text=\"Black\">"
                                                       << "\r\n\r\n\r\n</body>";
    QTest::newRow("untouched odd colours stay") << false << "<BODY BGCOLOR=beige TEXT=\"#FFF\" ID=Main>" << "="
                                                << "=" << "<BODY BGCOLOR=beige TEXT=\"#FFF\" ID=Main>" << "";
    QTest::newRow("cleared colour removed") << false << "<BODY BGCOLOR=\"red\" LINK=\"blue\">" << "" << "="
                                            << "<BODY LINK=\"blue\">" << "";
}

void TestElementTags::body()
{
    QFETCH(bool, lower);
    QFETCH(QString, tag);
    QFETCH(QString, bgColor);
    QFETCH(QString, text);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lower);
    const TDialogContext context = Context(tag);
    TBodyFields fields = OpenBodyFields(context);
    if (bgColor != "=")
        fields.BgColor = bgColor;
    if (text != "=")
        fields.Text = text;
    QCOMPARE(BuildBodyTag(fields, context), (TTagResult{start, end}));
}

void TestElementTags::horzRule_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("align");   // "=": as filled
    QTest::addColumn<QString>("width");
    QTest::addColumn<int>("noShade");     // -1: as filled
    QTest::addColumn<bool>("filledNoShade");
    QTest::addColumn<QString>("start");
    QTest::newRow("center, 50%, no shading") << false << "" << "Center" << "50%" << 1 << false
                                             << "<HR ALIGN=\"CENTER\" WIDTH=\"50%\" NOSHADE>";
    QTest::newRow("lower case converts the chosen word") << true << "" << "Center" << "" << 0 << false
                                                         << "<hr align=\"center\">";
    QTest::newRow("noshade inside a value ticks nothing")
        << false << "<HR CLASS=\"noshade\">" << "=" << "=" << -1 << false << "<HR CLASS=\"noshade\">";
    QTest::newRow("noshade flag ticks the box") << false << "<HR noshade>" << "=" << "=" << -1 << true
                                                << "<HR NOSHADE>";
    QTest::newRow("unknown values keep their case")
        << true << "<HR ALIGN=\"Left\" CLASS=\"Wide\" ID=Top STYLE=\"COLOR: Red\">" << "Right" << "=" << -1 << false
        << "<hr align=\"right\" class=\"Wide\" id=Top style=\"COLOR: Red\">";
    QTest::newRow("untouched WIDTH=50px stays") << false << "<hr width=\"50px\">" << "=" << "=" << -1 << false
                                                << "<HR WIDTH=\"50px\">";
    QTest::newRow("cleared noshade removed") << false << "<HR NOSHADE SIZE=3>" << "=" << "=" << 0 << true
                                             << "<HR SIZE=3>";
    QTest::newRow("typed double quote") << false << "" << "a\"b" << "" << 0 << false << "<HR ALIGN=\"A&quot;B\">";
}

void TestElementTags::horzRule()
{
    QFETCH(bool, lower);
    QFETCH(QString, tag);
    QFETCH(QString, align);
    QFETCH(QString, width);
    QFETCH(int, noShade);
    QFETCH(bool, filledNoShade);
    QFETCH(QString, start);
    SetLowerCaseTags(lower);
    const TDialogContext context = Context(tag);
    THorzRuleFields fields = OpenHorzRuleFields(context);
    QCOMPARE(fields.NoShade, filledNoShade);
    if (align != "=")
        fields.Align = align;
    if (width != "=")
        fields.Width = width;
    if (noShade >= 0)
        fields.NoShade = noShade == 1;
    QCOMPARE(BuildHorzRuleTag(fields, context), (TTagResult{start, QString()}));
}

void TestElementTags::meta_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");      // "=": as filled
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("start");
    QTest::newRow("keywords") << false << "" << "Keywords" << "html, editor"
                              << "<META CONTENT=\"html, editor\" NAME=\"Keywords\">";
    QTest::newRow("lower case keeps <META") << true << "" << "Keywords" << "html"
                                            << "<META content=\"html\" name=\"Keywords\">";
    QTest::newRow("edit keeps unknown attributes") << false << "<meta charset=utf-8 name=x>" << "=" << "a \"b\""
                                                   << "<meta charset=utf-8 name=x CONTENT=\"a &quot;b&quot;\">";
}

void TestElementTags::meta()
{
    QFETCH(bool, lower);
    QFETCH(QString, tag);
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(QString, start);
    SetLowerCaseTags(lower);
    const TDialogContext context = Context(tag);
    TMetaFields fields = OpenMetaFields(context);
    if (name != "=")
        fields.Name = name;
    if (content != "=")
        fields.Content = content;
    QCOMPARE(BuildMetaTag(fields, context), (TTagResult{start, QString()}));
}

QTEST_GUILESS_MAIN(TestElementTags)
#include "tst_elementtags.moc"
