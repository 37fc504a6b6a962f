#include "projects/docproperties.h"

#include <QAction>
#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/programfolder.h"

namespace {

QLineEdit *ReadOnlyBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    return box;
}

QListWidget *LinkList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSortingEnabled(false); // the entries come sorted without regard to case
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    return list;
}

// The hourglass while the file is read, restored however reading ends.
struct THourglass
{
    THourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~THourglass() { QGuiApplication::restoreOverrideCursor(); }
};

} // namespace

TfDocProperties::TfDocProperties(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfDocProperties"));
    setWindowTitle(QStringLiteral("Properties"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    txtFilename = ReadOnlyBox(this, "txtFilename");
    form->addRow(txtFilename);
    txtTitle = ReadOnlyBox(this, "txtTitle");
    lblTitle = new QLabel(QStringLiteral("Title:"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    form->addRow(lblTitle, txtTitle);
    txtSize = ReadOnlyBox(this, "txtSize");
    form->addRow(QStringLiteral("Size:"), txtSize);
    txtCreated = ReadOnlyBox(this, "txtCreated");
    form->addRow(QStringLiteral("Created:"), txtCreated);
    txtModified = ReadOnlyBox(this, "txtModified");
    form->addRow(QStringLiteral("Modified:"), txtModified);
    layout->addLayout(form);

    pgProperties = new QTabWidget(this);
    pgProperties->setObjectName(QStringLiteral("pgProperties"));
    lstLinks = LinkList(pgProperties, "lstLinks");
    lstDepend = LinkList(pgProperties, "lstDepend");
    pgProperties->addTab(lstLinks, QStringLiteral("&Links"));
    pgProperties->addTab(lstDepend, QStringLiteral("&Dependencies"));
    layout->addWidget(pgProperties, 1);

    mnuPopupLinks = new QMenu(this);
    mnuPopupLinks->setObjectName(QStringLiteral("mnuPopupLinks"));
    mnuPL_Copy = mnuPopupLinks->addAction(QStringLiteral("Copy URL"));
    mnuPL_Copy->setObjectName(QStringLiteral("mnuPL_Copy"));
    connect(mnuPopupLinks, &QMenu::aboutToShow, this, [this] {
        mnuPL_Copy->setEnabled(!ActiveList()->selectedItems().isEmpty());
    });
    connect(mnuPL_Copy, &QAction::triggered, this, [this] {
        const QList<QListWidgetItem *> selected = ActiveList()->selectedItems();
        if (!selected.isEmpty())
            QGuiApplication::clipboard()->setText(selected.first()->text());
    });
    for (QListWidget *list : {lstLinks, lstDepend})
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint &at) { mnuPopupLinks->popup(list->viewport()->mapToGlobal(at)); });

    auto *buttons = new QHBoxLayout;
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { RequestHelpTopic(DocPropertiesHelpTopic, this); });
    resize(420, 400);
}

QListWidget *TfDocProperties::ActiveList() const
{
    return pgProperties->currentIndex() == 1 ? lstDepend : lstLinks;
}

void TfDocProperties::ShowFileProperties(const QString &path)
{
    const THourglass wait;
    SetProperties(ReadFileProperties(path));
}

void TfDocProperties::SetProperties(const TFileProperties &p)
{
    txtFilename->setText(p.FileName);
    txtSize->setText(p.Size);
    txtCreated->setText(p.Created);
    txtModified->setText(p.Modified);
    lblTitle->setText(p.TitleLabel);
    txtTitle->setText(p.Title);
    lstLinks->clear();
    lstLinks->addItems(p.Links);
    lstDepend->clear();
    lstDepend->addItems(p.Dependencies);
    pgProperties->setVisible(p.ShowPages);
}

void ShowDocumentProperties(QWidget *parent, const QString &file)
{
    TfDocProperties window(parent);
    window.ShowFileProperties(file);
    window.exec();
}
