#pragma once
// The projects dialog: lists the projects of the projects folder, edits the file list of
// the selected one, saves, deletes and opens projects.
#include <QDialog>
#include <QStringList>
#include <functional>

#include "editor/colorcoding.h"

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Writes a project file with the program's messages: a projects folder that is gone is
// replaced through a folder browser (the file is then saved there, and savedPath says
// where); a backup that cannot be made is reported and the save goes on; a write that
// fails is reported and gives false.
bool SaveProjectFile(const QString &path, const QStringList &files, QWidget *parent = nullptr,
                     QString *savedPath = nullptr);

// What opening a project and deleting one ask of the main window.
struct TProjectHost
{
    std::function<bool()> CloseAll;                        // false when a close was refused
    std::function<void(TColorCodeMode)> SetColorCoding;    // as the Colour Coding command
    std::function<bool(const QString &file)> OpenDocument; // in a new tab
    std::function<void(const QString &path)> ProjectDeleted;
};

class TfProjects : public QDialog
{
    Q_OBJECT

public:
    explicit TfProjects(TProjectHost host, QWidget *parent = nullptr);

    // The current project's file; empty for a new, unsaved one.
    QString ProjectPath() const { return m_path; }
    QStringList Files() const { return m_files; }
    bool Modified() const { return m_modified; }

    // Asks to save a modified list before the current project is left; false when the
    // change of project must not go ahead.
    bool SaveIfModified();

    void NewProject();
    void SaveProject();
    void DeleteProject();
    void OpenProject();
    void AddFiles();
    void RemoveFile();
    void CloseClick();

protected:
    void reject() override; // Escape and the title bar's close act as Close

private:
    void FillProjects(const QString &select = QString());
    void ProjectChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void LoadProject(const QString &path);
    void ClearProject();
    void RefreshFiles();
    void UpdateCaption();
    void FileSelectionChanged();
    bool AskForName(const QString &defaultName, QString &path);
    QString SelectedFile() const;

    TProjectHost m_host;
    QString m_path;
    QStringList m_files;
    bool m_modified = false;
    bool m_restoring = false; // putting back a selection that save-if-modified refused
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;

    QTreeWidget *lvwProjects = nullptr;
    QTreeWidget *lvwFiles = nullptr;
    QPushButton *btnNewProject = nullptr;
    QPushButton *btnSaveProject = nullptr;
    QPushButton *btnDeleteProject = nullptr;
    QPushButton *btnOpenProject = nullptr;
    QPushButton *btnAddFile = nullptr;
    QPushButton *btnRemoveFile = nullptr;
    QPushButton *btnClose = nullptr;
    QLabel *lblColorCoding = nullptr;
    QComboBox *cboColorCoding = nullptr;
    QMenu *mnuFilePopup = nullptr;
    QAction *mnuFileRemove = nullptr;
    QAction *mnuFileProperties = nullptr;
};
