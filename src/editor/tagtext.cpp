#include "editor/tagtext.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<bool> s_lowerCaseTags = false;

constexpr QChar Quote = u'"';

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Characters skipped between an attribute's name and its value.
bool IsValueLead(QChar c)
{
    return c == u' ' || c == Quote || c == u'=';
}

// Characters that end an unquoted value.
bool IsValueEnd(QChar c)
{
    return c == u' ' || c == Quote || c == u'>';
}

// Names compare letter by letter in upper case; one character never becomes two, so
// positions in the tag text stay valid.
bool NameAt(QStringView text, qsizetype at, QStringView name)
{
    if (at + name.size() > text.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i)
        if (text[at + i].toUpper() != name[i].toUpper())
            return false;
    return true;
}

// Where `lead` followed by `name` first stands outside quoted values; the position of the
// name, or -1. A double quote opens or closes a quoted value wherever it stands; a single
// quote opens one only where a value begins (after "=" and blanks), since elsewhere it is
// an apostrophe in the text.
qsizetype FindOutsideQuotes(QStringView text, QChar lead, QStringView name)
{
    enum { Outside, InDouble, InSingle } state = Outside;
    QChar lastMark;   // the last non-blank character outside quoted values
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        switch (state) {
        case Outside:
            if (c == lead && NameAt(text, k + 1, name))
                return k + 1;
            if (c == Quote)
                state = InDouble;
            else if (c == u'\'' && lastMark == u'=')
                state = InSingle;
            if (!IsBlank(c))
                lastMark = c;
            break;
        case InDouble:
            if (c == Quote)
                state = Outside;
            break;
        case InSingle:
            if (c == u'\'')
                state = Outside;
            break;
        }
    }
    return -1;
}

// The first character of the attribute name in the tag text, or -1: right after a "<"
// if there is one, else after a space.
qsizetype FindAttribute(QStringView tagText, QStringView name)
{
    if (name.isEmpty())
        return -1;
    const qsizetype p = FindOutsideQuotes(tagText, u'<', name);
    return p >= 0 ? p : FindOutsideQuotes(tagText, u' ', name);
}

bool ClearsAttribute(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("\"\"");
}

} // namespace

TTagSpan FindTagAtCaret(QStringView text, int caret)
{
    const qsizetype n = text.size();
    if (caret <= 0 || n == 0)
        return {};
    // The search starts at the character just after the caret, so a caret standing
    // directly before a "<" finds that tag.
    qsizetype lt = std::min<qsizetype>(caret, n - 1);
    while (lt >= 0 && text[lt] != u'<')
        --lt;
    if (lt < 0)
        return {};
    const qsizetype gt = text.indexOf(u'>', lt);
    if (gt < 0)
        return {};
    return {int(lt), int(gt - lt + 1)};
}

TTagKind TagKindOf(QStringView tagText)
{
    static constexpr struct {
        const char16_t *Text;
        TTagKind Kind;
    } Tests[] = {
        {u"<!--", tkComment},
        {u"<BODY", tkBody},
        {u"<A ", tkAnchor},
        {u"<FONT", tkFont},
        {u"<IMG", tkImage},
        {u"<TABLE", tkTable},
        {u"<TD", tkTableData},
        {u"<TH", tkTableHeader},
        {u"<TR", tkTableRow},
        {u"<OBJECT", tkObject},
        {u"<PARAM", tkParameter},
        {u"<BGSOUND", tkBGSound},
        {u"<EMBED", tkEmbed},
        {u"<FRAMESET", tkFrameset},  // before "<FRAME", which it contains
        {u"<IFRAME", tkFloatingFrame},
        {u"<FRAME", tkFrame},
        {u"<HR", tkHorzRule},
        {u"<SCRIPT", tkScript},
        {u"<META", tkMeta},
        {u"<MARQUEE", tkMarquee},
    };
    QString head = tagText.left(10).toString();
    for (QChar &c : head)
        c = c.toUpper();
    for (const auto &t : Tests)
        if (head.contains(QStringView(t.Text)))
            return t.Kind;
    return tkNone;
}

