#include "editor/richhtml.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QUrl>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QElapsedTimer>
#include <QTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/messagebox.h"
#include "editor/tagtext.h"
#include "editor/textops.h"
#include "platform/configstore.h"
#include "platform/dropfiles.h"

bool TkrRichHTML::s_lineChanged = false;

namespace {

constexpr int KeyWindowMargin = 256;
// Ranges up to this length are read from the blocks rather than through a cursor.
constexpr int ShortRangeLength = 65536;

// A line longer than this gets its colours only around what is shown and where it is
// edited: a layout with a format range for every tag of a line megabytes long costs many
// times the bare text's layout on every keystroke.
constexpr int LongBlock = 16384;
constexpr int LongBlockMargin = 4096;

// While a colour coding runs in the background, an Escape key pressed in one of the
// program's windows stops it (and goes no further). A modal dialog opened meanwhile keeps
// its Escape key. All other input goes where it always goes.
class TEscapeWatcher : public QObject
{
public:
    TEscapeWatcher(QObject *parent, std::function<void()> escaped)
        : QObject(parent), m_modal(QGuiApplication::modalWindow()), m_escaped(std::move(escaped))
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(this);
        Watchers().append(this);
    }
    ~TEscapeWatcher() override { Disarm(); }
    void Disarm()
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeEventFilter(this);
        m_escaped = nullptr;
        Watchers().removeAll(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !m_escaped || QGuiApplication::modalWindow() != m_modal)
            return false;
        if (static_cast<const QKeyEvent *>(event)->key() != Qt::Key_Escape)
            return false;
        // One Escape stops every run begun under the same window, not only the latest one
        // (the first filter to see the key takes it).
        QList<QPointer<TEscapeWatcher>> all;
        for (TEscapeWatcher *w : std::as_const(Watchers()))
            if (w->m_modal == m_modal)
                all.append(w);
        for (const QPointer<TEscapeWatcher> &w : all) {
            if (!w || !w->m_escaped)
                continue;
            const std::function<void()> escaped = w->m_escaped;
            escaped();
        }
        return true;
    }

private:
    static QList<TEscapeWatcher *> &Watchers()
    {
        static QList<TEscapeWatcher *> watchers;
        return watchers;
    }
    QPointer<QWindow> m_modal; // the modal window when the run began, if any
    std::function<void()> m_escaped;
};

// The line end that came before a block in the loaded file, for documents that mixed
// line-end styles. A block that an edit makes has none: its line break is new.
class TLineEndData : public QTextBlockUserData
{
public:
    explicit TLineEndData(char end) : End(end) {}
    char End;
};

// Marks a line break that no kept line end describes (it takes the file's style).
constexpr char NewLineEnd = char(-1);

// The document's raw text with its block separators as "\n".
QString WithLineBreaks(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

bool IsNonEditingKey(int key)
{
    switch (key) {
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Shift: case Qt::Key_Pause:
    case Qt::Key_CapsLock: case Qt::Key_Escape: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_End: case Qt::Key_Home: case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_Right:
    case Qt::Key_Down: case Qt::Key_Meta: case Qt::Key_Super_L: case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return key >= Qt::Key_F1 && key <= Qt::Key_F12;
    }
}

bool IsLineLeavingKey(int key)
{
    switch (key) {
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Home: case Qt::Key_Up: case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

TRedrawOff::TRedrawOff(TkrRichHTML *editor) : m_editor(editor)
{
    if (m_editor->Redraw()) {
        m_editor->SetRedraw(false);
        m_turnedOff = true;
    }
}

TRedrawOff::~TRedrawOff()
{
    if (m_turnedOff)
        m_editor->SetRedraw(true);
}

TkrRichHTML::TkrRichHTML(QWidget *parent) : QPlainTextEdit(parent)
{
    document()->setUndoRedoEnabled(false);
    setTabChangesFocus(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_styles = DefaultCodeStyles();
    connect(document(), &QTextDocument::contentsChange, this, &TkrRichHTML::OnContentsChange);
    connect(document(), &QTextDocument::modificationChanged, this, [this](bool) {
        if (!m_updating)
            emit OnModifyStatusChange(this);
    });
    SetEditorFont(m_editorFontName, m_editorFontSize);
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ColorToQColor(m_foregroundColor));
    pal.setColor(QPalette::Base, ColorToQColor(m_backgroundColor));
    setPalette(pal);
    SetTabWidth(m_tabWidth);
    SetMargins();
    StylesChanged();
    SetModified(false);
}

TkrRichHTML::~TkrRichHTML()
{
    // The document goes with the base class; nothing it reports on the way may reach us.
    document()->disconnect(this);
    m_scan.reset();
    delete m_escapeWatcher;
}

// ---- Properties ----

void TkrRichHTML::SetColorCodeMode(TColorCodeMode mode)
{
    m_colorCodeMode = mode;
    EndColorCoding();
    if (mode == ccNone) {
        m_runs.Clear();
        StylesChanged();
    } else {
        ColorCodeAll();
    }
}

void TkrRichHTML::SetFilename(const QString &name)
{
    LoadDocument(name);
}

void TkrRichHTML::SetForegroundColor(TColor c)
{
    if (c == m_foregroundColor)
        return;
    m_foregroundColor = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ColorToQColor(c));
    setPalette(pal);
    ColorCodeAll();
}

void TkrRichHTML::SetBackgroundColor(TColor c)
{
    m_backgroundColor = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ColorToQColor(c));
    setPalette(pal);
}

void TkrRichHTML::SetTabWidth(int points)
{
    m_tabWidth = points;
    const qreal dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    setTabStopDistance(std::max<qreal>(1.0, points * dpi / 72.0));
}

void TkrRichHTML::SetStyle(int kind, const TCodeStyle &style)
{
    if (kind < 0 || kind >= csCount)
        return;
    m_styles[size_t(kind)] = style;
    StylesChanged();
}

// ---- Text and selection ----

QString TkrRichHTML::Text() const
{
    // toPlainText() would turn U+00A0 into a space and U+2028 into a line break. Typing,
    // pasting and loading never leave a U+2029 inside a block (each one starts a new block),
    // so every U+2029 of the raw text is a block separator.
    return WithLineBreaks(document()->toRawText());
}

int TkrRichHTML::TextLength() const
{
    return std::max(0, document()->characterCount() - 1);
}

QString TkrRichHTML::TextRange(int from, int to) const
{
    const int n = TextLength();
    from = std::clamp(from, 0, n);
    to = std::clamp(to, from, n);
    if (from == to)
        return QString();
    if (from == 0 && to == n)
        return Text();
    if (to - from > ShortRangeLength) {
        QTextCursor c(document());
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        return WithLineBreaks(c.selectedText());
    }
    // A cursor would lay its line out again to learn its x position (and shape the line's
    // text to do so); a short range is read from the blocks instead.
    QString text;
    text.reserve(to - from);
    const QTextDocument *doc = document();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        const int start = b.position();
        const int end = start + b.length() - 1; // where its line break stands
        const int lo = std::max(from, start), hi = std::min(to, end);
        if (b.length() - 1 <= ShortRangeLength) {
            if (hi > lo)
                text += QStringView(b.text()).mid(lo - start, hi - lo);
        } else {
            // A long line is not copied whole for the few characters wanted.
            for (int i = lo; i < hi; ++i)
                text += doc->characterAt(i);
        }
        if (end < to && end >= from)
            text += u'\n';
    }
    return text;
}

