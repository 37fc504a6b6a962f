// The messages of publishing (the rest of publishing.h is widget-free).
#include "projects/publishing.h"

#include "platform/messagebox.h"
#include "platform/programfolder.h"

bool PublishFiles(const QStringList &files, QWidget *parent)
{
    switch (StartPublishing(PublishCommand(), files)) {
    case psStarted: return true;
    case psNoFiles: MessageBox(mkMessage, QStringLiteral("No files passed."), mbOK, parent); return false;
    case psNoCommand:
        MessageBox(mkWarning, PublisherMissingText(ProgramFolder() + QStringLiteral("help/publishing.html")), mbOK,
                   parent);
        return false;
    }
    return false;
}
