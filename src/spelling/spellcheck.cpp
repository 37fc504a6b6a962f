#include "spelling/spellcheck.h"

#include "spelling/dictengine.h"

#include <QFileInfo>
#include <algorithm>

namespace Spell {

bool IsSpellLetter(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
        return true;
    if (u == 0x0160 || u == 0x0152 || u == 0x0161 || u == 0x0153 || u == 0x0178)
        return true;
    return u >= 0xC0 && u <= 0xFF && u != 0xD7 && u != 0xF7;
}

bool HasSpellLetter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), IsSpellLetter);
}

TTextSpan NextWord(QStringView text, int from)
{
    const int n = int(text.size());
    int i = std::max(from, 0);
    while (i < n && !IsSpellLetter(text[i]))
        ++i;
    if (i >= n)
        return {n, 0};
    int j = i + 1;
    while (j < n && (IsSpellLetter(text[j]) || text[j] == u'\''))
        ++j;
    return {i, j - i};
}

TTextSpan WidenToWords(QStringView text, TTextSpan selection)
{
    const int n = int(text.size());
    int start = std::clamp(selection.Start, 0, n);
    int end = std::clamp(selection.End(), start, n);
    while (start > 0 && IsSpellLetter(text[start - 1]))
        --start;
    while (end < n && (IsSpellLetter(text[end]) || text[end] == u'\''))
        ++end;
    return {start, end - start};
}

namespace {

// The stretch outside tags that starts at `from`, and where the next one may start (-1: none).
TTextSpan OutsideTagAt(QStringView text, int from, int &next)
{
    const int lt = int(text.indexOf(u'<', from));
    if (lt < 0) {
        next = -1;
        return {from, int(text.size()) - from};
    }
    const int gt = int(text.indexOf(u'>', lt + 1));
    next = gt < 0 ? -1 : gt + 1;
    return {from, lt - from};
}

} // namespace

QList<TTextSpan> TextOutsideTags(QStringView text)
{
    QList<TTextSpan> spans;
    int from = 0;
    while (from >= 0 && from < text.size()) {
        int next = -1;
        const TTextSpan span = OutsideTagAt(text, from, next);
        if (span.Length > 0 && HasSpellLetter(text.mid(span.Start, span.Length)))
            spans.append(span);
        from = next;
    }
    return spans;
}

// ---- the lists ----

void TSpellLists::Clear()
{
    FIgnoreAll.clear();
    FChangeAll.clear();
    FReplacements.clear();
}

void TSpellLists::IgnoreAll(const QString &word)
{
    const QString upper = word.toUpper();
    const auto at = std::lower_bound(FIgnoreAll.begin(), FIgnoreAll.end(), upper);
    if (at == FIgnoreAll.end() || *at != upper)
        FIgnoreAll.insert(at, upper);
}

bool TSpellLists::IsIgnored(const QString &word) const
{
    if (FIgnoreAll.isEmpty())
        return false;
    const QString upper = word.toUpper();
    return std::binary_search(FIgnoreAll.begin(), FIgnoreAll.end(), upper);
}

void TSpellLists::ChangeAll(const QString &word, const QString &replacement)
{
    FChangeAll.append(word);
    FReplacements.append(replacement);
}

std::optional<QString> TSpellLists::ChangeAllReplacement(const QString &word) const
{
    for (int i = 0; i < FChangeAll.size(); ++i)
        if (FChangeAll.at(i).compare(word, Qt::CaseInsensitive) == 0)
            return FReplacements.at(i);
    return std::nullopt;
}

// ---- messages and placing ----

QString CouldNotOpenDictionaryMessage()
{
    return QStringLiteral("Could not open dictionary");
}

QString UserDictionaryUnreadableMessage(const QString &fileName)
{
    return QStringLiteral("Could not open the user dictionary \"%1\". The file is left as it is; "
                          "words added during this session are not kept.")
        .arg(fileName);
}

QString CompletionMessage(bool changed)
{
    return changed ? QStringLiteral("Checking complete.") : QStringLiteral("No changes made.");
}

QString SkipTagsCompletionMessage()
{
    return QStringLiteral("Spell check complete.");
}

std::optional<int> DialogTopAvoiding(const QRect &dialog, const QRect &editor, int caretTop, int caretBottom,
                                     int screenHeight)
{
    if (!dialog.intersects(editor))
        return std::nullopt;
    if (caretBottom < dialog.top() || caretTop > dialog.bottom())
        return std::nullopt;
    if (caretBottom > screenHeight / 2)
        return 20;
    return screenHeight - dialog.height() - 20;
}

