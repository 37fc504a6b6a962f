// The List and Form Element markup, built from the dialogs' fields, in both tag cases.
#include <QtTest>

#include "dialogs/listformtags.h"
#include "editor/tagtext.h"
#include "testsupport.h"

class TestListFormTags : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void cleanup() { SetLowerCaseTags(false); }
    void list_data();
    void list();
    void formElement_data();
    void formElement();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestListFormTags::list_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<bool>("ordered");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("start");
    QTest::newRow("ordered") << false << true << QStringList{"One", "Two"}
                             << "<OL>\r\n\t<LI>One\r\n\t<LI>Two\r\n</OL>";
    QTest::newRow("unordered, lower case, items as typed")
        << true << false << QStringList{"A \"b\" <I>c</I>"} << "<ul>\r\n\t<li>A \"b\" <I>c</I>\r\n</ul>";
    QTest::newRow("rows 3, third row empty") << false << true << QStringList{"a", "b", ""}
                                             << "<OL>\r\n\t<LI>a\r\n\t<LI>b\r\n\t<LI>\r\n</OL>";
    QTest::newRow("cleared: one empty row") << true << true << TListFields().Items << "<ol>\r\n\t<li>\r\n</ol>";
}

void TestListFormTags::list()
{
    QFETCH(bool, lower);
    QFETCH(bool, ordered);
    QFETCH(QStringList, items);
    QFETCH(QString, start);
    SetLowerCaseTags(lower);
    QCOMPARE(BuildList({ordered, items}), (TTagResult{start, QString()}));
    // The Rows box: an unreadable number is 1, others stay within 1 to 99.
    QCOMPARE((QList<int>{ListRowCount("3"), ListRowCount(""), ListRowCount("x"), ListRowCount("0"),
                         ListRowCount("150")}),
             (QList<int>{3, 1, 1, 1, 99}));
}

void TestListFormTags::formElement_data()
{
    QTest::addColumn<bool>("lower");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("number1");
    QTest::addColumn<QString>("number2");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("text, default numbers: no SIZE=0 nor MAXLENGTH=0")
        << false << int(feText) << "user" << "" << "0" << "0" << "<INPUT TYPE=\"TEXT\" NAME=\"user\" VALUE=\"\">\r\n"
        << "";
    QTest::newRow("text with numbers, lower case") << true << int(feText) << "User" << "Me" << "20" << "40"
                                                   << "<input type=\"text\" name=\"User\" value=\"Me\" size=20 "
                                                      "maxlength=40>\r\n"
                                                   << "";
    QTest::newRow("text, size only") << false << int(feText) << "" << "" << "5" << ""
                                     << "<INPUT TYPE=\"TEXT\" NAME=\"\" VALUE=\"\" SIZE=5>\r\n" << "";
    QTest::newRow("text area") << false << int(feTextArea) << "note" << "ignored" << "4" << "30"
                               << "<TEXTAREA NAME=\"note\" ROWS=4 COLS=30>\r\n" << "</TEXTAREA>";
    QTest::newRow("text area, lower case, defaults") << true << int(feTextArea) << "" << "" << "0" << "0"
                                                     << "<textarea name=\"\" rows=0 cols=0>\r\n" << "</textarea>";
    QTest::newRow("hidden") << false << int(feHidden) << "id" << "7" << "0" << "0"
                            << "<INPUT TYPE=\"HIDDEN\" NAME=\"id\" VALUE=\"7\">\r\n" << "";
    QTest::newRow("checkbox") << false << int(feCheckbox) << "agree" << "yes" << "0" << "0"
                              << "<INPUT TYPE=\"CHECKBOX\" NAME=\"agree\" VALUE=\"yes\">\r\n" << "";
    QTest::newRow("radio button, lower case") << true << int(feRadioButton) << "Size" << "L" << "0" << "0"
                                              << "<input type=\"radio\" name=\"Size\" value=\"L\">\r\n" << "";
    QTest::newRow("select list, rows 0") << false << int(feSelectList) << "pick" << "" << "0" << "0"
                                         << "<SELECT NAME=\"pick\">\r\n" << "\r\n</SELECT>";
    QTest::newRow("select list, rows 3, lower case")
        << true << int(feSelectList) << "pick" << "" << "3" << "0"
        << "<select name=\"pick\">\r\n\t<option>\r\n\t<option>\r\n\t<option>\r\n" << "\r\n</select>";
    QTest::newRow("submit button, empty values written") << false << int(feSubmitButton) << "" << "" << "0" << "0"
                                                         << "<INPUT TYPE=\"SUBMIT\" NAME=\"\" VALUE=\"\">\r\n" << "";
    QTest::newRow("reset button, lower case") << true << int(feResetButton) << "r" << "Clear" << "0" << "0"
                                              << "<input type=\"reset\" name=\"r\" value=\"Clear\">\r\n" << "";
    QTest::newRow("double quotes in name and value")
        << false << int(feCheckbox) << "a\"b" << "say \"hi\"" << "0" << "0"
        << "<INPUT TYPE=\"CHECKBOX\" NAME=\"a&quot;b\" VALUE=\"say &quot;hi&quot;\">\r\n" << "";
    QTest::newRow("double quote in a text area name") << false << int(feTextArea) << "\"" << "" << "1" << "2"
                                                      << "<TEXTAREA NAME=\"&quot;\" ROWS=1 COLS=2>\r\n"
                                                      << "</TEXTAREA>";
}

void TestListFormTags::formElement()
{
    QFETCH(bool, lower);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, number1);
    QFETCH(QString, number2);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lower);
    const TFormElementFields fields{TFormElementKind(kind), name, value, number1, number2};
    QCOMPARE(BuildFormElement(fields), (TTagResult{start, end}));
}

QTEST_GUILESS_MAIN(TestListFormTags)
#include "tst_listformtags.moc"
