#include "app/newdocument.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/messagebox.h"
#include "app/newdocumentcheck.h"

TfNewDocument::TfNewDocument(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("New HTML Document"));
    setModal(true);

    optBlank = new QRadioButton(QStringLiteral("New &blank document"), this);
    optBlank->setObjectName(QStringLiteral("optBlank"));
    optTemplate = new QRadioButton(QStringLiteral("Use this document as a &Template:"), this);
    optTemplate->setObjectName(QStringLiteral("optTemplate"));

    txtTemplate = new QLineEdit(this);
    txtTemplate->setObjectName(QStringLiteral("txtTemplate"));
    txtTemplate->setMinimumWidth(260);

    btnBrowse = new QPushButton(QStringLiteral("Browse..."), this);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setAutoDefault(false);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    connect(optTemplate, &QRadioButton::toggled, this, &TfNewDocument::optTemplateToggled);
    connect(btnBrowse, &QPushButton::clicked, this, &TfNewDocument::btnBrowseClick);
    connect(btnOK, &QPushButton::clicked, this, &TfNewDocument::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfNewDocument::btnCancelClick);

    auto *choices = new QGridLayout;
    choices->setColumnMinimumWidth(0, 20);
    choices->addWidget(optBlank, 0, 0, 1, 3);
    choices->addWidget(optTemplate, 1, 0, 1, 3);
    choices->addWidget(txtTemplate, 2, 1);
    choices->addWidget(btnBrowse, 2, 2);
    choices->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addSpacing(10);
    layout->addLayout(buttons);

    optBlank->setChecked(true);
    optTemplateToggled(false);
}

bool TfNewDocument::Execute(QWidget *parent, const QString &templateFile, bool &blank, QString &templatePath)
{
    TfNewDocument dialog(parent);
    dialog.txtTemplate->setText(templateFile);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    blank = dialog.Blank();
    if (!blank)
        templatePath = dialog.TemplatePath();
    return true;
}

// The template's name and its browse button only mean something with the template chosen.
void TfNewDocument::optTemplateToggled(bool checked)
{
    txtTemplate->setEnabled(checked);
    btnBrowse->setEnabled(checked);
}

void TfNewDocument::btnBrowseClick()
{
    const QString current = txtTemplate->text().trimmed();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    // getOpenFileName only lets an existing file be chosen.
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("HTML Template"), folder,
                                                        QStringLiteral("HTML Documents (*.htm* *.HTM*)"));
    if (!chosen.isEmpty())
        txtTemplate->setText(chosen);
}

void TfNewDocument::btnOKClick()
{
    if (optBlank->isChecked()) {
        m_blank = true;
        m_templatePath.clear();
        accept();
        return;
    }
    const QString name = txtTemplate->text();
    const QString problem = CheckTemplateChoice(name);
    if (!problem.isEmpty()) {
        ShowMessage(problem);
        txtTemplate->setFocus();
        return;
    }
    m_blank = false;
    m_templatePath = name;
    accept();
}

void TfNewDocument::btnCancelClick()
{
    reject();
}
