#pragma once
// The spelling checker of the main window: it walks a range of an editor's text with the
// check loop, drives the "Spelling" dialog, and keeps the dictionaries and the Ignore All
// and Change All lists for the whole run of the program.
#include "spelling/spellcheck.h"

#include <QObject>
#include <functional>

class QWidget;
class TkrRichHTML;

namespace Spell {

class TSugDialog;

class TRichSpell : public QObject {
    Q_OBJECT

public:
    explicit TRichSpell(QWidget *owner);
    ~TRichSpell() override;

    // Published properties; the checker holds those the loop needs.
    TSpellChecker &Checker() { return FChecker; }
    TSuggestionType SuggestType() const { return FChecker.SuggestType; }
    void SetSuggestType(TSuggestionType type) { FChecker.SuggestType = type; }
    QString DictionaryMain() const { return FChecker.DictionaryMain; }
    void SetDictionaryMain(const QString &name) { FChecker.DictionaryMain = name; }
    QString DictionaryUser() const { return FChecker.DictionaryUser; }
    void SetDictionaryUser(const QString &name) { FChecker.DictionaryUser = name; }
    int MaxSuggestions() const { return FChecker.MaxSuggestions; }
    void SetMaxSuggestions(int count) { FChecker.MaxSuggestions = count; }
    bool LeaveDictionariesOpen() const { return FChecker.LeaveDictionariesOpen; }
    void SetLeaveDictionariesOpen(bool on) { FChecker.LeaveDictionariesOpen = on; }
    bool AvoidHighlight = true;
    bool ShowCompletionMsg = true;

    // Each check gives false when it was cancelled or the dictionaries could not be opened.
    // The whole text.
    bool CheckRich(TkrRichHTML *editor);
    // The selection widened to whole words.
    bool CheckRichSelection(TkrRichHTML *editor);
    // Exactly the selection; an empty one, or one starting at the last character, is not
    // checked and gives true.
    bool CheckRichSelectionNB(TkrRichHTML *editor);
    // Every stretch of the text outside its tags, as one check.
    bool CheckOutsideTags(TkrRichHTML *editor);
    // Empties the Ignore All and Change All lists.
    void ClearLists() { FChecker.Lists().Clear(); }

    TSugDialog *Dialog() const { return FDialog; }
    // Moves the dialog off the caret's line when it covers it.
    void PlaceDialog(TkrRichHTML *editor);

private:
    using TRun = std::function<TCheckResult(TSpellDocument &, TSpellPrompt &, QString &)>;
    bool Run(TkrRichHTML *editor, int caretLineOffset, const TRun &run);
    bool CheckRange(TkrRichHTML *editor, int start, int end);

    TSpellChecker FChecker;
    TSugDialog *FDialog;
};

} // namespace Spell
