// The open and save dialogs with the suite's file-type list. The caller's
// file type selects its entry of the list; the combo box shows the labels
// as they stand and filters by each entry's pattern.
#pragma once

#include <string>

#include <QString>
#include <QStringList>

#include "dialogs.h"

class QWidget;

namespace quillo {

// One entry as a Qt name filter: the label followed by the pattern in
// parentheses (the dialog hides that detail and shows the label).
QString qtNameFilter(const FileFilter& filter);
QStringList qtNameFilters();

// Open dialog: only an existing file can be chosen. `path`, when not
// empty, is offered first. False when cancelled (`path` is unchanged).
bool openFileDialog(QWidget* owner, FileType type, std::string& path);
// The same with a list of one filter of the caller's own.
bool openFileDialog(QWidget* owner, const FileFilter& filter, std::string& path);
// Save dialog: the folder must exist; an existing file is only taken
// after the user agreed to replace it.
bool saveFileDialog(QWidget* owner, FileType type, std::string& path);
// Both dialogs over a filter list of the caller's own, entry `selected` first.
bool openFileDialog(QWidget* owner, const FileFilter* filters, int count, int selected, std::string& path);
bool saveFileDialog(QWidget* owner, const FileFilter* filters, int count, int selected, std::string& path);

} // namespace quillo
