#include "app/htmltab.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/messagebox.h"
#include "editor/richhtml.h"
#include "platform/dropfiles.h"

namespace {

const QString UntitledCaption = QStringLiteral("[Untitled]");

// A modified document's tab is this much wider; the mark sits in the extra room.
constexpr int ModifiedExtraWidth = 18;
constexpr int ModifiedCaptionShift = 16;

// The tab strip: a bottom tab bar whose tabs for modified documents carry a red mark in
// front of the caption. Whether a tab is modified is kept in its tab data.
class TDocumentTabBar : public QTabBar
{
public:
    explicit TDocumentTabBar(QWidget *parent) : QTabBar(parent) {}

    bool TabModified(int index) const { return tabData(index).toBool(); }

    void SetTabModified(int index, bool modified)
    {
        if (index < 0 || index >= count())
            return;
        setTabData(index, modified);
        // Setting the caption again is what makes QTabBar lay its tabs out anew, so the
        // tab takes its new width.
        setTabText(index, tabText(index));
        update();
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (TabModified(index))
            size.rwidth() += ModifiedExtraWidth;
        return size;
    }

    void paintEvent(QPaintEvent *e) override
    {
        QStylePainter p(this);
        if (drawBase()) {
            QStyleOptionTabBarBase base;
            base.initFrom(this);
            base.shape = shape();
            base.documentMode = documentMode();
            const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
            base.rect = QRect(0, 0, width(), overlap);
            if (currentIndex() >= 0)
                base.selectedTabRect = tabRect(currentIndex());
            p.drawPrimitive(QStyle::PE_FrameTabBarBase, base);
        }
        // The current tab is drawn last, as it overlaps its neighbours.
        for (int i = 0; i < count(); ++i)
            if (i != currentIndex())
                DrawTab(p, i, e->rect());
        if (currentIndex() >= 0)
            DrawTab(p, currentIndex(), e->rect());
    }

private:
    void DrawTab(QStylePainter &p, int index, const QRect &dirty)
    {
        QStyleOptionTab opt;
        initStyleOption(&opt, index);
        if (!opt.rect.intersects(dirty))
            return;
        p.drawControl(QStyle::CE_TabBarTabShape, opt);
        if (TabModified(index)) {
            const QRect r = opt.rect;
            p.save();
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(Qt::black);
            p.setBrush(Qt::red);
            // Covers (left + 4, top + 6) up to (left + 12, top + 14), outline included.
            p.drawRect(QRect(r.left() + 4, r.top() + 6, 7, 7));
            p.restore();
            opt.rect.setLeft(r.left() + ModifiedCaptionShift);
        }
        p.drawControl(QStyle::CE_TabBarTabLabel, opt);
    }
};

QString CaptionFor(const QString &fileName)
{
    return fileName.isEmpty() ? UntitledCaption : QFileInfo(fileName).fileName();
}

bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

// Shows the hourglass and marks the tab set as adding for the length of a scope.
class TAddingScope
{
public:
    explicit TAddingScope(bool &adding) : m_adding(adding), m_was(adding)
    {
        m_adding = true;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TAddingScope()
    {
        QGuiApplication::restoreOverrideCursor();
        m_adding = m_was;
    }
    TAddingScope(const TAddingScope &) = delete;
    TAddingScope &operator=(const TAddingScope &) = delete;

private:
    bool &m_adding;
    bool m_was;
};

} // namespace

TkrHTMLTab::TkrHTMLTab(QWidget *parent) : QWidget(parent)
{
    m_stack = new QStackedWidget(this);
    auto *bar = new TDocumentTabBar(this);
    bar->setShape(QTabBar::RoundedSouth);
    bar->setExpanding(false);
    bar->setUsesScrollButtons(true);
    bar->setFocusPolicy(Qt::NoFocus);
    m_tabBar = bar;

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_tabBar);

    connect(m_tabBar, &QTabBar::currentChanged, this, &TkrHTMLTab::TabChanged);
    AddDocument(QString(), ccFull, false);
}

TkrHTMLTab::~TkrHTMLTab()
{
    // The editors go with the stack after this object has stopped being a TkrHTMLTab;
    // nothing they report on the way out may reach it.
    m_tabBar->disconnect(this);
    for (const Document &doc : m_documents) {
        doc.Editor->disconnect(this);
        doc.Editor->removeEventFilter(this);
    }
}

