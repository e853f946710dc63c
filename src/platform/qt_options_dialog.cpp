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
constexpr const char* resolutionLabels[5] = {"1600×1200", "1280×1024", "1024× 768", " 800× 600", " 640× 480"};
} // namespace

OptionsDialog::OptionsDialog(const EditorSettings& settings, QWidget* parent)
    : OptionsDialog(modelOptionsLayout(), optionsValuesOf(settings), parent)
{
    modelSettings_ = settings;
}

EditorSettings OptionsDialog::settings() const
{
    EditorSettings s = modelSettings_;
    takeOptionsValues(values_, s);
    return s;
}

OptionsDialog::OptionsDialog(const OptionsLayout& layout, const OptionsValues& values, QWidget* parent)
    : QDialog(parent), layout_(layout), values_(values)
{
    prepareDialog(this, layout.resource, "オプション");
    values_.checks.resize(layout.checks.size());

    auto* fileGroup = new QGroupBox(QString::fromUtf8("デフォルトファイル"), this);
    file_ = named(new QLineEdit(toDisplay(values_.defaultfile), fileGroup), layout.fileField);
    file_->setMaxLength(int(layout.fileLimit));
    QPushButton* browseButton = makeButton(fileGroup, layout.browseButton, "参照");
    connect(browseButton, &QPushButton::clicked, this, &OptionsDialog::browse);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(file_);
    fileRow->addWidget(browseButton);

    auto* modeGroup = new QGroupBox(QString::fromUtf8("モード"), this);
    fullscreen_ = named(new QCheckBox(QString::fromUtf8("フルスクリーン"), modeGroup), layout.fullScreenBox);
    fullscreen_->setChecked(values_.fullscreen);
    (new QVBoxLayout(modeGroup))->addWidget(fullscreen_);

    auto* left = new QVBoxLayout;
    left->addWidget(modeGroup);
    for (size_t i = 0; i < layout.checks.size(); ++i) {
        const OptionsCheck& c = layout.checks[i];
        auto* group = new QGroupBox(QString::fromUtf8(c.group), this);
        QCheckBox* box = named(new QCheckBox(QString::fromUtf8(c.label), group), c.control);
        box->setChecked(values_.checks[i]);
        (new QVBoxLayout(group))->addWidget(box);
        checks_.push_back(box);
        left->addWidget(group);
    }

    auto* resolutionGroup = new QGroupBox(QString::fromUtf8("最大解像度"), this);
    auto* resolutionColumn = new QVBoxLayout(resolutionGroup);
    auto* exclusive = new QButtonGroup(this);
    const int shown = resolutionIndex(values_.maxwidth);
    for (int i = 0; i < 5; ++i) {
        resolutions_[i] = named(new QRadioButton(QString::fromUtf8(resolutionLabels[i]), resolutionGroup),
                                layout.resolutionControls[i]);
        exclusive->addButton(resolutions_[i]);
        resolutions_[i]->setChecked(i == shown); // a width none shows checks none
        resolutionColumn->addWidget(resolutions_[i]);
    }

    QPushButton* ok = makeButton(this, controls::ok, "OK");
    QPushButton* cancel = makeButton(this, controls::cancel, "ｷｬﾝｾﾙ");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* version = new QLabel(QString::fromUtf8(optionsVersion), this);
    version->setObjectName("version");

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
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(fileGroup);
    layoutBox->addLayout(middle);
    setMinimumWidth(360);
}

void OptionsDialog::browse()
{
    std::string path = fromField(file_->text(), std::string::npos);
    if (openFileDialog(this, layout_.fileType, path)) file_->setText(toDisplay(path));
}

void OptionsDialog::confirm()
{
    values_.defaultfile = fromField(file_->text(), std::string::npos);
    values_.fullscreen = fullscreen_->isChecked();
    for (size_t i = 0; i < checks_.size(); ++i) values_.checks[i] = checks_[i]->isChecked();
    for (int i = 0; i < 5; ++i)
        if (resolutions_[i]->isChecked()) {
            values_.maxwidth = resolutionSizes[i].width;
            values_.maxhight = resolutionSizes[i].height;
        }
    acceptDefaultFile(values_.defaultfile, layout_.fileLimit); // drops a file that cannot be read
    accept();
}

} // namespace quillo
