#pragma once
// A profile (INI) file edited in place, line by line. Sections, keys, comments and blank
// lines keep their order and spelling; only what is set or erased changes. Section and key
// names compare without regard to case, and a value is the rest of its line after the
// first "=", trimmed (commas, quotes and "%" are plain characters). Files are read as UTF-8
// when valid, else as Windows-1252, and written as UTF-8 with CR LF line ends, atomically.
#include <QString>
#include <QStringList>

class TProfileFile
{
public:
    // Reads a file; false (and an empty profile) when it is missing or cannot be read.
    bool Load(const QString &fileName);
    void SetText(const QString &text);
    QString Text() const; // CR LF after every line

    QString Value(const QString &section, const QString &key, const QString &defaultText = QString()) const;
    bool HasValue(const QString &section, const QString &key) const;
    // Changes the key where it stands, or appends it to its section; a missing section is
    // added at the end of the file.
    void SetValue(const QString &section, const QString &key, const QString &value);
    // Removes a section's header and its keys and comments; blank lines stay.
    void EraseSection(const QString &section);

    // Writes through a temporary file in the same folder that replaces the old one only
    // when complete; false, with the reason, when it could not be written.
    bool Save(const QString &fileName, QString *error = nullptr) const;

private:
    int SectionLine(const QString &section) const; // the header's line, or -1
    int SectionEnd(int headerLine) const;          // the line after the section's last line
    int KeyLine(const QString &section, const QString &key) const;

    QStringList m_lines;
};
