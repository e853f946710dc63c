#include "qt_dialogs.h"

#include "active_guard.h"
#include "qt_file_dialog.h"
#include "qt_input_box.h"
#include "qt_message_box.h"
#include "qt_reorder_box.h"
#include "qt_select_box.h"

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



int QtDialogs::reorderBox(const std::vector<std::string>& names, std::vector<int>& order)
{
    ActiveGuard guard(active_);
    ReorderBox box(names, owner_.data(), forward_, backward_);
    if (box.exec() != QDialog::Accepted) return -1;
    order = box.order();
    return 1;
}

} // namespace quillo
