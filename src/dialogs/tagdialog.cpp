#include "dialogs/tagdialog.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "common/fileutils.h"
#include "common/pathutils.h"
#include "dialogs/imagetag.h"
#include "platform/configstore.h"

namespace {

constexpr QChar Quote = u'"';

// Where blank + flag stands in the tag outside quoted values, followed by a blank, ">" or
// the end of the text; -1 when nowhere. The position is that of the blank.
qsizetype FindFlag(const QString &tagText, const QString &flag)
{
    if (flag.isEmpty())
        return -1;
    TQuoteScanner scanner;
    const qsizetype n = tagText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = tagText[i];
        if (scanner.Quoted(c) || c != u' ')
            continue;
        const qsizetype end = i + 1 + flag.size();
        if (end > n || QStringView(tagText).mid(i + 1, flag.size()).compare(flag, Qt::CaseInsensitive) != 0)
            continue;
        if (end == n || tagText[end] == u' ' || tagText[end] == u'>' || tagText[end] == u'\r'
            || tagText[end] == u'\n' || tagText[end] == u'\t')
            return i;
    }
    return -1;
}

// A value in quotes. A double quote inside it would end the value early, so it is written
// as "&quot;"; a value that stood in single quotes keeps them while it holds no single
// quote of its own.
QString QuotedValue(const QString &value, QChar oldQuote)
{
    if (value.isEmpty())
        return QStringLiteral("\"\"");
    if (oldQuote == u'\'' && !value.contains(u'\''))
        return u'\'' + value + u'\'';
    QString text = value;
    text.replace(Quote, QLatin1String("&quot;"));
    return Quote + text + Quote;
}

} // namespace

// ---- building a tag

TTagBuilder::TTagBuilder(const QString &editedTag, const QString &skeleton, bool keepSkeletonCase)
    : m_edit(!editedTag.isEmpty())
{
    if (m_edit)
        m_text = editedTag;
    else
        m_text = keepSkeletonCase ? skeleton : TagCase(skeleton);
}

bool TTagBuilder::Holds(const TAttributeText &attribute, const QString &value, Qt::CaseSensitivity cs)
{
    return attribute.Found && attribute.Value.compare(value, cs) == 0;
}

void TTagBuilder::Quoted(const QString &name, const QString &value)
{
    const QString key = TagCase(name);
    const TAttributeText old = ReadAttribute(m_text, key);
    if (!Holds(old, value))
        SetAttributeValue(m_text, key, QuotedValue(value, old.Quote));
}

void TTagBuilder::Bare(const QString &name, const QString &value)
{
    const QString key = TagCase(name);
    if (!Holds(ReadAttribute(m_text, key), value))
        SetAttributeValue(m_text, key, value);
}

void TTagBuilder::QuotedIfPercent(const QString &name, const QString &value)
{
    if (value.contains(u'%'))
        Quoted(name, value);
    else
        Bare(name, value);
}

void TTagBuilder::Keyword(const QString &name, const QString &keyword)
{
    // A keyword that stands in another letter case is the same keyword.
    const QString key = TagCase(name);
    if (!Holds(ReadAttribute(m_text, key), keyword, Qt::CaseInsensitive))
        SetAttributeValue(m_text, key, TagCase(keyword));
}

void TTagBuilder::Flag(const QString &flag, bool on)
{
    const qsizetype at = FindFlag(m_text, flag);
    if (on) {
        if (at >= 0)
            return;
        const QString added = u' ' + TagCase(flag);
        const qsizetype close = TagCloseAt(m_text);
        if (close >= 0)
            m_text.insert(close, added);
        else
            m_text += added;
        return;
    }
    // Every stand-alone occurrence goes; a value that merely mentions the word stays.
    for (qsizetype p = at; p >= 0; p = FindFlag(m_text, flag))
        m_text.remove(p, 1 + flag.size());
}

bool HasFlag(const QString &tagText, const QString &flag)
{
    return FindFlag(tagText, flag) >= 0;
}

// ---- context and file references

