#include "common/colortext.h"

namespace {

QString TwoHexDigits(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString ColorToHex(TColor color)
{
    const QColor rgb = ColorToQColor(color).toRgb();
    return TwoHexDigits(rgb.red()) + TwoHexDigits(rgb.green()) + TwoHexDigits(rgb.blue());
}

QString ColorToHTML(TColor color)
{
    return u'#' + ColorToHex(color);
}

