// The "Browse" page and external browsers, driven through the main window offscreen.
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QtTest>

#include "platform/filedialogs.h"
#include "app/htmltab.h"
#include "app/mainwindow.h"
#include "platform/messagebox.h"
#include "app/messagedialog.h"
#include "app/preview.h"
#include "app/shellsettings.h"
#include "editor/richhtml.h"
#include "platform/configstore.h"
#include "testsupport.h"

class TestPreviewUi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void browsePageShowsDocument();
    void noBrowserAsksForOne();
    void missingBrowserIsReported();
    void temporaryCopyGoesToBrowser();
    void untitledMustBeSaved();
    void severalBrowsersOfferAList();
    void launchSettings_data();
    void launchSettings();

private:
    // Boxes are recorded (text, kind and buttons) and answered with answer.
    void RecordBoxes(int answer) { m_boxes.FixedAnswer = answer; }
    // Writes a page into the test folder and returns its full name.
    QString WritePage(const QString &name, const QByteArray &bytes) { return m_dir.Write(name, bytes); }
    QString FakeBrowser()
    {
        // A "browser" that writes the arguments it was given, one per line.
        const QString script = m_dir.Write(QStringLiteral("my browser.sh"),
                                           "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$(dirname \"$0\")/args.txt\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    QString Args()
    {
        return QString::fromUtf8(m_dir.Read(QStringLiteral("args.txt"))).trimmed();
    }

    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_dir;
    TfMain *m_main = nullptr;
    TMessageRecorder m_boxes;
    TModalAnswerer m_modal;
    int m_listEdits = 0;
};

void TestPreviewUi::initTestCase()
{
    m_config = UseTemporaryConfig();
    RecordBoxes(mbOK);
}

void TestPreviewUi::init()
{
    ConfigStore::EraseKey(AppKey());
    QFile::remove(m_dir.FilePath(QStringLiteral("args.txt")));
    m_main = new TfMain;
    m_main->PreviewPage().m_browserListHook = [this] { ++m_listEdits; };
    m_boxes.Clear();
    m_modal.Clear();
    m_listEdits = 0;
}

void TestPreviewUi::cleanup()
{
    for (int i = 0; i < m_main->HTMLTab()->DocumentCount(); ++i)
        m_main->HTMLTab()->Editor(i)->SetModified(false);
    delete m_main;
    m_main = nullptr;
}

void TestPreviewUi::browsePageShowsDocument()
{
    m_main->ActiveEditor()->InsertTags(QStringLiteral("<H1>Title</H1><P>Body text</P>"), QString(), false);
    m_main->Action(QStringLiteral("mnuOptionsToggleBrowse"))->trigger();
    QCOMPARE(m_main->Pages()->currentIndex(), 1);
    QCOMPARE(m_modal.Notices, QList<int>{3});
    QVERIFY(m_main->ViewerText().contains(QStringLiteral("Body text")));
    QVERIFY(!m_main->ViewerText().contains(QStringLiteral("<P>")));
    QVERIFY(!m_main->Action(QStringLiteral("spdCut"))->isEnabled());
    QVERIFY(!m_main->Action(QStringLiteral("actEditTagKey"))->isEnabled()); // F3
    // The rulers stay beside whichever page is showing.
    m_main->SetRulersVisible(true);
    QVERIFY(m_main->findChild<QWidget *>(QStringLiteral("RulerHorz"))->isVisible());
    m_main->Action(QStringLiteral("mnuOptionsToggleBrowse"))->trigger();
    QCOMPARE(m_main->Pages()->currentIndex(), 0);
    QVERIFY(m_main->findChild<QWidget *>(QStringLiteral("RulerHorz"))->isVisible());
    QVERIFY(m_main->Action(QStringLiteral("spdCut"))->isEnabled());
    QVERIFY(m_main->Action(QStringLiteral("actEditTagKey"))->isEnabled());
}

// A warning, then the browser list; a browser entered there gets the page at once.
void TestPreviewUi::noBrowserAsksForOne()
{
    const QString page = WritePage(QStringLiteral("plain.html"), "<P>x</P>");
    QVERIFY(m_main->OpenDocument(page));
    m_main->PreviewPage().m_browserListHook = [this] {
        ++m_listEdits;
        Preview::WriteBrowserList({Preview::FormatBrowserEntry(QStringLiteral("Fake"), FakeBrowser())});
    };
    m_main->Action(QStringLiteral("mnuOptionsViewExternal"))->trigger();
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({{mkWarning, QStringLiteral("Please specify an external browser."), mbOK}}));
    QCOMPARE(m_listEdits, 1);
    QTRY_COMPARE(Args(), page);
}