bool TkrHTMLTab::AddDocument(const QString &fileName, TColorCodeMode mode, bool wordWrap)
{
    TAddingScope adding(m_adding);
    m_lastError.clear();

    auto *editor = new TkrRichHTML(m_stack);
    editor->hide();
    editor->setFrameShape(QFrame::NoFrame);
    if (!m_fontRegistryKey.isEmpty())
        editor->ReadFontSettings(m_fontRegistryKey);
    editor->SetColorCodeMode(mode);
    editor->SetForegroundColor(m_foreground);
    editor->SetBackgroundColor(m_background);
    editor->setLineWrapMode(wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    editor->SetTabWidth(m_tabWidth);
    ConnectEditor(editor);

    // A pristine untitled document is replaced by the first document opened or created.
    const bool replacePristine = DocumentCount() == 1 && TabCaption(0) == UntitledCaption
                                 && FileName(0).isEmpty() && !m_documents[0].Editor->Modified();

    // The tab carries the file's name, in front, while the file is read; a file that cannot
    // be read takes its tab away again and leaves the set as it was (the pristine untitled
    // document included). Until the file is in, the tab set reports no change of tab.
    const int previous = TabIndex();
    const int index = DocumentCount();
    m_documents.push_back({fileName, editor});
    m_stack->addWidget(editor);
    {
        const QSignalBlocker quiet(m_tabBar);
        m_tabBar->addTab(CaptionFor(fileName));
        m_tabBar->setCurrentIndex(index);
        m_stack->setCurrentWidget(editor);
    }
    if (!fileName.isEmpty()) {
        if (QFileInfo(fileName).size() >= TkrRichHTML::OpeningProgressBytes && window()->isVisible()) {
            // Reading holds the event loop: show the new tab before it starts.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            window()->repaint();
        }
        m_loading = editor;
        const bool loaded = editor->LoadDocument(fileName);
        m_loading = nullptr;
        if (!loaded) {
            m_lastError = editor->LastError();
            {
                const QSignalBlocker quiet(m_tabBar);
                m_documents.pop_back();
                m_stack->removeWidget(editor);
                m_tabBar->removeTab(index);
                m_tabBar->setCurrentIndex(previous);
                if (TkrRichHTML *shown = Editor(previous))
                    m_stack->setCurrentWidget(shown);
            }
            delete editor;
            return false;
        }
    }
    if (replacePristine) {
        const QSignalBlocker quiet(m_tabBar);
        RemovePage(0);
    }
    TabChanged(TabIndex()); // the new document is in front now
    return true;
}

void TkrHTMLTab::ConnectEditor(TkrRichHTML *editor)
{
    editor->installEventFilter(this);
    auto selectionChanged = [this, editor] {
        if (!m_adding && IsActive(editor))
            emit OnActiveDocSelectionChange(this);
    };
    connect(editor, &QPlainTextEdit::selectionChanged, this, selectionChanged);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, selectionChanged);
    connect(editor, &QPlainTextEdit::textChanged, this, [this, editor] {
        if (!m_adding && IsActive(editor))
            emit OnActiveDocChange(this);
    });
    connect(editor, &TkrRichHTML::OnInsertModeChange, this, [this](TkrRichHTML *sender, bool insertMode) {
        if (IsActive(sender))
            emit OnActiveDocInsertModeChange(this, insertMode);
    });
    connect(editor, &TkrRichHTML::OnModifyStatusChange, this, [this](TkrRichHTML *sender) {
        RefreshTab(IndexOfEditor(sender));
        if (!m_adding && IsActive(sender))
            emit OnActiveDocModifyStatusChange(this);
    });
    connect(editor, &TkrRichHTML::OnProgressChange, this, [this](TkrRichHTML *sender, int value) {
        // A file being opened reports its colouring progress before its tab exists.
        if (IsActive(sender) || sender == m_loading)
            emit OnActiveDocProgressChange(this, value);
    });
    connect(editor, &TkrRichHTML::OnDocumentSaved, this, [this](TkrRichHTML *sender) {
        const int index = IndexOfEditor(sender);
        if (index >= 0)
            SetFileName(index, sender->Filename());
    });
    connect(editor, &TkrRichHTML::OnFilesDropped, this, [this](TkrRichHTML *, const QStringList &paths) {
        emit OnDropFiles(this, paths);
    });
}

void TkrHTMLTab::DeletePage(int index)
{
    if (index > DocumentCount() - 1) {
        ShowMessage(QStringLiteral("Error - page does not exist"));
        return;
    }
    if (index < 0)
        return;
    if (index == 0 && DocumentCount() == 1) {
        // The last document is never removed; it becomes an empty untitled one.
        TkrRichHTML *editor = m_documents[0].Editor;
        m_documents[0].FileName.clear();
        m_tabBar->setTabText(0, UntitledCaption);
        editor->LoadDocument(QString()); // empties the text, file name, history and modified flag
        return;
    }
    RemovePage(index);
}

// Takes a document out of the set. The editor is deleted later, since the request may
// come from one of its own events (a key press, a drop).
void TkrHTMLTab::RemovePage(int index)
{
    TkrRichHTML *editor = m_documents[size_t(index)].Editor;
    editor->StopColorCoding(); // its progress, if shown, ends before it goes
    editor->disconnect(this);
    editor->removeEventFilter(this);
    m_documents.erase(m_documents.begin() + index);
    m_stack->removeWidget(editor);
    // The tab goes last: removing it may activate another tab, whose document must
    // already be where the new index says.
    m_tabBar->removeTab(index);
    editor->deleteLater();
}

