// The registry of tag dialogs: which tag kind and which button action opens which dialog,
// and the cycle that puts a dialog's text into the editor.
#include <QtTest>

#include "dialogs/tagdialogs.h"
#include "editor/richhtml.h"
#include "testsupport.h"

namespace {

// Stand-ins for a dialog: one that answers OK with fixed texts, one that is cancelled.
std::optional<TTagResult> BoldDialog(QWidget *, const TDialogContext &context)
{
    if (context.IsEdit())
        return TTagResult{QStringLiteral("<STRONG>"), QString()};
    return TTagResult{QStringLiteral("<B>"), QStringLiteral("</B>")};
}

std::optional<TTagResult> CancelledDialog(QWidget *, const TDialogContext &)
{
    return std::nullopt;
}

} // namespace

class TestTagDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }

    void registered_data();
    void registered();
    void insertFromDialog_data();
    void insertFromDialog();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

// Each registered dialog is run without being shown, so its row also says which dialog
// (and which mode) the kind or action reaches.
void TestTagDialogs::registered_data()
{
    QTest::addColumn<int>("kind");      // a TTagKind, or -1 for a row about a button action
    QTest::addColumn<int>("action");    // a TTagButtonAction, or -1 for a row about a tag kind
    QTest::addColumn<QString>("tag");   // the edited tag; empty for a new element
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("image button") << -1 << int(krImage) << "" << true << "<IMG BORDER=0>" << "";
    QTest::newRow("table wizard button")
        << -1 << int(krTableWizard) << "" << true
        << "<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=0 BORDER=0>\r\n<TR>\r\n\t<TD> </TD>\r\n</TR>\r\n</TABLE>" << "";
    QTest::newRow("table button") << -1 << int(krTable) << "" << true
                                  << "<TABLE CELLSPACING=0 CELLPADDING=0 BORDER=0 WIDTH=0>" << "</TABLE>";
    QTest::newRow("table row button") << -1 << int(krTableRow) << "" << true << "<TR>" << "</TR>";
    QTest::newRow("table data button") << -1 << int(krTableData) << "" << true << "<TD COLSPAN=1 ROWSPAN=1>"
                                       << "</TD>";
    QTest::newRow("table header button") << -1 << int(krTableHeader) << "" << true << "<TH COLSPAN=1 ROWSPAN=1>"
                                         << "</TH>";
    QTest::newRow("font button") << -1 << int(krFont) << "" << true << "<FONT SIZE=\"2\">" << "</FONT>";
    QTest::newRow("comment button") << -1 << int(krComment) << "" << true << "" << "";
    QTest::newRow("quick anchor button") << -1 << int(krAnchor) << "" << true << "<A>" << "</A>";
    QTest::newRow("body button") << -1 << int(krBody) << "" << true << "<BODY>" << "\r\n\r\n\r\n</BODY>";
    QTest::newRow("quick rule button") << -1 << int(krHorzRule) << "" << true << "<HR>" << "";
    QTest::newRow("meta button") << -1 << int(krMeta) << "" << true << "<META>" << "";
    QTest::newRow("list button") << -1 << int(krList) << "" << true << "<OL>\r\n\t<LI>\r\n</OL>" << "";
    QTest::newRow("form element button") << -1 << int(krFormElement) << "" << true
                                         << "<INPUT TYPE=\"TEXT\" NAME=\"\" VALUE=\"\">\r\n" << "";
    QTest::newRow("simple tag button: no dialog") << -1 << int(krSimpleTag) << "" << false << "" << "";
    QTest::newRow("image tag") << int(tkImage) << -1 << "<IMG SRC=\"a.gif\" ISMAP>" << true
                               << "<IMG SRC=\"a.gif\" ISMAP>" << "";
    QTest::newRow("table tag") << int(tkTable) << -1 << "<TABLE BORDER=1>" << true << "<TABLE BORDER=1>" << "";
    QTest::newRow("table row tag") << int(tkTableRow) << -1 << "<TR ALIGN=left>" << true << "<TR ALIGN=left>" << "";
    QTest::newRow("table data tag") << int(tkTableData) << -1 << "<TD NOWRAP>" << true << "<TD NOWRAP>" << "";
    QTest::newRow("thead tag") << int(tkTableHeader) << -1 << "<THEAD>" << true << "<THEAD>" << "";
    QTest::newRow("anchor tag") << int(tkAnchor) << -1 << "<A HREF=x>" << true << "<A HREF=x>" << "";
    QTest::newRow("comment tag") << int(tkComment) << -1 << "<!-- a -->" << true << "<!-- a -->" << "";
    QTest::newRow("font tag") << int(tkFont) << -1 << "<FONT SIZE=+10>" << true << "<FONT SIZE=+10>" << "";
    QTest::newRow("empty body tag gives its start text") << int(tkBody) << -1 << "<BODY>" << true << "<BODY>" << "";
    QTest::newRow("hr tag") << int(tkHorzRule) << -1 << "<hr class=Wide>" << true << "<HR CLASS=Wide>" << "";
    QTest::newRow("meta tag") << int(tkMeta) << -1 << "<meta name=a>" << true << "<meta name=a>" << "";
    QTest::newRow("object tag: no dialog") << int(tkObject) << -1 << "<OBJECT>" << false << "" << "";
    QTest::newRow("no tag") << int(tkNone) << -1 << "<B>" << false << "" << "";
}

