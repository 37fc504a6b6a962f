// Start-up and shutdown rules of the main window that need no widgets.
#include <sys/stat.h>

#include <QFile>
#include <QtTest>

#include "app/mrulist.h"
#include "app/shellsettings.h"
#include "platform/configstore.h"
#include "testsupport.h"

// Reads one setting as the program does.
using TSettingReading = int (*)();
Q_DECLARE_METATYPE(TSettingReading)

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void init() { ConfigStore::EraseKey(AppKey()); }
    void settingReadings_data();
    void settingReadings();
    void fitPlacement_data();
    void fitPlacement();
    void recentlyUsedList();
    void recentlyUsedListStoredAsEntries();
    void exceptionLog();
    void defaultExtension_data();
    void defaultExtension();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestShell::settingReadings_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TSettingReading>("reading");
    QTest::addColumn<int>("expected");
    const TSettingReading splash = [] { return int(ShowSplashSetting()); };
    const TSettingReading colourCoding = [] { return int(ColorCodeModeSetting()); };
    const TSettingReading browserLaunch = [] { return BrowserLaunchSetting(); };
    QTest::newRow("splash by default") << "ShowSplash" << "" << splash << 1;
    QTest::newRow("splash -1") << "ShowSplash" << "-1" << splash << 1;
    QTest::newRow("splash abc") << "ShowSplash" << "abc" << splash << 1;
    QTest::newRow("splash 0") << "ShowSplash" << "0" << splash << 0;
    QTest::newRow("splash 5") << "ShowSplash" << "5" << splash << 0;
    QTest::newRow("colour coding by default") << "ColorCodeMode" << "" << colourCoding << int(ccFull);
    QTest::newRow("colour coding 0") << "ColorCodeMode" << "0" << colourCoding << int(ccNone);
    QTest::newRow("colour coding 7 is minimal") << "ColorCodeMode" << "7" << colourCoding << int(ccMinimal);
    QTest::newRow("colour coding text is full") << "ColorCodeMode" << "x" << colourCoding << int(ccFull);
    QTest::newRow("browser launch 2") << "BrowserLaunchSetting" << "2" << browserLaunch << 2;
    QTest::newRow("browser launch 5 is 1") << "BrowserLaunchSetting" << "5" << browserLaunch << 1;
    QTest::newRow("browser launch -3 is 1") << "BrowserLaunchSetting" << "-3" << browserLaunch << 1;
}

void TestShell::settingReadings()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(TSettingReading, reading);
    QFETCH(int, expected);
    if (!text.isEmpty())
        ConfigStore::Write(AppKey(), value, text);
    QCOMPARE(reading(), expected);
}

void TestShell::fitPlacement_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("defaults fit") << QRect(4, 4, 774, 550) << QSize(1024, 768) << QRect(4, 4, 774, 550);
    QTest::newRow("too wide, then moved") << QRect(300, 4, 2000, 550) << QSize(1024, 768) << QRect(5, 4, 1014, 550);
    QTest::newRow("too high") << QRect(4, 100, 774, 900) << QSize(1024, 768) << QRect(4, 5, 774, 740);
    QTest::newRow("reaches past the right edge") << QRect(600, 4, 774, 550) << QSize(1024, 768) << QRect(5, 4, 774, 550);
    QTest::newRow("small screen") << QRect(4, 4, 774, 550) << QSize(640, 480) << QRect(4, 4, 630, 452);
}

void TestShell::fitPlacement()
{
    QFETCH(QRect, stored);
    QFETCH(QSize, screen);
    QFETCH(QRect, fitted);
    QCOMPARE(FitPlacement(stored, screen), fitted);
}

