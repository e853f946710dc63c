#include "qt_saver_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "platform/qt_dialog_parts.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_message_box.h"
#include "platform/qt_text.h"

namespace quillo {

namespace {

QGroupBox* group(const char* title, QLayout* inside)
{
    auto* box = new QGroupBox(QString::fromUtf8(title));
    box->setLayout(inside);
    return box;
}

} // namespace

bool QtSaverDialogUser::chooseAnimation(std::string& path)
{
    return openFileDialog(owner_, fileFilters, 5, fileAnimation, path);
}

void QtSaverDialogUser::message(const std::string& text)
{
    showMessageBox(owner_, withoutCrLf(text), saverMessageTitle);
}

QtSaverDialog::QtSaverDialog(const SaverSettings& settings, SaverDialogUser& user, QWidget* parent)
    : QDialog(parent), logic_(settings), user_(user)
{
    prepareDialog(this, "DSET", saverDialogTitle);

    file_ = named(new QLineEdit, idFile);
    file_->setMaxLength(254);
    QPushButton* browse = makeButton(this, idBrowse, "参照");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);

    // The thumb reaches 0 .. 99 - 20 + 1; its page steps go through the logic (5).
    bar_ = named(new QScrollBar(Qt::Horizontal), idSpeed);
    bar_->setRange(SpeedBar::lowest, SpeedBar::highest - SpeedBar::page + 1);
    bar_->setPageStep(SpeedBar::page);
    bar_->setSingleStep(1);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(new QLabel(QString::fromUtf8("遅い")));
    speedRow->addWidget(bar_, 1);
    speedRow->addWidget(new QLabel(QString::fromUtf8("速い")));

    fixed640_ = named(new QCheckBox(QString::fromUtf8("640×480固定")), idFixed640);
    colours256_ = named(new QCheckBox(QString::fromUtf8("２５６色固定")), idColours256);
    auto* resolution = new QVBoxLayout;
    resolution->addWidget(fixed640_);
    auto* colours = new QVBoxLayout;
    colours->addWidget(colours256_);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(group("解像度", resolution));
    boxes->addWidget(group("色数", colours));

    QPushButton* ok = makeButton(this, idOk, "OK");
    ok->setDefault(true);
    QPushButton* cancel = makeButton(this, idCancel, "ｷｬﾝｾﾙ");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QString::fromUtf8(saverVersionLabel)));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group("表示ファイル", fileRow));
    layout->addWidget(group("スピード", speedRow));
    layout->addLayout(boxes);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, [this] { command(idBrowse); });
    connect(ok, &QPushButton::clicked, this, [this] { command(idOk); });
    connect(cancel, &QPushButton::clicked, this, [this] { command(idCancel); });
    connect(bar_, &QAbstractSlider::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: logic_.scroll(ScrollRequest::lineLeft); break;
        case QAbstractSlider::SliderSingleStepAdd: logic_.scroll(ScrollRequest::lineRight); break;
        case QAbstractSlider::SliderPageStepSub: logic_.scroll(ScrollRequest::pageLeft); break;
        case QAbstractSlider::SliderPageStepAdd: logic_.scroll(ScrollRequest::pageRight); break;
        case QAbstractSlider::SliderMove: logic_.scroll(ScrollRequest::thumbTrack, bar_->sliderPosition()); break;
        default: logic_.scroll(ScrollRequest::other); break;
        }
        bar_->setSliderPosition(logic_.bar.position); // overrides the slider's own step
    });
    showFields();
}

QCheckBox* QtSaverDialog::box(int id) const
{
    return id == idFixed640 ? fixed640_ : id == idColours256 ? colours256_ : nullptr;
}

void QtSaverDialog::takeFields()
{
    logic_.file = fromField(file_->text(), 254);
    logic_.fixed640 = fixed640_->isChecked();
    logic_.colours256 = colours256_->isChecked();
}

void QtSaverDialog::showFields()
{
    file_->setText(toDisplay(logic_.file));
    fixed640_->setChecked(logic_.fixed640);
    colours256_->setChecked(logic_.colours256);
    bar_->setValue(logic_.bar.position);
}

void QtSaverDialog::command(int id)
{
    takeFields();
    logic_.command(id, user_);
    showFields();
    if (logic_.result() == SaverDialog::Result::accepted) accept();
    if (logic_.result() == SaverDialog::Result::cancelled) reject();
}

void QtSaverDialog::scroll(ScrollRequest request, int thumb)
{
    logic_.scroll(request, thumb);
    bar_->setValue(logic_.bar.position);
}

} // namespace quillo
