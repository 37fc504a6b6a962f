#pragma once

#include <QString>

#include "platform/configstore.h"

// Notices the program shows once in a while until the user ticks "Don't show this message
// again". Each remembers that choice under its own value name in NoticeKey.
enum TNoticeId {
    ntDeleteFile = 0,
    ntRemoteFileNotHTML = 1,
    ntFileAlreadyOpen = 2,
    ntBrowserCaps = 3,
    ntFullScreen = 4,
};
constexpr int NoticeCount = 5;

inline const QString NoticeKey = PendwickKey(u"ShowAgainMsg");

struct TNotice
{
    QString valueName; // the value in NoticeKey that switches the notice off
    QString caption;
    bool hasCancel = false; // an "OK"/"Cancel" question rather than a plain note
    QString text;
};

// The notice n (0 .. NoticeCount - 1); any other n gives an empty notice.
TNotice NoticeInfo(int n);

// True when the user has switched notice n off: its value reads "0". A missing value or
// any other text (even "1" or "True") leaves the notice on.
bool NoticeSwitchedOff(int n);
// Stores "0" for notice n, so it is not shown again.
void SwitchOffNotice(int n);
