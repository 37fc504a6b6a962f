#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include "app/recovery.h"
#include "platform/configstore.h"
#include "testsupport.h"

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void recordRoundTrip_data();
    void recordRoundTrip();
    void staleVersusLive_data();
    void staleVersusLive();
    void unreadableCopy_data();
    void unreadableCopy();
    void settings_data();
    void settings();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestRecovery::recordRoundTrip_data()
{
    QTest::addColumn<TRecoveryRecord>("record");
    TRecoveryRecord untitled;
    untitled.Time = QDateTime(QDate(2024, 5, 1), QTime(12, 0, 0, 250), Qt::UTC);
    QTest::newRow("untitled document, defaults") << untitled;
    TRecoveryRecord odd = untitled;
    odd.Path = QStringLiteral("/home/u/my pages/%20 a=b\u00e9\u4e2d\n.html");
    odd.Encoding = teUtf16BE;
    odd.ByteOrderMark = true;
    odd.LineEnd = leCR;
    odd.Caret = 123456789;
    odd.TabOrder = 7;
    odd.TextBytes = 10'000'000'000;
    QTest::newRow("path with spaces, percent, equals, line break and non-ASCII") << odd;
    TRecoveryRecord ansi = untitled;
    ansi.Path = QStringLiteral("/tmp/a.htm");
    ansi.Encoding = teWindows1252;
    ansi.LineEnd = leLF;
    QTest::newRow("Windows-1252 with LF") << ansi;
}

void TestRecovery::recordRoundTrip()
{
    QFETCH(TRecoveryRecord, record);
    TRecoveryRecord back;
    QString error;
    QVERIFY2(ParseRecoveryRecord(SerializeRecoveryRecord(record), back, error), qPrintable(error));
    QCOMPARE(back, record);
}

// A lock file as a process that has ended leaves it.
static void WriteDeadLock(const QString &fileName)
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    QVERIFY(p.waitForStarted());
    const qint64 pid = p.processId();
    QVERIFY(p.waitForFinished());
    QFile f(fileName);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("%1\n%2\n%3\n").arg(pid).arg(QCoreApplication::applicationName(), QSysInfo::machineHostName()).toUtf8());
}

void TestRecovery::staleVersusLive_data()
{
    QTest::addColumn<QString>("lockState");
    QTest::addColumn<bool>("offered");
    QTest::newRow("held by a running instance") << "live" << false;
    QTest::newRow("left by a process that ended") << "dead" << true;
    QTest::newRow("no lock file at all") << "none" << true;
    QTest::newRow("the asking instance's own copies") << "own" << false;
}

void TestRecovery::staleVersusLive()
{
    QFETCH(QString, lockState);
    QFETCH(bool, offered);
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString other = QStringLiteral("4242_1");
    TRecoveryRecord record;
    record.Time = QDateTime::currentDateTimeUtc();
    QString error;
    QVERIFY(WriteRecoveryCopy(folder, other + QStringLiteral("-1"), QStringLiteral("text"), record, error));
    QLockFile live(folder + QStringLiteral("/4242_1.lock"));
    if (lockState == QLatin1String("live"))
        QVERIFY(live.tryLock(0));
    else if (lockState == QLatin1String("dead"))
        WriteDeadLock(folder + QStringLiteral("/4242_1.lock"));
    const QString own = lockState == QLatin1String("own") ? other : QStringLiteral("1_2");

    std::vector<std::unique_ptr<QLockFile>> claimed;
    const QList<TRecoveredDocument> found = FindStaleRecovery(folder, own, claimed);
    QCOMPARE(found.size(), offered ? 1 : 0);
    QCOMPARE(claimed.size(), size_t(offered ? 1 : 0));
    if (offered) {
        QCOMPARE(found.at(0).Text, QStringLiteral("text"));
        QVERIFY(found.at(0).Note.isEmpty());
        // A second instance starting meanwhile does not offer them as well.
        std::vector<std::unique_ptr<QLockFile>> second;
        QCOMPARE(FindStaleRecovery(folder, QStringLiteral("3_4"), second).size(), 0);
        DiscardRecovery(folder, found, claimed);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
    } else {
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/4242_1-1.txt")));
    }
}

