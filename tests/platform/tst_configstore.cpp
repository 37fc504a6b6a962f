#include <atomic>
#include <thread>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtTest>

#include "platform/configstore.h"
#include "testsupport.h"

namespace {

const QString Key = QStringLiteral("Software\\Pendwick\\Test");

QByteArray FileBytes() { return ReadTestFile(ConfigStore::FileName()); }

// Rewrites the file in place (same inode), as an editor or another program might.
bool WriteInPlace(const QByteArray &bytes)
{
    QFile f(ConfigStore::FileName());
    return f.open(QIODevice::ReadWrite | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class TestConfigStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_config;

private slots:
    void initTestCase()
    {
        m_dir = UseTemporaryConfig();
        m_config = qgetenv("PENDWICK_CONFIG");
    }
    void init() { QFile::remove(ConfigStore::FileName()); }
    void cleanup() { qputenv("PENDWICK_CONFIG", m_config); }

    void fileNameFollowsEnvironment()
    {
        QCOMPARE(ConfigStore::FileName(), QString::fromLocal8Bit(m_config));
        qputenv("PENDWICK_CONFIG", "");
        QCOMPARE(ConfigStore::FileName(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                              + "/Pendwick/registry.ini");
    }

    void keysAndNamesIgnoreCase_data()
    {
        QTest::addColumn<QString>("writeKey");
        QTest::addColumn<QString>("writeName");
        QTest::addColumn<QString>("readKey");
        QTest::addColumn<QString>("readName");
        QTest::addColumn<QString>("header");
        QTest::newRow("key in other case") << "Software\\Pendwick\\SpeedBar" << "Visible"
                                           << "software\\pendwick\\Speedbar" << "VISIBLE" << "[Software\\Pendwick\\SpeedBar]";
        QTest::newRow("name in other case") << Key << "_AppFileName" << Key << "_AppFilename" << "[" + Key + "]";
        QTest::newRow("non-ASCII letters") << "Software\\Ärger" << "Größe" << "SOFTWARE\\ärger" << "GRÖßE" << "[Software\\Ärger]";
        QTest::newRow("repeated separators") << "Software\\\\Pendwick\\Test" << "v" << "Software\\Pendwick\\\\\\Test" << "v"
                                             << "[" + Key + "]";
        QTest::newRow("outer separators") << "\\Software\\Pendwick\\Test\\" << "v" << Key << "v" << "[" + Key + "]";
    }
    void keysAndNamesIgnoreCase()
    {
        QFETCH(QString, writeKey);
        QFETCH(QString, writeName);
        QFETCH(QString, readKey);
        QFETCH(QString, readName);
        QFETCH(QString, header);
        QVERIFY(ConfigStore::Write(writeKey, writeName, "first"));
        QCOMPARE(ConfigStore::Read(readKey, readName, "default"), "first");
        QVERIFY(ConfigStore::ValueExists(readKey, readName));
        QVERIFY(ConfigStore::KeyExists(readKey));
        // Writing under the other spelling replaces the value and keeps the first spelling.
        QVERIFY(ConfigStore::Write(readKey, readName, "second"));
        QCOMPARE(ConfigStore::Read(writeKey, writeName, "default"), "second");
        const QString text = QString::fromUtf8(FileBytes());
        QCOMPARE(text, header + "\n" + writeName + "=second\n");
    }

    void newKeysTakeExistingSpelling()
    {
        QVERIFY(ConfigStore::Write("Software\\Pendwick\\MainForm", "a", "1"));
        QVERIFY(ConfigStore::Write("SOFTWARE\\PENDWICK\\Other", "b", "2"));
        QVERIFY(FileBytes().contains("[Software\\Pendwick\\Other]\n"));
        QVERIFY(ConfigStore::KeyExists("software\\pendwick"));
        QVERIFY(!ConfigStore::KeyExists("Software\\Pend"));
    }

    void missingReadsCreateNothing()
    {
        qputenv("PENDWICK_CONFIG", m_dir->filePath("absent/registry.ini").toLocal8Bit());
        for (int pass = 0; pass < 2; ++pass) {
            QCOMPARE(ConfigStore::Read(Key, "x", "default"), "default");
            QCOMPARE(ConfigStore::ReadBool(Key, "x", true), true);
            QCOMPARE(ConfigStore::ReadInt(Key, "x", 7), 7);
            QCOMPARE(ConfigStore::ReadColor(Key, "x", Colors::clRed), Colors::clRed);
            QVERIFY(ConfigStore::ReadList(Key, "Item").isEmpty());
            QVERIFY(!ConfigStore::KeyExists(Key));
            QVERIFY(!ConfigStore::ValueExists(Key, "x"));
            QVERIFY(ConfigStore::EraseKey(Key));
            if (pass == 0) {
                QVERIFY(!QFileInfo::exists(m_dir->filePath("absent")));
                QVERIFY(ConfigStore::Write("Software\\Other", "y", "1"));
            }
        }
        // With a file present, reads, erasing a missing key and rewriting an equal value
        // leave it untouched (no lock file is left either).
        const QByteArray before = FileBytes();
        const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        QFile file(ConfigStore::FileName());
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(past, QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(ConfigStore::Write("software\\other", "Y", "1"));
        QVERIFY(ConfigStore::EraseKey(Key));
        QCOMPARE(FileBytes(), before);
        QCOMPARE(QFileInfo(ConfigStore::FileName()).lastModified(), past);
        QVERIFY(!QFileInfo::exists(ConfigStore::FileName() + ".lock"));
    }

    void readBool_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("-1 is true") << "-1" << false << true;
        QTest::newRow("0 is false") << "0" << true << false;
        QTest::newRow("True is false") << "True" << true << false;
        QTest::newRow("1 is false") << "1" << true << false;
        QTest::newRow("blank before -1 is false") << " -1" << true << false;
        QTest::newRow("empty is false") << "" << true << false;
        QTest::newRow("missing gives default true") << QString() << true << true;
        QTest::newRow("missing gives default false") << QString() << false << false;
    }
    void readBool()
    {
        QFETCH(QString, stored);
        QFETCH(bool, defaultValue);
        if (!stored.isNull())
            QVERIFY(ConfigStore::Write(Key, "b", stored));
        QFETCH(bool, expected);
        QCOMPARE(ConfigStore::ReadBool(Key, "b", defaultValue), expected);
    }

    void readInt_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "42" << 42;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("plus sign") << "+5" << 5;
        QTest::newRow("blanks around") << " 12\t" << 12;
        QTest::newRow("largest int") << "2147483647" << 2147483647;
        QTest::newRow("smallest int") << "-2147483648" << int(-2147483648LL);
        QTest::newRow("just above int") << "2147483648" << 99;
        QTest::newRow("just below int") << "-2147483649" << 99;
        QTest::newRow("huge") << "99999999999999999999999" << 99;
        QTest::newRow("empty") << "" << 99;
        QTest::newRow("letters") << "abc" << 99;
        QTest::newRow("trailing letter") << "12x" << 99;
        QTest::newRow("inner blank") << "1 2" << 99;
        QTest::newRow("hex") << "0x10" << 99;
        QTest::newRow("sign only") << "-" << 99;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << 99;
        QTest::newRow("missing") << QString() << 99;
    }
    void readInt()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        if (!stored.isNull())
            QVERIFY(ConfigStore::Write(Key, "i", stored));
        QCOMPARE(ConfigStore::ReadInt(Key, "i", 99), expected);
        QCOMPARE(ConfigStore::ParseInt(stored, 99), expected);
    }

    void readColor_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<TColor>("expected");
        QTest::newRow("system window colour") << "-2147483643" << Colors::clWindow;
        QTest::newRow("same bits unsigned") << "2147483653" << Colors::clWindow;
        QTest::newRow("blue") << "16711680" << Colors::clBlue;
        QTest::newRow("all bits unsigned") << "4294967295" << TColor(-1);
        QTest::newRow("beyond 32 bits") << "4294967296" << Colors::clOlive;
        QTest::newRow("below signed range") << "-2147483649" << Colors::clOlive;
        QTest::newRow("not a number") << "clBlue" << Colors::clOlive;
        QTest::newRow("empty") << "" << Colors::clOlive;
    }
    void readColor()
    {
        QFETCH(QString, stored);
        QVERIFY(ConfigStore::Write(Key, "c", stored));
        QFETCH(TColor, expected);
        QCOMPARE(ConfigStore::ReadColor(Key, "c", Colors::clOlive), expected);
    }

