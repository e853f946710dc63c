// The settings dialog "DSET" as a Qt dialog over SaverDialog: every
// control carries its id as object name; the buttons and the speed bar go
// through SaverDialog, which the widgets then show.
#pragma once

#include <QDialog>

#include "saver_dialog.h"

class QCheckBox;
class QLineEdit;
class QScrollBar;

namespace quillo {

class QtSaverDialog : public QDialog {
public:
    QtSaverDialog(const SaverSettings& settings, SaverDialogUser& user, QWidget* parent = nullptr);

    // A button by id (100, 110, 130), as a click on it does.
    void command(int id);
    // A scroll request on the speed bar (140).
    void scroll(ScrollRequest request, int thumb = 0);
    const SaverDialog& logic() const { return logic_; }

    QLineEdit* fileField() const { return file_; }
    QScrollBar* speedBar() const { return bar_; }
    QCheckBox* box(int id) const;

private:
    void takeFields();
    void showFields();

    SaverDialog logic_;
    SaverDialogUser& user_;
    QLineEdit* file_;
    QScrollBar* bar_;
    QCheckBox* fixed640_;
    QCheckBox* colours256_;
};

// The Qt answers of the dialog: the open dialog with the five filters, the
// message box titled "D3D Example Message".
class QtSaverDialogUser : public SaverDialogUser {
public:
    explicit QtSaverDialogUser(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    bool chooseAnimation(std::string& path) override;
    void message(const std::string& text) override;

private:
    QWidget* owner_;
};

} // namespace quillo
