// The file panel in the main window, offscreen: listing with its progress and Escape, the
// pop-up's file actions, sorting, and what "&Edit", "Insert &Tag..." and drags hand on.
#include <QAction>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "app/filepanel.h"
#include "app/htmltab.h"
#include "app/mainwindow.h"
#include "app/notices.h"
#include "editor/richhtml.h"
#include "platform/configstore.h"
#include "platform/programfolder.h"
#include "testsupport.h"

class TestFilePanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listingProgressAndEscape();
    void fileActions_data();
    void fileActions();
    void nameClicksSortDescendingThenAscending();
    void includeImagesMovesBothChecks();
    void editBringsOpenTabForward();
    void insertTagHandsOnRealPath();

private:
    TFilePanel &Panel() { return m_main->FilePanel(); }
    QStringList Captions() const
    {
        QStringList names;
        for (QTreeWidgetItem *item : m_main->FilePanel().lvwFiles->Items())
            names << item->text(0);
        return names;
    }
    void Select(const QStringList &names)
    {
        Panel().lvwFiles->clearSelection();
        for (QTreeWidgetItem *item : Panel().lvwFiles->Items())
            item->setSelected(names.contains(item->text(0)));
    }

    std::unique_ptr<QTemporaryDir> m_config;
    QTemporaryDir m_home;
    TTempFiles m_program;
    TfMain *m_main = nullptr;
    TMessageRecorder m_boxes;
    TModalAnswerer m_modal;
};

void TestFilePanel::initTestCase()
{
    m_config = UseTemporaryConfig();
    qputenv("HOME", m_home.path().toLocal8Bit()); // the trash goes here
    SetProgramFolder(m_program.Path() + u'/');
}

void TestFilePanel::init()
{
    ConfigStore::EraseKey(PendwickKey());
    m_main = new TfMain;
    m_boxes.Clear();
    m_modal.Clear();
}

void TestFilePanel::cleanup()
{
    for (int i = 0; i < m_main->HTMLTab()->DocumentCount(); ++i)
        m_main->HTMLTab()->Editor(i)->SetModified(false);
    m_main->close();
    delete m_main;
    m_main = nullptr;
}

// Escape stops a long listing with the items so far, and the folder is still written.
void TestFilePanel::listingProgressAndEscape()
{
    TTempFiles files;
    for (int i = 0; i < 21; ++i)
        files.Write(QStringLiteral("p%1.html").arg(i, 2, 10, QLatin1Char('0')), "<title>t</title>");
    Panel().SliceMs = 0; // one file a slice
    Panel().ListFolder(files.Path());
    QVERIFY(Panel().Listing());
    QCOMPARE(m_main->Layout().lblProgress->text(), QStringLiteral("Scanning..."));
    QVERIFY(!m_main->Layout().lblProgress->isHidden());
    QTRY_VERIFY(Panel().lvwFiles->topLevelItemCount() >= 2);
    QTest::keyClick(Panel().lvwFiles, Qt::Key_Escape);
    QVERIFY(!Panel().Listing());
    const int kept = Panel().lvwFiles->topLevelItemCount();
    QVERIFY2(kept >= 2 && kept < 21, qPrintable(QString::number(kept)));
    QCOMPARE(ConfigStore::Read(PendwickKey(), QStringLiteral("InitialDir"), QString()), files.Path() + u'/');
    QVERIFY(m_main->Layout().lblProgress->isHidden());
    QCOMPARE(m_main->StatusPanelText(1), QStringLiteral(" Ready."));
    // A new request stops the running one; 20 files list at once without the progress.
    Panel().ListFolder(files.Path());
    QVERIFY(Panel().Listing());
    QFile::remove(files.FilePath("p20.html"));
    Panel().ListFolder(files.Path());
    QVERIFY(!Panel().Listing());
    QCOMPARE(Panel().lvwFiles->topLevelItemCount(), 20);
    QVERIFY(m_main->Layout().lblProgress->isHidden());
}

void TestFilePanel::fileActions_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<int>("notices");
    QTest::addColumn<int>("listings");
    const QStringList all{"a.html", "b.html", "c*.html", "d.html"};
    QTest::newRow("two copies") << "copy" << QStringList{"a.html"} << ""
                                << QStringList{"Copy (2) of a.html", "Copy of a.html", "a.html", "b.html", "c*.html", "d.html"}
                                << QStringList() << 0 << 2;
    QTest::newRow("rename to nothing") << "rename" << QStringList{"a.html"} << "" << all << QStringList() << 0 << 0;
    QTest::newRow("rename into a folder refused")
        << "rename" << QStringList{"a.html"} << "x/y.html" << all << QStringList{"Unable to rename file."} << 0 << 0;
    QTest::newRow("rename onto another file refused")
        << "rename" << QStringList{"a.html"} << "b.html" << all << QStringList{"Unable to rename file."} << 0 << 0;
    QTest::newRow("rename") << "rename" << QStringList{"a.html"} << "e.html"
                            << QStringList{"b.html", "c*.html", "d.html", "e.html"} << QStringList() << 0 << 0;
    QTest::newRow("delete three, one notice, one listing")
        << "delete" << QStringList{"a.html", "b.html", "d.html"} << "" << QStringList{"c*.html"} << QStringList() << 1 << 1;
    QTest::newRow("a star stops the delete, the gone file is not listed")
        << "delete" << QStringList{"b.html", "c*.html", "d.html"} << ""
        << QStringList{"a.html", "c*.html", "d.html"}
        << QStringList{"This filename contains an illegal wildcard character (*).  Operation cancelled."} << 1 << 1;
}

