// The editors' options dialog ("DDSET", "D3DSET"): default file with
// "参照", full screen, maximum resolution and the editor's own check boxes,
// as its layout names them. OK takes the values (the default file cut to
// the layout's limit and dropped when it cannot be read); Cancel leaves
// them as they were. Writing them is the caller's business.
#pragma once

#include <QDialog>

#include <vector>

#include "editor_settings.h"
#include "options_layout.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace quillo {

inline constexpr const char* optionsVersion = "Ｖｅｒ　０．２Ａ";

class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(const OptionsLayout& layout, const OptionsValues& values, QWidget* parent = nullptr);
    // The model editor's "DDSET".
    explicit OptionsDialog(const EditorSettings& settings, QWidget* parent = nullptr);
    // The values as OK left them (before OK: as given).
    const OptionsValues& values() const { return values_; }
    // The model editor's settings with the values taken in.
    EditorSettings settings() const;

private:
    void browse();
    void confirm();

    const OptionsLayout& layout_;
    OptionsValues values_;
    EditorSettings modelSettings_;
    QLineEdit* file_;
    QCheckBox* fullscreen_;
    std::vector<QCheckBox*> checks_;
    QRadioButton* resolutions_[5];
};

} // namespace quillo
