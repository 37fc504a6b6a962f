#pragma once

#include <QString>
#include <optional>

#include "platform/testhook.h"

class QWidget;

// A one-line input box (caption, prompt, starting value). Returns the answer, or nothing
// on Cancel.
std::optional<QString> InputBox(const QString &caption, const QString &prompt, const QString &value,
                                QWidget *parent = nullptr);

// The same box for callers that keep the value in place: on OK the answer replaces value;
// returns false on Cancel.
inline bool InputQuery(const QString &caption, const QString &prompt, QString &value, QWidget *parent = nullptr)
{
    const std::optional<QString> answer = InputBox(caption, prompt, value, parent);
    if (answer)
        value = *answer;
    return answer.has_value();
}

// Test hook: while set, no box is shown; the hook's result is the answer.
using TInputHook = THook<std::optional<QString>(const QString &caption, const QString &prompt, const QString &value)>;
inline void SetInputHook(TInputHook::Function hook) { TInputHook::Set(std::move(hook)); }
