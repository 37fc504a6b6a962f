#include <functional>
#include <unistd.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "app/about.h"
#include "app/fullscreen.h"
#include "app/help.h"
#include "platform/messagebox.h"
#include "app/messagedialog.h"
#include "app/newdocument.h"
#include "app/newdocumentcheck.h"
#include "app/notices.h"
#include "platform/programfolder.h"
#include "app/splash.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

// Runs `answer` on the modal dialog of type T once exec() has shown it.
template <class T>
void WhenModal(std::function<void(T *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

// The data files as kept in the source tree.
QString ResourceFolder()
{
    return QFileInfo(QFINDTESTDATA("../../resources/Default.html")).absolutePath() + "/";
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    QTemporaryDir m_home;
    TMessageRecorder m_messages;
    QList<QUrl> m_openedUrls;

public slots:
    // Receives the addresses handed to QDesktopServices::openUrl.
    void openUrl(const QUrl &url) { m_openedUrls.append(url); }

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        // The per-user data folder lies under the home folder; keep it in a folder of ours.
        qputenv("HOME", m_home.path().toLocal8Bit());
        QVERIFY(UserDataFolder().startsWith(m_home.path()));
    }
    void init()
    {
        QFile::remove(ConfigStore::FileName());
        m_messages.Clear();
        m_messages.FixedAnswer = mbOK;
        SetNoticeHook(nullptr);
    }
    void cleanup()
    {
        SetNoticeHook(nullptr);
        SetProgramFolder(QString());
        CloseHelp();
    }

    // ---- notices -------------------------------------------------------------------

    void noticeTable_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("hasCancel");
        QTest::addColumn<QString>("text");
        QTest::newRow("deleting files") << 0 << "DeleteFile" << "Delete Information" << false
                                        << "Note: Deleted files are sent to the recycle bin.";
        QTest::newRow("remote file not HTML")
            << 1 << "RemoteFileNotHTML" << "Warning" << true
            << "This URL points to a file that may not be an HTML document.  Continue?";
        QTest::newRow("file already open")
            << 2 << "FileAlreadyOpen" << "Already Open" << false
            << "Selecting a document that is already open will bring the existing document to the front tab.";
        QTest::newRow("internal browser")
            << 3 << "BrowserCaps" << "Browser" << false
            << "Please note that the internal browser doesn't support newer HTML extensions, such as frames "
               "and style sheets.";
        QTest::newRow("full screen")
            << 4 << "FullScreen" << "Full Screen" << false
            << "To toggle back from full screen mode, either hit <Esc> or right-click and uncheck the "
               "\"Full Screen\" menu item.";
    }
    void noticeTable()
    {
        QFETCH(int, n);
        QFETCH(QString, valueName);
        QFETCH(QString, caption);
        QFETCH(bool, hasCancel);
        QFETCH(QString, text);
        const TNotice notice = NoticeInfo(n);
        QCOMPARE(notice.valueName, valueName);
        QCOMPARE(notice.caption, caption);
        QCOMPARE(notice.hasCancel, hasCancel);
        QCOMPARE(notice.text, text);

        // The box shows the same notice.
        TfMessage box(n);
        QCOMPARE(box.windowTitle(), caption);
        QCOMPARE(box.lblMessage->text(), text);
        QCOMPARE(box.lblMessage->textFormat(), Qt::PlainText);
        QVERIFY(box.lblMessage->wordWrap());
        QCOMPARE(box.chkDontShowAgain->text(), "Don't show this message again");
        QVERIFY(!box.chkDontShowAgain->isChecked());
        QCOMPARE(box.btnOK->text(), "OK");
        QCOMPARE(box.btnCancel != nullptr, hasCancel);
        if (hasCancel)
            QCOMPARE(box.btnCancel->text(), "Cancel");
        QCOMPARE(box.width(), hasCancel ? 380 : 300);
    }

    void noticeOutsideTable()
    {
        QVERIFY(NoticeInfo(-1).valueName.isEmpty());
        QVERIFY(NoticeInfo(NoticeCount).valueName.isEmpty());
        bool called = false;
        SetNoticeHook([&](int, bool &) { called = true; return int(mbCancel); });
        QCOMPARE(ShowNotice(NoticeCount), int(mbOK));
        QVERIFY(!called);
        SwitchOffNotice(NoticeCount);
        QVERIFY(!QFile::exists(ConfigStore::FileName()));
    }

    void onlyZeroSwitchesOff_data()
    {
        QTest::addColumn<QString>("stored"); // null: nothing stored
        QTest::addColumn<bool>("switchedOff");
        QTest::newRow("nothing stored") << QString() << false;
        QTest::newRow("zero") << "0" << true;
        QTest::newRow("minus one") << "-1" << false;
        QTest::newRow("one") << "1" << false;
        QTest::newRow("True") << "True" << false;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("empty text") << "" << false;
        QTest::newRow("double zero") << "00" << false;
    }
    void onlyZeroSwitchesOff()
    {
        QFETCH(QString, stored);
        QFETCH(bool, switchedOff);
        for (int n = 0; n < NoticeCount; ++n) {
            QFile::remove(ConfigStore::FileName());
            if (!stored.isNull())
                QVERIFY(ConfigStore::Write(NoticeKey, NoticeInfo(n).valueName, stored));
            QCOMPARE(NoticeSwitchedOff(n), switchedOff);
            int shown = 0;
            SetNoticeHook([&](int, bool &) { ++shown; return int(mbOK); });
            QCOMPARE(ShowNotice(n), int(mbOK));
            QCOMPARE(shown, switchedOff ? 0 : 1);
        }
    }

    void switchedOffNoticeAnswersOkUnseen()
    {
        // Notice 1 asks; switched off, it must still answer OK, not the hook's Cancel.
        QVERIFY(ConfigStore::Write(NoticeKey, "RemoteFileNotHTML", "0"));
        bool called = false;
        SetNoticeHook([&](int, bool &) { called = true; return int(mbCancel); });
        QCOMPARE(ShowNotice(ntRemoteFileNotHTML), int(mbOK));
        QVERIFY(!called);
        // The others are unaffected.
        QCOMPARE(ShowNotice(ntDeleteFile), int(mbCancel));
        QVERIFY(called);
    }

    void showNoticeStoresChoice_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("OK, ticked") << int(ntFullScreen) << int(mbOK) << true;
        QTest::newRow("OK, not ticked") << int(ntFullScreen) << int(mbOK) << false;
        QTest::newRow("Cancel, ticked") << int(ntRemoteFileNotHTML) << int(mbCancel) << true;
        QTest::newRow("Cancel, not ticked") << int(ntRemoteFileNotHTML) << int(mbCancel) << false;
    }
    void showNoticeStoresChoice()
    {
        QFETCH(int, n);
        QFETCH(int, answer);
        QFETCH(bool, ticked);
        QList<int> asked;
        SetNoticeHook([&](int shown, bool &dontShowAgain) {
            asked.append(shown);
            dontShowAgain = ticked;
            return answer;
        });
        QCOMPARE(ShowNotice(n), answer);
        QCOMPARE(asked, QList<int>{n});
        const QString name = NoticeInfo(n).valueName;
        if (ticked) {
            QCOMPARE(ConfigStore::Read(NoticeKey, name, "missing"), "0");
            QCOMPARE(ShowNotice(n), int(mbOK)); // not asked again
            QCOMPARE(asked.size(), 1);
        } else {
            QVERIFY(!QFile::exists(ConfigStore::FileName()));
            ShowNotice(n);
            QCOMPARE(asked.size(), 2);
        }
    }

    // The real box, answered by clicking it.
    void noticeBoxAnswers_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("action"); // "ok", "cancel" or "close"
        QTest::addColumn<bool>("tick");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK") << int(ntRemoteFileNotHTML) << "ok" << false << int(mbOK);
        QTest::newRow("Cancel, ticked") << int(ntRemoteFileNotHTML) << "cancel" << true << int(mbCancel);
        QTest::newRow("closed with Cancel button") << int(ntRemoteFileNotHTML) << "close" << false << int(mbCancel);
        QTest::newRow("closed without Cancel button") << int(ntBrowserCaps) << "close" << true << int(mbOK);
        QTest::newRow("OK, ticked") << int(ntDeleteFile) << "ok" << true << int(mbOK);
    }
    void noticeBoxAnswers()
    {
        QFETCH(int, n);
        QFETCH(QString, action);
        QFETCH(bool, tick);
        QFETCH(int, expected);
        WhenModal<TfMessage>([&](TfMessage *box) {
            if (tick)
                QTest::mouseClick(box->chkDontShowAgain, Qt::LeftButton);
            if (action == "ok")
                QTest::mouseClick(box->btnOK, Qt::LeftButton);
            else if (action == "cancel")
                QTest::mouseClick(box->btnCancel, Qt::LeftButton);
            else
                box->close();
        });
        QCOMPARE(ShowNotice(n), expected);
        QCOMPARE(NoticeSwitchedOff(n), tick);
    }

    // ---- new document --------------------------------------------------------------

    void checkTemplateChoice_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        const QString enter = "Please enter the name of a file to use as a template.";
        const QString missing = "This file does not exist.  Please select a different template file.";
        QTest::newRow("empty") << "empty" << enter;
        QTest::newRow("blanks") << "blanks" << enter;
        QTest::newRow("tab and blanks") << "tab" << enter;
        QTest::newRow("missing file") << "missing" << missing;
        QTest::newRow("folder") << "folder" << missing;
        QTest::newRow("existing file") << "file" << QString();
        QTest::newRow("empty existing file") << "emptyfile" << QString();
    }
    void checkTemplateChoice()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(WriteTestFile(dir.filePath("t.html"), "<HTML></HTML>"));
        QVERIFY(WriteTestFile(dir.filePath("empty.htm"), ""));
        QDir(dir.path()).mkdir("sub.html");
        const QMap<QString, QString> names{{"empty", ""},
                                           {"blanks", "   "},
                                           {"tab", " \t "},
                                           {"missing", dir.filePath("none.html")},
                                           {"folder", dir.filePath("sub.html")},
                                           {"file", dir.filePath("t.html")},
                                           {"emptyfile", dir.filePath("empty.htm")}};
        QCOMPARE(CheckTemplateChoice(names.value(kind)), expected);
    }

    void newDialogStartsBlank()
    {
        TfNewDocument dialog;
        QCOMPARE(dialog.windowTitle(), "New HTML Document");
        QCOMPARE(dialog.optBlank->text(), "New &blank document");
        QCOMPARE(dialog.optTemplate->text(), "Use this document as a &Template:");
        QVERIFY(dialog.optBlank->isChecked());
        QVERIFY(!dialog.btnBrowse->isEnabled());
        QVERIFY(!dialog.txtTemplate->isEnabled());
        dialog.optTemplate->setChecked(true);
        QVERIFY(!dialog.optBlank->isChecked());
        QVERIFY(dialog.btnBrowse->isEnabled());
        QVERIFY(dialog.txtTemplate->isEnabled());
        dialog.optBlank->setChecked(true);
        QVERIFY(!dialog.btnBrowse->isEnabled());
        QVERIFY(!dialog.txtTemplate->isEnabled());
    }

    void newDialogRefusesBadTemplate_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty edit") << "empty" << "Please enter the name of a file to use as a template.";
        QTest::newRow("missing file") << "missing"
                                      << "This file does not exist.  Please select a different template file.";
    }
    void newDialogRefusesBadTemplate()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        TfNewDocument dialog;
        dialog.txtTemplate->setText(kind == "empty" ? QString() : dir.filePath("none.html"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QTest::mouseClick(dialog.optTemplate, Qt::LeftButton);
        QVERIFY(dialog.optTemplate->isChecked());
        dialog.btnOK->setFocus();
        QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
        QCOMPARE(m_messages.Texts(), QStringList{message});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QTRY_VERIFY(dialog.txtTemplate->hasFocus());
    }

    void newDialogExecute_data()
    {
        QTest::addColumn<QString>("action"); // "blank", "template" or "cancel"
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("blank");
        QTest::newRow("blank document") << "blank" << true << true;
        QTest::newRow("from template") << "template" << true << false;
        QTest::newRow("cancelled") << "cancel" << false << true;
    }
    void newDialogExecute()
    {
        QFETCH(QString, action);
        QFETCH(bool, accepted);
        QFETCH(bool, blank);
        QTemporaryDir dir;
        const QString templateFile = dir.filePath("Default.html");
        QVERIFY(WriteTestFile(templateFile, "<HTML></HTML>"));
        QString seenInEdit;
        WhenModal<TfNewDocument>([&](TfNewDocument *dialog) {
            seenInEdit = dialog->txtTemplate->text();
            if (action == "template")
                QTest::mouseClick(dialog->optTemplate, Qt::LeftButton);
            QTest::mouseClick(action == "cancel" ? dialog->btnCancel : dialog->btnOK, Qt::LeftButton);
        });
        bool chosenBlank = !blank; // must be overwritten when accepted
        QString path = "untouched";
        QCOMPARE(TfNewDocument::Execute(nullptr, templateFile, chosenBlank, path), accepted);
        QCOMPARE(seenInEdit, templateFile);
        QVERIFY(m_messages.Boxes.isEmpty());
        if (accepted) {
            QCOMPARE(chosenBlank, blank);
            QCOMPARE(path, blank ? QString("untouched") : templateFile);
        } else {
            QCOMPARE(path, "untouched");
        }
    }

    // ---- full screen ---------------------------------------------------------------

    void fullScreenHandsWidgetBack()
    {
        QWidget home;
        auto *held = new QLineEdit(&home);
        {
            TfFullScreen window;
            QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(window.isWindow());
            window.TakeWidget(held);
            QCOMPARE(held->parentWidget(), &window);
            QCOMPARE(window.HeldWidget(), held);
            QCOMPARE(window.layout()->count(), 1);
            window.showFullScreen();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(held->isVisible());

            QCOMPARE(window.ReleaseWidget(), held);
            QCOMPARE(held->parentWidget(), nullptr);
            QCOMPARE(window.layout()->count(), 0);
            QCOMPARE(window.HeldWidget(), nullptr);
            QCOMPARE(window.ReleaseWidget(), nullptr);
            held->setParent(&home); // back where it came from
        }
        // The window is gone; the widget survived it.
        QCOMPARE(held->parentWidget(), &home);
    }

    void fullScreenTakesNextWidget()
    {
        TfFullScreen window;
        auto *first = new QLineEdit;
        auto *second = new QLineEdit;
        window.TakeWidget(first);
        window.TakeWidget(second);
        QCOMPARE(window.HeldWidget(), second);
        QCOMPARE(window.layout()->count(), 1);
        QCOMPARE(first->parentWidget(), nullptr);
        delete first;
    }

    void fullScreenEscape()
    {
        TfFullScreen window;
        auto *edit = new QLineEdit;
        window.TakeWidget(edit);
        QSignalSpy escapes(&window, &TfFullScreen::OnEscape);
        QWidget other;

        // Hidden, it takes no keys.
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 0);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 1);
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 2);

        // Other keys still reach the held widget; Esc in another window is not ours.
        QTest::keyClicks(edit, "ab");
        QCOMPARE(edit->text(), "ab");
        QCOMPARE(escapes.count(), 2);
        other.show();
        QTest::keyClick(&other, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 2);

        window.hide();
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 2);
    }

    // ---- program folder and data files ---------------------------------------------

    void programFolderEndsWithSlash()
    {
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
        SetProgramFolder("/some/where");
        QCOMPARE(ProgramFolder(), "/some/where/");
        SetProgramFolder("/some/where/");
        QCOMPARE(ProgramFolder(), "/some/where/");
        SetProgramFolder(QString());
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
    }

    void dataFilePath_data()
    {
        QTest::addColumn<bool>("programFolderWritable");
        QTest::addColumn<bool>("userCopy");
        QTest::addColumn<bool>("inUserFolder");
        QTest::newRow("writable program folder") << true << false << false;
        QTest::newRow("program folder not writable") << false << false << true;
        QTest::newRow("user copy wins") << true << true << true;
        QTest::newRow("user copy, program folder not writable") << false << true << true;
    }
    void dataFilePath()
    {
        QFETCH(bool, programFolderWritable);
        QFETCH(bool, userCopy);
        QFETCH(bool, inUserFolder);
        QDir(UserDataFolder()).removeRecursively();
        QTemporaryDir program;
        QString folder = program.path();
        if (!programFolderWritable) {
            // Running as root every existing folder is writable, so use one that cannot be
            // written as it is not there; otherwise also try a read-only one.
            folder = program.filePath("gone");
            if (geteuid() != 0) {
                folder = program.filePath("readonly");
                QVERIFY(QDir().mkdir(folder));
                QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            }
        }
        SetProgramFolder(folder);
        if (programFolderWritable)
            QVERIFY(WriteTestFile(folder + "/Custom.dct", "program copy"));
        if (userCopy)
            QVERIFY(WriteTestFile(UserDataFolder() + "Custom.dct", "user copy"));

        const QString path = DataFilePath("Custom.dct");
        QCOMPARE(path, (inUserFolder ? UserDataFolder() : ProgramFolder()) + "Custom.dct");
        if (inUserFolder)
            QVERIFY(QFileInfo(UserDataFolder()).isDir()); // made ready for writing
        else
            QVERIFY(!QFileInfo::exists(UserDataFolder()));
        // A file written there can be read back through the same name.
        QVERIFY(WriteTestFile(path, "written"));
        QCOMPARE(ReadTestFile(DataFilePath("Custom.dct")), "written");
        if (!programFolderWritable && geteuid() != 0)
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(UserDataFolder()).removeRecursively();
    }

    // ---- help ----------------------------------------------------------------------

    void helpTopicFile_data()
    {
        QTest::addColumn<QStringList>("pages");   // files in the help folder
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("expected");   // file name, or empty
        const QStringList all{"contents.html", "topic1.html", "topic46.html"};
        QTest::newRow("keyboard topic") << all << true << 46 << "topic46.html";
        QTest::newRow("first topic") << all << true << 1 << "topic1.html";
        QTest::newRow("unknown topic") << all << true << 47 << "contents.html";
        QTest::newRow("negative topic") << all << true << -46 << "contents.html";
        QTest::newRow("contents asked for") << all << true << 0 << "contents.html";
        QTest::newRow("topic without contents") << QStringList{"topic46.html"} << true << 46 << "topic46.html";
        QTest::newRow("nothing to show") << QStringList{"topic46.html"} << true << 2 << "";
        QTest::newRow("empty folder") << QStringList{} << true << 46 << "";
        QTest::newRow("missing folder") << QStringList{} << false << 46 << "";
    }
    void helpTopicFile()
    {
        QFETCH(QStringList, pages);
        QFETCH(bool, folderExists);
        QFETCH(int, topic);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString folder = dir.filePath(folderExists ? "help" : "none");
        if (folderExists)
            QVERIFY(QDir().mkpath(folder));
        for (const QString &page : pages)
            QVERIFY(WriteTestFile(folder + "/" + page, "<html></html>"));
        const QString withSlash = HelpTopicFile(folder + "/", topic);
        const QString withoutSlash = HelpTopicFile(folder, topic);
        QCOMPARE(withSlash, expected.isEmpty() ? QString() : folder + "/" + expected);
        QCOMPARE(withoutSlash, withSlash);
    }

    void helpWindowShowsPages()
    {
        QTemporaryDir program;
        QVERIFY(WriteTestFile(program.filePath("help/contents.html"), "<html><body><p>The contents</p></body></html>"));
        QVERIFY(WriteTestFile(program.filePath("help/topic46.html"), "<html><body><p>The keys</p></body></html>"));
        SetProgramFolder(program.path());
        QVERIFY(!HelpWindow());

        ShowHelpTopic(htKeyboardShortcuts, nullptr);
        TfHelp *window = HelpWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), "Pendwick Help");
        QCOMPARE(window->txtPage->source().toLocalFile(), QFileInfo(program.filePath("help/topic46.html")).absoluteFilePath());
        QVERIFY(window->txtPage->toPlainText().contains("The keys"));

        ShowHelpContents(nullptr);
        QCOMPARE(HelpWindow(), window); // the same window serves again
        QVERIFY(window->txtPage->toPlainText().contains("The contents"));

        ShowHelpTopic(12, nullptr); // no such page: the contents
        QVERIFY(window->txtPage->toPlainText().contains("The contents"));

        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->txtPage, Qt::Key_Escape);
        QVERIFY(!window->isVisible());

        CloseHelp();
        QVERIFY(!HelpWindow());
    }

    void helpWindowWithoutPages()
    {
        QTemporaryDir program;
        SetProgramFolder(program.path());
        ShowHelpTopic(htKeyboardShortcuts, nullptr);
        QVERIFY(HelpWindow());
        const QString text = HelpWindow()->txtPage->toPlainText();
        QVERIFY2(text.contains("could not be found"), qPrintable(text));
        QVERIFY(text.contains(program.path()));
    }

    // ---- data files shipped with the program ---------------------------------------

    void defaultTemplate()
    {
        const QByteArray bytes = ReadTestFile(ResourceFolder() + "Default.html");
        QVERIFY(!bytes.isEmpty());
        QVERIFY(bytes.startsWith("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.2\">\r\n"));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n")); // CR LF line ends only
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        QVERIFY(bytes.contains("<TITLE>Untitled</TITLE>"));
        QVERIFY(bytes.contains("<BODY>\r\n\r\n</BODY>"));
        for (const char *tag : {"<HTML>", "<HEAD>", "</HEAD>", "</HTML>"})
            QVERIFY2(bytes.contains(tag), tag);
    }

    void logoImage()
    {
        const QImage logo(ResourceFolder() + "images/logo.png");
        QVERIFY(!logo.isNull());
        QCOMPARE(logo.size(), QSize(320, 100));
    }

    void helpLinksResolve_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("listsEveryTopic");
        for (const char *page : {"contents.html", "topic1.html", "topic2.html", "topic3.html", "topic46.html"})
            QTest::newRow(page) << QString(page) << (QLatin1String(page) == QLatin1String("contents.html"));
    }
    void helpLinksResolve()
    {
        QFETCH(QString, page);
        QFETCH(bool, listsEveryTopic);
        const QString folder = ResourceFolder() + "help/";
        const QString html = QString::fromUtf8(ReadTestFile(folder + page));
        QVERIFY(html.contains("<title>"));
        const QRegularExpression link("href=\"([^\"#:]+)\"");
        int links = 0;
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(QFileInfo(folder + target).isFile(), qPrintable(page + " links to " + target));
            ++links;
        }
        QVERIFY(links > 0);
        // The contents page reaches every topic page.
        if (listsEveryTopic)
            for (const QString &topic : QDir(folder).entryList({"topic*.html"}))
                QVERIFY2(html.contains("href=\"" + topic + "\""), qPrintable(topic));
    }

    void keyboardPageListsShortcuts_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("keys");
        QTest::newRow("export") << "File" << "Export as Unix (LF only)" << "Ctrl+N";
        QTest::newRow("close") << "File" << "Close" << "Ctrl+F4";
        QTest::newRow("exit") << "File" << "Exit" << "Alt+X";
        QTest::newRow("indent") << "Edit" << "Indent" << "Ctrl+.";
        QTest::newRow("unindent") << "Edit" << "Unindent" << "Ctrl+,";
        QTest::newRow("go to line") << "Edit" << "Go to Line" << "Ctrl+G";
        QTest::newRow("extended replace") << "Search" << "Extended Replace" << "Ctrl+Shift+R";
        QTest::newRow("spell check") << "Tools" << "Spell Check" << "F7";
        QTest::newRow("horizontal rule") << "Tools" << "Horizontal Rule Editor" << "Ctrl+Shift+H";
        QTest::newRow("font size up") << "Tags" << "Font Size +1" << "Ctrl+Shift+=";
        QTest::newRow("font size down") << "Tags" << "Font Size -1" << "Ctrl+Shift+-";
        QTest::newRow("non-breaking space") << "Tags" << "Non-breaking Space" << "Ctrl+Shift+Space";
        QTest::newRow("heading 3") << "Tags" << "Heading 3" << "Ctrl+Shift+3";
        QTest::newRow("full screen") << "Options" << "Full Screen" << "F10";
        QTest::newRow("external browser") << "Options" << "View in External Browser" << "F11";
        QTest::newRow("edit/browse") << "Options" << "Toggle Edit/Browse" << "F12";
        QTest::newRow("help topics") << "Help" << "Help Topics" << "F1";
    }
    void keyboardPageListsShortcuts()
    {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, keys);
        const QString html = QString::fromUtf8(ReadTestFile(ResourceFolder() + "help/topic46.html"));
        const QString row = QString("<tr><td>%1</td><td>%2</td><td>%3</td></tr>").arg(menu, item, keys);
        QVERIFY2(html.contains(row), qPrintable(row));
    }

    // ---- splash and about ----------------------------------------------------------

    void splashShowsLogoOrName_data()
    {
        QTest::addColumn<bool>("logoPresent");
        QTest::newRow("logo installed") << true;
        QTest::newRow("logo missing") << false;
    }
    void splashShowsLogoOrName()
    {
        QFETCH(bool, logoPresent);
        QTemporaryDir program;
        if (logoPresent) {
            QVERIFY(QDir().mkpath(program.filePath("images")));
            QVERIFY(QFile::copy(ResourceFolder() + "images/logo.png", program.filePath("images/logo.png")));
        }
        SetProgramFolder(program.path());
        TfSplash splash;
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(splash.size(), QSize(352, 171));
        QCOMPARE(splash.cursor().shape(), Qt::BusyCursor);
        QCOMPARE(splash.lblVersion->text(), "Version 2.0");
        QCOMPARE(splash.lblRelease->text(), "BETA 2 - September 8, 1996");
        splash.ShowAndPaint();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.lblLogo->pixmap().isNull(), !logoPresent);
        QCOMPARE(splash.lblLogo->text(), logoPresent ? QString() : QString("Pendwick"));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(splash.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(splash.geometry().center().y() - screen.center().y()) <= 1);
        // The first other window to show (the main window, a message box) takes it away.
        QWidget other;
        other.show();
        QVERIFY(!splash.isVisible());
    }

    void aboutOpensWebAddress()
    {
        QDesktopServices::setUrlHandler("https", this, "openUrl");
        m_openedUrls.clear();
        {
            TfAbout about;
            QCOMPARE(about.windowTitle(), "About");
            QCOMPARE(about.lblVersion->text(), "Version 2.0");
            QCOMPARE(about.lblURL->text(), "https://pendwick.example.org/");
            QCOMPARE(about.lblURL->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(about.btnOK->text(), "OK");
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            QTest::mouseClick(about.lblVersion, Qt::LeftButton);
            QVERIFY(m_openedUrls.isEmpty());
            QTest::mouseClick(about.lblURL, Qt::LeftButton);
            QCOMPARE(m_openedUrls, QList<QUrl>{QUrl("https://pendwick.example.org/")});
        }
        QDesktopServices::unsetUrlHandler("https");

        WhenModal<TfAbout>([](TfAbout *box) { QTest::mouseClick(box->btnOK, Qt::LeftButton); });
        TfAbout::Execute(nullptr); // returns once OK is clicked
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
