#pragma once

#include <QWidget>

class QTextBrowser;

// Topic numbers of the help pages (resources/help/topicN.html).
enum THelpTopic {
    htGettingStarted = 1,
    htColorCoding = 2,
    htFilesAndEncodings = 3,
    htKeyboardShortcuts = 46,
};

// The help window: the program's HTML help pages in a browser of their own. One window
// serves every call; it lives until CloseHelp() or the end of the program.
class TfHelp : public QWidget
{
    Q_OBJECT

public:
    explicit TfHelp(QWidget *parent = nullptr);

    // Shows the page of the given file; an empty or missing file shows a note saying
    // the help pages could not be found in helpFolder.
    void ShowPage(const QString &fileName, const QString &helpFolder);

    QTextBrowser *txtPage = nullptr;
};

// Opens the contents page, or topic page N ("topicN.html"; an unknown topic opens the
// contents), from ProgramFolder() + "help/".
void ShowHelpContents(QWidget *parent);
void ShowHelpTopic(int topic, QWidget *parent);

// The help window when one is open, else null.
TfHelp *HelpWindow();
// Closes and deletes the help window.
void CloseHelp();