int TkrRichHTML::SelStart() const
{
    return textCursor().selectionStart();
}

int TkrRichHTML::SelLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

QString TkrRichHTML::SelText() const
{
    return WithLineBreaks(textCursor().selectedText());
}

void TkrRichHTML::Select(int start, int length)
{
    const int n = TextLength();
    start = std::clamp(start, 0, n);
    const int end = std::clamp(start + std::max(0, length), start, n);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

int TkrRichHTML::LineFromChar(int pos) const
{
    const QTextBlock b = document()->findBlock(std::clamp(pos, 0, TextLength()));
    return b.isValid() ? b.blockNumber() : std::max(0, document()->blockCount() - 1);
}

int TkrRichHTML::LineStart(int line) const
{
    const QTextBlock b = document()->findBlockByNumber(line);
    return b.isValid() ? b.position() : TextLength();
}

int TkrRichHTML::LineLength(int line) const
{
    const QTextBlock b = document()->findBlockByNumber(line);
    return b.isValid() ? b.length() - 1 : 0;
}

int TkrRichHTML::LineCount() const
{
    return document()->blockCount();
}

bool TkrRichHTML::Modified() const
{
    return document()->isModified();
}

void TkrRichHTML::SetModified(bool modified)
{
    const bool was = document()->isModified();
    document()->setModified(modified);
    // A change of state is reported by the document's own signal; report the rest here.
    if (was == modified && !m_updating)
        emit OnModifyStatusChange(this);
}

// ---- Editing primitives ----

QByteArray TkrRichHTML::ReplaceRange(int pos, int length, const QString &text, const QByteArray &lineEnds)
{
    const int n = TextLength();
    pos = std::clamp(pos, 0, n);
    length = std::clamp(length, 0, n - pos);
    const QByteArray removedEnds = LineEndsIn(pos, length);
    ++m_ownEdit;
    QTextCursor c(document());
    // Inside an edit block the cursor does not lay its line out to learn its x at every
    // move; the document reports the change once, when the block ends, as it would anyway.
    c.beginEditBlock();
    c.setPosition(pos);
    c.setPosition(pos + length, QTextCursor::KeepAnchor);
    if (text.isEmpty())
        c.removeSelectedText();
    else
        c.insertText(text);
    c.endEditBlock();
    --m_ownEdit;
    // A rework that keeps the number of lines (replacing, indenting, stripping) keeps the
    // line ends too.
    if (m_keepLineEnds)
        SetLineEndsIn(pos, int(text.size()), lineEnds.isEmpty() ? removedEnds : lineEnds);
    return removedEnds;
}

QByteArray TkrRichHTML::LineEndsOf(const QString &text, int pos) const
{
    QByteArray kinds;
    if (!m_keepLineEnds)
        return kinds;
    const QByteArray ends = LineEndsIn(pos, int(text.size()));
    kinds.fill(0, text.size());
    for (qsizetype i = 0, k = 0; i < text.size() && k < ends.size(); ++i)
        if (text[i] == u'\n')
            kinds[i] = ends[k++];
    return kinds;
}

QByteArray TkrRichHTML::LineEndsIn(int pos, int length) const
{
    QByteArray ends;
    if (!m_keepLineEnds)
        return ends;
    // The break at p is the one before the block that starts at p + 1.
    for (QTextBlock b = document()->findBlock(pos).next(); b.isValid() && b.position() <= pos + length;
         b = b.next()) {
        const auto *data = static_cast<const TLineEndData *>(b.userData());
        ends.append(data ? data->End : NewLineEnd);
    }
    return ends;
}

void TkrRichHTML::SetLineEndsIn(int pos, int length, const QByteArray &ends)
{
    const QTextBlock first = document()->findBlock(pos).next();
    int count = 0;
    for (QTextBlock b = first; b.isValid() && b.position() <= pos + length; b = b.next())
        ++count;
    if (count != ends.size())
        return; // other lines than before: the new breaks take the file's style
    int i = 0;
    for (QTextBlock b = first; i < count; b = b.next(), ++i)
        b.setUserData(ends.at(i) == NewLineEnd ? nullptr : new TLineEndData(ends.at(i)));
}

void TkrRichHTML::KeepLineEnds(const QString &text, const QByteArray &ends)
{
    m_keepLineEnds = !ends.isEmpty();
    qsizetype next = 0;
    for (QTextBlock b = document()->begin().next(); m_keepLineEnds && b.isValid(); b = b.next()) {
        // Each "\n" came from a line end of the file. The document also breaks lines at
        // U+FDD0 and U+FDD1, non-characters it keeps for itself: such a break is new.
        if (text.at(b.position() - 1) == u'\n' && next < ends.size())
            b.setUserData(new TLineEndData(ends.at(next++)));
    }
}

void TkrRichHTML::BindFile(const QString &name, const TTextFileFormat &format)
{
    m_filename = name;
    m_fileFormat = format;
    m_fileFormat.MixedLineEnds.clear();
    m_keepLineEnds = false;
}

TTextFileFormat TkrRichHTML::SaveFormat() const
{
    TTextFileFormat format = m_fileFormat;
    format.MixedLineEnds.clear();
    if (m_keepLineEnds) {
        format.MixedLineEnds.reserve(document()->blockCount());
        for (QTextBlock b = document()->begin().next(); b.isValid(); b = b.next()) {
            const auto *data = static_cast<const TLineEndData *>(b.userData());
            format.MixedLineEnds.append(data ? data->End : char(format.LineEnd));
        }
    }
    return format;
}

void TkrRichHTML::AddUndo(TUndoInformation step)
{
    NoteSelectionAfterChange(); // an earlier step still waiting keeps its own end
    m_undo.push_back(std::move(step));
    while (m_undo.size() > size_t(MaxUndoSteps))
        m_undo.pop_front();
    m_redo.clear();
    // The change's own code selects after recording the step: the selection is taken once
    // the event that made the change is over, or at the next Undo, whichever comes first.
    m_selectionPending = true;
    QMetaObject::invokeMethod(this, &TkrRichHTML::NoteSelectionAfterChange, Qt::QueuedConnection);
}

void TkrRichHTML::NoteSelectionAfterChange()
{
    if (!m_selectionPending || m_undo.empty())
        return;
    m_selectionPending = false;
    TUndoInformation &step = m_undo.back();
    step.SelStart = SelStart();
    step.SelLength = SelLength();
}

void TkrRichHTML::ClearHistory()
{
    m_undo.clear();
    m_redo.clear();
    m_selectionPending = false;
}

void TkrRichHTML::OnContentsChange(int from, int removed, int added)
{
    if (m_applyingFormats || (removed == 0 && added == 0))
        return;
    ++m_changeCount;
    m_runs.TextChanged(from, removed, added);
    if (m_scan)
        FollowEditInScan(from, removed, added);
    // The layout of the edited lines follows this signal: give them their colours first, so
    // they are laid out once, as in the bare control. A large change is coloured by its caller.
    if (added <= LongColorCodeRun) {
        const QSignalBlocker quiet(document()->documentLayout());
        for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() <= from + added;
             b = b.next())
            ApplyBlockFormats(b, from, from + added);
    }
    if (m_ownEdit > 0)
        return;
    if (m_keyEdit > 0) {
        // A key's change must lie within the text saved before it to be undoable exactly.
        const int slack = 1; // the document's final paragraph mark may be counted in
        if (from < m_keyChangeFrom || from + removed > m_keyWindowEnd + slack)
            m_changeUntracked = true;
        else
            m_keyWindowEnd += added - removed;
        return;
    }
    // A change from elsewhere (dragging text, input methods) that no step describes:
    // older steps would no longer fit the text, so they go.
    ClearHistory();
}

