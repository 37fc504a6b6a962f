#include "projects/projectsdialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/filetext.h"
#include "common/htmlextensions.h"
#include "platform/filedialogs.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "projects/docproperties.h"
#include "projects/projectfile.h"

namespace {

const QString EmptyProjectText = QStringLiteral("This project is empty - there is nothing to save.");
const QString Untitled = QStringLiteral("[Untitled]");

} // namespace

bool SaveProjectFile(const QString &path, const QStringList &files, QWidget *parent, QString *savedPath)
{
    QString target = path;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        MessageBox(mkWarning,
                   QStringLiteral("The path to your project files - ") + QDir::toNativeSeparators(folder + u'/')
                       + QStringLiteral(" - is invalid.") + QStringLiteral("  Please select a different location."),
                   mbOK, parent);
        const QString chosen = RunFolderDialog(parent, QStringLiteral("Select a Project Folder"), QDir::homePath());
        if (chosen.isEmpty())
            return false;
        SetProjectDir(chosen);
        target = QDir(chosen).filePath(QFileInfo(path).fileName());
    }
    const TProjectWrite written = WriteProjectFile(target, files);
    if (written.BackupFailed)
        MessageBox(mkWarning, QStringLiteral("Unable to backup project data file."), mbOK, parent);
    if (!written.Written) {
        MessageBox(mkError, QStringLiteral("Unable to save project."), mbOK, parent);
        return false;
    }
    if (savedPath)
        *savedPath = target;
    return true;
}