    void writesTypedValuesAsText()
    {
        QVERIFY(ConfigStore::WriteBool(Key, "t", true));
        QVERIFY(ConfigStore::WriteBool(Key, "f", false));
        QVERIFY(ConfigStore::WriteInt(Key, "i", -12));
        QVERIFY(ConfigStore::WriteColor(Key, "window", Colors::clWindow));
        QVERIFY(ConfigStore::WriteColor(Key, "blue", Colors::clBlue));
        QCOMPARE(ConfigStore::Read(Key, "t", ""), "-1");
        QCOMPARE(ConfigStore::Read(Key, "f", ""), "0");
        QCOMPARE(ConfigStore::Read(Key, "i", ""), "-12");
        QCOMPARE(ConfigStore::Read(Key, "window", ""), "-2147483643");
        QCOMPARE(ConfigStore::Read(Key, "blue", ""), "16711680");
        QCOMPARE(ConfigStore::ReadColor(Key, "window", 0), Colors::clWindow);
    }

    void readList_data()
    {
        QTest::addColumn<QStringList>("stored"); // null entries are left out
        QTest::addColumn<int>("maxCount");
        QTest::addColumn<QStringList>("expected");
        const QStringList abcd{"a", "b", "c", "d"};
        QTest::newRow("all entries") << abcd << 0 << abcd;
        QTest::newRow("stops at an empty entry") << QStringList{"a", "b", "", "d"} << 0 << QStringList{"a", "b"};
        QTest::newRow("stops at a gap") << QStringList{"a", QString(), "c"} << 0 << QStringList{"a"};
        QTest::newRow("limited by maximum") << abcd << 2 << QStringList{"a", "b"};
        QTest::newRow("maximum beyond the entries") << abcd << 15 << abcd;
        QTest::newRow("nothing stored") << QStringList() << 0 << QStringList();
    }
    void readList()
    {
        QFETCH(QStringList, stored);
        QFETCH(int, maxCount);
        for (int i = 0; i < stored.size(); ++i)
            if (!stored[i].isNull())
                QVERIFY(ConfigStore::Write(Key, "Item" + QString::number(i + 1), stored[i]));
        QFETCH(QStringList, expected);
        QCOMPARE(ConfigStore::ReadList(Key, "item", maxCount), expected);
    }

