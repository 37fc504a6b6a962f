#pragma once

#include <QPlainTextEdit>
#include <QMenu>
#include <QHash>
#include <QPointer>
#include <QTextLayout>
#include <array>
#include <deque>
#include <memory>

#include "editor/colorcoding.h"
#include "editor/stylerunstore.h"
#include "common/textfile.h"
#include "platform/colortypes.h"

// One step of the editor's own undo history: undoing it replaces InsertedLength characters
// at Position with RemovedText.
struct TUndoInformation
{
    int Position = 0;
    int InsertedLength = 0;
    QString RemovedText;
    // For a document that keeps each line's own line end: those of RemovedText's line
    // breaks, so undoing puts them back as they were.
    QByteArray RemovedLineEnds;
    // The selection right after the change (SelStart -1 until it is known), which Redo
    // puts back.
    int SelStart = -1;
    int SelLength = 0;
};

// A step that Undo took back: redoing it replaces RemoveLength characters at Position
// with Text (and its line ends), then selects what was selected after the change.
struct TRedoInformation
{
    int Position = 0;
    int RemoveLength = 0;
    QString Text;
    QByteArray LineEnds;
    int SelStart = -1;
    int SelLength = 0;
};

// The text control that holds one document: a plain-text editor that colour-codes HTML,
// wraps selections in tags through InsertTags, keeps an undo history of its own, and
// loads and saves its file. Colours are display formats on the block layouts, applied to
// the blocks on screen from a run store that follows every edit; they never touch the
// text, the modified flag or the undo history.
class QTimer;

class TkrRichHTML : public QPlainTextEdit
{
    Q_OBJECT

public:
    static constexpr int MaxUndoSteps = 100;

    explicit TkrRichHTML(QWidget *parent = nullptr);
    ~TkrRichHTML() override;

