#include "app/filepanel.h"

#include <QAction>
#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <optional>

#include "app/htmltab.h"
#include "app/mainactions.h"
#include "app/mainsettings.h"
#include "app/mainwindow.h"
#include "platform/shellopen.h"
#include "common/filetext.h"
#include "dialogs/tagdialogs.h"
#include "editor/richhtml.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "projects/docproperties.h"
#include "projects/publishing.h"

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int KindRole = Qt::UserRole + 1;

const QCollator &Collator()
{
    static const QCollator collator;
    return collator;
}

QIcon KindIcon(TFileKind kind)
{
    static const char *const names[] = {"document", "stylesheet", "image", "sound", "video"};
    static QIcon icons[5];
    if (kind == fkUnknown)
        return {};
    QIcon &icon = icons[kind];
    if (icon.isNull())
        icon = QIcon(ProgramFolder() + QStringLiteral("filekinds/") + QLatin1String(names[kind]) + QStringLiteral(".svg"));
    return icon;
}

// An item sorts in the locale's order by the column the list is sorted by; its keys are
// made once, so sorting thousands of items stays quick.
class TFileItem : public QTreeWidgetItem
{
public:
    TFileItem(const TFileRow &row, bool onlyNames)
        : QTreeWidgetItem(QStringList{row.Name, row.Type, row.Description}, UserType)
    {
        setData(0, PathRole, row.Path);
        setData(0, KindRole, int(row.Kind));
        setIcon(0, KindIcon(onlyNames ? fkDocument : row.Kind));
        setFlags(flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    }
    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (other.type() != UserType || column < 0 || column > 2)
            return QTreeWidgetItem::operator<(other);
        return Key(column).compare(static_cast<const TFileItem &>(other).Key(column)) < 0;
    }
    // A caption changed in place sorts by its new text.
    void Forget() { m_keys[0].reset(); }

private:
    const QCollatorSortKey &Key(int column) const
    {
        if (!m_keys[column])
            m_keys[column].emplace(Collator().sortKey(text(column)));
        return *m_keys[column];
    }
    mutable std::optional<QCollatorSortKey> m_keys[3];
};

QString ItemPath(const QTreeWidgetItem *item)
{
    return item->data(0, PathRole).toString();
}

TFileKind ItemKind(const QTreeWidgetItem *item)
{
    return TFileKind(item->data(0, KindRole).toInt());
}

} // namespace

// ---- the list's drags ----

QList<QTreeWidgetItem *> TkrFileList::Items() const
{
    QList<QTreeWidgetItem *> items;
    for (int i = 0; i < topLevelItemCount(); ++i)
        items.append(topLevelItem(i));
    return items;
}

QStringList TkrFileList::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

// The real paths: LowerCaseFiles changes only the reference the editor writes.
QMimeData *TkrFileList::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    QList<QUrl> urls;
    for (QTreeWidgetItem *item : Items())
        if (items.contains(item))
            urls.append(QUrl::fromLocalFile(ItemPath(item)));
    auto *data = new QMimeData;
    data->setUrls(urls);
    return data;
}

// ---- building ----

TFilePanel::TFilePanel(TfMain &main, TMainSettings &settings, QWidget *host)
    : QObject(host), m_main(main), m_settings(settings)
{
    m_slices = new QTimer(this);
    m_slices->setInterval(0);
    connect(m_slices, &QTimer::timeout, this, [this] { ListSlice(); });
    CreateWidgets(host);
}

TFilePanel::~TFilePanel()
{
    qApp->removeEventFilter(this);
}

