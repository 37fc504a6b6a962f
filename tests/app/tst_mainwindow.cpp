// The main window driven offscreen with its own settings: start-up, document commands,
// toggles and closing. Message boxes, notices and file dialogs are answered by hooks.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QFile>
#include <QTimer>
#include <QPrinter>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/application.h"
#include "platform/filedialogs.h"
#include "app/htmltab.h"
#include "app/mainactions.h"
#include "app/mainwindow.h"
#include "platform/messagebox.h"
#include "app/messagedialog.h"
#include "platform/programfolder.h"
#include "app/shellsettings.h"
#include "editor/richhtml.h"
#include "spelling/dictwriter.h"
#include "spelling/richspell.h"
#include "spelling/sugdialog.h"
#include "platform/configstore.h"
#include "projects/projectfile.h"
#include "projects/projectsdialog.h"
#include "tools/extreplacedialog.h"
#include "testsupport.h"

// Reads back from the window what a stored setting changed.
using TWindowReading = QVariant (*)(TfMain *);
Q_DECLARE_METATYPE(TWindowReading)

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartDefaults();
    void storedSettingsApply_data();
    void storedSettingsApply();
    void openReplacesPristineUntitled();
    void openKeepsModifiedUntitled();
    void openTheSameFileActivatesIt();
    void openFailures_data();
    void openFailures();
    void commandLineFileIsFirstDocument();
    void commandLineOpenErrorSaysItOnce();
    void recentlyUsedMenu();
    void newFromTemplatePutsCaretAfterBody();
    void saveAsAddsDefaultExtension();
    void saveAsAsksBeforeOverwriting();
    void failedSaveStopsCloseAll();
    void closeAllStopsAtCancel();
    void closeOnlyModifiedDocumentWithNo();
    void exportUnixKeepsDocument();
    void settingsWrittenAtClose();
    void maximizedCloseKeepsNormalPlacement();
    void busyRefusesClose();
    void spellCheck_data();
    void spellCheck();
    void exceptionsAreLogged();
    void tabKeysSwitchDocuments();
    void toggles();
    void droppedUnknownFile();
    void printsToPdf();
    void saveShortcutSaves();
    void fullScreenKeepsShortcuts();
    void closingFullScreenWindowAsksToSave();
    void applicationNameStaysOutOfCaption();
    void openingAProject();
    void extendedReplace();
    void redoKeysAndMenu();

private:
    QString WriteFile(const QString &name, const QByteArray &bytes) { return m_files.Write(name, bytes); }
    void Answer(int button) { m_boxes.Answers.append(button); }

    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_files;
    TfMain *m_main = nullptr;
    TMessageRecorder m_boxes;
    TModalAnswerer m_modal;
};

void TestMainWindow::initTestCase()
{
    m_config = UseTemporaryConfig();
    SetProgramFolder(m_files.Path() + u'/');
}

void TestMainWindow::init()
{
    ConfigStore::EraseKey(AppKey());
    m_boxes.Clear();
    m_modal.Clear();
}

void TestMainWindow::cleanup()
{
    if (m_main) {
        // Nothing may ask anything on the way out.
        for (int i = 0; i < m_main->HTMLTab()->DocumentCount(); ++i)
            m_main->HTMLTab()->Editor(i)->SetModified(false);
        m_main->close();
        delete m_main;
        m_main = nullptr;
    }
}

void TestMainWindow::firstStartDefaults()
{
    m_main = new TfMain;
    QVERIFY(m_main->isVisible());
    QCOMPARE(m_main->size(), QSize(774, 550));
    QCOMPARE(m_main->pos(), QPoint(4, 4));
    QVERIFY(m_main->StatusBarVisible());
    QVERIFY(m_main->statusBar()->isVisible());
    QVERIFY(m_main->DocumentListVisible());
    QVERIFY(m_main->MainToolbarVisible());
    QVERIFY(m_main->SpeedbarVisible());
    QCOMPARE(m_main->ToolbarLayout(), 0);
    QVERIFY(m_main->WordWrap());
    QVERIFY(!m_main->RulersVisible());
    QVERIFY(!m_main->RulersBuilt());
    QVERIFY(m_main->ColorBarVisible());
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 1);
    TkrRichHTML *e = m_main->ActiveEditor();
    QCOMPARE(int(e->ColorCodeMode()), int(ccFull));
    QCOMPARE(e->TabWidth(), 20);
    QVERIFY(!e->Modified());
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Pendwick v2.0 Beta 2 - [Untitled]"));
    QCOMPARE(m_main->StatusPanelText(0), QStringLiteral("1: 1"));
    QCOMPARE(m_main->StatusPanelText(1), QStringLiteral(" Ready."));
    QCOMPARE(m_main->StatusPanelText(2), QStringLiteral("Insert"));
    QCOMPARE(m_main->MRU().Items().size(), 10);
    QVERIFY(m_main->Action(QStringLiteral("mnuOptionsListImages"))->isChecked());
    QVERIFY(!m_main->Action(QStringLiteral("spdSave"))->isEnabled());
    // Reading the settings stored nothing but the folder the Open dialog starts in.
    QVERIFY(!ConfigStore::KeyExists(AppKey() + QStringLiteral("\\MainForm")));
    QVERIFY(!ConfigStore::ValueExists(AppKey(), QStringLiteral("StatusBar")));
}

