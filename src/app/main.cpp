// Program entry: the splash window, the main window and its long-lived companions, the
// tip window, then the event loop until the main window closes.
#include <QStringList>

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/shellsettings.h"
#include "app/splash.h"

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    // 1. The splash window, unless switched off.
    TfSplash *splash = nullptr;
    if (ShowSplashSetting()) {
        splash = new TfSplash;
        splash->ShowAndPaint();
    }
    // 2. The application's title.
    TApplication::SetApplicationTitle();
    // 3. The main window (it shows itself while it is being created), the command-line
    // file, and the windows that live as long as it does.
    TfMain main;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        main.OpenFromCommandLine(args.at(1));
    main.CreateSecondaryWindows();
    // 4. The tip window is shown here when "ShowTips" is on, once it exists.
    // 5. The splash window goes.
    delete splash;
    // 6. The event loop.
    return app.exec();
}
