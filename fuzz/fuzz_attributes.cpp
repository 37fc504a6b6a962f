// Feeds arbitrary text to the tag text operations, and builds well-formed tags from the
// same input to check that attributes read back what was written into them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QString>

#include "editor/tagtext.h"

namespace {

// Line breaks and tabs made visible.
QByteArray Show(QString s)
{
    return s.replace(u'\n', QStringLiteral("\\n")).replace(u'\t', QStringLiteral("\\t")).toUtf8();
}

void Check(bool ok, const char *what, const QString &a = {}, const QString &b = {})
{
    if (ok)
        return;
    std::fprintf(stderr, "broken: %s\n  [%s]\n  [%s]\n", what, Show(a).constData(), Show(b).constData());
    __builtin_trap();
}

bool IsClearing(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("\"\"");
}

QString Decode(const uint8_t *data, size_t size, bool utf16)
{
    if (!utf16)
        return QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    return QString::fromStdU16String(units);
}

// Any text: nothing may crash, and what can be stated without knowing the tag holds.
void ArbitraryText(const uint8_t *data, size_t size)
{
    // Tag, name and value are separated by 0x01 bytes; a leading 0x02 reads UTF-16.
    std::vector<QString> parts(3);
    const bool utf16 = size > 0 && data[0] == 0x02;
    size_t from = utf16 ? 1 : 0;
    for (size_t part = 0, i = from; i <= size && part < 3; ++i) {
        if (i == size || (data[i] == 0x01 && part < 2)) {
            parts[part++] = Decode(data + from, i - from, utf16);
            from = i + 1;
        }
    }
    const QString &text = parts[0], &name = parts[1], &value = parts[2];

    const QString got = GetAttributeValue(text, name);
    Check(text.contains(got), "a value comes from the tag", text, got);
    Check(got.isEmpty() || (got[0] != u' ' && got[0] != u'"' && got[0] != u'='), "a value starts after blanks, quotes and =", text, got);

    QString set = text;
    SetAttributeValue(set, name, value);
    if (IsClearing(value))
        Check(set.size() <= text.size(), "clearing never adds", text, set);

    QString once = text;
    CollapseSpaces(once);
    QString twice = once;
    CollapseSpaces(twice);
    Check(once == twice, "collapsing twice changes nothing", once, twice);
    QString a = text, b = once;
    a.remove(u' ');
    b.remove(u' ');
    Check(a == b, "collapsing only removes spaces", text, once);

    const int n = int(text.size());
    const int caret = (size >= 2 ? int(data[size - 1]) * 256 + data[size - 2] : 0) % (n + 2);
    const TTagSpan span = FindTagAtCaret(text, caret);
    if (!span.IsEmpty()) {
        Check(span.Start >= 0 && span.Start + span.Length <= n, "span inside the text", text);
        const QStringView tag = QStringView(text).mid(span.Start, span.Length);
        Check(tag.front() == u'<' && tag.back() == u'>', "a tag runs from < to >", text);
        Check(tag.indexOf(u'>') == tag.size() - 1, "a tag ends at its first >", text);
        const int last = std::min(caret, n - 1);
        Check(span.Start <= last && QStringView(text).mid(span.Start + 1, last - span.Start).indexOf(u'<') < 0,
              "the nearest < at or before the caret", text);
    } else if (caret > 0 && n > 0) {
        const qsizetype lt = QStringView(text).left(std::min(caret, n - 1) + 1).lastIndexOf(u'<');
        Check(lt < 0 || text.indexOf(u'>', lt) < 0, "a tag is found when there is one", text);
    }

    Check(TagKindOf(text) == TagKindOf(QStringView(text).left(10)), "kind from the first 10", text);
    Check(TagCase(text).size() <= TagCaseMaxLength, "tag case length", text);
}

// Characters for names and values of generated tags.
constexpr char NameChars[] = "ABDHILNSTWabdhilnstw";
constexpr char ValueChars[] = "aZ09._-/#%:;=<>'\" \t\n&?";

QString Pick(FuzzedDataProvider &in, const char *chars, size_t maxLength, const char *exclude = "")
{
    QString s;
    const size_t count = std::strlen(chars);
    const size_t n = in.ConsumeIntegralInRange<size_t>(0, maxLength);
    for (size_t i = 0; i < n; ++i) {
        const char c = chars[in.ConsumeIntegralInRange<size_t>(0, count - 1)];
        if (!std::strchr(exclude, c))
            s += QLatin1Char(c);
    }
    return s;
}

QString AnyCase(FuzzedDataProvider &in, const QString &name)
{
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: return name.toLower();
    case 1: return name.toUpper();
    default: return name;
    }
}

enum TForm { fmFlag, fmUnquoted, fmQuoted, fmSingleQuoted, fmBlanksAroundEquals, fmFormCount };

struct TAttribute
{
    QString Name;
    TForm Form = fmFlag;
    bool BlankAfterEquals = false;
    QString Value;
    QString Separator;   // what stands before it

