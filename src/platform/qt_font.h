// The one font of the suite's windows and dialogs. "ＭＳ Ｐゴシック" is not
// on Linux; IPA P Gothic (fonts-ipafont-gothic) takes its place through a
// font substitution, so the family name can stay as the programs know it.
#pragma once

#include <QFont>

namespace quillo {

inline constexpr const char* uiFontFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* uiFontSubstitute = "IPAPGothic";

// Registers the substitution (once; later calls do nothing).
void registerUiFont();
// The font at a size in points (the dialogs use 9) ...
QFont uiFont(int points = 9);
// ... or in pixels (the information bar uses a height of 12).
QFont uiFontPixels(int pixels);

} // namespace quillo