QString BaseFolder(const QString &documentFile, const QString &filePanelFolder)
{
    if (documentFile.isEmpty())
        return filePanelFolder;
    return QFileInfo(documentFile).absolutePath();
}

QString FileReference(const QString &baseFolder, const QString &file, bool lowerCaseFiles, bool keepFileNameCase)
{
    const QString path = BackslashesToSlashes(file);
    const qsizetype slash = path.lastIndexOf(u'/');
    QString name = path.mid(slash + 1);
    if (lowerCaseFiles && !keepFileNameCase)
        name = name.toLower();
    if (slash < 0)
        return name;
    // The folder keeps its final slash, so that a reference without a base folder still
    // has one between folder and name.
    return RelativeFolder(baseFolder, path.left(slash + 1), lowerCaseFiles) + name;
}

QString LowerCaseReference(const QString &reference)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (reference.startsWith(QLatin1String("//")) || scheme.match(reference).hasMatch())
        return reference;
    qsizetype end = reference.indexOf(u'?');
    const qsizetype hash = reference.indexOf(u'#');
    if (end < 0 || (hash >= 0 && hash < end))
        end = hash;
    if (end < 0)
        return reference.toLower();
    return reference.left(end).toLower() + reference.mid(end);
}

bool IsEditedValue(const TDialogContext &context, const QString &name, const QString &value)
{
    if (!context.IsEdit())
        return false;
    const TAttributeText old = ReadAttribute(context.EditedTag, name);
    return old.Found && old.Value == value;
}

QString FileReferenceText(const TDialogContext &context, const QString &name, const QString &value)
{
    if (!context.LowerCaseFiles || IsEditedValue(context, name, value))
        return value;
    return LowerCaseReference(value);
}

// ---- insert from file

TInsertFromFile InsertFromFileFor(const QString &file, bool multimediaFormatNetscape)
{
    switch (FileKindOf(file)) {
    case fkDocument:
        return ifAnchor;
    case fkStyleSheet:
        return ifStyleLink;
    case fkImage:
        return ifImageSource;
    case fkSound:
        return multimediaFormatNetscape ? ifEmbed : ifBGSound;
    case fkVideo:
        return multimediaFormatNetscape ? ifEmbed : ifImageDynSource;
    case fkUnknown:
        break;
    }
    return ifNothing;
}

TTagResult AnchorFromFile(const TDialogContext &context, const QString &file, QString *linkTarget)
{
    const QString target = FileReference(context.BaseFolder, file, context.LowerCaseFiles);
    TTagBuilder tag(QString(), QStringLiteral("<A>"));
    tag.Quoted(QStringLiteral("HREF="), target);
    if (linkTarget)
        *linkTarget = target;
    // A new anchor's start text is the tag and its (here empty) description.
    return {tag.Text(), TagCase(QStringLiteral("</A>"))};
}

TTagResult EmbedFromFile(const TDialogContext &context, const QString &file)
{
    TTagBuilder tag(QString(), QStringLiteral("<EMBED>"));
    tag.Quoted(QStringLiteral("SRC="), FileReference(context.BaseFolder, file, context.LowerCaseFiles));
    tag.Bare(QStringLiteral("WIDTH="), QString());
    tag.Bare(QStringLiteral("HEIGHT="), QString());
    tag.Bare(QStringLiteral("BORDER="), QStringLiteral("0"));
    tag.Quoted(QStringLiteral("ALIGN="), QString());
    return {tag.Text(), QString()};
}

TTagResult BGSoundFromFile(const TDialogContext &context, const QString &file)
{
    TTagBuilder tag(QString(), QStringLiteral("<BGSOUND>"));
    tag.Quoted(QStringLiteral("SRC="), FileReference(context.BaseFolder, file, context.LowerCaseFiles));
    tag.Keyword(QStringLiteral("LOOP="), QStringLiteral("INFINITE"));
    return {tag.Text(), QString()};
}

