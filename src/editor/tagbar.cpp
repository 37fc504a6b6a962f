#include "editor/tagbar.h"

#include <utility>

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QEnterEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "editor/richhtml.h"
#include "common/textfile.h"

namespace {

constexpr int ButtonWidth = 24;
constexpr int ButtonHeight = 22;
const QColor Navy(0, 0, 128);
const QColor Maroon(128, 0, 0);
const QColor Silver(192, 192, 192);

// The caption colour of an enabled button; a disabled one keeps the style's grey.
void SetTextColor(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::ButtonText, color);
        p.setColor(group, QPalette::WindowText, color);
    }
    w->setPalette(p);
}

} // namespace

// ---- TkrTagButton ----

TkrTagButton::TkrTagButton(QWidget *parent) : TkrTagButton(parent, true, Navy)
{
}

TkrTagButton::TkrTagButton(QWidget *parent, bool bold, const QColor &captionColor) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(ButtonWidth, ButtonHeight);
    setIconSize(QSize(16, 16));
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setBold(bold);
    setFont(f);
    SetTextColor(this, captionColor);
    UpdateStyle();
}

void TkrTagButton::SetHint(const QString &hint)
{
    m_hint = hint;
    setToolTip(hint);
    setStatusTip(hint);
}

void TkrTagButton::SetCaption(const QString &caption)
{
    m_caption = caption;
    setText(caption);
}

void TkrTagButton::SetImage(const QImage &image)
{
    setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
    UpdateStyle();
}

