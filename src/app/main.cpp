// Program entry. Until the main window lands, Pendwick opens a plain window holding one
// editor with the file named on the command line.
#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextBlock>

#include "app/htmlextensions.h"
#include "app/messagebox.h"
#include "editor/richhtml.h"
#include "platform/configstore.h"

namespace {

const QString AppKey = QStringLiteral("Software\\Pendwick");

QString Caption(const TkrRichHTML &editor)
{
    const QString name = editor.Filename().isEmpty() ? QStringLiteral("Untitled") : editor.Filename();
    return QStringLiteral("Pendwick v2.0 Beta 2 - [%1]%2").arg(name, editor.Modified() ? QStringLiteral(" *") : QString());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pendwick"));

    QMainWindow window;
    auto *editor = new TkrRichHTML(&window);
    window.setCentralWidget(editor);
    window.resize(ConfigStore::ReadInt(AppKey + QStringLiteral("\\MainForm"), QStringLiteral("Width"), 774),
                  ConfigStore::ReadInt(AppKey + QStringLiteral("\\MainForm"), QStringLiteral("Height"), 550));

    LoadHTMLExtensions(AppKey);
    editor->ReadFontSettings(AppKey + QStringLiteral("\\ColorCoding"));
    editor->SetBackgroundColor(ConfigStore::ReadColor(AppKey, QStringLiteral("DocumentBackgroundColor"), Colors::clWindow));
    editor->SetForegroundColor(ConfigStore::ReadColor(AppKey, QStringLiteral("DocumentForegroundColor"), 0));
    editor->SetTabWidth(ConfigStore::ReadInt(AppKey, QStringLiteral("TabWidth"), 20));
    editor->setLineWrapMode(ConfigStore::ReadBool(AppKey, QStringLiteral("WordWrap"), true)
                                ? QPlainTextEdit::WidgetWidth
                                : QPlainTextEdit::NoWrap);
    const int mode = ConfigStore::ReadInt(AppKey, QStringLiteral("ColorCodeMode"), 2);
    editor->SetColorCodeMode(mode == 0 ? ccNone : mode == 2 ? ccFull : ccMinimal);

    auto *position = new QLabel(QStringLiteral("1: 1"));
    auto *message = new QLabel(QStringLiteral(" Ready."));
    auto *insertMode = new QLabel(QStringLiteral("Insert"));
    position->setMinimumWidth(75);
    insertMode->setMinimumWidth(86);
    window.statusBar()->addWidget(position);
    window.statusBar()->addWidget(message, 1);
    window.statusBar()->addPermanentWidget(insertMode);

    auto update = [&] {
        const QTextCursor c = editor->textCursor();
        position->setText(QStringLiteral("%1: %2").arg(c.blockNumber() + 1).arg(c.positionInBlock() + 1));
        window.setWindowTitle(Caption(*editor));
    };
    QObject::connect(editor, &QPlainTextEdit::cursorPositionChanged, &window, update);
    QObject::connect(editor, &TkrRichHTML::OnModifyStatusChange, &window, update);
    QObject::connect(editor, &TkrRichHTML::OnInsertModeChange, &window,
                     [&](TkrRichHTML *, bool ins) { insertMode->setText(ins ? QStringLiteral("Insert") : QStringLiteral("Overwrite")); });
    QObject::connect(editor, &TkrRichHTML::OnProgressChange, &window, [&](TkrRichHTML *e, int v) {
        message->setText(v > 0 && v < 100 ? QStringLiteral(" %1 %2%").arg(e->ProgressCaption()).arg(v) : QStringLiteral(" Ready."));
    });

    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")), editor, [&] {
        if (editor->Filename().isEmpty())
            return;
        if (!editor->SaveDocument(editor->Filename()))
            MessageBox(mkError, editor->LastError(), mbOK, &window);
    });
    file->addAction(QStringLiteral("E&xit"), QKeySequence(QStringLiteral("Alt+X")), &window, &QWidget::close);

    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && !args.at(1).isEmpty()) {
        const QString name = QFileInfo(args.at(1)).absoluteFilePath();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool ok = editor->LoadDocument(name);
        QApplication::restoreOverrideCursor();
        if (!ok)
            MessageBox(mkError, editor->LastError(), mbOK, &window);
    }
    update();
    editor->setFocus();
    return app.exec();
}
