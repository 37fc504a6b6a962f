#include "tools/extreplacedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include "editor/richhtml.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"
#include "projects/projectfile.h"
#include "tools/extreplace.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// While files are processed the window keeps painting, but takes no input: Escape asks the
// sweep to stop after the file at hand, every other key or click is dropped.
class TSweepInput : public QObject
{
public:
    TSweepInput() { qApp->installEventFilter(this); }
    ~TSweepInput() override { qApp->removeEventFilter(this); }
    bool Stopped() const { return m_stopped; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (QApplication::activeModalWidget())
            return false; // a question of the sweep's own is answered as usual
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                m_stopped = true;
            return true;
        case QEvent::KeyRelease: case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: case QEvent::Wheel: case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
        }
    }

private:
    bool m_stopped = false;
};

// The text a memo holds, as typed (no U+00A0 turned into a space), with CR LF line breaks.
QString MemoText(const QPlainTextEdit *memo)
{
    QStringList lines;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        lines.append(b.text());
    return lines.join(CrLf);
}

QString DocumentName(const TExtReplaceHost &host, int index)
{
    const QString name = host.FileName(index);
    return name.isEmpty() ? QStringLiteral("[Untitled]") : name;
}

} // namespace

// ---- the sweep ----

void TExtendedReplace::Run(const TExtReplaceRequest &request)
{
    m_report.clear();
    switch (request.Scope) {
    case rsCurrentDoc: {
        const int index = m_host.ActiveIndex();
        TkrRichHTML *editor = m_host.Editor(index);
        if (!editor)
            return;
        const int count = editor->ReplaceAll(request.Find, request.Replace, request.MatchCase);
        MessageBox(mkInformation, QStringLiteral("%1 replacements made.").arg(count), mbOK, m_parent);
        return;
    }
    case rsAllOpen:
        ReplaceInOpenDocuments(request);
        return;
    case rsFolder:
        if (request.Folder.isEmpty())
            return;
        ProcessFiles(ExtendedReplaceFolderFiles(request.Folder), request);
        return;
    case rsProject: {
        const std::optional<QStringList> files = LoadProjectFiles(request.ProjectFile);
        if (!files || files->isEmpty()) {
            MessageBox(mkInformation, QStringLiteral("Project \"%1\" is empty.").arg(request.ProjectFile), mbOK, m_parent);
            return;
        }
        ProcessFiles(*files, request);
        return;
    }
    }
}

void TExtendedReplace::ReplaceInOpenDocuments(const TExtReplaceRequest &request)
{
    const int active = m_host.ActiveIndex();
    for (int i = 0; i < m_host.DocumentCount(); ++i) {
        m_host.SetActiveIndex(i);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        TkrRichHTML *editor = m_host.Editor(i);
        const int count = editor ? editor->ReplaceAll(request.Find, request.Replace, request.MatchCase) : 0;
        m_report += QStringLiteral("%1 replacements made in \"%2\"").arg(count).arg(DocumentName(m_host, i)) + CrLf;
    }
    m_host.SetActiveIndex(active);
    ShowReport();
}

void TExtendedReplace::ShowReport()
{
    if (const auto &hook = TReplaceResultsHook::Get())
        hook(m_report);
    else
        TfReplaceResults(m_report, m_parent).exec();
}

QList<int> TExtendedReplace::OpenTabsOf(const QStringList &files) const
{
    QList<int> tabs;
    for (int i = 0; i < m_host.DocumentCount(); ++i) {
        const QString name = m_host.FileName(i);
        if (name.isEmpty())
            continue;
        for (const QString &file : files)
            if (SameFile(name, file)) {
                tabs.append(i);
                break;
            }
    }
    return tabs;
}