TfProjects::TfProjects(TProjectHost host, QWidget *parent) : QDialog(parent), m_host(std::move(host))
{
    setObjectName(QStringLiteral("TfProjects"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    lvwProjects = new QTreeWidget(this);
    lvwProjects->setObjectName(QStringLiteral("lvwProjects"));
    lvwProjects->setHeaderLabels({QStringLiteral("Project Filename")});
    lvwProjects->setRootIsDecorated(false);

    lvwFiles = new QTreeWidget(this);
    lvwFiles->setObjectName(QStringLiteral("lvwFiles"));
    lvwFiles->setHeaderLabels({QStringLiteral("File Name"), QStringLiteral("Description")});
    lvwFiles->setRootIsDecorated(false);
    lvwFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    lvwFiles->header()->setSectionsClickable(true);
    lvwFiles->header()->setSortIndicatorShown(false);
    lvwFiles->setColumnWidth(0, 300);

    auto button = [this](const char *name, const char *caption) {
        auto *b = new QPushButton(QLatin1String(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    btnNewProject = button("btnNewProject", "&New Project");
    btnSaveProject = button("btnSaveProject", "&Save Project");
    btnDeleteProject = button("btnDeleteProject", "&Delete Project");
    btnOpenProject = button("btnOpenProject", "&Open Project");
    btnAddFile = button("btnAddFile", "Add File...");
    btnRemoveFile = button("btnRemoveFile", "Remove File");
    btnClose = button("btnClose", "&Close");

    lblColorCoding = new QLabel(QStringLiteral("Color Coding"), this);
    lblColorCoding->setObjectName(QStringLiteral("lblColorCoding"));
    cboColorCoding = new QComboBox(this);
    cboColorCoding->setObjectName(QStringLiteral("cboColorCoding"));
    cboColorCoding->addItems({QStringLiteral("None"), QStringLiteral("Minimal"), QStringLiteral("Full")});
    cboColorCoding->setCurrentIndex(int(ccFull));
    lblColorCoding->setBuddy(cboColorCoding);

    mnuFilePopup = new QMenu(this);
    mnuFileRemove = mnuFilePopup->addAction(QStringLiteral("&Remove from project"));
    mnuFileRemove->setObjectName(QStringLiteral("mnuFileRemove"));
    mnuFileProperties = mnuFilePopup->addAction(QStringLiteral("&Properties..."));
    mnuFileProperties->setObjectName(QStringLiteral("mnuFileProperties"));

    auto *projectButtons = new QVBoxLayout;
    for (QPushButton *b : {btnNewProject, btnSaveProject, btnDeleteProject, btnOpenProject})
        projectButtons->addWidget(b);
    projectButtons->addStretch();
    projectButtons->addWidget(lblColorCoding);
    projectButtons->addWidget(cboColorCoding);
    auto *top = new QHBoxLayout;
    top->addWidget(lvwProjects, 1);
    top->addLayout(projectButtons);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnAddFile);
    bottom->addWidget(btnRemoveFile);
    bottom->addStretch();
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(lvwFiles, 2);
    layout->addLayout(bottom);
    resize(560, 440);

    connect(btnNewProject, &QPushButton::clicked, this, &TfProjects::NewProject);
    connect(btnSaveProject, &QPushButton::clicked, this, &TfProjects::SaveProject);
    connect(btnDeleteProject, &QPushButton::clicked, this, &TfProjects::DeleteProject);
    connect(btnOpenProject, &QPushButton::clicked, this, &TfProjects::OpenProject);
    connect(btnAddFile, &QPushButton::clicked, this, &TfProjects::AddFiles);
    connect(btnRemoveFile, &QPushButton::clicked, this, &TfProjects::RemoveFile);
    connect(btnClose, &QPushButton::clicked, this, &TfProjects::CloseClick);
    connect(mnuFileRemove, &QAction::triggered, this, &TfProjects::RemoveFile);
    connect(mnuFileProperties, &QAction::triggered, this, [this] { ShowDocumentProperties(this, SelectedFile()); });
    connect(lvwProjects, &QTreeWidget::currentItemChanged, this, &TfProjects::ProjectChanged);
    connect(lvwProjects, &QTreeWidget::itemDoubleClicked, this, &TfProjects::OpenProject);
    connect(lvwFiles, &QTreeWidget::itemSelectionChanged, this, &TfProjects::FileSelectionChanged);
    connect(lvwFiles, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { mnuFilePopup->popup(lvwFiles->viewport()->mapToGlobal(pos)); });
    // One sort direction for all columns, turned at every click.
    connect(lvwFiles->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        lvwFiles->sortItems(column, m_sortOrder);
    });

    FillProjects();
    if (!lvwProjects->currentItem())
        ClearProject();
}

// The ".pwp" files of the projects folder in the order the folder lists them; the item
// named `select` (the first when empty) becomes current, which loads it.
void TfProjects::FillProjects(const QString &select)
{
    const QString folder = GetProjectDir();
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.pwp")}, QDir::Files | QDir::CaseSensitive, QDir::Unsorted);
    {
        const QSignalBlocker blocker(lvwProjects);
        lvwProjects->clear();
        for (const QString &name : names) {
            auto *item = new QTreeWidgetItem(lvwProjects, {ProjectNameOf(name)});
            item->setData(0, Qt::UserRole, folder + name);
        }
    }
    QTreeWidgetItem *current = lvwProjects->topLevelItemCount() ? lvwProjects->topLevelItem(0) : nullptr;
    for (int i = 0; i < lvwProjects->topLevelItemCount() && !select.isEmpty(); ++i)
        if (lvwProjects->topLevelItem(i)->text(0) == select)
            current = lvwProjects->topLevelItem(i);
    if (current)
        lvwProjects->setCurrentItem(current);
}

void TfProjects::ProjectChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (m_restoring || !current)
        return;
    if (!SaveIfModified()) {
        // The project stays: so does its item.
        m_restoring = true;
        lvwProjects->setCurrentItem(previous);
        if (!previous)
            lvwProjects->clearSelection();
        m_restoring = false;
        return;
    }
    LoadProject(current->data(0, Qt::UserRole).toString());
}

void TfProjects::LoadProject(const QString &path)
{
    m_path = path;
    m_files = LoadProjectFiles(path).value_or(QStringList());
    m_modified = false;
    RefreshFiles();
    UpdateCaption();
}

void TfProjects::ClearProject()
{
    m_path.clear();
    m_files.clear();
    m_modified = false;
    {
        const QSignalBlocker blocker(lvwProjects);
        lvwProjects->setCurrentItem(nullptr);
        lvwProjects->clearSelection();
    }
    RefreshFiles();
    UpdateCaption();
}

void TfProjects::RefreshFiles()
{
    const QIcon present = style()->standardIcon(QStyle::SP_FileIcon);
    const QIcon missing = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    lvwFiles->clear();
    for (const QString &file : m_files) {
        const bool exists = QFileInfo(file).isFile();
        auto *item = new QTreeWidgetItem(lvwFiles, {file, DocumentTitle(file)});
        item->setIcon(0, exists ? present : missing);
        item->setData(0, Qt::UserRole, exists ? 0 : 1); // the image: 0 present, 1 missing
    }
    FileSelectionChanged();
}

void TfProjects::UpdateCaption()
{
    setWindowTitle(QStringLiteral("Projects - ") + (m_path.isEmpty() ? Untitled : ProjectNameOf(m_path)));
}

void TfProjects::FileSelectionChanged()
{
    const bool selected = !lvwFiles->selectedItems().isEmpty();
    mnuFileRemove->setEnabled(selected);
    mnuFileProperties->setEnabled(selected);
}

QString TfProjects::SelectedFile() const
{
    const QList<QTreeWidgetItem *> selected = lvwFiles->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(0);
}

// Asks for a project name and gives its file in the projects folder. A name that would
// save elsewhere (a folder part, a leading dot) is refused; another project of that name
// is overwritten only when the user agrees.
bool TfProjects::AskForName(const QString &defaultName, QString &path)
{
    const std::optional<QString> name =
        InputBox(QStringLiteral("Save Project"), QStringLiteral("Enter a Project Name"), defaultName, this);
    if (!name || name->isEmpty())
        return false;
    if (!IsValidProjectName(*name)) {
        MessageBox(mkWarning, QStringLiteral("Please enter a valid project name."), mbOK, this);
        return false;
    }
    path = GetProjectDir() + *name + QStringLiteral(".pwp");
    if (!(!m_path.isEmpty() && SameFile(path, m_path)) && QFileInfo::exists(path)
        && MessageBox(mkConfirm, QStringLiteral("Overwrite existing project \"") + *name + QStringLiteral("\"?"),
                      mbYes | mbNo, this)
               == mbNo)
        return false;
    return true;
}

bool TfProjects::SaveIfModified()
{
    if (!m_modified)
        return true;
    if (MessageBox(mkConfirm, QStringLiteral("Save changes?"), mbYes | mbNo, this) == mbNo) {
        m_modified = false;
        return true;
    }
    if (m_files.isEmpty()) {
        MessageBox(mkInformation, EmptyProjectText, mbOK, this);
        m_modified = false;
        return false;
    }
    QString path = m_path;
    if (path.isEmpty() && !AskForName(Untitled, path))
        return false;
    // A failed save keeps the edits: the project is not left.
    if (!SaveProjectFile(path, m_files, this, &path))
        return false;
    m_path = path;
    m_modified = false;
    return true;
}

void TfProjects::NewProject()
{
    if (SaveIfModified())
        ClearProject();
}

void TfProjects::SaveProject()
{
    if (m_files.isEmpty()) {
        MessageBox(mkInformation, EmptyProjectText, mbOK, this);
        return;
    }
    QString path;
    if (!AskForName(m_path.isEmpty() ? Untitled : ProjectNameOf(m_path), path))
        return;
    if (!SaveProjectFile(path, m_files, this, &path))
        return;
    m_modified = false;
    m_path = path;
    FillProjects(ProjectNameOf(path));
    lvwProjects->setFocus();
}

void TfProjects::DeleteProject()
{
    QTreeWidgetItem *item = lvwProjects->currentItem();
    if (!item)
        return;
    const QString path = item->data(0, Qt::UserRole).toString();
    if (MessageBox(mkConfirm, QStringLiteral("Delete project \"") + item->text(0) + QStringLiteral("\"?"), mbYes | mbNo,
                   this)
        == mbNo)
        return;
    if (!QFile::remove(path)) {
        MessageBox(mkWarning, QStringLiteral("Unable to delete project."), mbOK, this);
        return;
    }
    if (m_host.ProjectDeleted)
        m_host.ProjectDeleted(path);
    // The edits of a project that is gone have nowhere to go.
    const int row = lvwProjects->indexOfTopLevelItem(item);
    m_path.clear();
    m_modified = false;
    FillProjects();
    const int count = lvwProjects->topLevelItemCount();
    if (count == 0)
        ClearProject();
    else
        lvwProjects->setCurrentItem(lvwProjects->topLevelItem(std::min(row, count - 1)));
}

void TfProjects::OpenProject()
{
    if (!SaveIfModified())
        return;
    if (m_host.CloseAll && !m_host.CloseAll())
        return;
    if (m_host.SetColorCoding)
        m_host.SetColorCoding(TColorCodeMode(cboColorCoding->currentIndex()));
    for (const QString &file : m_files)
        if (QFileInfo(file).isFile() && m_host.OpenDocument)
            m_host.OpenDocument(file);
    accept();
}

void TfProjects::AddFiles()
{
    const QStringList chosen = RunOpenFilesDialog(this, QStringLiteral("Add File to Project"), QString(),
                                                  QtNameFilters(OpenSaveDialogFilter()).join(QStringLiteral(";;")));
    if (chosen.isEmpty())
        return;
    bool skipped = false;
    for (const QString &file : chosen) {
        const bool listed = std::any_of(m_files.cbegin(), m_files.cend(),
                                        [&file](const QString &f) { return SameFile(f, file); });
        if (listed)
            skipped = true;
        else
            m_files.append(QFileInfo(file).absoluteFilePath());
    }
    if (skipped)
        MessageBox(mkInformation, QStringLiteral("One or more files already exist in this project and were not added."),
                   mbOK, this);
    m_modified = true;
    RefreshFiles();
}

void TfProjects::RemoveFile()
{
    const QString file = SelectedFile();
    if (file.isEmpty())
        return;
    m_files.removeOne(file);
    m_modified = true;
    RefreshFiles();
}

void TfProjects::CloseClick()
{
    if (SaveIfModified())
        QDialog::reject();
}

void TfProjects::reject()
{
    CloseClick();
}