void TFilePanel::CreateWidgets(QWidget *host)
{
    auto *column = new QVBoxLayout(host);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(3);
    drvList = new QComboBox(host);
    drvList->setObjectName(QStringLiteral("drvList"));
    column->addWidget(drvList);

    pnlSplitVert = new QSplitter(Qt::Vertical, host);
    pnlSplitVert->setObjectName(QStringLiteral("pnlSplitVert"));
    pnlSplitVert->setHandleWidth(4);
    pnlSplitVert->setChildrenCollapsible(false);
    column->addWidget(pnlSplitVert, 1);

    dirList = new QTreeView(pnlSplitVert);
    dirList->setObjectName(QStringLiteral("dirList"));
    dirList->setHeaderHidden(true);
    dirList->setMinimumHeight(30);
    dirList->setMaximumHeight(300);
    dirList->setContextMenuPolicy(Qt::CustomContextMenu);
    dirList->setMouseTracking(true);
    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    dirList->setModel(m_dirModel);
    for (int c = 1; c < m_dirModel->columnCount(); ++c)
        dirList->hideColumn(c);

    lvwFiles = new TkrFileList(pnlSplitVert);
    lvwFiles->setObjectName(QStringLiteral("lvwFiles"));
    lvwFiles->setColumnCount(3);
    lvwFiles->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Type"), QStringLiteral("Description")});
    lvwFiles->setRootIsDecorated(false);
    lvwFiles->setUniformRowHeights(true);
    lvwFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwFiles->setDragEnabled(true);
    lvwFiles->setDragDropMode(QAbstractItemView::DragOnly);
    lvwFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    lvwFiles->setMouseTracking(true);
    lvwFiles->setIconSize(QSize(16, 16));
    lvwFiles->header()->setSectionsClickable(true);
    lvwFiles->header()->setStretchLastSection(false);
    pnlSplitVert->addWidget(dirList);
    pnlSplitVert->addWidget(lvwFiles);
    pnlSplitVert->setStretchFactor(1, 1);

    connect(drvList, &QComboBox::activated, this, [this](int index) { DriveChosen(index); });
    connect(dirList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (m_treeSignals && current.isValid())
            ListFolder(m_dirModel->filePath(current));
    });
    connect(dirList, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        m_main.Actions().Menu(QStringLiteral("mnuPopupDir"))->exec(dirList->viewport()->mapToGlobal(p));
    });
    connect(dirList, &QAbstractItemView::entered, this, [this] { m_main.ShowMessage(); });
    connect(lvwFiles, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        UpdateCommands();
        m_main.Actions().Menu(QStringLiteral("mnuPopupFileItem"))->exec(lvwFiles->viewport()->mapToGlobal(p));
    });
    connect(lvwFiles, &QTreeWidget::itemSelectionChanged, this, [this] {
        UpdateCommands();
        if (QTreeWidgetItem *item = lvwFiles->currentItem(); item && !item->text(2).isEmpty())
            m_main.ShowMessage(item->text(2));
    });
    connect(lvwFiles, &QTreeWidget::itemEntered, this, [this](QTreeWidgetItem *item) { m_main.ShowMessage(item->text(2)); });
    connect(lvwFiles, &QAbstractItemView::viewportEntered, this, [this] { m_main.ShowMessage(); });
    connect(lvwFiles, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { ItemActivated(item); });
    connect(lvwFiles, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int c) { ItemRenamed(item, c); });
    connect(lvwFiles->header(), &QHeaderView::sectionClicked, this, [this](int c) { SortByColumn(c); });
    FillDrives();
}

// The pop-up's actions: F2 and F5 work while the list has the focus; the enabling follows
// the selection.
void TFilePanel::UpdateCommands()
{
    QMenu *popup = m_main.Actions().Menu(QStringLiteral("mnuPopupFileItem"));
    if (!popup)
        return;
    if (lvwFiles->actions().isEmpty()) {
        for (QAction *a : popup->actions())
            if (!a->shortcut().isEmpty()) {
                a->setShortcutContext(Qt::WidgetShortcut);
                lvwFiles->addAction(a);
            }
    }
    const qsizetype n = lvwFiles->selectedItems().size();
    for (const char *name : {"mnuPopupFileEdit", "mnuPopupFileCopy", "mnuPopupFileDelete", "mnuPopupFilePublish"})
        m_main.Action(QLatin1String(name))->setEnabled(n >= 1);
    for (const char *name : {"mnuPopupFileInsertTag", "mnuPopupFileRename", "mnuPopupFileProperties"})
        m_main.Action(QLatin1String(name))->setEnabled(n == 1);
}

// ---- drives and folders ----

void TFilePanel::FillDrives()
{
    drvList->clear();
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || IsPseudoFileSystem(volume.fileSystemType()))
            continue;
        drvList->addItem(volume.rootPath(), volume.rootPath());
    }
}

void TFilePanel::DriveChosen(int index)
{
    if (index < 0)
        return;
    const QString root = drvList->itemData(index).toString();
    if (!QStorageInfo(root).isReady() || !QFileInfo(root).isDir()) {
        MessageBox(mkError, QStringLiteral("Drive not ready."), mbOK, &m_main);
        drvList->setCurrentIndex(m_drive);
        return;
    }
    m_drive = index;
    SetTreeRoot(root);
    SetTreeFolder(root);
}

void TFilePanel::SetTreeRoot(const QString &root)
{
    m_dirModel->setRootPath(root);
    dirList->setRootIndex(m_dirModel->index(root).parent());
}