void TestMainWindow::storedSettingsApply_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TWindowReading>("reading");
    QTest::addColumn<QVariant>("expected");
    const TWindowReading colourCoding = [](TfMain *w) { return QVariant(int(w->ActiveEditor()->ColorCodeMode())); };
    const TWindowReading wordWrap = [](TfMain *w) { return QVariant(w->ActiveEditor()->lineWrapMode() != QPlainTextEdit::NoWrap); };
    const TWindowReading statusBar = [](TfMain *w) { return QVariant(w->statusBar()->isVisible()); };
    const TWindowReading colourBar = [](TfMain *w) { return QVariant(w->ColorBarVisible()); };
    const TWindowReading rulers = [](TfMain *w) { return QVariant(w->RulersVisible() && w->RulersBuilt()); };
    QTest::newRow("colour coding 7 is minimal") << "ColorCodeMode" << "7" << colourCoding << QVariant(int(ccMinimal));
    QTest::newRow("word wrap True reads false") << "WordWrap" << "True" << wordWrap << QVariant(false);
    QTest::newRow("status bar 1 reads false") << "StatusBar" << "1" << statusBar << QVariant(false);
    QTest::newRow("colour bar anything but 0 shows") << "ColorBar" << "True" << colourBar << QVariant(true);
    QTest::newRow("colour bar 0 hides") << "ColorBar" << "0" << colourBar << QVariant(false);
    QTest::newRow("rulers on") << "Rulers" << "-1" << rulers << QVariant(true);
}

void TestMainWindow::storedSettingsApply()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(TWindowReading, reading);
    QFETCH(QVariant, expected);
    ConfigStore::Write(AppKey(), value, text);
    // The file panel writes the folder it lists: stored already, it is written unchanged.
    ConfigStore::Write(AppKey(), QStringLiteral("InitialDir"), ProgramFolder());
    const QByteArray before = ReadTestFile(ConfigStore::FileName());
    m_main = new TfMain;
    QCOMPARE(ReadTestFile(ConfigStore::FileName()), before); // starting writes nothing back
    QCOMPARE(reading(m_main), expected);
}

void TestMainWindow::openReplacesPristineUntitled()
{
    m_main = new TfMain;
    const QString page = WriteFile(QStringLiteral("page.html"), "<P>page</P>\r\n");
    QVERIFY(m_main->OpenDocument(page));
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 1);
    QCOMPARE(m_main->HTMLTab()->TabCaption(0), QStringLiteral("page.html"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Pendwick v2.0 Beta 2 - [%1]").arg(page));
    QCOMPARE(m_main->MRU().Caption(1), page);
}

void TestMainWindow::openKeepsModifiedUntitled()
{
    m_main = new TfMain;
    m_main->ActiveEditor()->InsertTags(QStringLiteral("typed"), QString(), false);
    QVERIFY(m_main->OpenDocument(WriteFile(QStringLiteral("page.html"), "<P>page</P>")));
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 2);
    QCOMPARE(m_main->HTMLTab()->TabIndex(), 1);
}

void TestMainWindow::openTheSameFileActivatesIt()
{
    m_main = new TfMain;
    const QString a = WriteFile(QStringLiteral("a.html"), "a");
    const QString b = WriteFile(QStringLiteral("b.html"), "b");
    QVERIFY(m_main->OpenDocument(a));
    QVERIFY(m_main->OpenDocument(b));
    m_main->ActiveEditor()->InsertTags(QStringLiteral("changed "), QString(), false);
    QVERIFY(m_main->OpenDocument(m_files.Path() + QStringLiteral("/./a.html")));
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 2);
    QCOMPARE(m_main->HTMLTab()->TabIndex(), 0);
    QCOMPARE(m_modal.Notices, QList<int>{2});
    QVERIFY(m_main->HTMLTab()->Editor(1)->Modified()); // not read again
}

void TestMainWindow::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("commandLine");
    QTest::newRow("missing file") << "missing.html" << QByteArray() << "File not found." << false;
    QTest::newRow("binary file") << "binary.html" << QByteArray("GIF\0\0", 5) << "binary data" << false;
    QTest::newRow("missing file on the command line") << "missing.html" << QByteArray() << "File not found." << true;
    QTest::newRow("folder on the command line") << "folder" << QByteArray() << "File not found." << true;
}

void TestMainWindow::openFailures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(bool, commandLine);
    QDir(m_files.Path()).mkdir(QStringLiteral("folder"));
    m_main = new TfMain;
    const QString path = bytes.isEmpty() ? m_files.FilePath(name) : WriteFile(name, bytes);
    if (commandLine)
        m_main->OpenFromCommandLine(path);
    else
        QVERIFY(!m_main->OpenDocument(path));
    QCOMPARE(m_boxes.Boxes.size(), 1);
    const TShownBox box = m_boxes.Boxes.first();
    QCOMPARE(box.Kind, mkError);
    QCOMPARE(box.Buttons, int(mbOK));
    QVERIFY2(box.Text.contains(message), qPrintable(box.Text));
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 1);
    QVERIFY(m_main->ActiveEditor()->Filename().isEmpty());
    QCOMPARE(m_main->MRU().Caption(1), QStringLiteral("[Empty]"));
}

