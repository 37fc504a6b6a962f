// Program entry: the splash window, the main window and its long-lived companions, the
// tip window, then the event loop until the main window closes.
#include <QStringList>

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/shellsettings.h"
#include "app/splash.h"
#include "app/testscript.h"

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    // The splash window shows first, unless switched off, so something is on screen at once.
    TfSplash *splash = nullptr;
    if (ShowSplashSetting()) {
        splash = new TfSplash;
        splash->ShowAndPaint();
    }
    TApplication::SetApplicationTitle();
    // The main window shows itself while it is being created; then the command-line file
    // and the windows that live as long as it does.
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
