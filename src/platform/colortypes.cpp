#include "platform/colortypes.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The system colours of the classic palette, by index, mapped to the nearest palette role.
QColor SystemColor(int index)
{
    // Without a GUI application (command-line tools, core tests) the default palette stands in.
    const QPalette pal = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::palette()
                                                                                       : QPalette();
    switch (index) {
    case 5: return pal.color(QPalette::Base);              // window background
    case 8: return pal.color(QPalette::Text);              // window text
    case 13: return pal.color(QPalette::Highlight);        // highlight
    case 14: return pal.color(QPalette::HighlightedText);  // highlighted text
    case 15: return pal.color(QPalette::Button);           // button face
    case 16: return pal.color(QPalette::Dark);             // button shadow
    case 17: return pal.color(QPalette::PlaceholderText);  // gray text
    case 18: return pal.color(QPalette::ButtonText);       // button text
    case 20: return pal.color(QPalette::Light);            // button highlight
    case 23: return pal.color(QPalette::ToolTipText);      // info text
    case 24: return pal.color(QPalette::ToolTipBase);      // info background
    case 4: return pal.color(QPalette::Window);            // menu
    case 7: return pal.color(QPalette::WindowText);        // menu text
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

QColor ColorToQColor(TColor c)
{
    if (IsSystemColor(c))
        return SystemColor(int(quint32(c) & 0xFFu));
    const quint32 v = quint32(c);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

TColor QColorToColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return TColor(quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16));
}