void TestMainWindow::commandLineFileIsFirstDocument()
{
    m_main = new TfMain;
    const QString page = WriteFile(QStringLiteral("cmd.html"), "<HTML>cmd</HTML>");
    m_main->OpenFromCommandLine(page);
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 1);
    QCOMPARE(m_main->HTMLTab()->TabCaption(0), QStringLiteral("cmd.html"));
    QCOMPARE(m_main->HTMLTab()->FileName(0), page);
    QCOMPARE(m_main->ActiveEditor()->Text(), QStringLiteral("<HTML>cmd</HTML>"));
    // The already-open check sees it.
    QVERIFY(m_main->OpenDocument(page));
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 1);
    QCOMPARE(m_modal.Notices, QList<int>{2});
}

// One sentence names the file once and gives the reason.
void TestMainWindow::commandLineOpenErrorSaysItOnce()
{
    m_main = new TfMain;
    const QString path = WriteFile(QStringLiteral("ls.bin"), QByteArray("\x7F" "ELF\0\0", 6));
    m_main->OpenFromCommandLine(path);
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({
        {mkError, QStringLiteral("Unable to open \"%1\": it holds binary data (NUL bytes), not text.").arg(path), mbOK}}));
}

void TestMainWindow::recentlyUsedMenu()
{
    ConfigStore::Write(AppKey() + QStringLiteral("\\MRUDocuments"), QStringLiteral("MRU1"), QStringLiteral("/gone/x.html"));
    m_main = new TfMain;
    QAction *first = m_main->Action(QStringLiteral("mnuMRU_1"));
    QAction *second = m_main->Action(QStringLiteral("mnuMRU_2"));
    QCOMPARE(first->text(), QStringLiteral("/gone/x.html"));
    QVERIFY(first->isEnabled());
    QCOMPARE(second->text(), QStringLiteral("[Empty]"));
    QVERIFY(!second->isEnabled());
    first->trigger();
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({{mkError, QStringLiteral("File not found."), mbOK}}));
    QCOMPARE(m_main->MRU().Caption(1), QStringLiteral("/gone/x.html"));
}

void TestMainWindow::newFromTemplatePutsCaretAfterBody()
{
    m_main = new TfMain;
    const QString tpl = WriteFile(QStringLiteral("tpl.html"), "<HTML>\r\n<body bgcolor=white>\r\n\r\n</BODY>\r\n</HTML>\r\n");
    m_main->NewFromTemplate(tpl);
    TkrRichHTML *e = m_main->ActiveEditor();
    QVERIFY(e->Filename().isEmpty());
    QVERIFY(!e->Modified());
    QCOMPARE(e->SelStart(), e->LineStart(2));
    QCOMPARE(m_main->HTMLTab()->TabCaption(m_main->HTMLTab()->TabIndex()), QStringLiteral("[Untitled]"));
}

void TestMainWindow::saveAsAddsDefaultExtension()
{
    ConfigStore::Write(AppKey(), QStringLiteral("DefaultExtension"), QStringLiteral("htm"));
    m_main = new TfMain;
    m_main->ActiveEditor()->InsertTags(QStringLiteral("<P>x</P>"), QString(), false);
    m_modal.FileAnswers << m_files.FilePath(QStringLiteral("page"));
    QVERIFY(m_main->SaveActive()); // untitled: Save As
    QCOMPARE(m_modal.FileDialogTitles(), QStringList{QStringLiteral("Save HTML Document")});
    const QString saved = m_files.FilePath(QStringLiteral("page.htm"));
    QVERIFY(QFile::exists(saved));
    QCOMPARE(m_main->ActiveEditor()->Filename(), saved);
    QCOMPARE(m_main->HTMLTab()->TabCaption(0), QStringLiteral("page.htm"));
    QVERIFY(!m_main->ActiveEditor()->Modified());
    QVERIFY(m_main->windowTitle().endsWith(QStringLiteral("[%1]").arg(saved)));
}

void TestMainWindow::saveAsAsksBeforeOverwriting()
{
    m_main = new TfMain;
    const QString existing = WriteFile(QStringLiteral("old.html"), "old");
    m_main->ActiveEditor()->InsertTags(QStringLiteral("new"), QString(), false);
    m_modal.FileAnswers << existing;
    Answer(mbNo);
    QVERIFY(!m_main->SaveAsActive());
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({{mkConfirm, QStringLiteral("Overwrite \"%1?").arg(existing), mbYes | mbNo | mbCancel}}));
    QCOMPARE(ReadTestFile(existing), QByteArray("old"));
    QVERIFY(m_main->ActiveEditor()->Modified());
}