// ---- Insert ----

void TkrRichHTML::InsertTags(const QString &startText, const QString &endText, bool replaceSelection)
{
    {
        TRedrawOff redraw(this);
        const QString st = NormalizeLineBreaks(startText);
        const QString en = NormalizeLineBreaks(endText);
        const int s = SelStart();
        const int n = SelLength();
        const QString selected = SelText();
        const bool keepSelection = !m_overwriteMode && !replaceSelection;
        const QString newText = st + (keepSelection ? selected : QString()) + en;

        const QByteArray ends = ReplaceRange(s, n, newText);
        AddUndo({s, int(newText.size()), selected, ends});
        ColorCodeLines(LineFromChar(s), LineFromChar(s + int(newText.size())));
        // Wrapped text stays selected between the tags; with nothing kept the caret sits
        // after the start text.
        Select(s + int(st.size()), (!en.isEmpty() && keepSelection) ? n : 0);
    }
    if (focusPolicy() != Qt::NoFocus && isVisible())
        setFocus();
    SetModified(true);
}

QString TkrRichHTML::GetTagAtCaret(bool select)
{
    const TTagSpan tag = FindTagAtCaret(Text(), SelStart());
    if (tag.IsEmpty())
        return QString();
    if (select)
        Select(tag.Start, tag.Length);
    return TextRange(tag.Start, tag.Start + tag.Length);
}

void TkrRichHTML::ReplaceSelection(const QString &text)
{
    {
        TRedrawOff redraw(this);
        const QString normal = NormalizeLineBreaks(text);
        const int s = SelStart();
        const QString old = SelText();
        const QByteArray ends = ReplaceRange(s, SelLength(), normal);
        AddUndo({s, int(normal.size()), old, ends});
        ColorCode(s, s + int(normal.size()));
        Select(s, int(normal.size()));
    }
    SetModified(true);
}

void TkrRichHTML::ReplaceText(int pos, int length, const QString &text)
{
    {
        TRedrawOff redraw(this);
        const QString normal = NormalizeLineBreaks(text);
        pos = std::clamp(pos, 0, TextLength());
        length = std::clamp(length, 0, TextLength() - pos);
        const QString old = TextRange(pos, pos + length);
        const QByteArray ends = ReplaceRange(pos, length, normal);
        AddUndo({pos, int(normal.size()), old, ends});
        const int end = pos + int(normal.size());
        ColorCodeLines(LineFromChar(pos), LineFromChar(end));
        Select(end, 0);
    }
    SetModified(true);
}

// ---- Colour coding ----

void TkrRichHTML::ColorCodeAll()
{
    if (m_colorCodeMode == ccNone || TextLength() == 0)
        return;
    QString text = Text();
    const int n = int(text.size());
    ColorCodeText(std::move(text), 0, n);
}

void TkrRichHTML::ColorCodeLine(int line)
{
    if (m_colorCodeMode == ccNone || line < 0 || line >= LineCount())
        return;
    const int len = LineLength(line);
    if (len == 0)
        return;
    // ColorCode's end is inclusive: the line and its line break, not the next line's first
    // character.
    const int start = LineStart(line);
    ColorCode(start, start + len);
}

void TkrRichHTML::ColorCodeLines(int firstLine, int lastLine)
{
    if (m_colorCodeMode == ccNone)
        return;
    firstLine = std::clamp(firstLine, 0, LineCount() - 1);
    lastLine = std::clamp(lastLine, firstLine, LineCount() - 1);
    ColorCode(LineStart(firstLine), LineStart(lastLine) + LineLength(lastLine));
}

TTextWindow TkrRichHTML::DocumentWindow(const QString &text, int offset) const
{
    TTextWindow w;
    w.Text = text;
    w.Offset = offset;
    w.TotalLength = TextLength();
    // A tag that runs past the window is closed by searching the document itself.
    w.FindBeyond = [this](QChar ch, int from) {
        const QTextCursor c = document()->find(QString(ch), from);
        return c.isNull() ? -1 : c.selectionStart();
    };
    return w;
}