    // Published properties.
    TColorCodeMode ColorCodeMode() const { return m_colorCodeMode; }
    void SetColorCodeMode(TColorCodeMode mode);
    QString Filename() const { return m_filename; }
    void SetFilename(const QString &name);
    TColor ForegroundColor() const { return m_foregroundColor; }
    void SetForegroundColor(TColor c);
    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor c);
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int points);
    QString URL;

    QString EditorFontName() const { return m_editorFontName; }
    int EditorFontSize() const { return m_editorFontSize; }
    TCodeStyle Style(int kind) const { return m_styles[size_t(kind)]; }
    void SetStyle(int kind, const TCodeStyle &style);
    bool OverwriteMode() const { return m_overwriteMode; }
    bool Updating() const { return m_updating; }
    bool UpdateHeld() const { return m_updateHeld; }
    QString ProgressCaption() const { return m_progressCaption; }
    // The progress of the opening or colouring under way (0..99), or -1 when none runs.
    int ProgressValue() const { return m_lastProgress; }
    // Files from this size on show their opening in the progress bar.
    static constexpr qint64 OpeningProgressBytes = 2 * 1024 * 1024;
    static bool LineChanged() { return s_lineChanged; }

    // Text and selection, in 0-based character offsets; a line break is one character.
    // Every text handed out holds the characters as they are (U+00A0 and U+2028 too);
    // only the breaks between lines read as "\n".
    QString Text() const;
    int TextLength() const;
    QString TextRange(int from, int to) const;
    int SelStart() const;
    int SelLength() const;
    QString SelText() const;
    void Select(int start, int length);
    int LineFromChar(int pos) const;
    int LineStart(int line) const;
    int LineLength(int line) const;
    int LineCount() const;
    bool Modified() const;
    void SetModified(bool modified);

    // The one insert operation every command writes through.
    void InsertTags(const QString &startText, const QString &endText, bool replaceSelection);
    // Replaces the selected text with a reworked version of it as one undo step, colours
    // it and leaves it selected (case changes, stripping, converting lines).
    void ReplaceSelection(const QString &text);
    // Replaces [pos, pos + length) with text as one undo step, colours the lines it touched,
    // marks the document modified and leaves the caret after the new text (find and replace).
    void ReplaceText(int pos, int length, const QString &text);
    // The tag at or before the caret (empty when there is none), selected when asked.
    QString GetTagAtCaret(bool select);

    void ColorCodeAll();
    void ColorCodeLine(int line);
    void ColorCodeLines(int firstLine, int lastLine);
    void ColorCode(int start, int end);
    // A long colouring runs in the background, a slice at a time, while the window takes
    // input as usual. FinishColorCoding completes it at once; StopColorCoding (Escape) ends
    // it where it is, leaving what was coloured.
    void FinishColorCoding();
    void StopColorCoding();
    bool ColorCodingActive() const { return m_scan != nullptr; }
    // While a colouring runs: the colours before this position are final.
    int ColorCodedUpTo() const;

    bool LoadDocument(const QString &name);
    bool SaveDocument(const QString &name);
    bool InsertFromFile(const QString &name);
    // Why the last load or save failed.
    QString LastError() const { return m_lastError; }
    const TTextFileFormat &FileFormat() const { return m_fileFormat; }
    // Binds the document to a file name (empty for untitled) and the format it is saved in,
    // without reading the file: for text that came from elsewhere (a recovered copy). The
    // lines keep no line ends of their own.
    void BindFile(const QString &name, const TTextFileFormat &format);
    // The format the text is saved in: the file's, with the end of each line as it stands
    // when the file mixed line-end styles. EncodeText(Text(), format) gives the bytes.
    TTextFileFormat SaveFormat() const;

    int ReplaceAll(const QString &findText, const QString &replaceText, bool matchCase);
    void IndentLines();
    void UnindentLines();
    void StripTags(bool wholeDocument);
    void SelectLines(int firstLine, int lastLine);

    void Undo();
    bool CanUndo() const { return !m_undo.empty(); }
    // Takes back the last Undo; any new change clears what can be redone.
    void Redo();
    bool CanRedo() const { return !m_redo.empty(); }
    bool CanPaste() const;
    void Cut();
    void Paste();
    int UndoCount() const { return int(m_undo.size()); }
    const TUndoInformation &UndoStep(int index) const { return m_undo[size_t(index)]; }
    void ClearUndo() { ClearHistory(); }

    // The menu the editor shows on a right click; without one it offers the clipboard commands.
    void SetPopupMenu(QMenu *menu) { m_popupMenu = menu; }
    // Forgets the file name but keeps the text (a document started from a template).
    void ClearFilename() { m_filename.clear(); }

    void ReadFontSettings(const QString &key);
    void WriteFontSettings(const QString &key);
    void SetEditorFont(const QString &name, int size);

    void BeginUpdate();
    void EndUpdate();
    void HoldUpdate(bool on);
    void ToggleInsertMode();
    void SetProgress(int value);
    void EndProgress();
    void SetMargins();

    // The colours: style runs touching [from, to). A colouring still running is finished first.
    TStyleRuns StyleRunsIn(int from, int to) const;
    // Applies the colours to a line's layout (as painting does) and returns them; a
    // colouring still running is finished first.
    QList<QTextLayout::FormatRange> LineFormats(int line);

