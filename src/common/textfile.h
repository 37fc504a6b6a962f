#pragma once
#include <QByteArray>
#include <QString>

#include "platform/codepage.h"
#include <functional>

// Reading and writing documents as text. A document keeps the encoding and line-end
// style it came with, so an unmodified document saves byte for byte as it was loaded.

enum TTextEncoding { teUtf8, teWindows1252, teUtf16LE, teUtf16BE };
// lePS is a U+2029 PARAGRAPH SEPARATOR in the file: the editor holds it as a line break
// like the others, and it is written back where it stood; it is never a file's style.
enum TLineEnd : char { leCRLF, leLF, leCR, lePS };

struct TTextFileFormat
{
    TTextEncoding Encoding = teUtf8;
    bool ByteOrderMark = false;
    TLineEnd LineEnd = leCRLF;      // taken from the first CR or LF line end; CR LF for new documents
    // When the file mixed line-end styles: the style of each line end in order, so the
    // text saves as it was while it still has the same number of lines.
    QByteArray MixedLineEnds;
};

// Files larger than this are refused: they could not be held as one text.
constexpr qint64 MaxTextFileSize = qint64(768) * 1024 * 1024;

// Decodes file bytes: valid UTF-8 (with or without a byte-order mark) as UTF-8, a UTF-16
// byte-order mark as UTF-16, anything else as Windows-1252; bytes that are all ASCII take
// the encoding the page declares (DeclaredEncoding). Line ends (CR LF, LF, CR and U+2029)
// become "\n"; every other character, U+00A0 and U+2028 included, stays as it is.
// Returns false with a reason for data that is not text (NUL bytes).
bool DecodeText(const QByteArray &bytes, QString &text, TTextFileFormat &format, QString &error);
// Encodes editor text ("\n" line ends) for the file. Text that Windows-1252 cannot hold is
// written as UTF-8 instead, and the format says so.
QByteArray EncodeText(const QString &text, TTextFileFormat &format);

// The encoding an ASCII page names in its XML declaration or a META charset, when that is
// UTF-8, ISO-8859-1 or Windows-1252 (the last two are both held as Windows-1252); UTF-8
// when it names none of these.
TTextEncoding DeclaredEncoding(QByteArrayView bytes);

// The format for a Unix copy of a document: each CR LF line end becomes LF; a lone CR (and
// every other line end) stays as it is.
TTextFileFormat UnixLineEnds(TTextFileFormat format);

// Reads a whole file; on failure returns false and says why, naming the file. A progress
// callback hears how much has been read (0..100) as a large file comes in.
bool ReadTextFile(const QString &fileName, QString &text, TTextFileFormat &format, QString &error,
                  const std::function<void(int)> &progress = {});
// Writes through a temporary file that replaces the old one only once it is complete; on
// failure says why in the system's words (a full disk is "No space left on device").
bool WriteTextFile(const QString &fileName, const QString &text, TTextFileFormat &format, QString &error);

// "\r\n" and lone "\r" become "\n", as the editor holds line breaks.
QString NormalizeLineBreaks(const QString &text);

