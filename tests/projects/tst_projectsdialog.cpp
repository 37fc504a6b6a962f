// The projects dialog offscreen: naming and saving projects, adding files, deleting
// projects and opening one through a stand-in main window.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "platform/configstore.h"
#include "platform/programfolder.h"
#include "projects/docproperties.h"
#include "projects/projectfile.h"
#include "projects/projectsdialog.h"
#include "testsupport.h"

namespace {

const TShownBox SaveChanges{mkConfirm, QStringLiteral("Save changes?"), mbYes | mbNo, {}};
const TShownBox InvalidName{mkWarning, QStringLiteral("Please enter a valid project name."), mbOK, {}};
const TShownBox CannotBackUp{mkWarning, QStringLiteral("Unable to backup project data file."), mbOK, {}};
const TShownBox CannotSave{mkError, QStringLiteral("Unable to save project."), mbOK, {}};
TShownBox Overwrite(const QString &name)
{
    return {mkConfirm, QStringLiteral("Overwrite existing project \"%1\"?").arg(name), mbYes | mbNo, {}};
}

} // namespace

class TestProjectsDialog : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<TTempFiles> m_files;
    QString m_folder; // the projects folder
    TMessageRecorder m_boxes;
    TModalAnswerer m_modal;

    // Two projects, "other" and "site", each listing one page.
    void WriteProjects()
    {
        QVERIFY(WriteProjectFile(m_folder + "other.pwp", {m_files->Write("o.html", "o")}).Written);
        QVERIFY(WriteProjectFile(m_folder + "site.pwp", {m_files->Write("s.html", "s")}).Written);
    }
    QStringList FolderEntries() const
    {
        return QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void init()
    {
        m_files = std::make_unique<TTempFiles>();
        m_folder = m_files->FilePath("projects/");
        QDir().mkpath(m_folder);
        SetProjectDir(m_folder);
        m_boxes.Clear();
        m_modal.Clear();
    }

    // A name typed for a new project (saved from an untitled one) or for the current one.
    void naming_data()
    {
        QTest::addColumn<bool>("saveButton"); // Save Project; otherwise New Project asks to save
        QTest::addColumn<bool>("fromSite");   // "site" is the current project; otherwise an untitled one
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("overwrite");   // the answer to the overwrite question
        QTest::addColumn<bool>("blocked");    // the current project's file is a folder: it cannot be written
        QTest::addColumn<QList<TShownBox>>("boxes");
        QTest::addColumn<bool>("saved");      // the name's file holds the edited list
        for (const bool button : {true, false}) {
            const QString via = button ? QStringLiteral("save button: ") : QStringLiteral("save on leaving: ");
            const QList<TShownBox> ask = button ? QList<TShownBox>() : QList<TShownBox>{SaveChanges};
            for (const char *name : {"a/b", "..", ".site", "../x", "sub\\x"})
                QTest::newRow(qPrintable(via + "invalid " + name))
                    << button << false << QString(name) << 0 << false << (ask + QList{InvalidName}) << false;
            QTest::newRow(qPrintable(via + "another project, No")) << button << false << "other" << int(mbNo) << false
                                                                   << (ask + QList{Overwrite("other")}) << false;
            QTest::newRow(qPrintable(via + "another project, Yes")) << button << false << "other" << int(mbYes) << false
                                                                    << (ask + QList{Overwrite("other")}) << true;
            QTest::newRow(qPrintable(via + "a new name")) << button << false << "fresh" << 0 << false << ask << true;
            QTest::newRow(qPrintable(via + "write fails")) << button << false << QString(300, u'x') << 0 << false
                                                           << (ask + QList{CannotSave}) << false;
        }
        QTest::newRow("save button: the current name asks nothing")
            << true << true << "site" << 0 << false << QList<TShownBox>() << true;
        QTest::newRow("save button: from the current project to another, No")
            << true << true << "other" << int(mbNo) << false << QList{Overwrite("other")} << false;
        QTest::newRow("save on leaving: the current project fails to write")
            << false << true << "site" << 0 << true << QList{SaveChanges, CannotBackUp, CannotSave} << false;
    }
    void naming()
    {
        QFETCH(bool, saveButton);
        QFETCH(bool, fromSite);
        QFETCH(QString, name);
        QFETCH(int, overwrite);
        QFETCH(bool, blocked);
        QFETCH(QList<TShownBox>, boxes);
        QFETCH(bool, saved);
        WriteProjects();
        TfProjects dialog({});
        auto *projects = dialog.findChild<QTreeWidget *>("lvwProjects");
        if (fromSite)
            projects->setCurrentItem(projects->findItems("site", Qt::MatchExactly).value(0));
        else
            dialog.NewProject();
        QCOMPARE(dialog.ProjectPath(), fromSite ? m_folder + "site.pwp" : QString());
        const QString added = m_files->Write("new.html", "n");
        m_modal.FileAnswers << added;
        dialog.AddFiles();
        const QStringList before = FolderEntries();
        if (blocked) {
            QFile::remove(m_folder + "site.pwp");
            QDir(m_folder).mkdir("site.pwp");
        }
        m_modal.InputAnswers << name;
        if (!saveButton)
            m_boxes.Answers << int(mbYes);
        if (overwrite)
            m_boxes.Answers << overwrite;
        if (saveButton)
            dialog.SaveProject();
        else
            dialog.NewProject();
        QCOMPARE(m_boxes.Boxes, boxes);
        if (saveButton || !fromSite) {
            QCOMPARE(m_modal.InputPrompts(), QStringList{"Enter a Project Name"});
            QCOMPARE(m_modal.InputBoxes.at(0).Caption, QStringLiteral("Save Project"));
            QCOMPARE(m_modal.InputBoxes.at(0).Value, fromSite ? QStringLiteral("site") : QStringLiteral("[Untitled]"));
        }
        const QString path = m_folder + name + ".pwp";
        if (saved) {
            QVERIFY(LoadProjectFiles(path)->contains(added));
            QVERIFY(!dialog.Modified());
            QCOMPARE(dialog.ProjectPath(), saveButton ? path : QString()); // New Project went ahead
        } else {
            // Nothing written anywhere, the edits kept, New Project did not go ahead.
            QCOMPARE(FolderEntries(), before);
            QVERIFY(!QFileInfo::exists(m_files->FilePath("x.pwp")));
            QVERIFY(dialog.Modified());
            QVERIFY(dialog.Files().contains(added));
            QCOMPARE(ConfigStore::Read(PendwickKey(), "ProjectDir", QString()), m_folder);
        }
    }

    // A projects folder that is gone is replaced through the folder browser, or nothing is saved.
    void missingProjectsFolder()
    {
        const QString gone = m_files->FilePath("gone/");
        const QString warning = "The path to your project files - " + gone + " - is invalid.  Please select a different location.";
        QVERIFY(!SaveProjectFile(gone + "p.pwp", {"/a.html"}));
        const QString chosen = m_files->FilePath("chosen");
        QDir().mkpath(chosen);
        m_modal.FileAnswers << chosen;
        QString saved;
        QVERIFY(SaveProjectFile(gone + "p.pwp", {"/a.html"}, nullptr, &saved));
        QCOMPARE(m_boxes.Boxes, (QList<TShownBox>{{mkWarning, warning, mbOK, {}}, {mkWarning, warning, mbOK, {}}}));
        QCOMPARE(m_modal.FileDialogTitles(), (QStringList{"Select a Project Folder", "Select a Project Folder"}));
        QCOMPARE(m_modal.FileDialogs.at(0).Kind, fdFolder);
        QCOMPARE(saved, chosen + "/p.pwp");
        QCOMPARE(LoadProjectFiles(saved), std::optional(QStringList{"/a.html"}));
        QCOMPARE(GetProjectDir(), chosen + "/");
    }

    // Files chosen in "Add File to Project", one dialog after another.
    void addingFiles_data()
    {
        QTest::addColumn<QStringList>("chosen"); // names in the test folder, "\n" between several of one dialog
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("told");
        QTest::newRow("two at once") << QStringList{"a.html\nb.html"} << QStringList{"a.html", "b.html"} << false;
        QTest::newRow("the same file twice") << QStringList{"a.html", "a.html"} << QStringList{"a.html"} << true;
        QTest::newRow("twice in one choice") << QStringList{"a.html\na.html"} << QStringList{"a.html"} << true;
        QTest::newRow("through another path") << QStringList{"a.html", "sub/../a.html"} << QStringList{"a.html"} << true;
        QTest::newRow("names differing in case are two files")
            << QStringList{"a.html", "A.html"} << QStringList{"a.html", "A.html"} << false;
    }
    void addingFiles()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, files);
        QFETCH(bool, told);
        for (const char *name : {"a.html", "A.html", "b.html", "sub/x.html"})
            m_files->Write(name, "<title>T</title>");
        TfProjects dialog({});
        for (const QString &answer : chosen) {
            QStringList paths;
            for (const QString &name : answer.split('\n'))
                paths << m_files->FilePath(name);
            m_modal.FileAnswers << paths.join('\n');
            dialog.AddFiles();
        }
        QStringList expected;
        for (const QString &name : files)
            expected << m_files->FilePath(name);
        QCOMPARE(dialog.Files(), expected);
        QCOMPARE(m_modal.FileDialogs.at(0).Kind, fdOpenFiles);
        QCOMPARE(m_modal.FileDialogTitles().at(0), QStringLiteral("Add File to Project"));
        const TShownBox info{mkInformation, "One or more files already exist in this project and were not added.", mbOK, {}};
        QCOMPARE(m_boxes.Boxes, told ? QList{info} : QList<TShownBox>());
        QVERIFY(dialog.Modified());
    }

    void deletingProjects()
    {
        WriteProjects();
        QStringList deleted;
        TProjectHost host;
        host.ProjectDeleted = [&deleted](const QString &path) { deleted << path; };
        TfProjects dialog(host);
        const QString first = dialog.ProjectPath();
        m_boxes.Answers << int(mbNo) << int(mbYes) << int(mbYes);
        dialog.DeleteProject();
        QCOMPARE(dialog.ProjectPath(), first); // No keeps it
        dialog.DeleteProject();
        QVERIFY(!QFileInfo::exists(first));
        QVERIFY(!dialog.ProjectPath().isEmpty() && dialog.ProjectPath() != first);
        dialog.DeleteProject();
        QCOMPARE(deleted.size(), 2);
        QCOMPARE(m_boxes.Boxes.at(0), (TShownBox{mkConfirm, "Delete project \"" + ProjectNameOf(first) + "\"?", mbYes | mbNo, {}}));
        // The last one gone leaves an empty, untitled project.
        QCOMPARE(dialog.ProjectPath(), QString());
        QVERIFY(dialog.Files().isEmpty());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Projects - [Untitled]"));
    }

    // A change of project that save-if-modified refuses leaves the selection where it was.
    void refusedChangeKeepsSelection()
    {
        WriteProjects();
        TfProjects dialog({});
        auto *projects = dialog.findChild<QTreeWidget *>("lvwProjects");
        QTreeWidgetItem *first = projects->currentItem();
        QCOMPARE(dialog.windowTitle(), "Projects - " + first->text(0));
        dialog.findChild<QTreeWidget *>("lvwFiles")->topLevelItem(0)->setSelected(true);
        dialog.RemoveFile();
        m_boxes.Answers << int(mbYes); // save: an empty project cannot be
        projects->setCurrentItem(projects->topLevelItem(1));
        QCOMPARE(m_boxes.Texts(), (QStringList{"Save changes?", "This project is empty - there is nothing to save."}));
        QCOMPARE(projects->currentItem(), first);
        QCOMPARE(dialog.windowTitle(), "Projects - " + first->text(0));
    }

    void openingAProject()
    {
        QVERIFY(WriteProjectFile(m_folder + "site.pwp",
                                 {m_files->Write("b.html", "b"), m_files->FilePath("gone.html"), m_files->Write("a.html", "a")})
                    .Written);
        QStringList calls;
        bool closeAll = false;
        TProjectHost host;
        host.CloseAll = [&] { calls << "close all"; return closeAll; };
        host.SetColorCoding = [&](TColorCodeMode mode) { calls << QString::number(int(mode)); };
        host.OpenDocument = [&](const QString &file) { calls << QFileInfo(file).fileName(); return true; };
        TfProjects dialog(host);
        dialog.findChild<QComboBox *>("cboColorCoding")->setCurrentIndex(1);
        dialog.OpenProject();
        QCOMPARE(calls, QStringList{"close all"}); // a refused close stops
        closeAll = true;
        calls.clear();
        dialog.OpenProject();
        QCOMPARE(calls, (QStringList{"close all", "1", "b.html", "a.html"}));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // The properties window shows what the file properties read (tst_fileproperties); here
    // only its wiring: pages by kind, Copy URL, F1 and the hourglass.
    void documentProperties()
    {
        int topic = 0;
        SetHelpTopicHandler([&topic](int t, QWidget *) { topic = t; });
        TfDocProperties window;
        QCOMPARE(window.windowTitle(), "Properties");
        window.ShowFileProperties(m_files->Write("p.html", "<a href=\"b.html\"><a href=\"a.html\"><img src=\"c.gif\">"));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!window.pgProperties->isHidden());
        QCOMPARE(window.lstLinks->count(), 2);
        emit window.mnuPopupLinks->aboutToShow();
        QVERIFY(!window.mnuPL_Copy->isEnabled());
        window.pgProperties->setCurrentIndex(1);
        window.lstDepend->setCurrentRow(0);
        emit window.mnuPopupLinks->aboutToShow();
        QVERIFY(window.mnuPL_Copy->isEnabled());
        window.mnuPL_Copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), "c.gif");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(topic, DocPropertiesHelpTopic);
        SetHelpTopicHandler(nullptr);
        window.ShowFileProperties(m_files->Write("s.css", "x"));
        QVERIFY(window.pgProperties->isHidden());
        QCOMPARE(window.lblTitle->text(), QString());
        // A missing file opens the window empty, without a message.
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        ShowDocumentProperties(nullptr, m_files->FilePath("gone.html"));
        QVERIFY(m_boxes.Boxes.isEmpty());
    }
};

QTEST_MAIN(TestProjectsDialog)
#include "tst_projectsdialog.moc"