void TestPreviewUi::missingBrowserIsReported()
{
    const QString missing = m_dir.FilePath(QStringLiteral("no such browser"));
    Preview::WriteBrowserList({Preview::FormatBrowserEntry(QStringLiteral("Gone"), missing)});
    m_main->Action(QStringLiteral("spdExternalBrowser"))->trigger();
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({{mkInformation, Preview::MissingBrowserMessage(missing), mbOK}}));
    QCOMPARE(m_listEdits, 1);
}

// Launch setting 2: a temporary copy in the document's folder goes to the browser as one
// argument, and leaving the viewer page deletes it.
void TestPreviewUi::temporaryCopyGoesToBrowser()
{
    ConfigStore::WriteInt(AppKey(), QStringLiteral("BrowserLaunchSetting"), 2);
    delete m_main;
    m_main = new TfMain;
    Preview::WriteBrowserList({Preview::FormatBrowserEntry(QStringLiteral("Fake"), FakeBrowser())});
    QDir(m_dir.Path()).mkpath(QStringLiteral("site folder"));
    const QString page = WritePage(QStringLiteral("site folder/page.html"), "<P>saved</P>");
    QVERIFY(m_main->OpenDocument(page));
    m_main->ActiveEditor()->InsertTags(QStringLiteral("<B>unsaved</B>"), QString(), false);
    m_main->ViewInExternalBrowser();
    QTRY_VERIFY(!Args().isEmpty());
    const QString copy = Args();
    QVERIFY2(QFileInfo(copy).fileName().startsWith(QStringLiteral("~pw")), qPrintable(copy));
    QVERIFY(copy.endsWith(QStringLiteral(".html")));
    QCOMPARE(QFileInfo(copy).absolutePath(), QFileInfo(page).absolutePath());
    QFile c(copy);
    QVERIFY(c.open(QIODevice::ReadOnly));
    QVERIFY(c.readAll().contains("<B>unsaved</B>"));
    QVERIFY(m_main->ActiveEditor()->Modified()); // the document itself is not saved
    m_main->Pages()->setCurrentIndex(1);
    m_main->Pages()->setCurrentIndex(0);
    QVERIFY(!QFile::exists(copy));
}

void TestPreviewUi::untitledMustBeSaved()
{
    Preview::WriteBrowserList({Preview::FormatBrowserEntry(QStringLiteral("Fake"), FakeBrowser())});
    m_main->ActiveEditor()->InsertTags(QStringLiteral("x"), QString(), false);
    QVERIFY(!m_main->LaunchBrowser(FakeBrowser()));
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({
        {mkInformation, QStringLiteral("This document must be saved in order to display it."), mbOK | mbCancel}}));
    QCOMPARE(m_modal.FileDialogs.size(), 1); // OK goes on to Save As
    // Cancel stops before Save As.
    RecordBoxes(mbCancel);
    QVERIFY(!m_main->LaunchBrowser(FakeBrowser()));
    QCOMPARE(m_modal.FileDialogs.size(), 1);
    RecordBoxes(mbOK);
    QTest::qWait(100);
    QVERIFY(Args().isEmpty());
}