// The tree's current folder changes, which lists it.
void TFilePanel::SetTreeFolder(const QString &folder)
{
    QStringList roots;
    for (int i = 0; i < drvList->count(); ++i)
        roots.append(drvList->itemData(i).toString());
    const int drive = VolumeIndexOf(folder, roots);
    if (drive >= 0 && drive != m_drive) {
        m_drive = drive;
        drvList->setCurrentIndex(drive);
        SetTreeRoot(roots.at(drive));
    }
    const QModelIndex index = m_dirModel->index(folder);
    if (!index.isValid()) {
        ListFolder(folder);
        return;
    }
    if (index == dirList->currentIndex())
        ListFolder(folder);
    else
        dirList->setCurrentIndex(index);
    dirList->scrollTo(index);
}

void TFilePanel::RefreshTree()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString current = m_dirModel->filePath(dirList->currentIndex());
    const QString root = m_dirModel->rootPath();
    auto *model = new QFileSystemModel(this);
    model->setFilter(m_dirModel->filter());
    m_treeSignals = false;
    QFileSystemModel *old = m_dirModel;
    m_dirModel = model;
    dirList->setModel(model);
    delete old;
    for (int c = 1; c < model->columnCount(); ++c)
        dirList->hideColumn(c);
    connect(dirList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (m_treeSignals && current.isValid())
            ListFolder(m_dirModel->filePath(current));
    });
    SetTreeRoot(root);
    if (!current.isEmpty())
        dirList->setCurrentIndex(model->index(current));
    m_treeSignals = true;
    QGuiApplication::restoreOverrideCursor();
}

void TFilePanel::ShowInitialFolder()
{
    const QString initial = m_settings.InitialDir;
    const QString folder = initial.left(initial.lastIndexOf(u'/') + 1);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        SetTreeFolder(folder);
        return;
    }
    m_settings.InitialDir = ProgramFolder();
    m_settings.SaveValue(&TMainSettings::InitialDir);
    SetTreeFolder(QDir::currentPath());
}

void TFilePanel::ShowFolderOfFile(const QString &file)
{
    QString folder = QFileInfo(file).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    if (folder != m_folder)
        SetTreeFolder(folder);
}

void TFilePanel::RefreshIfTitleChanged(const QString &file)
{
    if (m_settings.ListOnlyFileNames)
        return;
    const QString name = QFileInfo(file).fileName();
    for (QTreeWidgetItem *item : lvwFiles->Items())
        if (item->text(0) == name) {
            if (item->text(2) != DocumentTitle(file))
                ListFolder(QFileInfo(file).absolutePath());
            return;
        }
}

// ---- listing ----

bool TFilePanel::Listing() const
{
    return m_slices->isActive();
}

void TFilePanel::ListFolder(const QString &folder)
{
    if (Listing())
        StopListing();
    m_listing.Start(folder, {m_settings.ListImages, m_settings.ListMultimedia, m_settings.ListOnlyFileNames});
    m_folder = m_listing.Folder();
    m_progressShown = m_listing.ShowsProgress();
    if (m_progressShown) {
        m_main.Layout().Progress(0, QStringLiteral("Scanning..."));
        qApp->installEventFilter(this);
    }
    m_filling = true;
    lvwFiles->clear();
    SetColumnsForNamesOnly(m_settings.ListOnlyFileNames);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_slices->start();
    // A short folder is listed at once; a long one shows its progress first.
    while (!m_progressShown && Listing())
        ListSlice();
}

void TFilePanel::SetColumnsForNamesOnly(bool onlyNames)
{
    const bool typeShown = !lvwFiles->isColumnHidden(1);
    if (onlyNames && typeShown) {
        lvwFiles->setColumnWidth(0, lvwFiles->width() - 4);
        lvwFiles->setColumnHidden(1, true);
        lvwFiles->setColumnHidden(2, true);
    } else if (!onlyNames && !typeShown) {
        lvwFiles->setColumnHidden(1, false);
        lvwFiles->setColumnHidden(2, false);
        lvwFiles->setColumnWidth(0, 128);
        lvwFiles->setColumnWidth(1, 50);
        lvwFiles->setColumnWidth(2, 150);
    }
}

void TFilePanel::ListSlice()
{
    if (!m_slices->isActive())
        return;
    const QList<TFileRow> rows = m_listing.Next(SliceMs);
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const TFileRow &row : rows)
        items.append(new TFileItem(row, m_settings.ListOnlyFileNames));
    lvwFiles->addTopLevelItems(items);
    if (m_progressShown)
        m_main.Layout().Progress(std::max(1, m_listing.Percent()), QStringLiteral("Scanning..."));
    if (!m_listing.Running())
        FinishListing();
}