TTagResult StyleLinkFromFile(const TDialogContext &context, const QString &file)
{
    const QString text = TagCase(QStringLiteral("<LINK REL=STYLE TYPE=")) + QStringLiteral("\"text/css\"")
        + TagCase(QStringLiteral(" SRC=\"")) + FileReference(context.BaseFolder, file, context.LowerCaseFiles)
        + QStringLiteral("\">");
    return {text, QString()};
}

TTagResult TextFromFile(const TDialogContext &context, const QString &file, bool multimediaFormatNetscape,
                        QString *linkTarget)
{
    switch (InsertFromFileFor(file, multimediaFormatNetscape)) {
    case ifAnchor:
        return AnchorFromFile(context, file, linkTarget);
    case ifStyleLink:
        return StyleLinkFromFile(context, file);
    case ifImageSource:
        return ImageFromFile(context, file, false);
    case ifImageDynSource:
        return ImageFromFile(context, file, true);
    case ifBGSound:
        return BGSoundFromFile(context, file);
    case ifEmbed:
        return EmbedFromFile(context, file);
    case ifNothing:
        break;
    }
    return {};
}

// ---- link history

QString LinkHistoryKey()
{
    return PendwickKey(u"URLHistory");
}

QStringList ReadLinkHistory()
{
    return ConfigStore::ReadList(LinkHistoryKey(), QStringLiteral("URL"), LinkHistoryReadCount);
}

QStringList PushLinkTarget(const QStringList &history, const QString &target)
{
    QStringList result;
    if (!target.isEmpty())
        result.append(target);
    for (const QString &entry : history) {
        // An empty entry would end the stored list when it is read back.
        if (entry.isEmpty() || result.contains(entry))
            continue;
        result.append(entry);
    }
    if (result.size() > LinkHistoryWriteCount)
        result.erase(result.begin() + LinkHistoryWriteCount, result.end());
    return result;
}

QStringList RememberLinkTarget(const QString &target)
{
    const QStringList stored = ReadLinkHistory();
    if (target.isEmpty())
        return stored;
    const QStringList updated = PushLinkTarget(stored, target);
    ConfigStore::WriteList(LinkHistoryKey(), QStringLiteral("URL"), updated);
    return updated;
}

QStringList ProjectLinkList(const QStringList &projectFiles, const QString &documentFolder, bool lowerCaseFiles)
{
    QStringList list;
    for (const QString &file : projectFiles)
        list.append(FileReference(documentFolder, file, lowerCaseFiles));
    return list;
}

// ---- Edit Tag

QString TagKindPopupName(TTagKind kind)
{
    switch (kind) {
    case tkAnchor: return QStringLiteral("Anchor");
    case tkBGSound: return QStringLiteral("BGSound");
    case tkBody: return QStringLiteral("Body");
    case tkComment: return QStringLiteral("Comment");
    case tkEmbed: return QStringLiteral("Embed");
    case tkFont: return QStringLiteral("Font");
    case tkFrame: return QStringLiteral("Frame");
    case tkFrameset: return QStringLiteral("Frameset");
    case tkFloatingFrame: return QStringLiteral("Floating Frame");
    case tkHorzRule: return QStringLiteral("Horz. Rule");
    case tkImage: return QStringLiteral("Image");
    case tkMarquee: return QStringLiteral("Marquee");
    case tkMeta: return QStringLiteral("Meta");
    case tkParameter: return QStringLiteral("Parameter");
    case tkScript: return QStringLiteral("Script");
    case tkTable: return QStringLiteral("Table");
    case tkTableHeader: return QStringLiteral("Table Header");
    case tkTableData: return QStringLiteral("Table Data");
    case tkTableRow: return QStringLiteral("Table Row");
    case tkObject:
    case tkNone:
        break;
    }
    return QString();
}

bool TagKindHasDialog(TTagKind kind)
{
    return !TagKindPopupName(kind).isEmpty();
}

QString EditTagCaption(TTagKind kind)
{
    const QString name = TagKindPopupName(kind);
    if (name.isEmpty())
        return QStringLiteral("Edit Tag");
    return QStringLiteral("Edit ") + name + QStringLiteral(" Tag...");
}
