// Documents on disk and the text transformations behind the editor's commands.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <sys/resource.h>

#include "common/textfile.h"
#include "editor/textops.h"
#include "testsupport.h"

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void roundTrip_data();
    void roundTrip();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void windows1252FallsBackToUtf8();
    void mixedLineEndsAfterLineCountChanges();
    void failedWriteKeepsOldFile();
    void failedWriteSaysWhy_data();
    void failedWriteSaysWhy();
    void unixLineEnds_data();
    void unixLineEnds();
    void largeFileIsWhole();
    void replaceAll_data();
    void replaceAll();
    void stripTags_data();
    void stripTags();
    void indent_data();
    void indent();

private:
    QString Write(const QString &name, const QByteArray &bytes) { return m_dir.Write(name, bytes); }

    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_dir;
};

void TestTextFile::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<int>("lineEnd");
    QTest::newRow("crlf ascii") << QByteArray("<P>a</P>\r\nb\r\n") << QStringLiteral("<P>a</P>\nb\n") << int(teUtf8) << int(leCRLF);
    QTest::newRow("lf only") << QByteArray("a\nb") << QStringLiteral("a\nb") << int(teUtf8) << int(leLF);
    QTest::newRow("cr only") << QByteArray("a\rb\r") << QStringLiteral("a\nb\n") << int(teUtf8) << int(leCR);
    QTest::newRow("mixed ends") << QByteArray("a\r\nb\nc\rd\r\n") << QStringLiteral("a\nb\nc\nd\n") << int(teUtf8) << int(leCRLF);
    QTest::newRow("utf8 with bom") << QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9\r\n") << QStringLiteral("caf\u00E9\n") << int(teUtf8) << int(leCRLF);
    QTest::newRow("windows-1252") << QByteArray("caf\xE9 \x80 \x93q\x94 \x81") << QStringLiteral("caf\u00E9 \u20AC \u201Cq\u201D \u0081") << int(teWindows1252) << int(leCRLF);
    QTest::newRow("utf16 le") << QByteArray("\xFF\xFE" "a\0\r\0\n\0b\0", 10) << QStringLiteral("a\nb") << int(teUtf16LE) << int(leCRLF);
    QTest::newRow("empty") << QByteArray() << QString() << int(teUtf8) << int(leCRLF);
    QTest::newRow("truncated utf8 sequence") << QByteArray("ab\xC3") << QStringLiteral("ab\u00C3") << int(teWindows1252) << int(leCRLF);
    QTest::newRow("non-breaking space, utf-8") << QByteArray("a\xC2\xA0" "b\r\n") << QStringLiteral("a\u00A0b\n") << int(teUtf8) << int(leCRLF);
    QTest::newRow("line separator kept, paragraph separator ends a line")
        << QByteArray("a\xE2\x80\xA8" "b\xE2\x80\xA9" "c\r\nd") << QStringLiteral("a\u2028b\nc\nd") << int(teUtf8) << int(leCRLF);
    QTest::newRow("ascii naming iso-8859-1 in http-equiv")
        << QByteArray("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">\n")
        << QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">\n") << int(teWindows1252) << int(leLF);
    QTest::newRow("ascii naming windows-1252 in meta charset") << QByteArray("<head><meta charset='windows-1252'>")
        << QStringLiteral("<head><meta charset='windows-1252'>") << int(teWindows1252) << int(leCRLF);
    QTest::newRow("ascii xml declaration") << QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><html/>")
        << QStringLiteral("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><html/>") << int(teWindows1252) << int(leCRLF);
    QTest::newRow("ascii naming utf-8") << QByteArray("<meta charset=utf-8>") << QStringLiteral("<meta charset=utf-8>") << int(teUtf8) << int(leCRLF);
    QTest::newRow("ascii naming another charset") << QByteArray("<meta charset=koi8-r>") << QStringLiteral("<meta charset=koi8-r>") << int(teUtf8) << int(leCRLF);
    QTest::newRow("charset named in the body only")
        << QByteArray("<meta name=x><body><meta charset=latin1>") << QStringLiteral("<meta name=x><body><meta charset=latin1>") << int(teUtf8) << int(leCRLF);
}