void TestRecovery::unreadableCopy_data()
{
    QTest::addColumn<QByteArray>("textBytes");   // "-" for no text file
    QTest::addColumn<QByteArray>("recordBytes"); // "-" for no record file
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hasRecord");
    QTest::addColumn<QString>("note");
    const QByteArray good = "Path=%2Ftmp%2Fa.html\nEncoding=UTF-8\nLineEnd=LF\nCaret=2\nTabOrder=0\nTextBytes=6\n";
    QTest::newRow("whole") << QByteArray("ab\ncd\n") << good << "ab\ncd\n" << true << "";
    QTest::newRow("record missing") << QByteArray("ab\ncd\n") << QByteArray("-") << "ab\ncd\n" << false << "record is missing";
    QTest::newRow("record is garbage") << QByteArray("x") << QByteArray("\x01\x02\xff") << "x" << false << "holds nothing";
    QTest::newRow("record with a bad value") << QByteArray("x") << QByteArray("Encoding=EBCDIC\nCaret=3\n") << "x" << false
                                             << "Encoding cannot be read";
    QTest::newRow("text cut short") << QByteArray("ab\n") << good << "ab\n" << true << "may be incomplete";
    QTest::newRow("text not UTF-8") << QByteArray("caf\xe9\r\n") << QByteArray("-") << "caf\u00e9\n" << false << "not UTF-8";
    QTest::newRow("text missing") << QByteArray("-") << good << "" << true << "text is missing";
}

void TestRecovery::unreadableCopy()
{
    QFETCH(QByteArray, textBytes);
    QFETCH(QByteArray, recordBytes);
    QFETCH(QString, text);
    QFETCH(bool, hasRecord);
    QFETCH(QString, note);
    QTemporaryDir dir;
    auto write = [&](const QString &name, const QByteArray &bytes) {
        if (bytes == "-")
            return;
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("9_9-3.txt"), textBytes);
    write(QStringLiteral("9_9-3.rec"), recordBytes);
    std::vector<std::unique_ptr<QLockFile>> claimed;
    const QList<TRecoveredDocument> found = FindStaleRecovery(dir.path(), QStringLiteral("1_1"), claimed);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).Text, text);
    QCOMPARE(found.at(0).HasRecord, hasRecord);
    if (note.isEmpty())
        QCOMPARE(found.at(0).Note, QString());
    else
        QVERIFY2(found.at(0).Note.contains(note), qPrintable(found.at(0).Note));
    if (hasRecord)
        QCOMPARE(found.at(0).Record.Path, QStringLiteral("/tmp/a.html"));
    // Looking never deletes anything.
    if (textBytes != "-")
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("9_9-3.txt"))));
    if (recordBytes != "-")
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("9_9-3.rec"))));
}

void TestRecovery::settings_data()
{
    QTest::addColumn<QString>("enabled");  // "" for none stored
    QTest::addColumn<QString>("interval");
    QTest::addColumn<bool>("expectEnabled");
    QTest::addColumn<int>("expectInterval");
    QTest::newRow("nothing stored") << "" << "" << true << 30;
    QTest::newRow("switched off, ten seconds") << "0" << "10" << false << 10;
    QTest::newRow("interval not a number") << "-1" << "x" << true << 30;
    QTest::newRow("interval zero is one second") << "-1" << "0" << true << 1;
}

void TestRecovery::settings()
{
    QFETCH(QString, enabled);
    QFETCH(QString, interval);
    QFETCH(bool, expectEnabled);
    QFETCH(int, expectInterval);
    const QString key = PendwickKey(u"Recovery");
    ConfigStore::EraseKey(key);
    if (!enabled.isEmpty())
        ConfigStore::Write(key, QStringLiteral("Enabled"), enabled);
    if (!interval.isEmpty())
        ConfigStore::Write(key, QStringLiteral("IntervalSeconds"), interval);
    TRecoverySettings s;
    s.Load();
    QCOMPARE(s.Enabled, expectEnabled);
    QCOMPARE(s.IntervalSeconds, expectInterval);
}

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
