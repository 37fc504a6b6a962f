#pragma once

#include <vector>

#include <QStringList>
#include <QWidget>

#include "editor/colorcoding.h"
#include "platform/colortypes.h"

class QKeyEvent;
class QStackedWidget;
class QTabBar;
class TkrRichHTML;

// The document tab set: one editor per open document, a tab strip at the bottom, only
// the active editor visible. There is always at least one document; closing the last one
// resets it to an empty "[Untitled]" document.
class TkrHTMLTab : public QWidget
{
    Q_OBJECT

public:
    explicit TkrHTMLTab(QWidget *parent = nullptr);
    ~TkrHTMLTab() override;

    // Adds a document and makes it active. With a file name the editor loads the file; when
    // that fails the new tab is removed again (no tab is left bound to a file it could not
    // read), LastError() says why and the result is false.
    bool AddDocument(const QString &fileName, TColorCodeMode mode, bool wordWrap);
    // Removes the document at index, or resets it when it is the only one. An index past the
    // end shows "Error - page does not exist"; a negative index does nothing.
    void DeletePage(int index);
    void CloseActive() { DeletePage(TabIndex()); }
    // Loads the document's file again (clears its modified flag).
    bool Reload(int index);

    int DocumentCount() const;
    TkrRichHTML *Editor(int index) const;
    TkrRichHTML *ActiveEditor() const;
    QString FileName(int index) const;
    void SetFileName(int index, const QString &fileName); // also renames the tab
    // The open document that is the same file as fileName on this file system, or -1.
    int IndexOfFile(const QString &fileName) const;
    QString TabCaption(int index) const;
    QString LastError() const { return m_lastError; }

    int TabIndex() const;
    void SetTabIndex(int index);

    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int points);                  // handed to every editor
    TColor DocumentBackgroundColor() const { return m_background; }
    void SetDocumentBackgroundColor(TColor c);     // handed to every editor
    TColor DocumentForegroundColor() const { return m_foreground; }
    void SetDocumentForegroundColor(TColor c);     // handed to every editor
    QString FontRegistryKey() const { return m_fontRegistryKey; }
    void SetFontRegistryKey(const QString &key) { m_fontRegistryKey = key; }
    bool AcceptFiles() const { return m_acceptFiles; }
    void SetAcceptFiles(bool on);
    bool AllowTabChange = false;
    bool Adding() const { return m_adding; }
    QTabBar *TabStrip() const { return m_tabBar; }

signals:
    void OnActiveDocChange(TkrHTMLTab *sender);             // the active document's text changed
    void OnActiveDocSelectionChange(TkrHTMLTab *sender);
    void OnActiveDocKeyPress(TkrHTMLTab *sender, QKeyEvent *e);
    void OnActiveDocInsertModeChange(TkrHTMLTab *sender, bool insertMode);
    void OnActiveDocModifyStatusChange(TkrHTMLTab *sender);
    void OnActiveDocProgressChange(TkrHTMLTab *sender, int value);
    void OnDocumentTabClick(TkrHTMLTab *sender);
    void OnDropFiles(TkrHTMLTab *sender, const QStringList &paths);
    void OnPageChange(TkrHTMLTab *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    struct Document
    {
        QString FileName;
        TkrRichHTML *Editor = nullptr;
    };

    void ConnectEditor(TkrRichHTML *editor);
    int IndexOfEditor(const TkrRichHTML *editor) const;
    bool IsActive(const TkrRichHTML *editor) const;
    void RemovePage(int index);
    void TabChanged(int index);
    void RefreshTab(int index);

    std::vector<Document> m_documents;
    TkrRichHTML *m_loading = nullptr; // the editor AddDocument is loading a file into
    QString m_lastError;
    int m_tabWidth = 20;
    TColor m_background = Colors::clWindow;
    TColor m_foreground = Colors::clBlack;
    QString m_fontRegistryKey;
    bool m_acceptFiles = false;
    bool m_adding = false;
    QTabBar *m_tabBar = nullptr;
    QStackedWidget *m_stack = nullptr;
};