signals:
    void OnDocumentSaved(TkrRichHTML *sender);
    void OnProgressChange(TkrRichHTML *sender, int value);
    void OnInsertModeChange(TkrRichHTML *sender, bool insertMode);
    void OnModifyStatusChange(TkrRichHTML *sender);
    // Files dropped on the editor from a file manager (full local paths). They are never
    // inserted as text; the owner decides what each one becomes.
    void OnFilesDropped(TkrRichHTML *sender, const QStringList &paths);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    friend class TRedrawOff;
    void OnContentsChange(int from, int removed, int added);
    void AddUndo(TUndoInformation step);
    void ClearHistory();
    void NoteSelectionAfterChange();
    // Replaces [pos, pos + length) with text (line breaks as "\n") as one edit of our own.
    // Returns the kept line ends of the breaks it removed; the new breaks take lineEnds,
    // or the removed ones when there are as many, or else the file's style.
    QByteArray ReplaceRange(int pos, int length, const QString &text, const QByteArray &lineEnds = {});
    // The kept line ends of the line breaks in [pos, pos + length); empty when the document
    // keeps none. A break an edit made reads as NewLineEnd.
    QByteArray LineEndsIn(int pos, int length) const;
    void SetLineEndsIn(int pos, int length, const QByteArray &ends);
    // Per character of text (which stands at pos): the kept line end of each line break,
    // 0 elsewhere; empty when the document keeps none.
    QByteArray LineEndsOf(const QString &text, int pos) const;
    // Gives each line of the loaded text the line end it had in the file.
    void KeepLineEnds(const QString &text, const QByteArray &ends);
    void SetRedraw(bool on);
    bool Redraw() const { return m_redraw; }
    void StylesChanged();
    void ApplyVisibleFormats();
    // Gives a block the formats of its colours when they changed, or when [editFrom, editTo)
    // was just edited (then the layout that follows the edit takes them).
    void ApplyBlockFormats(const QTextBlock &block, int editFrom = -1, int editTo = -1);
    // The formats of the block's colours within [from, to) of the block.
    QList<QTextLayout::FormatRange> FormatsFor(const QTextBlock &block, int from, int to) const;
    // The part of a block the viewport shows, in offsets within the block.
    std::pair<int, int> ShownStretch(const QTextBlock &block) const;
    void ColorCodeText(QString text, int start, int end);
    void ColorCodeWindow(const TTextWindow &window, int start, int end);
    // The background colouring: `text` is the document's text from `offset` to its end.
    void StartColorCoding(QString text, int offset, int start, int end);
    void ColorCodeSlice();
    void ColorCodeStep(int length);
    void EndColorCoding();
    void FollowEditInScan(int from, int removed, int added);
    // Colours the blocks on screen that the background colouring has not reached yet;
    // true when it did.
    bool ColorCodeVisibleAhead();
    // A colouring window over text, the document's text from offset on (kept alive by the caller).
    TTextWindow DocumentWindow(const QString &text, int offset) const;
    // [first, last) of the blocks on screen.
    std::pair<int, int> VisibleRange() const;

    TColorCodeMode m_colorCodeMode = ccFull;
    QString m_filename;
    TColor m_foregroundColor = Colors::clBlack;
    TColor m_backgroundColor = Colors::clWindow;
    int m_tabWidth = 20;
    QString m_editorFontName = QStringLiteral("MS Sans Serif");
    int m_editorFontSize = 8;
    std::array<TCodeStyle, csCount> m_styles;
    std::array<QTextCharFormat, csCount> m_formats;
    bool m_overwriteMode = false;
    bool m_updating = false;
    bool m_updateHeld = false;
    bool m_redraw = true;
    QString m_progressCaption;
    int m_lastProgress = -1;
    QString m_lastError;
    TTextFileFormat m_fileFormat;
    // The file mixed line-end styles: each block remembers the line end before it.
    bool m_keepLineEnds = false;

    QPointer<QMenu> m_popupMenu;
    std::deque<TUndoInformation> m_undo;
    std::deque<TRedoInformation> m_redo;
    bool m_selectionPending = false; // the last step's selection after the change is not known yet
    TStyleRunStore m_runs;
    int m_formatEpoch = 0;     // bumped whenever colours change; blocks carry the epoch applied
    bool m_applyingFormats = false;
    // Of each long line: the stretch that carries its colours (the rest is laid out plain).
    QHash<const QTextLayout *, std::pair<int, int>> m_longBlockStretch;
    int m_ownEdit = 0;         // inside an edit of our own (recorded by the caller)
    int m_keyEdit = 0;         // inside a key press (recorded by keyPressEvent)
    int m_changeCount = 0;     // text changes seen
    bool m_changeUntracked = false;
    int m_keyChangeFrom = -1;  // the text saved before a key press: [from, end), end following edits
    int m_keyWindowEnd = 0;

    std::unique_ptr<TColorCodeScan> m_scan; // the colouring running in the background
    QTimer *m_scanTimer = nullptr;
    QObject *m_escapeWatcher = nullptr;
    bool m_inSlice = false;
    std::pair<int, int> m_aheadColoured{0, 0}; // blocks on screen coloured ahead of the scan

    static bool s_lineChanged;
};

// Turns an editor's redraw off for a scope if it was on, and back on at the end.
class TRedrawOff
{
public:
    explicit TRedrawOff(TkrRichHTML *editor);
    ~TRedrawOff();
    TRedrawOff(const TRedrawOff &) = delete;
    TRedrawOff &operator=(const TRedrawOff &) = delete;

private:
    TkrRichHTML *m_editor;
    bool m_turnedOff = false;
};
