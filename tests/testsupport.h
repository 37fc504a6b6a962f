#pragma once

// What the tests share: their own configuration, a recorder of message boxes, an answerer
// of the other modal boxes (notices, file dialogs, input boxes) and a folder of temporary
// files. The boxes are answered through the hooks of platform/testhook.h; nothing here
// needs a widget, so tests of the core library may include it too.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>

#include "platform/filedialogs.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"

// Gives the running test its own configuration file and data folders, never the user's.
// Call from initTestCase(); keep the returned folder alive for the whole test.
inline std::unique_ptr<QTemporaryDir> UseTemporaryConfig()
{
    auto dir = std::make_unique<QTemporaryDir>();
    QStandardPaths::setTestModeEnabled(true);
    qputenv("PENDWICK_CONFIG", dir->filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir->filePath(QStringLiteral("config")).toLocal8Bit());
    return dir;
}

// ---- message boxes ----------------------------------------------------------------------

// One message box as the program asked it.
struct TShownBox
{
    TMsgKind Kind = mkMessage;
    QString Text;
    int Buttons = mbOK;
    QString Caption;

    // The caption follows from the kind, so it takes no part in comparing.
    bool operator==(const TShownBox &o) const { return Kind == o.Kind && Text == o.Text && Buttons == o.Buttons; }
};

namespace QTest {
template <>
inline char *toString(const TShownBox &box)
{
    return qstrdup(qPrintable(QStringLiteral("{kind %1, buttons %2, \"%3\"}").arg(int(box.Kind)).arg(box.Buttons).arg(box.Text)));
}
} // namespace QTest

// Records every message box (kind, caption, text, buttons) while it lives and answers each:
// from Answers in order while there are any, else with FixedAnswer when set, else with OK
// when the box offers it and No otherwise. Only one recorder may live at a time.
class TMessageRecorder
{
public:
    QList<TShownBox> Boxes;
    QList<int> Answers;
    int FixedAnswer = 0;

    TMessageRecorder()
    {
        TMessageHook::Set([this](TMsgKind kind, const QString &caption, const QString &text, int buttons) {
            Boxes.append({kind, text, buttons, caption});
            if (!Answers.isEmpty())
                return Answers.takeFirst();
            if (FixedAnswer)
                return FixedAnswer;
            return (buttons & mbOK) ? int(mbOK) : int(mbNo);
        });
    }
    ~TMessageRecorder() { TMessageHook::Set(nullptr); }
    TMessageRecorder(const TMessageRecorder &) = delete;
    TMessageRecorder &operator=(const TMessageRecorder &) = delete;

    // Forgets what was shown and the answers not used; the fixed answer stays.
    void Clear()
    {
        Boxes.clear();
        Answers.clear();
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const TShownBox &box : Boxes)
            texts << box.Text;
        return texts;
    }
};

// ---- the other modal boxes --------------------------------------------------------------

// One file dialog or input box as the program opened it.
struct TShownDialog
{
    TFileDialogKind Kind = fdOpen; // file dialogs only
    QString Caption;               // the title of a file dialog, the caption of an input box
    QString Prompt;                // input boxes: the prompt
    QString Value;                 // the starting folder or file, or the starting value
};

// Answers notices, file dialogs and input boxes while it lives, and records what was asked.
// Notices answer NoticeAnswer (ticking "Don't show this message again" when TickDontShowAgain);
// file dialogs and input boxes answer from their queues in order and are cancelled once a
// queue is empty. Only one answerer may live at a time.
class TModalAnswerer
{
public:
    QList<int> Notices;
    int NoticeAnswer = mbOK;
    bool TickDontShowAgain = false;

    QList<TShownDialog> FileDialogs;
    QStringList FileAnswers; // chosen files; an empty text cancels

    QList<TShownDialog> InputBoxes;
    QList<std::optional<QString>> InputAnswers; // nothing cancels

    TModalAnswerer()
    {
        TNoticeHook::Set([this](int n, bool &dontShowAgain) {
            Notices.append(n);
            dontShowAgain = TickDontShowAgain;
            return NoticeAnswer;
        });
        TFileDialogHook::Set([this](TFileDialogKind kind, const QString &title, const QString &startPath) {
            FileDialogs.append({kind, title, QString(), startPath});
            return FileAnswers.isEmpty() ? QString() : FileAnswers.takeFirst();
        });
        TInputHook::Set([this](const QString &caption, const QString &prompt, const QString &value) {
            InputBoxes.append({fdOpen, caption, prompt, value});
            return InputAnswers.isEmpty() ? std::nullopt : InputAnswers.takeFirst();
        });
    }
    ~TModalAnswerer()
    {
        TNoticeHook::Set(nullptr);
        TFileDialogHook::Set(nullptr);
        TInputHook::Set(nullptr);
    }
    TModalAnswerer(const TModalAnswerer &) = delete;
    TModalAnswerer &operator=(const TModalAnswerer &) = delete;

    // Forgets what was asked and the answers not used; NoticeAnswer and the tick stay.
    void Clear()
    {
        Notices.clear();
        FileDialogs.clear();
        FileAnswers.clear();
        InputBoxes.clear();
        InputAnswers.clear();
    }
    QStringList FileDialogTitles() const
    {
        QStringList titles;
        for (const TShownDialog &d : FileDialogs)
            titles << d.Caption;
        return titles;
    }
    QStringList InputPrompts() const
    {
        QStringList prompts;
        for (const TShownDialog &d : InputBoxes)
            prompts << d.Prompt;
        return prompts;
    }
};

// ---- temporary files --------------------------------------------------------------------

// A small GIF whose image descriptor gives the size: a two-entry colour table and one LZW
// stream for a single pixel, which is all a size reader looks past.
inline QByteArray GifBytes(quint16 width, quint16 height)
{
    QByteArray d("GIF89a");
    const auto le16 = [&d](quint16 v) {
        d.append(char(v & 0xFF));
        d.append(char(v >> 8));
    };
    le16(width);
    le16(height);
    d.append("\x80\x00\x00", 3);                   // global colour table of two entries
    d.append("\x00\x00\x00\xFF\xFF\xFF", 6);
    d.append(char(0x2C));
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    d.append(char(0));
    d.append("\x02\x02\x44\x01\x00\x3B", 6);
    return d;
}

// Writes bytes to a file, making its folder first; false when it cannot.
inline bool WriteTestFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray ReadTestFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A temporary folder for the files of a test, removed with it. Names are relative to the
// folder; an absolute name is taken as it is.
class TTempFiles
{
public:
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    // Writes the file (and its folder) and returns its full name. Fails the test when the
    // file cannot be written.
    QString Write(const QString &name, const QByteArray &bytes) const
    {
        const QString path = FilePath(name);
        if (!WriteTestFile(path, bytes))
            QTest::qFail(qPrintable(QStringLiteral("cannot write %1").arg(path)), __FILE__, __LINE__);
        return path;
    }
    QByteArray Read(const QString &name) const { return ReadTestFile(FilePath(name)); }

private:
    QTemporaryDir m_dir;
};
