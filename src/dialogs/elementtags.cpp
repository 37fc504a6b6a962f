#include "dialogs/elementtags.h"

#include "dialogs/tagfields.h"

namespace {

const QString CommentOpen = QStringLiteral("<!--");
const QString CommentClose = QStringLiteral("-->");
const QString CrLf = QStringLiteral("\r\n");

// Memo and description text as generated text writes it: CR LF between lines.
QString WithCrLf(const QString &text)
{
    QString result = text;
    result.replace(CrLf, QStringLiteral("\n"));
    result.replace(u'\r', u'\n');
    result.replace(QStringLiteral("\n"), CrLf);
    return result;
}

} // namespace

// ---- comment

QString CommentMemoText(const QString &tag)
{
    QString text = tag;
    text.remove(CommentOpen, Qt::CaseInsensitive);
    text.remove(CommentClose, Qt::CaseInsensitive);
    return text;
}

TTagResult BuildComment(const QString &memoText, const QString &editedTag)
{
    if (!editedTag.isEmpty() && memoText == CommentMemoText(editedTag))
        return {editedTag, QString()};
    QStringList lines = WithCrLf(memoText).split(CrLf);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QString text;
    for (const QString &line : lines)
        text += CommentOpen + line + CommentClose + CrLf;
    return {text, QString()};
}

// ---- anchor

namespace {

constexpr TFieldSpec<TAnchorFields> AnchorSpecs[] = {
    TextField("HREF=", &TAnchorFields::Href, vsQuoted),
    TextField("TARGET=", &TAnchorFields::Target, vsQuoted),
    TextField("NAME=", &TAnchorFields::Name, vsQuoted),
};

} // namespace

QStringList AnchorTargetWords()
{
    return {QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_parent"), QStringLiteral("_top")};
}

TAnchorFields OpenAnchorFields(const TDialogContext &context)
{
    TAnchorFields fields;
    if (!context.FileName.isEmpty())
        fields.Href = AnchorFileHref(context, context.FileName);
    if (context.IsEdit())
        ReadFields<TAnchorFields>(fields, AnchorSpecs, context.EditedTag);
    return fields;
}

QString AnchorFileHref(const TDialogContext &context, const QString &file)
{
    return FileReference(context.BaseFolder, file, context.LowerCaseFiles);
}

QString AnchorLinkTarget(const TAnchorFields &fields, const TDialogContext &context)
{
    if (!context.LowerCaseFiles || IsEditedValue(context, QStringLiteral("HREF="), fields.Href))
        return fields.Href;
    return fields.Href.toLower();
}

TTagResult BuildAnchorTag(const TAnchorFields &fields, const TDialogContext &context)
{
    TAnchorFields written = fields;
    written.Href = AnchorLinkTarget(fields, context);
    TTagBuilder tag(context.EditedTag, QStringLiteral("<A>"));
    WriteFields<TAnchorFields>(tag, AnchorSpecs, written, context);
    if (tag.IsEdit())
        return {tag.Text(), QString()};
    return {tag.Text() + WithCrLf(fields.Description), TagCase(QStringLiteral("</A>"))};
}

// ---- font

namespace {

constexpr TFieldSpec<TFontFields> FontSpecs[] = {
    TextField("FACE=", &TFontFields::Face, vsQuoted),
    TextField("COLOR=", &TFontFields::Color, vsQuoted),
};

} // namespace

QStringList FontSignWords()
{
    return {QString(), QStringLiteral("+"), QStringLiteral("-")};
}

void FillFontFields(TFontFields &fields, const QString &tag)
{
    QString size = GetAttributeValue(tag, QStringLiteral("SIZE="));
    fields.Sign.clear();
    for (const QChar sign : {u'+', u'-'}) {
        const qsizetype at = size.indexOf(sign);
        if (at >= 0) {
            fields.Sign = sign;
            size.remove(at, 1);
            break;
        }
    }
    fields.Size = size;
    ReadFields<TFontFields>(fields, FontSpecs, tag);
}

TFontFields OpenFontFields(const TDialogContext &context)
{
    TFontFields fields;
    if (context.IsEdit())
        FillFontFields(fields, context.EditedTag);
    return fields;
}

TTagResult BuildFontTag(const TFontFields &fields, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, QStringLiteral("<FONT>"));
    // SIZE is split into two boxes on reading, so "x+10" would not come back as it was
    // read; a size whose boxes stand as read is left alone.
    bool sizeAsRead = false;
    if (context.IsEdit()) {
        TFontFields read;
        FillFontFields(read, context.EditedTag);
        sizeAsRead = read.Sign == fields.Sign && read.Size == fields.Size;
    }
    if (!sizeAsRead)
        tag.Quoted(QStringLiteral("SIZE="), fields.Size.isEmpty() ? QString() : fields.Sign + fields.Size);
    WriteFields<TFontFields>(tag, FontSpecs, fields, context);
    return {tag.Text(), tag.IsEdit() ? QString() : TagCase(QStringLiteral("</FONT>"))};
}

// ---- body

namespace {

constexpr TFieldSpec<TBodyFields> BodySpecs[] = {
    TextField("BACKGROUND=", &TBodyFields::Background, vsQuoted),
    TextField("BGCOLOR=", &TBodyFields::BgColor, vsQuoted),
    TextField("TEXT=", &TBodyFields::Text, vsQuoted),
    TextField("LINK=", &TBodyFields::Link, vsQuoted),
    TextField("VLINK=", &TBodyFields::VLink, vsQuoted),
    TextField("ALINK=", &TBodyFields::ALink, vsQuoted),
};

} // namespace