void TestMainWindow::failedSaveStopsCloseAll()
{
    m_main = new TfMain;
    const QString page = WriteFile(QStringLiteral("keep.html"), "text");
    QVERIFY(m_main->OpenDocument(page));
    m_main->ActiveEditor()->InsertTags(QStringLiteral("more "), QString(), false);
    // The folder goes away: the save cannot be written.
    QFile::remove(page);
    QDir(m_files.Path()).mkdir(QStringLiteral("keep.html"));
    Answer(mbYes);
    QVERIFY(!m_main->CloseAll());
    QVERIFY(m_main->ActiveEditor()->Modified());
    QCOMPARE(m_main->ActiveEditor()->Text(), QStringLiteral("more text"));
    QCOMPARE(m_boxes.Boxes.size(), 2); // the question, then the error
    QVERIFY(m_boxes.Boxes.at(1).Text.contains(QStringLiteral("keep.html")));
    QDir(m_files.Path()).rmdir(QStringLiteral("keep.html"));
}

void TestMainWindow::closeAllStopsAtCancel()
{
    m_main = new TfMain;
    for (const char *name : {"one.html", "two.html", "three.html"}) {
        QVERIFY(m_main->OpenDocument(WriteFile(QLatin1String(name), "x")));
        m_main->ActiveEditor()->InsertTags(QStringLiteral("y"), QString(), false);
    }
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 3);
    Answer(mbNo);
    Answer(mbCancel);
    m_main->close();
    QVERIFY(m_main->isVisible());
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 2);
    QCOMPARE(m_boxes.Boxes.size(), 2);
    QVERIFY(m_boxes.Boxes.at(0).Text.startsWith(QStringLiteral("Save changes to ")));
}

void TestMainWindow::closeOnlyModifiedDocumentWithNo()
{
    m_main = new TfMain;
    QVERIFY(m_main->OpenDocument(WriteFile(QStringLiteral("only.html"), "x")));
    m_main->ActiveEditor()->InsertTags(QStringLiteral("y"), QString(), false);
    Answer(mbNo);
    m_main->CloseActive();
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 1);
    QCOMPARE(m_main->HTMLTab()->TabCaption(0), QStringLiteral("[Untitled]"));
    QVERIFY(m_main->ActiveEditor()->Text().isEmpty());
    QVERIFY(m_main->windowTitle().endsWith(QStringLiteral(" - [Untitled]")));
}

void TestMainWindow::exportUnixKeepsDocument()
{
    m_main = new TfMain;
    const QString page = WriteFile(QStringLiteral("dos.html"), "a\r\nb");
    QVERIFY(m_main->OpenDocument(page));
    m_main->ActiveEditor()->InsertTags(QStringLiteral("<P>"), QString(), false);
    m_modal.FileAnswers << m_files.FilePath(QStringLiteral("unix"));
    m_main->ExportUnix();
    QCOMPARE(ReadTestFile(m_files.FilePath(QStringLiteral("unix.html"))), QByteArray("<P>a\nb"));
    QVERIFY(m_main->ActiveEditor()->Modified());
    QCOMPARE(m_main->ActiveEditor()->Filename(), page);
}

void TestMainWindow::settingsWrittenAtClose()
{
    m_main = new TfMain;
    m_main->resize(700, 500);
    m_main->move(20, 30);
    m_main->SetRulersVisible(true);
    m_main->SetWordWrap(false);
    m_main->SetToolbarLayout(1);
    QVERIFY(m_main->close());
    const QString form = AppKey() + QStringLiteral("\\MainForm");
    QCOMPARE(ConfigStore::Read(form, QStringLiteral("WindowState"), QString()), QStringLiteral("Normal"));
    // The frame's place, as start-up applies it, so the window does not drift.
    QCOMPARE(ConfigStore::ReadInt(form, QStringLiteral("Left"), 0), 20);
    QCOMPARE(ConfigStore::ReadInt(form, QStringLiteral("Top"), 0), 30);
    QCOMPARE(ConfigStore::ReadInt(form, QStringLiteral("Width"), 0), 700);
    QCOMPARE(ConfigStore::ReadInt(form, QStringLiteral("Height"), 0), 500);
    QCOMPARE(ConfigStore::Read(AppKey(), QStringLiteral("Rulers"), QString()), QStringLiteral("-1"));
    QCOMPARE(ConfigStore::Read(AppKey(), QStringLiteral("WordWrap"), QString()), QStringLiteral("0"));
    QCOMPARE(ConfigStore::Read(AppKey() + QStringLiteral("\\Toolbars"), QStringLiteral("ToolbarLayout"), QString()),
             QStringLiteral("1"));
    QCOMPARE(ConfigStore::Read(AppKey() + QStringLiteral("\\MRUDocuments"), QStringLiteral("MRU1"), QString()),
             QStringLiteral("[Empty]"));
    QCOMPARE(ConfigStore::Read(AppKey() + QStringLiteral("\\DocumentList"), QStringLiteral("ColWidth_2"), QString()),
             QStringLiteral("150"));
}

