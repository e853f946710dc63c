// "DDSET": the model editor's options (default file, full screen, maximum
// resolution, Z buffer). OK takes the values into the settings; Cancel
// leaves them as they were. Writing them is the caller's business.
#pragma once

#include <QDialog>

#include "editor_settings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace quillo {

inline constexpr const char* optionsVersion = "Ｖｅｒ　０．２Ａ";

class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    explicit OptionsDialog(const EditorSettings& settings, QWidget* parent = nullptr);
    // The settings as OK left them (before OK: as given).
    const EditorSettings& settings() const { return settings_; }

private:
    void browse();
    void confirm();

    EditorSettings settings_;
    QLineEdit* file_;
    QCheckBox* fullscreen_;
    QCheckBox* zon_;
    QRadioButton* resolutions_[5];
};

} // namespace quillo
