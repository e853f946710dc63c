#include "qt_model_dialogs.h"

#include "active_guard.h"
#include "model/colour_table.h"
#include "qt_colour_box.h"
#include "qt_mag_box.h"
#include "qt_options_dialog.h"
#include "qt_palette_box.h"
#include "qt_texture_box.h"

namespace quillo {

int QtModelDialogs::colourBox(ColourValues& values)
{
    ActiveGuard guard(active_);
    GMTBL* table = palette_;
    ColourBox box(values, table ? table->palette : nullptr, [table] {
        if (table) table->applyPalette();
    }, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    values = box.values();
    return 1;
}

int QtModelDialogs::paletteBox(const GMTBL& table)
{
    ActiveGuard guard(active_);
    PaletteBox box(table, owner_.data());
    box.exec();
    return box.chosen();
}

int QtModelDialogs::textureBox(TextureChoice& choice)
{
    ActiveGuard guard(active_);
    TextureBox box(owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    choice = box.choice();
    return 1;
}

int QtModelDialogs::magBox(float& x, float& y, float& z)
{
    ActiveGuard guard(active_);
    MagBox box(x, y, z, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    x = box.factor(0);
    y = box.factor(1);
    z = box.factor(2);
    return 1;
}

int QtModelDialogs::optionsBox(EditorSettings& settings)
{
    ActiveGuard guard(active_);
    OptionsDialog box(settings, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    settings = box.settings();
    return 1;
}

} // namespace quillo
