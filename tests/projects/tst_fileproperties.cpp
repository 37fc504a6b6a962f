// What the document properties window shows, read from files in a temporary folder.
#include <QtTest>

#include "common/fileutils.h"
#include "projects/fileproperties.h"
#include "testsupport.h"

namespace {

// The head of a PNG file of 32 x 16 pixels, as far as its size is read.
QByteArray PngHead()
{
    return QByteArray::fromHex("89504E470D0A1A0A0000000D49484452000000200000001008020000");
}

} // namespace

class TestFileProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void properties_data();
    void properties();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestFileProperties::properties_data()
{
    QTest::addColumn<QString>("name");       // empty: a file that does not exist
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("pages");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QStringList>("dependencies");
    const QByteArray page = "<html><title>Home</title><a href=\"b.html\">b</a>\r\n<A HREF=\"a.html\">a</A>"
                            "<a href=\"B.html\"><img src=\"pic.gif\"><IMG SRC=\"Pic.GIF\"><script src=\"x.js\">";
    QTest::newRow("page: title, sorted distinct links and sources")
        << "Index.html" << page << "0.14K (145 bytes)" << "Title:" << "Home" << true
        << QStringList{"a.html", "b.html"} << QStringList{"pic.gif", "x.js"};
    QTest::newRow("picture: dimensions, no pages") << "logo.png" << PngHead() << "0.03K (28 bytes)" << "Dimensions:"
                                                   << "32 x 16" << false << QStringList() << QStringList();
    QTest::newRow("style sheet: title emptied, no pages")
        << "site.css" << QByteArray("a { } /* href=\"x.html\" */") << "0.02K (25 bytes)" << "" << "" << false
        << QStringList() << QStringList();
    QTest::newRow("missing file: all empty") << "" << QByteArray() << "" << "Title:" << "" << false << QStringList()
                                             << QStringList();
    QTest::newRow("0-byte file") << "empty.txt" << QByteArray() << "0K (0 bytes)" << "" << "" << false
                                 << QStringList() << QStringList();
    QTest::newRow("3,000-byte file") << "data.txt" << QByteArray(3000, 'x') << "2.93K (3000 bytes)" << "" << ""
                                     << false << QStringList() << QStringList();
}

void TestFileProperties::properties()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, size);
    QFETCH(QString, label);
    QFETCH(QString, title);
    QFETCH(bool, pages);
    QFETCH(QStringList, links);
    QFETCH(QStringList, dependencies);
    const TTempFiles dir;
    const QString path = name.isEmpty() ? dir.FilePath("gone.html") : dir.Write(name, bytes);
    const TFileProperties p = ReadFileProperties(path);
    QCOMPARE(p.FileName, name);
    QCOMPARE(p.Size, size);
    QCOMPARE(p.TitleLabel, label);
    QCOMPARE(p.Title, title);
    QCOMPARE(p.ShowPages, pages);
    QCOMPARE(p.Links, links);
    QCOMPARE(p.Dependencies, dependencies);
    const QFileInfo info(path);
    QCOMPARE(p.Created, name.isEmpty() ? QString() : FileDateText(info.birthTime()));
    QCOMPARE(p.Modified, name.isEmpty() ? QString() : FileDateText(info.lastModified()));
    QCOMPARE(p.Modified.isEmpty(), name.isEmpty());
    // Sizes beyond 32 bits.
    QCOMPARE(FileSizeText(5'000'000'000LL), QStringLiteral("4882812.5K (5000000000 bytes)"));
}

QTEST_GUILESS_MAIN(TestFileProperties)
#include "tst_fileproperties.moc"
