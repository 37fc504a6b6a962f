// Spell checking a whole page the way F7 does with "SpellSkipTags" on: every stretch outside
// the tags, each unknown word answered Ignore All, the window given its events as the scan
// goes. Reports the time, the words checked per second against hunspell's list mode
// (`hunspell -l -d en_US`) over the same text, the longest pause of the window, and how soon
// Cancel stops a check.
#include "bench_util.h"
#include "editor/richhtml.h"
#include "spelling/richspell.h"
#include "spelling/spellcheck.h"
#include "spelling/sugdialog.h"

#include <algorithm>
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

using namespace bench;

namespace {
constexpr double TargetRatio = 5.0;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_spellcheck PAGE\n");
        return 2;
    }
    const QString page = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir work;
    QWidget window;
    window.resize(800, 600);
    auto *editor = new TkrRichHTML(&window);
    editor->resize(800, 600);
    editor->SetColorCodeMode(ccNone);
    if (!editor->LoadDocument(page)) {
        std::fprintf(stderr, "bench_spellcheck: cannot read %s\n", qPrintable(page));
        return 2;
    }
    window.show();
    Settle();
    Spell::TRichSpell spell(&window);
    spell.SetDictionaryMain(QCoreApplication::applicationDirPath() + QStringLiteral("/Pendwick.dct"));
    spell.SetDictionaryUser(work.filePath(QStringLiteral("Custom.dct")));
    spell.ShowCompletionMsg = false;

    // The words the check looks at, and the same text for hunspell.
    const QString text = editor->Text();
    qint64 words = 0;
    QString outside;
    for (const Spell::TTextSpan &span : Spell::TextOutsideTags(text)) {
        const QStringView stretch = QStringView(text).mid(span.Start, span.Length);
        for (Spell::TTextSpan w = Spell::NextWord(stretch, 0); w.Length > 0; w = Spell::NextWord(stretch, w.End()))
            ++words;
        outside += stretch;
        outside += u'\n';
    }
    const QString textPath = work.filePath(QStringLiteral("outside.txt"));
    {
        QFile f(textPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(outside.toLatin1()) < 0)
            return 2;
    }

    qint64 asked = 0;
    Spell::TSpellAnswerHook::Set([&](const QString &, const QStringList &) {
        ++asked;
        return Spell::TPromptAnswer{Spell::saIgnoreAll, {}};
    });
    // The window's pulse: the longest time it went without its events.
    QElapsedTimer pulse;
    double longestPause = 0;
    QTimer beat;
    beat.setInterval(1);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longestPause = std::max(longestPause, Ms(pulse));
        pulse.restart();
    });

    Out("Spell check of %s, \"SpellSkipTags\" on, unknown words answered Ignore All\n", qPrintable(page));
    beat.start();
    pulse.start();
    QElapsedTimer timer;
    timer.start();
    const bool completed = spell.CheckOutsideTags(editor);
    const double ours = double(timer.nsecsElapsed()) / 1e9;
    beat.stop();
    const double oursRate = words / ours;
    Out("    Pendwick check (first, opens)   %8.3f s  %12s words/s  (%s words, %s asked)\n", ours,
        Num(qint64(oursRate)).constData(), Num(words).constData(), Num(asked).constData());
    Out("    longest pause of the window     %8.1f ms\n", longestPause);

    // Cancel clicked a third of the way into a fresh check (lists cleared, dictionaries
    // open), so that the check is still running whatever the machine's speed.
    spell.ClearLists();
    QTimer cancel;
    cancel.setSingleShot(true);
    QElapsedTimer sinceCancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        sinceCancel.start();
        spell.Dialog()->BtnCancel->click();
    });
    cancel.start(std::max(1, int(ours * 1000 / 3)));
    const bool cancelled = !spell.CheckOutsideTags(editor);
    const double stopMs = sinceCancel.isValid() ? Ms(sinceCancel) : -1;
    Out("    Cancel during the scan          %s, stopped %.1f ms after the click\n",
        cancelled ? "stopped the check" : "DID NOT STOP", stopMs);
    Spell::TSpellAnswerHook::Set(nullptr);

    const double theirsRate = HunspellListRate(textPath, double(words));
    const double ratio = theirsRate > 0 ? oursRate / theirsRate : 0;
    if (theirsRate > 0)
        Out("    ratio                           %8.1f x\n", ratio);
    Record("spell check 10 MB page, words/s vs hunspell -l",
           theirsRate > 0 ? QStringLiteral("%1x (%2 s)").arg(ratio, 0, 'f', 1).arg(ours, 0, 'f', 2)
                          : QStringLiteral("%1 s, no hunspell").arg(ours, 0, 'f', 2),
           ">= 5x hunspell", completed && theirsRate > 0 && ratio >= TargetRatio);
    Record("spell check: Cancel stops, longest pause", QStringLiteral("%1 ms / %2 ms").arg(stopMs, 0, 'f', 0).arg(longestPause, 0, 'f', 0),
           "stops; pause <= 100 ms", cancelled && longestPause <= 100);
    Out("\nSummary: spell check figures with a target\n");
    PrintFigures();
    return completed && cancelled ? 0 : 1;
}
