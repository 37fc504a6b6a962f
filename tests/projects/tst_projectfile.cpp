// Project files and the profile files they are kept in.
#include <QtTest>
#include <unistd.h>

#include "platform/profilefile.h"
#include "projects/projectfile.h"
#include "testsupport.h"

class TestProjectFile : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }

    void profileEdits_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << QByteArray("[Project]\r\nProjectName=site\r\nVersion=2.0\r\n[FileList]\r\nFile1=/a,b=c %d é.html\r\n");
        QTest::newRow("other sections, comments and blanks stay; the list is rewritten")
            << QByteArray("; mine\n[Extra]\nkeep = me\n\n[fileList]\nFile1=/old.html\n; gone\nFile2=/older.html\n\n[project]\nprojectname=old\nOwner=x\n")
            << QByteArray("; mine\r\n[Extra]\r\nkeep = me\r\n\r\n\r\n[project]\r\nProjectName=site\r\nOwner=x\r\nVersion=2.0\r\n[FileList]\r\nFile1=/a,b=c %d é.html\r\n");
        QTest::newRow("Windows-1252 file") << QByteArray("[Other]\r\nName=caf\xE9\r\n")
            << QByteArray("[Other]\r\nName=caf\xC3\xA9\r\n[Project]\r\nProjectName=site\r\nVersion=2.0\r\n[FileList]\r\nFile1=/a,b=c %d \xC3\xA9.html\r\n");
    }
    void profileEdits()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        TTempFiles dir;
        const QString path = dir.FilePath(QStringLiteral("site.pwp"));
        if (!before.isEmpty())
            dir.Write(QStringLiteral("site.pwp"), before);
        const QStringList files{QString::fromUtf8("/a,b=c %d é.html")};
        const TProjectWrite w = WriteProjectFile(path, files);
        QVERIFY(w.Written && !w.BackupFailed);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), after);
        QCOMPARE(LoadProjectFiles(path), std::optional(files));
        QCOMPARE(QFile::exists(path + ".bak"), !before.isEmpty());
    }

    void readingStopsAtTheFirstGap_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("keys 1, 2 and 4") << QByteArray("[FileList]\nFile1=/a\nFILE2 = /b \nFile4=/d\n") << QStringList{"/a", "/b"};
        QTest::newRow("an empty key ends it") << QByteArray("[FileList]\nFile1=/a\nFile2=\nFile3=/c\n") << QStringList{"/a"};
        QTest::newRow("no list") << QByteArray("[Project]\nProjectName=x\n") << QStringList{};
    }
    void readingStopsAtTheFirstGap()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, files);
        TTempFiles dir;
        QCOMPARE(LoadProjectFiles(dir.Write(QStringLiteral("p.pwp"), text)), std::optional(files));
        QVERIFY(!LoadProjectFiles(dir.FilePath(QStringLiteral("missing.pwp"))).has_value());
    }

    void backupAndFailedWrite()
    {
        TTempFiles dir;
        const QString path = dir.FilePath(QStringLiteral("p.pwp"));
        QVERIFY(WriteProjectFile(path, {"/first"}).Written);
        QVERIFY(WriteProjectFile(path, {"/second"}).Written);
        QCOMPARE(LoadProjectFiles(path + ".bak"), std::optional(QStringList{"/first"}));
        QVERIFY(WriteProjectFile(path, {"/third"}).Written); // an older copy is replaced
        QCOMPARE(LoadProjectFiles(path + ".bak"), std::optional(QStringList{"/second"}));
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::ExeOwner);
        const TProjectWrite w = WriteProjectFile(path, {"/fourth"});
        QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!w.Written && !w.Error.isEmpty());
        QCOMPARE(LoadProjectFiles(path), std::optional(QStringList{"/third"}));
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "My site" << true;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("climbs out") << "../x" << false;
        QTest::newRow("hidden") << ".site" << false;
        QTest::newRow("blank") << "  " << false;
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(IsValidProjectName(name), valid);
    }

    void folderAndSameFile()
    {
        TTempFiles dir;
        SetProjectDir(dir.Path());
        QCOMPARE(GetProjectDir(), dir.Path() + "/");
        QCOMPARE(ProjectNameOf("/x/My site.pwp"), QStringLiteral("My site"));
        const QString a = dir.Write(QStringLiteral("Page.html"), "a");
        const QString b = dir.Write(QStringLiteral("page.html"), "b");
        QVERIFY(!SameFile(a, b)); // names differing in case are two files here
        QVERIFY(SameFile(a, dir.Path() + "/./Page.html"));
    }
};

QTEST_APPLESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
