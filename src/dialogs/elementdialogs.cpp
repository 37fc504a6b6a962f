#include "dialogs/elementdialogs.h"
#include "dialogs/listboxes.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include <QAbstractItemDelegate>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/rundialog.h"
#include "platform/configstore.h"
#include "platform/filedialogs.h"
#include "settings/colorcombo.h"

namespace {

// Swallows every key that types a character not in the allowed set (backspace, cursor
// keys and shortcuts pass). Text set by the program is never checked, so a value read
// from a tag stays as it was.
class TKeyFilter : public QObject
{
public:
    TKeyFilter(QObject *parent, QString allowed) : QObject(parent), m_allowed(std::move(allowed)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (!text.isEmpty() && text[0].isPrint() && !m_allowed.contains(text[0]))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_allowed;
};

const QString Digits = QStringLiteral("0123456789");

QLineEdit *TextBox(QWidget *parent, const char *name, const QString &allowedKeys = QString())
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    if (!allowedKeys.isEmpty())
        box->installEventFilter(new TKeyFilter(box, allowedKeys));
    return box;
}

QComboBox *ListBox(QWidget *parent, const char *name, const QStringList &items, bool editable)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

QPushButton *Button(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// A box with an up-down beside it: the arrows step the number within min and max; an
// unreadable number steps from min.
QWidget *UpDown(QWidget *parent, QLineEdit *box, QToolButton **up, QToolButton **down, int min, int max, int step)
{
    auto *holder = new QWidget(parent);
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    box->setParent(holder);
    row->addWidget(box, 1);
    *up = new QToolButton(holder);
    (*up)->setObjectName(QStringLiteral("upd") + box->objectName().mid(3) + QStringLiteral("Up"));
    (*up)->setArrowType(Qt::UpArrow);
    *down = new QToolButton(holder);
    (*down)->setObjectName(QStringLiteral("upd") + box->objectName().mid(3) + QStringLiteral("Down"));
    (*down)->setArrowType(Qt::DownArrow);
    row->addWidget(*up);
    row->addWidget(*down);
    const auto stepBy = [box, min, max](int by) {
        bool ok = false;
        const int value = box->text().toInt(&ok);
        box->setText(QString::number(ok ? std::clamp(value + by, min, max) : min));
    };
    QObject::connect(*up, &QToolButton::clicked, box, [stepBy, step] { stepBy(step); });
    QObject::connect(*down, &QToolButton::clicked, box, [stepBy, step] { stepBy(-step); });
    return holder;
}

void AddRow(QGridLayout *grid, int row, const QString &label, QWidget *field, QWidget *buddy = nullptr)
{
    auto *caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(buddy ? buddy : field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
}

// OK (default) and Cancel at the foot of a dialog.
void AddButtons(QDialog *dialog, QVBoxLayout *layout, QPushButton **ok, QPushButton **cancel)
{
    auto *row = new QHBoxLayout;
    *ok = new QPushButton(QStringLiteral("OK"), dialog);
    (*ok)->setObjectName(QStringLiteral("cmdOK"));
    (*ok)->setDefault(true);
    *cancel = Button(dialog, "cmdCancel", QStringLiteral("Cancel"));
    row->addStretch(1);
    row->addWidget(*ok);
    row->addWidget(*cancel);
    layout->addLayout(row);
    QObject::connect(*ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(*cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

// A memo's text with "\n" between lines, every character kept as it stands.
QString MemoText(const QPlainTextEdit *memo)
{
    QStringList lines;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines.join(u'\n');
}

TkrColorCombo *ColorCombo(QWidget *parent, const char *name)
{
    auto *combo = new TkrColorCombo(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->SetRegRoot(PendwickKey());
    return combo;
}

// The hourglass while a dialog is made and filled, until it is shown.
struct TWaitCursor
{
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { Restore(); }
    void Restore()
    {
        if (m_on)
            QGuiApplication::restoreOverrideCursor();
        m_on = false;
    }
    bool m_on = true;
};

template <class TDialog>
std::optional<TTagResult> RunWithWaitCursor(QWidget *parent, const TDialogContext &context)
{
    TWaitCursor wait;
    TDialog dialog(parent);
    dialog.Open(context);
    wait.Restore();
    return RunTagDialog(dialog, context);
}

const QString DocumentFilter = QStringLiteral("HTML Documents (*.[hH][tT][mM]*);;All Files (*)");
const QString ImageFilter =
    QStringLiteral("Web Images (*.JPG; *.GIF) (*.[jJ][pP][gG] *.[gG][iI][fF]);;All Files (*.*) (*)");

} // namespace

// ---- comment

TfComment::TfComment(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfComment"));
    setWindowTitle(QStringLiteral("Comment"));
    auto *layout = new QVBoxLayout(this);
    memComment = new QPlainTextEdit(this);
    memComment->setObjectName(QStringLiteral("memComment"));
    memComment->setTabChangesFocus(false);
    memComment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memComment->setLineWrapMode(QPlainTextEdit::NoWrap);
    memComment->installEventFilter(this);
    layout->addWidget(memComment, 1);
    AddButtons(this, layout, &cmdOK, &cmdCancel);
    memComment->setFocus();
}

bool TfComment::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == memComment && event->type() == QEvent::FocusIn)
        memComment->selectAll();
    return QDialog::eventFilter(watched, event);
}

void TfComment::Open(const TDialogContext &context)
{
    m_editedTag = context.IsEdit() ? context.EditedTag : QString();
    memComment->setPlainText(CommentMemoText(m_editedTag));
    memComment->selectAll();
}

QString TfComment::MemoText() const
{
    return ::MemoText(memComment);
}

TTagResult TfComment::Build() const
{
    return BuildComment(MemoText(), m_editedTag);
}

std::optional<TTagResult> TfComment::Execute(QWidget *parent, const TDialogContext &context)
{
    TfComment dialog(parent);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}

// ---- anchor

TfAnchor::TfAnchor(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfAnchor"));
    setWindowTitle(QStringLiteral("Anchor"));
    auto *layout = new QVBoxLayout(this);

    grpAnchor = new QGroupBox(this);
    grpAnchor->setObjectName(QStringLiteral("grpAnchor"));
    auto *grid = new QGridLayout(grpAnchor);
    cboURL = ListBox(grpAnchor, "cboURL", {}, true);
    btnSource = Button(grpAnchor, "btnSource", QStringLiteral("..."));
    auto *urlRow = new QWidget(grpAnchor);
    auto *urlLayout = new QHBoxLayout(urlRow);
    urlLayout->setContentsMargins(0, 0, 0, 0);
    cboURL->setParent(urlRow);
    btnSource->setParent(urlRow);
    urlLayout->addWidget(cboURL, 1);
    urlLayout->addWidget(btnSource);
    // A small browse button beside a link box wide enough for an address.
    btnSource->setFixedWidth(btnSource->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    cboURL->setMinimumWidth(260);
    AddRow(grid, 0, QStringLiteral("&HREF"), urlRow, cboURL);
    cboTarget = ListBox(grpAnchor, "cboTarget", AnchorTargetWords(), true);
    AddRow(grid, 1, QStringLiteral("&Target"), cboTarget);
    txtName = TextBox(grpAnchor, "txtName");
    AddRow(grid, 2, QStringLiteral("&Name"), txtName);
    layout->addWidget(grpAnchor);

    grpDescription = new QGroupBox(QStringLiteral("&Description"), this);
    grpDescription->setObjectName(QStringLiteral("grpDescription"));
    auto *description = new QVBoxLayout(grpDescription);
    memDescription = new QPlainTextEdit(grpDescription);
    memDescription->setObjectName(QStringLiteral("memDescription"));
    description->addWidget(memDescription);
    layout->addWidget(grpDescription, 1);

    AddButtons(this, layout, &cmdOK, &cmdCancel);
    connect(btnSource, &QPushButton::clicked, this, &TfAnchor::btnSourceClick);
}

void TfAnchor::Open(const TDialogContext &context)
{
    m_context = context;
    cboURL->clear();
    cboURL->addItems(context.LinkHistory);
    SetFields(OpenAnchorFields(context));
    if (context.IsEdit()) {
        // Only the start tag is edited: no description, and a window that ends below the
        // anchor group and the buttons.
        grpDescription->hide();
        adjustSize();
        resize(width(), minimumSizeHint().height());
    }
}

void TfAnchor::SetFile(const QString &file)
{
    TAnchorFields fields = Fields();
    fields.Href = AnchorFileHref(m_context, file);
    SetFields(fields);
}

TAnchorFields TfAnchor::Fields() const
{
    TAnchorFields f;
    f.Href = cboURL->currentText();
    f.Target = cboTarget->currentText();
    f.Name = txtName->text();
    f.Description = MemoText(memDescription);
    return f;
}

void TfAnchor::SetFields(const TAnchorFields &f)
{
    ChooseListText(cboURL, f.Href);
    ChooseListText(cboTarget, f.Target);
    txtName->setText(f.Name);
    memDescription->setPlainText(f.Description);
}

TTagResult TfAnchor::Build() const
{
    return BuildAnchorTag(Fields(), m_context);
}

void TfAnchor::btnSourceClick()
{
    const QString file =
        RunFileDialog(fdOpen, this, QStringLiteral("Select HTML Document"), m_context.BaseFolder, DocumentFilter);
    if (!file.isEmpty() && QFileInfo(file).isFile())
        SetFile(file);
}

std::optional<TTagResult> TfAnchor::Execute(QWidget *parent, const TDialogContext &context)
{
    TfAnchor dialog(parent);
    dialog.Open(context);
    std::optional<TTagResult> text = RunTagDialog(dialog, context);
    // The target heads the link history, also when the dialog was not shown.
    if (text)
        RememberLinkTarget(AnchorLinkTarget(dialog.Fields(), context));
    return text;
}

std::optional<TTagResult> TfAnchor::FromFile(QWidget *parent, const TDialogContext &context, const QString &file)
{
    TDialogContext fromFile = context;
    fromFile.EditedTag.clear();
    fromFile.FileName = file;
    return Execute(parent, fromFile);
}

// ---- font

TfFont::TfFont(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfFont"));
    setWindowTitle(QStringLiteral("Font"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;

    auto *sizeRow = new QWidget(this);
    auto *sizeLayout = new QHBoxLayout(sizeRow);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    cboSize = ListBox(sizeRow, "cboSize", FontSignWords(), true);
    cboSize->lineEdit()->setMaxLength(1);
    txtSize = TextBox(sizeRow, "txtSize", QStringLiteral("1234567"));
    sizeLayout->addWidget(cboSize);
    sizeLayout->addWidget(UpDown(sizeRow, txtSize, &updSizeUp, &updSizeDown, 1, 7, 1), 1);
    AddRow(grid, 0, QStringLiteral("Size"), sizeRow, txtSize);

    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    cboFace = ListBox(this, "cboFace", families, true);
    AddRow(grid, 1, QStringLiteral("Face"), cboFace);
    krColorCombo = ColorCombo(this, "krColorCombo");
    AddRow(grid, 2, QStringLiteral("Color"), krColorCombo);
    layout->addLayout(grid);
    AddButtons(this, layout, &cmdOK, &cmdCancel);
    SetFields(TFontFields());
}

void TfFont::Open(const TDialogContext &context)
{
    m_context = context;
    krColorCombo->SetForceHex(context.ForceHexColor);
    SetFields(OpenFontFields(context));
}

TFontFields TfFont::Fields() const
{
    TFontFields f;
    f.Sign = cboSize->currentText();
    f.Size = txtSize->text();
    f.Face = cboFace->currentText();
    f.Color = krColorCombo->Text();
    return f;
}

void TfFont::SetFields(const TFontFields &f)
{
    ChooseListText(cboSize, f.Sign);
    txtSize->setText(f.Size);
    ChooseListText(cboFace, f.Face);
    krColorCombo->SetText(f.Color);
}

TTagResult TfFont::Build() const
{
    return BuildFontTag(Fields(), m_context);
}

std::optional<TTagResult> TfFont::Execute(QWidget *parent, const TDialogContext &context)
{
    return RunWithWaitCursor<TfFont>(parent, context);
}

// ---- body

TfBody::TfBody(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfBody"));
    setWindowTitle(QStringLiteral("Body"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;

    auto *imageRow = new QWidget(this);
    auto *imageLayout = new QHBoxLayout(imageRow);
    imageLayout->setContentsMargins(0, 0, 0, 0);
    txtImage = TextBox(imageRow, "txtImage");
    btnImage = Button(imageRow, "btnImage", QStringLiteral("..."));
    imageLayout->addWidget(txtImage, 1);
    imageLayout->addWidget(btnImage);
    AddRow(grid, 0, QStringLiteral("Background Image"), imageRow, txtImage);

    krColorBG = ColorCombo(this, "krColorBG");
    krColorText = ColorCombo(this, "krColorText");
    krColorLink = ColorCombo(this, "krColorLink");
    krColorVLink = ColorCombo(this, "krColorVLink");
    krColorALink = ColorCombo(this, "krColorALink");
    AddRow(grid, 1, QStringLiteral("Background Color"), krColorBG);
    AddRow(grid, 2, QStringLiteral("Text Color"), krColorText);
    AddRow(grid, 3, QStringLiteral("Link Color"), krColorLink);
    AddRow(grid, 4, QStringLiteral("Visited Link Color"), krColorVLink);
    AddRow(grid, 5, QStringLiteral("Active Link Color"), krColorALink);
    layout->addLayout(grid);

    pnlPreview = new QWidget(this);
    pnlPreview->setObjectName(QStringLiteral("pnlPreview"));
    pnlPreview->setAutoFillBackground(true);
    auto *preview = new QVBoxLayout(pnlPreview);
    const auto label = [this, preview](const char *name, const QString &caption) {
        auto *l = new QLabel(caption, pnlPreview);
        l->setObjectName(QString::fromLatin1(name));
        preview->addWidget(l);
        return l;
    };
    lblText = label("lblText", QStringLiteral("Text Color"));
    lblLink = label("lblLink", QStringLiteral("Link Color"));
    lblVLink = label("lblVLink", QStringLiteral("Visited Link Color"));
    lblALink = label("lblALink", QStringLiteral("Active Link Color"));
    layout->addWidget(pnlPreview);

    AddButtons(this, layout, &cmdOK, &cmdCancel);
    connect(btnImage, &QPushButton::clicked, this, &TfBody::btnImageClick);
    for (TkrColorCombo *combo : {krColorBG, krColorText, krColorLink, krColorVLink, krColorALink})
        connect(combo, &TkrColorCombo::OnColorSelect, this, &TfBody::RefreshPreview);
    RefreshPreview();
}

void TfBody::Open(const TDialogContext &context)
{
    m_context = context;
    for (TkrColorCombo *combo : {krColorBG, krColorText, krColorLink, krColorVLink, krColorALink})
        combo->SetForceHex(context.ForceHexColor);
    SetFields(OpenBodyFields(context));
}

TBodyFields TfBody::Fields() const
{
    TBodyFields f;
    f.Background = txtImage->text();
    f.BgColor = krColorBG->Text();
    f.Text = krColorText->Text();
    f.Link = krColorLink->Text();
    f.VLink = krColorVLink->Text();
    f.ALink = krColorALink->Text();
    return f;
}

void TfBody::SetFields(const TBodyFields &f)
{
    txtImage->setText(f.Background);
    krColorBG->SetText(f.BgColor);
    krColorText->SetText(f.Text);
    krColorLink->SetText(f.Link);
    krColorVLink->SetText(f.VLink);
    krColorALink->SetText(f.ALink);
    RefreshPreview();
}

void TfBody::RefreshPreview()
{
    // A value the combo holds but cannot show ("beige") is still a colour a browser knows.
    const auto color = [](const TkrColorCombo *combo, const QColor &none) {
        if (const std::optional<TColor> c = combo->Color())
            return ColorToQColor(*c);
        const QColor named = QColor::fromString(combo->Text());
        return named.isValid() ? named : none;
    };
    QPalette panel = pnlPreview->palette();
    panel.setColor(QPalette::Window, color(krColorBG, QColor(0xC0, 0xC0, 0xC0)));
    pnlPreview->setPalette(panel);
    const auto paint = [](QLabel *label, const QColor &c) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, c);
        label->setPalette(p);
    };
    paint(lblText, color(krColorText, QColor(0, 0, 0)));
    paint(lblLink, color(krColorLink, QColor(0, 0, 0xFF)));
    paint(lblVLink, color(krColorVLink, QColor(0x80, 0, 0x80)));
    paint(lblALink, color(krColorALink, QColor(0xFF, 0, 0)));
}

TTagResult TfBody::Build() const
{
    return BuildBodyTag(Fields(), m_context);
}

void TfBody::btnImageClick()
{
    const QString file =
        RunFileDialog(fdOpen, this, QStringLiteral("Select an Image"), m_context.BaseFolder, ImageFilter);
    if (!file.isEmpty())
        txtImage->setText(BodyImageReference(m_context, file));
}

std::optional<TTagResult> TfBody::Execute(QWidget *parent, const TDialogContext &context)
{
    return RunWithWaitCursor<TfBody>(parent, context);
}

// ---- horizontal rule

TfHorzRule::TfHorzRule(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfHorzRule"));
    setWindowTitle(QStringLiteral("Horizontal Rule"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    cboAlign = ListBox(this, "cboAlign", HorzRuleAlignWords(), false);
    AddRow(grid, 0, QStringLiteral("Align"), cboAlign);
    txtSize = TextBox(this, "txtSize", Digits);
    AddRow(grid, 1, QStringLiteral("Size"), UpDown(this, txtSize, &updSizeUp, &updSizeDown, 0, 999, 3), txtSize);
    txtWidth = TextBox(this, "txtWidth", Digits + u'%');
    AddRow(grid, 2, QStringLiteral("Width"), UpDown(this, txtWidth, &updWidthUp, &updWidthDown, 0, 999, 1),
           txtWidth);
    chkNoShade = new QCheckBox(QStringLiteral("No shading"), this);
    chkNoShade->setObjectName(QStringLiteral("chkNoShade"));
    grid->addWidget(chkNoShade, 3, 1);
    layout->addLayout(grid);
    AddButtons(this, layout, &cmdOK, &cmdCancel);
}

void TfHorzRule::Open(const TDialogContext &context)
{
    m_context = context;
    SetFields(OpenHorzRuleFields(context));
}

THorzRuleFields TfHorzRule::Fields() const
{
    THorzRuleFields f;
    f.Align = ListText(cboAlign);
    f.Size = txtSize->text();
    f.Width = txtWidth->text();
    f.NoShade = chkNoShade->isChecked();
    return f;
}

void TfHorzRule::SetFields(const THorzRuleFields &f)
{
    ChooseListText(cboAlign, f.Align);
    txtSize->setText(f.Size);
    txtWidth->setText(f.Width);
    chkNoShade->setChecked(f.NoShade);
}

TTagResult TfHorzRule::Build() const
{
    return BuildHorzRuleTag(Fields(), m_context);
}

std::optional<TTagResult> TfHorzRule::Execute(QWidget *parent, const TDialogContext &context)
{
    TfHorzRule dialog(parent);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}

// ---- META

TfMeta::TfMeta(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfMeta"));
    setWindowTitle(QStringLiteral("META Editor"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    cboEquiv = ListBox(this, "cboEquiv", MetaWords(), true);
    AddRow(grid, 0, QStringLiteral("HTTP-EQUIV"), cboEquiv);
    txtContent = TextBox(this, "txtContent");
    AddRow(grid, 1, QStringLiteral("Content"), txtContent);
    cboName = ListBox(this, "cboName", MetaWords(), true);
    AddRow(grid, 2, QStringLiteral("Name"), cboName);
    txtURL = TextBox(this, "txtURL");
    AddRow(grid, 3, QStringLiteral("URL"), txtURL);
    layout->addLayout(grid);
    AddButtons(this, layout, &cmdOK, &cmdCancel);
}

void TfMeta::Open(const TDialogContext &context)
{
    m_context = context;
    SetFields(OpenMetaFields(context));
}

TMetaFields TfMeta::Fields() const
{
    return {cboEquiv->currentText(), txtContent->text(), cboName->currentText(), txtURL->text()};
}

void TfMeta::SetFields(const TMetaFields &f)
{
    ChooseListText(cboEquiv, f.HttpEquiv);
    txtContent->setText(f.Content);
    ChooseListText(cboName, f.Name);
    txtURL->setText(f.Url);
}

TTagResult TfMeta::Build() const
{
    return BuildMetaTag(Fields(), m_context);
}

std::optional<TTagResult> TfMeta::Execute(QWidget *parent, const TDialogContext &context)
{
    TfMeta dialog(parent);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}

// ---- list

TfList::TfList(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfList"));
    setWindowTitle(QStringLiteral("List"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *style = new QGroupBox(QStringLiteral("&List Style"), this);
    style->setObjectName(QStringLiteral("grpListStyle"));
    auto *styleLayout = new QVBoxLayout(style);
    optList_Ord = new QRadioButton(QStringLiteral("Ordered"), style);
    optList_Ord->setObjectName(QStringLiteral("optList_Ord"));
    optList_Ord->setChecked(true);
    optList_Unord = new QRadioButton(QStringLiteral("Unordered"), style);
    optList_Unord->setObjectName(QStringLiteral("optList_Unord"));
    styleLayout->addWidget(optList_Ord);
    styleLayout->addWidget(optList_Unord);
    top->addWidget(style);
    auto *grid = new QGridLayout;
    txtRows = TextBox(this, "txtRows", Digits);
    txtRows->setText(QStringLiteral("1"));
    AddRow(grid, 0, QStringLiteral("&Rows"), UpDown(this, txtRows, &updRowsUp, &updRowsDown, ListRowsMin, ListRowsMax, 1),
           txtRows);
    cmdClear = Button(this, "cmdClear", QStringLiteral("&Clear"));
    grid->addWidget(cmdClear, 1, 1);
    top->addLayout(grid);
    layout->addLayout(top);
    grdList = new QTableWidget(1, 1, this);
    grdList->setObjectName(QStringLiteral("grdList"));
    grdList->horizontalHeader()->hide();
    grdList->horizontalHeader()->setStretchLastSection(true);
    grdList->setSelectionMode(QAbstractItemView::SingleSelection);
    grdList->setEditTriggers(QAbstractItemView::AllEditTriggers);
    layout->addWidget(grdList, 1);
    AddButtons(this, layout, &cmdOK, &cmdCancel);
    // OK builds the text before the dialog closes.
    disconnect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdOK, &QPushButton::clicked, this, &TfList::cmdOKClick);
    connect(updRowsUp, &QToolButton::clicked, this, &TfList::ApplyRows);
    connect(updRowsDown, &QToolButton::clicked, this, &TfList::ApplyRows);
    connect(txtRows, &QLineEdit::editingFinished, this, [this] {
        if (txtRows->text() != m_rowsShown)
            ApplyRows();
    });
    connect(cmdClear, &QPushButton::clicked, this, &TfList::cmdClearClick);
    m_rowsShown = txtRows->text();
}

void TfList::Open(const TDialogContext &)
{
    grdList->setCurrentCell(0, 0);
}

void TfList::CommitGridEdit() const
{
    const QModelIndex current = grdList->currentIndex();
    if (QWidget *editor = current.isValid() ? grdList->indexWidget(current) : nullptr)
        grdList->itemDelegateForIndex(current)->setModelData(editor, grdList->model(), current);
}

TListFields TfList::Fields() const
{
    CommitGridEdit();
    TListFields f;
    f.Ordered = !optList_Unord->isChecked();
    f.Items.clear();
    for (int row = 0; row < grdList->rowCount(); ++row) {
        const QTableWidgetItem *item = grdList->item(row, 0);
        f.Items << (item ? item->text() : QString());
    }
    return f;
}

void TfList::SetFields(const TListFields &f)
{
    (f.Ordered ? optList_Ord : optList_Unord)->setChecked(true);
    grdList->clearContents();
    grdList->setRowCount(std::max<int>(1, f.Items.size()));
    for (int row = 0; row < f.Items.size(); ++row)
        grdList->setItem(row, 0, new QTableWidgetItem(f.Items[row]));
    txtRows->setText(QString::number(grdList->rowCount()));
    m_rowsShown = txtRows->text();
}

void TfList::ApplyRows()
{
    grdList->setRowCount(ListRowCount(txtRows->text()));
    m_rowsShown = txtRows->text();
}

void TfList::cmdClearClick()
{
    SetFields(TListFields());
    grdList->setCurrentCell(0, 0);
}

void TfList::cmdOKClick()
{
    CommitGridEdit();
    TWaitCursor wait;
    QCoreApplication::processEvents();
    m_text = BuildList(Fields());
    accept();
}

TTagResult TfList::Build() const
{
    return m_text ? *m_text : BuildList(Fields());
}

std::optional<TTagResult> TfList::Execute(QWidget *parent, const TDialogContext &context)
{
    TfList dialog(parent);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}

// ---- form control

TfFormElement::TfFormElement(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfFormElement"));
    setWindowTitle(QStringLiteral("Form Element"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    cboFormElement = ListBox(this, "cboFormElement", FormElementKindNames(), false);
    AddRow(grid, 0, QStringLiteral("&Form Element"), cboFormElement);
    txtName = TextBox(this, "txtName");
    AddRow(grid, 1, QStringLiteral("Name"), txtName);
    txtValue = TextBox(this, "txtValue");
    lblValue = new QLabel(QStringLiteral("Value"), this);
    lblValue->setObjectName(QStringLiteral("lblValue"));
    lblValue->setBuddy(txtValue);
    grid->addWidget(lblValue, 2, 0);
    grid->addWidget(txtValue, 2, 1);
    layout->addLayout(grid);

    pnlVal = new QWidget(this);
    pnlVal->setObjectName(QStringLiteral("pnlVal"));
    auto *numbers = new QHBoxLayout(pnlVal);
    numbers->setContentsMargins(0, 0, 0, 0);
    const auto number = [this, numbers](const char *name, const char *label, QLabel **caption, QToolButton **up,
                                        QToolButton **down) {
        QLineEdit *box = TextBox(pnlVal, name, Digits);
        box->setMaxLength(3);
        *caption = new QLabel(pnlVal);
        (*caption)->setObjectName(QString::fromLatin1(label));
        QWidget *holder = UpDown(pnlVal, box, up, down, 0, 999, 1);
        (*caption)->setBuddy(box);
        numbers->addWidget(*caption);
        numbers->addWidget(holder);
        return std::pair{box, holder};
    };
    txtVal1 = number("txtVal1", "lblVal1", &lblVal1, &updVal1Up, &updVal1Down).first;
    std::tie(txtVal2, pnlVal2) = number("txtVal2", "lblVal2", &lblVal2, &updVal2Up, &updVal2Down);
    numbers->addStretch(1);
    layout->addWidget(pnlVal);
    AddButtons(this, layout, &cmdOK, &cmdCancel);
    connect(cboFormElement, &QComboBox::activated, this, &TfFormElement::cboFormElementChange);
    SetFields(TFormElementFields());
}

void TfFormElement::Open(const TDialogContext &)
{
    SetFields(FormElementFieldsFor(feText));
}

TFormElementFields TfFormElement::Fields() const
{
    return {TFormElementKind(std::max(0, cboFormElement->currentIndex())), txtName->text(), txtValue->text(),
            txtVal1->text(), txtVal2->text()};
}

void TfFormElement::SetFields(const TFormElementFields &f)
{
    cboFormElement->setCurrentIndex(int(f.Kind));
    txtName->setText(f.Name);
    txtValue->setText(f.Value);
    txtVal1->setText(f.Number1);
    txtVal2->setText(f.Number2);
    const TFormElementBoxes boxes = FormElementBoxes(f.Kind);
    pnlVal->setVisible(boxes.Numbers);
    lblVal1->setText(boxes.Label1);
    lblVal2->setText(boxes.Label2);
    lblVal2->setVisible(!boxes.Label2.isEmpty());
    pnlVal2->setVisible(!boxes.Label2.isEmpty());
    lblValue->setVisible(boxes.Value);
    txtValue->setVisible(boxes.Value);
}

void TfFormElement::cboFormElementChange()
{
    SetFields(FormElementFieldsFor(TFormElementKind(std::max(0, cboFormElement->currentIndex()))));
}

TTagResult TfFormElement::Build() const
{
    return BuildFormElement(Fields());
}

std::optional<TTagResult> TfFormElement::Execute(QWidget *parent, const TDialogContext &context)
{
    TfFormElement dialog(parent);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}
