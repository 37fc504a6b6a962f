#include "spelling/richspell.h"

#include "editor/richhtml.h"
#include "platform/messagebox.h"
#include "spelling/sugdialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>

namespace Spell {

namespace {

// The window is given its events at most this often while the scan runs: often enough to
// stay responsive and to see Cancel, seldom enough not to slow the scan down.
constexpr int EventIntervalMs = 10;

class TEditorDocument : public TSpellDocument {
public:
    TEditorDocument(TRichSpell &spell, TkrRichHTML &editor) : FSpell(spell), FEditor(editor) {}
    QString Text() const override { return FEditor.Text(); }
    void SelectWord(int start, int length) override
    {
        FEditor.Select(start, length);
        FEditor.ensureCursorVisible();
        if (FSpell.AvoidHighlight)
            FSpell.PlaceDialog(&FEditor);
    }
    void ReplaceWord(int start, int length, const QString &text) override
    {
        FEditor.ReplaceText(start, length, text);
        FEditor.SetModified(true);
    }

private:
    TRichSpell &FSpell;
    TkrRichHTML &FEditor;
};

class TDialogPrompt : public TSpellPrompt {
public:
    explicit TDialogPrompt(TSugDialog &dialog) : FDialog(dialog) { FSince.start(); }
    void Scanning() override { FDialog.ShowScanning(); }
    bool KeepScanning() override
    {
        if (FSince.elapsed() >= EventIntervalMs) {
            QCoreApplication::processEvents();
            FSince.restart();
        }
        return FDialog.Answer() != saCancel;
    }
    TPromptAnswer Ask(const QString &word, const QStringList &suggestions) override
    {
        const TPromptAnswer answer = FDialog.Ask(word, suggestions);
        FSince.restart();
        return answer;
    }

private:
    TSugDialog &FDialog;
    QElapsedTimer FSince;
};

} // namespace

TRichSpell::TRichSpell(QWidget *owner) : QObject(owner), FDialog(new TSugDialog(owner))
{
    FDialog->SetEngine(&FChecker.Engine());
}

TRichSpell::~TRichSpell() = default;

bool TRichSpell::CheckRich(TkrRichHTML *editor)
{
    return CheckRange(editor, 0, editor->TextLength());
}

bool TRichSpell::CheckRichSelection(TkrRichHTML *editor)
{
    const TTextSpan widened = WidenToWords(editor->Text(), {editor->SelStart(), editor->SelLength()});
    editor->Select(widened.Start, widened.Length);
    return CheckRichSelectionNB(editor);
}

bool TRichSpell::CheckRichSelectionNB(TkrRichHTML *editor)
{
    const int start = editor->SelStart();
    const int length = editor->SelLength();
    if (length == 0 || start >= editor->TextLength() - 1)
        return true;
    return CheckRange(editor, start, start + length);
}

bool TRichSpell::CheckRange(TkrRichHTML *editor, int start, int end)
{
    const int caret = editor->LineStart(editor->LineFromChar(start));
    return Run(editor, caret, [this, start, end](TSpellDocument &document, TSpellPrompt &prompt, QString &text) {
        int rangeEnd = end;
        return FChecker.Check(document, prompt, text, start, rangeEnd);
    });
}

bool TRichSpell::CheckOutsideTags(TkrRichHTML *editor)
{
    return Run(editor, 0, [this](TSpellDocument &document, TSpellPrompt &prompt, QString &text) {
        return FChecker.CheckOutsideTags(document, prompt, text);
    });
}

bool TRichSpell::Run(TkrRichHTML *editor, int caretLineOffset, const TRun &run)
{
    // The document holds still while the check looks at it: only the check changes it.
    struct TReadOnly {
        TkrRichHTML *editor;
        bool was;
        ~TReadOnly() { editor->setReadOnly(was); }
    } readOnly{editor, editor->isReadOnly()};
    editor->setReadOnly(true);
    FDialog->SetMaxCount(FChecker.MaxSuggestions);

    if (!FChecker.DictionariesOpen()) {
        if (QScreen *screen = FDialog->screen())
            FDialog->move(screen->geometry().center() - FDialog->rect().center());
        const TOpenResult opened = FChecker.OpenDictionaries();
        if (opened == orNoMain) {
            MessageBox(mkError, CouldNotOpenDictionaryMessage(), mbOK, editor->window());
            return false;
        }
        if (opened == orUserUnreadable)
            MessageBox(mkWarning, UserDictionaryUnreadableMessage(FChecker.DictionaryUser), mbOK, editor->window());
    }

    FDialog->ShowScanning();
    editor->Select(caretLineOffset, 0);
    if (AvoidHighlight)
        PlaceDialog(editor);
    FDialog->WordEdit->clear();
    FDialog->SuggestList->clear();
    FDialog->ResetAnswer();
    QCoreApplication::processEvents();

    TEditorDocument document(*this, *editor);
    TDialogPrompt prompt(*FDialog);
    QString text = document.Text();
    TCheckResult result;
    try {
        result = run(document, prompt, text);
    } catch (...) {
        FDialog->hide();
        FChecker.EndCheck();
        throw;
    }

    editor->Select(caretLineOffset, 0);
    FDialog->hide();
    if (ShowCompletionMsg)
        MessageBox(mkInformation, CompletionMessage(result.Changed), mbOK, editor->window());
    FChecker.EndCheck();
    return result.Completed;
}

void TRichSpell::PlaceDialog(TkrRichHTML *editor)
{
    QScreen *screen = FDialog->screen();
    if (!screen)
        return;
    const QRect dialog = FDialog->frameGeometry();
    const QRect editorRect(editor->mapToGlobal(QPoint(0, 0)), editor->size());
    const QRect caret = editor->cursorRect();
    const int caretTop = editor->viewport()->mapToGlobal(caret.topLeft()).y();
    const int caretBottom = caretTop + editor->fontMetrics().height();
    if (const std::optional<int> top =
            DialogTopAvoiding(dialog, editorRect, caretTop, caretBottom, screen->geometry().height()))
        FDialog->move(dialog.left(), *top);
}

} // namespace Spell