void TestPreviewUi::severalBrowsersOfferAList()
{
    const QString fake = FakeBrowser();
    Preview::WriteBrowserList({Preview::FormatBrowserEntry(QStringLiteral("First"), m_dir.FilePath(QStringLiteral("gone"))),
                               Preview::FormatBrowserEntry(QStringLiteral("Second"), fake)});
    const QString page = WritePage(QStringLiteral("plain.html"), "<P>x</P>");
    QVERIFY(m_main->OpenDocument(page));
    QStringList offered;
    m_main->PreviewPage().m_browserChoiceHook = [&](const QList<QAction *> &actions) {
        for (QAction *a : actions)
            offered << a->text();
        return actions.value(1);
    };
    m_main->ViewInExternalBrowser();
    QCOMPARE(offered, (QStringList{QStringLiteral("First"), QStringLiteral("Second")}));
    QTRY_COMPARE(Args(), page);
    // A name that stands twice is the first entry of that name, whichever item was chosen.
    QFile::remove(m_dir.FilePath(QStringLiteral("args.txt")));
    Preview::WriteBrowserList({Preview::FormatBrowserEntry(QStringLiteral("Same"), fake),
                               Preview::FormatBrowserEntry(QStringLiteral("Same"), m_dir.FilePath(QStringLiteral("gone")))});
    m_main->ViewInExternalBrowser();
    QTRY_COMPARE(Args(), page);
    QVERIFY(m_boxes.Boxes.isEmpty());
}

void TestPreviewUi::launchSettings_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<bool>("untitled");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("sent"); // "file", "copy" or "" for nothing
    QTest::addColumn<bool>("savedAfter");
    QTest::newRow("0, named, Yes saves and sends") << 0 << false << int(mbYes) << "file" << true;
    QTest::newRow("0, named, Cancel sends nothing") << 0 << false << int(mbCancel) << "" << false;
    QTest::newRow("1, named, saves and sends") << 1 << false << int(mbOK) << "file" << true;
    QTest::newRow("2, named, temporary copy") << 2 << false << int(mbOK) << "copy" << false;
    QTest::newRow("0, untitled, Save As cancelled") << 0 << true << int(mbOK) << "" << false;
    QTest::newRow("1, untitled, Save As cancelled") << 1 << true << int(mbOK) << "" << false;
    QTest::newRow("2, untitled, temporary copy") << 2 << true << int(mbOK) << "copy" << false;
}

void TestPreviewUi::launchSettings()
{
    QFETCH(int, setting);
    QFETCH(bool, untitled);
    QFETCH(int, answer);
    QFETCH(QString, sent);
    QFETCH(bool, savedAfter);
    ConfigStore::WriteInt(AppKey(), QStringLiteral("BrowserLaunchSetting"), setting);
    delete m_main;
    m_main = new TfMain;
    RecordBoxes(answer);
    const QString browser = FakeBrowser();
    const QString page = m_dir.FilePath(QStringLiteral("named.html"));
    if (!untitled)
        QVERIFY(m_main->OpenDocument(WritePage(QStringLiteral("named.html"), "<P>old</P>")));
    m_main->ActiveEditor()->InsertTags(QStringLiteral("<B>new</B>"), QString(), false);
    m_main->LaunchBrowser(browser);
    if (sent.isEmpty()) {
        QTest::qWait(150);
        QVERIFY(Args().isEmpty());
    } else {
        QTRY_VERIFY(!Args().isEmpty());
        if (sent == QLatin1String("file"))
            QCOMPARE(Args(), page);
        else
            QVERIFY(QFileInfo(Args()).fileName().startsWith(QStringLiteral("~pw")));
    }
    QCOMPARE(!m_main->ActiveEditor()->Modified(), savedAfter);
    RecordBoxes(mbOK);
}

QTEST_MAIN(TestPreviewUi)
#include "tst_previewui.moc"