void TestTagDialogs::registered()
{
    QFETCH(int, kind);
    QFETCH(int, action);
    QFETCH(QString, tag);
    QFETCH(bool, found);
    QFETCH(QString, start);
    QFETCH(QString, end);
    const TTagDialogFn dialog =
        kind >= 0 ? TagDialogs().For(TTagKind(kind)) : TagDialogs().For(TTagButtonAction(action));
    QCOMPARE(dialog != nullptr, found);
    if (!dialog)
        return;
    TDialogContext context;
    context.EditedTag = tag;
    context.Show = false;
    const std::optional<TTagResult> text = dialog(nullptr, context);
    QVERIFY(text);
    QCOMPARE(text->StartText, start);
    QCOMPARE(text->EndText, end);
}

void TestTagDialogs::insertFromDialog_data()
{
    QTest::addColumn<QString>("dialog");    // "bold", "cancelled" or "none"
    QTest::addColumn<QString>("tag");       // the edited tag, selected in the text
    QTest::addColumn<bool>("inserted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("new element wraps the selection") << "bold" << "" << true << "a<B><I>word</I></B>z";
    QTest::newRow("edit replaces the selected tag") << "bold" << "<I>" << true << "a<STRONG>word</I>z";
    QTest::newRow("cancelled leaves the text") << "cancelled" << "" << false << "a<I>word</I>z";
    QTest::newRow("no dialog leaves the text") << "none" << "<I>" << false << "a<I>word</I>z";
}

void TestTagDialogs::insertFromDialog()
{
    QFETCH(QString, dialog);
    QFETCH(QString, tag);
    QFETCH(bool, inserted);
    QFETCH(QString, expected);
    TTagDialogRegistry registry;
    registry.Register(krFont, &BoldDialog);
    registry.Register(krComment, &CancelledDialog);
    const TTagDialogFn fn = dialog == "bold" ? registry.For(krFont)
                          : dialog == "cancelled" ? registry.For(krComment)
                                                  : registry.For(krList);
    TkrRichHTML editor;
    editor.setPlainText("a<I>word</I>z");
    // The edited tag is selected, as Edit Tag selects it; a new element wraps "<I>word</I>".
    if (tag.isEmpty())
        editor.Select(1, 11);
    else
        editor.Select(1, int(tag.size()));
    TDialogContext context;
    context.EditedTag = tag;
    QCOMPARE(InsertFromDialog(fn, nullptr, context, &editor), inserted);
    QCOMPARE(editor.Text(), expected);
}

QTEST_MAIN(TestTagDialogs)
#include "tst_tagdialogs.moc"
