#include "qt_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "control_ids.h"
#include "qt_dialog_parts.h"
#include "qt_file_dialog.h"
#include "qt_text.h"

namespace quillo {

namespace {
// In the order of `resolutions`.
constexpr const char* resolutionLabels[5] = {"1600×1200", "1280×1024", "1024× 768", " 800× 600", " 640× 480"};
} // namespace

OptionsDialog::OptionsDialog(const EditorSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    prepareDialog(this, "DDSET", "オプション");

    auto* fileGroup = new QGroupBox(QString::fromUtf8("デフォルトファイル"), this);
    file_ = named(new QLineEdit(toDisplay(settings_.defaultfile), fileGroup), controls::defaultFile);
    file_->setMaxLength(255);
    QPushButton* browseButton = makeButton(fileGroup, controls::browse, "参照");
    connect(browseButton, &QPushButton::clicked, this, &OptionsDialog::browse);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(file_);
    fileRow->addWidget(browseButton);

    auto* modeGroup = new QGroupBox(QString::fromUtf8("モード"), this);
    fullscreen_ = named(new QCheckBox(QString::fromUtf8("フルスクリーン"), modeGroup), controls::fullScreen);
    fullscreen_->setChecked(settings_.fullscreen);
    (new QVBoxLayout(modeGroup))->addWidget(fullscreen_);

    auto* zGroup = new QGroupBox(QString::fromUtf8("Ｚバッファ"), this);
    zon_ = named(new QCheckBox(QString::fromUtf8("Ｚバッファ オン"), zGroup), controls::zBuffer);
    zon_->setChecked(settings_.zon);
    (new QVBoxLayout(zGroup))->addWidget(zon_);

    auto* resolutionGroup = new QGroupBox(QString::fromUtf8("最大解像度"), this);
    auto* resolutionColumn = new QVBoxLayout(resolutionGroup);
    auto* exclusive = new QButtonGroup(this);
    const int shown = resolutionControl(settings_.maxwidth);
    for (int i = 0; i < 5; ++i) {
        resolutions_[i] = named(new QRadioButton(QString::fromUtf8(resolutionLabels[i]), resolutionGroup),
                                resolutions[i].control);
        exclusive->addButton(resolutions_[i]);
        resolutions_[i]->setChecked(resolutions[i].control == shown); // a width none shows checks none
        resolutionColumn->addWidget(resolutions_[i]);
    }

    QPushButton* ok = makeButton(this, controls::ok, "OK");
    QPushButton* cancel = makeButton(this, controls::cancel, "ｷｬﾝｾﾙ");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* version = new QLabel(QString::fromUtf8(optionsVersion), this);
    version->setObjectName("version");

    auto* left = new QVBoxLayout;
    left->addWidget(modeGroup);
    left->addWidget(zGroup);
    left->addStretch();
    left->addWidget(version);
    auto* right = new QVBoxLayout;
    right->addWidget(resolutionGroup);
    right->addStretch();
    right->addWidget(ok);
    right->addWidget(cancel);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileGroup);
    layout->addLayout(middle);
    setMinimumWidth(360);
}

void OptionsDialog::browse()
{
    std::string path = fromField(file_->text(), std::string::npos);
    if (openFileDialog(this, fileModel, path)) file_->setText(toDisplay(path));
}

void OptionsDialog::confirm()
{
    settings_.defaultfile = fromField(file_->text(), std::string::npos);
    settings_.fullscreen = fullscreen_->isChecked();
    settings_.zon = zon_->isChecked();
    for (int i = 0; i < 5; ++i)
        if (resolutions_[i]->isChecked()) {
            settings_.maxwidth = resolutions[i].width;
            settings_.maxhight = resolutions[i].height;
        }
    acceptOptions(settings_); // keeps 255 bytes; drops a file that cannot be read
    accept();
}

} // namespace quillo
