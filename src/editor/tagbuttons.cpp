#include "editor/tagbuttons.h"

#include "platform/programfolder.h"
#include "editor/tagtext.h"
#include "common/textfile.h"
#include "platform/configstore.h"

namespace {

const QString InputPlaceholder = QStringLiteral("%INPUT%");

struct TPageInfo
{
    const char *Caption;
    const char *VisibleValue; // "" for the page that is always shown
    bool DefaultVisible;
};

const TPageInfo Pages[SpeedbarPageCount] = {
    {"QuickTab", "", true},
    {"Fonts", "Fonts_Visible", true},
    {"Tables", "Tables_Visible", true},
    {"Frames", "Frames_Visible", true},
    {"Lists", "Lists_Visible", true},
    {"Styles", "Styles_Visible", true},
    {"Advanced", "Advanced_Visible", true},
    {"Tag List", "TagList_Visible", false},
    {"Apps", "Apps_Visible", true},
    {"Custom 1", "Custom1_Visible", true},
    {"Custom 2", "Custom2_Visible", false},
    {"Custom 3", "Custom3_Visible", false},
    {"Custom 4", "Custom4_Visible", false},
    {"Custom 5", "Custom5_Visible", false},
};

bool ValidPage(int page)
{
    return page >= 0 && page < SpeedbarPageCount;
}

QList<TSpeedbarButtonDef> BuildSpeedbarButtons()
{
    QList<TSpeedbarButtonDef> list;
    const auto simple = [&list](TSpeedbarPage page, const char *name, const char *hint, const char *caption,
                                const QString &start, const QString &end = QString()) {
        TSpeedbarButtonDef b;
        b.Page = page;
        b.Name = QLatin1String(name);
        b.Hint = QLatin1String(hint);
        b.Caption = QLatin1String(caption);
        b.TagStart = start;
        b.TagEnd = end;
        list.append(b);
    };
    const auto prompt = [&list](TSpeedbarPage page, const char *name, const char *hint, const char *promptText,
                                const QString &start, const QString &end) {
        TSpeedbarButtonDef b;
        b.Page = page;
        b.Name = QLatin1String(name);
        b.Hint = QLatin1String(hint);
        b.Action = krPrompt;
        b.PromptText = QLatin1String(promptText);
        b.TagStart = start;
        b.TagEnd = end;
        list.append(b);
    };
    const auto dialog = [&list](TSpeedbarPage page, const char *name, const char *hint, const char *caption,
                                TTagButtonAction action) {
        TSpeedbarButtonDef b;
        b.Page = page;
        b.Name = QLatin1String(name);
        b.Hint = QLatin1String(hint);
        b.Caption = QLatin1String(caption);
        b.Action = action;
        list.append(b);
    };
    const auto command = [&list](TSpeedbarPage page, const char *name, const char *hint, TSpeedbarCommand c) {
        TSpeedbarButtonDef b;
        b.Page = page;
        b.Name = QLatin1String(name);
        b.Hint = QLatin1String(hint);
        b.Command = c;
        list.append(b);
    };
    const auto atStart = [&list]() { list.last().SetAtStart = true; };

    // QuickTab
    dialog(spQuickTab, "spdQuickStart", "Quick Start", "", krQuickStart);
    dialog(spQuickTab, "spdBody", "Body", "", krBody);
    simple(spQuickTab, "spdBold", "Bold", "", QStringLiteral("<B>"), QStringLiteral("</B>"));
    simple(spQuickTab, "spdItalics", "Italics", "", QStringLiteral("<I>"), QStringLiteral("</I>"));
    simple(spQuickTab, "spdUnderline", "Underline", "", QStringLiteral("<U>"), QStringLiteral("</U>"));
    simple(spQuickTab, "spdParagraph", "Paragraph", "", QStringLiteral("<P>"));
    simple(spQuickTab, "spdBreak", "Break", "BR", QStringLiteral("<BR>"));
    simple(spQuickTab, "spdCenter", "Center", "", QStringLiteral("<CENTER>"), QStringLiteral("</CENTER>"));
    simple(spQuickTab, "spdRightJustify", "Right Justify", "", QStringLiteral("<P ALIGN=RIGHT>"),
           QStringLiteral("</P>"));
    simple(spQuickTab, "spdNbsp", "Non-breaking space", "nb", QStringLiteral("&nbsp;"));
    dialog(spQuickTab, "spdQuickAnchor", "QuickAnchor", "", krAnchor);
    prompt(spQuickTab, "spdEmail", "E-mail", "E-mail Address", QStringLiteral("<A HREF=\"mailto:%INPUT%\">"),
           QStringLiteral("</A>"));
    dialog(spQuickTab, "spdQuickImage", "QuickImage", "", krImage);
    dialog(spQuickTab, "spdQuickRule", "Quick Rule", "", krHorzRule);
    dialog(spQuickTab, "spdComment", "Comment", "", krComment);

    // Fonts
    dialog(spFonts, "spdQuickFont", "QuickFont", "", krFont);
    prompt(spFonts, "spdBaseFont", "Base font size", "Base Font Size", QStringLiteral("<BASEFONT SIZE=\""),
           QStringLiteral("\">"));
    simple(spFonts, "spdFontPlus", "Font size +1", "", QStringLiteral("<FONT SIZE=\"+1\">"),
           QStringLiteral("</FONT>"));
    simple(spFonts, "spdFontMinus", "Font size -1", "", QStringLiteral("<FONT SIZE=\"-1\">"),
           QStringLiteral("</FONT>"));
    simple(spFonts, "spdSub", "Subscript", "sub", QStringLiteral("<SUB>"), QStringLiteral("</SUB>"));
    simple(spFonts, "spdSup", "Superscript", "sup", QStringLiteral("<SUP>"), QStringLiteral("</SUP>"));
    simple(spFonts, "spdStrong", "Strong", "S", QStringLiteral("<STRONG>"), QStringLiteral("</STRONG>"));
    simple(spFonts, "spdEmphasis", "Emphasis", "EM", QStringLiteral("<EM>"), QStringLiteral("</EM>"));
    for (int h = 1; h <= 6; ++h) {
        const QByteArray name = "spdH" + QByteArray::number(h);
        const QByteArray hint = "Heading " + QByteArray::number(h);
        const QByteArray caption = "H" + QByteArray::number(h);
        simple(spFonts, name.constData(), hint.constData(), caption.constData(),
               QStringLiteral("<H%1>").arg(h), QStringLiteral("</H%1>").arg(h));
    }
    simple(spFonts, "spdPre", "Preformatted text", "PRE", QStringLiteral("<PRE>"), QStringLiteral("</PRE>"));

    // Tables
    command(spTables, "spdQuickTable", "QuickTable", scQuickTable);
    dialog(spTables, "spdTableWizard", "Table wizard", "", krTableWizard);
    dialog(spTables, "spdTable", "Table", "tbl", krTable);
    dialog(spTables, "spdTableRow", "Table row", "tr", krTableRow);
    dialog(spTables, "spdTableHeader", "Table header", "th", krTableHeader);
    dialog(spTables, "spdTableData", "Table data", "td", krTableData);
    simple(spTables, "spdTableCaption", "Table caption", "cap", QStringLiteral("<CAPTION>"),
           QStringLiteral("</CAPTION>"));

    // Frames
    dialog(spFrames, "spdFrameWizard", "Frame wizard", "", krFrameWizard);
    dialog(spFrames, "spdFrameset", "Frameset", "set", krFrameSet);
    dialog(spFrames, "spdFrame", "Frame", "fra", krFrame);
    dialog(spFrames, "spdFloatingFrame", "Floating Frame (MSIE)", "if", krFloatingFrame);
    simple(spFrames, "spdNoframes", "Noframes", "no", QStringLiteral("<NOFRAMES>"), QStringLiteral("</NOFRAMES>"));

    // Lists
    dialog(spLists, "spdQuickList", "QuickList", "", krList);
    simple(spLists, "spdListItem", "List item", "LI", QStringLiteral("<LI>"));
    simple(spLists, "spdDefList", "Definition list", "", QString());
    atStart();
    simple(spLists, "spdDefTerm", "Definition term", "DT", QStringLiteral("<DT>"));
    simple(spLists, "spdDefinition", "Definition", "DD", QStringLiteral("<DD>"));
    simple(spLists, "spdMenu", "Menu", "M", QStringLiteral("<MENU>"), QStringLiteral("</MENU>"));

    // Advanced
    prompt(spAdvanced, "spdFormAction", "Form action", "Form Action", QString(), QString());
    atStart();
    dialog(spAdvanced, "spdFormElement", "Form element", "", krFormElement);
    prompt(spAdvanced, "spdImageMap", "Image Map", "Map Name", QString(), QString());
    atStart();
    dialog(spAdvanced, "spdMeta", "META", "met", krMeta);
    command(spAdvanced, "spdScript", "Script", scScript);
    simple(spAdvanced, "spdObject", "Object", "obj", QStringLiteral("<OBJECT>"), QStringLiteral("</OBJECT>"));
    return list;
}

} // namespace