void TestShell::recentlyUsedList()
{
    const QString key = AppKey() + QStringLiteral("\\MRUDocuments");
    ConfigStore::Write(key, QStringLiteral("MRU1"), QStringLiteral("/w/a.html"));
    ConfigStore::Write(key, QStringLiteral("MRU3"), QStringLiteral("/w/c.html"));
    TMRUList mru;
    mru.Load(key);
    QCOMPARE(mru.Items().size(), 10);
    QCOMPARE(mru.Caption(1), QStringLiteral("/w/a.html"));
    QCOMPARE(mru.Caption(2), QStringLiteral("[Empty]"));
    QCOMPARE(mru.Caption(3), QStringLiteral("/w/c.html"));
    // An entry already there does not move.
    QVERIFY(!mru.Add(QStringLiteral("/w/c.html")));
    QCOMPARE(mru.Caption(3), QStringLiteral("/w/c.html"));
    // New files go on top; the eleventh entry drops off.
    for (int i = 0; i < 9; ++i)
        QVERIFY(mru.Add(QStringLiteral("/w/n%1.html").arg(i)));
    QCOMPARE(mru.Items().size(), 10);
    QCOMPARE(mru.Caption(1), QStringLiteral("/w/n8.html"));
    QCOMPARE(mru.Caption(10), QStringLiteral("/w/a.html"));
    QVERIFY(mru.Add(QStringLiteral("/w/n9.html")));
    QCOMPARE(mru.Caption(10), QStringLiteral("/w/n0.html"));
    QVERIFY(!mru.Items().contains(QStringLiteral("/w/a.html")));
    // Paths differing only in letter case are different files here.
    QVERIFY(mru.Add(QStringLiteral("/W/N9.html")));
}

void TestShell::recentlyUsedListStoredAsEntries()
{
    const QString key = AppKey() + QStringLiteral("\\MRUDocuments");
    ConfigStore::Write(key, QStringLiteral("Stale"), QStringLiteral("x"));
    TMRUList mru;
    mru.Load(key);
    mru.Add(QStringLiteral("/w/one.html"));
    mru.Save(key);
    QCOMPARE(ConfigStore::Read(key, QStringLiteral("MRU1"), QString()), QStringLiteral("/w/one.html"));
    QCOMPARE(ConfigStore::Read(key, QStringLiteral("MRU2"), QString()), QStringLiteral("[Empty]"));
    QCOMPARE(ConfigStore::Read(key, QStringLiteral("MRU10"), QString()), QStringLiteral("[Empty]"));
    QVERIFY(!ConfigStore::ValueExists(key, QStringLiteral("Stale")));
    TMRUList again;
    again.Load(key);
    QCOMPARE(again.Items(), mru.Items());
    // The key is replaced in one write: saving the same list again leaves the file alone.
    struct stat before, after;
    QCOMPARE(::stat(QFile::encodeName(ConfigStore::FileName()).constData(), &before), 0);
    again.Save(key);
    QCOMPARE(::stat(QFile::encodeName(ConfigStore::FileName()).constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
}

// Two errors give two lines; a missing log is created.
void TestShell::exceptionLog()
{
    const TTempFiles files;
    const QString log = files.FilePath(QStringLiteral("Exception.log"));
    QVERIFY(AppendExceptionLog(log, QStringLiteral("first failure")));
    QVERIFY(AppendExceptionLog(log, QStringLiteral("second failure")));
    const QStringList lines = QString::fromUtf8(ReadTestFile(log)).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).endsWith(QStringLiteral(": first failure")));
    QVERIFY(lines.at(1).endsWith(QStringLiteral(": second failure")));
    QVERIFY(lines.at(0).size() > QStringLiteral(": first failure").size());
}

void TestShell::defaultExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("result");
    QTest::newRow("no extension") << "/w/page" << "htm" << "/w/page.htm";
    QTest::newRow("own extension kept") << "/w/page.txt" << "htm" << "/w/page.txt";
    QTest::newRow("dot in folder only") << "/w.d/page" << "html" << "/w.d/page.html";
}

void TestShell::defaultExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, ext);
    QFETCH(QString, result);
    QCOMPARE(WithDefaultExtension(name, ext), result);
}

QTEST_GUILESS_MAIN(TestShell)
#include "tst_shell.moc"
