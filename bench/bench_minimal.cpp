// The reference for the start-up figure: the least a Qt Widgets program does to show a main
// window (an application object and one empty QMainWindow). It ends, as bench_startup does,
// once that window has been exposed and has painted its first frame (startup_probe.h).
#include <QApplication>
#include <QMainWindow>

#include "startup_probe.h"

int main(int argc, char *argv[])
{
    bench::TFirstFrameProbe::Begin();
    QApplication app(argc, argv);
    bench::TFirstFrameProbe::Mark("app");
    bench::TFirstFrameProbe probe([](QWidget *w) { return qobject_cast<QMainWindow *>(w) != nullptr; });
    bench::TFirstFrameProbe::Mark("main-window");
    QMainWindow window;
    window.resize(774, 550); // the main window's size on a first start
    window.show();
    return app.exec();
}
