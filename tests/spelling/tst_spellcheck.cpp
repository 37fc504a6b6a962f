#include "spelling/dictengine.h"
#include "spelling/dictwriter.h"
#include "spelling/spellcheck.h"
#include "testsupport.h"

using namespace Spell;

namespace {

// A document that is just its text; selections are recorded.
class TTextDocument : public TSpellDocument {
public:
    explicit TTextDocument(QString text) : FText(std::move(text)) {}
    QString Text() const override { return FText; }
    void SelectWord(int start, int length) override { Selected << FText.mid(start, length); }
    void ReplaceWord(int start, int length, const QString &text) override { FText.replace(start, length, text); }
    QStringList Selected;

private:
    QString FText;
};

// Answers from a script ("104", "101:the"); Cancel once the script runs out. Cancels the
// scan after CancelAfter words when that is not negative.
class TScriptPrompt : public TSpellPrompt {
public:
    QStringList Script;
    QStringList Asked;
    int CancelAfter = -1;
    bool KeepScanning() override { return CancelAfter < 0 || CancelAfter-- > 0; }
    TPromptAnswer Ask(const QString &word, const QStringList &) override
    {
        Asked << word;
        if (Script.isEmpty())
            return {saCancel, {}};
        const QString step = Script.takeFirst();
        return {step.section(u':', 0, 0).toInt(), step.section(u':', 1)};
    }
};

QString Words(const QString &text)
{
    QStringList words;
    for (TTextSpan w = NextWord(text, 0); w.Length > 0; w = NextWord(text, w.End()))
        words << text.mid(w.Start, w.Length);
    return words.join(u'|');
}

QString Spans(const QList<TTextSpan> &spans)
{
    QStringList out;
    for (const TTextSpan &s : spans)
        out << QStringLiteral("%1+%2").arg(s.Start).arg(s.Length);
    return out.join(u' ');
}

} // namespace

