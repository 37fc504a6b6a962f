#include "app/previewpage.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTextBrowser>
#include <QUrl>

#include "app/mainsettings.h"
#include "app/mainwindow.h"
#include "app/preview.h"
#include "editor/richhtml.h"
#include "platform/messagebox.h"

TPreviewPage::TPreviewPage(TfMain &main, QTextBrowser *viewer) : QObject(&main), m_main(main), htmlView(viewer)
{
    htmlView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(htmlView, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        m_main.findChild<QMenu *>(QStringLiteral("mnuPopupBrowse"))->exec(htmlView->mapToGlobal(p));
    });
    // Links under the mouse show in the status bar.
    connect(htmlView, &QTextBrowser::highlighted, this,
            [this](const QUrl &url) { m_main.ShowMessage(url.isEmpty() ? QString() : url.toString()); });
    htmlView->setOpenLinks(false);
}

void TPreviewPage::ApplySettings(const TMainSettings &settings)
{
    m_browsers = Preview::ReadBrowserList();
    QFont font(settings.DefFontName);
    font.setPointSize(std::max(1, settings.DefFontSize));
    font.setStyleHint(QFont::Serif);
    htmlView->document()->setDefaultFont(font);
    QPalette pal = htmlView->palette();
    pal.setColor(QPalette::Text, ColorToQColor(settings.DefFontColor));
    pal.setColor(QPalette::Link, ColorToQColor(settings.DefHotSpotColor));
    htmlView->setPalette(pal);
    m_browserLaunchSetting = BrowserLaunchOf(settings.BrowserLaunchSetting);
}

void TPreviewPage::PageChanged(int index)
{
    const bool browse = index == 1;
    m_main.EnableEditingCommands(!browse);
    if (browse) {
        m_main.ShowOneTimeNotice(3);
        ShowInViewer();
    } else {
        Preview::TemporaryPreviews().DeleteAll();
        if (m_main.ActiveEditor()->isVisible())
            m_main.ActiveEditor()->setFocus();
    }
}

void TPreviewPage::ShowInViewer()
{
    if (m_viewerBusy) {
        m_main.ShowMessage(QStringLiteral("Processing previous request..."));
        return;
    }
    m_viewerBusy = true;
    // Relative references resolve against the document's folder (or the Open dialog's).
    const QString file = m_main.ActiveEditor()->Filename();
    const QString folder = file.isEmpty() ? m_main.FilePanelFolder() : QFileInfo(file).absolutePath();
    htmlView->document()->setBaseUrl(QUrl::fromLocalFile(folder + u'/'));
    htmlView->setSearchPaths({folder});
    htmlView->setHtml(m_main.ActiveEditor()->Text());
    m_viewerBusy = false;
    m_main.ShowMessage();
}

QString TPreviewPage::ViewerText() const
{
    return htmlView->toPlainText();
}

void TPreviewPage::ViewInExternalBrowser()
{
    m_browsers = Preview::ReadBrowserList();
    if (m_browsers.isEmpty()) {
        MessageBox(mkWarning, Preview::NoBrowserMessage(), mbOK, &m_main);
        EditBrowserList();
        m_browsers = Preview::ReadBrowserList();
        if (!m_browsers.isEmpty())
            LaunchBrowser(Preview::ParseBrowserEntry(m_browsers.first()).path);
        return;
    }
    QString path;
    if (m_browsers.size() == 1) {
        path = Preview::ParseBrowserEntry(m_browsers.first()).path;
    } else {
        // Several browsers: a pop-up list by name. A chosen name goes to the first entry
        // that carries it.
        QMenu menu(&m_main);
        for (const QString &entry : std::as_const(m_browsers)) {
            const Preview::BrowserEntry b = Preview::ParseBrowserEntry(entry);
            menu.addAction(QString(b.name).replace(u'&', QStringLiteral("&&")))->setData(b.name);
        }
        QAction *chosen = m_browserChoiceHook ? m_browserChoiceHook(menu.actions()) : menu.exec(QCursor::pos());
        if (!chosen)
            return;
        const int index = Preview::FindBrowserByName(m_browsers, chosen->data().toString());
        if (index < 0)
            return;
        path = Preview::ParseBrowserEntry(m_browsers.at(index)).path;
    }
    LaunchBrowser(path);
}

bool TPreviewPage::LaunchBrowser(const QString &browserPath)
{
    if (!QFileInfo(browserPath).isFile()) {
        MessageBox(mkInformation, Preview::MissingBrowserMessage(browserPath), mbOK, &m_main);
        EditBrowserList();
        return false;
    }
    TkrRichHTML *e = m_main.ActiveEditor();
    const Preview::LaunchDecision d =
        Preview::DecideLaunch(m_browserLaunchSetting, e->Modified(), e->Filename().isEmpty());
    QString file = e->Filename();
    switch (d.action) {
    case Preview::LaunchAction::SendFile:
        break;
    case Preview::LaunchAction::SaveThenSend:
        if (!m_main.SaveActive())
            return false;
        break;
    case Preview::LaunchAction::PromptSaveThenSend:
        if (!m_main.SavePrompt())
            return false;
        break;
    case Preview::LaunchAction::SaveAsThenSend:
        if (MessageBox(mkInformation, d.message, mbOK | mbCancel, &m_main) != mbOK || !m_main.SaveAsActive())
            return false;
        break;
    case Preview::LaunchAction::SendTemporaryCopy:
        file = Preview::TemporaryPreviews().Create(file, m_main.FilePanelFolder(), e->Text(), e->SaveFormat());
        if (file.isEmpty()) {
            MessageBox(mkError, QStringLiteral("Unable to write a temporary copy of the document."), mbOK, &m_main);
            return false;
        }
        break;
    }
    if (d.action != Preview::LaunchAction::SendTemporaryCopy)
        file = e->Filename();
    const std::unique_ptr<Preview::DdeClient> dde = Preview::CreateDdeClient();
    const bool ok = Preview::SendToBrowser(browserPath, file, *dde);
    QCoreApplication::processEvents();
    return ok;
}

// Until the settings dialog exists, a small editor for the five browser entries.
void TPreviewPage::EditBrowserList()
{
    if (m_browserListHook) {
        m_browserListHook();
        return;
    }
    QDialog dialog(&m_main);
    dialog.setWindowTitle(QStringLiteral("External Browsers"));
    auto *form = new QFormLayout(&dialog);
    QList<QLineEdit *> names, paths;
    for (int i = 0; i < Preview::MaxBrowsers; ++i) {
        const Preview::BrowserEntry b = Preview::ParseBrowserEntry(m_browsers.value(i));
        auto *row = new QHBoxLayout;
        names << new QLineEdit(b.name, &dialog);
        paths << new QLineEdit(b.path, &dialog);
        names.last()->setPlaceholderText(QStringLiteral("Name"));
        paths.last()->setPlaceholderText(QStringLiteral("Program"));
        row->addWidget(names.last(), 1);
        row->addWidget(paths.last(), 2);
        form->addRow(QStringLiteral("Browser %1").arg(i + 1), row);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QStringList entries;
    for (int i = 0; i < Preview::MaxBrowsers; ++i)
        if (!names[i]->text().trimmed().isEmpty() && !paths[i]->text().trimmed().isEmpty())
            entries << Preview::FormatBrowserEntry(names[i]->text().trimmed(), paths[i]->text().trimmed());
    Preview::WriteBrowserList(entries);
    m_browsers = entries;
}
