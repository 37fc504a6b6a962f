#pragma once
// The read-only properties window of a file, opened from the projects dialog and the file
// panel with the file's full path.
#include <QDialog>
#include <QString>

#include "projects/fileproperties.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QWidget;

constexpr int DocPropertiesHelpTopic = 21;

// Name, title or picture size, size and dates of a file, and for pages its links and
// dependencies; "Copy URL" on a list copies the selected entry. F1 opens its help topic.
class TfDocProperties : public QDialog
{
    Q_OBJECT

public:
    explicit TfDocProperties(QWidget *parent = nullptr);
    // Fills the window from the file at the full path, with the hourglass while it reads.
    void ShowFileProperties(const QString &path);
    // The list of the page on top.
    QListWidget *ActiveList() const;

    QLineEdit *txtFilename = nullptr;
    QLabel *lblTitle = nullptr;
    QLineEdit *txtTitle = nullptr;
    QLineEdit *txtSize = nullptr;
    QLineEdit *txtCreated = nullptr;
    QLineEdit *txtModified = nullptr;
    QTabWidget *pgProperties = nullptr;
    QListWidget *lstLinks = nullptr;
    QListWidget *lstDepend = nullptr;
    QMenu *mnuPopupLinks = nullptr;
    QAction *mnuPL_Copy = nullptr;
    QPushButton *cmdOK = nullptr;

private:
    void SetProperties(const TFileProperties &properties);
};

// Creates the window, fills it from the file and shows it modally.
void ShowDocumentProperties(QWidget *parent, const QString &file);