void TestMainWindow::maximizedCloseKeepsNormalPlacement()
{
    const QString form = AppKey() + QStringLiteral("\\MainForm");
    ConfigStore::WriteInt(form, QStringLiteral("Width"), 600);
    m_main = new TfMain;
    m_main->showMaximized();
    QTRY_VERIFY(m_main->isMaximized());
    QVERIFY(m_main->close());
    QCOMPARE(ConfigStore::Read(form, QStringLiteral("WindowState"), QString()), QStringLiteral("Maximized"));
    QCOMPARE(ConfigStore::ReadInt(form, QStringLiteral("Width"), 0), 600);
}

void TestMainWindow::busyRefusesClose()
{
    m_main = new TfMain;
    m_main->SetBusy(true);
    QVERIFY(!m_main->close());
    QVERIFY(m_main->isVisible());
    m_main->SetBusy(false);
}

void TestMainWindow::spellCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("skipTags");
    QTest::addColumn<QByteArray>("userBytes"); // empty: no user dictionary
    QTest::addColumn<bool>("mainMissing");
    QTest::addColumn<QString>("answer");       // "code:replacement"
    QTest::addColumn<QString>("result");
    QTest::addColumn<QList<TShownBox>>("boxes");
    const TShownBox changed{mkInformation, QStringLiteral("Checking complete."), mbOK};
    const TShownBox unchanged{mkInformation, QStringLiteral("No changes made."), mbOK};
    const TShownBox skipDone{mkInformation, QStringLiteral("Spell check complete."), mbOK};
    QTest::newRow("whole text: change lands") << "teh cat" << false << QByteArray() << false << "101:the" << "the cat"
                                              << QList<TShownBox>{changed};
    QTest::newRow("whole text: nothing unknown") << "the cat" << false << QByteArray() << false << "" << "the cat"
                                                 << QList<TShownBox>{unchanged};
    QTest::newRow("skip tags: tags kept, one message") << "<p title=zorp>teh</p>" << true << QByteArray() << false
                                                       << "101:the" << "<p title=zorp>the</p>"
                                                       << QList<TShownBox>{skipDone};
    QTest::newRow("skip tags: cancel, no message") << "<p>teh</p>" << true << QByteArray() << false << "100:"
                                                   << "<p>teh</p>" << QList<TShownBox>{};
    QTest::newRow("no main dictionary") << "teh" << false << QByteArray() << true << "" << "teh"
                                        << QList<TShownBox>{{mkError, QStringLiteral("Could not open dictionary"), mbOK}};
    QTest::newRow("unreadable user dictionary reported")
        << "teh" << false << QByteArray("damaged") << false << "103:" << "teh"
        << QList<TShownBox>{{mkWarning, Spell::UserDictionaryUnreadableMessage(m_files.FilePath("Custom.dct")), mbOK},
                            unchanged};
}

// F7 runs the check over the active document: busy and read-only while the dialog asks,
// the answer lands in the document, the end is reported.
void TestMainWindow::spellCheck()
{
    QFETCH(QString, text);
    QFETCH(bool, skipTags);
    QFETCH(QByteArray, userBytes);
    QFETCH(bool, mainMissing);
    QFETCH(QString, answer);
    QFETCH(QString, result);
    QFETCH(QList<TShownBox>, boxes);
    WriteFile(QStringLiteral("Pendwick.dct"), Spell::MainDictionaryBytes({Spell::BuildTrie({"THE", "CAT"})}));
    QFile::remove(m_files.FilePath(QStringLiteral("Custom.dct")));
    if (!userBytes.isEmpty())
        WriteFile(QStringLiteral("Custom.dct"), userBytes);
    if (mainMissing)
        QFile::remove(m_files.FilePath(QStringLiteral("Pendwick.dct")));
    m_main = new TfMain;
    m_main->Settings().SpellSkipTags = skipTags;
    TkrRichHTML *editor = m_main->ActiveEditor();
    editor->setPlainText(text);
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    editor->setFocus();

    QStringList asked;
    bool busy = false, readOnly = false, closed = true, dialogShown = false;
    Spell::TSpellAnswerHook::Set([&](const QString &word, const QStringList &) {
        asked << word;
        busy = m_main->Busy();
        readOnly = editor->isReadOnly();
        dialogShown = m_main->RichSpell()->Dialog()->isVisible();
        closed = m_main->close();
        editor->Select(editor->TextLength(), 0); // the change still lands on the word asked about
        return Spell::TPromptAnswer{answer.section(u':', 0, 0).toInt(), answer.section(u':', 1)};
    });
    QTest::keyClick(editor, Qt::Key_F7);
    Spell::TSpellAnswerHook::Set(nullptr);

    QCOMPARE(editor->Text(), result);
    QCOMPARE(m_boxes.Boxes, boxes);
    QCOMPARE(asked.isEmpty(), answer.isEmpty());
    if (!asked.isEmpty()) {
        QVERIFY(busy && readOnly && dialogShown);
        QVERIFY(!closed);
    }
    QVERIFY(!m_main->Busy());
    QVERIFY(!editor->isReadOnly());
    QVERIFY(!m_main->RichSpell()->Dialog()->isVisible());
    QVERIFY(m_main->isVisible());
    if (!userBytes.isEmpty())
        QCOMPARE(m_files.Read(QStringLiteral("Custom.dct")), userBytes);
}