bool IsDialogAction(TTagButtonAction action)
{
    return action != krSimpleTag && action != krPrompt && action != krColor;
}

// ---- Pages ----

QString SpeedbarKey()
{
    return PendwickKey(u"Speedbar");
}

QString SpeedbarPageCaption(int page)
{
    return ValidPage(page) ? QLatin1String(Pages[page].Caption) : QString();
}

QString SpeedbarVisibleValueName(int page)
{
    return ValidPage(page) ? QLatin1String(Pages[page].VisibleValue) : QString();
}

bool SpeedbarPageDefaultVisible(int page)
{
    return ValidPage(page) && Pages[page].DefaultVisible;
}

bool ReadSpeedbarPageVisible(int page)
{
    const QString name = SpeedbarVisibleValueName(page);
    if (name.isEmpty())
        return page == spQuickTab;
    return ConfigStore::ReadBool(SpeedbarKey(), name, SpeedbarPageDefaultVisible(page));
}

// ---- Built-in buttons ----

const QList<TSpeedbarButtonDef> &SpeedbarButtons()
{
    static const QList<TSpeedbarButtonDef> buttons = BuildSpeedbarButtons();
    return buttons;
}

std::optional<TTagResult> StartUpButtonTags(const QString &name)
{
    const QString crlf = QStringLiteral("\r\n");
    if (name == QLatin1String("spdDefList"))
        return TTagResult{TagCase(QStringLiteral("<DL>") + crlf + QStringLiteral("\t<DT> <DD>") + crlf),
                        TagCase(QStringLiteral("</DL>") + crlf)};
    if (name == QLatin1String("spdFormAction"))
        return TTagResult{TagCase(QStringLiteral("<FORM METHOD=POST ACTION=\"")),
                        TagCase(QStringLiteral("\">") + crlf + QStringLiteral("</FORM>") + crlf)};
    if (name == QLatin1String("spdImageMap"))
        return TTagResult{TagCase(QStringLiteral("<MAP NAME=\"") + InputPlaceholder + QStringLiteral("\">")),
                        TagCase(crlf + QStringLiteral("\t<AREA SHAPE=\"\" COORDS=\"\" HREF=\"\">") + crlf +
                                QStringLiteral("</MAP>"))};
    return std::nullopt;
}

