#include "app/help.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/programfolder.h"

namespace {

QPointer<TfHelp> &Window()
{
    static QPointer<TfHelp> window;
    return window;
}

QString HelpFolder()
{
    return ProgramFolder() + QStringLiteral("help/");
}

// The window is not owned by the caller (a dialog asking for help may close before the
// help does), so it is deleted when the program quits.
TfHelp *OpenWindow(QWidget *parent)
{
    if (!Window()) {
        Window() = new TfHelp;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, Window(), [] { CloseHelp(); });
        if (parent && parent->window()->isVisible()) {
            QRect frame(QPoint(), Window()->size());
            frame.moveCenter(parent->window()->frameGeometry().center());
            Window()->move(frame.topLeft());
        }
    }
    return Window();
}

void ShowFile(const QString &fileName, QWidget *parent)
{
    TfHelp *window = OpenWindow(parent);
    window->ShowPage(fileName, HelpFolder());
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

TfHelp::TfHelp(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Pendwick Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 520);

    txtPage = new QTextBrowser(this);
    txtPage->setObjectName(QStringLiteral("txtPage"));
    txtPage->setOpenExternalLinks(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtPage);

    // Escape closes the help, as it closes the program's dialogs.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    close->setContext(Qt::WindowShortcut);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void TfHelp::ShowPage(const QString &fileName, const QString &helpFolder)
{
    if (!fileName.isEmpty() && QFileInfo(fileName).isFile()) {
        txtPage->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
        return;
    }
    txtPage->setSource(QUrl());
    txtPage->clear();
    txtPage->setPlainText(QStringLiteral("The help pages could not be found in %1.\n\n"
                                         "They are installed in the \"help\" folder beside the program.")
                              .arg(QDir::toNativeSeparators(helpFolder)));
}

void ShowHelpContents(QWidget *parent)
{
    ShowFile(HelpTopicFile(HelpFolder(), 0), parent);
}

void ShowHelpTopic(int topic, QWidget *parent)
{
    ShowFile(HelpTopicFile(HelpFolder(), topic), parent);
}

TfHelp *HelpWindow()
{
    return Window();
}

void CloseHelp()
{
    delete Window().data();
}
