#include "editor/textops.h"

TReplaceAllResult ReplaceAllText(const QString &text, const QString &find, const QString &replace,
                                 bool matchCase)
{
    TReplaceAllResult r;
    if (find.isEmpty()) {
        r.Text = text;
        return r;
    }
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype p = text.indexOf(find, 0, cs);
    if (p < 0) {
        r.Text = text;
        return r;
    }
    r.First = int(p);
    QString out;
    out.reserve(text.size() + (replace.size() > find.size() ? text.size() / 8 : 0));
    qsizetype from = 0;
    while (p >= 0) {
        out.append(QStringView(text).mid(from, p - from));
        out.append(replace);
        ++r.Count;
        from = p + find.size();
        r.OldEnd = int(from);
        r.NewEnd = int(out.size());
        p = from < text.size() ? text.indexOf(find, from, cs) : -1;
    }
    out.append(QStringView(text).mid(from));
    r.Text = std::move(out);
    return r;
}

int StripTagsStart(const QString &text)
{
    const qsizetype lt = text.indexOf(u'<');
    const qsizetype gt = text.indexOf(u'>');
    if (lt >= 0 && (gt < 0 || gt < lt))
        return int(lt);
    return 0;
}

QString StripTagsText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype lt = text.indexOf(u'<', from);
        const qsizetype gt = text.indexOf(u'>', from);
        if (lt < 0 || gt < 0 || gt < lt)
            break;
        // Nothing before lt holds "<" or ">", so the next search can start after the tag.
        out.append(QStringView(text).mid(from, lt - from));
        from = gt + 1;
    }
    out.append(QStringView(text).mid(from));
    return out;
}

QString IndentText(const QString &lines)
{
    QString out;
    out.reserve(lines.size() + lines.count(u'\n') + 1);
    out.append(u'\t');
    for (const QChar c : lines) {
        out.append(c);
        if (c == u'\n')
            out.append(u'\t');
    }
    return out;
}

QString UnindentText(const QString &lines)
{
    QString out;
    out.reserve(lines.size());
    bool lineStart = true;
    for (const QChar c : lines) {
        if (lineStart && c == u'\t') {
            lineStart = false;
            continue;
        }
        lineStart = c == u'\n';
        out.append(c);
    }
    return out;
}