void TkrTagButton::UpdateStyle()
{
    setToolButtonStyle(icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void TkrTagButton::enterEvent(QEnterEvent *e)
{
    QToolButton::enterEvent(e);
    emit OnHint(m_hint);
}

void TkrTagButton::leaveEvent(QEvent *e)
{
    QToolButton::leaveEvent(e);
    emit OnHint(QString());
}

// ---- TkrTagBarButton ----

TkrTagBarButton::TkrTagBarButton(int index, QWidget *parent) : TkrTagButton(parent, false, Maroon), m_index(index)
{
}

void TkrTagBarButton::SetGlyphIndex(int n)
{
    if (n < 0)
        n = 0;
    if (n == m_glyphIndex)
        return;
    m_glyphIndex = n;
    SetImage(n > 0 ? CustomGlyphImage(n) : QImage());
}

// ---- TkrTagBar ----

TkrTagBar::TkrTagBar(QWidget *parent) : QWidget(parent)
{
    setFixedSize(TagBarSlotCount * ButtonWidth + 2, ButtonHeight + 2);
    for (int n = 0; n < TagBarSlotCount; ++n) {
        auto *b = new TkrTagBarButton(n, this);
        b->setObjectName(QStringLiteral("btnCustom%1").arg(n));
        b->move(n * ButtonWidth + 1, 1);
        b->SetCaption(QStringLiteral("C%1").arg(n));
        b->SetHint(QStringLiteral("Custom %1").arg(n));
        b->hide();
        connect(b, &QToolButton::clicked, this,
                [this, b] { emit OnTagButtonClick(this, b->Index(), b->TagStart, b->TagEnd); });
        connect(b, &TkrTagButton::OnHint, this, &TkrTagBar::OnHint);
        m_buttons[size_t(n)] = b;
    }
}

int TkrTagBar::VisibleCount() const
{
    int k = 0;
    while (k < TagBarSlotCount && !m_buttons[size_t(k)]->isHidden())
        ++k;
    return k;
}

TTagBarData TkrTagBar::Data() const
{
    TTagBarData data;
    data.ToolbarName = m_toolbarName;
    for (int n = 0; n < TagBarSlotCount; ++n) {
        const TkrTagBarButton *b = m_buttons[size_t(n)];
        TTagBarSlot &slot = data.Slots[size_t(n)];
        slot.Visible = !b->isHidden();
        slot.Caption = b->Caption();
        slot.Hint = b->Hint();
        slot.GlyphIndex = b->GlyphIndex();
        slot.TagStart = b->TagStart;
        slot.TagEnd = b->TagEnd;
    }
    return data;
}

void TkrTagBar::SetData(const TTagBarData &data)
{
    m_toolbarName = data.ToolbarName;
    for (int n = 0; n < TagBarSlotCount; ++n) {
        TkrTagBarButton *b = m_buttons[size_t(n)];
        const TTagBarSlot &slot = data.Slots[size_t(n)];
        b->SetCaption(slot.Caption);
        b->SetHint(slot.Hint);
        b->SetGlyphIndex(slot.GlyphIndex);
        b->TagStart = slot.TagStart;
        b->TagEnd = slot.TagEnd;
        b->setVisible(slot.Visible);
    }
}

void TkrTagBar::ReadFromRegistry()
{
    if (m_registryLocation.isEmpty()) {
        ShowMessage(QStringLiteral("TkrTagBar.ReadFromRegistry Error - FRegLoc Unassigned"));
        return;
    }
    TTagBarData data = Data();
    ReadTagBar(m_registryLocation, data);
    SetData(data);
}

void TkrTagBar::WriteToRegistry()
{
    if (m_registryLocation.isEmpty()) {
        ShowMessage(QStringLiteral("TkrTagBar.WriteToRegistry Error - FRegLoc Unassigned"));
        return;
    }
    WriteTagBar(m_registryLocation, Data());
}

bool TkrTagBar::Customize()
{
    TfCustomButtons dialog(Data(), m_glyphCount, window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SetData(dialog.Result());
    WriteToRegistry();
    return true;
}

void TkrTagBar::SetGrouped(bool grouped)
{
    if (grouped == (m_group != nullptr))
        return;
    if (grouped) {
        m_group = new QButtonGroup(this);
        m_group->setExclusive(true);
    }
    for (TkrTagBarButton *b : m_buttons) {
        b->setCheckable(grouped);
        if (grouped)
            m_group->addButton(b, b->Index());
    }
    if (!grouped) {
        delete m_group;
        m_group = nullptr;
    }
}

void TkrTagBar::SetPressed(int n)
{
    if (!m_group)
        return;
    if (n >= 0 && n < TagBarSlotCount) {
        m_buttons[size_t(n)]->setChecked(true);
        return;
    }
    // No button pressed: an exclusive group never lets its last checked button go.
    m_group->setExclusive(false);
    for (TkrTagBarButton *b : m_buttons)
        b->setChecked(false);
    m_group->setExclusive(true);
}

// ---- TfCustomButtons ----

TfCustomButtons::TfCustomButtons(const TTagBarData &bar, int glyphCount, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_editor(bar, glyphCount)
{
    setObjectName(QStringLiteral("TfCustomButtons"));
    setWindowTitle(QStringLiteral("Custom Buttons"));
    auto *column = new QVBoxLayout(this);

    krButtons = new TkrTagBar(this);
    krButtons->setObjectName(QStringLiteral("krButtons"));
    krButtons->SetGlyphCount(glyphCount);
    krButtons->SetGrouped(true);
    column->addWidget(krButtons);

    auto *nameRow = new QFormLayout;
    txtToolbarName = new QLineEdit(this);
    txtToolbarName->setObjectName(QStringLiteral("txtToolbarName"));
    txtToolbarName->setMaxLength(ToolbarNameMaxLength);
    nameRow->addRow(QStringLiteral("Toolbar Name"), txtToolbarName);
    column->addLayout(nameRow);

    grpCustom = new QGroupBox(QStringLiteral("Button"), this);
    grpCustom->setObjectName(QStringLiteral("grpCustom"));
    auto *form = new QFormLayout(grpCustom);
    auto *captionRow = new QHBoxLayout;
    txtCaption = new QLineEdit(grpCustom);
    txtCaption->setObjectName(QStringLiteral("txtCaption"));
    txtCaption->setMaxLength(CaptionMaxLength);
    txtCaption->setMaximumWidth(60);
    captionRow->addWidget(txtCaption);
    captionRow->addSpacing(16);
    captionRow->addWidget(new QLabel(QStringLiteral("Image"), grpCustom));
    cboGlyphs = new QComboBox(grpCustom);
    cboGlyphs->setObjectName(QStringLiteral("cboGlyphs"));
    cboGlyphs->setIconSize(QSize(16, 16));
    cboGlyphs->setMaxVisibleItems(12);
    cboGlyphs->addItem(QStringLiteral("None"));
    cboGlyphs->setItemData(0, QBrush(Silver), Qt::BackgroundRole);
    for (int n = 1; n <= glyphCount; ++n) {
        const QImage image = CustomGlyphImage(n);
        cboGlyphs->addItem(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)), QString::number(n));
        cboGlyphs->setItemData(n, QBrush(Silver), Qt::BackgroundRole);
    }
    captionRow->addWidget(cboGlyphs);
    captionRow->addStretch();
    form->addRow(QStringLiteral("Caption"), captionRow);
    txtHint = new QLineEdit(grpCustom);
    txtHint->setObjectName(QStringLiteral("txtHint"));
    txtHint->setMaxLength(HintMaxLength);
    form->addRow(QStringLiteral("Hint"), txtHint);
    memStart = new QPlainTextEdit(grpCustom);
    memStart->setObjectName(QStringLiteral("memStart"));
    memEnd = new QPlainTextEdit(grpCustom);
    memEnd->setObjectName(QStringLiteral("memEnd"));
    for (QPlainTextEdit *memo : {memStart, memEnd}) {
        memo->setTabChangesFocus(true);
        memo->setFixedHeight(60);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    form->addRow(QStringLiteral("Start Tag"), memStart);
    form->addRow(QStringLiteral("End Tag"), memEnd);
    auto *note = new QLabel(QStringLiteral("Note: Caption and Image are mutually exclusive."), grpCustom);
    note->setObjectName(QStringLiteral("lblNote"));
    form->addRow(note);
    column->addWidget(grpCustom);

    auto *buttons = new QHBoxLayout;
    btnAdd = new QPushButton(QStringLiteral("&Add"), this);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnDelete = new QPushButton(QStringLiteral("&Delete"), this);
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton *b : {btnAdd, btnDelete, btnOK, btnCancel})
        b->setAutoDefault(false);
    btnOK->setDefault(true);
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnDelete);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    column->addLayout(buttons);

    connect(krButtons, &TkrTagBar::OnTagButtonClick, this,
            [this](TkrTagBar *, int index, const QString &, const QString &) { krButtonsClick(index); });
    connect(txtToolbarName, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_showing)
            m_editor.SetToolbarName(text);
    });
    connect(txtCaption, &QLineEdit::textEdited, this, &TfCustomButtons::txtCaptionEdited);
    connect(txtHint, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_showing)
            m_editor.SetHint(text);
    });
    connect(memStart, &QPlainTextEdit::textChanged, this, [this] { memTextChanged(memStart); });
    connect(memEnd, &QPlainTextEdit::textChanged, this, [this] { memTextChanged(memEnd); });
    connect(cboGlyphs, &QComboBox::currentIndexChanged, this, &TfCustomButtons::cboGlyphsChange);
    connect(btnAdd, &QPushButton::clicked, this, &TfCustomButtons::btnAddClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfCustomButtons::btnDeleteClick);
    connect(btnOK, &QPushButton::clicked, this, &TfCustomButtons::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_showing = true;
    txtToolbarName->setText(m_editor.ToolbarName());
    m_showing = false;
    ShowEditor();
}

