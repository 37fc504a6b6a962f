#include "settings/colorcombo.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "platform/customcolors.h"

namespace {

// A small filled square with a dark frame; an empty frame-less square for no colour, so
// that every caption starts at the same place.
QIcon SwatchIcon(std::optional<TColor> color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    if (color) {
        QPainter p(&pixmap);
        p.fillRect(pixmap.rect(), ColorToQColor(*color));
        p.setPen(Qt::darkGray);
        p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    }
    return QIcon(pixmap);
}

// Draws the separator item as a line across the list; every other item as usual.
class TColorItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.row() != ciSeparator) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const int y = option.rect.center().y();
        painter->save();
        painter->setPen(option.palette.color(QPalette::Dark));
        painter->drawLine(option.rect.left() + 2, y, option.rect.right() - 2, y);
        painter->restore();
    }
};

} // namespace

std::optional<QColor> PickColor(const QColor &initial, QWidget *parent)
{
    if (const auto &hook = TColorDialogHook::Get())
        return hook(initial);
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

// ---------------------------------------------------------------------------------------
// TkrColorCombo

TkrColorCombo::TkrColorCombo(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(ColorComboDropDownCount);
    // Styles that pop the list up over the box show every item; a plain drop-down list keeps
    // to the visible count.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setItemDelegate(new TColorItemDelegate(this));
    for (int i = 0; i < ColorComboItemCount; ++i)
        addItem(SwatchIcon(m_state.ItemColor(i)), m_state.Caption(i));
    setCurrentIndex(-1);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) { m_state.SetItemIndex(index); });
    connect(this, &QComboBox::activated, this, &TkrColorCombo::ItemActivated);
}

void TkrColorCombo::SetUnassignedCaption(const QString &caption)
{
    m_state.SetUnassignedCaption(caption);
    setItemText(ciUnassigned, m_state.Caption(ciUnassigned));
}

void TkrColorCombo::SetCustomColor(TColor color)
{
    m_state.SetCustomColor(color);
    UpdateCustomSwatch();
}

QString TkrColorCombo::Text() const { return m_state.Text(); }

void TkrColorCombo::SetText(const QString &text)
{
    m_state.SetText(text);
    ShowState();
}

std::optional<TColor> TkrColorCombo::Color() const { return m_state.SelectedColor(); }

void TkrColorCombo::SetColor(TColor color)
{
    m_state.SetColor(color);
    ShowState();
}

void TkrColorCombo::ShowState()
{
    // Adding or removing the extra item may move the selection; the state's own comes last.
    const int index = m_state.ItemIndex();
    UpdateCustomSwatch();
    if (m_state.HasHeldItem()) {
        if (count() > ciHeld)
            setItemText(ciHeld, m_state.Caption(ciHeld));
        else
            addItem(SwatchIcon(std::nullopt), m_state.Caption(ciHeld));
    } else if (count() > ciHeld) {
        removeItem(ciHeld);
    }
    setCurrentIndex(index);
    m_state.SetItemIndex(index);
}

void TkrColorCombo::UpdateCustomSwatch()
{
    setItemIcon(ciCustom, SwatchIcon(m_state.CustomColor()));
}

void TkrColorCombo::keyPressEvent(QKeyEvent *e)
{
    if (const std::optional<int> start = ColorComboKeyStart(e->key(), currentIndex()))
        setCurrentIndex(*start);
    // Right and left step through the closed list like down and up.
    if ((e->key() == Qt::Key_Right || e->key() == Qt::Key_Left) && e->modifiers() == Qt::NoModifier) {
        QKeyEvent step(e->type(), e->key() == Qt::Key_Right ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QComboBox::keyPressEvent(&step);
        e->setAccepted(step.isAccepted());
        return;
    }
    QComboBox::keyPressEvent(e);
}

void TkrColorCombo::ItemActivated(int index)
{
    if (index == ciSeparator) {
        setCurrentIndex(TColorComboState::ChosenIndex(index));
        return;
    }
    if (index == ciCustom) {
        ChooseCustomColor();
        return;
    }
    emit OnColorSelect(this);
}

void TkrColorCombo::ChooseCustomColor()
{
    if (!m_regRoot.isEmpty())
        LoadCustomColors(m_regRoot);
    const std::optional<QColor> chosen = PickColor(ColorToQColor(m_state.CustomColor()), this);
    if (!chosen)
        return;
    SetCustomColor(QColorToColor(*chosen));
    if (!m_regRoot.isEmpty())
        SaveCustomColors(m_regRoot);
    emit OnColorSelect(this);
}

// ---------------------------------------------------------------------------------------
// TkrColorSelection

TkrColorSelection::TkrColorSelection(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFixedSize(76, 96);
    m_btnOther = new QPushButton(QStringLiteral("Other..."), this);
    m_btnOther->setObjectName(QStringLiteral("btnOther"));
    m_btnOther->setGeometry(4, 73, 68, 19);
    connect(m_btnOther, &QPushButton::clicked, this, &TkrColorSelection::btnOtherClick);
}

void TkrColorSelection::paintEvent(QPaintEvent *e)
{
    QFrame::paintEvent(e);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    for (int i = 0; i < ColorSwatchCount; ++i) {
        const TSwatchPos pos = SwatchPosition(i);
        const QRect r(pos.x, pos.y, ColorSwatchSize, ColorSwatchSize);
        p.fillRect(r, ColorToQColor(SwatchColors()[i]));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void TkrColorSelection::mousePressEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    const int swatch = e->button() == Qt::LeftButton ? SwatchAt(pos.x(), pos.y()) : -1;
    if (swatch < 0) {
        QFrame::mousePressEvent(e);
        return;
    }
    m_color = SwatchColors()[swatch];
    emit OnColorSelect(this, m_color);
}

void TkrColorSelection::btnOtherClick()
{
    if (!m_regRoot.isEmpty())
        LoadCustomColors(m_regRoot);
    const std::optional<QColor> chosen = PickColor(ColorToQColor(m_color), this);
    if (!chosen) {
        hide();
        return;
    }
    m_color = QColorToColor(*chosen);
    if (!m_regRoot.isEmpty())
        SaveCustomColors(m_regRoot);
    emit OnColorSelect(this, m_color);
}
