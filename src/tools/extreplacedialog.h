#pragma once
// "Extended Replace": one text replaced by another across the current document, all open
// documents, the HTML documents of a folder, or the documents of a project, with a report
// of what changed where.
#include <QDialog>
#include <functional>

#include "platform/testhook.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TkrRichHTML;

enum TReplaceScope { rsCurrentDoc, rsAllOpen, rsFolder, rsProject };

// What the sweep needs from the main window.
struct TExtReplaceHost {
    std::function<int()> DocumentCount;
    std::function<TkrRichHTML *(int)> Editor;
    std::function<QString(int)> FileName; // empty for an untitled document
    std::function<int()> ActiveIndex;
    std::function<void(int)> SetActiveIndex;
    std::function<bool(int)> Reload;
    std::function<QString()> PanelFolder;    // the file panel's folder
    std::function<QString()> CurrentProject; // the main window's current project file
    // The progress display in place of the status bar; a negative value removes it.
    std::function<void(const QString &caption, int percent)> Progress;
    std::function<void(const QString &)> StatusText;
};

struct TExtReplaceRequest {
    QString Find, Replace;
    bool MatchCase = false, MakeBackups = false;
    TReplaceScope Scope = rsCurrentDoc;
    QString Folder;      // scope 2
    QString ProjectFile; // scope 3: the project's file
};

// Runs one replacement with its questions, progress and report.
class TExtendedReplace
{
public:
    explicit TExtendedReplace(TExtReplaceHost host, QWidget *parent = nullptr)
        : m_host(std::move(host)), m_parent(parent) {}
    void Run(const TExtReplaceRequest &request);
    QString LastReport() const { return m_report; }

private:
    void ReplaceInOpenDocuments(const TExtReplaceRequest &request);
    void ProcessFiles(const QStringList &files, const TExtReplaceRequest &request);
    QList<int> OpenTabsOf(const QStringList &files) const;
    void ShowReport();

    TExtReplaceHost m_host;
    QWidget *m_parent;
    QString m_report;
};

class TfReplace;
// Tests see the report, and fill and answer the dialog, instead of a person.
using TReplaceResultsHook = THook<void(const QString &report), struct TReplaceResultsTag>;
using TExtReplaceDialogHook = THook<bool(TfReplace &dialog), struct TExtReplaceDialogTag>;

// The report: a read-only text and OK.
class TfReplaceResults : public QDialog
{
    Q_OBJECT
public:
    explicit TfReplaceResults(const QString &report, QWidget *parent = nullptr);
    QPlainTextEdit *memResults = nullptr;
};

// The dialog is made once and kept, so its texts and choices last for the run.
class TfReplace : public QDialog
{
    Q_OBJECT
public:
    explicit TfReplace(TExtReplaceHost host, QWidget *parent = nullptr);
    // Search > Extended Replace: fills the dialog, shows it and runs what it asks for.
    void Execute();
    TExtReplaceRequest Request() const;

    QPlainTextEdit *memFind = nullptr;
    QPlainTextEdit *memReplace = nullptr;
    QCheckBox *chkMakeBackups = nullptr;
    QCheckBox *chkMatchCase = nullptr;
    QGroupBox *grpWhere = nullptr;
    QRadioButton *optWhere_CurrentDoc = nullptr;
    QRadioButton *optWhere_AllOpen = nullptr;
    QRadioButton *optWhere_Folder = nullptr;
    QLineEdit *txtFolder = nullptr;
    QPushButton *btnFolder = nullptr;
    QRadioButton *optWhere_Project = nullptr;
    QComboBox *cboProjects = nullptr;
    QPushButton *cmdReplace = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ScopeChanged();
    void FillProjects();

    TExtReplaceHost m_host;
    QString m_findText, m_replaceText; // as they stood when Replace All was pressed
};
