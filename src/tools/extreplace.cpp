#include "tools/extreplace.h"

#include "common/fileutils.h"
#include "common/htmlextensions.h"
#include "common/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The text of a file with "\n" line ends, and the line end of each of its breaks.
struct TDecodedFile {
    QString Text;
    TTextFileFormat Format;
    QByteArray Bytes;
};

bool ReadDecoded(const QString &fileName, TDecodedFile &file, QString &error)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return false;
    }
    if (f.size() > MaxTextFileSize) {
        error = QStringLiteral("the file is too large");
        return false;
    }
    file.Bytes = f.readAll();
    if (f.error() != QFile::NoError) {
        error = f.errorString();
        return false;
    }
    QString reason;
    if (!DecodeText(file.Bytes, file.Text, file.Format, reason)) {
        error = reason;
        return false;
    }
    return true;
}

QString Unified(const QString &find)
{
    return NormalizeLineBreaks(find);
}

} // namespace

QStringList ExtendedReplaceFolderFiles(const QString &folder)
{
    QStringList masks;
    for (const QString &extension : HTMLExtensions())
        masks.append(QStringLiteral("*.") + extension);
    return ListFiles(folder, masks.join(u'|'));
}

bool IsReadOnlyFile(const QString &fileName)
{
    return QFileInfo::exists(fileName) && !(QFile::permissions(fileName) & QFile::WriteOwner);
}

bool MakeFileWritable(const QString &fileName)
{
    return QFile::setPermissions(fileName, QFile::permissions(fileName) | QFile::WriteOwner);
}

TFileReplace CountInFile(const QString &fileName, const QString &find, bool matchCase)
{
    TFileReplace result;
    TDecodedFile file;
    if (!ReadDecoded(fileName, file, result.Error)) {
        result.Status = TFileReplace::Failed;
        return result;
    }
    const QString f = Unified(find);
    if (f.isEmpty())
        return result;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype p = file.Text.indexOf(f, 0, cs); p >= 0; p = file.Text.indexOf(f, p + f.size(), cs))
        ++result.Count;
    return result;
}

TFileReplace ReplaceInFile(const QString &fileName, const QString &find, const QString &replace, bool matchCase,
                           bool backup)
{
    TFileReplace result;
    TDecodedFile file;
    if (!ReadDecoded(fileName, file, result.Error)) {
        result.Status = TFileReplace::Failed;
        return result;
    }
    if (backup) {
        const QString copy = fileName + QStringLiteral(".bak");
        QFile::remove(copy); // QFile::copy never overwrites
        if (!QFile::copy(fileName, copy)) {
            result.Status = TFileReplace::Failed;
            result.Error = QStringLiteral("the backup copy could not be written");
            return result;
        }
    }
    const QString f = Unified(find);
    const QString r = Unified(replace);
    if (f.isEmpty())
        return result;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString &text = file.Text;
    const QByteArray &oldEnds = file.Format.MixedLineEnds;
    const bool mixed = !oldEnds.isEmpty();
    QString out;
    QByteArray newEnds; // for files that mix line ends: each break keeps its own
    qsizetype from = 0, breaks = 0;
    auto copyPlain = [&](qsizetype to) {
        const QStringView part = QStringView(text).mid(from, to - from);
        out.append(part);
        if (mixed)
            for (const QChar c : part)
                if (c == u'\n')
                    newEnds.append(breaks < oldEnds.size() ? oldEnds[breaks++] : char(file.Format.LineEnd));
    };
    for (qsizetype p = text.indexOf(f, 0, cs); p >= 0; p = text.indexOf(f, from, cs)) {
        copyPlain(p);
        out.append(r);
        if (mixed) {
            breaks += f.count(u'\n'); // the breaks that went with the match
            for (qsizetype k = r.count(u'\n'); k > 0; --k)
                newEnds.append(char(file.Format.LineEnd)); // new breaks take the file's style
        }
        ++result.Count;
        from = p + f.size();
        if (from >= text.size())
            break;
    }
    if (result.Count == 0)
        return result; // nothing to write: the file keeps its bytes
    copyPlain(text.size());
    TTextFileFormat format = file.Format;
    format.MixedLineEnds = newEnds;
    const QByteArray bytes = EncodeText(out, format);
    QSaveFile save(fileName);
    if (!save.open(QIODevice::WriteOnly) || save.write(bytes) != bytes.size() || !save.commit()) {
        result.Status = TFileReplace::Failed;
        result.Error = save.errorString();
        result.Count = 0;
    }
    return result;
}
