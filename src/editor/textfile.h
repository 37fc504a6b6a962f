#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing documents as text. A document keeps the encoding and line-end
// style it came with, so an unmodified document saves byte for byte as it was loaded.

enum TTextEncoding { teUtf8, teWindows1252, teUtf16LE, teUtf16BE };
enum TLineEnd : char { leCRLF, leLF, leCR };

struct TTextFileFormat
{
    TTextEncoding Encoding = teUtf8;
    bool ByteOrderMark = false;
    TLineEnd LineEnd = leCRLF;      // taken from the first line end; CR LF for new documents
    // When the file mixed line-end styles: the style of each line end in order, so the
    // text saves as it was while it still has the same number of lines.
    QByteArray MixedLineEnds;
};

// Files larger than this are refused: they could not be held as one text.
constexpr qint64 MaxTextFileSize = qint64(768) * 1024 * 1024;

// Decodes file bytes: valid UTF-8 (with or without a byte-order mark) as UTF-8, a UTF-16
// byte-order mark as UTF-16, anything else as Windows-1252. Line ends become "\n".
// Returns false with a reason for data that is not text (NUL bytes).
bool DecodeText(const QByteArray &bytes, QString &text, TTextFileFormat &format, QString &error);
// Encodes editor text ("\n" line ends) for the file. Text that Windows-1252 cannot hold is
// written as UTF-8 instead, and the format says so.
QByteArray EncodeText(const QString &text, TTextFileFormat &format);

// Reads a whole file; on failure returns false and says why, naming the file.
bool ReadTextFile(const QString &fileName, QString &text, TTextFileFormat &format, QString &error);
// Writes through a temporary file that replaces the old one only once it is complete.
bool WriteTextFile(const QString &fileName, const QString &text, TTextFileFormat &format, QString &error);

// "\r\n" and lone "\r" become "\n", as the editor holds line breaks.
QString NormalizeLineBreaks(const QString &text);

bool IsValidUtf8(const QByteArray &bytes);
QString DecodeWindows1252(const char *data, qsizetype size);
// False when a character has no Windows-1252 byte.
bool EncodeWindows1252(const QString &text, QByteArray &out);