// ---- What a click inserts ----

TTagResult SimpleTagInsertion(const QString &tagStart, const QString &tagEnd)
{
    if (tagStart.startsWith(u'&'))
        return {tagStart, QString()};
    return {TagCase(tagStart), TagCase(tagEnd)};
}

QString PromptButtonPrompt(const QString &promptText)
{
    return QStringLiteral("Enter ") + promptText;
}

TTagResult PromptInsertion(const QString &tagStart, const QString &tagEnd, const QString &answer)
{
    QString start = TagCase(tagStart);
    const qsizetype at = start.indexOf(InputPlaceholder, 0, Qt::CaseInsensitive);
    if (at >= 0)
        start.replace(at, InputPlaceholder.size(), answer);
    else
        start += answer;
    return {start, TagCase(tagEnd)};
}

// ---- User-defined tag bars ----

TTagBarSlot NewTagBarSlot(int n)
{
    TTagBarSlot slot;
    slot.Caption = QStringLiteral("C%1").arg(n);
    slot.Hint = QStringLiteral("Custom %1").arg(n);
    return slot;
}

TTagBarData NewTagBar()
{
    TTagBarData bar;
    for (int n = 0; n < TagBarSlotCount; ++n)
        bar.Slots[size_t(n)] = NewTagBarSlot(n);
    return bar;
}

int VisibleCount(const TTagBarData &bar)
{
    int k = 0;
    while (k < TagBarSlotCount && bar.Slots[size_t(k)].Visible)
        ++k;
    return k;
}

QString CustomBarLocation(int n)
{
    const QString key = PendwickKey(u"CustomButtons");
    return n <= 1 ? key : key + QString::number(n);
}

namespace {
QString ButtonValue(int n, const char *what)
{
    return QStringLiteral("Button%1_").arg(n) + QLatin1String(what);
}
} // namespace

