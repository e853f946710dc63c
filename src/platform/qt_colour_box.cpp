#include "qt_colour_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#include "control_ids.h"
#include "field_text.h"
#include "qt_dialog_parts.h"

namespace quillo {

namespace {

constexpr const char* labels[6] = {"R", "G", "B", "環境光", "散乱光", "反射光"};
constexpr int pageClick = 5; // a click beside the thumb moves this far

bool isCoefficient(int channel) { return channel >= 3; }

int& channelValue(ColourValues& v, int channel)
{
    return channel == 0 ? v.red : (channel == 1 ? v.green : v.blue);
}

float& coefficientValue(ColourValues& v, int channel)
{
    return channel == 3 ? v.ambient : (channel == 4 ? v.diffuse : v.specular);
}

} // namespace

ColourBox::ColourBox(const ColourValues& values, PaletteEntry* palette, std::function<void()> paletteChanged,
                     QWidget* parent)
    : QDialog(parent), values_(values), palette_(palette), paletteChanged_(std::move(paletteChanged))
{
    prepareDialog(this, "DCOL", "Color Box");
    if (palette_) {
        std::memcpy(saved_, palette_, sizeof saved_);
    } else {
        for (PaletteEntry& e : saved_) e = {0, 0, 0, 0};
        setSystemColours(saved_);
    }
    std::memcpy(working_, saved_, sizeof working_);
    values_.red = clampChannel(values_.red);
    values_.green = clampChannel(values_.green);
    values_.blue = clampChannel(values_.blue);
    values_.ambient = clampCoefficient(values_.ambient);
    values_.diffuse = clampCoefficient(values_.diffuse);
    values_.specular = clampCoefficient(values_.specular);

    auto* grid = new QGridLayout;
    for (int c = 0; c < 6; ++c) {
        bars_[c] = named(new QScrollBar(Qt::Horizontal, this), controls::redBar + c);
        bars_[c]->setRange(0, isCoefficient(c) ? 100 : 255);
        bars_[c]->setPageStep(10);
        bars_[c]->setSingleStep(1);
        bars_[c]->setMinimumWidth(160);
        fields_[c] = named(new QLineEdit(this), controls::redField + c);
        fields_[c]->setMaxLength(32);
        fields_[c]->setFixedWidth(fields_[c]->fontMetrics().horizontalAdvance("0000000") + 10);
        grid->addWidget(new QLabel(QString::fromUtf8(labels[c]), this), c, 0);
        grid->addWidget(bars_[c], c, 1);
        grid->addWidget(fields_[c], c, 2);
        showField(c);
        showBar(c);
        connect(fields_[c], &QLineEdit::textEdited, this, [this, c](const QString& t) { fieldEdited(c, t); });
        connect(fields_[c], &QLineEdit::editingFinished, this, [this, c] { fieldFinished(c); });
        connect(bars_[c], &QScrollBar::valueChanged, this, [this, c](int p) { barChanged(c, p); });
        connect(bars_[c], &QScrollBar::actionTriggered, this, [this, c](int a) { pageStep(c, a); });
    }

    QHBoxLayout* buttons = okCancelRow(this, "Ok", "Cancel");

    auto* layout = new QVBoxLayout(this);
    QMargins margins = layout->contentsMargins();
    margins.setTop(previewTop + 16 * bandHeight + 10); // the preview is painted above the controls
    layout->setContentsMargins(margins);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    updatePreview();
}

ColourBox::~ColourBox() { restorePalette(); }

void ColourBox::done(int result)
{
    restorePalette();
    QDialog::done(result);
}

void ColourBox::restorePalette()
{
    if (restored_) return;
    restored_ = true;
    if (!palette_) return;
    std::memcpy(palette_, saved_, sizeof saved_);
    if (paletteChanged_) paletteChanged_();
}

int ColourBox::barPosition(int c) const
{
    switch (c) {
    case 0: return values_.red;
    case 1: return values_.green;
    case 2: return values_.blue;
    case 3: return int(values_.ambient * 100.0f); // truncated
    case 4: return int(values_.diffuse * 100.0f);
    default: return int(values_.specular * 100.0f);
    }
}

void ColourBox::showField(int c)
{
    bool was = updating_;
    updating_ = true;
    if (isCoefficient(c))
        fields_[c]->setText(QString::fromStdString(formatFixed(coefficientValue(values_, c), 5, 2)));
    else
        fields_[c]->setText(QString::fromStdString(formatInt(channelValue(values_, c), 4)));
    updating_ = was;
}

void ColourBox::showBar(int c)
{
    bool was = updating_;
    updating_ = true;
    bars_[c]->setValue(barPosition(c));
    updating_ = was;
}

void ColourBox::fieldEdited(int c, const QString& text)
{
    if (updating_) return;
    std::string typed = text.toStdString();
    bool limited = false;
    if (isCoefficient(c)) {
        double read = 0.0;
        if (!scanReal(typed, read)) return; // no number: the value stays
        float value = clampCoefficient(float(read));
        limited = value != float(read);
        coefficientValue(values_, c) = value;
    } else {
        int read = 0;
        if (!scanInt(typed, read)) return;
        int value = clampChannel(read);
        limited = value != read;
        channelValue(values_, c) = value;
    }
    // A number out of range is shown as the limit it was cut to, so the
    // field never shows what the box will not return.
    if (limited) showField(c);
    showBar(c);
    updatePreview();
}

void ColourBox::fieldFinished(int c) { showField(c); }

void ColourBox::barChanged(int c, int position)
{
    if (updating_) return;
    if (isCoefficient(c))
        coefficientValue(values_, c) = clampCoefficient(float(position) * 0.01f);
    else
        channelValue(values_, c) = clampChannel(position);
    showField(c);
    updatePreview();
}

void ColourBox::pageStep(int c, int action)
{
    QScrollBar* bar = bars_[c];
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(std::min(bar->maximum(), bar->value() + pageClick));
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(std::max(bar->minimum(), bar->value() - pageClick));
}

void ColourBox::updatePreview()
{
    Rgb ramp[16];
    previewRamp(values_, ramp);
    for (int k = 0; k < 16; ++k) {
        PaletteEntry& e = working_[previewEntry + k];
        e.red = uint8_t(ramp[k].red);
        e.green = uint8_t(ramp[k].green);
        e.blue = uint8_t(ramp[k].blue);
        if (palette_ && !restored_) {
            palette_[previewEntry + k].red = e.red;
            palette_[previewEntry + k].green = e.green;
            palette_[previewEntry + k].blue = e.blue;
        }
    }
    if (palette_ && !restored_ && paletteChanged_) paletteChanged_();
    update(QRect(previewLeft, previewTop, previewRight - previewLeft, 16 * bandHeight));
}

void ColourBox::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (int k = 0; k < 16; ++k) {
        const PaletteEntry& e = working_[previewEntry + k];
        painter.fillRect(QRect(previewLeft, previewTop + k * bandHeight, previewRight - previewLeft, bandHeight),
                         QColor(e.red, e.green, e.blue));
    }
}

} // namespace quillo
