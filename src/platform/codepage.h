#pragma once
// Text encodings the program reads and writes besides UTF-16: checking UTF-8 and the
// Windows-1252 code page, which Qt's own decoders do not offer.
#include <QByteArray>
#include <QString>

bool IsValidUtf8(const QByteArray &bytes);
QString DecodeWindows1252(const char *data, qsizetype size);
// False when a character has no Windows-1252 byte.
bool EncodeWindows1252(const QString &text, QByteArray &out);
// UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString DecodeUtf8Or1252(const QByteArray &bytes);
