// Several files on the command line, and a second start of the program (a process of its
// own, offscreen) handing its files to the window that already runs.
#include <QProcess>
#include <QtTest>

#include "app/commandline.h"
#include "app/htmltab.h"
#include "app/instanceserver.h"
#include "app/mainwindow.h"
#include "editor/richhtml.h"
#include "platform/programfolder.h"
#include "testsupport.h"

class TestInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLineFilesOpenOnTabs();
    void secondStartHandsItsFiles_data();
    void secondStartHandsItsFiles();
    void listenKeepsALiveServer_data();
    void listenKeepsALiveServer();

private:
    QStringList Pages(const QStringList &names);

    std::unique_ptr<QTemporaryDir> m_config;
    QTemporaryDir m_runtime;
    TTempFiles m_files;
    TMessageRecorder m_boxes;
};

void TestInstance::initTestCase()
{
    m_config = UseTemporaryConfig();
    SetProgramFolder(m_files.Path());
    // The socket lives in a runtime folder of the test's own, away from a Pendwick the user runs.
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
}

QStringList TestInstance::Pages(const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths << m_files.Write(name, "<P>" + name.toUtf8());
    return paths;
}

void TestInstance::commandLineFilesOpenOnTabs()
{
    const QStringList pages = Pages({"one.html", "two.html", "three.css"});
    TfMain main;
    main.OpenCommandLineFiles(pages);
    QCOMPARE(main.HTMLTab()->DocumentCount(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(main.HTMLTab()->FileName(i), pages.at(i));
    QCOMPARE(main.ActiveEditor()->Filename(), pages.last());
    QVERIFY(m_boxes.Boxes.isEmpty());
}

void TestInstance::secondStartHandsItsFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("handed");
    QTest::newRow("one file") << QStringList{"a.html"} << QStringList{"a.html"};
    QTest::newRow("two files, in order") << QStringList{"c.html", "b.htm"} << QStringList{"c.html", "b.htm"};
    QTest::newRow("-n opens a window of its own") << QStringList{"-n", "a.html"} << QStringList();
}

void TestInstance::secondStartHandsItsFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, handed);
    Pages({"a.html", "b.htm", "c.html"});
    TfMain main;
    QStringList received;
    TInstanceServer server([&](const QStringList &files) {
        received += files;
        main.OpenHandedFiles(files);
    });
    QVERIFY(server.Listen(InstanceServerName()));

    QProcess second;
    second.setWorkingDirectory(m_files.Path());
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QCoreApplication::applicationDirPath() + QStringLiteral("/pendwick"), arguments);
    QVERIFY(second.waitForStarted());
    if (handed.isEmpty()) {
        // The new window stays; nothing reaches the running one.
        QTest::qWait(5000);
        QCOMPARE(second.state(), QProcess::Running);
        QVERIFY(received.isEmpty());
        second.kill();
        second.waitForFinished();
        return;
    }
    QStringList expected;
    for (const QString &name : handed)
        expected << m_files.FilePath(name);
    QTRY_COMPARE_WITH_TIMEOUT(received, expected, 60000);
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 60000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(main.HTMLTab()->DocumentCount(), handed.size());
    QCOMPARE(main.ActiveEditor()->Filename(), expected.last());
}

void TestInstance::listenKeepsALiveServer_data()
{
    QTest::addColumn<bool>("firstRuns");
    QTest::newRow("a window listening keeps the name") << true;
    QTest::newRow("a socket left behind is taken over") << false;
}

void TestInstance::listenKeepsALiveServer()
{
    QFETCH(bool, firstRuns);
    const QString name = InstanceServerName();
    TInstanceServer first(nullptr);
    if (firstRuns)
        QVERIFY(first.Listen(name));
    else
        QVERIFY(QFile(name).open(QIODevice::WriteOnly)); // what a crashed program leaves
    TInstanceServer second(nullptr);
    QCOMPARE(second.Listen(name), !firstRuns);
}

QTEST_MAIN(TestInstance)
#include "tst_instance.moc"
