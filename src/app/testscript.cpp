#include "app/testscript.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QTimer>

#include "app/htmltab.h"
#include "app/mainwindow.h"
#include "app/recoverywriter.h"
#include "editor/richhtml.h"

namespace {

QString Unescaped(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\' && i + 1 < text.size()) {
            ++i;
            out += text.at(i) == u'n' ? QChar(u'\n') : text.at(i);
        } else {
            out += text.at(i);
        }
    }
    return out;
}

void Type(TkrRichHTML *editor, const QString &text)
{
    for (const QChar c : text) {
        const bool enter = c == u'\n';
        QKeyEvent press(QEvent::KeyPress, enter ? Qt::Key_Return : 0, Qt::NoModifier,
                        enter ? QStringLiteral("\r") : QString(c));
        QApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, enter ? Qt::Key_Return : 0, Qt::NoModifier);
        QApplication::sendEvent(editor, &release);
    }
}

void Report(TfMain &main, const QString &fileName)
{
    QJsonArray tabs;
    for (int i = 0; i < main.HTMLTab()->DocumentCount(); ++i) {
        TkrRichHTML *e = main.HTMLTab()->Editor(i);
        tabs.append(QJsonObject{{QStringLiteral("path"), main.HTMLTab()->FileName(i)},
                                {QStringLiteral("modified"), e->Modified()},
                                {QStringLiteral("caret"), e->SelStart()},
                                {QStringLiteral("text"), e->Text()}});
    }
    QFile f(fileName + QStringLiteral(".part"));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(QJsonDocument(tabs).toJson());
        f.close();
        QFile::remove(fileName);
        f.rename(fileName);
    }
}

void RunFrom(TfMain *main, QStringList lines)
{
    while (!lines.isEmpty()) {
        const QString line = lines.takeFirst();
        const QString word = line.section(u' ', 0, 0);
        const QString rest = line.section(u' ', 1);
        if (word == QLatin1String("wait")) {
            QTimer::singleShot(rest.toInt(), main, [main, lines] { RunFrom(main, lines); });
            return;
        }
        if (word == QLatin1String("new")) {
            TkrRichHTML *active = main->ActiveEditor();
            main->HTMLTab()->AddDocument(QString(), active->ColorCodeMode(), false);
            main->AttachEditors();
            main->RefreshForActiveDocument();
        } else if (word == QLatin1String("open")) {
            main->OpenDocument(rest);
        } else if (word == QLatin1String("type")) {
            Type(main->ActiveEditor(), Unescaped(rest));
        } else if (word == QLatin1String("report")) {
            Report(*main, rest);
        }
    }
}

} // namespace

void RunTestScript(TfMain &main)
{
    const QString fileName = qEnvironmentVariable("PENDWICK_TEST_SCRIPT");
    if (fileName.isEmpty())
        return;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QStringList lines;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.startsWith(QLatin1String("recover "))) {
            const bool yes = line.mid(8).trimmed() == QLatin1String("yes");
            TRecoveryQuestionHook::Set([yes](const QString &, const QStringList &items) -> std::optional<QList<int>> {
                if (!yes)
                    return std::nullopt;
                QList<int> all;
                for (int i = 0; i < items.size(); ++i)
                    all << i;
                return all;
            });
        } else if (!line.trimmed().isEmpty()) {
            lines << line;
        }
    }
    QTimer::singleShot(0, &main, [m = &main, lines] { RunFrom(m, lines); });
}
