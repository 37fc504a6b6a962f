// Listing a folder for the file panel: which files each option combination lists and
// the rows they give, the progress threshold, the listing in slices, and the names that
// copy and rename choose.
#include <QtTest>

#include "app/filelisting.h"
#include "common/htmlextensions.h"
#include "testsupport.h"

namespace {
// Rows as "name|type|description", in the order listed.
QStringList RowTexts(const QList<TFileRow> &rows)
{
    QStringList texts;
    for (const TFileRow &r : rows)
        texts << r.Name + u'|' + r.Type + u'|' + r.Description;
    return texts;
}

QList<TFileRow> ListAll(TFileListing &listing)
{
    QList<TFileRow> rows;
    while (listing.Running())
        rows += listing.Next(1000);
    return rows;
}
} // namespace

class TestFileListing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void listing_data();
    void listing();
    void progressThreshold_data();
    void progressThreshold();
    void unreadablePage();
    void slicesKeepRowsSoFar();
    void copyTargetName();
    void rename_data();
    void rename();
    void volumes();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestFileListing::listing_data()
{
    QTest::addColumn<bool>("images");
    QTest::addColumn<bool>("multimedia");
    QTest::addColumn<bool>("onlyNames");
    QTest::addColumn<QStringList>("rows");
    const QString page = "a.html|HTML|Home", css = "s.css|CSS|Style Sheet", untitled = "u.htm|HTM|[Untitled]";
    const QString gif = "p.gif|GIF|Image - 16 x 8", jpeg = "q.JPEG|JPEG|Image - 0 x 0";
    const QString wav = "m.wav|WAV|Sound", avi = "v.avi|AVI|Animation";
    QTest::newRow("pages and style sheets only") << false << false << false << QStringList{page, untitled, css};
    QTest::newRow("with pictures, .jpeg too") << true << false << false << QStringList{page, untitled, css, gif, jpeg};
    QTest::newRow("with multimedia") << false << true << false << QStringList{page, untitled, css, wav, avi};
    QTest::newRow("everything") << true << true << false << QStringList{page, untitled, css, gif, jpeg, wav, avi};
    QTest::newRow("names only read nothing")
        << true << true << true << QStringList{"a.html|HTML|", "u.htm|HTM|", "s.css|CSS|", "p.gif|GIF|", "q.JPEG|JPEG|",
                                               "m.wav|WAV|", "v.avi|AVI|"};
}

void TestFileListing::listing()
{
    QFETCH(bool, images);
    QFETCH(bool, multimedia);
    QFETCH(bool, onlyNames);
    QFETCH(QStringList, rows);
    TTempFiles files;
    files.Write("a.html", "<html><head><title>Home</title></head></html>");
    files.Write("u.htm", "<p>no title</p>");
    files.Write("s.css", "p {}");
    files.Write("p.gif", GifBytes(16, 8));
    files.Write("q.JPEG", "not really");
    files.Write("m.wav", "RIFF");
    files.Write("v.avi", "RIFF");
    files.Write("notes.txt", "never listed");
    TFileListing listing;
    listing.Start(files.Path(), {images, multimedia, onlyNames});
    QCOMPARE(listing.Folder(), files.Path() + u'/');
    const QList<TFileRow> listed = ListAll(listing);
    QCOMPARE(RowTexts(listed), rows);
    QCOMPARE(listed.first().Path, files.FilePath("a.html"));
    QCOMPARE(listed.first().Kind, fkDocument);
}

void TestFileListing::progressThreshold_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("progress");
    QTest::newRow("20 files list without progress") << 20 << false;
    QTest::newRow("21 files show it") << 21 << true;
    QTest::newRow("an empty folder") << 0 << false;
}

void TestFileListing::progressThreshold()
{
    QFETCH(int, count);
    QFETCH(bool, progress);
    TTempFiles files;
    for (int i = 0; i < count; ++i)
        files.Write(QStringLiteral("p%1.html").arg(i, 2, 10, QLatin1Char('0')), "<title>t</title>");
    TFileListing listing;
    listing.Start(files.Path(), {});
    QCOMPARE(listing.Total(), count);
    QCOMPARE(listing.ShowsProgress(), progress);
    QCOMPARE(ListAll(listing).size(), count);
    QCOMPARE(listing.Percent(), 100);
}

