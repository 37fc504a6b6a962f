#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

// "New HTML Document": start from a blank document or from a template file.
class TfNewDocument : public QDialog
{
    Q_OBJECT

public:
    explicit TfNewDocument(QWidget *parent = nullptr);

    // Shows the dialog with templateFile in the template box. Returns false on Cancel;
    // on OK, blank tells which choice was made and templatePath holds the template named
    // (only when blank is false).
    static bool Execute(QWidget *parent, const QString &templateFile, bool &blank, QString &templatePath);

    // The choice, valid once the dialog was accepted.
    bool Blank() const { return m_blank; }
    QString TemplatePath() const { return m_templatePath; }

    QRadioButton *optBlank = nullptr;
    QRadioButton *optTemplate = nullptr;
    QLineEdit *txtTemplate = nullptr;
    QPushButton *btnBrowse = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

private:
    void optTemplateToggled(bool checked);
    void btnBrowseClick();
    void btnOKClick();
    void btnCancelClick();

    bool m_blank = true;
    QString m_templatePath;
};