void TfCustomButtons::ShowEditor()
{
    m_showing = true;
    krButtons->SetData(m_editor.Bar());
    krButtons->SetPressed(m_editor.Current());
    const TTagBarEditor::TFields &f = m_editor.Fields();
    grpCustom->setEnabled(m_editor.EditEnabled());
    txtCaption->setText(f.Caption);
    txtHint->setText(f.Hint);
    for (auto [memo, text] : {std::pair{memStart, &f.TagStart}, std::pair{memEnd, &f.TagEnd}}) {
        const QString shown = NormalizeLineBreaks(*text);
        if (memo->toPlainText() != shown)
            memo->setPlainText(shown);
    }
    cboGlyphs->setCurrentIndex(f.Glyph);
    m_showing = false;
}

void TfCustomButtons::krButtonsClick(int index)
{
    m_editor.Select(index);
    ShowEditor();
}

void TfCustomButtons::txtCaptionEdited(const QString &text)
{
    m_editor.CaptionEdited(text);
    m_showing = true;
    cboGlyphs->setCurrentIndex(0);
    m_showing = false;
}

void TfCustomButtons::cboGlyphsChange(int entry)
{
    if (m_showing)
        return;
    m_editor.GlyphChosen(entry);
    ShowEditor();
}

void TfCustomButtons::memTextChanged(QPlainTextEdit *memo)
{
    if (m_showing)
        return;
    // The edit holds "\n" line breaks; the tags keep the CR LF they are written with, and
    // the limit counts them so.
    QString stored = memo->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    if (stored.size() > TagTextMaxLength) {
        // Typing or pasting past the limit keeps the first characters only.
        stored = LimitText(stored, TagTextMaxLength);
        if (stored.endsWith(u'\r'))
            stored.chop(1);
        m_showing = true;
        memo->setPlainText(NormalizeLineBreaks(stored));
        memo->moveCursor(QTextCursor::End);
        m_showing = false;
    }
    if (memo == memStart)
        m_editor.SetTagStart(stored);
    else
        m_editor.SetTagEnd(stored);
}

