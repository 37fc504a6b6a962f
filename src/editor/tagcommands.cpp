#include "editor/tagcommands.h"

#include "common/fileutils.h"

QString UppercaseAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(char16_t(c.unicode() - 32));
    return out;
}

QString LowercaseAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(char16_t(c.unicode() + 32));
    return out;
}

std::optional<QString> StripOutermostText(const QString &text)
{
    const qsizetype lt = text.indexOf(u'<');
    const qsizetype gt = text.indexOf(u'>');
    if (lt < 0 || gt < 0 || gt < lt)
        return std::nullopt;
    QString rest = text.mid(gt + 1);
    // From the end: the first "<" met after a ">" has been passed starts the last tag.
    bool passedGt = false;
    for (qsizetype i = rest.size() - 1; i >= 0; --i) {
        if (rest[i] == u'>')
            passedGt = true;
        else if (rest[i] == u'<' && passedGt)
            return rest.left(i);
    }
    return std::nullopt;
}

TLineBlockTexts LineConversionTexts(TLineConversion conversion)
{
    switch (conversion) {
    case lcOrderedList:
        return {QStringLiteral("<OL>"), QStringLiteral("</OL>"), QStringLiteral("<LI>"), QString()};
    case lcUnorderedList:
        return {QStringLiteral("<UL>"), QStringLiteral("</UL>"), QStringLiteral("<LI>"), QString()};
    case lcTableRows:
        return {QStringLiteral("<TABLE>"), QStringLiteral("</TABLE>"), QStringLiteral("<TR><TD>"),
                QStringLiteral("</TD></TR>")};
    case lcTableColumns:
        break;
    }
    return {QStringLiteral("<TABLE>"), QStringLiteral("</TABLE>"), QStringLiteral("<TD>"), QStringLiteral("</TD>")};
}

QString ConvertLinesText(const QStringList &lines, const TLineBlockTexts &texts)
{
    QString out = texts.BlockStart + QStringLiteral("\r\n");
    for (const QString &line : lines)
        out += u'\t' + texts.LinePrefix + line + texts.LineSuffix + QStringLiteral("\r\n");
    out += texts.BlockEnd + QStringLiteral("\r\n");
    return out;
}

int GoToLineTarget(const QString &answer, int lineCount, int caretLine)
{
    bool ok = false;
    int n = answer.trimmed().toInt(&ok);
    if (!ok)
        n = 1;
    if (n == 0)
        return caretLine;
    if (n < 0 || n > lineCount)
        return -1;
    return n - 1;
}

QString GoToLinePrompt(int lineCount)
{
    return QStringLiteral("Enter Line Number (1-%1)").arg(lineCount);
}

QStringList DatetimeCaptions(const QDateTime &when, const QLocale &locale)
{
    const QString shortDate = locale.toString(when.date(), QLocale::ShortFormat);
    const QString longDate = locale.toString(when.date(), QLocale::LongFormat);
    const QString longTime = locale.toString(when.time(), LongTimeFormatWithoutZone(locale));
    return {shortDate, longDate, shortDate + u' ' + longTime, longDate + u' ' + longTime};
}
