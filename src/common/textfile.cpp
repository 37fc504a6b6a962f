#include "common/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>

namespace {


// Converts line ends to "\n" in place, noting the style of each; returns the new length.
// A U+2029 counts as a line end: the editor's document would split the line there anyway.
qsizetype FoldLineEnds(QChar *d, qsizetype n, QByteArray &ends)
{
    qsizetype w = 0;
    for (qsizetype r = 0; r < n; ++r) {
        const QChar c = d[r];
        if (c == QChar::ParagraphSeparator) {
            ends.append(char(lePS));
            d[w++] = u'\n';
        } else if (c == u'\r') {
            if (r + 1 < n && d[r + 1] == u'\n') {
                ++r;
                ends.append(char(leCRLF));
            } else {
                ends.append(char(leCR));
            }
            d[w++] = u'\n';
        } else {
            if (c == u'\n')
                ends.append(char(leLF));
            d[w++] = c;
        }
    }
    return w;
}

bool IsAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// Where `word` (lower case) starts in `text` at or after `from`, ignoring case; -1 if nowhere.
qsizetype FindNoCase(QByteArrayView text, QByteArrayView word, qsizetype from)
{
    for (qsizetype i = from; i + word.size() <= text.size(); ++i) {
        qsizetype k = 0;
        while (k < word.size() && LowerAscii(text[i + k]) == word[k])
            ++k;
        if (k == word.size())
            return i;
    }
    return -1;
}

// The value after `name` and "=" in a tag's text ("charset=utf-8", "encoding='latin1'"),
// lower case; empty when the tag holds no such name.
QByteArray NamedValue(QByteArrayView tag, QByteArrayView name)
{
    qsizetype i = FindNoCase(tag, name, 0);
    if (i < 0)
        return QByteArray();
    i += name.size();
    while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t'))
        ++i;
    if (i >= tag.size() || tag[i] != '=')
        return QByteArray();
    ++i;
    while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t' || tag[i] == '"' || tag[i] == '\''))
        ++i;
    QByteArray value;
    for (; i < tag.size(); ++i) {
        const char c = LowerAscii(tag[i]);
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':'))
            break;
        value.append(c);
    }
    return value;
}

} // namespace

TTextEncoding DeclaredEncoding(QByteArrayView bytes)
{
    QByteArray name;
    if (bytes.startsWith("<?xml")) {
        const qsizetype end = bytes.indexOf("?>");
        name = NamedValue(bytes.first(end < 0 ? bytes.size() : end), "encoding");
    }
    // The first META tag that names a charset, looked for in the head only.
    for (qsizetype lt = bytes.indexOf('<'); name.isEmpty() && lt >= 0; lt = bytes.indexOf('<', lt + 1)) {
        const QByteArrayView rest = bytes.sliced(lt + 1);
        const auto startsWith = [&](QByteArrayView word) {
            return FindNoCase(rest.first(std::min(rest.size(), word.size())), word, 0) == 0;
        };
        if (startsWith("body") || startsWith("/head"))
            break;
        if (!startsWith("meta"))
            continue;
        const qsizetype gt = rest.indexOf('>');
        name = NamedValue(rest.first(gt < 0 ? rest.size() : gt), "charset");
    }
    if (name == "iso-8859-1" || name == "iso8859-1" || name == "iso_8859-1" || name == "latin1"
        || name == "windows-1252" || name == "cp1252" || name == "x-cp1252")
        return teWindows1252;
    return teUtf8;
}

TTextFileFormat UnixLineEnds(TTextFileFormat format)
{
    if (format.LineEnd == leCRLF)
        format.LineEnd = leLF;
    for (char &end : format.MixedLineEnds)
        if (end == char(leCRLF))
            end = char(leLF);
    return format;
}


QString NormalizeLineBreaks(const QString &text)
{
    if (!text.contains(u'\r'))
        return text;
    QString out = text;
    QByteArray ends;
    out.truncate(FoldLineEnds(out.data(), out.size(), ends));
    return out;
}

bool DecodeText(const QByteArray &bytes, QString &text, TTextFileFormat &format, QString &error)
{
    format = TTextFileFormat();
    const auto *u = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n >= 2 && ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == 0xFE && u[1] == 0xFF))) {
        const bool le = u[0] == 0xFF;
        format.Encoding = le ? teUtf16LE : teUtf16BE;
        format.ByteOrderMark = true;
        QStringDecoder dec(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
        text = dec.decode(QByteArrayView(bytes).sliced(2));
        if (dec.hasError()) {
            error = QStringLiteral("it is not valid UTF-16 text");
            return false;
        }
    } else {
        if (bytes.contains('\0')) {
            error = QStringLiteral("it holds binary data (NUL bytes), not text");
            return false;
        }
        const bool bom = n >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF;
        if (IsValidUtf8(bytes)) {
            // Plain ASCII reads alike in all three; it keeps the encoding the page names,
            // so characters typed later are saved the way the browser will read them.
            format.Encoding = !bom && IsAscii(bytes) ? DeclaredEncoding(bytes) : teUtf8;
            format.ByteOrderMark = bom;
            text = QString::fromUtf8(QByteArrayView(bytes).sliced(bom ? 3 : 0));
        } else {
            format.Encoding = teWindows1252;
            text = DecodeWindows1252(bytes.constData(), n);
        }
    }
    QByteArray ends;
    text.truncate(FoldLineEnds(text.data(), text.size(), ends));
    // The style is the first CR or LF line end's; a document that has others besides
    // keeps each line's own.
    for (const char end : ends)
        if (end != char(lePS)) {
            format.LineEnd = TLineEnd(end);
            break;
        }
    if (ends.count(char(format.LineEnd)) != ends.size())
        format.MixedLineEnds = ends;
    return true;
}

