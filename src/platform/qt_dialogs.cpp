#include "qt_dialogs.h"

#include "active_guard.h"
#include "model/colour_table.h"
#include "qt_colour_box.h"
#include "qt_file_dialog.h"
#include "qt_input_box.h"
#include "qt_mag_box.h"
#include "qt_message_box.h"
#include "qt_options_dialog.h"
#include "qt_palette_box.h"
#include "qt_reorder_box.h"
#include "qt_select_box.h"
#include "qt_texture_box.h"

namespace quillo {

QtDialogs::QtDialogs(QWidget* owner, bool* active) : owner_(owner), active_(active), messageTitle_(messageBoxTitle)
{
}

void QtDialogs::error(const std::string& text)
{
    ActiveGuard guard(active_);
    showMessageBox(owner_.data(), text, messageTitle_);
}

bool QtDialogs::ask(const std::string& text)
{
    ActiveGuard guard(active_);
    return askMessageBox(owner_.data(), text, messageTitle_);
}

bool QtDialogs::chooseFile(FileType type, std::string& path)
{
    ActiveGuard guard(active_);
    return openFileDialog(owner_.data(), type, path);
}

bool QtDialogs::chooseSaveFile(FileType type, std::string& path)
{
    ActiveGuard guard(active_);
    return saveFileDialog(owner_.data(), type, path);
}

int QtDialogs::inputBox(const std::string& prompt, std::string& answer)
{
    ActiveGuard guard(active_);
    InputBox box(prompt, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    answer = box.answer();
    return int(answer.size());
}

int QtDialogs::selectBoxShown(const std::vector<std::string>& names, const std::string& text, int start)
{
    ActiveGuard guard(active_);
    SelectBox box(names, text, start, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    return box.chosen();
}

int QtDialogs::colourBox(ColourValues& values)
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

int QtDialogs::paletteBox(const GMTBL& table)
{
    ActiveGuard guard(active_);
    PaletteBox box(table, owner_.data());
    box.exec();
    return box.chosen();
}

int QtDialogs::textureBox(TextureChoice& choice)
{
    ActiveGuard guard(active_);
    TextureBox box(owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    choice = box.choice();
    return 1;
}

int QtDialogs::magBox(float& x, float& y, float& z)
{
    ActiveGuard guard(active_);
    MagBox box(x, y, z, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    x = box.factor(0);
    y = box.factor(1);
    z = box.factor(2);
    return 1;
}

int QtDialogs::reorderBox(const std::vector<std::string>& names, std::vector<int>& order)
{
    ActiveGuard guard(active_);
    ReorderBox box(names, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    order = box.order();
    return 1;
}

int QtDialogs::optionsBox(EditorSettings& settings)
{
    ActiveGuard guard(active_);
    OptionsDialog box(settings, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    settings = box.settings();
    return 1;
}

} // namespace quillo
