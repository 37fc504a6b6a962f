#include <QDir>
#include <QFile>
#include <QtTest>

#include "common/htmlextensions.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

const QString Key = QStringLiteral("Software\\Pendwick");
const QString ListKey = QStringLiteral("Software\\Pendwick\\HTMLExtensions");

QStringList Numbered(const QString &stem, int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list.append(stem + QString::number(i));
    return list;
}

} // namespace

class TestHtmlExtensions : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void initTestCase() { m_dir = UseTemporaryConfig(); }
    void init()
    {
        QFile::remove(ConfigStore::FileName());
        HTMLExtensions() = DefaultHTMLExtensions();
    }

    void defaultsWhenNothingSaved()
    {
        HTMLExtensions() = QStringList{"X"};
        LoadHTMLExtensions(Key);
        QCOMPARE(HTMLExtensions(), QStringList({"HTML", "HTM", "SHTM", "SHTML", "CSS"}));
        QVERIFY(!QFile::exists(ConfigStore::FileName()));
    }

    void loadReadsSavedList_data()
    {
        QTest::addColumn<QStringList>("stored"); // null entries are left out
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("custom list") << QStringList{"php", "ASP"} << QStringList{"php", "ASP"};
        QTest::newRow("fifteen entries") << Numbered("e", 15) << Numbered("e", 15);
        QTest::newRow("sixteenth ignored") << Numbered("e", 16) << Numbered("e", 15);
        QTest::newRow("stops at the first empty") << QStringList{"a", "", "c"} << QStringList{"a"};
        QTest::newRow("empty first entry gives defaults") << QStringList{"", "b"} << DefaultHTMLExtensions();
        QTest::newRow("missing first entry gives defaults") << QStringList{QString(), "b"} << DefaultHTMLExtensions();
    }
    void loadReadsSavedList()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, expected);
        for (int i = 0; i < stored.size(); ++i)
            if (!stored[i].isNull())
                QVERIFY(ConfigStore::Write(ListKey, "Extension" + QString::number(i + 1), stored[i]));
        LoadHTMLExtensions(Key);
        QCOMPARE(HTMLExtensions(), expected);
    }

    void saveReplacesSavedList()
    {
        HTMLExtensions() = Numbered("old", 5);
        SaveHTMLExtensions(Key);
        HTMLExtensions() = QStringList{"php", "HTM", "xhtml"};
        SaveHTMLExtensions(Key);
        QCOMPARE(ConfigStore::Read(ListKey, "Extension1", ""), "php");
        QVERIFY(!ConfigStore::ValueExists(ListKey, "Extension4"));
        HTMLExtensions().clear();
        LoadHTMLExtensions(Key);
        QCOMPARE(HTMLExtensions(), QStringList({"php", "HTM", "xhtml"}));
    }

    void isHTMLFile_data()
    {
        QTest::addColumn<QStringList>("extensions"); // empty: the defaults
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("expected");
        const QStringList defaults;
        QTest::newRow("lower case") << defaults << "a.htm" << true;
        QTest::newRow("upper case") << defaults << "A.HTML" << true;
        QTest::newRow("mixed case with folders") << defaults << "/path/to/Page.ShTmL" << true;
        QTest::newRow("style sheet") << defaults << "x.css" << true;
        QTest::newRow("text file") << defaults << "x.txt" << false;
        QTest::newRow("no extension") << defaults << "noext" << false;
        QTest::newRow("trailing dot") << defaults << "page." << false;
        QTest::newRow("extension without dot") << defaults << "htm" << false;
        QTest::newRow("dotted folder") << defaults << "dir.html/file" << false;
        QTest::newRow("dotted folder, absolute") << defaults << "/a.b/file" << false;
        QTest::newRow("only an inner extension") << defaults << "page.html.bak" << false;
        QTest::newRow("longer extension") << defaults << "page.htmlx" << false;
        QTest::newRow("custom list matches") << QStringList{"php"} << "index.PHP" << true;
        QTest::newRow("custom list replaces defaults") << QStringList{"php"} << "index.htm" << false;
        QTest::newRow("empty entry matches nothing") << QStringList{""} << "page." << false;
    }
    void isHTMLFile()
    {
        QFETCH(QStringList, extensions);
        QFETCH(QString, fileName);
        QFETCH(bool, expected);
        if (!extensions.isEmpty())
            HTMLExtensions() = extensions;
        QCOMPARE(IsHTMLFile(fileName), expected);
    }

    void filters()
    {
        QCOMPARE(ExtensionFilter(";"), "*.HTML;*.HTM;*.SHTM;*.SHTML;*.CSS;");
        QCOMPARE(OpenSaveDialogFilter(), "HTML Documents|*.HTML;*.HTM;*.SHTM;*.SHTML;*.CSS;|Text Files (*.txt)|*.txt"
                                         "|Style Sheets (*.css)|*.css|All Files|*.*");
        QCOMPARE(QtNameFilters(OpenSaveDialogFilter()).size(), 4);
        HTMLExtensions() = QStringList{"php"};
        QCOMPARE(ExtensionFilter(" "), "*.php ");
        HTMLExtensions().clear();
        QCOMPARE(ExtensionFilter(";"), "");
    }

    void qtNameFilters_data()
    {
        QTest::addColumn<QString>("pipeFilter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("dialog filter") << "HTML Documents|*.HTML;*.HTM;*.SHTM;*.SHTML;*.CSS;|Text Files (*.txt)|*.txt"
                                          "|Style Sheets (*.css)|*.css|All Files|*.*"
                                       << QStringList{"HTML Documents (*.HTML *.html *.HTM *.htm *.SHTM *.shtm *.SHTML *.shtml"
                                                      " *.CSS *.css)",
                                                      "Text Files (*.txt *.TXT)", "Style Sheets (*.css *.CSS)", "All Files (*)"};
        QTest::newRow("blank patterns skipped") << "Docs| *.a ; ;" << QStringList{"Docs (*.a *.A)"};
        QTest::newRow("caption without patterns dropped") << "Docs|*.a|Lonely" << QStringList{"Docs (*.a *.A)"};
        QTest::newRow("mixed case pattern") << "Web|*.Htm" << QStringList{"Web (*.Htm *.htm *.HTM)"};
    }
    void qtNameFilters()
    {
        QFETCH(QString, pipeFilter);
        QFETCH(QStringList, expected);
        QCOMPARE(QtNameFilters(pipeFilter), expected);
    }

    void longPath_data()
    {
        QTest::addColumn<QString>("input"); // below the test folder
        QTest::addColumn<QString>("expected");
        QTest::newRow("exact names") << "Alpha/Beta.txt" << "Alpha/Beta.txt";
        QTest::newRow("case fixed") << "ALPHA/beta.TXT" << "Alpha/Beta.txt";
        QTest::newRow("rest kept after a missing part") << "alpha/Missing/BETA.txt" << "Alpha/Missing/BETA.txt";
        QTest::newRow("ambiguous part ends the look-up") << "Dup/inner" << "Dup/inner";
        QTest::newRow("exact name among case variants") << "DUP/inner" << "DUP/Inner";
        QTest::newRow("dot segments removed") << "alpha/../gamma/./" << "Gamma";
    }
    void longPath()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const QDir base(m_dir->path());
        QVERIFY(base.mkpath("Alpha") && base.mkpath("Gamma") && base.mkpath("dup") && base.mkpath("DUP/Inner"));
        QVERIFY(WriteTestFile(base.filePath("Alpha/Beta.txt"), QByteArray()));
        QCOMPARE(LongPath(base.path() + "/" + input), base.path() + "/" + expected);
        // A relative path is taken from the current folder.
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(base.path()));
        const QString relative = LongPath(input);
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(relative, base.path() + "/" + expected);
    }

    void longPathOfRoot()
    {
        QCOMPARE(LongPath("/"), "/");
        QCOMPARE(LongPath(""), "");
        if (QDir("/tmp").exists() && !QDir("/TMP").exists())
            QCOMPARE(LongPath("/TMP/none-such"), "/tmp/none-such");
    }
};

QTEST_GUILESS_MAIN(TestHtmlExtensions)
#include "tst_htmlextensions.moc"
