#pragma once
// The "Spelling" dialog: it stays on top while the check scans the editor, shows each
// unknown word with suggestions and takes the answer as a one-byte code.
#include "spelling/spellcheck.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace Spell {

class TSugDialog : public QDialog {
    Q_OBJECT

public:
    explicit TSugDialog(QWidget *parent = nullptr);

    void SetEngine(TSpellEngine *engine) { FEngine = engine; }
    void SetMaxCount(int count) { FMaxCount = count; }

    // The code of the button clicked, 0 while there is none.
    int Answer() const { return FAnswer; }
    void ResetAnswer() { FAnswer = saNone; }
    QString Replacement() const;

    // "Suggestions: Scanning...": only Cancel works.
    void ShowScanning();
    // Shows the word and its suggestions and waits, letting the window work, for an answer.
    // The test hook answers instead when set.
    TPromptAnswer Ask(const QString &word, const QStringList &suggestions);
    void EnableControls(bool on);

    QLineEdit *NotWord;
    QLineEdit *WordEdit;
    QListWidget *SuggestList;
    QPushButton *BtnIgnore;
    QPushButton *BtnIgnoreAll;
    QPushButton *BtnChange;
    QPushButton *BtnChangeAll;
    QPushButton *BtnAdd;
    QPushButton *BtnSuggest;
    QPushButton *BtnPhoneme;
    QPushButton *BtnCancel;

protected:
    void reject() override; // Escape: Cancel

private:
    void FillSuggestions(const QStringList &words);
    void SuggestListClick(QListWidgetItem *item);

    TSpellEngine *FEngine = nullptr;
    int FMaxCount = 10;
    int FAnswer = saNone;
};

} // namespace Spell