void TestFileListing::unreadablePage()
{
    TTempFiles files;
    const QString path = files.Write("locked.html", "<title>secret</title>");
    QFile::setPermissions(path, QFileDevice::Permissions());
    if (QFile(path).open(QIODevice::ReadOnly))
        QSKIP("files stay readable for this user (root)");
    TFileListing listing;
    listing.Start(files.Path(), {});
    QCOMPARE(RowTexts(ListAll(listing)), QStringList{"locked.html|HTML|Err"});
}

// A slice ends when its time is up, after at least one file; a stop keeps what was made.
void TestFileListing::slicesKeepRowsSoFar()
{
    TTempFiles files;
    for (int i = 0; i < 30; ++i)
        files.Write(QStringLiteral("p%1.html").arg(i, 2, 10, QLatin1Char('0')), "<title>t</title>");
    TFileListing listing;
    listing.Start(files.Path(), {});
    QCOMPARE(listing.Next(0).size(), 1);
    QCOMPARE(listing.Next(0).size(), 1);
    QVERIFY(listing.Running());
    QCOMPARE(listing.Percent(), 6);
    listing.Stop();
    QVERIFY(!listing.Running());
    QVERIFY(listing.Next(1000).isEmpty());
    QCOMPARE(listing.Done(), 30);
}

void TestFileListing::copyTargetName()
{
    TTempFiles files;
    const QString a = files.Write("a.html", "x");
    QCOMPARE(CopyTargetName(a), files.FilePath("Copy of a.html"));
    files.Write("Copy of a.html", "x");
    QCOMPARE(CopyTargetName(a), files.FilePath("Copy (2) of a.html"));
    files.Write("Copy (2) of a.html", "x");
    QCOMPARE(CopyTargetName(a), files.FilePath("Copy (3) of a.html"));
}

void TestFileListing::rename_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("a new name") << "c.html" << int(rnRenamed) << QStringList{"b.html", "c.html"};
    QTest::newRow("an empty name changes nothing") << "" << int(rnUnchanged) << QStringList{"a.html", "b.html"};
    QTest::newRow("a slash never moves the file") << "x/y.html" << int(rnFailed) << QStringList{"a.html", "b.html"};
    QTest::newRow("never onto another file") << "b.html" << int(rnFailed) << QStringList{"a.html", "b.html"};
}

void TestFileListing::rename()
{
    QFETCH(QString, newName);
    QFETCH(int, result);
    QFETCH(QStringList, after);
    TTempFiles files;
    const QString a = files.Write("a.html", "a");
    files.Write("b.html", "b");
    QDir().mkpath(files.FilePath("x"));
    QString newPath;
    QCOMPARE(int(RenameInFolder(a, newName, &newPath)), result);
    QCOMPARE(QDir(files.Path()).entryList(QDir::Files, QDir::Name), after);
    QCOMPARE(ReadTestFile(files.FilePath("b.html")), QByteArray("b"));
    QVERIFY(!QFileInfo::exists(files.FilePath("x/y.html")));
    if (result == rnRenamed)
        QCOMPARE(newPath, files.FilePath(newName));
}

void TestFileListing::volumes()
{
    QVERIFY(IsPseudoFileSystem("proc"));
    QVERIFY(!IsPseudoFileSystem("ext4"));
    const QStringList roots{"/", "/home", "/home/me/usb"};
    QCOMPARE(VolumeIndexOf("/home/me/page.html", roots), 1);
    QCOMPARE(VolumeIndexOf("/home/me/usb/", roots), 2);
    QCOMPARE(VolumeIndexOf("/homework/a", roots), 0);
}

QTEST_GUILESS_MAIN(TestFileListing)
#include "tst_filelisting.moc"
