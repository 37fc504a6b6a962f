#include "dialogs/listformtags.h"

#include <algorithm>

#include "editor/tagtext.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// A name or value between double quotes: a double quote of its own would end it early.
QString QuotedText(const QString &text)
{
    QString result = text;
    result.replace(u'"', QLatin1String("&quot;"));
    return result;
}

// A number box as written: an emptied box counts as 0.
QString NumberText(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

int NumberValue(const QString &text)
{
    return text.toInt();
}

} // namespace

// ---- list

int ListRowCount(const QString &rowsText)
{
    bool ok = false;
    const int rows = rowsText.trimmed().toInt(&ok);
    return ok ? std::clamp(rows, ListRowsMin, ListRowsMax) : ListRowsMin;
}

TTagResult BuildList(const TListFields &fields)
{
    const QString name = fields.Ordered ? QStringLiteral("OL>") : QStringLiteral("UL>");
    const QString item = QStringLiteral("\t") + TagCase(QStringLiteral("<LI>"));
    QString text = TagCase(u'<' + name) + CrLf;
    for (const QString &entry : fields.Items)
        text += item + entry + CrLf;
    text += TagCase(QStringLiteral("</") + name);
    return {text, QString()};
}

// ---- form control

QStringList FormElementKindNames()
{
    return {QStringLiteral("Text"),         QStringLiteral("Text Area"),     QStringLiteral("Hidden"),
            QStringLiteral("Checkbox"),     QStringLiteral("Radio Button"),  QStringLiteral("Select List"),
            QStringLiteral("Submit Button"), QStringLiteral("Reset Button")};
}

TFormElementFields FormElementFieldsFor(TFormElementKind kind)
{
    TFormElementFields fields;
    fields.Kind = kind;
    return fields;
}

TFormElementBoxes FormElementBoxes(TFormElementKind kind)
{
    switch (kind) {
    case feText:
        return {true, QStringLiteral("Size"), QStringLiteral("Max Len"), true};
    case feTextArea:
        return {true, QStringLiteral("Rows"), QStringLiteral("Cols"), true};
    case feSelectList:
        return {true, QStringLiteral("Rows"), QString(), false};
    default:
        return {};
    }
}

TTagResult BuildFormElement(const TFormElementFields &fields)
{
    const QString name = QuotedText(fields.Name);
    const QString value = QuotedText(fields.Value);
    const QString n1 = NumberText(fields.Number1);
    const QString n2 = NumberText(fields.Number2);
    const auto input = [&](const char *type) {
        return TagCase(QStringLiteral("<INPUT TYPE=\"%1\" NAME=\"").arg(QLatin1String(type))) + name
               + TagCase(QStringLiteral("\" VALUE=\"")) + value + QStringLiteral("\">") + CrLf;
    };
    switch (fields.Kind) {
    case feText: {
        QString text = TagCase(QStringLiteral("<INPUT TYPE=\"TEXT\" NAME=\"")) + name + u'"'
                       + TagCase(QStringLiteral(" VALUE=\"")) + value + u'"';
        if (NumberValue(n1) != 0)
            text += TagCase(QStringLiteral(" SIZE=")) + n1;
        if (NumberValue(n2) != 0)
            text += TagCase(QStringLiteral(" MAXLENGTH=")) + n2;
        return {text + u'>' + CrLf, QString()};
    }
    case feTextArea:
        return {TagCase(QStringLiteral("<TEXTAREA NAME=\"")) + name + u'"' + TagCase(QStringLiteral(" ROWS=")) + n1
                    + TagCase(QStringLiteral(" COLS=")) + n2 + u'>' + CrLf,
                TagCase(QStringLiteral("</TEXTAREA>"))};
    case feSelectList: {
        QString text = TagCase(QStringLiteral("<SELECT NAME=\"")) + name + QStringLiteral("\">");
        const QString option = CrLf + u'\t' + TagCase(QStringLiteral("<OPTION>"));
        for (int i = 0; i < NumberValue(n1); ++i)
            text += option;
        return {text + CrLf, CrLf + TagCase(QStringLiteral("</SELECT>"))};
    }
    case feHidden:
        return {input("HIDDEN"), QString()};
    case feCheckbox:
        return {input("CHECKBOX"), QString()};
    case feRadioButton:
        return {input("RADIO"), QString()};
    case feSubmitButton:
        return {input("SUBMIT"), QString()};
    case feResetButton:
        return {input("RESET"), QString()};
    }
    return {};
}
