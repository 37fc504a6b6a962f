#pragma once

#include <QString>
#include <QStringList>

// What the document properties window shows for a file, read without a widget: its name,
// size and dates, its title or picture size by kind, and for pages the links and the files
// the page depends on.

struct TFileProperties
{
    QString FileName;                             // without its folder
    QString Size;                                 // SizeText of the file's size
    QString Created;                              // empty where the file system keeps no creation time
    QString Modified;
    QString TitleLabel = QStringLiteral("Title:"); // "Dimensions:" for pictures, empty for other kinds
    QString Title;                                // the page title, or width + " x " + height
    bool ShowPages = false;                       // the Links and Dependencies pages (pages only)
    QStringList Links;                            // values after HREF=", sorted, each once
    QStringList Dependencies;                     // values after SRC=", likewise

    bool operator==(const TFileProperties &) const = default;
};

// The size in kilobytes (at most two decimals), "K (", the exact number of bytes, " bytes)":
// "2.93K (3000 bytes)".
QString FileSizeText(qint64 bytes);

// The properties of the file at the full path; a file that cannot be found leaves every
// value empty (the label as it stands).
TFileProperties ReadFileProperties(const QString &path);
