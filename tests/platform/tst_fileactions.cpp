// Opening files with the desktop, running programs and the recycle bin, with the messages
// they show; the custom colours of the colour dialogs and their store; colour texts of
// system colours.
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QtTest>

#include "common/colortext.h"
#include "platform/customcolors.h"
#include "platform/messagebox.h"
#include "platform/shell.h"
#include "platform/shellopen.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

// Stands in for the desktop's file handler.
class FileOpener : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl &url) { Opened.append(url); }
};

} // namespace

class TestFileActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_files;
    TMessageRecorder m_messages;
    const QString m_key = QStringLiteral("Software\\Pendwick");

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        // The trash lives under the home folder; keep it inside the test's own folder.
        qputenv("HOME", m_files.FilePath(QStringLiteral("home")).toLocal8Bit());
    }
    void init() { m_messages.Clear(); }

    void customColours();
    void customColourEntries_data();
    void customColourEntries();
    void shellOpenMessages_data();
    void shellOpenMessages();
    void shellOpen();
    void runProgramKeepsArguments();
    void runProgramFailures();
    void shortPathIsThePath();
    void recycleBin();

    void shellOpenOfMissingFileSaysSo()
    {
        const QString missing = m_files.FilePath(QStringLiteral("missing.html"));
        QCOMPARE(ShellOpen(missing), 2);
        QCOMPARE(m_messages.Boxes, QList<TShownBox>({{mkError, QStringLiteral("File not found")}}));
    }

    void shellOpenHandsTheFileOnQuietly()
    {
        const QString file = m_files.Write(QStringLiteral("page one.html"), QByteArray());
        FileOpener opener;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "Open");
        const int code = ShellOpen(file);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(code > 32);
        QCOMPARE(opener.Opened, QList<QUrl>{QUrl::fromLocalFile(file)});
        QVERIFY(m_messages.Boxes.isEmpty());
    }

    void recycleBinFailureSaysSoAndKeepsNothingElse()
    {
        const QString missing = m_files.FilePath(QStringLiteral("gone.html"));
        QVERIFY(!MoveToRecycleBin(missing));
        const TShownBox failed{mkError, QStringLiteral("Could not move ") + missing + QStringLiteral(" to the Recycle Bin.")};
        QCOMPARE(m_messages.Boxes, QList<TShownBox>({failed}));

        const QString file = m_files.Write(QStringLiteral("old.html"), QByteArray());
        QVERIFY(MoveToRecycleBin(file));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(m_messages.Boxes, QList<TShownBox>({failed}));
    }

    void customColoursFromEmptyStoreAreWhite()
    {
        ConfigStore::EraseKey(m_key + QStringLiteral("\\CustomColors"));
        QColorDialog::setCustomColor(4, Qt::red);
        LoadCustomColors(m_key);
        for (int i = 0; i < CustomColorCount; ++i)
            QCOMPARE(QColorDialog::customColor(i), QColor(Qt::white));
    }

    void customColoursSaveAndLoad()
    {
        for (int i = 0; i < CustomColorCount; ++i)
            QColorDialog::setCustomColor(i, Qt::white);
        QColorDialog::setCustomColor(2, QColor(0x12, 0x34, 0x56));
        SaveCustomColors(m_key);
        const QString listKey = m_key + QStringLiteral("\\CustomColors");
        QCOMPARE(ConfigStore::Read(listKey, QStringLiteral("Color1"), QString()), QStringLiteral("ColorA=FFFFFF"));
        QCOMPARE(ConfigStore::Read(listKey, QStringLiteral("Color3"), QString()), QStringLiteral("ColorC=563412"));
        QCOMPARE(ConfigStore::Read(listKey, QStringLiteral("Color16"), QString()), QStringLiteral("ColorP=FFFFFF"));

        QColorDialog::setCustomColor(2, Qt::black);
        LoadCustomColors(m_key);
        QCOMPARE(QColorDialog::customColor(2), QColor(0x12, 0x34, 0x56));
    }

    // System colours are written as the colour they currently stand for.
    void systemColoursResolved_data()
    {
        QTest::addColumn<int>("colour");
        QTest::newRow("window") << int(Colors::clWindow);
        QTest::newRow("window text") << int(Colors::clWindowText);
        QTest::newRow("button face") << int(Colors::clBtnFace);
    }
    void systemColoursResolved()
    {
        QFETCH(int, colour);
        const QColor shown = ColorToQColor(colour);
        QCOMPARE(ColorToHTML(colour), shown.name().toUpper());
        QCOMPARE(CustomColorEntryColor(CustomColorEntry(0, colour)), QColorToColor(shown));
    }
};

void TestFileActions::customColours()
{
    const QString key = QStringLiteral("Software\\Pendwick");
    const QString listKey = key + QStringLiteral("\\CustomColors");
    ConfigStore::EraseKey(listKey);
    QStringList white;
    for (char letter = 'A'; letter <= 'P'; ++letter)
        white.append(QStringLiteral("Color%1=FFFFFF").arg(QLatin1Char(letter)));
    QCOMPARE(ReadCustomColors(key), white);
    QVERIFY(!ConfigStore::KeyExists(listKey)); // reading creates nothing

    QStringList saved = white;
    saved[2] = QStringLiteral("ColorC=563412");
    QVERIFY(WriteCustomColors(key, saved));
    QCOMPARE(ConfigStore::Read(listKey, QStringLiteral("Color3"), QString()), QStringLiteral("ColorC=563412"));
    QCOMPARE(ReadCustomColors(key), saved);

    // Saving replaces the whole list: entries beyond the new one fall back to white.
    QVERIFY(WriteCustomColors(key, {QStringLiteral("ColorA=000000")}));
    QStringList expected = white;
    expected[0] = QStringLiteral("ColorA=000000");
    QCOMPARE(ReadCustomColors(key), expected);
}

