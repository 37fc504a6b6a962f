#include "app/application.h"

#include <exception>

#include "app/help.h"
#include "platform/programfolder.h"

namespace {
std::function<void(const QString &)> &Handler()
{
    static std::function<void(const QString &)> handler;
    return handler;
}
} // namespace

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // Windows outside the main units open their help topics through the help window.
    SetHelpTopicHandler(&ShowHelpTopic);
}

void TApplication::SetExceptionHandler(std::function<void(const QString &)> handler)
{
    Handler() = std::move(handler);
}

void TApplication::SetApplicationTitle()
{
    // No display name: Qt would append it to every window caption.
    QApplication::setApplicationName(QStringLiteral("Pendwick"));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        if (Handler())
            Handler()(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        if (Handler())
            Handler()(QStringLiteral("Unknown error"));
    }
    return false;
}