class TestSpellCheck : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_files;
    QString m_main;

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        const QList<QByteArray> words{"THE", "CAT", "SAT", "ON", "MAT", "A", "DOG", "DON'T", "WELL", "KNOWN"};
        m_main = m_files.Write(QStringLiteral("main.dct"), MainDictionaryBytes({BuildTrie(words)}));
    }

    void words_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("words");
        QTest::newRow("apostrophe inside and trailing kept, leading skipped")
            << "don't 'tis dogs' ''" << "don't|tis|dogs'";
        QTest::newRow("digits separate") << "abc123def 42" << "abc|def";
        QTest::newRow("hyphens separate") << "well-known -x-" << "well|known|x";
        QTest::newRow("code page 1252 letters") << QString::fromUtf8("café Œuvre naïve straße šŸ")
                                               << QString::fromUtf8("café|Œuvre|naïve|straße|šŸ");
        QTest::newRow("times and divide signs separate") << QString::fromUtf8("a×b÷c") << "a|b|c";
        QTest::newRow("typographic apostrophe separates") << QString::fromUtf8("don’t") << "don|t";
        QTest::newRow("entity names are words") << "fish&amp;chips&#160;" << "fish|amp|chips";
        QTest::newRow("line breaks separate") << "cat\ndog\r\nmat" << "cat|dog|mat";
    }
    void words()
    {
        QFETCH(QString, text);
        QFETCH(QString, words);
        QCOMPARE(Words(text), words);
    }

    void widen_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("widened");
        // text: "xx don't cat's yy"
        QTest::newRow("inside a word") << 4 << 1 << "don't";
        QTest::newRow("end over apostrophe") << 9 << 3 << "cat's";
        QTest::newRow("across words") << 5 << 6 << "don't cat's";
        QTest::newRow("start moves over letters only") << 8 << 0 << "t";
    }
    void widen()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, widened);
        const QString text = QStringLiteral("xx don't cat's yy");
        const TTextSpan s = WidenToWords(text, {start, length});
        QCOMPARE(text.mid(s.Start, s.Length), widened);
    }

    void outsideTags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spans");
        QTest::newRow("no tag at all: the whole text") << "cat sat" << "0+7";
        QTest::newRow("text after the last tag") << "<p>cat</p> dog" << "3+3 10+4";
        QTest::newRow("text inside tags never") << "<a title=\"zorp\">cat</a>" << "16+3";
        QTest::newRow("stretches without letters skipped") << "<b> 12 </b>\n<i>x</i>" << "15+1";
        QTest::newRow("an unclosed tag runs to the end") << "cat <a href=zorp" << "0+4";
        QTest::newRow("a stray > is text") << "a > b <i>" << "0+6";
        QTest::newRow("empty") << "" << "";
    }
    void outsideTags()
    {
        QFETCH(QString, text);
        QFETCH(QString, spans);
        QCOMPARE(Spans(TextOutsideTags(text)), spans);
    }

    void check_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("skipTags");
        QTest::addColumn<int>("start"); // -1: the whole text
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("runs"); // each run on a fresh copy of text, same checker
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<int>("cancelAfter");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<bool>("changed");

        QTest::newRow("known words only") << "The cat sat on a mat." << false << -1 << -1 << 1 << QStringList{} << -1
                                          << "" << "The cat sat on a mat." << true << false;
        QTest::newRow("ignore all holds in any capitalisation")
            << "Teh teh TEH tEh" << false << -1 << -1 << 1 << QStringList{"104"} << -1 << "Teh" << "Teh teh TEH tEh"
            << true << false;
        QTest::newRow("ignore asks again") << "teh teh" << false << -1 << -1 << 1 << QStringList{"103", "103"} << -1
                                           << "teh|teh" << "teh teh" << true << false;
        QTest::newRow("change all for later words") << "teh cat Teh" << false << -1 << -1 << 1
                                                    << QStringList{"105:the"} << -1 << "teh" << "the cat the" << true
                                                    << true;
        QTest::newRow("change all remembered by a later check")
            << "teh zorp" << false << -1 << -1 << 2 << QStringList{"105:the", "104"} << -1 << "teh|zorp"
            << "the zorp" << true << true;
        QTest::newRow("ignore all remembered by a later check")
            << "zorp" << false << -1 << -1 << 2 << QStringList{"104"} << -1 << "zorp" << "zorp" << true << false;
        QTest::newRow("add: known later in the same check")
            << "zorp cat zorp" << false << -1 << -1 << 1 << QStringList{"102"} << -1 << "zorp" << "zorp cat zorp"
            << true << false;
        // Range "cat\nteh zorp" of "cat\nteh zorp qux": the range end moves with the longer word.
        QTest::newRow("longer replacement on the last line moves the range end")
            << "cat\nteh zorp qux" << false << 0 << 12 << 1 << QStringList{"101:thereafter", "103"} << -1
            << "teh|zorp" << "cat\nthereafter zorp qux" << true << true;
        QTest::newRow("shorter replacement moves it back")
            << "cat\nthhhe zorp qux" << false << 0 << 14 << 1 << QStringList{"101:the", "103"} << -1
            << "thhhe|zorp" << "cat\nthe zorp qux" << true << true;
        QTest::newRow("a word starting past the range is left") << "teh. zorp" << false << 0 << 4 << 1
                                                                << QStringList{"103"} << -1 << "teh" << "teh. zorp"
                                                                << true << false;
        QTest::newRow("cancel in the dialog keeps changes so far")
            << "teh zorp qux" << false << -1 << -1 << 1 << QStringList{"101:the", "100"} << -1 << "teh|zorp"
            << "the zorp qux" << false << true;
        QTest::newRow("cancel during scanning keeps changes so far")
            << "teh cat sat zorp" << false << -1 << -1 << 1 << QStringList{"101:the"} << 2 << "teh"
            << "the cat sat zorp" << false << true;
        QTest::newRow("skip tags: text inside tags unchecked")
            << "<a title=\"zorp\">teh</a>" << true << -1 << -1 << 1 << QStringList{"101:the"} << -1 << "teh"
            << "<a title=\"zorp\">the</a>" << true << true;
        QTest::newRow("skip tags: text after the last tag checked")
            << "<p>cat</p>\nteh" << true << -1 << -1 << 1 << QStringList{"101:the"} << -1 << "teh"
            << "<p>cat</p>\nthe" << true << true;
        QTest::newRow("skip tags: a text without tags checked")
            << "teh cat" << true << -1 << -1 << 1 << QStringList{"103"} << -1 << "teh" << "teh cat" << true << false;
        QTest::newRow("skip tags: tags after a longer replacement stay skipped")
            << "teh<b zorp>qux</b>" << true << -1 << -1 << 1 << QStringList{"101:thereafter", "103"} << -1
            << "teh|qux" << "thereafter<b zorp>qux</b>" << true << true;
        QTest::newRow("skip tags: cancel stops the later stretches")
            << "teh<b>zorp" << true << -1 << -1 << 1 << QStringList{"100"} << -1 << "teh" << "teh<b>zorp" << false
            << false;
    }
    void check()
    {
        QFETCH(QString, text);
        QFETCH(bool, skipTags);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, runs);
        QFETCH(QStringList, script);
        QFETCH(int, cancelAfter);
        QFETCH(QString, asked);
        QFETCH(QString, result);
        QFETCH(bool, completed);
        QFETCH(bool, changed);

        TSpellChecker checker;
        checker.DictionaryMain = m_main;
        checker.DictionaryUser = m_files.FilePath(QStringLiteral("check-%1.dct").arg(QTest::currentDataTag()));
        QCOMPARE(checker.OpenDictionaries(), orOpen);
        TScriptPrompt prompt;
        prompt.Script = script;
        prompt.CancelAfter = cancelAfter;
        TCheckResult outcome;
        QString after;
        for (int run = 0; run < runs; ++run) {
            TTextDocument document(text);
            QString copy = document.Text();
            if (skipTags) {
                outcome = checker.CheckOutsideTags(document, prompt, copy);
            } else {
                int rangeEnd = end < 0 ? int(copy.size()) : end;
                outcome = checker.Check(document, prompt, copy, std::max(start, 0), rangeEnd);
            }
            QCOMPARE(copy, document.Text()); // the check follows its own changes
            after = document.Text();
        }
        QCOMPARE(prompt.Asked.join(u'|'), asked);
        QCOMPARE(after, result);
        QCOMPARE(outcome.Completed, completed);
        QCOMPARE(outcome.Changed, changed);
    }

    void openDictionaries_data()
    {
        QTest::addColumn<bool>("mainExists");
        QTest::addColumn<QByteArray>("userBytes"); // "-" : no file
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("addKept");
        QTest::newRow("no user dictionary: created") << true << QByteArray("-") << int(orOpen) << true;
        QTest::newRow("a valid user dictionary") << true << NewUserDictionaryBytes() << int(orOpen) << true;
        QTest::newRow("a damaged user dictionary is left untouched")
            << true << QByteArray("not a dictionary\r\n") << int(orUserUnreadable) << false;
        QTest::newRow("no main dictionary") << false << QByteArray("-") << int(orNoMain) << false;
    }
    void openDictionaries()
    {
        QFETCH(bool, mainExists);
        QFETCH(QByteArray, userBytes);
        QFETCH(int, expected);
        QFETCH(bool, addKept);
        const QString user = m_files.FilePath(QStringLiteral("open-%1.dct").arg(QTest::currentDataTag()));
        if (userBytes != "-")
            m_files.Write(user, userBytes);
        TSpellChecker checker;
        checker.DictionaryMain = mainExists ? m_main : m_files.FilePath(QStringLiteral("missing.dct"));
        checker.DictionaryUser = user;
        QCOMPARE(int(checker.OpenDictionaries()), expected);
        if (expected == orNoMain) {
            QVERIFY(!QFileInfo::exists(user));
            return;
        }
        TTextDocument document(QStringLiteral("zorp"));
        TScriptPrompt prompt;
        prompt.Script = {QString::number(saAdd)};
        QString text = document.Text();
        int end = int(text.size());
        checker.Check(document, prompt, text, 0, end);
        QCOMPARE(checker.Engine().IsWordKnown(QStringLiteral("zorp")), addKept);
        if (userBytes != "-" && expected == orUserUnreadable)
            QCOMPARE(m_files.Read(user), userBytes);
        // A later checker (a restart) knows an added word.
        checker.Engine().CloseDictionaries();
        TSpellChecker later;
        later.DictionaryMain = m_main;
        later.DictionaryUser = user;
        later.OpenDictionaries();
        QCOMPARE(later.Engine().IsWordKnown(QStringLiteral("zorp")), addKept);
    }

    void dialogTop_data()
    {
        QTest::addColumn<QRect>("dialog");
        QTest::addColumn<int>("caretTop");
        QTest::addColumn<QVariant>("top"); // invalid: stays
        const QRect editor(0, 0, 800, 600);
        QTest::newRow("dialog off the editor stays") << QRect(900, 100, 420, 160) << 120 << QVariant();
        QTest::newRow("caret line clear of the dialog") << QRect(100, 300, 420, 160) << 100 << QVariant();
        QTest::newRow("caret in the upper half: dialog to the bottom")
            << QRect(100, 300, 420, 160) << 310 << QVariant(1000 - 160 - 20);
        QTest::newRow("caret in the lower half: dialog to the top")
            << QRect(100, 500, 420, 160) << 520 << QVariant(20);
    }
    void dialogTop()
    {
        QFETCH(QRect, dialog);
        QFETCH(int, caretTop);
        QFETCH(QVariant, top);
        const std::optional<int> moved = DialogTopAvoiding(dialog, QRect(0, 0, 800, 600), caretTop, caretTop + 14, 1000);
        QCOMPARE(moved.has_value(), top.isValid());
        if (moved)
            QCOMPARE(*moved, top.toInt());
    }
};

QTEST_GUILESS_MAIN(TestSpellCheck)
#include "tst_spellcheck.moc"