void TkrRichHTML::ColorCode(int start, int end)
{
    if (m_colorCodeMode == ccNone)
        return;
    const int n = TextLength();
    start = std::clamp(start, 0, n);
    end = std::clamp(end, start, n);
    if (start >= n)
        return;
    // The range and a margin past it: most tags that begin in the range end there.
    const int windowEnd = int(std::min<qint64>(n, qint64(end) + 2 + 512));
    const QString text = TextRange(start, windowEnd);
    const TTextWindow w = DocumentWindow(text, start);
    if (end - start > LongColorCodeRun) {
        ColorCodeWindow(w, start, end);
        return;
    }
    // A short range: only the lines it touches take new formats.
    const TColorCodeResult result = ColorCodeRuns(w, start, end, m_colorCodeMode);
    m_runs.Paint(result.ResetStart, result.ResetEnd, result.Runs);
    const int hi = result.Runs.empty() ? result.ResetEnd : std::max(result.ResetEnd, result.Runs.back().End());
    for (QTextBlock b = document()->findBlock(result.ResetStart); b.isValid() && b.position() <= hi; b = b.next())
        b.setUserState(-1);
    viewport()->update();
}

void TkrRichHTML::ColorCodeText(QString text, int start, int end)
{
    if (end - start > LongColorCodeRun) {
        // The document holds the text already; the scan reads it from there as it goes, so a
        // large page is not held twice while it is coloured.
        text = QString();
        StartColorCoding(QString(), start, start, end);
        return;
    }
    TTextWindow w;
    w.Text = text;
    w.TotalLength = int(text.size());
    ColorCodeWindow(w, start, end);
}

void TkrRichHTML::ColorCodeWindow(const TTextWindow &w, int start, int end)
{
    if (end - start > LongColorCodeRun) {
        // The scan looks on to the end of the text for the ">" of a tag running past the range.
        // The scan reads on from the document itself.
        StartColorCoding(QString(), start, start, end);
        return;
    }
    TRedrawOff redraw(this);
    const TColorCodeResult result = ColorCodeRuns(w, start, end, m_colorCodeMode);
    if (result.ResetStart == 0 && result.ResetEnd >= w.TotalLength) {
        m_runs.Clear();
        m_runs.Paint(0, 0, result.Runs);
    } else {
        m_runs.Paint(result.ResetStart, result.ResetEnd, result.Runs);
    }
    StylesChanged();
}

// ---- Colour coding in the background ----

namespace {
constexpr int ScanSliceLength = 16384; // characters coloured in one step
constexpr int ScanSliceMs = 8;         // time given to the colouring before input is seen to
} // namespace

void TkrRichHTML::StartColorCoding(QString text, int offset, int start, int end)
{
    if (m_scan) {
        // Still running: one scan goes on over both ranges, from the earlier start.
        const int from = std::min(start, m_scan->Frontier());
        end = std::max(end, m_scan->RangeEnd() - 1);
        if (from < offset) {
            text.clear(); // read again from the document as the scan goes on
            offset = from;
        } else {
            text.remove(0, from - offset);
            offset = from;
        }
        start = from;
        m_scan.reset();
    }
    // The scan reads the document on from the text it is given, a piece at a time.
    m_scan = std::make_unique<TColorCodeScan>(std::move(text), offset, start, end, m_colorCodeMode, TextLength(),
                                              [this](int from, int to) { return TextRange(from, to); });
    m_aheadColoured = {0, 0};
    m_progressCaption = QStringLiteral("Color coding...");
    m_lastProgress = 0;
    SetProgress(0);
    if (!m_scan)
        return; // the progress report restarted or ended it
    // What is on screen is coloured at once; when that is not the start of the range, it is
    // coloured again when the scan gets there.
    ColorCodeStep(std::max(ScanSliceLength, VisibleRange().second - m_scan->Frontier()));
    if (ColorCodeVisibleAhead())
        viewport()->update();
    if (m_scan->Done()) {
        EndColorCoding();
        return;
    }
    if (!m_escapeWatcher)
        m_escapeWatcher = new TEscapeWatcher(this, [this] { StopColorCoding(); });
    if (!m_scanTimer) {
        m_scanTimer = new QTimer(this);
        m_scanTimer->setInterval(0);
        connect(m_scanTimer, &QTimer::timeout, this, &TkrRichHTML::ColorCodeSlice);
    }
    m_scanTimer->start();
}

void TkrRichHTML::ColorCodeStep(int length)
{
    const TColorCodeResult r = m_scan->Next(length);
    m_runs.Paint(r.ResetStart, r.ResetEnd, r.Runs);
    ++m_formatEpoch; // blocks apply their colours again when next painted
    const auto [first, last] = VisibleRange();
    if (r.ResetStart < last && r.ResetEnd >= first)
        viewport()->update();
}

void TkrRichHTML::ColorCodeSlice()
{
    if (!m_scan || m_inSlice)
        return; // a dialog opened from a progress report runs its own event loop
    {
        const QScopedValueRollback guard(m_inSlice, true);
        QElapsedTimer t;
        t.start();
        do
            ColorCodeStep(ScanSliceLength);
        while (!m_scan->Done() && t.elapsed() < ScanSliceMs);
    }
    if (m_scan->Done()) {
        EndColorCoding();
        return;
    }
    if (ColorCodeVisibleAhead())
        viewport()->update();
    const int span = std::max(1, m_scan->RangeEnd() - m_scan->Start());
    const int percent = int(qint64(m_scan->Frontier() - m_scan->Start()) * 100 / span);
    if (percent != m_lastProgress) {
        m_lastProgress = percent;
        SetProgress(percent); // the last thing: whoever hears it may do anything
    }
}

void TkrRichHTML::EndColorCoding()
{
    if (!m_scan)
        return;
    m_scan.reset();
    if (m_scanTimer)
        m_scanTimer->stop();
    if (m_escapeWatcher) {
        static_cast<TEscapeWatcher *>(m_escapeWatcher)->Disarm();
        m_escapeWatcher->deleteLater(); // it may be the one that called
        m_escapeWatcher = nullptr;
    }
    viewport()->update();
    EndProgress();
}

void TkrRichHTML::EndProgress()
{
    m_progressCaption.clear();
    m_lastProgress = -1;
    SetProgress(100);
}

void TkrRichHTML::FinishColorCoding()
{
    if (!m_scan)
        return;
    while (!m_scan->Done())
        ColorCodeStep(0);
    EndColorCoding();
}

void TkrRichHTML::StopColorCoding()
{
    EndColorCoding();
}

int TkrRichHTML::ColorCodedUpTo() const
{
    return m_scan ? m_scan->Frontier() : TextLength();
}

