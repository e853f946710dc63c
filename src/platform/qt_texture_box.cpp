#include "qt_texture_box.h"

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
const FileFilter bmpOnly = {"BMP files (*.BMP)", "*.bmp"};
}

TextureBox::TextureBox(QWidget* parent) : QDialog(parent)
{
    prepareDialog(this, "DTEXT", "テクスチャＢｏｘ");
    name_ = named(new QLineEdit(this), controls::textureName);
    file_ = named(new QLineEdit(this), controls::bmpFile);
    name_->setMaxLength(255);
    file_->setMaxLength(255);
    QPushButton* browseButton = makeButton(this, controls::browse, "参照");
    connect(browseButton, &QPushButton::clicked, this, &TextureBox::browse);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QString::fromUtf8("テクスチャ名"), this), 0, 0);
    fields->addWidget(name_, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QString::fromUtf8("ＢＭＰファイル名"), this), 1, 0);
    fields->addWidget(file_, 1, 1);
    fields->addWidget(browseButton, 1, 2);

    auto* planes = new QGroupBox(QString::fromUtf8("貼る面"), this);
    xy_ = named(new QRadioButton(QString::fromUtf8("X-Y平面"), planes), controls::planeXY);
    zy_ = named(new QRadioButton(QString::fromUtf8("Z-Y平面"), planes), controls::planeZY);
    xz_ = named(new QRadioButton(QString::fromUtf8("X-Z平面"), planes), controls::planeXZ);
    xy_->setChecked(true);
    auto* planeRow = new QHBoxLayout(planes);
    planeRow->addWidget(xy_);
    planeRow->addWidget(zy_);
    planeRow->addWidget(xz_);

    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = okCancelRow(this, "Ok", "Cancel", &ok);
    connect(ok, &QPushButton::clicked, this, &TextureBox::confirm);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(planes);
    layout->addLayout(buttons);
    setMinimumWidth(340);
    name_->setFocus();
}

void TextureBox::browse()
{
    std::string path = fromField(file_->text(), std::string::npos);
    if (openFileDialog(this, bmpOnly, path)) file_->setText(toDisplay(path));
}

void TextureBox::confirm()
{
    // The name is cut like every text answer; a path is never cut, that would name another file.
    std::string name = fromField(name_->text()), file = fromField(file_->text(), std::string::npos);
    if (name.empty() || file.empty()) return; // both are needed
    choice_.name = name;
    choice_.file = file;
    choice_.plane = zy_->isChecked() ? 2 : (xz_->isChecked() ? 4 : 0);
    accept();
}

} // namespace quillo
