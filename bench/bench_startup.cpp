// Start-up probe of the program: the entry of src/app/main.cpp, step for step and in the
// same order, with a watcher (startup_probe.h) that ends the process once the main window
// has been exposed and has painted its first frame. bench_editor starts it as a process of
// its own and times it from spawn to exit; it takes no arguments, as the program started
// without a file.
//
// Keep the steps below identical to src/app/main.cpp; the lines marked "probe" are the only
// additions. bench/run.sh warns when main.cpp changes after this copy was checked
// (bench/main.cpp.sha256).
#include <QStringList>

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/shellsettings.h"
#include "app/splash.h"
#include "app/testscript.h"
#include "startup_probe.h"

int main(int argc, char *argv[])
{
    bench::TFirstFrameProbe::Begin(); // probe
    TApplication app(argc, argv);
    bench::TFirstFrameProbe::Mark("app"); // probe
    bench::TFirstFrameProbe probe([](QWidget *w) { return qobject_cast<TfMain *>(w) != nullptr; }); // probe
    // The splash window shows first, unless switched off, so something is on screen at once.
    TfSplash *splash = nullptr;
    if (ShowSplashSetting()) {
        splash = new TfSplash;
        splash->ShowAndPaint();
        bench::TFirstFrameProbe::Mark("splash"); // probe
    }
    TApplication::SetApplicationTitle();
    // The main window shows itself while it is being created; then the command-line file
    // and the windows that live as long as it does.
    bench::TFirstFrameProbe::Mark("main-window"); // probe
    TfMain main;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        main.OpenFromCommandLine(args.at(1));
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