void TfCustomButtons::btnAddClick()
{
    if (m_editor.Add())
        ShowEditor();
}

void TfCustomButtons::btnDeleteClick()
{
    if (m_editor.Delete())
        ShowEditor();
}

void TfCustomButtons::btnOKClick()
{
    if (!m_editor.Accept()) {
        MessageBox(mkInformation, QStringLiteral("Please enter a name for this toolbar."), mbOK, this);
        return;
    }
    accept();
}

// ---- TkrSpeedbar ----

TkrSpeedbar::TkrSpeedbar(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("pgSpeedbar"));
    setDocumentMode(true);
    // Pages can be wider than the window. The speedbar takes the width it is given (a page
    // too wide for it is cut at the right) and its page tabs scroll, so every tab stays
    // reachable at any window size.
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    for (int page = 0; page < SpeedbarPageCount; ++page)
        AddPage(page);

    const auto row = [this](int page) { return static_cast<QHBoxLayout *>(m_pages[size_t(page)]->layout()); };

    // Styles and Apps: empty rows, filled from the left by the style list and the
    // application bar.
    layStyles = row(spStyles);
    layStyles->setObjectName(QStringLiteral("layStyles"));
    layStyles->setAlignment(Qt::AlignLeft);
    layApps = row(spApps);
    layApps->setObjectName(QStringLiteral("layApps"));
    layApps->setAlignment(Qt::AlignLeft);

    // Tag List
    cboTagList = new QComboBox(m_pages[spTagList]);
    cboTagList->setObjectName(QStringLiteral("cboTagList"));
    cboTagList->setEditable(false);
    cboTagList->setMinimumWidth(240);
    cboTagList->setMaxVisibleItems(20);
    cboTagList->installEventFilter(this);
    cboTagList->view()->installEventFilter(this);
    row(spTagList)->addWidget(cboTagList);
    row(spTagList)->addSpacing(4);
    btnInsertTag = new TkrTagButton(m_pages[spTagList]);
    btnInsertTag->setObjectName(QStringLiteral("btnInsertTag"));
    btnInsertTag->SetCaption(QStringLiteral("Insert tag"));
    btnInsertTag->SetHint(QStringLiteral("Insert tag"));
    btnInsertTag->setFixedWidth(btnInsertTag->fontMetrics().horizontalAdvance(btnInsertTag->text()) + 16);
    btnInsertTag->setAutoRaise(false);
    WatchHint(btnInsertTag);
    connect(btnInsertTag, &QToolButton::clicked, this, &TkrSpeedbar::btnInsertTagClick);
    row(spTagList)->addWidget(btnInsertTag);

    // Custom pages: the button that configures the bar, then the bar.
    for (int n = 1; n <= CustomBarCount; ++n) {
        QWidget *page = m_pages[size_t(spCustom1 + n - 1)];
        auto *configure = new TkrTagButton(page);
        configure->setObjectName(QStringLiteral("spdCustomize%1").arg(n));
        configure->SetHint(QStringLiteral("Configure custom buttons"));
        configure->SetImage(SpeedbarButtonImage(QStringLiteral("spdCustomize")));
        if (!configure->HasImage())
            configure->SetCaption(QStringLiteral("..."));
        WatchHint(configure);
        connect(configure, &QToolButton::clicked, this, [this, n] { CustomizeClick(n); });
        row(spCustom1 + n - 1)->addWidget(configure);
        row(spCustom1 + n - 1)->addSpacing(4);
        auto *bar = new TkrTagBar(page);
        bar->setObjectName(QStringLiteral("krCustom%1").arg(n));
        bar->SetGlyphCount(CustomGlyphCount);
        connect(bar, &TkrTagBar::OnHint, this, &TkrSpeedbar::OnHint);
        connect(bar, &TkrTagBar::OnTagButtonClick, this,
                [this](TkrTagBar *, int, const QString &start, const QString &end) {
                    CustomTagButtonClick(start, end);
                });
        row(spCustom1 + n - 1)->addWidget(bar);
        m_bars[size_t(n - 1)] = bar;
    }
    for (int page = 0; page < SpeedbarPageCount; ++page)
        if (page != spStyles && page != spApps)
            row(page)->addStretch();

    // The buttons of a page are made when the page first shows (or a button is looked up):
    // start-up only pays for the page on screen.
    BuildPage(currentIndex() >= 0 ? PageOf(currentWidget()) : spQuickTab);
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0)
            BuildPage(PageOf(widget(index)));
    });
}

