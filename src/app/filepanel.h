#pragma once

// The file panel beside the documents: the drive list, the folder tree and the list of
// the folder's web files with their titles and picture sizes. The list is a view over a
// TFileListing run a slice at a time from the event loop; the panel's pop-up commands
// open, insert, copy, rename and delete the listed files.

#include <QObject>
#include <QPointer>
#include <QTreeWidget>

#include "app/filelisting.h"

class QComboBox;
class QFileSystemModel;
class QMimeData;
class QSplitter;
class QTimer;
class QTreeView;
class TfMain;
struct TMainSettings;

// The list of files: items drag as the files they stand for (text/uri-list of the real
// paths), so the editor inserts a reference to each.
class TkrFileList : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;
    QList<QTreeWidgetItem *> Items() const;

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
};

class TFilePanel : public QObject
{
public:
    // Builds the panel's widgets inside host (the window's pnlDocList).
    TFilePanel(TfMain &main, TMainSettings &settings, QWidget *host);
    ~TFilePanel() override;

    // Lists folder in the file list; a listing still running stops first.
    void ListFolder(const QString &folder);
    // The folder shown, listed again.
    void Refresh();
    // The folder tree read again.
    void RefreshTree();
    // What Escape does while a long listing runs: the items so far stay.
    void StopListing();
    bool Listing() const;
    // The folder listed last, with a final "/" (empty before the first listing).
    QString Folder() const { return m_folder; }

    // Start-up: the folder of "InitialDir", or the current folder when it cannot be shown.
    void ShowInitialFolder();
    // The folder tree (and drive) set to the file's folder, which lists it when it differs.
    void ShowFolderOfFile(const QString &file);
    // After a save: the folder again when the file's listed title differs from its title now.
    void RefreshIfTitleChanged(const QString &file);

    void SetListImages(bool on);
    void SetListMultimedia(bool on);
    // The geometry read at show and kept at close.
    void ApplyGeometry();
    void KeepGeometry();

    // The pop-up commands, on the selected items.
    void EditSelected();
    void InsertTagForSelected();
    void CopySelected();
    void DeleteSelected();
    void RenameSelected();
    void ShowProperties();
    // Pu&blish...: the selected files in list order, to the publishing command.
    void PublishSelected();
    // A header click: one direction flag for every column, first click descending.
    void SortByColumn(int column);

    // Time each slice of a listing describes files before the window sees to its events.
    int SliceMs = 15;

    QComboBox *drvList = nullptr;
    QTreeView *dirList = nullptr;
    QSplitter *pnlSplitVert = nullptr;
    TkrFileList *lvwFiles = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateWidgets(QWidget *host);
    void FillDrives();
    void DriveChosen(int index);
    void SetTreeRoot(const QString &root);
    void SetTreeFolder(const QString &folder);
    void ListSlice();
    void FinishListing();
    void SetColumnsForNamesOnly(bool onlyNames);
    QList<QTreeWidgetItem *> SelectedInListOrder() const;
    QString SelectedPath() const;
    void UpdateCommands();
    void ItemRenamed(QTreeWidgetItem *item, int column);
    void ItemActivated(QTreeWidgetItem *item);
    // The insert-from-file operation for the file's kind, its dialog shown.
    void InsertFromFile(const QString &path);

    TfMain &m_main;
    TMainSettings &m_settings;
    QFileSystemModel *m_dirModel = nullptr;
    QTimer *m_slices = nullptr;
    TFileListing m_listing;
    QString m_folder;
    bool m_progressShown = false;
    bool m_descending = false; // the next header click sorts ascending when set
    bool m_filling = false;    // items being added or put back: no rename
    int m_drive = -1;
    bool m_treeSignals = true;
};
