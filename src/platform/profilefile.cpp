#include "platform/profilefile.h"

#include "platform/codepage.h"

#include <QFile>
#include <QSaveFile>

namespace {

bool IsHeader(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[') || !t.contains(u']'))
        return false;
    if (name)
        *name = t.mid(1, t.indexOf(u']') - 1).trimmed();
    return true;
}

bool IsComment(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(u';') || t.startsWith(u'#');
}

// The key of a "key=value" line, or nothing.
bool KeyOf(const QString &line, QString &key)
{
    if (IsComment(line) || IsHeader(line))
        return false;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    return !key.isEmpty();
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool TProfileFile::Load(const QString &fileName)
{
    m_lines.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return false;
    SetText(DecodeUtf8Or1252(bytes));
    return true;
}

void TProfileFile::SetText(const QString &text)
{
    QString t = text;
    if (t.startsWith(QChar(0xFEFF)))
        t.remove(0, 1);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    m_lines = t.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast(); // the file's last line end
}

QString TProfileFile::Text() const
{
    QString text;
    for (const QString &line : m_lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

int TProfileFile::SectionLine(const QString &section) const
{
    QString name;
    for (int i = 0; i < m_lines.size(); ++i)
        if (IsHeader(m_lines[i], &name) && SameName(name, section))
            return i;
    return -1;
}

int TProfileFile::SectionEnd(int headerLine) const
{
    int i = headerLine + 1;
    while (i < m_lines.size() && !IsHeader(m_lines[i]))
        ++i;
    return i;
}

int TProfileFile::KeyLine(const QString &section, const QString &key) const
{
    const int header = SectionLine(section);
    if (header < 0)
        return -1;
    QString name;
    for (int i = header + 1, end = SectionEnd(header); i < end; ++i)
        if (KeyOf(m_lines[i], name) && SameName(name, key))
            return i;
    return -1;
}

QString TProfileFile::Value(const QString &section, const QString &key, const QString &defaultText) const
{
    const int line = KeyLine(section, key);
    if (line < 0)
        return defaultText;
    const QString &l = m_lines[line];
    return l.mid(l.indexOf(u'=') + 1).trimmed();
}

bool TProfileFile::HasValue(const QString &section, const QString &key) const
{
    return KeyLine(section, key) >= 0;
}

void TProfileFile::SetValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + u'=' + value;
    const int at = KeyLine(section, key);
    if (at >= 0) {
        m_lines[at] = line;
        return;
    }
    int header = SectionLine(section);
    if (header < 0) {
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
        return;
    }
    // After the section's last key or comment, before the blank lines that part it from
    // the next section.
    int end = SectionEnd(header);
    while (end > header + 1 && m_lines[end - 1].trimmed().isEmpty())
        --end;
    m_lines.insert(end, line);
}

void TProfileFile::EraseSection(const QString &section)
{
    for (int header = SectionLine(section); header >= 0; header = SectionLine(section)) {
        const int end = SectionEnd(header);
        QStringList kept;
        for (int i = header + 1; i < end; ++i)
            if (m_lines[i].trimmed().isEmpty())
                kept.append(m_lines[i]);
        m_lines = m_lines.mid(0, header) + kept + m_lines.mid(end);
    }
}

bool TProfileFile::Save(const QString &fileName, QString *error) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(Text().toUtf8());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