int TkrSpeedbar::PageOf(const QWidget *w) const
{
    for (int page = 0; page < SpeedbarPageCount; ++page)
        if (m_pages[size_t(page)] == w)
            return page;
    return -1;
}

void TkrSpeedbar::BuildPage(int page)
{
    if (page < 0 || page >= SpeedbarPageCount || m_built[size_t(page)])
        return;
    m_built[size_t(page)] = true;
    auto *row = static_cast<QHBoxLayout *>(m_pages[size_t(page)]->layout());
    // The buttons go before the stretch that closes the row.
    int at = (page == spStyles || page == spApps) ? row->count() : std::max(0, row->count() - 1);
    for (const TSpeedbarButtonDef &def : SpeedbarButtons()) {
        if (def.Page != page)
            continue;
        TkrTagButton *b = AddButton(row, def, at++);
        if (m_setUp && def.SetAtStart)
            SetStartUpTags(b, def.Name);
    }
}

void TkrSpeedbar::BuildAllPages() const
{
    auto *self = const_cast<TkrSpeedbar *>(this);
    for (int page = 0; page < SpeedbarPageCount; ++page)
        self->BuildPage(page);
}

void TkrSpeedbar::SetStartUpTags(TkrTagButton *button, const QString &name)
{
    if (const std::optional<TTagResult> tags = StartUpButtonTags(name)) {
        button->TagStart = tags->StartText;
        button->TagEnd = tags->EndText;
    }
}

QWidget *TkrSpeedbar::AddPage(int page)
{
    auto *w = new QWidget(this);
    w->setObjectName(QStringLiteral("tbs") + SpeedbarPageCaption(page).remove(u' '));
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);
    w->setMinimumHeight(ButtonHeight + 4);
    w->setWindowTitle(SpeedbarPageCaption(page)); // the caption while the page is out of the tab row
    addTab(w, SpeedbarPageCaption(page));
    m_pages[size_t(page)] = w;
    return w;
}

TkrTagButton *TkrSpeedbar::AddButton(QHBoxLayout *row, const TSpeedbarButtonDef &def, int at)
{
    auto *b = new TkrTagButton(row->parentWidget());
    b->setObjectName(def.Name);
    b->SetHint(def.Hint);
    b->Action = def.Action;
    b->TagStart = def.TagStart;
    b->TagEnd = def.TagEnd;
    b->PromptText = def.PromptText;
    if (def.Caption.isEmpty()) {
        b->SetImage(SpeedbarButtonImage(def.Name));
        // Without its image the button shows the start of its hint rather than nothing.
        if (!b->HasImage())
            b->SetCaption(def.Hint.left(3));
    } else {
        b->SetCaption(def.Caption);
    }
    WatchHint(b);
    switch (def.Command) {
    case scTagButton:
        connect(b, &QToolButton::clicked, this, [this, b] { TagButtonClick(b); });
        break;
    case scQuickTable:
        connect(b, &QToolButton::clicked, this, &TkrSpeedbar::OnQuickTable);
        break;
    case scScript:
        connect(b, &QToolButton::clicked, this, &TkrSpeedbar::OnScript);
        break;
    }
    row->insertWidget(at, b);
    return b;
}

void TkrSpeedbar::WatchHint(TkrTagButton *button)
{
    connect(button, &TkrTagButton::OnHint, this, &TkrSpeedbar::OnHint);
}

TkrTagButton *TkrSpeedbar::Button(const QString &name) const
{
    if (TkrTagButton *b = findChild<TkrTagButton *>(name))
        return b;
    BuildAllPages();
    return findChild<TkrTagButton *>(name);
}

TkrRichHTML *TkrSpeedbar::Editor() const
{
    return ActiveEditor ? ActiveEditor() : nullptr;
}

