#include "app/toolbaricons.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

QIcon ToolbarIcon(const QString &name)
{
    static const QHash<QString, QStyle::StandardPixmap> icons = {
        {"spdNew", QStyle::SP_FileIcon},
        {"spdOpen", QStyle::SP_DialogOpenButton},
        {"spdSave", QStyle::SP_DialogSaveButton},
        {"spdProjects", QStyle::SP_DirIcon},
        {"spdSpellCheck", QStyle::SP_DialogApplyButton},
        {"spdFind", QStyle::SP_FileDialogContentsView},
        {"spdReplace", QStyle::SP_BrowserReload},
        {"spdExtReplace", QStyle::SP_FileDialogDetailedView},
        {"spdRulers", QStyle::SP_ToolBarHorizontalExtensionButton},
        {"spdFullScreen", QStyle::SP_TitleBarMaxButton},
        {"spdExternalBrowser", QStyle::SP_ComputerIcon},
        {"spdCut", QStyle::SP_DialogDiscardButton},
        {"spdCopy", QStyle::SP_FileLinkIcon},
        {"spdPaste", QStyle::SP_DialogResetButton},
        {"spdPublish", QStyle::SP_DriveNetIcon},
        {"spdSettings", QStyle::SP_FileDialogListView},
        {"spdUndo", QStyle::SP_ArrowBack},
        {"spdIndent", QStyle::SP_ArrowRight},
        {"spdUnindent", QStyle::SP_ArrowLeft},
        {"spdTagSelection", QStyle::SP_FileDialogInfoView},
        {"spdDocList", QStyle::SP_DirOpenIcon},
        {"spdHelp", QStyle::SP_DialogHelpButton},
    };
    const auto it = icons.find(name);
    return it == icons.end() ? QIcon() : QApplication::style()->standardIcon(*it);
}
