// Open from the Web and publishing through the main window, offscreen: a page from the
// test's own server in a new tab, failures that open nothing, and files handed to a
// publishing command that writes down its arguments.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/filepanel.h"
#include "app/htmltab.h"
#include "app/mainactions.h"
#include "app/mainwindow.h"
#include "editor/richhtml.h"
#include "platform/configstore.h"
#include "platform/programfolder.h"
#include "projects/cannedserver.h"
#include "projects/openfromweb.h"
#include "projects/webfetch.h"
#include "testsupport.h"

static TShownBox Box(TMsgKind kind, const QString &text, int buttons) { return {kind, text, buttons, QString()}; }

class TestWebPublish : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_program;
    TCannedServer m_server;
    TfMain *m_main = nullptr;
    TMessageRecorder m_boxes;
    TModalAnswerer m_modal;

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        SetProgramFolder(m_program.Path() + u'/');
        m_server.Replies["/page.html"] = {TCannedServer::Reply("200 OK", "text/html", "<P>one\r\ntwo</P>")};
        m_server.Replies["/missing.html"] = {TCannedServer::Reply("404 Not Found", "text/html", "<P>gone</P>")};
        m_server.Replies["/shot"] = {TCannedServer::Reply("200 OK", "image/png", "\x89PNG")};
    }
    void init()
    {
        ConfigStore::EraseKey(PendwickKey());
        m_main = new TfMain;
        m_boxes.Clear();
        m_modal.Clear();
    }
    void cleanup()
    {
        TOpenFromWebHook::Set(nullptr);
        for (int i = 0; i < m_main->HTMLTab()->DocumentCount(); ++i)
            m_main->HTMLTab()->Editor(i)->SetModified(false);
        m_main->close();
        delete m_main;
    }

    void openFromWeb_data()
    {
        QTest::addColumn<QString>("url"); // %1: the server's address
        QTest::addColumn<int>("noticeAnswer");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<QString>("text"); // of the new tab; none opens without it
        QTest::addColumn<QList<TShownBox>>("boxes");
        QTest::newRow("a page opens in one tab, caret at 0") << "%1/page.html" << int(mbOK) << false
                                                             << "<P>one\ntwo</P>" << QList<TShownBox>();
        QTest::newRow("an error reply opens nothing")
            << "%1/missing.html" << int(mbOK) << false << ""
            << QList<TShownBox>{Box(mkError, OpenUrlErrorText(), mbOK)};
        QTest::newRow("an image reply opens nothing")
            << "%1/shot" << int(mbOK) << false << "" << QList<TShownBox>{Box(mkInformation, FileTypeRefusedText(), mbOK)};
        QTest::newRow("an image address is not fetched")
            << "%1/a.gif" << int(mbOK) << false << "" << QList<TShownBox>{Box(mkInformation, FileTypeRefusedText(), mbOK)};
        QTest::newRow("the notice cancelled") << "%1/page.php" << int(mbCancel) << false << "" << QList<TShownBox>();
        QTest::newRow("Escape stops a fetch with no answer") << "%1/silent" << int(mbOK) << true << "" << QList<TShownBox>();
    }
    void openFromWeb()
    {
        QFETCH(QString, url);
        QFETCH(int, noticeAnswer);
        QFETCH(bool, escape);
        QFETCH(QString, text);
        QFETCH(QList<TShownBox>, boxes);
        url = url.arg(m_server.Base());
        TOpenFromWebHook::Set([url] { return url; });
        m_modal.NoticeAnswer = noticeAnswer;
        bool busy = false;
        if (escape)
            QTimer::singleShot(200, m_main, [this, &busy] {
                busy = m_main->Busy() && QGuiApplication::overrideCursor();
                QTest::keyClick(m_main->ActiveEditor(), Qt::Key_Escape);
            });
        m_main->ActiveEditor()->InsertTags(QStringLiteral("<P>"), QString(), false); // kept, not replaced
        const int before = m_main->HTMLTab()->DocumentCount();
        m_main->Action(QStringLiteral("mnuFileOpenWeb"))->trigger();
        QCOMPARE(m_boxes.Boxes, boxes);
        QCOMPARE(busy, escape);
        QVERIFY(!m_main->Busy() && !QGuiApplication::overrideCursor());
        QCOMPARE(m_main->StatusPanelText(1), QStringLiteral(" Ready."));
        QCOMPARE(m_main->HTMLTab()->DocumentCount(), before + (text.isEmpty() ? 0 : 1));
        if (text.isEmpty())
            return;
        TkrRichHTML *e = m_main->ActiveEditor();
        QCOMPARE(e->Text(), text);
        QCOMPARE(e->SelStart(), 0);
        QCOMPARE(e->SelLength(), 0);
        QCOMPARE(e->URL, url);
        QVERIFY(e->Filename().isEmpty());
    }

    void publish_data()
    {
        QTest::addColumn<QString>("command"); // %1: the script
        QTest::addColumn<QStringList>("selected"); // file panel; none: the toolbar's button
        QTest::addColumn<int>("saveAnswer");       // toolbar: the save question (0: not asked)
        QTest::addColumn<QString>("saveAs");       // toolbar: the Save As answer
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<TShownBox>>("boxes");
        const QString a = QStringLiteral("a \"quoted\" name.html"), b = QStringLiteral("b c.htm");
        QTest::newRow("selected files: one argument each, after the fixed ones")
            << "%1 --site \"my site\"" << QStringList{a, b} << 0 << "" << QStringList{"--site", "my site", "$" + a, "$" + b}
            << QList<TShownBox>();
        QTest::newRow("nothing selected runs nothing") << "%1" << QStringList{"-"} << 0 << "" << QStringList()
                                                       << QList<TShownBox>{Box(mkMessage, "No files selected.", mbOK)};
        QTest::newRow("a cancelled Save As publishes nothing")
            << "%1" << QStringList() << int(mbYes) << "" << QStringList()
            << QList<TShownBox>{Box(mkConfirm, "Save changes to [Untitled]?", mbYes | mbNo | mbCancel),
                                Box(mkMessage, "No files passed.", mbOK)};
        QTest::newRow("No on an untitled document publishes nothing")
            << "%1" << QStringList() << int(mbNo) << "" << QStringList()
            << QList<TShownBox>{Box(mkConfirm, "Save changes to [Untitled]?", mbYes | mbNo | mbCancel),
                                Box(mkMessage, "No files passed.", mbOK)};
        QTest::newRow("the document saved, then published")
            << "%1" << QStringList() << int(mbYes) << "new page.html" << QStringList{"$new page.html"}
            << QList<TShownBox>{Box(mkConfirm, "Save changes to [Untitled]?", mbYes | mbNo | mbCancel)};
        QTest::newRow("no command") << "" << QStringList{a} << 0 << "" << QStringList()
                                    << QList<TShownBox>{Box(mkWarning, "", mbOK)};
    }
    void publish()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, selected);
        QFETCH(int, saveAnswer);
        QFETCH(QString, saveAs);
        QFETCH(QStringList, arguments);
        QFETCH(QList<TShownBox>, boxes);
        TTempFiles files;
        const QString out = files.FilePath("arguments.txt");
        const QString script = files.Write("publish.sh", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                                             out.toUtf8() + ".part\"\nmv \"" + out.toUtf8() + ".part\" \"" +
                                                             out.toUtf8() + "\"\n");
        QDir().mkpath(files.FilePath("site"));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!command.isEmpty())
            ConfigStore::Write(PendwickKey(), QStringLiteral("PublishCommand"), command.arg(script));
        for (QString &name : arguments)
            if (name.startsWith(u'$'))
                name = files.FilePath("site/" + name.mid(1));
        for (const QString &name : selected)
            if (name != u"-")
                files.Write("site/" + name, "<P>x</P>");
        if (saveAnswer) {
            m_main->ActiveEditor()->InsertTags(QStringLiteral("<P>"), QString(), false);
            m_boxes.Answers << saveAnswer;
            m_modal.FileAnswers << (saveAs.isEmpty() ? QString() : files.FilePath("site/" + saveAs));
            m_main->Action(QStringLiteral("spdPublish"))->trigger();
        } else {
            m_main->FilePanel().ListFolder(files.FilePath("site"));
            QTRY_VERIFY(!m_main->FilePanel().Listing());
            for (QTreeWidgetItem *item : m_main->FilePanel().lvwFiles->Items())
                item->setSelected(selected.contains(item->text(0)));
            if (selected == QStringList{"-"})
                m_main->FilePanel().PublishSelected(); // the item is disabled then: the call itself
            else
                m_main->Action(QStringLiteral("mnuPopupFilePublish"))->trigger();
        }
        QCOMPARE(m_boxes.Boxes.size(), boxes.size());
        for (int i = 0; i < boxes.size(); ++i) {
            QCOMPARE(m_boxes.Boxes[i].Kind, boxes[i].Kind);
            QCOMPARE(m_boxes.Boxes[i].Buttons, boxes[i].Buttons);
            if (!boxes[i].Text.isEmpty())
                QCOMPARE(m_boxes.Boxes[i].Text, boxes[i].Text);
            else
                QVERIFY(m_boxes.Boxes[i].Text.contains(m_program.Path() + "/help/publishing.html."));
        }
        QCOMPARE(m_main->focusWidget(), m_main->ActiveEditor());
        if (arguments.isEmpty()) {
            QTest::qWait(200);
            QVERIFY(!QFile::exists(out));
            return;
        }
        QTRY_VERIFY(QFile::exists(out));
        QCOMPARE(QString::fromUtf8(ReadTestFile(out)).split(u'\n', Qt::SkipEmptyParts), arguments);
    }

    // The dialog: its buttons follow the two stored locations; OK checks the address.
    void dialogWiring()
    {
        TTempFiles files;
        const QString bookmarks = files.Write("bookmark.htm", "<A HREF=\"http://b.example/\">b</A><A HREF=\"http://a.example/\">a</A>");
        const QString shortcut = files.Write("site.url", "[InternetShortcut]\r\nURL=http://s.example/x.html\r\n");
        {
            TfOpenFromWeb dialog;
            QVERIFY(dialog.btnFavorites->isHidden() && dialog.btnBookmarks->isHidden());
            dialog.accept();
            QCOMPARE(m_boxes.Boxes, (QList<TShownBox>{Box(mkWarning, InvalidUrlText(), mbOK)}));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            dialog.txtURL->setText(QStringLiteral("HTTPS://X.EXAMPLE"));
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        ConfigStore::Write(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"),
                           QStringLiteral("Favorites"), files.Path());
        ConfigStore::Write(QStringLiteral("Software\\Netscape\\Netscape Navigator\\Bookmark List"),
                           QStringLiteral("File Location"), bookmarks);
        TfOpenFromWeb dialog;
        QVERIFY(!dialog.btnFavorites->isHidden() && !dialog.btnBookmarks->isHidden());
        m_modal.FileAnswers << shortcut;
        dialog.btnFavorites->click();
        QCOMPARE(m_modal.FileDialogs.value(0).Value, files.Path());
        QCOMPARE(dialog.URL(), QStringLiteral("http://s.example/x.html"));
        TfBookmarks list(bookmarks);
        QCOMPARE(list.lstBookmarks->item(0)->text(), QStringLiteral("http://a.example/"));
        QCOMPARE(list.lstBookmarks->count(), 2);
        QVERIFY(list.cmdOK->isEnabled());
        QVERIFY(!TfBookmarks(shortcut).cmdOK->isEnabled());
    }
};

QTEST_MAIN(TestWebPublish)
#include "tst_webpublish.moc"