void TkrSpeedbar::Setup()
{
    // Buttons made later get their start-up tags as they are made.
    m_setUp = true;
    for (const TSpeedbarButtonDef &def : SpeedbarButtons()) {
        if (!def.SetAtStart)
            continue;
        if (TkrTagButton *b = findChild<TkrTagButton *>(def.Name))
            SetStartUpTags(b, def.Name);
    }
    for (int n = 1; n <= CustomBarCount; ++n) {
        TkrTagBar *bar = CustomBar(n);
        bar->SetRegistryLocation(CustomBarLocation(n));
        bar->ReadFromRegistry();
        if (bar->ToolbarName().isEmpty())
            bar->SetToolbarName(QStringLiteral("Custom %1").arg(n));
        SetPageCaption(spCustom1 + n - 1, bar->ToolbarName());
        bar->SetGlyphCount(CustomGlyphCount);
    }
    ApplyPageVisibility();
    cboTagList->clear();
    cboTagList->addItems(ReadDataFileLines(ProgramFolder() + QStringLiteral("Tags.dat")));
}

// A hidden page is taken out of the tab row rather than hidden in it: when the tabs do
// not all fit, the tab bar scrolls wrongly past hidden tabs and pushes the shown ones
// out of reach. Shown pages keep their order.
void TkrSpeedbar::ApplyPageVisibility()
{
    int at = 0;
    for (int page = 0; page < SpeedbarPageCount; ++page) {
        QWidget *w = m_pages[size_t(page)];
        const int index = indexOf(w);
        if (ReadSpeedbarPageVisible(page)) {
            if (index < 0)
                insertTab(at, w, w->windowTitle());
            ++at;
        } else if (index >= 0) {
            removeTab(index);
        }
    }
}

void TkrSpeedbar::SetPageCaption(int page, const QString &caption)
{
    QWidget *w = m_pages[size_t(page)];
    w->setWindowTitle(caption);
    const int index = indexOf(w);
    if (index >= 0)
        setTabText(index, caption);
}

void TkrSpeedbar::TagButtonClick(TkrTagButton *button)
{
    emit OnBeforeTagButton();
    if (button->Action == krColor)
        return;
    if (IsDialogAction(button->Action)) {
        emit OnDialogButton(int(button->Action));
        return;
    }
    if (button->Action == krSimpleTag) {
        if (TkrRichHTML *editor = Editor()) {
            const TTagResult tags = SimpleTagInsertion(button->TagStart, button->TagEnd);
            editor->InsertTags(tags.StartText, tags.EndText, false);
        }
        return;
    }
    // krPrompt
    if (!Editor())
        return;
    const std::optional<QString> answer =
        InputBox(button->PromptText, PromptButtonPrompt(button->PromptText), QString(), window());
    if (!answer)
        return;
    // The box may have closed the document; ask again.
    if (TkrRichHTML *editor = Editor()) {
        const TTagResult tags = PromptInsertion(button->TagStart, button->TagEnd, *answer);
        editor->InsertTags(tags.StartText, tags.EndText, false);
    }
}

void TkrSpeedbar::CustomTagButtonClick(const QString &startTag, const QString &endTag)
{
    // Custom buttons write exactly what the user typed.
    if (TkrRichHTML *editor = Editor())
        editor->InsertTags(startTag, endTag, false);
}

void TkrSpeedbar::CustomizeClick(int n)
{
    if (n < 1 || n > CustomBarCount)
        return;
    TkrTagBar *bar = CustomBar(n);
    bar->Customize();
    SetPageCaption(spCustom1 + n - 1, bar->ToolbarName());
}

void TkrSpeedbar::btnInsertTagClick()
{
    const QString entry = cboTagList->currentText();
    if (entry.isEmpty())
        return;
    if (TkrRichHTML *editor = Editor()) {
        const TTagResult tags = TagListInsertion(entry);
        editor->InsertTags(tags.StartText, tags.EndText, false);
    }
}

bool TkrSpeedbar::TagListKeyPress(QChar typed)
{
    QStringList entries;
    entries.reserve(cboTagList->count());
    for (int i = 0; i < cboTagList->count(); ++i)
        entries.append(cboTagList->itemText(i));
    const int found = FindEntryByFirstLetter(entries, cboTagList->currentIndex(), typed);
    if (found < 0)
        return false;
    cboTagList->setCurrentIndex(found);
    if (cboTagList->view()->isVisible())
        cboTagList->view()->setCurrentIndex(cboTagList->model()->index(found, 0));
    return true;
}

bool TkrSpeedbar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == cboTagList || watched == cboTagList->view())) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && text.size() == 1 && text[0].isPrint() && !text[0].isSpace()) {
            TagListKeyPress(text[0]);
            return true;
        }
    }
    return QTabWidget::eventFilter(watched, event);
}
