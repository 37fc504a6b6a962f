#pragma once
// Checking a document's text word by word: what a word is, which stretches of a page lie
// between its tags, the Ignore All and Change All decisions, and the loop that walks a range
// of the text, asks about each unknown word and applies the answers. The loop sees the
// document and the person answering only through the two small interfaces below, so it runs
// without widgets.
#include "platform/testhook.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>

namespace Spell {

class TSpellEngine;

// A–Z, a–z, Š Œ š œ Ÿ, À–Ö, Ø–ö, ø–ÿ: the letters words are made of (code page 1252).
bool IsSpellLetter(QChar c);
// True when the text holds at least one such letter.
bool HasSpellLetter(QStringView text);

// A stretch of text, in 0-based character offsets.
struct TTextSpan {
    int Start = 0;
    int Length = 0;
    int End() const { return Start + Length; }
    bool operator==(const TTextSpan &o) const { return Start == o.Start && Length == o.Length; }
};

// The first word at or after `from`: it starts at a letter and runs over letters and
// apostrophes (digits, hyphens and everything else separate words). Length 0 when none.
TTextSpan NextWord(QStringView text, int from);
// A selection widened to whole words: its start moves left over letters, its end right over
// letters and apostrophes.
TTextSpan WidenToWords(QStringView text, TTextSpan selection);
// The stretches of a page outside its tags that hold a letter, in order: before the first
// "<", between each ">" and the next "<", and after the last tag (the whole text when it has
// no tag). An unclosed "<" runs to the end of the text.
QList<TTextSpan> TextOutsideTags(QStringView text);

enum TSuggestionType { stNoSuggest, stCloseMatch, stPhoneme };

// The answer codes of the suggestion dialog; 0 = no answer yet.
enum TSpellAnswer {
    saNone = 0,
    saCancel = 100,
    saChange = 101,
    saAdd = 102,
    saIgnore = 103,
    saIgnoreAll = 104,
    saChangeAll = 105
};

struct TPromptAnswer {
    int Code = saNone;
    QString Replacement; // Change and Change All: the text of "Change To:"
};

// Test hook of the suggestion dialog: while set, the dialog is not shown and waits for no
// click; the hook receives the unknown word and its suggestions and gives the answer.
using TSpellAnswerHook = THook<TPromptAnswer(const QString &word, const QStringList &suggestions)>;

// The decisions of one run of the program: every check and document shares them.
class TSpellLists {
public:
    void Clear();
    // Ignore All: kept upper-cased and sorted; the word matches in any capitalisation.
    void IgnoreAll(const QString &word);
    bool IsIgnored(const QString &word) const;
    // Change All: the replacement remembered for a word (compared without regard to case).
    void ChangeAll(const QString &word, const QString &replacement);
    std::optional<QString> ChangeAllReplacement(const QString &word) const;

    const QStringList &IgnoreAllWords() const { return FIgnoreAll; }
    const QStringList &ChangeAllWords() const { return FChangeAll; }
    const QStringList &ChangeAllReplacements() const { return FReplacements; }

private:
    QStringList FIgnoreAll;
    QStringList FChangeAll;
    QStringList FReplacements;
};

// The document a check walks. The check reads the text once and follows its own changes.
class TSpellDocument {
public:
    virtual ~TSpellDocument() = default;
    virtual QString Text() const = 0;
    // Shows the unknown word.
    virtual void SelectWord(int start, int length) = 0;
    // Replaces exactly [start, start + length) (the word shown) with text.
    virtual void ReplaceWord(int start, int length, const QString &text) = 0;
};

// The person answering.
class TSpellPrompt {
public:
    virtual ~TSpellPrompt() = default;
    // The scan goes on between questions ("Suggestions: Scanning...").
    virtual void Scanning() {}
    // Called after each word: lets the window work; false when Cancel was clicked meanwhile.
    virtual bool KeepScanning() { return true; }
    virtual TPromptAnswer Ask(const QString &word, const QStringList &suggestions) = 0;
};

enum TOpenResult {
    orOpen,           // both dictionaries open (the user one created when it did not exist)
    orNoMain,         // the main dictionary could not be opened: no check
    orUserUnreadable  // the user dictionary exists but cannot be opened: left as it is,
                      // checked without it, and Add keeps nothing
};

struct TCheckResult {
    bool Completed = true; // false: cancelled
    bool Changed = false;  // a word was replaced
};

// The messages a check ends with and fails with.
QString CouldNotOpenDictionaryMessage();
QString UserDictionaryUnreadableMessage(const QString &fileName);
QString CompletionMessage(bool changed);
QString SkipTagsCompletionMessage();

// Where the suggestion dialog moves so that it does not cover the caret's line: its new top,
// or nothing when it may stay (it does not overlap the editor, or not the caret's line).
std::optional<int> DialogTopAvoiding(const QRect &dialog, const QRect &editor, int caretTop, int caretBottom,
                                     int screenHeight);

// The engine, its dictionaries, the lists and the check loop.
class TSpellChecker {
public:
    TSpellChecker();
    ~TSpellChecker();

    TSuggestionType SuggestType = stCloseMatch;
    QString DictionaryMain = QStringLiteral("lexaq.dct");
    QString DictionaryUser = QStringLiteral("custom.dct");
    int MaxSuggestions = 10;
    bool LeaveDictionariesOpen = true;

    TSpellEngine &Engine() { return *FEngine; }
    TSpellLists &Lists() { return FLists; }
    bool DictionariesOpen() const { return FOpen; }
    int UserDictionary() const { return FUserId; }

    // Opens the dictionaries unless they are open. A user dictionary that does not exist is
    // created empty; one that exists and cannot be opened is never overwritten.
    TOpenResult OpenDictionaries();
    // After a check: closes the dictionaries unless they stay open.
    void EndCheck();

    // Checks the words starting in [start, end) of text, which is the document's text and
    // follows each replacement. The end moves by the length a replacement adds.
    TCheckResult Check(TSpellDocument &document, TSpellPrompt &prompt, QString &text, int start, int &end);
    // Checks every stretch of text outside the tags, one after the other; stops at Cancel.
    TCheckResult CheckOutsideTags(TSpellDocument &document, TSpellPrompt &prompt, QString &text);

    QStringList Suggestions(const QString &word);

private:
    bool IsKnown(const QString &word);

    std::unique_ptr<TSpellEngine> FEngine;
    TSpellLists FLists;
    bool FOpen = false;
    int FUserId = -1;
    // Lookups of the check under way: a page repeats its words.
    QHash<QString, bool> FKnown;
};

} // namespace Spell
