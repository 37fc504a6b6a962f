#pragma once

#include <QColor>
#include <QtGlobal>

// A colour value laid out 0x00BBGGRR; with the high bit set it names a system colour
// (0x80000000 + index), resolved against the current palette when shown.
using TColor = qint32;

namespace Colors {
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor SystemColorBit = TColor(0x80000000u);
constexpr TColor clWindowText = TColor(0x80000008u);
constexpr TColor clWindow = TColor(0x80000005u);
constexpr TColor clBtnFace = TColor(0x8000000Fu);
} // namespace Colors

inline bool IsSystemColor(TColor c) { return (quint32(c) & 0x80000000u) != 0; }

// The RGB colour a value stands for; system colours are taken from the application palette.
QColor ColorToQColor(TColor c);
// The value for an RGB colour (never a system colour).
TColor QColorToColor(const QColor &c);
