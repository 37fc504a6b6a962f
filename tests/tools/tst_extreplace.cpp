// Extended replace in files that are not open.
#include <QtTest>

#include "common/htmlextensions.h"
#include "tools/extreplace.h"
#include "testsupport.h"

class TestExtReplace : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }

    void replaceInFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("across a CR LF line break") << QByteArray("<P>one\r\ntwo</P>\r\n") << "one\r\ntwo" << "1 2" << false
                                                   << 1 << QByteArray("<P>1 2</P>\r\n");
        QTest::newRow("a by ab, each once") << QByteArray("a a\n") << "a" << "ab" << true << 2 << QByteArray("ab ab\n");
        QTest::newRow("case ignored") << QByteArray("Old OLD old") << "old" << "new" << false << 3 << QByteArray("new new new");
        QTest::newRow("match case") << QByteArray("Old OLD old") << "old" << "new" << true << 1 << QByteArray("Old OLD new");
        QTest::newRow("Windows-1252 kept") << QByteArray("caf\xE9 bar\r\n") << "bar" << "b\xC3\xA9" << true << 1
                                          << QByteArray("caf\xE9 b\xE9\r\n");
        QTest::newRow("UTF-8 with NBSP kept") << QByteArray("a\xC2\xA0" "b x\n") << "x" << "y" << true << 1
                                             << QByteArray("a\xC2\xA0" "b y\n");
        QTest::newRow("mixed line ends keep theirs") << QByteArray("a\r\nb\nX\r\nc\n") << "X\nc" << "Y\nZ\nW" << true << 1
                                                   << QByteArray("a\r\nb\nY\r\nZ\r\nW\n");
        QTest::newRow("no occurrence: bytes untouched") << QByteArray("keep\r\nme\n") << "zz" << "y" << true << 0
                                                        << QByteArray("keep\r\nme\n");
    }
    void replaceInFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, find);
        QFETCH(QString, replace);
        QFETCH(bool, matchCase);
        QFETCH(int, count);
        QFETCH(QByteArray, after);
        TTempFiles dir;
        const QString path = dir.Write(QStringLiteral("p.html"), before);
        QCOMPARE(CountInFile(path, find, matchCase).Count, count);
        const TFileReplace r = ReplaceInFile(path, find, replace, matchCase, true);
        QCOMPARE(r.Status, TFileReplace::Done);
        QCOMPARE(r.Count, count);
        QFile f(path), b(path + ".bak");
        QVERIFY(f.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), after);
        QCOMPARE(b.readAll(), before);
    }

    void badFilesAreLeftAlone_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("NUL bytes") << true << QByteArray("a\0old", 5);
        QTest::newRow("vanished") << false << QByteArray();
    }
    void badFilesAreLeftAlone()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, bytes);
        TTempFiles dir;
        const QString path = exists ? dir.Write(QStringLiteral("bad.html"), bytes) : dir.FilePath(QStringLiteral("gone.html"));
        const TFileReplace r = ReplaceInFile(path, QStringLiteral("old"), QStringLiteral("new"), false, true);
        QCOMPARE(r.Status, TFileReplace::Failed);
        QVERIFY(!r.Error.isEmpty());
        QCOMPARE(QFile::exists(path + ".bak"), false);
        if (exists) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), bytes);
        }
    }

    void folderFilesAndReadOnly()
    {
        TTempFiles dir;
        HTMLExtensions() = {QStringLiteral("html"), QStringLiteral("htm")};
        dir.Write(QStringLiteral("b.htm"), "x");
        dir.Write(QStringLiteral("a.html"), "x");
        dir.Write(QStringLiteral(".hidden.html"), "x");
        dir.Write(QStringLiteral("c.css"), "x");
        dir.Write(QStringLiteral("sub/d.html"), "x");
        QCOMPARE(ExtendedReplaceFolderFiles(dir.Path()),
                 (QStringList{dir.FilePath(QStringLiteral("a.html")), dir.FilePath(QStringLiteral("b.htm"))}));
        const QString a = dir.FilePath(QStringLiteral("a.html"));
        QVERIFY(!IsReadOnlyFile(a));
        QFile::setPermissions(a, QFile::ReadOwner);
        QVERIFY(IsReadOnlyFile(a));
        QVERIFY(MakeFileWritable(a));
        QVERIFY(!IsReadOnlyFile(a));
    }
};

QTEST_APPLESS_MAIN(TestExtReplace)
#include "tst_extreplace.moc"
