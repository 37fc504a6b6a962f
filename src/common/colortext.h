#pragma once

#include <QString>

#include "platform/colortypes.h"

// Six upper-case hexadecimal digits, red first ("FF8000" for orange). System colours are
// resolved to their current RGB value first.
QString ColorToHex(TColor color);
// "#" and the same six digits, as an HTML colour value.
QString ColorToHTML(TColor color);
