#include "dialogs/tagfields.h"

QString MapReferenceValue(const TDialogContext &context, const QString &name, const QString &value)
{
    if (value.isEmpty() || value.startsWith(u'#') || IsEditedValue(context, name, value))
        return value;
    return u'#' + value;
}

void ReadFieldValue(const QString &tag, const char *attribute, TValueStyle style, const char *keyword,
                    QString *text, bool *on)
{
    const QString name = QString::fromLatin1(attribute);
    // Flags count only where they stand as attributes, not inside a quoted value, just as
    // the builder judges them.
    if (style == vsFlag) {
        if (on)
            *on = HasFlag(tag, name);
        return;
    }
    const QString value = GetAttributeValue(tag, name);
    if (style == vsKeyword) {
        const bool stands = value.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
        if (on)
            *on = stands;
        if (stands)
            return;
    }
    if (text)
        *text = value;
}

void WriteFieldValue(TTagBuilder &tag, const char *attribute, TValueStyle style, const char *keyword,
                     const QString &text, bool on, const TDialogContext &context)
{
    const QString name = QString::fromLatin1(attribute);
    switch (style) {
    case vsQuoted:
        tag.Quoted(name, text);
        return;
    case vsBare:
        tag.Bare(name, text);
        return;
    case vsQuotedIfPercent:
        tag.QuotedIfPercent(name, text);
        return;
    case vsReference:
        tag.Quoted(name, FileReferenceText(context, name, text));
        return;
    case vsMapReference:
        tag.Quoted(name, MapReferenceValue(context, name, text));
        return;
    case vsKeyword:
        if (on)
            tag.Keyword(name, QLatin1String(keyword));
        else
            tag.Bare(name, text);
        return;
    case vsFlag:
        tag.Flag(name, on);
        return;
    }
}