// What is loaded is what is saved, byte for byte.
void TestTextFile::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QFETCH(int, lineEnd);
    const QString path = Write(QStringLiteral("in.html"), bytes);
    QString loaded, error;
    TTextFileFormat format;
    QVERIFY2(ReadTextFile(path, loaded, format, error), qPrintable(error));
    QCOMPARE(loaded, text);
    QCOMPARE(int(format.Encoding), encoding);
    QCOMPARE(int(format.LineEnd), lineEnd);
    const QString out = m_dir.FilePath(QStringLiteral("out.html"));
    QVERIFY(WriteTextFile(out, loaded, format, error));
    QCOMPARE(ReadTestFile(out), bytes);
    // A character typed later is saved in that encoding, as the page says.
    if (encoding == teWindows1252)
        QVERIFY(EncodeText(loaded + QStringLiteral("\u00E9"), format).endsWith('\xE9'));
}

void TestTextFile::refusesBadFiles_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::newRow("nul bytes") << "nul" << "binary data";
    QTest::newRow("missing") << "missing" << "does not exist";
    QTest::newRow("folder") << "folder" << "is a folder";
}

void TestTextFile::refusesBadFiles()
{
    QFETCH(QString, setup);
    QFETCH(QString, message);
    QString path = m_dir.FilePath(QStringLiteral("bad-") + setup);
    if (setup == QLatin1String("nul"))
        path = Write(QStringLiteral("bad-nul"), QByteArray("<P>text\0more</P>", 16));
    else if (setup == QLatin1String("folder"))
        QDir().mkpath(path);
    QString text = QStringLiteral("unchanged"), error;
    TTextFileFormat format;
    QVERIFY(!ReadTextFile(path, text, format, error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(text, QStringLiteral("unchanged"));
}

// Characters Windows-1252 has no byte for are kept by saving as UTF-8.
void TestTextFile::windows1252FallsBackToUtf8()
{
    TTextFileFormat format;
    format.Encoding = teWindows1252;
    format.LineEnd = leLF;
    const QString text = QStringLiteral("\u00E9 \u4E2D");
    const QByteArray bytes = EncodeText(text, format);
    QCOMPARE(int(format.Encoding), int(teUtf8));
    QCOMPARE(QString::fromUtf8(bytes), text);
}

void TestTextFile::mixedLineEndsAfterLineCountChanges()
{
    QString text, error;
    TTextFileFormat format;
    QVERIFY(DecodeText(QByteArray("a\nb\r\nc\n"), text, format, error));
    QCOMPARE(int(format.LineEnd), int(leLF));
    // Same number of lines: each line keeps its own end.
    QCOMPARE(EncodeText(QStringLiteral("A\nB\nC\n"), format), QByteArray("A\nB\r\nC\n"));
    // A line more: the first line's style for all.
    QCOMPARE(EncodeText(QStringLiteral("A\nB\nC\nD\n"), format), QByteArray("A\nB\nC\nD\n"));
}

void TestTextFile::failedWriteKeepsOldFile()
{
    const QString blocker = Write(QStringLiteral("plainfile"), "x");
    QString error;
    TTextFileFormat format;
    QVERIFY(!WriteTextFile(blocker + QStringLiteral("/sub/doc.html"), QStringLiteral("t"), format, error));
    QVERIFY(error.contains(QStringLiteral("Unable to save")));

    // A name that is taken by a folder cannot be replaced; the folder stays as it was.
    const QString folder = m_dir.FilePath(QStringLiteral("taken.html"));
    QDir().mkpath(folder + QStringLiteral("/inner"));
    QVERIFY(!WriteTextFile(folder, QStringLiteral("t"), format, error));
    QVERIFY(QFileInfo(folder + QStringLiteral("/inner")).isDir());
}

void TestTextFile::failedWriteSaysWhy_data()
{
    QTest::addColumn<int>("sizeLimit");
    // A write the file size limit stops part-way fails as one on a disk that fills up does.
    QTest::newRow("write cut short") << 4096;
    QTest::newRow("nothing written") << 0;
}

// The message gives the system's reason, once, never "Unknown error".
void TestTextFile::failedWriteSaysWhy()
{
    QFETCH(int, sizeLimit);
    const QString path = m_dir.FilePath(QStringLiteral("limited.html"));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = rlim_t(sizeLimit);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    TTextFileFormat format;
    QString error;
    const bool written = WriteTextFile(path, QString(200000, u'x'), format, error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    QVERIFY(!written);
    QCOMPARE(error, QStringLiteral("Unable to save \"%1\": %2").arg(path, qt_error_string(EFBIG)));
    QVERIFY(!QFileInfo::exists(path));
}

void TestTextFile::unixLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("lfOnly");
    QTest::newRow("cr lf becomes lf") << QByteArray("a\r\nb\r\n") << QByteArray("a\nb\n");
    QTest::newRow("a lone cr stays") << QByteArray("a\rb\rc") << QByteArray("a\rb\rc");
    QTest::newRow("mixed") << QByteArray("a\r\nb\rc\nd\r\n") << QByteArray("a\nb\rc\nd\n");
}

void TestTextFile::unixLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, lfOnly);
    QString text, error;
    TTextFileFormat format;
    QVERIFY(DecodeText(bytes, text, format, error));
    format = UnixLineEnds(format);
    QCOMPARE(EncodeText(text, format), lfOnly);
}

