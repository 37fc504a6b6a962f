// Start-up probe of the program: the entry of src/app/main.cpp, step for step and in the
// same order, with a watcher (startup_probe.h) that ends the process once the main window
// has been exposed and has painted its first frame. bench_editor starts it as a process of
// its own and times it from spawn to exit; it takes no arguments, as the program started
// without a file.
//
// Keep the steps below identical to src/app/main.cpp; the lines marked "probe" are the only
// additions. bench/run.sh warns when main.cpp changes after this copy was checked
// (bench/main.cpp.sha256).
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
#include "startup_probe.h"

int main(int argc, char *argv[])
{
    bench::TFirstFrameProbe::Begin(); // probe
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
    bench::TFirstFrameProbe::Mark("app"); // probe
    bench::TFirstFrameProbe probe([](QWidget *w) { return qobject_cast<TfMain *>(w) != nullptr; }); // probe
    // Files go to the window of a Pendwick already running for this user, unless "-n".
    if (!line.NewWindow && !line.Files.isEmpty() && HandFilesToRunningInstance(InstanceServerName(), line.Files))
        return 0;
    // The splash window shows first, unless switched off, so something is on screen at once.
    TfSplash *splash = nullptr;
    if (ShowSplashSetting()) {
        splash = new TfSplash;
        splash->ShowAndPaint();
        bench::TFirstFrameProbe::Mark("splash"); // probe
    }
    TApplication::SetApplicationTitle();
    // The main window shows itself while it is being created; then the command-line files
    // and the windows that live as long as it does.
    bench::TFirstFrameProbe::Mark("main-window"); // probe
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
