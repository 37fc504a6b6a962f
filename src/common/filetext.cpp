#include "common/filetext.h"

#include <algorithm>

#include <QFile>

#include "common/textfile.h"

namespace {

QString DecodeBytes(QByteArrayView bytes)
{
    const QByteArray raw = QByteArray::fromRawData(bytes.data(), bytes.size());
    if (IsValidUtf8(raw)) {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
        return QString::fromUtf8(bytes);
    }
    return DecodeWindows1252(bytes.data(), bytes.size());
}

// A head cut at a fixed length may end inside a UTF-8 sequence; that partial character is
// dropped so the rest still counts as UTF-8.
QByteArrayView WithoutPartialUtf8Tail(QByteArrayView bytes)
{
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const quint8 c = quint8(bytes[bytes.size() - back]);
        if ((c & 0xC0) == 0x80)
            continue; // continuation byte: look further back for the lead byte
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? bytes.first(bytes.size() - back) : bytes;
    }
    return bytes;
}

} // namespace

QString ReadFileAsOneLine(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A read error keeps what was read up to it.
    QString text = DecodeBytes(file.readAll());
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

QString DocumentTitle(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Err");
    return TitleFromBytes(file.read(TitleHeadSize));
}

QString TitleFromBytes(QByteArrayView head)
{
    const QString untitled = QStringLiteral("[Untitled]");
    if (head.size() >= TitleHeadSize)
        head = WithoutPartialUtf8Tail(head.first(TitleHeadSize));
    const qsizetype zero = head.indexOf('\0');
    if (zero >= 0)
        head = head.first(zero);
    const QString text = DecodeBytes(head);
    const qsizetype start = text.indexOf(QLatin1String("<TITLE"), 0, Qt::CaseInsensitive);
    const qsizetype end = text.indexOf(QLatin1String("</TITLE>"), 0, Qt::CaseInsensitive);
    if (start < 0 || end < 0 || end < start)
        return untitled;
    // The title starts just after "<TITLE>"; "<TITLE</TITLE>" overlaps and is empty.
    const qsizetype first = start + 7;
    return first < end ? text.mid(first, end - first) : QString();
}

QStringList CollectQuotedValues(const QString &prefix, const QString &fileName, bool dropDuplicates)
{
    return QuotedValuesFromText(prefix, ReadFileAsOneLine(fileName), dropDuplicates);
}

QStringList QuotedValuesFromText(const QString &prefix, const QString &text, bool dropDuplicates)
{
    QStringList values;
    qsizetype from = 0;
    for (;;) {
        const qsizetype hit = text.indexOf(prefix, from, Qt::CaseInsensitive);
        if (hit < 0)
            break;
        const qsizetype start = hit + prefix.size();
        const qsizetype quote = text.indexOf(u'"', start);
        if (quote < 0)
            break;
        values.append(text.mid(start, quote - start));
        from = quote + 1;
    }
    const auto lessIgnoringCase = [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    };
    std::stable_sort(values.begin(), values.end(), lessIgnoringCase);
    if (dropDuplicates) {
        const auto equalIgnoringCase = [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) == 0;
        };
        values.erase(std::unique(values.begin(), values.end(), equalIgnoringCase), values.end());
    }
    return values;
}

QString RemoveAllOccurrences(const QString &text, const QString &fragment)
{
    if (fragment.isEmpty())
        return text;
    QString result = text;
    qsizetype from = 0;
    for (;;) {
        const qsizetype hit = result.indexOf(fragment, from, Qt::CaseInsensitive);
        if (hit < 0)
            break;
        result.remove(hit, fragment.size());
        // Nothing before the deleted occurrence matched, so a new occurrence can only be
        // one that reaches across the join.
        from = std::max<qsizetype>(0, hit - fragment.size() + 1);
    }
    return result;
}
