#pragma once

// The recovery copies of a running instance: while a document is modified its text is
// written to the recovery folder about two seconds after typing pauses, and at least every
// "IntervalSeconds" while typing goes on; the copy goes as soon as the document is saved,
// closed or unmodified again, and a clean exit leaves none. The text is taken on the GUI
// thread (a copy of the editor's text); encoding and writing happen in a worker thread.
// At start, the copies of instances that ended without cleaning up are offered back.

#include <QElapsedTimer>
#include <QList>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

#include "app/recovery.h"
#include "platform/testhook.h"

class TfMain;
class TkrHTMLTab;
class TkrRichHTML;

class TRecoveryWriter : public QObject
{
public:
    static constexpr int PauseMSecs = 2000;
    static constexpr int PollMSecs = 500;

    explicit TRecoveryWriter(TkrHTMLTab *tabs, QObject *parent = nullptr);
    // Removes this instance's copies and its lock: the clean exit.
    ~TRecoveryWriter() override;

    QString Instance() const { return m_instance; }
    QString Folder() const { return m_folder; }
    const TRecoverySettings &Settings() const { return m_settings; }
    // Looks at every document: writes the copies that are due, removes those no longer needed.
    void Poll();
    // Writes every modified document's copy now (queued to the worker).
    void WriteAll();
    // Blocks until the worker has written and removed all it was given.
    void WaitForWrites() { m_pool.waitForDone(); }
    // Writes that completed, for tests and the benchmark.
    int WritesDone() const { return m_writesDone.load(); }

private:
    struct TDocument
    {
        QPointer<TkrRichHTML> Editor;
        QString BaseName;
        int RevisionSeen = -1;
        int RevisionWritten = -1;
        qint64 ChangedAt = 0;      // when the text last changed
        qint64 UnwrittenSince = -1; // the first change not in the copy yet
        bool HasCopy = false;
        std::shared_ptr<std::atomic<int>> Pending = std::make_shared<std::atomic<int>>(0);
    };
    TDocument &DocumentOf(TkrRichHTML *editor);
    void Write(TDocument &doc, int tabOrder);
    void Remove(TDocument &doc);
    void RemoveCopy(const QString &baseName);

    TkrHTMLTab *m_tabs;
    TRecoverySettings m_settings;
    QString m_folder;
    QString m_instance;
    std::unique_ptr<QLockFile> m_lock;
    QList<TDocument> m_documents;
    int m_nextSerial = 1;
    QElapsedTimer m_clock;
    QTimer m_timer;
    QThreadPool m_pool;
    std::atomic<int> m_writesDone{0};
};

// The question after a crash: the text, one line per document (its name and a note); the
// answer is the rows chosen with Yes, or nothing for No.
struct TRecoveryQuestionTag;
using TRecoveryQuestionHook =
    THook<std::optional<QList<int>>(const QString &text, const QStringList &items), TRecoveryQuestionTag>;

// Offers the copies of instances that ended; the chosen ones open as modified tabs bound to
// their files (or untitled), with the caret where it was. Nothing is written to the files.
void OfferRecovery(TfMain &main, TRecoveryWriter &writer);