    void writeListReplacesOldEntries()
    {
        QVERIFY(ConfigStore::Write(Key + "\\Sub", "x", "1"));
        QVERIFY(ConfigStore::Write(Key, "Other", "1"));
        QVERIFY(ConfigStore::WriteList(Key, "Item", {"1", "2", "3", "4", "5"}));
        QVERIFY(ConfigStore::WriteList(Key, "Item", {"a", "b"}));
        QCOMPARE(ConfigStore::ReadList(Key, "Item"), QStringList({"a", "b"}));
        QVERIFY(!ConfigStore::ValueExists(Key, "Item3"));
        QVERIFY(!ConfigStore::ValueExists(Key, "Other"));
        QVERIFY(!ConfigStore::KeyExists(Key + "\\Sub"));
        QVERIFY(ConfigStore::WriteList(Key, "Item", {}));
        QVERIFY(ConfigStore::KeyExists(Key));
        QVERIFY(ConfigStore::ReadList(Key, "Item").isEmpty());
    }

    void eraseKeyRemovesSubkeysOnly()
    {
        for (const char *k : {"Software\\P", "Software\\P\\Ab", "Software\\P\\Ab\\Sub", "Software\\P\\Abc", "Software\\Q"})
            QVERIFY(ConfigStore::Write(k, "v", k));
        QVERIFY(ConfigStore::EraseKey("software\\p\\AB\\"));
        QVERIFY(!ConfigStore::KeyExists("Software\\P\\Ab"));
        QVERIFY(!ConfigStore::KeyExists("Software\\P\\Ab\\Sub"));
        QCOMPARE(ConfigStore::Read("Software\\P\\Abc", "v", ""), "Software\\P\\Abc");
        QCOMPARE(ConfigStore::Read("Software\\P", "v", ""), "Software\\P");
        QVERIFY(!ConfigStore::EraseKey(""));
        QVERIFY(ConfigStore::EraseKey("Software"));
        QVERIFY(!ConfigStore::KeyExists("Software\\Q"));
    }

