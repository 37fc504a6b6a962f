// The main window's settings table: what each stored text reads as, what closing writes,
// and that reading creates nothing.
#include <QFile>
#include <QtTest>

#include "app/mainsettings.h"
#include "platform/configstore.h"
#include "platform/programfolder.h"
#include "testsupport.h"

Q_DECLARE_METATYPE(TMainSettings)

namespace {
template <typename T>
TMainSettings With(T TMainSettings::*member, T value)
{
    TMainSettings s;
    s.*member = value;
    return s;
}
QByteArray StoreBytes()
{
    QFile f(ConfigStore::FileName());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestMainSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        SetProgramFolder(m_config->path());
    }
    void init() { ConfigStore::EraseKey(PendwickKey()); }
    void defaultsCreateNothing();
    void storedTexts_data();
    void storedTexts();
    void roundTrip();
    void closeWrites_data();
    void closeWrites();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestMainSettings::defaultsCreateNothing()
{
    ConfigStore::Write(PendwickKey(), QStringLiteral("Other"), QStringLiteral("x"));
    const QByteArray before = StoreBytes();
    TMainSettings s;
    s.Load();
    QCOMPARE(StoreBytes(), before);
    QVERIFY(s == TMainSettings());
    QCOMPARE(QRect(s.Left, s.Top, s.Width, s.Height), QRect(4, 4, 774, 550));
    QCOMPARE(s.WindowState, QStringLiteral("Normal"));
    QCOMPARE(QList<int>({s.DocListWidth, s.DirListHeight, s.ColWidth0, s.ColWidth1, s.ColWidth2}),
             QList<int>({138, 84, 128, 50, 150}));
    QCOMPARE(s.DocumentTemplate, ProgramFolder() + QStringLiteral("Default.html"));
    QCOMPARE(s.InitialDir, ProgramFolder());
    QCOMPARE(s.DocumentBackgroundColor, Colors::clWindow);
    QCOMPARE(s.DefHotSpotColor, Colors::clBlue);
    QCOMPARE(s.DefFontName, QStringLiteral("Times New Roman"));
    QVERIFY(s.WordWrap && s.StatusBar && s.ColorBar && s.MainVisible && s.SpeedbarVisible && s.LowerCaseFiles);
    QVERIFY(!s.Rulers && !s.LowerCaseTags && !s.ForceHexColor && !s.ListOnlyFileNames);
    QCOMPARE(ColorCodeModeOf(s.ColorCodeMode), ccFull);
    QCOMPARE(s.TabWidth, 20);
}

void TestMainSettings::storedTexts_data()
{
    QTest::addColumn<QString>("subKey");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TMainSettings>("expected");
    const TMainSettings defaults;
    QTest::newRow("boolean True reads false") << "" << "WordWrap" << "True" << With(&TMainSettings::WordWrap, false);
    QTest::newRow("boolean -1 reads true") << "" << "LowerCaseTags" << "-1" << With(&TMainSettings::LowerCaseTags, true);
    QTest::newRow("colour bar True shows") << "" << "ColorBar" << "True" << defaults;
    QTest::newRow("colour bar 0 hides") << "" << "ColorBar" << "0" << With(&TMainSettings::ColorBar, false);
    QTest::newRow("width that is no number") << "MainForm" << "Width" << "wide" << defaults;
    QTest::newRow("key names ignore case") << "mainform" << "Left" << "9" << With(&TMainSettings::Left, 9);
    QTest::newRow("splash abc is the default") << "" << "ShowSplash" << "abc" << defaults;
    QTest::newRow("unsigned colour") << "InternalBrowser" << "DefFontColor" << "2147483653"
                                     << With(&TMainSettings::DefFontColor, Colors::clWindow);
    QTest::newRow("template from the store") << "" << "DocumentTemplate" << "/t/x.html"
                                             << With(&TMainSettings::DocumentTemplate, QStringLiteral("/t/x.html"));
    QTest::newRow("column width") << "DocumentList" << "ColWidth_1" << "70" << With(&TMainSettings::ColWidth1, 70);
}

void TestMainSettings::storedTexts()
{
    QFETCH(QString, subKey);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(TMainSettings, expected);
    ConfigStore::Write(subKey.isEmpty() ? PendwickKey() : PendwickKey(subKey), name, text);
    TMainSettings s;
    s.Load();
    QVERIFY(s == expected);
}

// What closing and the at-once writes store is what start-up reads.
void TestMainSettings::roundTrip()
{
    TMainSettings s;
    s.Left = 10, s.Top = 20, s.Width = 600, s.Height = 400;
    s.WindowState = QStringLiteral("Maximized");
    s.DocListVisible = false, s.DocListWidth = 99, s.ColWidth2 = 7;
    s.ListImages = false, s.WordWrap = false, s.Rulers = true;
    s.ToolbarLayout = 1, s.MainVisible = false, s.SpeedbarVisible = false;
    s.Save(psFull);
    s.StatusBar = false;
    s.SaveValue(&TMainSettings::StatusBar);
    s.ColorCodeMode = 0;
    s.SaveValue(&TMainSettings::ColorCodeMode);
    s.InitialDir = QStringLiteral("/w/");
    s.SaveValue(&TMainSettings::InitialDir);
    TMainSettings loaded;
    loaded.Load();
    QVERIFY(loaded == s);
    QCOMPARE(ConfigStore::Read(PendwickKey(u"DocumentList"), QStringLiteral("Visible"), QString()), QStringLiteral("0"));
}

void TestMainSettings::closeWrites_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<bool>("state");
    QTest::addColumn<bool>("place");
    QTest::newRow("normal window") << int(psFull) << true << true;
    QTest::newRow("maximised keeps the normal place") << int(psStateOnly) << true << false;
    QTest::newRow("minimised writes no placement") << int(psNothing) << false << false;
}

void TestMainSettings::closeWrites()
{
    QFETCH(int, placement);
    QFETCH(bool, state);
    QFETCH(bool, place);
    TMainSettings().Save(TPlacementSave(placement));
    const QString form = PendwickKey(u"MainForm");
    QCOMPARE(ConfigStore::ValueExists(form, QStringLiteral("WindowState")), state);
    QCOMPARE(ConfigStore::ValueExists(form, QStringLiteral("Left")), place);
    QCOMPARE(ConfigStore::ValueExists(form, QStringLiteral("Height")), place);
    QVERIFY(ConfigStore::ValueExists(PendwickKey(u"Toolbars"), QStringLiteral("SpeedbarVisible")));
    QVERIFY(ConfigStore::ValueExists(PendwickKey(u"DocumentList"), QStringLiteral("ColWidth_0")));
    // Values set elsewhere are not written at close.
    for (const char *name : {"StatusBar", "ColorCodeMode", "InitialDir", "DefaultExtension", "ColorBar"})
        QVERIFY2(!ConfigStore::ValueExists(PendwickKey(), QLatin1String(name)), name);
}

QTEST_GUILESS_MAIN(TestMainSettings)
#include "tst_mainsettings.moc"