void TestFileActions::customColourEntries_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("entry");
    QTest::newRow("first, white") << 0 << int(Colors::clWhite) << "ColorA=FFFFFF";
    QTest::newRow("blue digits first") << 2 << 0x563412 << "ColorC=563412";
    QTest::newRow("red") << 15 << int(Colors::clRed) << "ColorP=0000FF";
    QTest::newRow("leading zeros") << 1 << 0x000001 << "ColorB=000001";
}

void TestFileActions::customColourEntries()
{
    QFETCH(int, index);
    QFETCH(int, colour);
    QFETCH(QString, entry);
    QCOMPARE(CustomColorEntry(index, colour), entry);
    QCOMPARE(CustomColorEntryColor(entry), colour);
    QCOMPARE(CustomColorEntryColor(QStringLiteral("ColorD=xyz")), Colors::clWhite);
    QCOMPARE(CustomColorEntryColor(QStringLiteral("ColorD=1000000")), Colors::clWhite);
}

void TestFileActions::shellOpenMessages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("out of memory") << 0 << "Not enough memory to start /x/a b.html.";
    QTest::newRow("not found") << 2 << "File not found";
    QTest::newRow("access denied") << 5 << "Access denied.";
    QTest::newRow("sharing violation") << 26 << "Sharing violation.";
    QTest::newRow("association incomplete") << 27 << "The file association is incomplete.";
    QTest::newRow("no association")
        << 31 << "No association exists for this type of file.  To create an association, open the Windows 95 "
                 "Explorer, double-click on this file, and select the program used to open this type of file.";
    QTest::newRow("other failure") << 3 << "";
    QTest::newRow("success") << 42 << "";
}

void TestFileActions::shellOpenMessages()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QCOMPARE(ShellOpenMessage(code, QStringLiteral("/x/a b.html")), message);
}

void TestFileActions::shellOpen()
{
    const QString file = m_files.Write(QStringLiteral("open me.html"), "<html>");
    QCOMPARE(TryShellOpen(m_files.FilePath(QStringLiteral("missing.html"))), int(srFileNotFound));
    QCOMPARE(TryShellOpen(QString()), int(srFileNotFound));
    QCOMPARE(TryShellOpen(QStringLiteral("c:\\missing.html")), int(srFileNotFound));
    // A program without a desktop (as this test is) has nothing to open files with.
    QCOMPARE(TryShellOpen(file), int(srNoAssociation));

    FileOpener recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "Open");
    const int opened = TryShellOpen(file);
    const int web = TryShellOpen(QStringLiteral("http://example.invalid/page.html"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QVERIFY(opened > 32);
    QVERIFY(web > 32);
    QCOMPARE(recorder.Opened.size(), 2);
    QCOMPARE(recorder.Opened[0], QUrl::fromLocalFile(file));
    QCOMPARE(recorder.Opened[1].host(), QStringLiteral("example.invalid"));
}

void TestFileActions::runProgramKeepsArguments()
{
    const QString touch = QStandardPaths::findExecutable(QStringLiteral("touch"));
    QVERIFY(!touch.isEmpty());
    const QString folder = m_files.FilePath(QStringLiteral("run"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/my tools")));
    const QString program = folder + QStringLiteral("/my tools/make file");
    QVERIFY(QFile::link(touch, program));

    // Blanks stay inside one argument, and shell syntax is only text: run from the
    // folder, a shell would make "injected" there.
    const QString current = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder));
    const QString blanks = folder + QStringLiteral("/name with blanks");
    const bool started = RunProgram(program, {blanks, QStringLiteral("x; touch injected"), QStringLiteral("$(touch injected)")});
    QDir::setCurrent(current);
    QVERIFY(started);
    QTRY_VERIFY(QFileInfo::exists(blanks) && QFileInfo::exists(folder + QStringLiteral("/x; touch injected"))
                && QFileInfo::exists(folder + QStringLiteral("/$(touch injected)")));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/injected")));

    const QString quoted = folder + QStringLiteral("/quoted name");
    QVERIFY(RunCommandLine(u'"' + program + QStringLiteral("\" \"") + quoted + u'"'));
    QTRY_VERIFY(QFileInfo::exists(quoted));
}

void TestFileActions::runProgramFailures()
{
    QVERIFY(!RunProgram(m_files.FilePath(QStringLiteral("no such program"))));
    QVERIFY(!RunProgram(QString()));
    QVERIFY(!RunCommandLine(QStringLiteral("   ")));
}

void TestFileActions::shortPathIsThePath()
{
    const QString path = QStringLiteral("/a folder/") + QString(300, u'x') + QStringLiteral("/file name.html");
    QCOMPARE(ShortPath(path), path);
}

void TestFileActions::recycleBin()
{
    const QString file = m_files.Write(QStringLiteral("bin/old page.html"), "old");
    QVERIFY(TryMoveToRecycleBin(file));
    QVERIFY(!QFileInfo::exists(file));
    // Still there to restore: in the trash below the (test's) home folder.
    const QString trashed = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Trash/files/old page.html");
    QVERIFY2(trashed.startsWith(m_files.Path()), qPrintable(trashed));
    QFile kept(trashed);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old"));

    QVERIFY(!TryMoveToRecycleBin(m_files.FilePath(QStringLiteral("bin/missing.html"))));
    QVERIFY(!TryMoveToRecycleBin(QString()));
}

QTEST_MAIN(TestFileActions)
#include "tst_fileactions.moc"
