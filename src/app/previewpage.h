#pragma once

// The preview of the active document: the "Browse" page with the internal viewer, and
// the external browsers the document is handed to.

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QTextBrowser;
class TfMain;
struct TMainSettings;

class TPreviewPage : public QObject
{
public:
    TPreviewPage(TfMain &main, QTextBrowser *viewer);

    // The viewer's default font, text and link colours and the way browsers get the file.
    void ApplySettings(const TMainSettings &settings);

    // The page control switched: editing commands are off on the Browse page, which
    // shows the active document; back on Edit, temporary preview copies go.
    void PageChanged(int index);
    void ShowInViewer();
    QString ViewerText() const;
    void ViewInExternalBrowser();
    bool LaunchBrowser(const QString &browserPath);
    void EditBrowserList();
    QStringList Browsers() const { return m_browsers; }

    // Test hooks: choose from the browser pop-up list, stand in for the browser list editor.
    std::function<QAction *(const QList<QAction *> &)> m_browserChoiceHook;
    std::function<void()> m_browserListHook;

private:
    TfMain &m_main;
    QTextBrowser *htmlView;
    QStringList m_browsers;
    int m_browserLaunchSetting = 0;
    bool m_viewerBusy = false;
};