std::pair<int, int> TkrRichHTML::VisibleRange() const
{
    QTextBlock b = firstVisibleBlock();
    if (!b.isValid())
        return {0, 0};
    const int first = b.position();
    qreal top = blockBoundingGeometry(b).translated(contentOffset()).top();
    const qreal bottom = viewport()->height();
    int last = first;
    while (b.isValid() && top <= bottom) {
        last = b.position() + b.length();
        top += blockBoundingRect(b).height();
        b = b.next();
    }
    return {first, last};
}

bool TkrRichHTML::ColorCodeVisibleAhead()
{
    if (!m_scan || m_colorCodeMode == ccNone)
        return false;
    const int n = TextLength();
    auto [first, last] = VisibleRange();
    first = std::max(first, m_scan->Frontier());
    last = std::min(last, n);
    // Lines of a screen; a page on one long line is left to the scan.
    if (last - first <= 0 || last - first > 4 * ScanSliceLength
        || (first >= m_aheadColoured.first && last <= m_aheadColoured.second))
        return false;
    m_aheadColoured = {first, last};
    // As ColorCode colours lines, at once, whatever the length.
    const QString text = TextRange(first, std::min(n, last + 512));
    const TTextWindow w = DocumentWindow(text, first);
    const TColorCodeResult r = ColorCodeRuns(w, first, last - 1, m_colorCodeMode);
    m_runs.Paint(r.ResetStart, r.ResetEnd, r.Runs);
    ++m_formatEpoch;
    return true;
}

void TkrRichHTML::FollowEditInScan(int from, int removed, int added)
{
    // The document may count its final paragraph mark in; the lengths tell the true change.
    const int n = TextLength();
    const int delta = n - m_scan->TextLength();
    added = std::clamp(added, 0, std::max(0, n - from));
    removed = std::max(0, added - delta);
    m_scan->TextChanged(from, removed, added,
                        m_scan->NeedsText(from, removed) ? TextRange(from, from + added) : QString());
}

void TkrRichHTML::StylesChanged()
{
    for (int i = 0; i < csCount; ++i) {
        QTextCharFormat f;
        f.setForeground(ColorToQColor(m_styles[size_t(i)].Color));
        const int fx = m_styles[size_t(i)].Effects;
        f.setFontWeight((fx & feBold) ? QFont::Bold : QFont::Normal);
        f.setFontItalic(fx & feItalic);
        f.setFontUnderline(fx & feUnderline);
        m_formats[size_t(i)] = f;
    }
    ++m_formatEpoch;
    m_longBlockStretch.clear();
    viewport()->update();
}

QList<QTextLayout::FormatRange> TkrRichHTML::FormatsFor(const QTextBlock &block, int from, int to) const
{
    QList<QTextLayout::FormatRange> ranges;
    if (m_colorCodeMode == ccNone)
        return ranges;
    const int pos = block.position();
    for (const TStyleRun &r : m_runs.RunsIn(pos + from, pos + to)) {
        QTextLayout::FormatRange fr;
        fr.start = r.Start - pos;
        fr.length = r.Length;
        fr.format = m_formats[std::min<size_t>(r.Style, csCount - 1)];
        ranges.append(fr);
    }
    return ranges;
}

std::pair<int, int> TkrRichHTML::ShownStretch(const QTextBlock &block) const
{
    // Within the block: what the viewport shows of it, as far as its last layout tells.
    const QTextLayout *layout = block.layout();
    const int len = block.length() - 1;
    if (!layout || layout->lineCount() == 0)
        return {0, 0};
    const qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const qreal height = viewport()->height();
    int a = len, b = 0;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const qreal y = top + line.y();
        if (y + line.height() < 0 || y > height)
            continue;
        const qreal x0 = horizontalScrollBar()->value();
        const int s = line.xToCursor(x0), e = line.xToCursor(x0 + viewport()->width());
        a = std::min(a, std::min(s, e));
        b = std::max(b, std::max(s, e));
    }
    return a <= b ? std::pair{a, b} : std::pair{0, 0};
}

void TkrRichHTML::ApplyBlockFormats(const QTextBlock &block, int editFrom, int editTo)
{
    if (!block.isValid())
        return;
    const bool edited = editFrom >= 0;
    const int len = block.length() - 1;
    const bool longBlock = len > LongBlock;
    QTextLayout *layout = block.layout();
    std::pair<int, int> want{0, len};
    if (longBlock) {
        // Colours around the shown part, the caret and the edit; the rest of the line is
        // laid out plain until it is shown.
        const int pos = block.position();
        std::pair<int, int> shown = ShownStretch(block);
        int a = shown.first, b = shown.second;
        const int caret = textCursor().position() - pos;
        if (caret >= 0 && caret <= len) {
            a = shown.first == shown.second ? caret : std::min(a, caret);
            b = std::max(b, caret);
        }
        if (edited) {
            a = std::min(a, std::max(0, editFrom - pos));
            b = std::max(b, std::min(len, editTo - pos));
        }
        const auto have = m_longBlockStretch.value(layout, {-1, -1});
        if (!edited && block.userState() == m_formatEpoch && have.first <= a && b <= have.second)
            return;
        want = {std::max(0, a - LongBlockMargin), std::min(len, b + LongBlockMargin)};
    } else if (!edited && block.userState() == m_formatEpoch) {
        return;
    }
    QTextBlock b = block;
    const QList<QTextLayout::FormatRange> ranges = FormatsFor(b, want.first, want.second);
    if (longBlock)
        m_longBlockStretch.insert(layout, want);
    else
        m_longBlockStretch.remove(layout);
    if (layout && layout->formats() != ranges) {
        m_applyingFormats = true;
        layout->setFormats(ranges);
        if (!edited)
            document()->markContentsDirty(b.position(), b.length());
        m_applyingFormats = false;
    }
    b.setUserState(m_formatEpoch);
}

void TkrRichHTML::ApplyVisibleFormats()
{
    // Painting follows at once and draws the new formats: the layout need not ask for
    // another repaint of its own.
    const QSignalBlocker quiet(document()->documentLayout());
    QTextBlock b = firstVisibleBlock();
    if (!b.isValid())
        return;
    const QPointF offset = contentOffset();
    ApplyBlockFormats(b);
    qreal top = blockBoundingGeometry(b).translated(offset).top();
    const qreal bottom = viewport()->height();
    while (b.isValid() && top <= bottom) {
        ApplyBlockFormats(b);
        top += blockBoundingRect(b).height();
        b = b.next();
    }
}

TStyleRuns TkrRichHTML::StyleRunsIn(int from, int to) const
{
    // Colours are read whole: a colouring still running is finished first.
    if (m_scan)
        const_cast<TkrRichHTML *>(this)->FinishColorCoding();
    return m_runs.RunsIn(from, to);
}

