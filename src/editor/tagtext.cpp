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

bool IsQuote(QChar c)
{
    return c == Quote || c == u'\'';
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
// name, or -1.
qsizetype FindOutsideQuotes(QStringView text, QChar lead, QStringView name)
{
    TQuoteScanner scanner;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (!scanner.Inside() && c == lead && NameAt(text, k + 1, name))
            return k + 1;
        scanner.Quoted(c);
    }
    return -1;
}

// Skips what stands between an attribute's name and its value: blanks, "=" and the quote
// that opens the value (a double or a single one), with any repeat of that quote. Returns
// where skipping stopped; quote is the opening quote, or null for a bare value. With
// stopOnEmpty, two equal quotes in a row (the second not the text's last character) are an
// empty value and skipping stops on the second.
qsizetype SkipToValue(QStringView text, qsizetype from, QChar &quote, bool stopOnEmpty)
{
    const qsizetype n = text.size();
    quote = QChar();
    qsizetype s = from;
    while (s < n) {
        const QChar c = text[s];
        if (c == u' ' || c == u'=') {
            ++s;
            continue;
        }
        if (quote.isNull() ? !IsQuote(c) : c != quote)
            break;
        quote = c;
        if (stopOnEmpty && s + 1 < n - 1 && text[s + 1] == c)
            return s + 1;
        ++s;
    }
    return s;
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
    // Inside a comment the comment is the tag, whatever markup it holds before the caret.
    const qsizetype open = text.lastIndexOf(u"<!--", lt);
    if (open >= 0) {
        const qsizetype close = text.indexOf(u"-->", open + 4);
        if (close >= 0 && lt < close + 3)
            return {int(open), int(close + 3 - open)};
    }
    while (lt >= 0 && text[lt] != u'<')
        --lt;
    if (lt < 0)
        return {};
    // A comment may hold markup ("<!-- <B>old</B> -->"): it runs through its "-->".
    if (text.mid(lt).startsWith(u"<!--")) {
        const qsizetype close = text.indexOf(u"-->", lt + 4);
        if (close >= 0)
            return {int(lt), int(close + 3 - lt)};
    }
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
    return ReadAttribute(tagText, name).Value;
}

TAttributeText ReadAttribute(const QString &tagText, const QString &name)
{
    TAttributeText result;
    const QString key = name.trimmed();
    const qsizetype p = FindAttribute(tagText, key);
    if (p < 0)
        return result;
    result.Found = true;
    const qsizetype n = tagText.size();
    const qsizetype q = p + key.size();
    if (q + 1 < n && IsQuote(tagText[q]) && tagText[q + 1] == tagText[q]) {
        result.Quote = tagText[q];
        return result;
    }
    const qsizetype v = SkipToValue(tagText, q, result.Quote, false);
    // A value that would be the tag text's last character is taken for a cut-off tag.
    if (v >= n - 1)
        return result;
    qsizetype e = v + 1;
    const QChar quote = result.Quote;
    while (e < n && !(quote.isNull() ? IsValueEnd(tagText[e]) : tagText[e] == quote))
        ++e;
    result.Value = tagText.mid(v, e - v);
    return result;
}

void SetAttributeValue(QString &tagText, const QString &name, const QString &value)
{
    const QString key = name.trimmed();
    const qsizetype p = FindAttribute(tagText, key);
    if (p < 0) {
        if (ClearsAttribute(value) || key.isEmpty())
            return;
        // Before the tag's own ">", never one inside a quoted value.
        const QString added = u' ' + key + value;
        const qsizetype gt = TagCloseAt(tagText);
        if (gt < 0)
            tagText += added + u'>';
        else
            tagText.insert(gt, added);
        return;
    }

    const qsizetype n = tagText.size();
    // Find the old value: skip blanks, "=" and its opening quote after the name. Two quotes
    // in a row are an empty value; skipping stops on the second one.
    QChar quote;
    qsizetype s = SkipToValue(tagText, p + key.size(), quote, true);
    qsizetype e = s;
    while (e < n && !(quote.isNull() ? IsValueEnd(tagText[e]) : tagText[e] == quote))
        ++e;
    // An unterminated value stops short of the last character, which is normally the ">".
    if (e >= n)
        e = std::max(s, n - 1);

    // The old value loses its quotes; the new one brings its own if it wants them.
    if (!quote.isNull() && s > 0 && e < n && tagText[s - 1] == quote && tagText[e] == quote) {
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
    TQuoteScanner scanner;
    qsizetype out = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!scanner.Quoted(c) && c == u' ' && out > 0 && text[out - 1] == u' ')
            continue;
        text[out++] = c;
    }
    text.truncate(out);
}

bool TQuoteScanner::Quoted(QChar c)
{
    if (Inside()) {
        if (c == m_quote)
            m_quote = QChar();
        return true;
    }
    if (c == Quote || (c == u'\'' && m_lastMark == u'=')) {
        m_quote = c;
        m_lastMark = c;
        return true;
    }
    if (!IsBlank(c))
        m_lastMark = c;
    return false;
}

qsizetype TagCloseAt(QStringView tagText)
{
    TQuoteScanner scanner;
    for (qsizetype i = 0; i < tagText.size(); ++i)
        if (!scanner.Quoted(tagText[i]) && tagText[i] == u'>')
            return i;
    return -1;
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