void TestMainWindow::exceptionsAreLogged()
{
    m_main = new TfMain;
    const QString log = DataFilePath(QStringLiteral("Exception.log"));
    QFile::remove(log);
    m_main->HandleException(QStringLiteral("first"));
    m_main->HandleException(QStringLiteral("second"));
    QCOMPARE(m_boxes.Boxes, (QList<TShownBox>{{mkError, QStringLiteral("first"), mbOK}, {mkError, QStringLiteral("second"), mbOK}}));
    QCOMPARE(QString::fromUtf8(ReadTestFile(log)).count(u'\n'), 2);
}

void TestMainWindow::tabKeysSwitchDocuments()
{
    m_main = new TfMain;
    QVERIFY(m_main->OpenDocument(WriteFile(QStringLiteral("t1.html"), "1")));
    QVERIFY(m_main->OpenDocument(WriteFile(QStringLiteral("t2.html"), "2")));
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    m_main->ActiveEditor()->setFocus();
    QTest::keyClick(m_main->ActiveEditor(), Qt::Key_BracketLeft, Qt::ControlModifier);
    QCOMPARE(m_main->HTMLTab()->TabIndex(), 0);
    QTest::keyClick(m_main->ActiveEditor(), Qt::Key_BracketLeft, Qt::ControlModifier);
    QCOMPARE(m_main->HTMLTab()->TabIndex(), 0);
    QTest::keyClick(m_main->ActiveEditor(), Qt::Key_BracketRight, Qt::ControlModifier);
    QCOMPARE(m_main->HTMLTab()->TabIndex(), 1);
    QCOMPARE(m_main->windowTitle(), MainCaption(m_files.FilePath(QStringLiteral("t2.html"))));
}

void TestMainWindow::toggles()
{
    m_main = new TfMain;
    m_main->Action(QStringLiteral("mnuOptionsStatusBar"))->trigger();
    QVERIFY(!m_main->statusBar()->isVisible());
    QCOMPARE(ConfigStore::Read(AppKey(), QStringLiteral("StatusBar"), QString()), QStringLiteral("0"));
    m_main->Action(QStringLiteral("spdRulers"))->trigger();
    QVERIFY(m_main->RulersVisible());
    QVERIFY(m_main->Action(QStringLiteral("mnuOptionsRulers"))->isChecked());
    m_main->Action(QStringLiteral("mnuOptionsMainToolbar"))->trigger();
    m_main->Action(QStringLiteral("mnuOptionsSpeedbar"))->trigger();
    QVERIFY(!m_main->MainToolbarVisible() && !m_main->SpeedbarVisible());
    m_main->Action(QStringLiteral("mnuColorCoding0"))->trigger();
    QCOMPARE(int(m_main->ActiveEditor()->ColorCodeMode()), int(ccNone));
    QVERIFY(!m_main->ActiveEditor()->Modified());
    QCOMPARE(ConfigStore::Read(AppKey(), QStringLiteral("ColorCodeMode"), QString()), QStringLiteral("0"));
    // Word wrap belongs to each document.
    m_main->SetWordWrap(false);
    m_main->NewFromTemplate(QString());
    QCOMPARE(m_main->ActiveEditor()->lineWrapMode(), QPlainTextEdit::NoWrap);
    // Full screen moves the pages into their own window and back.
    m_main->SetFullScreen(true);
    QCOMPARE(m_modal.Notices, QList<int>{4});
    QVERIFY(!m_main->isVisible());
    m_main->SetFullScreen(false);
    QVERIFY(m_main->isVisible());
    QVERIFY(m_main->isAncestorOf(m_main->HTMLTab()));
}

void TestMainWindow::droppedUnknownFile()
{
    m_main = new TfMain;
    const QString doc = m_files.FilePath(QStringLiteral("notes.doc"));
    m_main->DropFiles({doc});
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({{mkMessage, QStringLiteral("Unknown file type \"%1\"").arg(doc), mbOK}}));
    QVERIFY(m_main->ActiveEditor()->Text().isEmpty());
}

void TestMainWindow::printsToPdf()
{
    m_main = new TfMain;
    m_main->ActiveEditor()->InsertTags(QStringLiteral("<P>printed</P>"), QString(), false);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = m_files.FilePath(QStringLiteral("out.pdf"));
    printer.setOutputFileName(pdf);
    QVERIFY(m_main->PrintActiveTo(printer));
    QCOMPARE(printer.docName(), QStringLiteral("[Untitled]"));
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void TestMainWindow::saveShortcutSaves()
{
    m_main = new TfMain;
    const QString page = WriteFile(QStringLiteral("keys.html"), "abc");
    QVERIFY(m_main->OpenDocument(page));
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    m_main->ActiveEditor()->setFocus();
    m_main->ActiveEditor()->Select(3, 0);
    QTest::keyClicks(m_main->ActiveEditor(), QStringLiteral("d"));
    QTest::keyClick(m_main->ActiveEditor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadTestFile(page), QByteArray("abcd"));
    QVERIFY(!m_main->ActiveEditor()->Modified());
}

// The menus' keys reach the commands while the pages are in the full-screen window.
void TestMainWindow::fullScreenKeepsShortcuts()
{
    m_main = new TfMain;
    QVERIFY(m_main->OpenDocument(WriteFile(QStringLiteral("full.html"), "abc")));
    m_main->SetFullScreen(true);
    m_main->HTMLTab()->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main->HTMLTab()->window()));
    QTest::keyClicks(m_main->ActiveEditor(), QStringLiteral("d"));
    QTest::keyClick(m_main->ActiveEditor(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!m_main->ActiveEditor()->Modified()); // saved
    QTest::keyClick(m_main->ActiveEditor(), Qt::Key_F10);
    QVERIFY(!m_main->FullScreen());
}

