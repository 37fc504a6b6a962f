#include "spelling/sugdialog.h"

#include "spelling/dictengine.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace Spell {

TSugDialog::TSugDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TSugDialog"));
    setWindowTitle(QStringLiteral("Spelling"));
    setModal(false);
    resize(420, 160);

    auto edit = [this](const char *name, bool readOnly) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(readOnly);
        return e;
    };
    auto button = [this](const char *name, const char *caption, int code) {
        auto *b = new QPushButton(QLatin1String(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        if (code)
            connect(b, &QPushButton::clicked, this, [this, code] { FAnswer = code; });
        return b;
    };
    NotWord = edit("NotWord", true);
    WordEdit = edit("WordEdit", false);
    SuggestList = new QListWidget(this);
    SuggestList->setObjectName(QStringLiteral("SuggestList"));
    BtnIgnore = button("BtnIgnore", "&Ignore", saIgnore);
    BtnIgnoreAll = button("BtnIgnoreAll", "I&gnore All", saIgnoreAll);
    BtnChange = button("BtnChange", "&Change", saChange);
    BtnChangeAll = button("BtnChangeAll", "Change Al&l", saChangeAll);
    BtnAdd = button("BtnAdd", "&Add", saAdd);
    BtnSuggest = button("BtnSuggest", "&Suggest", 0);
    BtnPhoneme = button("BtnPhoneme", "&Phoneme", 0);
    BtnCancel = button("BtnCancel", "Cancel", saCancel);

    auto *labelNot = new QLabel(QStringLiteral("Not in Dictionary:"), this);
    auto *labelTo = new QLabel(QStringLiteral("Change To:"), this);
    auto *labelList = new QLabel(QStringLiteral("Suggestions:"), this);
    labelNot->setBuddy(NotWord);
    labelTo->setBuddy(WordEdit);
    labelList->setBuddy(SuggestList);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(4);
    grid->addWidget(labelNot, 0, 0);
    grid->addWidget(NotWord, 0, 1);
    grid->addWidget(labelTo, 1, 0);
    grid->addWidget(WordEdit, 1, 1);
    grid->addWidget(labelList, 2, 0, Qt::AlignTop);
    grid->addWidget(SuggestList, 2, 1, 3, 1);
    grid->addWidget(BtnIgnore, 0, 2);
    grid->addWidget(BtnIgnoreAll, 0, 3);
    grid->addWidget(BtnChange, 1, 2);
    grid->addWidget(BtnChangeAll, 1, 3);
    grid->addWidget(BtnAdd, 2, 2);
    grid->addWidget(BtnSuggest, 2, 3);
    grid->addWidget(BtnPhoneme, 3, 2);
    grid->addWidget(BtnCancel, 3, 3);

    connect(WordEdit, &QLineEdit::returnPressed, this, [this] { FAnswer = saChange; });
    connect(SuggestList, &QListWidget::itemClicked, this, &TSugDialog::SuggestListClick);
    connect(SuggestList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        SuggestListClick(item);
        FAnswer = saChange;
    });
    connect(BtnSuggest, &QPushButton::clicked, this, [this] {
        if (FEngine)
            FillSuggestions(FEngine->SuggestCloseMatches(WordEdit->text(), FMaxCount));
    });
    connect(BtnPhoneme, &QPushButton::clicked, this, [this] {
        if (FEngine)
            FillSuggestions(FEngine->SuggestPhonetic(WordEdit->text(), FMaxCount));
    });
}

QString TSugDialog::Replacement() const
{
    return WordEdit->text();
}

void TSugDialog::reject()
{
    FAnswer = saCancel;
}

void TSugDialog::FillSuggestions(const QStringList &words)
{
    SuggestList->clear();
    SuggestList->addItems(words);
}

void TSugDialog::SuggestListClick(QListWidgetItem *item)
{
    if (item)
        WordEdit->setText(item->text());
}

void TSugDialog::EnableControls(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{NotWord, WordEdit, SuggestList, BtnIgnore, BtnIgnoreAll,
                                                       BtnChange, BtnChangeAll, BtnAdd, BtnSuggest, BtnPhoneme})
        w->setEnabled(on);
    BtnCancel->setEnabled(true);
}

void TSugDialog::ShowScanning()
{
    setWindowTitle(QStringLiteral("Suggestions: Scanning..."));
    EnableControls(false);
}

TPromptAnswer TSugDialog::Ask(const QString &word, const QStringList &suggestions)
{
    FAnswer = saNone;
    FillSuggestions(suggestions);
    setWindowTitle(QStringLiteral("Suggestions"));
    EnableControls(true);
    if (!suggestions.isEmpty()) {
        SuggestList->setCurrentRow(0);
        WordEdit->setText(suggestions.first());
    } else {
        WordEdit->setText(word);
    }
    NotWord->setText(word);
    if (!isVisible())
        show();
    if (const auto &hook = TSpellAnswerHook::Get()) {
        const TPromptAnswer answer = hook(word, suggestions);
        EnableControls(false);
        return answer;
    }
    BtnIgnore->setFocus();
    while (FAnswer == saNone)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EnableControls(false);
    return {FAnswer, WordEdit->text()};
}

} // namespace Spell
