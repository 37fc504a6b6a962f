#pragma once

// The document commands of the File menu and the toolbar: new, open, insert, save, save
// as, save all, close, close all, export, print, files dropped on the tabs, the command
// line's file, the recently-used list, a page from the Web and publishing.

#include <QObject>
#include <QStringList>

#include "app/mrulist.h"
#include "editor/colorcoding.h"

class QPrinter;
class TfMain;

class TDocumentCommands : public QObject
{
public:
    explicit TDocumentCommands(TfMain &main);

    // The recently-used list from the store, into the Reopen menu; saved at close.
    void LoadRecentFiles();
    void SaveRecentFiles() const;
    const TMRUList &MRU() const { return m_mru; }

    void NewDocument();
    void NewFromTemplate(const QString &templateFile);
    bool OpenDocument(const QString &fileName = QString());
    // A file of the file panel in a tab: brought to the front when it is open already,
    // otherwise added without entering the recently-used list.
    void EditFile(const QString &fileName);
    void InsertDocument(const QString &fileName = QString());
    bool SaveActive();
    bool SaveAsActive();
    void SaveAll();
    // Asks to save a modified active document: false when the user cancels (cancelled is
    // then set) or the save fails.
    bool SavePrompt(bool *cancelled = nullptr);
    void CloseActive();
    bool CloseAll();
    void ExportUnix();
    void PrintActive();
    bool PrintActiveTo(QPrinter &printer);
    void OpenFromCommandLine(const QString &argument);
    void DropFiles(const QStringList &paths);
    // File > Open from the Web: the page at an address in a new untitled document. While it
    // is fetched the window is busy and Escape stops it.
    void OpenFromWeb();
    // The toolbar's Publish: the active document's file, saved first when the user asks.
    void PublishActive();
    // The projects dialog; a project chosen in it becomes the current project.
    void ShowProjects();
    // Search > Extended Replace: the dialog is made on first use and kept for the run.
    void ShowExtendedReplace();
    // The file of the last project chosen in the projects dialog; empty when none. Close All
    // clears it.
    QString CurrentProject() const { return m_currentProject; }
    void SetCurrentProject(const QString &path) { m_currentProject = path; }

private:
    void RefreshMRUMenu();
    // Open's check: a file already open has its tab brought to the front, after the notice.
    bool ActivateIfOpen(const QString &fileName);
    // After a document came or went: pop-up menus, caption, menus' state.
    void DocumentsChanged();
    QString Filter() const;
    TColorCodeMode ActiveMode() const;
    bool ActiveWrap() const;

    TfMain &m_main;
    TMRUList m_mru;
    QString m_currentProject;
    class TfReplace *m_extReplace = nullptr;
};