// Closing the full-screen window closes the program the usual way; Cancel keeps it open.
void TestMainWindow::closingFullScreenWindowAsksToSave()
{
    m_main = new TfMain;
    m_main->ActiveEditor()->InsertTags(QStringLiteral("unsaved"), QString(), false);
    m_main->SetFullScreen(true);
    Answer(mbCancel);
    m_main->HTMLTab()->window()->close();
    QCOMPARE(m_boxes.Texts(), QStringList{QStringLiteral("Save changes to [Untitled]?")});
    QCOMPARE(m_boxes.Boxes.first().Kind, mkConfirm);
    QCOMPARE(m_boxes.Boxes.first().Buttons, int(mbYes | mbNo | mbCancel));
    QVERIFY(m_main->isVisible() && !m_main->FullScreen());
    QVERIFY(m_main->ActiveEditor()->Modified());
}

// Once a display name is set, Qt appends it to every caption; the program sets none.
void TestMainWindow::applicationNameStaysOutOfCaption()
{
    TApplication::SetApplicationTitle();
    QCoreApplication::setApplicationName(QStringLiteral("other")); // followed while none is set
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("other"));
    TApplication::SetApplicationTitle();
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Pendwick"));
}

QTEST_MAIN(TestMainWindow)
// Extended Replace through the window: all open documents with one undo step each, then a
// folder sweep that reloads an unmodified open copy and leaves a modified one alone.
void TestMainWindow::extendedReplace()
{
    m_main = new TfMain;
    TExtReplaceRequest asked;
    TExtReplaceDialogHook::Set([&asked](TfReplace &dialog) {
        dialog.memFind->setPlainText(asked.Find);
        dialog.memReplace->setPlainText(asked.Replace);
        (asked.Scope == rsFolder ? dialog.optWhere_Folder : dialog.optWhere_AllOpen)->setChecked(true);
        dialog.txtFolder->setText(asked.Folder);
        dialog.cmdReplace->click();
        return true;
    });
    QString report;
    TReplaceResultsHook::Set([&report](const QString &text) { report = text; });
    const auto cleanup = qScopeGuard([] {
        TExtReplaceDialogHook::Set(nullptr);
        TReplaceResultsHook::Set(nullptr);
    });
    for (const char *name : {"ra.html", "rb.html", "rc.html"})
        QVERIFY(m_main->OpenDocument(WriteFile(QString::fromLatin1(name), "old and old")));
    m_main->HTMLTab()->SetTabIndex(1);
    asked = {QStringLiteral("old"), QStringLiteral("new"), false, false, rsAllOpen, QString(), QString()};
    m_main->Action(QStringLiteral("mnuSearchExtReplace"))->trigger();
    QCOMPARE(m_main->HTMLTab()->TabIndex(), 1);
    QVERIFY(report.startsWith(QStringLiteral("2 replacements made in \"%1\"\r\n").arg(m_files.FilePath("ra.html"))));
    for (int i = 0; i < 3; ++i) {
        TkrRichHTML *e = m_main->HTMLTab()->Editor(i);
        QCOMPARE(e->Text(), QStringLiteral("new and new"));
        QVERIFY(e->Modified());
        e->Undo();
        QCOMPARE(e->Text(), QStringLiteral("old and old"));
        e->SetModified(false);
    }

    // The folder: ra.html open and modified, rb.html open and unmodified, rd.html not open.
    WriteFile(QStringLiteral("sweep/rd.html"), "old");
    const QString folder = m_files.FilePath(QStringLiteral("sweep"));
    QVERIFY(QFile::copy(m_files.FilePath("ra.html"), folder + "/ra.html"));
    QVERIFY(QFile::copy(m_files.FilePath("rb.html"), folder + "/rb.html"));
    m_main->CloseAll();
    QVERIFY(m_main->OpenDocument(folder + "/ra.html") && m_main->OpenDocument(folder + "/rb.html"));
    TkrRichHTML *modified = m_main->HTMLTab()->Editor(0);
    modified->InsertTags(QStringLiteral("mine "), QString(), false);
    Answer(mbYes); // go ahead
    Answer(mbYes); // reload
    asked = {QStringLiteral("old"), QStringLiteral("new"), false, false, rsFolder, folder, QString()};
    m_main->Action(QStringLiteral("spdExtReplace"))->trigger();
    QCOMPARE(m_boxes.Boxes.size(), 2);
    QCOMPARE(m_boxes.Boxes[0].Kind, mkWarning);
    QCOMPARE(m_boxes.Boxes[0].Buttons, mbYes | mbNo);
    QVERIFY(m_boxes.Boxes[0].Text.contains(QStringLiteral(", including one or more open documents,")));
    QVERIFY(m_boxes.Boxes[0].Text.contains(QStringLiteral("5 occurrences were found in 3 of 3 files.")));
    QCOMPARE(m_boxes.Boxes[1], (TShownBox{mkInformation, QStringLiteral("Reload affected documents?"), mbYes | mbNo}));
    QVERIFY(report.contains(QStringLiteral("1 replacements made in \"%1/rd.html\"").arg(folder)));
    QVERIFY(report.contains(QStringLiteral("\"%1/ra.html\" has unsaved changes and was not reloaded").arg(folder)));
    QCOMPARE(modified->Text(), QStringLiteral("mine old and old"));
    QCOMPARE(m_main->HTMLTab()->Editor(1)->Text(), QStringLiteral("new and new"));
}

