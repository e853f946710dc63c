#include "qt_font.h"

#include <QString>

namespace quillo {

void registerUiFont()
{
    static bool registered = false;
    if (registered) return;
    QFont::insertSubstitution(QString::fromUtf8(uiFontFamily), QString::fromUtf8(uiFontSubstitute));
    registered = true;
}

QFont uiFont(int points)
{
    registerUiFont();
    QFont font(QString::fromUtf8(uiFontFamily));
    font.setPointSize(points > 0 ? points : 9);
    return font;
}

QFont uiFontPixels(int pixels)
{
    registerUiFont();
    QFont font(QString::fromUtf8(uiFontFamily));
    font.setPixelSize(pixels > 0 ? pixels : 12);
    return font;
}

} // namespace quillo