    QString Text() const
    {
        const QString equals = BlankAfterEquals ? QStringLiteral("= ") : QStringLiteral("=");
        switch (Form) {
        case fmFlag: return Name;
        case fmUnquoted: return Name + equals + Value;
        case fmQuoted: return Name + equals + u'"' + Value + u'"';
        case fmSingleQuoted: return Name + QStringLiteral("='") + Value + u'\'';
        default: return Name + QStringLiteral(" = ") + Value;
        }
    }
    // Found by its name with "=": it follows a space and "=" follows the name directly.
    bool Findable() const
    {
        return Form != fmFlag && Form != fmBlanksAroundEquals && Separator.endsWith(u' ');
    }
    // What reading it gives: double quotes go, single quotes stay and a space ends the value.
    QString ReadValue() const
    {
        if (Form != fmSingleQuoted)
            return Value;
        const QString quoted = u'\'' + Value + u'\'';
        return quoted.left(quoted.indexOf(u' '));
    }
};

// A well-formed tag: one "<" at the start, one ">" at the end, no ">" in any value, every
// quote closed, no double quote inside single quotes, no "<" outside quotes.
void WellFormedTag(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString name = Pick(in, NameChars, 4) + u'X';
    const QString key = AnyCase(in, name) + u'=';
    // A mention of the attribute (or of another one) inside a quoted value.
    const auto mention = [&] {
        return in.ConsumeBool() ? QString()
                                : u' ' + (in.ConsumeBool() ? AnyCase(in, name) : Pick(in, NameChars, 3) + u'X') + QStringLiteral("=5");
    };

    const QString tagName = Pick(in, NameChars, 6) + u'X';
    std::vector<TAttribute> attributes(in.ConsumeIntegralInRange<size_t>(0, 6));
    for (TAttribute &a : attributes) {
        // An unquoted value ends at a space only, so every separator starts with one.
        a.Separator = u' ' + Pick(in, "   \t\n", 3);
        if (in.ConsumeBool())
            a.Separator += u' ';
        a.Name = in.ConsumeBool() ? AnyCase(in, name) : Pick(in, NameChars, 4) + u'X';
        a.Form = TForm(in.ConsumeIntegralInRange<int>(0, fmFormCount - 1));
        a.BlankAfterEquals = in.ConsumeBool();
        switch (a.Form) {
        case fmUnquoted:
        case fmBlanksAroundEquals:
            a.Value = u'v' + Pick(in, ValueChars, 8, "<>'\" \t\n");
            break;
        case fmQuoted:
            a.Value = Pick(in, ValueChars, 10, ">\"") + mention();
            if (a.Value.startsWith(u' ') || a.Value.startsWith(u'=') || (a.BlankAfterEquals && a.Value.isEmpty()))
                a.Value.prepend(u'q');
            break;
        case fmSingleQuoted:
            a.Value = Pick(in, ValueChars, 10, ">'\"") + mention();
            break;
        default:
            break;
        }
    }
    QString tag = u'<' + tagName;
    for (const TAttribute &a : attributes)
        tag += a.Separator + a.Text();
    tag += in.ConsumeBool() ? QStringLiteral(" >") : QStringLiteral(">");

    const auto sameName = [&](const TAttribute &a) { return a.Name.compare(name, Qt::CaseInsensitive) == 0; };
    const TAttribute *first = nullptr;
    int findable = 0;
    for (const TAttribute &a : attributes)
        if (a.Findable() && sameName(a) && findable++ == 0)
            first = &a;

    // Reading finds the first such attribute, never a mention inside quotes.
    Check(GetAttributeValue(tag, key) == (first ? first->ReadValue() : QString()), "reading", tag, key);

    // Writing back the value just read keeps the tag (apart from runs of spaces).
    QString collapsed = tag;
    CollapseSpaces(collapsed);
    if (first && !first->ReadValue().isEmpty()) {
        QString back = tag;
        SetAttributeValue(back, key, first->Form == fmQuoted ? u'"' + first->Value + u'"' : first->ReadValue());
        Check(back == collapsed, "writing back the same value", tag, back);
    }

    // A new value reads back; every other attribute stays as it was.
    QString value;
    QString readBack;
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        value = readBack = u'n' + Pick(in, ValueChars, 8, "<>\" ");
        break;
    case 1:
        readBack = Pick(in, ValueChars, 10, "\"") + mention();
        if (readBack.startsWith(u' ') || readBack.startsWith(u'='))
            readBack.prepend(u'q');
        value = u'"' + readBack + u'"';
        break;
    default:
        value = in.ConsumeBool() ? QString() : QStringLiteral("\"\"");
        break;
    }
    QString changed = tag;
    SetAttributeValue(changed, key, value);
    if (IsClearing(value)) {
        if (findable == 0)
            Check(changed == tag, "clearing a missing attribute", tag, changed);
        // A single-quoted value is read up to its first space, like an unquoted one, so
        // removing it leaves the rest of it behind.
        const bool leavesRest = first && first->Form == fmSingleQuoted && first->Value.contains(u' ');
        if (findable <= 1 && !leavesRest)
            Check(GetAttributeValue(changed, key).isEmpty(), "cleared", tag, changed);
    } else {
        Check(GetAttributeValue(changed, key) == readBack, "reading what was written", tag + QStringLiteral(" -> ") + changed, readBack);
    }
    for (const TAttribute &a : attributes) {
        if (&a == first)
            continue;
        // Spaces in single quotes collapse when the tag is tidied after a change.
        const QString text = a.Text();
        QString tidied = text;
        CollapseSpaces(tidied);
        Check(changed.contains(text) || (a.Form == fmSingleQuoted && changed.contains(tidied)),
              "other attributes stay", changed, text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ArbitraryText(data, size);
    WellFormedTag(data, size);
    return 0;
}
