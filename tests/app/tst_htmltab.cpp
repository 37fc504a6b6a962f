// The document tab set: adding, replacing and removing documents, the tab strip and events.
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

#include "app/htmltab.h"
#include "platform/messagebox.h"
#include "editor/richhtml.h"
#include "testsupport.h"

class TestHTMLTab : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<TTempFiles> m_files;
    TMessageRecorder m_messages;

    QString Write(const QString &name, const QByteArray &bytes) { return m_files->Write(name, bytes); }
    // Opens files that each hold their own name.
    bool Open(TkrHTMLTab &tab, const QStringList &names)
    {
        for (const QString &name : names)
            if (!tab.AddDocument(Write(name, name.toUtf8()), ccFull, false))
                return false;
        return true;
    }
    static QStringList Captions(const TkrHTMLTab &tab)
    {
        QStringList list;
        for (int i = 0; i < tab.DocumentCount(); ++i)
            list << tab.TabCaption(i);
        return list;
    }

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        m_messages.FixedAnswer = mbOK;
    }
    void init()
    {
        m_files = std::make_unique<TTempFiles>();
        m_messages.Clear();
    }

    void startsWithOneUntitledDocument()
    {
        TkrHTMLTab tab;
        QCOMPARE(Captions(tab), QStringList{"[Untitled]"});
        QVERIFY(tab.FileName(0).isEmpty() && !tab.Editor(0)->Modified());
        QCOMPARE(tab.ActiveEditor(), tab.Editor(0));
    }

    void firstDocumentReplacesPristineUntitled_data()
    {
        QTest::addColumn<bool>("modifyFirst");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("pristine, file opened") << false << "a.html" << QStringList{"a.html"};
        QTest::newRow("pristine, new document") << false << "" << QStringList{"[Untitled]"};
        QTest::newRow("modified, file opened") << true << "a.html" << QStringList{"[Untitled]", "a.html"};
        QTest::newRow("modified, new document") << true << "" << QStringList{"[Untitled]", "[Untitled]"};
    }
    void firstDocumentReplacesPristineUntitled()
    {
        QFETCH(bool, modifyFirst);
        QFETCH(QString, file);
        QFETCH(QStringList, captions);
        TkrHTMLTab tab;
        tab.show();
        QPointer<TkrRichHTML> first = tab.Editor(0);
        if (modifyFirst)
            first->insertPlainText("typed");
        QSignalSpy change(&tab, &TkrHTMLTab::OnActiveDocChange);
        QSignalSpy selection(&tab, &TkrHTMLTab::OnActiveDocSelectionChange);
        QSignalSpy modified(&tab, &TkrHTMLTab::OnActiveDocModifyStatusChange);
        QSignalSpy page(&tab, &TkrHTMLTab::OnPageChange);
        QVERIFY(file.isEmpty() ? tab.AddDocument(QString(), ccFull, false) : Open(tab, {file}));
        QCOMPARE(change.count() + selection.count() + modified.count() + page.count(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Captions(tab), captions);
        QCOMPARE(first.isNull(), !modifyFirst);
        QCOMPARE(tab.TabIndex(), tab.DocumentCount() - 1);
        QVERIFY(tab.ActiveEditor()->isVisible());
        QCOMPARE(tab.ActiveEditor()->Text(), file);
        QVERIFY(!QGuiApplication::overrideCursor() && !tab.Adding());
    }

    void unreadableFileLeavesSetAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("pristineStart");
        QTest::newRow("missing, pristine set") << QByteArray() << true;
        QTest::newRow("NUL bytes, pristine set") << QByteArray("a\0b", 3) << true;
        QTest::newRow("NUL bytes, file open") << QByteArray("a\0b", 3) << false;
    }
    void unreadableFileLeavesSetAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, pristineStart);
        const QString path = bytes.isEmpty() ? m_files->FilePath("gone.html") : Write("bin.html", bytes);
        TkrHTMLTab tab;
        if (!pristineStart)
            QVERIFY(Open(tab, {"ok.html"}));
        const QStringList before = Captions(tab);
        TkrRichHTML *editor = tab.Editor(0);
        QSignalSpy clicks(&tab, &TkrHTMLTab::OnDocumentTabClick);
        QVERIFY(!tab.AddDocument(path, ccFull, false));
        QVERIFY2(tab.LastError().contains(path), qPrintable(tab.LastError()));
        QCOMPARE(Captions(tab), before);
        QCOMPARE(tab.Editor(0), editor);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // A large file shows its name and its progress from the first report on; switching
    // tabs during its colouring moves the progress bar with the document in front.
    void largeFileShowsProgressFromTheStart()
    {
        QByteArray page;
        while (page.size() < TkrRichHTML::OpeningProgressBytes + 1000)
            page += "<P>Some <B>bold</B> words and a <A HREF=\"x.html\">link</A>.</P>\n";
        const QString path = Write("large.html", page);
        TkrHTMLTab tab;
        QVERIFY(Open(tab, {"small.html"}));
        QStringList seen;
        connect(&tab, &TkrHTMLTab::OnActiveDocProgressChange, this, [&](TkrHTMLTab *t, int value) {
            seen << QStringLiteral("%1 %2 %3").arg(t->TabCaption(t->TabIndex()), t->ActiveEditor()->ProgressCaption()).arg(value);
        });
        QVERIFY(tab.AddDocument(path, ccFull, false));
        QVERIFY(seen.size() >= 3);
        QCOMPARE(seen.first(), QStringLiteral("large.html Opening... 0"));
        QVERIFY(seen.contains(QStringLiteral("large.html Color coding... 0")));
        QVERIFY(tab.ActiveEditor()->ColorCodingActive());

        seen.clear();
        tab.SetTabIndex(0);
        QCOMPARE(seen, QStringList{"small.html  100"});
        seen.clear();
        tab.SetTabIndex(1);
        QVERIFY(!seen.isEmpty());
        QCOMPARE(seen.first(), QStringLiteral("large.html Color coding... 0"));
        QTRY_VERIFY(!tab.ActiveEditor()->ColorCodingActive());
        QVERIFY(seen.last().endsWith(QStringLiteral(" 100")));
    }

    void deleteOnlyDocumentResetsIt_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("resets");
        QTest::newRow("index 0") << 0 << true;
        QTest::newRow("negative index does nothing") << -1 << false;
    }
    void deleteOnlyDocumentResetsIt()
    {
        QFETCH(int, index);
        QFETCH(bool, resets);
        TkrHTMLTab tab;
        QVERIFY(Open(tab, {"a.html"}));
        TkrRichHTML *editor = tab.Editor(0);
        editor->InsertTags("<i>", "</i>", true);
        tab.DeletePage(index);
        if (!resets) {
            QCOMPARE(Captions(tab), QStringList{"a.html"});
            QCOMPARE(editor->Text(), "<i></i>a.html");
            QVERIFY(editor->Modified());
            return;
        }
        QCOMPARE(Captions(tab), QStringList{"[Untitled]"});
        QCOMPARE(tab.Editor(0), editor);
        QVERIFY(editor->Text().isEmpty() && !editor->Modified() && !editor->CanUndo());
        QVERIFY(tab.FileName(0).isEmpty() && editor->Filename().isEmpty());
        const TkrHTMLTab fresh; // the tab has lost its modified mark
        QCOMPARE(tab.TabStrip()->tabRect(0).width(), fresh.TabStrip()->tabRect(0).width());
    }

    void deletePageWithSeveralDocuments_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("messages");
        const QStringList all{"a.html", "b.html", "c.html"};
        QTest::newRow("middle") << 1 << QStringList{"a.html", "c.html"} << QStringList();
        QTest::newRow("past the end") << 3 << all << QStringList{"Error - page does not exist"};
        QTest::newRow("negative") << -1 << all << QStringList();
    }
    void deletePageWithSeveralDocuments()
    {
        QFETCH(int, index);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, messages);
        TkrHTMLTab tab;
        QVERIFY(Open(tab, {"a.html", "b.html", "c.html"}));
        tab.DeletePage(index);
        QCOMPARE(Captions(tab), captions);
        QCOMPARE(m_messages.Texts(), messages);
        for (int i = 0; i < tab.DocumentCount(); ++i)
            QCOMPARE(tab.Editor(i)->Text(), captions[i]);
    }

    void indexOfFile_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("index");
        QTest::newRow("same path") << "b.html" << 1;
        QTest::newRow("through ./") << "./b.html" << 1;
        QTest::newRow("through a symlink") << "link.html" << 1;
        QTest::newRow("other case, no such file") << "B.html" << -1;
        QTest::newRow("other case, another file") << "A.html" << -1;
        QTest::newRow("not open") << "c.html" << -1;
    }
    void indexOfFile()
    {
        QFETCH(QString, query);
        QFETCH(int, index);
        TkrHTMLTab tab;
        QVERIFY(Open(tab, {"a.html", "b.html"}));
        Write("A.html", "A");
        Write("c.html", "c");
        QVERIFY(QFile::link(m_files->FilePath("b.html"), m_files->FilePath("link.html")));
        QCOMPARE(tab.IndexOfFile(m_files->Path() + "/" + query), index);
    }

    void changingTabRaisesClickThenPageChange()
    {
        TkrHTMLTab tab;
        QVERIFY(Open(tab, {"a.html", "b.html", "c.html"}));
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QStringList events;
        connect(&tab, &TkrHTMLTab::OnDocumentTabClick, [&] { events << "click"; });
        connect(&tab, &TkrHTMLTab::OnPageChange, [&] { events << "page"; });
        tab.SetTabIndex(0);
        QCOMPARE(events, (QStringList{"click", "page"}));
        QVERIFY(tab.Editor(0)->isVisible() && !tab.Editor(2)->isVisible());
        tab.SetTabIndex(0);
        QCOMPARE(events.size(), 2);
        QTest::mouseClick(tab.TabStrip(), Qt::LeftButton, {}, tab.TabStrip()->tabRect(1).center());
        QCOMPARE(events, (QStringList{"click", "page", "click", "page"}));
        QCOMPARE(tab.ActiveEditor(), tab.Editor(1));
    }

    void modifiedTabIsWiderAndMarked_data()
    {
        QTest::addColumn<int>("active");
        QTest::newRow("active document") << 0;
        QTest::newRow("inactive document") << 1;
    }
    void modifiedTabIsWiderAndMarked()
    {
        QFETCH(int, active);
        TkrHTMLTab tab;
        tab.resize(600, 300);
        tab.show();
        QVERIFY(Open(tab, {"a.html", "b.html"}));
        tab.SetTabIndex(active);
        QTabBar *bar = tab.TabStrip();
        const int width = bar->tabRect(0).width();
        auto markColor = [&] {
            const QRect r = bar->tabRect(0);
            return QColor(bar->grab().toImage().pixel(r.left() + 8, r.top() + 10));
        };
        QVERIFY(markColor() != QColor(Qt::red));
        tab.Editor(0)->insertPlainText("x");
        QCOMPARE(bar->tabRect(0).width(), width + 18);
        QCOMPARE(markColor(), QColor(Qt::red));
        tab.Editor(0)->SetModified(false);
        QCOMPARE(bar->tabRect(0).width(), width);
    }

    void savingRenamesTab()
    {
        TkrHTMLTab tab;
        QVERIFY(Open(tab, {"a.html"}));
        const QString saved = m_files->FilePath("saved.htm");
        QVERIFY(tab.Editor(0)->SaveDocument(saved));
        QCOMPARE(tab.TabCaption(0), QString("saved.htm"));
        QCOMPARE(tab.FileName(0), saved);
    }

    void droppedFilesAreReported_data()
    {
        QTest::addColumn<bool>("onEditor");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<int>("raised");
        const QList<QUrl> local{QUrl::fromLocalFile("/tmp/a b.html"), QUrl::fromLocalFile("/tmp/c.png")};
        QTest::newRow("tab strip, local files") << false << true << local << 1;
        QTest::newRow("tab strip, not accepting") << false << false << local << 0;
        QTest::newRow("tab strip, web address only") << false << true << QList<QUrl>{QUrl("http://x.org/a")} << 0;
        QTest::newRow("editor, local files") << true << true << local << 1;
    }
    void droppedFilesAreReported()
    {
        QFETCH(bool, onEditor);
        QFETCH(bool, accept);
        QFETCH(QList<QUrl>, urls);
        QFETCH(int, raised);
        TkrHTMLTab tab;
        tab.SetAcceptFiles(accept);
        QWidget *target = onEditor ? tab.ActiveEditor()->viewport() : tab.TabStrip();
        QSignalSpy drops(&tab, &TkrHTMLTab::OnDropFiles);
        QMimeData data;
        data.setUrls(urls);
        // As from a file manager: Qt hands a drop only to a widget that accepted the drag.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        QCOMPARE(drops.count(), raised);
        if (raised)
            QCOMPARE(drops[0][1].toStringList(), (QStringList{"/tmp/a b.html", "/tmp/c.png"}));
        QCOMPARE(tab.DocumentCount(), 1);
        QVERIFY(tab.ActiveEditor()->Text().isEmpty());
    }

    void settingsReachEveryEditor()
    {
        TkrHTMLTab tab;
        tab.Editor(0)->insertPlainText("keep");
        tab.SetTabWidth(36);
        tab.SetDocumentForegroundColor(Colors::clNavy);
        tab.SetDocumentBackgroundColor(Colors::clYellow);
        QVERIFY(tab.AddDocument(QString(), ccMinimal, true));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(tab.Editor(i)->TabWidth(), 36);
            QCOMPARE(tab.Editor(i)->ForegroundColor(), Colors::clNavy);
            QCOMPARE(tab.Editor(i)->BackgroundColor(), Colors::clYellow);
        }
        QCOMPARE(tab.Editor(1)->ColorCodeMode(), ccMinimal);
        QCOMPARE(tab.Editor(1)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    void keyPressesOfActiveEditorAreForwarded_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("editor");
        QTest::addColumn<bool>("forwarded");
        QTest::newRow("letter, active") << int(Qt::Key_A) << 0 << 1 << true;
        QTest::newRow("letter, inactive") << int(Qt::Key_A) << 0 << 0 << false;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier) << 1 << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 1 << false;
        QTest::newRow("Ctrl+]") << int(Qt::Key_BracketRight) << int(Qt::ControlModifier) << 1 << false;
    }
    void keyPressesOfActiveEditorAreForwarded()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, editor);
        QFETCH(bool, forwarded);
        TkrHTMLTab tab;
        tab.Editor(0)->insertPlainText("keep");
        QVERIFY(tab.AddDocument(QString(), ccFull, false));
        QList<int> keys;
        connect(&tab, &TkrHTMLTab::OnActiveDocKeyPress, [&](TkrHTMLTab *, QKeyEvent *e) { keys << e->key(); });
        QTest::keyClick(tab.Editor(editor), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(keys.contains(key), forwarded);
        if (key == Qt::Key_A)
            QVERIFY(tab.Editor(editor)->Text().endsWith("a")); // never consumed
    }
};

QTEST_MAIN(TestHTMLTab)
#include "tst_htmltab.moc"