void ReadTagBar(const QString &location, TTagBarData &bar)
{
    const QString notFound = QStringLiteral("NOT_FOUND");
    bar.ToolbarName = ConfigStore::Read(location, QStringLiteral("ToolbarName"), QString());
    for (int n = 0; n < TagBarSlotCount; ++n) {
        const QString caption = ConfigStore::Read(location, ButtonValue(n, "Caption"), notFound);
        if (caption == notFound)
            break;
        TTagBarSlot &slot = bar.Slots[size_t(n)];
        slot.Hint = ConfigStore::Read(location, ButtonValue(n, "Hint"), QStringLiteral("Custom %1").arg(n));
        // Anything that is not a number, and a negative number, means no image.
        const int glyph = ConfigStore::ParseInt(ConfigStore::Read(location, ButtonValue(n, "Glyph"),
                                                                  QStringLiteral("0")), 0);
        slot.GlyphIndex = glyph > 0 ? glyph : 0;
        slot.TagStart = ConfigStore::Read(location, ButtonValue(n, "StartTag"), QString());
        slot.TagEnd = ConfigStore::Read(location, ButtonValue(n, "EndTag"), QString());
        slot.Caption = slot.GlyphIndex != 0 ? QString() : caption;
        slot.Visible = true;
    }
}

void WriteTagBar(const QString &location, const TTagBarData &bar)
{
    ConfigStore::EraseKey(location);
    ConfigStore::Write(location, QStringLiteral("ToolbarName"), bar.ToolbarName);
    for (int n = 0; n < TagBarSlotCount && bar.Slots[size_t(n)].Visible; ++n) {
        const TTagBarSlot &slot = bar.Slots[size_t(n)];
        ConfigStore::Write(location, ButtonValue(n, "Caption"), slot.Caption);
        ConfigStore::Write(location, ButtonValue(n, "Hint"), slot.Hint);
        ConfigStore::Write(location, ButtonValue(n, "Glyph"), QString::number(slot.GlyphIndex));
        ConfigStore::Write(location, ButtonValue(n, "StartTag"), slot.TagStart);
        ConfigStore::Write(location, ButtonValue(n, "EndTag"), slot.TagEnd);
    }
}

QString LimitText(const QString &text, int maxLength)
{
    return text.size() > maxLength ? text.left(maxLength) : text;
}

// ---- The "Custom Buttons" dialog ----

TTagBarEditor::TTagBarEditor(const TTagBarData &bar, int glyphCount)
    : m_bar(bar), m_glyphCount(glyphCount > 0 ? glyphCount : 0),
      m_name(LimitText(bar.ToolbarName, ToolbarNameMaxLength))
{
    if (VisibleCount(m_bar) > 0) {
        m_current = 0;
        ShowFields();
    }
}

void TTagBarEditor::SetToolbarName(const QString &name)
{
    m_name = LimitText(name, ToolbarNameMaxLength);
}

void TTagBarEditor::SetHint(const QString &hint)
{
    m_fields.Hint = LimitText(hint, HintMaxLength);
}

void TTagBarEditor::SetTagStart(const QString &text)
{
    m_fields.TagStart = LimitText(text, TagTextMaxLength);
}

void TTagBarEditor::SetTagEnd(const QString &text)
{
    m_fields.TagEnd = LimitText(text, TagTextMaxLength);
}

void TTagBarEditor::CaptionEdited(const QString &caption)
{
    m_fields.Caption = LimitText(caption, CaptionMaxLength);
    m_fields.Glyph = 0;
}

void TTagBarEditor::GlyphChosen(int entry)
{
    if (entry < 0 || entry > m_glyphCount)
        entry = 0;
    m_fields.Glyph = entry;
    if (m_current < 0)
        return;
    TTagBarSlot &slot = m_bar.Slots[size_t(m_current)];
    // "No image" leaves the caption alone: the button has to show something.
    if (entry > 0) {
        m_fields.Caption.clear();
        slot.Caption.clear();
    }
    slot.GlyphIndex = entry;
}

void TTagBarEditor::StoreFields()
{
    if (m_current < 0)
        return;
    TTagBarSlot &slot = m_bar.Slots[size_t(m_current)];
    slot.Caption = m_fields.Caption;
    slot.Hint = m_fields.Hint;
    slot.TagStart = m_fields.TagStart;
    slot.TagEnd = m_fields.TagEnd;
    slot.GlyphIndex = m_fields.Caption.isEmpty() ? m_fields.Glyph : 0;
}

