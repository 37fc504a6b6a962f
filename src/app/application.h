#pragma once

#include <QApplication>
#include <functional>

// The application object: an exception that reaches the event loop goes to the handler
// (the main window shows it and logs it) and the program goes on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
    static void SetExceptionHandler(std::function<void(const QString &message)> handler);
    // Names the program "Pendwick"; the captions stay exactly as the windows set them.
    static void SetApplicationTitle();
};
