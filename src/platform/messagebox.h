#pragma once

#include <QString>

#include "platform/testhook.h"

class QWidget;

// Every message box of the program goes through here, so tests can see and answer them.
enum TMsgKind { mkError, mkWarning, mkInformation, mkConfirm, mkMessage };

// Buttons a box offers, as a bit set; the answer is one of them.
enum TMsgButton { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };

// Shows a modal box of the given kind ("Error", "Warning", "Information", "Confirm";
// mkMessage is a plain note captioned with the application's name) and returns the button
// chosen. Without buttons given, the box has "OK" only.
int MessageBox(TMsgKind kind, const QString &text, int buttons = mbOK, QWidget *parent = nullptr);
inline void ShowMessage(const QString &text) { MessageBox(mkMessage, text); }

// The caption a box of that kind carries.
QString MessageCaption(TMsgKind kind);

// Test hook: while set, boxes are not shown; the hook receives them and its result is the answer.
using TMessageHook = THook<int(TMsgKind kind, const QString &caption, const QString &text, int buttons)>;
inline void SetMessageHook(TMessageHook::Function hook) { TMessageHook::Set(std::move(hook)); }

// Test hook of the one-time notices (a message with "Don't show this message again"): while
// set, notices are not shown; the hook receives the notice number, its result is the answer,
// and setting dontShowAgain acts as ticking the box.
using TNoticeHook = THook<int(int n, bool &dontShowAgain)>;
inline void SetNoticeHook(TNoticeHook::Function hook) { TNoticeHook::Set(std::move(hook)); }