QList<QTextLayout::FormatRange> TkrRichHTML::LineFormats(int line)
{
    FinishColorCoding();
    const QTextBlock b = document()->findBlockByNumber(line);
    ApplyBlockFormats(b);
    return b.isValid() && b.layout() ? b.layout()->formats() : QList<QTextLayout::FormatRange>();
}

void TkrRichHTML::paintEvent(QPaintEvent *e)
{
    if (m_scan && !m_inSlice) {
        // Scrolled ahead of the background colouring: what comes on screen is coloured now.
        const QSignalBlocker quiet(document()->documentLayout());
        ColorCodeVisibleAhead();
    }
    ApplyVisibleFormats();
    QPlainTextEdit::paintEvent(e);
}

// ---- Keyboard, clipboard, undo ----

void TkrRichHTML::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers mods =
        e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        ToggleInsertMode();
        e->accept();
        return;
    }
    if ((key == Qt::Key_Insert && mods == Qt::ShiftModifier) || e->matches(QKeySequence::Paste)) {
        Paste();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Cut)) {
        Cut();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Undo)) {
        Undo();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Redo) || (key == Qt::Key_Y && mods == Qt::ControlModifier)) {
        Redo();
        e->accept();
        return;
    }
    const bool ctrlOrAlt = mods & (Qt::ControlModifier | Qt::AltModifier);
    // Leaving an edited line colours it again (the caret has not moved yet).
    if (!ctrlOrAlt && m_colorCodeMode != ccNone && s_lineChanged && IsLineLeavingKey(key)) {
        ColorCodeLine(LineFromChar(textCursor().position()));
        s_lineChanged = false;
    }

    // Keep the text around the selection, to record exactly what the key changes.
    const int n0 = TextLength();
    const int w0 = std::max(0, SelStart() - KeyWindowMargin);
    const int w1 = std::min(n0, SelStart() + SelLength() + KeyWindowMargin);
    const QString before = TextRange(w0, w1);
    const QByteArray beforeEnds = LineEndsOf(before, w0);
    const int changes = m_changeCount;
    m_keyChangeFrom = w0;
    m_keyWindowEnd = w1;
    m_changeUntracked = false;
    // Shift+Enter would put a U+2028 inside the line; it breaks the line as Enter does.
    std::optional<QKeyEvent> enter;
    if (e->matches(QKeySequence::InsertLineSeparator))
        enter.emplace(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->nativeScanCode(),
                      e->nativeVirtualKey(), e->nativeModifiers(), e->text(), e->isAutoRepeat(), e->count());
    ++m_keyEdit;
    QPlainTextEdit::keyPressEvent(enter ? &*enter : e);
    --m_keyEdit;
    if (enter)
        e->setAccepted(enter->isAccepted());
    if (m_changeCount == changes)
        return; // nothing changed: no step, not modified

    if (m_changeUntracked) {
        ClearHistory();
    } else {
        const int n1 = TextLength();
        const QString after = TextRange(w0, std::max(w0, w1 + (n1 - n0)));
        const QByteArray afterEnds = LineEndsOf(after, w0);
        // Line breaks with different kept line ends differ, so the step names the very
        // break that went.
        const auto same = [&](qsizetype i, qsizetype k) {
            return before[i] == after[k] && (beforeEnds.isEmpty() || beforeEnds[i] == afterEnds[k]);
        };
        int p = 0;
        const int maxP = int(std::min(before.size(), after.size()));
        while (p < maxP && same(p, p))
            ++p;
        int s = 0;
        while (s < maxP - p && same(before.size() - 1 - s, after.size() - 1 - s))
            ++s;
        const qsizetype removed = before.size() - p - s;
        QByteArray removedEnds;
        for (qsizetype i = p; i < p + removed && !beforeEnds.isEmpty(); ++i)
            if (before[i] == u'\n')
                removedEnds.append(beforeEnds[i]);
        AddUndo({w0 + p, int(after.size()) - p - s, before.mid(p, removed), removedEnds});
    }
    if (!ctrlOrAlt && !IsNonEditingKey(key))
        s_lineChanged = true;
    SetModified(true);
}

void TkrRichHTML::ToggleInsertMode()
{
    m_overwriteMode = !m_overwriteMode;
    setOverwriteMode(m_overwriteMode);
    emit OnInsertModeChange(this, !m_overwriteMode);
}

bool TkrRichHTML::CanPaste() const
{
    const QMimeData *md = QGuiApplication::clipboard()->mimeData();
    return md && md->hasText();
}

void TkrRichHTML::Cut()
{
    const int n = SelLength();
    if (n == 0 || isReadOnly())
        return;
    const int s = SelStart();
    const QString selected = SelText();
    QGuiApplication::clipboard()->setText(selected);
    {
        TRedrawOff redraw(this);
        const QByteArray ends = ReplaceRange(s, n, QString());
        AddUndo({s, 0, selected, ends});
        Select(s, 0);
    }
    SetModified(true);
}

void TkrRichHTML::Paste()
{
    if (isReadOnly())
        return;
    const QMimeData *md = QGuiApplication::clipboard()->mimeData();
    if (md)
        insertFromMimeData(md);
}

void TkrRichHTML::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    const QString text = NormalizeLineBreaks(source->text());
    const int s = SelStart();
    const QString replaced = SelText();
    {
        TRedrawOff redraw(this);
        const QByteArray ends = ReplaceRange(s, SelLength(), text);
        const int caret = s + int(text.size());
        AddUndo({s, caret - s, replaced, ends});
        Select(caret, 0);
        ColorCodeLines(LineFromChar(s), LineFromChar(caret));
    }
    ensureCursorVisible();
    SetModified(true);
}

void TkrRichHTML::Undo()
{
    if (m_undo.empty() || isReadOnly())
        return;
    NoteSelectionAfterChange();
    const TUndoInformation step = std::move(m_undo.back());
    m_undo.pop_back();
    {
        TRedrawOff redraw(this);
        const QString inserted = TextRange(step.Position, step.Position + step.InsertedLength);
        const QByteArray insertedEnds =
            ReplaceRange(step.Position, step.InsertedLength, step.RemovedText, step.RemovedLineEnds);
        m_redo.push_back({step.Position, int(step.RemovedText.size()), inserted, insertedEnds,
                          step.SelStart, step.SelLength});
        const int pos = std::clamp(step.Position, 0, TextLength());
        const int caret = std::min(TextLength(), pos + int(step.RemovedText.size()));
        Select(caret, 0);
        ColorCodeLines(LineFromChar(pos), LineFromChar(caret));
    }
    ensureCursorVisible();
    SetModified(true);
}