// ---- the checker ----

TSpellChecker::TSpellChecker() : FEngine(TSpellEngine::CreateEngine()) {}

TSpellChecker::~TSpellChecker() = default;

TOpenResult TSpellChecker::OpenDictionaries()
{
    if (FOpen)
        return orOpen;
    if (!FEngine->OpenMainDictionary(DictionaryMain))
        return orNoMain;
    FOpen = true;
    FKnown.clear();
    if (!QFileInfo::exists(DictionaryUser)) {
        FUserId = FEngine->CreateUserDictionary(DictionaryUser, {});
        return orOpen;
    }
    // An existing file holds the user's words: it is never written over, even when it
    // cannot be read now.
    FUserId = FEngine->OpenUserDictionary(DictionaryUser);
    if (FUserId > 0)
        return orOpen;
    FUserId = -1;
    return orUserUnreadable;
}

void TSpellChecker::EndCheck()
{
    FKnown.clear();
    if (!LeaveDictionariesOpen && FOpen) {
        FEngine->CloseDictionaries();
        FOpen = false;
        FUserId = -1;
    }
}

bool TSpellChecker::IsKnown(const QString &word)
{
    const auto it = FKnown.constFind(word);
    if (it != FKnown.constEnd())
        return *it;
    const bool known = FEngine->IsWordKnown(word);
    FKnown.insert(word, known);
    return known;
}

QStringList TSpellChecker::Suggestions(const QString &word)
{
    switch (SuggestType) {
    case stNoSuggest: return {};
    case stCloseMatch: return FEngine->SuggestCloseMatches(word, MaxSuggestions);
    case stPhoneme: return FEngine->SuggestPhonetic(word, MaxSuggestions);
    }
    return {};
}

TCheckResult TSpellChecker::Check(TSpellDocument &document, TSpellPrompt &prompt, QString &text, int start, int &end)
{
    TCheckResult result;
    prompt.Scanning();
    int pos = start;
    while (pos < end) {
        TTextSpan word = NextWord(text, pos);
        if (word.Length == 0 || word.Start >= end)
            break;
        const QString typed = text.mid(word.Start, word.Length);
        if (!IsKnown(typed) && !FLists.IsIgnored(typed)) {
            document.SelectWord(word.Start, word.Length);
            TPromptAnswer answer;
            if (std::optional<QString> stored = FLists.ChangeAllReplacement(typed))
                answer = {saChange, *stored};
            else
                answer = prompt.Ask(typed, Suggestions(typed));
            switch (answer.Code) {
            case saCancel: result.Completed = false; return result;
            case saChange:
            case saChangeAll: {
                document.ReplaceWord(word.Start, word.Length, answer.Replacement);
                text.replace(word.Start, word.Length, answer.Replacement);
                const int delta = int(answer.Replacement.size()) - word.Length;
                end += delta;
                word.Length += delta;
                result.Changed = true;
                if (answer.Code == saChangeAll)
                    FLists.ChangeAll(typed, answer.Replacement);
                break;
            }
            case saAdd:
                if (FUserId > 0 && FEngine->AddUserWord(typed, FUserId))
                    FKnown.insert(typed, true);
                break;
            case saIgnoreAll: FLists.IgnoreAll(typed); break;
            default: break; // Ignore
            }
            prompt.Scanning();
        }
        pos = word.End();
        if (!prompt.KeepScanning()) {
            result.Completed = false;
            return result;
        }
    }
    return result;
}

TCheckResult TSpellChecker::CheckOutsideTags(TSpellDocument &document, TSpellPrompt &prompt, QString &text)
{
    TCheckResult result;
    int from = 0;
    while (from >= 0 && from < text.size()) {
        int next = -1;
        const TTextSpan span = OutsideTagAt(text, from, next);
        if (span.Length > 0 && HasSpellLetter(QStringView(text).mid(span.Start, span.Length))) {
            int end = span.End();
            const TCheckResult part = Check(document, prompt, text, span.Start, end);
            result.Changed = result.Changed || part.Changed;
            if (!part.Completed) {
                result.Completed = false;
                return result;
            }
            // The tag that closed the stretch now starts at its new end.
            if (next >= 0)
                next += end - span.End();
        }
        from = next;
    }
    return result;
}

} // namespace Spell
