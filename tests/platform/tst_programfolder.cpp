// Where the program's data is found: beside the executable in the build tree, under
// ../share/pendwick when installed.
#include <QtTest>

#include "platform/programfolder.h"
#include "testsupport.h"

class TestProgramFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void dataFolder_data();
    void dataFolder();
    void writtenFilesBesideAFolderOfOurOwn();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestProgramFolder::dataFolder_data()
{
    QTest::addColumn<bool>("tagsBeside");
    QTest::addColumn<bool>("sharedFolder");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("installed");
    QTest::newRow("build tree: data beside the program") << true << false << "bin/" << false;
    QTest::newRow("installed: data under share/pendwick") << false << true << "share/pendwick/" << true;
    QTest::newRow("data beside wins over an installed copy") << true << true << "bin/" << false;
    QTest::newRow("no data anywhere: the program's folder") << false << false << "bin/" << false;
}

void TestProgramFolder::dataFolder()
{
    QFETCH(bool, tagsBeside);
    QFETCH(bool, sharedFolder);
    QFETCH(QString, expected);
    QFETCH(bool, installed);
    QTemporaryDir root;
    QDir(root.path()).mkdir(QStringLiteral("bin"));
    if (tagsBeside)
        QVERIFY(QFile(root.filePath(QStringLiteral("bin/Tags.dat"))).open(QIODevice::WriteOnly));
    if (sharedFolder)
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("share/pendwick")));
    bool isInstalled = !installed;
    QCOMPARE(DataFolderFor(root.filePath(QStringLiteral("bin")), &isInstalled), root.path() + u'/' + expected);
    QCOMPARE(isInstalled, installed);
}

// A folder of the tests' own stands for a build tree: it is written to, not the user's folder.
void TestProgramFolder::writtenFilesBesideAFolderOfOurOwn()
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    QVERIFY(!ProgramIsInstalled());
    QCOMPARE(DataFilePath(QStringLiteral("Custom.dct")), folder.path() + QStringLiteral("/Custom.dct"));
    SetProgramFolder(QString());
    // The test program runs from the build tree, beside the copied data.
    QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + u'/');
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
