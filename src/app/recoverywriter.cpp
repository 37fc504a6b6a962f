#include "app/recoverywriter.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/htmltab.h"
#include "app/mainwindow.h"
#include "editor/richhtml.h"
#include "platform/messagebox.h"

TRecoveryWriter::TRecoveryWriter(TkrHTMLTab *tabs, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_folder(RecoveryFolder()), m_instance(NewRecoveryInstance())
{
    m_settings.Load();
    m_pool.setMaxThreadCount(1); // one write after the other, removals in their turn
    QDir().mkpath(m_folder);
    m_lock = std::make_unique<QLockFile>(m_folder + u'/' + m_instance + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    m_lock->tryLock(0);
    m_clock.start();
    connect(&m_timer, &QTimer::timeout, this, &TRecoveryWriter::Poll);
    if (m_settings.Enabled)
        m_timer.start(PollMSecs);
}

TRecoveryWriter::~TRecoveryWriter()
{
    m_timer.stop();
    m_pool.waitForDone();
    for (const TDocument &doc : std::as_const(m_documents))
        RemoveRecoveryCopy(m_folder, doc.BaseName);
    m_lock->unlock();
}

TRecoveryWriter::TDocument &TRecoveryWriter::DocumentOf(TkrRichHTML *editor)
{
    for (TDocument &doc : m_documents)
        if (doc.Editor == editor)
            return doc;
    TDocument doc;
    doc.Editor = editor;
    doc.BaseName = QStringLiteral("%1-%2").arg(m_instance).arg(m_nextSerial++);
    // A closed document's copy goes at once; saving or reverting makes it unmodified.
    const QString base = doc.BaseName;
    connect(editor, &QObject::destroyed, this, [this, base] { RemoveCopy(base); });
    connect(editor, &TkrRichHTML::OnModifyStatusChange, this, [this, editor] {
        if (!editor->Modified())
            Remove(DocumentOf(editor));
    });
    m_documents.append(doc);
    return m_documents.last();
}

void TRecoveryWriter::RemoveCopy(const QString &baseName)
{
    for (qsizetype i = 0; i < m_documents.size(); ++i) {
        if (m_documents.at(i).BaseName == baseName) {
            m_documents.removeAt(i);
            break;
        }
    }
    const QString folder = m_folder;
    m_pool.start([folder, baseName] { RemoveRecoveryCopy(folder, baseName); });
}

void TRecoveryWriter::Remove(TDocument &doc)
{
    doc.RevisionWritten = -1;
    doc.UnwrittenSince = -1;
    if (!doc.HasCopy)
        return;
    doc.HasCopy = false;
    const QString folder = m_folder, base = doc.BaseName;
    m_pool.start([folder, base] { RemoveRecoveryCopy(folder, base); });
}

void TRecoveryWriter::Write(TDocument &doc, int tabOrder)
{
    TkrRichHTML *e = doc.Editor;
    TRecoveryRecord record;
    record.Path = e->Filename();
    const TTextFileFormat format = e->FileFormat();
    record.Encoding = format.Encoding;
    record.ByteOrderMark = format.ByteOrderMark;
    record.LineEnd = format.LineEnd;
    record.Caret = e->SelStart();
    record.TabOrder = tabOrder;
    record.Time = QDateTime::currentDateTimeUtc();
    doc.RevisionWritten = doc.RevisionSeen;
    doc.UnwrittenSince = -1;
    doc.HasCopy = true;
    ++*doc.Pending;
    const QString folder = m_folder, base = doc.BaseName, text = e->Text();
    auto pending = doc.Pending;
    m_pool.start([this, folder, base, text, record, pending] {
        QString error;
        WriteRecoveryCopy(folder, base, text, record, error); // a failed copy is tried again later
        --*pending;
        ++m_writesDone;
    });
}

void TRecoveryWriter::Poll()
{
    const qint64 now = m_clock.elapsed();
    const qint64 interval = qint64(m_settings.IntervalSeconds) * 1000;
    for (int i = 0; i < m_tabs->DocumentCount(); ++i) {
        TkrRichHTML *e = m_tabs->Editor(i);
        TDocument &doc = DocumentOf(e);
        if (!e->Modified()) {
            Remove(doc);
            continue;
        }
        const int revision = e->document()->revision();
        if (revision != doc.RevisionSeen) {
            doc.RevisionSeen = revision;
            doc.ChangedAt = now;
        }
        if (revision == doc.RevisionWritten)
            continue;
        if (doc.UnwrittenSince < 0)
            doc.UnwrittenSince = doc.ChangedAt;
        // A copy still on its way is not overtaken by another of the same document.
        if (doc.Pending->load() > 0)
            continue;
        if (now - doc.ChangedAt >= PauseMSecs || now - doc.UnwrittenSince >= interval)
            Write(doc, i);
    }
}

void TRecoveryWriter::WriteAll()
{
    for (int i = 0; i < m_tabs->DocumentCount(); ++i) {
        TkrRichHTML *e = m_tabs->Editor(i);
        TDocument &doc = DocumentOf(e);
        if (e->Modified()) {
            doc.RevisionSeen = e->document()->revision();
            Write(doc, i);
        }
    }
}

// ---- The question at start ----

namespace {

QString DocumentName(const TRecoveredDocument &doc)
{
    QString name = doc.Record.Path.isEmpty() ? QStringLiteral("[Untitled]") : doc.Record.Path;
    if (doc.Record.Time.isValid())
        name += QStringLiteral("  (%1)").arg(doc.Record.Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    if (!doc.Note.isEmpty())
        name += QStringLiteral(" - note: ") + doc.Note;
    return name;
}

std::optional<QList<int>> AskRecovery(QWidget *parent, const QString &text, const QStringList &items)
{
    if (auto &hook = TRecoveryQuestionHook::Get())
        return hook(text, items);
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Recover Documents"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(text, &dialog));
    auto *list = new QListWidget(&dialog);
    for (const QString &item : items) {
        auto *row = new QListWidgetItem(item, list);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(Qt::Checked);
    }
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QList<int> chosen;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            chosen << i;
    return chosen;
}

// Puts one recovered document in a tab: the start's empty untitled document, the tab of its
// file when that is open already, or a new tab.
void OpenRecovered(TfMain &main, const TRecoveredDocument &doc)
{
    TkrHTMLTab *tabs = main.HTMLTab();
    const QString path = doc.Record.Path;
    int index = path.isEmpty() ? -1 : tabs->IndexOfFile(path);
    if (index >= 0 && tabs->Editor(index)->Modified())
        index = -1;
    if (index < 0 && tabs->DocumentCount() == 1 && tabs->FileName(0).isEmpty() && !tabs->Editor(0)->Modified() &&
        tabs->Editor(0)->TextLength() == 0)
        index = 0;
    if (index < 0) {
        TkrRichHTML *active = main.ActiveEditor();
        tabs->AddDocument(QString(), active->ColorCodeMode(), active->lineWrapMode() != QPlainTextEdit::NoWrap);
        index = tabs->TabIndex();
    }
    tabs->SetTabIndex(index);
    TkrRichHTML *e = tabs->Editor(index);
    e->ReplaceText(0, e->TextLength(), doc.Text);
    e->ClearUndo();
    TTextFileFormat format;
    format.Encoding = doc.Record.Encoding;
    format.ByteOrderMark = doc.Record.ByteOrderMark;
    format.LineEnd = doc.Record.LineEnd;
    e->BindFile(path, format);
    tabs->SetFileName(index, path);
    e->Select(std::clamp(doc.Record.Caret, 0, e->TextLength()), 0);
    e->SetModified(true);
}

} // namespace

void OfferRecovery(TfMain &main, TRecoveryWriter &writer)
{
    std::vector<std::unique_ptr<QLockFile>> claimed;
    const QList<TRecoveredDocument> found = FindStaleRecovery(writer.Folder(), writer.Instance(), claimed);
    if (found.isEmpty())
        return;
    QStringList items;
    for (const TRecoveredDocument &doc : found)
        items << DocumentName(doc);
    const QString text = QStringLiteral("Pendwick closed unexpectedly. Recover %1 unsaved document(s)?").arg(found.size());
    const std::optional<QList<int>> chosen = AskRecovery(&main, text, items);
    if (!chosen) {
        // A slip of the hand must not lose them: the copies go only on a second word.
        if (MessageBox(mkConfirm,
                       QStringLiteral("Delete the recovered copies of %1 unsaved document(s)? They cannot be brought back.")
                           .arg(found.size()),
                       mbYes | mbNo, &main) == mbYes)
            DiscardRecovery(writer.Folder(), found, claimed);
        return;
    }
    QList<TRecoveredDocument> opened;
    QStringList notes;
    for (int i : *chosen) {
        if (i < 0 || i >= found.size())
            continue;
        OpenRecovered(main, found.at(i));
        opened << found.at(i);
        if (!found.at(i).Note.isEmpty())
            notes << DocumentName(found.at(i));
    }
    main.AttachEditors();
    main.UpdateCaption();
    main.RefreshForActiveDocument();
    // The documents are modified in this instance now, which writes copies of its own.
    writer.WriteAll();
    writer.WaitForWrites();
    DiscardRecovery(writer.Folder(), opened, claimed);
    if (!notes.isEmpty())
        MessageBox(mkWarning, QStringLiteral("Some documents could not be recovered whole:\n") + notes.join(u'\n'), mbOK, &main);
}
