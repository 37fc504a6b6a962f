#include "app/rulers.h"

#include <QPainter>

TkrRuler::TkrRuler(Qt::Orientation orientation, QWidget *parent) : QWidget(parent), m_orientation(orientation)
{
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("RulerHorz") : QStringLiteral("RulerVert"));
    setAutoFillBackground(true);
    if (orientation == Qt::Horizontal)
        setFixedHeight(16);
    else
        setFixedWidth(16);
}

void TkrRuler::SetOffset(int pixels)
{
    m_offset = pixels;
    update();
}

QSize TkrRuler::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(1400, 16) : QSize(16, 800);
}

void TkrRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QFont f(QStringLiteral("MS Serif"));
    f.setPointSize(6);
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    const bool horz = m_orientation == Qt::Horizontal;
    const int extent = horz ? width() : height();
    auto mark = [&](int at, const QString &label, bool screen) {
        const int pos = (horz ? m_offset : 0) + at;
        if (pos > extent)
            return;
        p.setPen(screen ? QColor(Qt::darkRed) : palette().color(QPalette::WindowText));
        if (horz) {
            p.drawLine(pos, height() - (screen ? 12 : 6), pos, height());
            p.drawText(QRect(pos - 8 - 30, 0, 30, height()), Qt::AlignRight | Qt::AlignVCenter, label);
        } else {
            p.drawLine(width() - (screen ? 12 : 6), pos, width(), pos);
            p.drawText(QRect(0, pos - 4 - 10, width(), 10), Qt::AlignCenter, label);
        }
    };
    for (int at = 100; at <= 1400; at += 100)
        mark(at, QString::number(at), false);
    if (horz) {
        mark(640, QStringLiteral("640"), true);
        mark(1024, QStringLiteral("1024"), true);
    } else {
        mark(480, QStringLiteral("480"), true);
        mark(768, QStringLiteral("768"), true);
    }
    p.setPen(palette().color(QPalette::Mid));
    if (horz)
        p.drawLine(0, height() - 1, width(), height() - 1);
    else
        p.drawLine(width() - 1, 0, width() - 1, height());
}