QString GetAttributeValue(const QString &tagText, const QString &name)
{
    const QString key = name.trimmed();
    const qsizetype p = FindAttribute(tagText, key);
    if (p < 0)
        return {};
    const qsizetype n = tagText.size();
    const qsizetype q = p + key.size();
    if (q + 1 < n && tagText[q] == Quote && tagText[q + 1] == Quote)
        return {};
    bool quoted = false;
    qsizetype v = q;
    for (; v < n && IsValueLead(tagText[v]); ++v)
        quoted = quoted || tagText[v] == Quote;
    // A value that would be the tag text's last character is taken for a cut-off tag.
    if (v >= n - 1)
        return {};
    qsizetype e = v + 1;
    while (e < n && !(quoted ? tagText[e] == Quote : IsValueEnd(tagText[e])))
        ++e;
    return tagText.mid(v, e - v);
}

void SetAttributeValue(QString &tagText, const QString &name, const QString &value)
{
    const QString key = name.trimmed();
    const qsizetype p = FindAttribute(tagText, key);
    if (p < 0) {
        if (ClearsAttribute(value) || key.isEmpty())
            return;
        const QString added = u' ' + key + value;
        const qsizetype gt = tagText.indexOf(u'>');
        if (gt < 0)
            tagText += added + u'>';
        else
            tagText.insert(gt, added);
        return;
    }

    const qsizetype n = tagText.size();
    // Find the old value: skip blanks, quotes and "=" after the name. Two quotes in a row
    // are an empty value; skipping stops on the second one.
    qsizetype s = p + key.size();
    bool quoted = false;
    while (s < n && IsValueLead(tagText[s])) {
        if (tagText[s] == Quote) {
            quoted = true;
            if (s + 1 < n - 1 && tagText[s + 1] == Quote) {
                ++s;
                break;
            }
        }
        ++s;
    }
    qsizetype e = s;
    while (e < n && !(quoted ? tagText[e] == Quote : IsValueEnd(tagText[e])))
        ++e;
    // An unterminated value stops short of the last character, which is normally the ">".
    if (e >= n)
        e = std::max(s, n - 1);

    // The old value loses its quotes; the new one brings its own if it wants them.
    if (s > 0 && e < n && tagText[s - 1] == Quote && tagText[e] == Quote) {
        tagText.remove(e, 1);
        tagText.remove(s - 1, 1);
        --s;
        --e;
    }

    if (ClearsAttribute(value)) {
        // The name, "=" and old value go; the space before the name stays, unless it would
        // stand right before the closing ">".
        tagText.remove(p, e - p);
        const qsizetype m = tagText.size();
        if (m >= 2 && tagText[m - 2] == u' ')
            tagText.remove(m - 2, 1);
    } else {
        tagText.replace(s, e - s, value);
    }
    CollapseSpaces(tagText);
}

void CollapseSpaces(QString &text)
{
    bool inQuotes = false;
    qsizetype out = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == Quote)
            inQuotes = !inQuotes;
        else if (c == u' ' && !inQuotes && out > 0 && text[out - 1] == u' ')
            continue;
        text[out++] = c;
    }
    text.truncate(out);
}

QString TagCase(const QString &text)
{
    // Case mapping can lengthen a text (one letter may become two), so cut before and after
    // it, never between the two halves of a surrogate pair.
    const auto cut = [](QString s) {
        if (s.size() > TagCaseMaxLength) {
            qsizetype keep = TagCaseMaxLength;
            if (s[keep - 1].isHighSurrogate() && s[keep].isLowSurrogate())
                --keep;
            s.truncate(keep);
        }
        return s;
    };
    const QString head = cut(text);
    return cut(LowerCaseTags() ? head.toLower() : head.toUpper());
}

void SetLowerCaseTags(bool on)
{
    s_lowerCaseTags = on;
}

bool LowerCaseTags()
{
    return s_lowerCaseTags;
}
