// Program entry: the command line, the hand-over to a Pendwick already running, the splash
// window, the main window and its long-lived companions, the tip window, then the event loop
// until the main window closes.
#include <cstdio>

#include <QCommandLineParser>
#include <QDir>
#include <QStringList>

#include "app/application.h"
#include "app/commandline.h"
#include "app/instanceserver.h"
#include "app/mainwindow.h"
#include "app/shellsettings.h"
#include "app/splash.h"
#include "app/testscript.h"

int main(int argc, char *argv[])
{
    // "--help" and "--version" answer before the application object exists, without a display.
    SetProgramIdentity();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    const TCommandLine line = ParseCommandLine(parser, arguments, QDir::currentPath());
    if (!line.Error.isEmpty()) {
        std::fprintf(stderr, "pendwick: %s\n\n%s", qPrintable(line.Error), qPrintable(parser.helpText()));
        return 2;
    }
    if (line.Help)
        parser.showHelp(0);
    if (line.Version)
        parser.showVersion();
    TApplication app(argc, argv);
    // Files go to the window of a Pendwick already running for this user, unless "-n".
    if (!line.NewWindow && !line.Files.isEmpty() && HandFilesToRunningInstance(InstanceServerName(), line.Files))
        return 0;
    // The splash window shows first, unless switched off, so something is on screen at once.
    TfSplash *splash = nullptr;
    if (ShowSplashSetting()) {
        splash = new TfSplash;
        splash->ShowAndPaint();
    }
    TApplication::SetApplicationTitle();
    // The main window shows itself while it is being created; then the command-line files
    // and the windows that live as long as it does.
    TfMain main;
    main.OpenCommandLineFiles(line.Files);
    TInstanceServer server([&main](const QStringList &files) { main.OpenHandedFiles(files); });
    if (!line.NewWindow)
        server.Listen(InstanceServerName());
    // A test's script of actions (only when PENDWICK_TEST_SCRIPT is set), then the documents
    // a crash left behind.
    RunTestScript(main);
    main.OfferRecovery();
    main.CreateSecondaryWindows();
    // The tip window is shown here when "ShowTips" is on, once it exists.
    // The splash window stays until the main window is ready.
    delete splash;
    return app.exec();
}