    void awkwardTextRoundTrips_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("line feed") << "a\nb";
        QTest::newRow("CR LF") << "a\r\nb\r\n";
        QTest::newRow("CR at the end") << "a\r";
        QTest::newRow("tabs") << "\tx\t";
        QTest::newRow("backslashes") << "C:\\dir\\";
        QTest::newRow("escape-like text") << "\\n\\s\\u0041%41\\";
        QTest::newRow("blanks around") << "  x  ";
        QTest::newRow("one space") << " ";
        QTest::newRow("equals signs") << "=a=b==";
        QTest::newRow("comment starts") << ";x #y";
        QTest::newRow("hash first") << "#x";
        QTest::newRow("header-like") << "[Section]";
        QTest::newRow("brackets") << "][";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Grüße – 日本語 😀");
        QTest::newRow("control characters") << QString(QChar(0)) + "\x1b\x7f" + QChar(0x85);
        QTest::newRow("unpaired surrogates") << QString(QChar(0xD800)) + "x" + QChar(0xDC00);
        QTest::newRow("byte order mark") << QString(QChar(0xFEFF)) + "x";
        QTest::newRow("Unicode blanks") << QString(QChar(0x00A0)) + "x" + QChar(0x3000);
    }
    void awkwardTextRoundTrips()
    {
        QFETCH(QString, text);
        // As a value, as a value name and as a key component (which cannot hold a backslash).
        QString component = text;
        component.remove('\\');
        const QString subKey = Key + "\\" + component;
        QVERIFY(ConfigStore::Write(Key, "Value", text));
        QVERIFY(ConfigStore::Write(Key, text, "named"));
        QVERIFY(ConfigStore::Write(subKey, "v", "in key"));
        QVERIFY(ConfigStore::Write(Key, "After", "ok"));
        QCOMPARE(ConfigStore::Read(Key, "Value", "default"), text);
        QCOMPARE(ConfigStore::Read(Key, text, "default"), "named");
        QCOMPARE(ConfigStore::Read(subKey, "v", "default"), "in key");
        QCOMPARE(ConfigStore::Read(Key, "After", "default"), "ok");
        const QByteArray bytes = FileBytes();
        QVERIFY(!bytes.contains('\r'));
        QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes);
    }

    void handEditedFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks around the equals sign") << QByteArray("[A]\n  name = value  \n") << "A" << "value";
        QTest::newRow("CR LF line ends") << QByteArray("[A]\r\nname=value\r\n") << "A" << "value";
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[A]\nname=v\n") << "A" << "v";
        QTest::newRow("comments") << QByteArray("; c\n# c\n[A]\n;name=x\nname=v") << "A" << "v";
        QTest::newRow("later duplicate wins") << QByteArray("[A]\nname=1\nNAME=2\n") << "a" << "2";
        QTest::newRow("sections merged across case") << QByteArray("[A\\B]\nx=1\n[a\\b]\nname=2\n") << "A\\B" << "2";
        QTest::newRow("unknown escape kept") << QByteArray("[A]\nname=a\\qb\\u12\n") << "A" << "a\\qb\\u12";
        QTest::newRow("malformed header skipped") << QByteArray("[A]\nname=1\n[B\nname=2\n") << "A" << "1";
        QTest::newRow("values before any section") << QByteArray("name=r\n[A]\n") << "" << "r";
        QTest::newRow("encoded header") << QByteArray("[A%25%0A]\nname=v\n") << "A%\n" << "v";
    }
    void handEditedFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QVERIFY(WriteInPlace(content));
        QFETCH(QString, expected);
        QCOMPARE(ConfigStore::Read(key, "name", "default"), expected);
    }

    void otherWritersAreSeen()
    {
        QVERIFY(ConfigStore::Write(Key, "a", "1"));
        QCOMPARE(ConfigStore::Read(Key, "a", ""), "1");
        // In place, same size, right away.
        QVERIFY(WriteInPlace("[" + Key.toUtf8() + "]\na=2\n"));
        QCOMPARE(ConfigStore::Read(Key, "a", ""), "2");
        QSaveFile replaced(ConfigStore::FileName());
        QVERIFY(replaced.open(QIODevice::WriteOnly));
        replaced.write("[" + Key.toUtf8() + "]\na=3\n");
        QVERIFY(replaced.commit());
        QCOMPARE(ConfigStore::Read(Key, "a", ""), "3");
        QVERIFY(QFile::remove(ConfigStore::FileName()));
        QCOMPARE(ConfigStore::Read(Key, "a", "gone"), "gone");
    }

    void inPlaceEditOfSettledFileIsSeen()
    {
        // A file left alone for a while may be cached; an edit of the same size that
        // even restores the modification time must still be seen.
        QVERIFY(WriteInPlace("[A]\na=1\n"));
        QTest::qSleep(3200);
        QCOMPARE(ConfigStore::Read("A", "a", ""), "1");
        QFile file(ConfigStore::FileName());
        const QDateTime modified = QFileInfo(file).lastModified();
        QVERIFY(WriteInPlace("[A]\na=2\n"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(ConfigStore::Read("A", "a", ""), "2");
    }

    void concurrentWritersKeepAllValues()
    {
        constexpr int Writers = 4;
        constexpr int Values = 20;
        std::atomic<int> failures = 0;
        std::vector<std::thread> threads;
        for (int w = 0; w < Writers; ++w)
            threads.emplace_back([w, &failures] {
                for (int i = 0; i < Values; ++i)
                    if (!ConfigStore::WriteInt(Key, QString("w%1v%2").arg(w).arg(i), w * 100 + i))
                        ++failures;
            });
        for (std::thread &t : threads)
            t.join();
        QCOMPARE(failures.load(), 0);
        for (int w = 0; w < Writers; ++w)
            for (int i = 0; i < Values; ++i)
                QCOMPARE(ConfigStore::ReadInt(Key, QString("w%1v%2").arg(w).arg(i), -1), w * 100 + i);
    }

    void failedWriteKeepsFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("folder is a regular file") << "blocker/registry.ini";
        QTest::newRow("file is a folder") << "folder";
    }
    void failedWriteKeepsFile()
    {
        QFETCH(QString, target);
        QVERIFY(ConfigStore::Write(Key, "a", "old"));
        const QByteArray before = FileBytes();
        QFile blocker(m_dir->filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(QDir(m_dir->path()).mkpath("folder"));

        qputenv("PENDWICK_CONFIG", m_dir->filePath(target).toLocal8Bit());
        QVERIFY(!ConfigStore::Write(Key, "a", "new"));
        QVERIFY(!ConfigStore::WriteList(Key, "Item", {"x"}));
        QCOMPARE(ConfigStore::Read(Key, "a", "default"), "default");
        qputenv("PENDWICK_CONFIG", m_config);
        QCOMPARE(FileBytes(), before);
        QCOMPARE(QFileInfo(m_dir->filePath("blocker")).size(), 0);
    }

    void writeCreatesMissingFolders()
    {
        qputenv("PENDWICK_CONFIG", m_dir->filePath("new/sub/registry.ini").toLocal8Bit());
        QVERIFY(ConfigStore::Write(Key, "a", "1"));
        QCOMPARE(ConfigStore::Read(Key, "a", ""), "1");
    }
};

QTEST_GUILESS_MAIN(TestConfigStore)
#include "tst_configstore.moc"