bool TkrHTMLTab::Reload(int index)
{
    TkrRichHTML *editor = Editor(index);
    if (!editor)
        return false;
    const bool loaded = editor->LoadDocument(FileName(index));
    m_lastError = editor->LastError();
    return loaded;
}

int TkrHTMLTab::DocumentCount() const
{
    return int(m_documents.size());
}

TkrRichHTML *TkrHTMLTab::Editor(int index) const
{
    return index >= 0 && index < DocumentCount() ? m_documents[size_t(index)].Editor : nullptr;
}

TkrRichHTML *TkrHTMLTab::ActiveEditor() const
{
    return Editor(TabIndex());
}

QString TkrHTMLTab::FileName(int index) const
{
    return index >= 0 && index < DocumentCount() ? m_documents[size_t(index)].FileName : QString();
}

void TkrHTMLTab::SetFileName(int index, const QString &fileName)
{
    if (index < 0 || index >= DocumentCount())
        return;
    m_documents[size_t(index)].FileName = fileName;
    m_tabBar->setTabText(index, CaptionFor(fileName));
}

int TkrHTMLTab::IndexOfFile(const QString &fileName) const
{
    if (fileName.isEmpty())
        return -1;
    for (int i = 0; i < DocumentCount(); ++i) {
        const QString &name = m_documents[size_t(i)].FileName;
        if (!name.isEmpty() && SameFile(name, fileName))
            return i;
    }
    return -1;
}

QString TkrHTMLTab::TabCaption(int index) const
{
    return m_tabBar->tabText(index);
}

int TkrHTMLTab::TabIndex() const
{
    return m_tabBar->currentIndex();
}

void TkrHTMLTab::SetTabIndex(int index)
{
    // Clicks and calls both arrive in TabChanged through currentChanged.
    m_tabBar->setCurrentIndex(index);
}

void TkrHTMLTab::TabChanged(int index)
{
    TkrRichHTML *editor = Editor(index);
    if (!editor)
        return;
    m_stack->setCurrentWidget(editor);
    if (editor->isVisible() && editor->isEnabled())
        editor->setFocus();
    // The progress bar shows the run of the document in front, if it has one.
    if (!m_adding) {
        const int progress = editor->ProgressValue();
        emit OnActiveDocProgressChange(this, progress < 0 ? 100 : 0);
        if (progress > 0)
            emit OnActiveDocProgressChange(this, progress);
    }
    emit OnDocumentTabClick(this);
    if (!m_adding)
        emit OnPageChange(this);
}

void TkrHTMLTab::RefreshTab(int index)
{
    if (TkrRichHTML *editor = Editor(index))
        static_cast<TDocumentTabBar *>(m_tabBar)->SetTabModified(index, editor->Modified());
}

bool TkrHTMLTab::IsActive(const TkrRichHTML *editor) const
{
    return editor && editor == ActiveEditor();
}

int TkrHTMLTab::IndexOfEditor(const TkrRichHTML *editor) const
{
    for (int i = 0; i < DocumentCount(); ++i)
        if (m_documents[size_t(i)].Editor == editor)
            return i;
    return -1;
}

void TkrHTMLTab::SetTabWidth(int points)
{
    m_tabWidth = points;
    for (const Document &doc : m_documents)
        doc.Editor->SetTabWidth(points);
}

void TkrHTMLTab::SetDocumentBackgroundColor(TColor c)
{
    m_background = c;
    for (const Document &doc : m_documents)
        doc.Editor->SetBackgroundColor(c);
}

void TkrHTMLTab::SetDocumentForegroundColor(TColor c)
{
    m_foreground = c;
    for (const Document &doc : m_documents)
        doc.Editor->SetForegroundColor(c);
}

void TkrHTMLTab::SetAcceptFiles(bool on)
{
    // Drops on the tab strip come here too: Qt offers a drag to the parent of a widget
    // that does not take drops.
    m_acceptFiles = on;
    setAcceptDrops(on);
}

bool TkrHTMLTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *editor = qobject_cast<TkrRichHTML *>(watched);
        auto *ke = static_cast<QKeyEvent *>(event);
        // Escape and Ctrl+] (ASCII 29) belong to the editor alone.
        const bool ctrlBracket = ke->text() == QChar(29)
                                 || (ke->key() == Qt::Key_BracketRight && (ke->modifiers() & Qt::ControlModifier));
        if (IsActive(editor) && ke->key() != Qt::Key_Escape && !ctrlBracket)
            emit OnActiveDocKeyPress(this, ke);
    }
    return QWidget::eventFilter(watched, event);
}

void TkrHTMLTab::dragEnterEvent(QDragEnterEvent *e)
{
    if (m_acceptFiles && !LocalFilesOf(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TkrHTMLTab::dropEvent(QDropEvent *e)
{
    const QStringList paths = LocalFilesOf(e->mimeData());
    if (!m_acceptFiles || paths.isEmpty()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    emit OnDropFiles(this, paths);
}
