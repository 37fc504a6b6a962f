#include "projects/openfromweb.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "common/filetext.h"
#include "common/htmlextensions.h"
#include "platform/configstore.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"
#include "platform/profilefile.h"
#include "projects/webfetch.h"

QString FavoritesFolder()
{
    return ConfigStore::Read(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"),
                             QStringLiteral("Favorites"), QString());
}

QString BookmarkFile()
{
    return ConfigStore::Read(QStringLiteral("Software\\Netscape\\Netscape Navigator\\Bookmark List"),
                             QStringLiteral("File Location"), QString());
}

TfOpenFromWeb::TfOpenFromWeb(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Open from the Web"));
    auto *grid = new QGridLayout(this);
    auto *label = new QLabel(QStringLiteral("&URL"), this);
    txtURL = new QLineEdit(QStringLiteral("http://"), this);
    label->setBuddy(txtURL);
    txtURL->setMinimumWidth(300);
    txtURL->installEventFilter(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnFavorites = new QPushButton(QStringLiteral("&Favorites"), this);
    btnBookmarks = new QPushButton(QStringLiteral("&Bookmarks"), this);
    // A hidden Favorites button leaves its place to Bookmarks.
    auto *row = new QHBoxLayout;
    row->addWidget(btnFavorites);
    row->addWidget(btnBookmarks);
    row->addStretch();
    row->addWidget(cmdOK);
    row->addWidget(cmdCancel);
    grid->addWidget(label, 0, 0);
    grid->addWidget(txtURL, 1, 0);
    grid->addLayout(row, 2, 0);
    btnFavorites->setVisible(!FavoritesFolder().isEmpty());
    const QString bookmarks = BookmarkFile();
    btnBookmarks->setVisible(!bookmarks.isEmpty() && QFileInfo(bookmarks).isFile());
    connect(cmdOK, &QPushButton::clicked, this, &TfOpenFromWeb::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &TfOpenFromWeb::reject);
    connect(btnFavorites, &QPushButton::clicked, this, &TfOpenFromWeb::btnFavoritesClick);
    connect(btnBookmarks, &QPushButton::clicked, this, &TfOpenFromWeb::btnBookmarksClick);
    txtURL->setFocus();
}

QString TfOpenFromWeb::URL() const { return txtURL->text(); }

bool TfOpenFromWeb::eventFilter(QObject *watched, QEvent *event)
{
    // On entering the field with nothing typed yet the caret goes after "http://"; the
    // field's own select-all on focus comes first, so this runs after it.
    if (watched == txtURL && event->type() == QEvent::FocusIn && txtURL->text() == QLatin1String("http://"))
        QTimer::singleShot(0, txtURL, [e = txtURL] {
            if (e->text() == QLatin1String("http://")) {
                e->deselect();
                e->setCursorPosition(7);
            }
        });
    return QDialog::eventFilter(watched, event);
}

void TfOpenFromWeb::accept()
{
    if (!IsValidWebAddress(txtURL->text())) {
        MessageBox(mkWarning, InvalidUrlText(), mbOK, this);
        return;
    }
    QDialog::accept();
}

void TfOpenFromWeb::btnFavoritesClick()
{
    const QString file = RunFileDialog(fdOpen, this, QStringLiteral("Open"), FavoritesFolder(),
                                       QtNameFilters(QStringLiteral("Internet Shortcuts|*.URL")).join(QStringLiteral(";;")));
    if (file.isEmpty())
        return;
    TProfileFile shortcut;
    shortcut.Load(file);
    txtURL->setText(shortcut.Value(QStringLiteral("InternetShortcut"), QStringLiteral("URL")));
}

void TfOpenFromWeb::btnBookmarksClick()
{
    TfBookmarks bookmarks(BookmarkFile(), this);
    if (bookmarks.exec() == QDialog::Accepted && !bookmarks.Chosen().isEmpty())
        txtURL->setText(bookmarks.Chosen());
}

TfBookmarks::TfBookmarks(const QString &bookmarkFile, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Netscape Bookmarks"));
    auto *box = new QVBoxLayout(this);
    lstBookmarks = new QListWidget(this);
    lstBookmarks->setSortingEnabled(true);
    lstBookmarks->addItems(CollectQuotedValues(QStringLiteral("HREF=\""), bookmarkFile, false));
    if (lstBookmarks->count() > 0)
        lstBookmarks->setCurrentRow(0);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOK = buttons->button(QDialogButtonBox::Ok);
    cmdOK->setEnabled(lstBookmarks->count() > 0);
    box->addWidget(lstBookmarks);
    box->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstBookmarks, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(420, 300);
}

QString TfBookmarks::Chosen() const
{
    return lstBookmarks->currentItem() ? lstBookmarks->currentItem()->text() : QString();
}

QString RunOpenFromWeb(QWidget *parent)
{
    if (auto &hook = TOpenFromWebHook::Get())
        return hook();
    TfOpenFromWeb dialog(parent);
    return dialog.exec() == QDialog::Accepted ? dialog.URL() : QString();
}
