// The command line (files, "-n", help and version) and the message that hands files to a
// running instance.
#include <QtTest>

#include "app/commandline.h"
#include "testsupport.h"

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void fileListMessage_data();
    void fileListMessage();
    void serverNameIsInTheRuntimeFolder();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("newWindow");
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");
    QTest::addColumn<bool>("error");
    const QStringList none;
    QTest::newRow("nothing") << none << none << false << false << false << false;
    QTest::newRow("relative file made absolute") << QStringList{"a.html"} << QStringList{"/work/a.html"} << false << false << false << false;
    QTest::newRow("several files keep their order") << QStringList{"b.html", "/tmp/x/../a.css", "sub/c.htm"}
        << QStringList{"/work/b.html", "/tmp/a.css", "/work/sub/c.htm"} << false << false << false << false;
    QTest::newRow("-n asks for a new window") << QStringList{"-n", "a.html"} << QStringList{"/work/a.html"} << true << false << false << false;
    QTest::newRow("--new-window after the file") << QStringList{"a.html", "--new-window"} << QStringList{"/work/a.html"} << true << false << false << false;
    QTest::newRow("--help") << QStringList{"--help"} << none << false << true << false << false;
    QTest::newRow("-h") << QStringList{"-h"} << none << false << true << false << false;
    QTest::newRow("--version") << QStringList{"--version"} << none << false << false << true << false;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << none << false << false << false << true;
    QTest::newRow("file after --") << QStringList{"--", "-n"} << QStringList{"/work/-n"} << false << false << false << false;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QFETCH(bool, newWindow);
    QFETCH(bool, help);
    QFETCH(bool, version);
    QFETCH(bool, error);
    QCommandLineParser parser;
    const TCommandLine line = ParseCommandLine(parser, QStringList{"pendwick"} + arguments, QStringLiteral("/work"));
    QCOMPARE(line.Error.isEmpty(), !error);
    if (error)
        return;
    QCOMPARE(line.Files, files);
    QCOMPARE(line.NewWindow, newWindow);
    QCOMPARE(line.Help, help);
    QCOMPARE(line.Version, version);
    QVERIFY(parser.helpText().contains(QStringLiteral("--new-window")));
}

void TestCommandLine::fileListMessage_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::newRow("one file") << QStringList{"/a/b.html"};
    QTest::newRow("names with blanks, new lines and accents") << QStringList{"/a b/c.html", "/x\ny.html", "/é/ü.css"};
    QTest::newRow("no files") << QStringList();
}

void TestCommandLine::fileListMessage()
{
    QFETCH(QStringList, files);
    const QByteArray bytes = EncodeFileList(files);
    QStringList read{"left over"};
    QVERIFY(DecodeFileList(bytes, read));
    QCOMPARE(read, files);
    // A message that has not fully arrived is not read yet.
    read = QStringList{"kept"};
    QVERIFY(!DecodeFileList(bytes.left(bytes.size() - 1), read));
    QCOMPARE(read, QStringList{"kept"});
}

void TestCommandLine::serverNameIsInTheRuntimeFolder()
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QCOMPARE(InstanceServerName(), runtime.path() + QStringLiteral("/pendwick-instance"));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