void TFilePanel::StopListing()
{
    if (!Listing())
        return;
    m_listing.Stop();
    FinishListing();
}

void TFilePanel::FinishListing()
{
    m_slices->stop();
    qApp->removeEventFilter(this);
    lvwFiles->sortItems(0, Qt::AscendingOrder);
    m_filling = false;
    QGuiApplication::restoreOverrideCursor();
    m_settings.InitialDir = m_folder;
    m_settings.SaveValue(&TMainSettings::InitialDir);
    if (m_progressShown) {
        m_main.Layout().Progress(100);
        m_main.ShowMessage();
        m_progressShown = false;
    }
    UpdateCommands();
}

bool TFilePanel::eventFilter(QObject *watched, QEvent *event)
{
    // Escape may be some control's shortcut: it is taken before the shortcut is looked for.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (key && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && Listing()) {
        StopListing();
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TFilePanel::SortByColumn(int column)
{
    m_descending = !m_descending;
    const Qt::SortOrder order = m_descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    lvwFiles->sortItems(column, order);
    lvwFiles->header()->setSortIndicatorShown(true);
    lvwFiles->header()->setSortIndicator(column, order);
}

void TFilePanel::SetListImages(bool on)
{
    m_settings.ListImages = on;
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsListImages"), QStringLiteral("mnuPopupFileListImages")}, on);
    Refresh();
}

void TFilePanel::SetListMultimedia(bool on)
{
    m_settings.ListMultimedia = on;
    m_main.Actions().SetChecked({QStringLiteral("mnuOptionsListMultimedia"), QStringLiteral("mnuPopupFileListMultimedia")},
                                on);
    Refresh();
}

void TFilePanel::Refresh()
{
    ListFolder(m_folder);
}

// ---- geometry ----

void TFilePanel::ApplyGeometry()
{
    const int tree = std::clamp(m_settings.DirListHeight, 30, 300);
    pnlSplitVert->setSizes({tree, 10000});
    if (!m_settings.ListOnlyFileNames) {
        lvwFiles->setColumnWidth(0, m_settings.ColWidth0);
        lvwFiles->setColumnWidth(1, m_settings.ColWidth1);
        lvwFiles->setColumnWidth(2, m_settings.ColWidth2);
    }
}

void TFilePanel::KeepGeometry()
{
    m_settings.DirListHeight = dirList->height();
    m_settings.ColWidth0 = lvwFiles->columnWidth(0);
    m_settings.ColWidth1 = lvwFiles->isColumnHidden(1) ? 0 : lvwFiles->columnWidth(1);
    m_settings.ColWidth2 = lvwFiles->isColumnHidden(2) ? 0 : lvwFiles->columnWidth(2);
}

// ---- pop-up commands ----

QList<QTreeWidgetItem *> TFilePanel::SelectedInListOrder() const
{
    QList<QTreeWidgetItem *> selected;
    for (QTreeWidgetItem *item : lvwFiles->Items())
        if (item->isSelected())
            selected.append(item);
    return selected;
}

void TFilePanel::PublishSelected()
{
    QStringList files;
    for (QTreeWidgetItem *item : SelectedInListOrder())
        files.append(ItemPath(item));
    if (files.isEmpty())
        MessageBox(mkMessage, QStringLiteral("No files selected."), mbOK, &m_main);
    else
        PublishFiles(files, &m_main);
    if (m_main.ActiveEditor())
        m_main.ActiveEditor()->setFocus();
}

QString TFilePanel::SelectedPath() const
{
    const QList<QTreeWidgetItem *> selected = SelectedInListOrder();
    return selected.size() == 1 ? ItemPath(selected.first()) : QString();
}

void TFilePanel::ItemActivated(QTreeWidgetItem *item)
{
    switch (ItemKind(item)) {
    case fkDocument:
    case fkStyleSheet: m_main.OpenDocument(ItemPath(item)); break;
    case fkImage:
    case fkSound:
    case fkVideo: InsertFromFile(ItemPath(item)); break;
    case fkUnknown: ::ShowMessage(QStringLiteral("Unknown file type")); break;
    }
}

void TFilePanel::EditSelected()
{
    for (QTreeWidgetItem *item : SelectedInListOrder()) {
        const TFileKind kind = ItemKind(item);
        if (kind == fkImage || kind == fkSound || kind == fkVideo)
            ShellOpen(ItemPath(item));
        else
            m_main.Documents().EditFile(ItemPath(item));
    }
}

void TFilePanel::InsertTagForSelected()
{
    const QString path = SelectedPath();
    if (path.isEmpty())
        return;
    if (FileKindOf(path) == fkUnknown) {
        ::ShowMessage(QStringLiteral("Unknown file type."));
        return;
    }
    InsertFromFile(path);
}

// The file goes to its dialog by its real path; LowerCaseFiles lower-cases only the
// reference the dialog writes.
void TFilePanel::InsertFromFile(const QString &path)
{
    TDialogContext context = m_main.DialogContext();
    TkrRichHTML *editor = m_main.ActiveEditor();
    const bool netscape = m_settings.MultimediaFormat != 0;
    switch (InsertFromFileFor(path, netscape)) {
    case ifAnchor:
        context.FileName = path;
        InsertFromDialog(TagDialogs().For(krAnchor), &m_main, context, editor);
        return;
    case ifImageSource:
    case ifImageDynSource:
        context.FileName = path;
        context.FileAsDynSource = InsertFromFileFor(path, netscape) == ifImageDynSource;
        InsertFromDialog(TagDialogs().For(krImage), &m_main, context, editor);
        return;
    case ifStyleLink:
    case ifBGSound:
    case ifEmbed: {
        const TTagResult text = TextFromFile(context, path, netscape);
        editor->InsertTags(text.StartText, text.EndText, false);
        return;
    }
    case ifNothing: ::ShowMessage(QStringLiteral("Unknown file type.")); return;
    }
}

void TFilePanel::CopySelected()
{
    QString folder;
    for (QTreeWidgetItem *item : SelectedInListOrder()) {
        const QString path = ItemPath(item);
        folder = QFileInfo(path).absolutePath();
        // QFile::copy never replaces a file.
        if (!QFile::copy(path, CopyTargetName(path)))
            MessageBox(mkError, QStringLiteral("Unable to copy document."), mbOK, &m_main);
    }
    if (!folder.isEmpty())
        ListFolder(folder);
}

void TFilePanel::DeleteSelected()
{
    QString folder;
    bool moved = false, noticeShown = false;
    bool stopped = false;
    for (QTreeWidgetItem *item : SelectedInListOrder()) {
        const QString path = ItemPath(item);
        if (path.contains(u'*')) {
            MessageBox(mkError,
                       QStringLiteral("This filename contains an illegal wildcard character (*).  Operation cancelled."),
                       mbOK, &m_main);
            stopped = true;
            break;
        }
        if (!QFileInfo::exists(path)) {
            MessageBox(mkError, QStringLiteral("Unable to locate file \"%1\".  Operation cancelled.").arg(path), mbOK,
                       &m_main);
            stopped = true;
            break;
        }
        if (!noticeShown) {
            m_main.ShowOneTimeNotice(0);
            noticeShown = true;
        }
        folder = QFileInfo(path).absolutePath();
        // A file the trash does not take stays where it is, said in a message, and the
        // rest are left alone.
        if (!MoveToRecycleBin(path)) {
            stopped = true;
            break;
        }
        moved = true;
    }
    // Files gone from the folder do not stay listed.
    if (!folder.isEmpty() && (!stopped || moved))
        ListFolder(folder);
}

void TFilePanel::RenameSelected()
{
    const QList<QTreeWidgetItem *> selected = SelectedInListOrder();
    if (selected.size() != 1)
        return;
    lvwFiles->editItem(selected.first(), 0);
}

void TFilePanel::ItemRenamed(QTreeWidgetItem *item, int column)
{
    if (m_filling || column != 0)
        return;
    const QString path = ItemPath(item);
    const QString oldName = QFileInfo(path).fileName();
    const QString newName = item->text(0);
    if (newName == oldName)
        return;
    QString newPath;
    const TRenameResult result = RenameInFolder(path, newName, &newPath);
    m_filling = true;
    if (result == rnRenamed) {
        item->setData(0, PathRole, newPath);
        static_cast<TFileItem *>(item)->Forget();
    } else {
        item->setText(0, oldName);
    }
    m_filling = false;
    if (result == rnFailed)
        MessageBox(mkError, QStringLiteral("Unable to rename file."), mbOK, &m_main);
}

void TFilePanel::ShowProperties()
{
    const QString path = SelectedPath();
    if (!path.isEmpty())
        ShowDocumentProperties(&m_main, path);
}