// Ctrl+Z then Ctrl+Y (or Ctrl+Shift+Z) gives the text back; Redo is greyed with nothing to
// redo, and its keys still work after the menu was shown greyed.
void TestMainWindow::redoKeysAndMenu()
{
    m_main = new TfMain;
    TkrRichHTML *e = m_main->ActiveEditor();
    e->setFocus();
    QTest::keyClicks(e, QStringLiteral("ab"));
    QAction *redo = m_main->Action(QStringLiteral("mnuEditRedo"));
    m_main->Actions().UpdateEditCommands(false);
    QVERIFY(!redo->isEnabled());
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->Text(), QStringLiteral("a"));
    QVERIFY(redo->isEnabled());
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(e->Text(), QStringLiteral("ab"));
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(e->Text(), QStringLiteral("ab"));
    QVERIFY(!redo->isEnabled());
    QVERIFY(e->Modified());
}

#include "tst_mainwindow.moc"

// The projects dialog shown from the menu and the button, driven once it is up.
void TestMainWindow::openingAProject()
{
    m_main = new TfMain;
    const QString folder = m_files.FilePath(QStringLiteral("projects/"));
    QDir().mkpath(folder);
    SetProjectDir(folder);
    const QString b = WriteFile(QStringLiteral("pb.html"), "b"), a = WriteFile(QStringLiteral("pa.html"), "a");
    QVERIFY(WriteProjectFile(folder + "site.pwp", {b, m_files.FilePath(QStringLiteral("gone.html")), a}).Written);
    m_main->ActiveEditor()->InsertTags(QStringLiteral("y"), QString(), false);
    bool stayed = false;
    const auto open = [&stayed](int mode) {
        QTimer::singleShot(0, [&stayed, mode] {
            auto *dialog = qobject_cast<TfProjects *>(QApplication::activeModalWidget());
            dialog->findChild<QComboBox *>(QStringLiteral("cboColorCoding"))->setCurrentIndex(mode);
            dialog->OpenProject();
            stayed = dialog->isVisible();
            dialog->CloseClick();
        });
    };
    Answer(mbCancel); // the modified document's question: nothing is closed
    open(1);
    m_main->Action(QStringLiteral("mnuFileProjects"))->trigger();
    QVERIFY(stayed);
    QCOMPARE(m_main->ActiveEditor()->Text(), QStringLiteral("y"));
    QCOMPARE(int(m_main->ActiveEditor()->ColorCodeMode()), int(ccFull));
    Answer(mbNo);
    open(1);
    m_main->Action(QStringLiteral("spdProjects"))->trigger();
    QVERIFY(!stayed);
    QCOMPARE(m_main->HTMLTab()->DocumentCount(), 2);
    QCOMPARE(m_main->HTMLTab()->Editor(0)->Filename(), b);
    QCOMPARE(m_main->HTMLTab()->Editor(1)->Filename(), a);
    QCOMPARE(int(m_main->ActiveEditor()->ColorCodeMode()), int(ccMinimal));
    QVERIFY(m_main->Action(QStringLiteral("mnuColorCoding1"))->isChecked());
    QCOMPARE(m_main->CurrentProject(), folder + "site.pwp");
    // The link dialogs are offered the project's files.
    QCOMPARE(m_main->DialogContext().LinkHistory, (QStringList{"pb.html", "gone.html", "pa.html"}));
    QVERIFY(m_main->CloseAll());
    QCOMPARE(m_main->CurrentProject(), QString());
    QCOMPARE(m_main->DialogContext().LinkHistory, ReadLinkHistory());
    // Closing the dialog makes the selected project current; deleting it clears that.
    QTimer::singleShot(0, [] { qobject_cast<TfProjects *>(QApplication::activeModalWidget())->CloseClick(); });
    m_main->ShowProjects();
    QCOMPARE(m_main->CurrentProject(), folder + "site.pwp");
    Answer(mbYes);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TfProjects *>(QApplication::activeModalWidget());
        dialog->DeleteProject();
        dialog->CloseClick();
    });
    m_main->ShowProjects();
    QCOMPARE(m_main->CurrentProject(), QString());
}