void TExtendedReplace::ProcessFiles(const QStringList &files, const TExtReplaceRequest &request)
{
    if (files.isEmpty()) {
        MessageBox(mkInformation, QStringLiteral("No documents found."), mbOK, m_parent);
        return;
    }
    const QList<int> openTabs = OpenTabsOf(files);

    // A first pass only counts, so the question can say what the sweep will do.
    int occurrences = 0, withOccurrences = 0;
    for (const QString &file : files) {
        const int n = CountInFile(file, request.Find, request.MatchCase).Count;
        occurrences += n;
        withOccurrences += n > 0 ? 1 : 0;
    }
    QString question = QStringLiteral("This will affect all specified HTML documents");
    if (!openTabs.isEmpty())
        question += QStringLiteral(", including one or more open documents,");
    question += QStringLiteral(" without further confirmation.\n\n%1 occurrences were found in %2 of %3 files.\n\nContinue?")
                    .arg(occurrences).arg(withOccurrences).arg(files.size());
    if (MessageBox(mkWarning, question, mbYes | mbNo, m_parent) != mbYes)
        return;

    int done = 0;
    bool stopped = false;
    {
        m_host.Progress(QStringLiteral("Scanning..."), 0);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([this] {
            QApplication::restoreOverrideCursor();
            m_host.Progress(QString(), -1);
            m_host.StatusText(QStringLiteral(" Ready."));
        });
        TSweepInput input;
        for (const QString &file : files) {
            if (input.Stopped()) {
                stopped = true;
                break;
            }
            if (IsReadOnlyFile(file)) {
                QApplication::restoreOverrideCursor();
                const int answer = MessageBox(
                    mkConfirm, QStringLiteral("\"%1\" is a read-only file.  Do you still want to process it?").arg(file),
                    mbYes | mbNo, m_parent);
                QApplication::setOverrideCursor(Qt::WaitCursor);
                bool skip = answer != mbYes;
                if (!skip && !MakeFileWritable(file)) {
                    MessageBox(mkError, QStringLiteral("Unable to set attributes - skipping file"), mbOK, m_parent);
                    skip = true;
                }
                if (skip) {
                    m_report += QStringLiteral("Skipped \"%1\"").arg(file) + CrLf;
                    ++done;
                    continue;
                }
            }
            m_host.Progress(QStringLiteral("Scanning %1...").arg(file), std::min(100, done * 100 / int(files.size())));
            QCoreApplication::processEvents();
            const TFileReplace r = ReplaceInFile(file, request.Find, request.Replace, request.MatchCase, request.MakeBackups);
            if (r.Status == TFileReplace::Failed)
                m_report += QStringLiteral("Unable to process \"%1\": %2").arg(file, r.Error) + CrLf;
            else
                m_report += QStringLiteral("%1 replacements made in \"%2\"").arg(r.Count).arg(file) + CrLf;
            ++done;
            m_host.Progress(QStringLiteral("Scanning %1...").arg(file), std::min(100, done * 100 / int(files.size())));
        }
    }
    if (stopped)
        m_report += QStringLiteral("Stopped after %1 of %2 files.").arg(done).arg(files.size()) + CrLf;
    // Open copies with unsaved edits are never reloaded over.
    QList<int> reloadable;
    for (const int tab : openTabs) {
        TkrRichHTML *editor = m_host.Editor(tab);
        if (editor && editor->Modified())
            m_report += QStringLiteral("\"%1\" has unsaved changes and was not reloaded").arg(m_host.FileName(tab)) + CrLf;
        else
            reloadable.append(tab);
    }
    ShowReport();
    if (openTabs.isEmpty())
        return;
    if (MessageBox(mkInformation, QStringLiteral("Reload affected documents?"), mbYes | mbNo, m_parent) != mbYes)
        return;
    const int active = m_host.ActiveIndex();
    for (const int tab : reloadable) {
        m_host.SetActiveIndex(tab);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_host.Reload(tab);
    }
    m_host.SetActiveIndex(active);
}

// ---- the report ----

