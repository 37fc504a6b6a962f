#include "app/editcommands.h"

#include "app/mainwindow.h"
#include "dialogs/convertdialogs.h"
#include "dialogs/tablemarkup.h"
#include "editor/richhtml.h"
#include "editor/tagcommands.h"
#include "editor/tagtext.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"

TEditCommands::TEditCommands(TfMain &main) : QObject(&main), m_main(main) {}

void TEditCommands::InsertTag(const QString &startText, const QString &endText)
{
    m_main.ActiveEditor()->InsertTags(TagCase(startText), TagCase(endText), false);
}

void TEditCommands::InsertCaption(const QString &caption)
{
    if (!caption.isEmpty())
        m_main.ActiveEditor()->InsertTags(caption, QString(), false);
}

// An entity is never case-converted.
void TEditCommands::InsertNonBreakingSpace()
{
    InsertCaption(QStringLiteral("&nbsp;"));
}

void TEditCommands::SelectAll()
{
    m_main.ActiveEditor()->Select(0, m_main.ActiveEditor()->TextLength());
}

void TEditCommands::StripAllTags()
{
    // Only a Yes strips; closing the box strips nothing.
    if (MessageBox(mkWarning, QStringLiteral("This will strip all HTML tags from the current document.  Continue?"),
                   mbYes | mbNo, &m_main) == mbYes)
        m_main.ActiveEditor()->StripTags(true);
}

void TEditCommands::StripOutermostTags()
{
    TkrRichHTML *e = m_main.ActiveEditor();
    if (e->SelLength() == 0)
        return;
    // A selection that ends with a line break leaves the break in the document.
    if (e->SelText().endsWith(u'\n'))
        e->Select(e->SelStart(), e->SelLength() - 1);
    if (const std::optional<QString> result = StripOutermostText(e->SelText()))
        e->ReplaceSelection(*result);
}

void TEditCommands::ChangeCase(bool upper)
{
    TkrRichHTML *e = m_main.ActiveEditor();
    if (e->SelLength() > 0)
        e->ReplaceSelection(upper ? UppercaseAZ(e->SelText()) : LowercaseAZ(e->SelText()));
}

void TEditCommands::ConvertLines(bool table)
{
    TkrRichHTML *e = m_main.ActiveEditor();
    const std::optional<TLineConversion> choice = AskLineConversion(table, &m_main);
    if (!choice)
        return;
    TLineBlockTexts texts = LineConversionTexts(*choice);
    texts.BlockStart = TagCase(texts.BlockStart);
    texts.BlockEnd = TagCase(texts.BlockEnd);
    texts.LinePrefix = TagCase(texts.LinePrefix);
    texts.LineSuffix = TagCase(texts.LineSuffix);
    const int s = e->SelStart(), end = s + e->SelLength();
    const int first = e->LineFromChar(s);
    int last = e->LineFromChar(end);
    if (end > s && e->TextRange(end - 1, end) == QLatin1String("\n"))
        --last;
    last = std::max(first, last);
    QStringList lines;
    for (int line = first; line <= last; ++line)
        lines << e->TextRange(e->LineStart(line), e->LineStart(line) + e->LineLength(line));
    e->SelectLines(first, last);
    // The last line of the document has no line break of its own to take along.
    QString block = ConvertLinesText(lines, texts);
    if (!e->SelText().endsWith(u'\n'))
        block.chop(2);
    e->ReplaceSelection(block);
}

void TEditCommands::GoToLine()
{
    TkrRichHTML *e = m_main.ActiveEditor();
    const int count = e->LineCount();
    if (count < 1)
        return;
    QString answer;
    if (!InputQuery(QStringLiteral("Go to Line"), GoToLinePrompt(count), answer, &m_main))
        return;
    const int line = GoToLineTarget(answer, count, e->LineFromChar(e->SelStart()));
    if (line >= 0) {
        e->Select(e->LineStart(line), 0);
        e->ensureCursorVisible();
    }
}

void TEditCommands::InsertQuickTable(int rows, int columns)
{
    const TTagResult table = QuickTableText(rows, columns);
    m_main.ActiveEditor()->InsertTags(table.StartText, table.EndText, false);
}
