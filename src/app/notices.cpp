#include "app/notices.h"

#include "platform/configstore.h"

TNotice NoticeInfo(int n)
{
    switch (n) {
    case ntDeleteFile:
        return {QStringLiteral("DeleteFile"), QStringLiteral("Delete Information"), false,
                QStringLiteral("Note: Deleted files are sent to the recycle bin.")};
    case ntRemoteFileNotHTML:
        return {QStringLiteral("RemoteFileNotHTML"), QStringLiteral("Warning"), true,
                QStringLiteral("This URL points to a file that may not be an HTML document.  Continue?")};
    case ntFileAlreadyOpen:
        return {QStringLiteral("FileAlreadyOpen"), QStringLiteral("Already Open"), false,
                QStringLiteral("Selecting a document that is already open will bring the existing "
                               "document to the front tab.")};
    case ntBrowserCaps:
        return {QStringLiteral("BrowserCaps"), QStringLiteral("Browser"), false,
                QStringLiteral("Please note that the internal browser doesn't support newer HTML "
                               "extensions, such as frames and style sheets.")};
    case ntFullScreen:
        return {QStringLiteral("FullScreen"), QStringLiteral("Full Screen"), false,
                QStringLiteral("To toggle back from full screen mode, either hit <Esc> or right-click "
                               "and uncheck the \"Full Screen\" menu item.")};
    default:
        break;
    }
    return {};
}

bool NoticeSwitchedOff(int n)
{
    const TNotice notice = NoticeInfo(n);
    if (notice.valueName.isEmpty())
        return false;
    return ConfigStore::Read(NoticeKey, notice.valueName, QStringLiteral("-1")) == QLatin1String("0");
}

void SwitchOffNotice(int n)
{
    const TNotice notice = NoticeInfo(n);
    if (!notice.valueName.isEmpty())
        ConfigStore::Write(NoticeKey, notice.valueName, ConfigStore::BoolText(false));
}