void FillBodyFields(TBodyFields &fields, const QString &tag)
{
    ReadFields<TBodyFields>(fields, BodySpecs, tag);
}

TBodyFields OpenBodyFields(const TDialogContext &context)
{
    TBodyFields fields;
    if (context.IsEdit())
        FillBodyFields(fields, context.EditedTag);
    return fields;
}

QString BodyImageReference(const TDialogContext &context, const QString &file)
{
    return FileReference(context.BaseFolder, file, context.LowerCaseFiles, true);
}

TTagResult BuildBodyTag(const TBodyFields &fields, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, QStringLiteral("<BODY>"));
    WriteFields<TBodyFields>(tag, BodySpecs, fields, context);
    if (tag.IsEdit())
        return {tag.Text(), QString()};
    return {tag.Text(), CrLf + CrLf + CrLf + TagCase(QStringLiteral("</BODY>"))};
}

// ---- horizontal rule

namespace {

constexpr TFieldSpec<THorzRuleFields> HorzRuleSpecs[] = {
    TextField("ALIGN=", &THorzRuleFields::Align, vsQuoted),
    TextField("SIZE=", &THorzRuleFields::Size, vsQuoted),
    TextField("WIDTH=", &THorzRuleFields::Width, vsQuoted),
    FlagField("NOSHADE", &THorzRuleFields::NoShade),
};

// The tag in the tag case: the tag name, every attribute name and flag, and the values of
// the attributes named in convertedValues (upper case, without "="). Other values, quoted
// or bare, keep their case.
QString HorzRuleCase(const QString &tag, const QStringList &convertedValues)
{
    const bool lower = LowerCaseTags();
    QString text = tag;
    TQuoteScanner scanner;
    QString name;              // the name being read, upper case
    bool inValue = false;      // after "=", until a blank or ">" outside quotes
    bool convertValue = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar &c = text[i];
        const bool quoted = scanner.Quoted(c);
        const bool convert = quoted || inValue ? convertValue : true;
        if (!quoted) {
            if (c == u' ' || c == u'>' || c == u'\t' || c == u'\r' || c == u'\n') {
                inValue = false;
                convertValue = false;
                name.clear();
                continue;
            }
            if (c == u'=' && !inValue) {
                inValue = true;
                convertValue = convertedValues.contains(name);
                name.clear();
                continue;
            }
            if (!inValue)
                name += c.toUpper();
        }
        // A double quote typed into a value stays the entity the builder wrote.
        if (convert && QStringView(text).mid(i).startsWith(u"&quot;")) {
            for (qsizetype end = i + 5; i < end; ++i)
                scanner.Quoted(text[i + 1]);
            continue;
        }
        if (convert)
            c = lower ? c.toLower() : c.toUpper();
    }
    return text;
}

} // namespace

QStringList HorzRuleAlignWords()
{
    return {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
}

void FillHorzRuleFields(THorzRuleFields &fields, const QString &tag)
{
    ReadFields<THorzRuleFields>(fields, HorzRuleSpecs, tag);
}

THorzRuleFields OpenHorzRuleFields(const TDialogContext &context)
{
    THorzRuleFields fields;
    if (context.IsEdit())
        FillHorzRuleFields(fields, context.EditedTag);
    return fields;
}

TTagResult BuildHorzRuleTag(const THorzRuleFields &fields, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, QStringLiteral("<HR>"));
    WriteFields<THorzRuleFields>(tag, HorzRuleSpecs, fields, context);
    // The values the dialog wrote take the tag case; those left as read keep theirs.
    THorzRuleFields read;
    if (context.IsEdit())
        FillHorzRuleFields(read, context.EditedTag);
    QStringList converted;
    const bool edit = context.IsEdit();
    if (!edit || fields.Align != read.Align)
        converted << QStringLiteral("ALIGN");
    if (!edit || fields.Size != read.Size)
        converted << QStringLiteral("SIZE");
    if (!edit || fields.Width != read.Width)
        converted << QStringLiteral("WIDTH");
    return {HorzRuleCase(tag.Text(), converted), QString()};
}

// ---- META

namespace {

constexpr TFieldSpec<TMetaFields> MetaSpecs[] = {
    TextField("HTTP-EQUIV=", &TMetaFields::HttpEquiv, vsQuoted),
    TextField("CONTENT=", &TMetaFields::Content, vsQuoted),
    TextField("NAME=", &TMetaFields::Name, vsQuoted),
    TextField("URL=", &TMetaFields::Url, vsQuoted),
};

} // namespace

QStringList MetaWords()
{
    return {QStringLiteral("Expires"), QStringLiteral("Reply-to"), QStringLiteral("Keywords"),
            QStringLiteral("PICS-Label")};
}

void FillMetaFields(TMetaFields &fields, const QString &tag)
{
    ReadFields<TMetaFields>(fields, MetaSpecs, tag);
}

TMetaFields OpenMetaFields(const TDialogContext &context)
{
    TMetaFields fields;
    if (context.IsEdit())
        FillMetaFields(fields, context.EditedTag);
    return fields;
}

TTagResult BuildMetaTag(const TMetaFields &fields, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, QStringLiteral("<META>"), true);
    WriteFields<TMetaFields>(tag, MetaSpecs, fields, context);
    return {tag.Text(), QString()};
}