void TestFilePanel::fileActions()
{
    QFETCH(QString, action);
    QFETCH(QStringList, selected);
    QFETCH(QString, newName);
    QFETCH(QStringList, files);
    QFETCH(QStringList, errors);
    QFETCH(int, notices);
    QFETCH(int, listings);
    TTempFiles folder;
    for (const char *name : {"a.html", "b.html", "c*.html", "d.html"})
        folder.Write(QLatin1String(name), name);
    QDir().mkpath(folder.FilePath("x"));
    Panel().ListFolder(folder.Path());
    QSignalSpy relisted(Panel().lvwFiles->model(), &QAbstractItemModel::modelReset);
    m_boxes.Clear();
    Select(selected);
    if (action == QLatin1String("copy")) {
        m_main->Action("mnuPopupFileCopy")->trigger();
        Select(selected);
        m_main->Action("mnuPopupFileCopy")->trigger();
    } else if (action == QLatin1String("delete")) {
        m_main->Action("mnuPopupFileDelete")->trigger();
    } else {
        Panel().lvwFiles->topLevelItem(0)->setText(0, newName); // what editing in place ends with
    }
    QCOMPARE(QDir(folder.Path()).entryList(QDir::Files, QDir::Name), files);
    QCOMPARE(ReadTestFile(folder.FilePath("b.html")), QByteArray(files.contains("b.html") ? "b.html" : ""));
    QList<TShownBox> expected;
    for (const QString &text : errors)
        expected.append({mkError, text, mbOK});
    QCOMPARE(m_boxes.Boxes, expected);
    QCOMPARE(m_modal.Notices.size(), notices);
    QCOMPARE(relisted.size(), listings);
    if (action == QLatin1String("rename"))
        QCOMPARE(Panel().lvwFiles->topLevelItem(0)->text(0), files.contains("a.html") ? QString("a.html") : newName);
    if (listings)
        QCOMPARE(Captions(), files);
}

void TestFilePanel::nameClicksSortDescendingThenAscending()
{
    TTempFiles folder;
    for (const char *name : {"b.html", "A.html", "c.html"})
        folder.Write(QLatin1String(name), "x");
    Panel().ListFolder(folder.Path());
    QCOMPARE(Captions(), (QStringList{"A.html", "b.html", "c.html"}));
    emit Panel().lvwFiles->header()->sectionClicked(0);
    QCOMPARE(Captions(), (QStringList{"c.html", "b.html", "A.html"}));
    emit Panel().lvwFiles->header()->sectionClicked(0);
    QCOMPARE(Captions(), (QStringList{"A.html", "b.html", "c.html"}));
}

void TestFilePanel::includeImagesMovesBothChecks()
{
    TTempFiles folder;
    folder.Write("a.html", "x");
    folder.Write("p.gif", GifBytes(16, 8));
    Panel().ListFolder(folder.Path());
    QCOMPARE(Captions(), (QStringList{"a.html", "p.gif"}));
    QCOMPARE(Panel().lvwFiles->topLevelItem(1)->text(2), QStringLiteral("Image - 16 x 8"));
    m_main->Action("mnuPopupFileListImages")->trigger();
    QCOMPARE(Captions(), QStringList{"a.html"});
    QVERIFY(!m_main->Action("mnuOptionsListImages")->isChecked());
    QVERIFY(!m_main->Action("mnuPopupFileListImages")->isChecked());
    m_main->Action("mnuOptionsListImages")->trigger();
    QVERIFY(m_main->Action("mnuPopupFileListImages")->isChecked());
    QCOMPARE(Captions().size(), 2);
}

// "&Edit" on a file that is open already brings its tab forward, as Open does.
void TestFilePanel::editBringsOpenTabForward()
{
    TTempFiles folder;
    const QString a = folder.Write("a.html", "<title>A</title>");
    folder.Write("b.html", "b");
    QVERIFY(m_main->OpenDocument(a));
    QCOMPARE(Panel().Folder(), folder.Path() + u'/'); // Open showed the file's folder
    m_main->NewFromTemplate(QString());
    const QStringList recent = m_main->MRU().Items();
    const int count = m_main->HTMLTab()->DocumentCount();
    Select({"a.html"});
    m_main->Action("mnuPopupFileEdit")->trigger();
    QCOMPARE(m_modal.Notices, QList<int>{ntFileAlreadyOpen});
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), count);
    QCOMPARE(m_main->ActiveEditor()->Filename(), a);
    Select({"b.html"});
    m_main->Action("mnuPopupFileEdit")->trigger();
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), count + 1);
    QCOMPARE(m_main->MRU().Items(), recent);
}

// The image dialog gets the real path, so it finds the picture's size; only the written
// reference is lower-cased. A drag carries the real path too.
void TestFilePanel::insertTagHandsOnRealPath()
{
    TTempFiles folder;
    folder.Write("Img/Logo.GIF", GifBytes(16, 8));
    Panel().ListFolder(folder.FilePath("Img"));
    Select({"Logo.GIF"});
    const QMimeData *drag = Panel().lvwFiles->model()->mimeData({Panel().lvwFiles->model()->index(0, 0)});
    QCOMPARE(drag->urls(), QList<QUrl>{QUrl::fromLocalFile(folder.FilePath("Img/Logo.GIF"))});
    delete drag;
    QVERIFY(m_main->OpenDocument(folder.Write("page.html", "<p>")));
    Panel().ListFolder(folder.FilePath("Img"));
    Select({"Logo.GIF"});
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    m_main->Action("mnuPopupFileInsertTag")->trigger();
    const QString text = m_main->ActiveEditor()->Text();
    QVERIFY2(text.contains("SRC=\"img/logo.gif\"") && text.contains("WIDTH=16") && text.contains("HEIGHT=8"), qPrintable(text));
}

QTEST_MAIN(TestFilePanel)
#include "tst_filepanel.moc"