TfReplaceResults::TfReplaceResults(const QString &report, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfReplaceResults"));
    setWindowTitle(QStringLiteral("Replace Results"));
    auto *layout = new QVBoxLayout(this);
    memResults = new QPlainTextEdit(this);
    memResults->setObjectName(QStringLiteral("memResults"));
    memResults->setReadOnly(true);
    memResults->setLineWrapMode(QPlainTextEdit::NoWrap);
    memResults->setPlainText(QString(report).replace(CrLf, QStringLiteral("\n")));
    layout->addWidget(memResults);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    layout->addLayout(row);
    resize(520, 300);
}

// ---- the dialog ----

TfReplace::TfReplace(TExtReplaceHost host, QWidget *parent) : QDialog(parent), m_host(std::move(host))
{
    setObjectName(QStringLiteral("TfReplace"));
    setWindowTitle(QStringLiteral("Extended Replace"));
    auto *layout = new QVBoxLayout(this);
    auto memo = [this](const char *name) {
        auto *m = new QPlainTextEdit(this);
        m->setObjectName(QString::fromLatin1(name));
        m->setTabChangesFocus(true);
        m->setFixedHeight(m->fontMetrics().lineSpacing() * 3 + 12);
        m->installEventFilter(this);
        return m;
    };
    memFind = memo("memFind");
    memFind->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memReplace = memo("memReplace");
    auto *findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(memFind);
    auto *replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    replaceLabel->setBuddy(memReplace);
    layout->addWidget(findLabel);
    layout->addWidget(memFind);
    layout->addWidget(replaceLabel);
    layout->addWidget(memReplace);

    auto *checks = new QHBoxLayout;
    chkMakeBackups = new QCheckBox(QStringLiteral("Make &Backups"), this);
    chkMakeBackups->setObjectName(QStringLiteral("chkMakeBackups"));
    chkMatchCase = new QCheckBox(QStringLiteral("&Match case"), this);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    checks->addWidget(chkMakeBackups);
    checks->addWidget(chkMatchCase);
    checks->addStretch();
    layout->addLayout(checks);

    grpWhere = new QGroupBox(QStringLiteral("Replace &Where"), this);
    grpWhere->setObjectName(QStringLiteral("grpWhere"));
    auto *where = new QGridLayout(grpWhere);
    optWhere_CurrentDoc = new QRadioButton(QStringLiteral("Current &document only"), grpWhere);
    optWhere_AllOpen = new QRadioButton(QStringLiteral("All &open documents"), grpWhere);
    optWhere_Folder = new QRadioButton(QStringLiteral("All documents in this &folder:"), grpWhere);
    optWhere_Project = new QRadioButton(QStringLiteral("All documents in this p&roject:"), grpWhere);
    optWhere_CurrentDoc->setObjectName(QStringLiteral("optWhere_CurrentDoc"));
    optWhere_AllOpen->setObjectName(QStringLiteral("optWhere_AllOpen"));
    optWhere_Folder->setObjectName(QStringLiteral("optWhere_Folder"));
    optWhere_Project->setObjectName(QStringLiteral("optWhere_Project"));
    txtFolder = new QLineEdit(grpWhere);
    txtFolder->setObjectName(QStringLiteral("txtFolder"));
    txtFolder->setReadOnly(true);
    btnFolder = new QPushButton(QStringLiteral("..."), grpWhere);
    btnFolder->setObjectName(QStringLiteral("btnFolder"));
    btnFolder->setFixedWidth(btnFolder->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    cboProjects = new QComboBox(grpWhere);
    cboProjects->setObjectName(QStringLiteral("cboProjects"));
    where->addWidget(optWhere_CurrentDoc, 0, 0, 1, 3);
    where->addWidget(optWhere_AllOpen, 1, 0, 1, 3);
    where->addWidget(optWhere_Folder, 2, 0, 1, 3);
    where->addWidget(txtFolder, 3, 0, 1, 2);
    where->addWidget(btnFolder, 3, 2);
    where->addWidget(optWhere_Project, 4, 0, 1, 3);
    where->addWidget(cboProjects, 5, 0, 1, 3);
    layout->addWidget(grpWhere);
    optWhere_CurrentDoc->setChecked(true);

    cmdReplace = new QPushButton(QStringLiteral("Replace &All"), this);
    cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    cmdReplace->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdReplace);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    for (QRadioButton *o : {optWhere_CurrentDoc, optWhere_AllOpen, optWhere_Folder, optWhere_Project})
        connect(o, &QRadioButton::toggled, this, &TfReplace::ScopeChanged);
    connect(memFind, &QPlainTextEdit::textChanged, this,
            [this] { cmdReplace->setEnabled(!memFind->document()->isEmpty()); });
    connect(btnFolder, &QPushButton::clicked, this, [this] {
        const QString folder = RunFolderDialog(this, QStringLiteral("Select a Folder"), txtFolder->text());
        if (!folder.isEmpty())
            txtFolder->setText(folder);
    });
    connect(cmdReplace, &QPushButton::clicked, this, [this] {
        m_findText = MemoText(memFind);
        m_replaceText = MemoText(memReplace);
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    ScopeChanged();
    cmdReplace->setEnabled(false);
}

void TfReplace::ScopeChanged()
{
    const bool folder = optWhere_Folder->isChecked(), project = optWhere_Project->isChecked();
    chkMakeBackups->setEnabled(folder || project);
    btnFolder->setEnabled(folder);
    cboProjects->setEnabled(project);
}

void TfReplace::FillProjects()
{
    const QString chosen = cboProjects->currentText();
    cboProjects->clear();
    const QStringList names = QDir(GetProjectDir()).entryList({QStringLiteral("*.pwp")}, QDir::Files);
    for (const QString &name : names)
        cboProjects->addItem(QFileInfo(name).completeBaseName());
    cboProjects->setCurrentIndex(cboProjects->findText(chosen));
}

bool TfReplace::eventFilter(QObject *watched, QEvent *event)
{
    // Entering either memo selects its whole text.
    if (event->type() == QEvent::FocusIn && (watched == memFind || watched == memReplace))
        static_cast<QPlainTextEdit *>(watched)->selectAll();
    return QDialog::eventFilter(watched, event);
}

TExtReplaceRequest TfReplace::Request() const
{
    TExtReplaceRequest r;
    r.Find = m_findText;
    r.Replace = m_replaceText;
    r.MatchCase = chkMatchCase->isChecked();
    r.MakeBackups = chkMakeBackups->isChecked();
    r.Scope = optWhere_AllOpen->isChecked() ? rsAllOpen
              : optWhere_Folder->isChecked() ? rsFolder
              : optWhere_Project->isChecked() ? rsProject : rsCurrentDoc;
    r.Folder = txtFolder->text();
    if (cboProjects->currentIndex() >= 0)
        r.ProjectFile = GetProjectDir() + cboProjects->currentText() + QStringLiteral(".pwp");
    return r;
}

void TfReplace::Execute()
{
    memFind->setPlainText(m_findText);
    memReplace->setPlainText(m_replaceText);
    if (TkrRichHTML *editor = m_host.Editor(m_host.ActiveIndex()); editor && editor->SelLength() > 0)
        memFind->setPlainText(editor->SelText());
    cmdReplace->setEnabled(!memFind->document()->isEmpty());
    FillProjects();
    if (cboProjects->currentIndex() < 0 && !m_host.CurrentProject().isEmpty())
        cboProjects->setCurrentIndex(cboProjects->findText(ProjectNameOf(m_host.CurrentProject())));
    if (txtFolder->text().isEmpty())
        txtFolder->setText(m_host.PanelFolder());
    memFind->setFocus();
    if (const auto &hook = TExtReplaceDialogHook::Get()) {
        if (!hook(*this))
            return;
    } else if (exec() != QDialog::Accepted) {
        return;
    }
    TExtendedReplace(m_host, parentWidget()).Run(Request());
}