// No length limit: a text far past a million characters is read and written whole.
void TestTextFile::largeFileIsWhole()
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < 1200000; ++i)
        bytes += "<P>line " + QByteArray::number(i) + " \"quoted\"</P>\r\n";
    const QString path = Write(QStringLiteral("large.html"), bytes);
    QString text, error;
    TTextFileFormat format;
    QVERIFY(ReadTextFile(path, text, format, error));
    QCOMPARE(text.size(), bytes.size() - bytes.count('\r'));
    QCOMPARE(EncodeText(text, format), bytes);
}

void TestTextFile::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("count");
    QTest::newRow("ignoring case") << "a B b c" << "b" << "x" << false << "a x x c" << 2;
    QTest::newRow("matching case") << "a B b c" << "b" << "x" << true << "a B x c" << 1;
    QTest::newRow("replacement holds the find text") << "aa" << "a" << "ab" << true << "abab" << 2;
    QTest::newRow("overlapping occurrences") << "aaaa" << "aa" << "b" << true << "bb" << 2;
    QTest::newRow("empty find replaces nothing") << "abc" << "" << "x" << true << "abc" << 0;
    QTest::newRow("to nothing") << "<B>x</B>" << "<B>" << "" << false << "x</B>" << 1;
    QTest::newRow("no match") << "abc" << "z" << "y" << false << "abc" << 0;
}

void TestTextFile::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(bool, matchCase);
    QFETCH(QString, expected);
    QFETCH(int, count);
    const TReplaceAllResult r = ReplaceAllText(text, find, replace, matchCase);
    QCOMPARE(r.Text, expected);
    QCOMPARE(r.Count, count);
    if (count > 0) {
        // The changed region: outside it old and new text agree.
        QCOMPARE(text.left(r.First), expected.left(r.First));
        QCOMPARE(text.mid(r.OldEnd), expected.mid(r.NewEnd));
    }
}

void TestTextFile::stripTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("stripped");
    QTest::newRow("tags go") << "<B>bold</B> <I>it</I>" << 0 << "bold it";
    QTest::newRow("gt before first lt: start moves") << "b> x <B>y</B>" << 5 << "y";
    QTest::newRow("lt without gt: start moves, nothing stripped") << "ab <c d" << 3 << "<c d";
    QTest::newRow("gt without lt: nothing") << "a > b" << 0 << "a > b";
    QTest::newRow("stray gt ends stripping") << "<B>x</B> 1 > 0 <I>y</I>" << 0 << "x 1 > 0 <I>y</I>";
    QTest::newRow("empty") << "" << 0 << "";
}

void TestTextFile::stripTags()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(QString, stripped);
    QCOMPARE(StripTagsStart(text), start);
    QCOMPARE(StripTagsText(text.mid(start)), stripped);
}

void TestTextFile::indent_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("indented");
    QTest::addColumn<QString>("unindented");
    QTest::newRow("plain lines") << "a\nb" << "\ta\n\tb" << "a\nb";
    QTest::newRow("tabbed lines lose one tab") << "\t\ta\n\tb\nc" << "\t\t\ta\n\t\tb\n\tc" << "\ta\nb\nc";
    QTest::newRow("empty line") << "" << "\t" << "";
    QTest::newRow("blank inside") << "a\n\nb" << "\ta\n\t\n\tb" << "a\n\nb";
}

void TestTextFile::indent()
{
    QFETCH(QString, lines);
    QFETCH(QString, indented);
    QFETCH(QString, unindented);
    QCOMPARE(IndentText(lines), indented);
    QCOMPARE(UnindentText(lines), unindented);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