void TkrRichHTML::Redo()
{
    if (m_redo.empty() || isReadOnly())
        return;
    const TRedoInformation step = std::move(m_redo.back());
    m_redo.pop_back();
    {
        TRedrawOff redraw(this);
        const QString removed = TextRange(step.Position, step.Position + step.RemoveLength);
        const QByteArray removedEnds = ReplaceRange(step.Position, step.RemoveLength, step.Text, step.LineEnds);
        // Straight onto the history: a redo is not a new change and keeps what can be redone.
        m_undo.push_back({step.Position, int(step.Text.size()), removed, removedEnds, step.SelStart, step.SelLength});
        const int end = std::min(TextLength(), step.Position + int(step.Text.size()));
        if (step.SelStart >= 0)
            Select(step.SelStart, step.SelLength);
        else
            Select(end, 0);
        ColorCodeLines(LineFromChar(step.Position), LineFromChar(end));
    }
    ensureCursorVisible();
    SetModified(true);
}

bool TkrRichHTML::canInsertFromMimeData(const QMimeData *source) const
{
    return !LocalFilesOf(source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
}

void TkrRichHTML::dragEnterEvent(QDragEnterEvent *e)
{
    if (!LocalFilesOf(e->mimeData()).isEmpty()) {
        e->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(e);
}

void TkrRichHTML::dragMoveEvent(QDragMoveEvent *e)
{
    if (!LocalFilesOf(e->mimeData()).isEmpty()) {
        // The caret follows the mouse, so a dropped file lands where it is let go.
        setTextCursor(cursorForPosition(e->position().toPoint()));
        e->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(e);
}

void TkrRichHTML::dropEvent(QDropEvent *e)
{
    const QStringList files = LocalFilesOf(e->mimeData());
    if (!files.isEmpty()) {
        e->acceptProposedAction();
        emit OnFilesDropped(this, files);
        return;
    }
    QPlainTextEdit::dropEvent(e);
}

void TkrRichHTML::contextMenuEvent(QContextMenuEvent *e)
{
    if (m_popupMenu) {
        m_popupMenu->exec(e->globalPos());
        return;
    }
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Undo"), this, &TkrRichHTML::Undo)->setEnabled(CanUndo());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Cu&t"), this, &TkrRichHTML::Cut)->setEnabled(SelLength() > 0);
    menu.addAction(QStringLiteral("&Copy"), this, &QPlainTextEdit::copy)->setEnabled(SelLength() > 0);
    menu.addAction(QStringLiteral("&Paste"), this, &TkrRichHTML::Paste)->setEnabled(CanPaste());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Select &All"), this, &QPlainTextEdit::selectAll);
    menu.exec(e->globalPos());
}

// ---- Files ----

bool TkrRichHTML::LoadDocument(const QString &name)
{
    m_lastError.clear();
    if (name.isEmpty()) {
        StopColorCoding();
        TRedrawOff redraw(this);
        ++m_ownEdit;
        m_runs.Clear();
        setPlainText(QString());
        --m_ownEdit;
        m_filename.clear();
        m_fileFormat = TTextFileFormat();
        m_keepLineEnds = false;
        ClearHistory();
        SetModified(false);
        return false;
    }
    // A large file shows its progress from the first moment: reading, laying out, then the
    // colouring's own.
    const bool showProgress = !m_scan && QFileInfo(name).size() >= OpeningProgressBytes;
    auto opening = [this](int percent) {
        if (percent != m_lastProgress) {
            m_lastProgress = percent;
            SetProgress(percent);
        }
    };
    if (showProgress) {
        m_progressCaption = QStringLiteral("Opening...");
        m_lastProgress = 0;
        SetProgress(0);
    }
    QString text;
    TTextFileFormat format;
    const bool read = ReadTextFile(name, text, format, m_lastError, showProgress ? std::function<void(int)>([&](int percent) {
        opening(percent * 6 / 10);
    }) : std::function<void(int)>());
    if (!read) {
        if (showProgress)
            EndProgress();
        return false; // the document stays as it was
    }
    StopColorCoding();
    if (showProgress)
        opening(70);
    {
        TRedrawOff redraw(this);
        ++m_ownEdit;
        m_runs.Clear();
        setPlainText(text);
        --m_ownEdit;
        KeepLineEnds(text, format.MixedLineEnds);
        format.MixedLineEnds.clear();
        m_fileFormat = format;
        m_filename = name;
        SetModified(false);
        ClearHistory();
        SetMargins();
        moveCursor(QTextCursor::Start);
        // A long text goes on colouring in the background; it has the text to itself.
        if (m_colorCodeMode != ccNone && !text.isEmpty()) {
            const int n = int(text.size());
            ColorCodeText(std::move(text), 0, n);
        } else {
            StylesChanged();
        }
    }
    if (showProgress && !m_scan)
        EndProgress(); // no colouring took the progress over
    return true;
}

bool TkrRichHTML::SaveDocument(const QString &name)
{
    m_lastError.clear();
    if (name.isEmpty()) {
        m_lastError = QStringLiteral("No file name was given to save the document under.");
        return false;
    }
    TTextFileFormat format = SaveFormat();
    if (!WriteTextFile(name, Text(), format, m_lastError))
        return false; // the old file is intact and the document stays modified
    format.MixedLineEnds.clear(); // the blocks keep them
    m_fileFormat = format;
    m_filename = name;
    SetModified(false);
    emit OnDocumentSaved(this);
    return true;
}

bool TkrRichHTML::InsertFromFile(const QString &name)
{
    TRedrawOff redraw(this);
    m_lastError.clear();
    if (name.isEmpty())
        return false;
    if (!QFileInfo::exists(name)) {
        ShowMessage(QStringLiteral("File \"%1\" does not exist.").arg(name));
        return false;
    }
    QString text;
    TTextFileFormat format;
    if (!ReadTextFile(name, text, format, m_lastError)) {
        MessageBox(mkError, m_lastError);
        return false;
    }
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    if (lines.isEmpty())
        lines.append(QString());
    for (const QString &line : lines)
        InsertTags(line + QStringLiteral("\r\n"), QString(), false);
    return true;
}

// ---- Whole-text operations ----

int TkrRichHTML::ReplaceAll(const QString &findText, const QString &replaceText, bool matchCase)
{
    if (findText.isEmpty())
        return 0;
    TRedrawOff redraw(this);
    TReplaceAllResult r = ReplaceAllText(Text(), NormalizeLineBreaks(findText),
                                         NormalizeLineBreaks(replaceText), matchCase);
    if (r.Count == 0)
        return 0;
    const QString oldRegion = TextRange(r.First, r.OldEnd);
    const QString newRegion = r.Text.mid(r.First, r.NewEnd - r.First);
    r.Text = QString();
    const QByteArray ends = ReplaceRange(r.First, r.OldEnd - r.First, newRegion);
    // One step holds the whole replacement, so it can be undone whole. The region was
    // replaced as one piece, so its colours are worked out again.
    AddUndo({r.First, int(newRegion.size()), oldRegion, ends});
    ColorCodeLines(LineFromChar(r.First), LineFromChar(r.NewEnd));
    Select(r.NewEnd, 0);
    SetModified(true);
    return r.Count;
}

void TkrRichHTML::IndentLines()
{
    const int s = SelStart(), e = s + SelLength();
    const int first = LineFromChar(s);
    int last = LineFromChar(e);
    if (e > s && TextRange(e - 1, e) == QLatin1String("\n"))
        --last;
    if (last < first)
        return;
    TRedrawOff redraw(this);
    const int a = LineStart(first);
    const int b = LineStart(last) + LineLength(last);
    const QString old = TextRange(a, b);
    const QString indented = IndentText(old);
    const QByteArray ends = ReplaceRange(a, b - a, indented);
    ColorCodeLines(first, last);
    Select(a, int(indented.size()));
    AddUndo({a, int(indented.size()), old, ends});
    SetModified(true);
}

void TkrRichHTML::UnindentLines()
{
    const int s = SelStart(), e = s + SelLength();
    const int first = LineFromChar(s);
    const int last = LineFromChar(e);
    TRedrawOff redraw(this);
    const int a = LineStart(first);
    const int b = LineStart(last) + LineLength(last);
    const QString old = TextRange(a, b);
    const QString unindented = UnindentText(old);
    QByteArray ends = LineEndsIn(a, b - a);
    if (unindented != old) {
        ends = ReplaceRange(a, b - a, unindented);
        ColorCodeLines(first, last);
        SetModified(true);
    }
    Select(a, int(unindented.size()));
    AddUndo({a, int(unindented.size()), old, ends});
}

void TkrRichHTML::StripTags(bool wholeDocument)
{
    if (!wholeDocument && SelLength() == 0)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    {
        TRedrawOff redraw(this);
        int s = wholeDocument ? 0 : SelStart();
        QString t = wholeDocument ? Text() : SelText();
        const int k = StripTagsStart(t);
        if (k > 0) {
            s += k;
            t.remove(0, k);
        }
        const QString result = StripTagsText(t);
        if (result != t) {
            const QByteArray ends = ReplaceRange(s, int(t.size()), result);
            AddUndo({s, int(result.size()), t, ends});
            ColorCode(s, s + int(result.size()));
            SetModified(true);
        }
        Select(s, 0);
    }
    QGuiApplication::restoreOverrideCursor();
}

void TkrRichHTML::SelectLines(int firstLine, int lastLine)
{
    const int start = LineStart(std::max(0, firstLine));
    const int end = lastLine + 1 < LineCount() ? LineStart(lastLine + 1) : TextLength();
    Select(start, end - start);
}

// ---- Settings ----

void TkrRichHTML::ReadFontSettings(const QString &key)
{
    if (key.isEmpty()) {
        ShowMessage(QStringLiteral("ReadFontSettings - Invalid FFontRegistryKey"));
        return;
    }
    SetEditorFont(ConfigStore::Read(key, QStringLiteral("DefaultFontName"), QStringLiteral("MS Sans Serif")),
                  ConfigStore::ReadInt(key, QStringLiteral("DefaultFontSize"), 8));
    for (int i = 0; i < csCount; ++i) {
        const QString stem = QLatin1String(CodeStyleInfo()[size_t(i)].Stem);
        m_styles[size_t(i)].Color = ConfigStore::ReadColor(key, stem + QLatin1String("Color"),
                                                           CodeStyleInfo()[size_t(i)].DefaultColor);
        m_styles[size_t(i)].Effects = ConfigStore::ReadInt(key, stem + QLatin1String("Effects"), 0);
    }
    StylesChanged();
}

void TkrRichHTML::WriteFontSettings(const QString &key)
{
    if (key.isEmpty()) {
        ShowMessage(QStringLiteral("WriteFontSettings - Invalid FontRegKey"));
        return;
    }
    ConfigStore::Write(key, QStringLiteral("DefaultFontName"), m_editorFontName);
    ConfigStore::WriteInt(key, QStringLiteral("DefaultFontSize"), m_editorFontSize);
    for (int i = 0; i < csCount; ++i) {
        const QString stem = QLatin1String(CodeStyleInfo()[size_t(i)].Stem);
        ConfigStore::WriteColor(key, stem + QLatin1String("Color"), m_styles[size_t(i)].Color);
        ConfigStore::WriteInt(key, stem + QLatin1String("Effects"), m_styles[size_t(i)].Effects);
    }
}

void TkrRichHTML::SetEditorFont(const QString &name, int size)
{
    m_editorFontName = name.left(255);
    m_editorFontSize = size;
    QFont f(m_editorFontName);
    f.setPointSize(size > 0 ? size : 8);
    f.setStyleHint(QFont::SansSerif);
    setFont(f);
    SetTabWidth(m_tabWidth);
    StylesChanged();
}

// ---- Redraw and notifications ----

void TkrRichHTML::SetRedraw(bool on)
{
    if (m_redraw == on)
        return;
    m_redraw = on;
    viewport()->setUpdatesEnabled(on);
    if (on)
        viewport()->update();
}

void TkrRichHTML::BeginUpdate()
{
    if (m_updateHeld || m_updating)
        return;
    m_updating = true;
    SetRedraw(false);
}

void TkrRichHTML::EndUpdate()
{
    if (m_updateHeld || !m_updating)
        return;
    m_updating = false;
    SetRedraw(true);
}

void TkrRichHTML::HoldUpdate(bool on)
{
    if (on) {
        SetRedraw(false);
        m_updating = true;
        m_updateHeld = true;
    } else {
        m_updateHeld = false;
        m_updating = false;
        SetRedraw(true);
    }
}

void TkrRichHTML::SetProgress(int value)
{
    emit OnProgressChange(this, std::clamp(value, 0, 100));
}

void TkrRichHTML::SetMargins()
{
    document()->setDocumentMargin(3);
    // Keep the selection visible when the control loses the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
}