QByteArray EncodeText(const QString &text, TTextFileFormat &format)
{
    const qsizetype breaks = text.count(u'\n');
    const bool mixed = !format.MixedLineEnds.isEmpty() && format.MixedLineEnds.size() == breaks;
    QString withEnds;
    if (!mixed && format.LineEnd == leLF) {
        withEnds = text;
    } else {
        withEnds.reserve(text.size() + (format.LineEnd == leCRLF || mixed ? breaks : 0));
        qsizetype line = 0, from = 0;
        for (;;) {
            const qsizetype nl = text.indexOf(u'\n', from);
            if (nl < 0) {
                withEnds.append(QStringView(text).mid(from));
                break;
            }
            withEnds.append(QStringView(text).mid(from, nl - from));
            const TLineEnd end = mixed ? TLineEnd(format.MixedLineEnds.at(line)) : format.LineEnd;
            withEnds.append(end == leCRLF ? u"\r\n" : end == leCR ? u"\r" : end == lePS ? u"\u2029" : u"\n");
            ++line;
            from = nl + 1;
        }
    }
    QByteArray out;
    switch (format.Encoding) {
    case teWindows1252:
        if (EncodeWindows1252(withEnds, out))
            return out;
        // Characters Windows-1252 has no byte for: keep them by saving as UTF-8.
        format.Encoding = teUtf8;
        format.ByteOrderMark = false;
        [[fallthrough]];
    case teUtf8:
        out = withEnds.toUtf8();
        if (format.ByteOrderMark)
            out.prepend("\xEF\xBB\xBF");
        return out;
    case teUtf16LE:
    case teUtf16BE: {
        QStringEncoder enc(format.Encoding == teUtf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::WriteBom);
        out = enc.encode(withEnds);
        return out;
    }
    }
    return out;
}

bool ReadTextFile(const QString &fileName, QString &text, TTextFileFormat &format, QString &error,
                  const std::function<void(int)> &progress)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        error = QStringLiteral("File \"%1\" does not exist.").arg(fileName);
        return false;
    }
    if (info.isDir()) {
        error = QStringLiteral("\"%1\" is a folder, not a file.").arg(fileName);
        return false;
    }
    if (info.size() > MaxTextFileSize) {
        error = QStringLiteral("The file \"%1\" is too large to open (%2 MB).")
                    .arg(fileName)
                    .arg(info.size() / (1024 * 1024));
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Unable to read \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    QByteArray bytes;
    if (progress) {
        // In pieces, so that whoever shows the progress hears of it as the file comes in.
        constexpr qint64 Piece = 4 * 1024 * 1024;
        const qint64 total = std::max<qint64>(1, info.size());
        bytes.reserve(info.size());
        for (;;) {
            const QByteArray piece = file.read(Piece);
            if (piece.isEmpty())
                break;
            bytes += piece;
            progress(int(std::min<qint64>(100, bytes.size() * 100 / total)));
        }
    } else {
        bytes = file.readAll();
    }
    if (file.error() != QFile::NoError) {
        error = QStringLiteral("Unable to read \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    file.close();
    QString reason;
    QString decoded;
    if (!DecodeText(bytes, decoded, format, reason)) {
        error = QStringLiteral("Unable to open \"%1\": %2.").arg(fileName, reason);
        return false;
    }
    bytes = QByteArray();
    text = std::move(decoded);
    return true;
}

bool WriteTextFile(const QString &fileName, const QString &text, TTextFileFormat &format, QString &error)
{
    TTextFileFormat fmt = format;
    const QByteArray bytes = EncodeText(text, fmt);
    QSaveFile file(fileName);
    // The device's own text when it has one; a short write (a disk that fills up part-way)
    // leaves it at "Unknown error", and then errno holds what the system said.
    const auto fail = [&](int systemError) {
        const QString reason = file.error() == QFileDevice::NoError && systemError != 0
                                   ? qt_error_string(systemError)
                                   : file.errorString();
        error = QStringLiteral("Unable to save \"%1\": %2").arg(fileName, reason);
        file.cancelWriting();
        return false;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(errno);
    errno = 0;
    if (file.write(bytes) != bytes.size())
        return fail(errno);
    errno = 0;
    if (!file.commit())
        return fail(errno);
    format = fmt;
    return true;
}
