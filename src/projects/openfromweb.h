#pragma once
// The "Open from the Web" dialog, which asks for a page's address (typed, from an Internet
// shortcut of the Favorites folder, or from a bookmark file), and the bookmark list.
#include <QDialog>
#include <QString>

#include "platform/testhook.h"

class QLineEdit;
class QListWidget;
class QPushButton;

// Where the two sources of addresses are, in the settings store; absent, their buttons hide.
QString FavoritesFolder();
QString BookmarkFile();

class TfOpenFromWeb : public QDialog
{
public:
    explicit TfOpenFromWeb(QWidget *parent = nullptr);
    QString URL() const;

    void accept() override; // OK: the address is checked first
    void btnFavoritesClick();
    void btnBookmarksClick();

    QLineEdit *txtURL = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *btnFavorites = nullptr;
    QPushButton *btnBookmarks = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// "Netscape Bookmarks": every HREF="..." address of the bookmark file, sorted.
class TfBookmarks : public QDialog
{
public:
    explicit TfBookmarks(const QString &bookmarkFile, QWidget *parent = nullptr);
    QString Chosen() const;

    QListWidget *lstBookmarks = nullptr;
    QPushButton *cmdOK = nullptr;
};

// Shows the dialog; the address, or an empty text when cancelled.
QString RunOpenFromWeb(QWidget *parent);
// Test hook: while set, the dialog is not shown and the hook's result is the address.
struct TOpenFromWebTag;
using TOpenFromWebHook = THook<QString(), TOpenFromWebTag>;
