#include "settings/colorpickers.h"

#include <Qt>

#include "common/colortext.h"

namespace {

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Two characters as a hex byte, 0 unless both are hex digits.
int HexByte(QChar high, QChar low)
{
    const int h = HexDigit(high);
    const int l = HexDigit(low);
    return h < 0 || l < 0 ? 0 : h * 16 + l;
}

} // namespace

const std::array<TNamedColor, NamedColorCount> &NamedColors()
{
    static const std::array<TNamedColor, NamedColorCount> colors{{
        {"Aqua", Colors::clAqua},
        {"Black", Colors::clBlack},
        {"Blue", Colors::clBlue},
        {"Fuchsia", Colors::clFuchsia},
        {"Gray", Colors::clGray},
        {"Green", Colors::clGreen},
        {"Lime", Colors::clLime},
        {"Maroon", Colors::clMaroon},
        {"Navy", Colors::clNavy},
        {"Olive", Colors::clOlive},
        {"Purple", Colors::clPurple},
        {"Red", Colors::clRed},
        {"Silver", Colors::clSilver},
        {"Teal", Colors::clTeal},
        {"White", Colors::clWhite},
        {"Yellow", Colors::clYellow},
    }};
    return colors;
}

int NamedColorIndex(TColor color)
{
    const auto &colors = NamedColors();
    for (int i = 0; i < NamedColorCount; ++i)
        if (colors[i].color == color)
            return ciFirstNamed + i;
    return -1;
}

TColor ParseColorText(const QString &text)
{
    QString digits = text;
    const qsizetype hash = digits.indexOf(u'#');
    if (hash >= 0)
        digits.remove(hash, 1);
    if (digits.size() < 6)
        digits = QString(6 - digits.size(), u'0') + digits;
    const int red = HexByte(digits[0], digits[1]);
    const int green = HexByte(digits[2], digits[3]);
    const int blue = HexByte(digits[4], digits[5]);
    return TColor(quint32(red) | (quint32(green) << 8) | (quint32(blue) << 16));
}

std::optional<int> ColorComboKeyStart(int key, int currentIndex)
{
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (currentIndex == ciCustom)
            return ciSeparator;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (currentIndex == ciFirstNamed)
            return ciSeparator;
        break;
    default:
        break;
    }
    return std::nullopt;
}

void TColorComboState::SetItemIndex(int index)
{
    m_itemIndex = index >= 0 && index < ItemCount() ? index : -1;
}

void TColorComboState::SetCustomColor(TColor color)
{
    if (m_heldIndex == ciCustom)
        ForgetHeldText();
    m_customColor = color;
}

QString TColorComboState::Caption(int index) const
{
    if (index == ciUnassigned)
        return m_unassignedCaption;
    if (index == ciCustom)
        return QStringLiteral("Custom...");
    if (index >= ciFirstNamed && index < ColorComboItemCount)
        return QLatin1String(NamedColors()[index - ciFirstNamed].name);
    if (index == ciHeld && HasHeldItem())
        return m_heldText;
    return QString();
}

std::optional<TColor> TColorComboState::ItemColor(int index) const
{
    if (index == ciCustom)
        return m_customColor;
    if (index >= ciFirstNamed && index < ColorComboItemCount)
        return NamedColors()[index - ciFirstNamed].color;
    return std::nullopt;
}

QString TColorComboState::Text() const
{
    if (m_heldIndex >= 0 && m_itemIndex == m_heldIndex)
        return m_heldText;
    const std::optional<TColor> color = SelectedColor();
    if (!color)
        return QString();
    if (m_itemIndex >= ciFirstNamed && !m_forceHex)
        return Caption(m_itemIndex);
    return ColorToHTML(*color);
}

void TColorComboState::SetText(const QString &text)
{
    ForgetHeldText();
    if (text.isEmpty()) {
        m_itemIndex = ciUnassigned;
        return;
    }
    if (text.contains(u'#')) {
        SetColor(ParseColorText(text));
    } else {
        const QString wanted = text.toUpper();
        m_itemIndex = ciHeld;
        for (int i = ciCustom; i < ColorComboItemCount; ++i)
            if (Caption(i).toUpper() == wanted) {
                m_itemIndex = i;
                break;
            }
    }
    m_heldText = text;
    m_heldIndex = m_itemIndex;
}

void TColorComboState::SetColor(TColor color)
{
    ForgetHeldText();
    const int named = NamedColorIndex(color);
    if (named >= 0) {
        m_itemIndex = named;
        return;
    }
    m_customColor = color;
    m_itemIndex = ciCustom;
}

void TColorComboState::ForgetHeldText()
{
    if (m_itemIndex == ciHeld)
        m_itemIndex = -1;
    m_heldText.clear();
    m_heldIndex = -1;
}

const std::array<TColor, ColorSwatchCount> &SwatchColors()
{
    // The default 20-colour system palette without its four reserved middle entries (8-11).
    static const std::array<TColor, ColorSwatchCount> colors{
        Colors::clBlack, Colors::clMaroon, Colors::clGreen, Colors::clOlive,
        Colors::clNavy,  Colors::clPurple, Colors::clTeal,  Colors::clSilver,
        Colors::clGray,  Colors::clRed,    Colors::clLime,  Colors::clYellow,
        Colors::clBlue,  Colors::clFuchsia, Colors::clAqua, Colors::clWhite,
    };
    return colors;
}

TSwatchPos SwatchPosition(int index)
{
    const int column = index % ColorSwatchColumns + 1;
    const int row = index / ColorSwatchColumns + 1;
    return {18 * column - 16, 18 * row - 16};
}

int SwatchAt(int x, int y)
{
    for (int i = 0; i < ColorSwatchCount; ++i) {
        const TSwatchPos p = SwatchPosition(i);
        if (x >= p.x && x < p.x + ColorSwatchSize && y >= p.y && y < p.y + ColorSwatchSize)
            return i;
    }
    return -1;
}