void TTagBarEditor::Select(int index)
{
    if (index < 0 || index >= VisibleCount(m_bar))
        return;
    StoreFields();
    m_current = index;
    ShowFields();
}

bool TTagBarEditor::Add()
{
    const int n = VisibleCount(m_bar);
    if (n >= MaxCustomizedButtons)
        return false;
    StoreFields();
    m_bar.Slots[size_t(n)] = NewTagBarSlot(n);
    m_bar.Slots[size_t(n)].Visible = true;
    m_current = n;
    ShowFields();
    return true;
}

bool TTagBarEditor::Delete()
{
    const int count = VisibleCount(m_bar);
    if (count == 0 || m_current < 0)
        return false;
    StoreFields();
    for (int n = m_current; n < TagBarSlotCount - 1; ++n) {
        TTagBarSlot &to = m_bar.Slots[size_t(n)];
        const TTagBarSlot &from = m_bar.Slots[size_t(n + 1)];
        to.Caption = from.Caption;
        to.Hint = from.Hint;
        to.GlyphIndex = from.GlyphIndex;
        to.TagStart = from.TagStart;
        to.TagEnd = from.TagEnd;
    }
    m_bar.Slots[size_t(count - 1)].Visible = false;
    const int left = count - 1;
    if (left == 0) {
        m_current = -1;
        ClearFields();
        return true;
    }
    if (m_current >= left)
        m_current = left - 1;
    ShowFields();
    return true;
}

bool TTagBarEditor::Accept()
{
    if (m_name.isEmpty())
        return false;
    m_bar.ToolbarName = m_name;
    StoreFields();
    return true;
}

void TTagBarEditor::ShowFields()
{
    const TTagBarSlot &slot = m_bar.Slots[size_t(m_current)];
    m_fields.Caption = slot.GlyphIndex != 0 ? QString() : LimitText(slot.Caption, CaptionMaxLength);
    m_fields.Hint = LimitText(slot.Hint, HintMaxLength);
    m_fields.TagStart = LimitText(slot.TagStart, TagTextMaxLength);
    m_fields.TagEnd = LimitText(slot.TagEnd, TagTextMaxLength);
    m_fields.Glyph = (slot.GlyphIndex >= 0 && slot.GlyphIndex <= m_glyphCount) ? slot.GlyphIndex : 0;
}

void TTagBarEditor::ClearFields()
{
    m_fields = TFields();
}

// ---- Images ----

QImage RedToTransparent(const QImage &image)
{
    if (image.isNull())
        return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(line[x]) == 255 && qRed(line[x]) == 255 && qGreen(line[x]) == 0 && qBlue(line[x]) == 0)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return out;
}

QImage CustomGlyphImage(int n)
{
    if (n <= 0)
        return QImage();
    return RedToTransparent(QImage(ProgramFolder() + QStringLiteral("glyphs/GLYPH_%1.png").arg(n)));
}

QImage SpeedbarButtonImage(const QString &name)
{
    return QImage(ProgramFolder() + QStringLiteral("speedbar/") + name + QStringLiteral(".png"));
}

// ---- The "Tag List" page ----

QStringList ReadDataFileLines(const QString &fileName)
{
    QString text;
    TTextFileFormat format;
    QString error;
    if (!ReadTextFile(fileName, text, format, error) || text.isEmpty())
        return {};
    // The text holds "\n" line ends; a final line end closes the last line.
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

TTagResult SplitTagEntry(const QString &entry)
{
    const qsizetype at = entry.indexOf(QLatin1String(".."));
    if (at < 0)
        return {entry, QString()};
    return {entry.left(at), entry.mid(at + 2)};
}

TTagResult TagListInsertion(const QString &entry)
{
    const TTagResult raw = SplitTagEntry(entry);
    return {TagCase(raw.StartText), TagCase(raw.EndText)};
}

int FindEntryByFirstLetter(const QStringList &entries, int current, QChar typed, const QString &prefix)
{
    const int count = int(entries.size());
    if (count == 0)
        return -1;
    const QString wanted = prefix + typed;
    const int from = (current >= -1 && current < count) ? current + 1 : 0;
    for (int i = 0; i < count; ++i) {
        const int at = (from + i) % count;
        if (entries[at].startsWith(wanted, Qt::CaseInsensitive))
            return at;
    }
    return -1;
}
