#pragma once

#include <QString>
#include <functional>

class QWidget;

// A one-line input box (caption, prompt, value). Returns false on Cancel. Tests answer
// it through the hook instead of a real box.
bool InputQuery(const QString &caption, const QString &prompt, QString &value, QWidget *parent = nullptr);

using TInputHook = std::function<bool(const QString &caption, const QString &prompt, QString &value)>;
void SetInputHook(TInputHook hook);
