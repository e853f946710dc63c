// "DCOL": red, green and blue (0-255) and the ambient, diffuse and specular
// coefficients (0.00-1.00), each with a scroll bar and an edit field, and a
// live preview of the 16 shades the colour will get.
//
// The preview goes through the palette: while the box is up, entries 10-25
// of the given palette table hold the preview ramp, and `paletteChanged` is
// called after every change so the editor's view can load them. When the
// box closes (or is destroyed) the whole table is put back as it was and
// `paletteChanged` is called once more.
#pragma once

#include <functional>

#include <QDialog>

#include "model_dialogs.h"
#include "model/colour_table.h"

class QLineEdit;
class QScrollBar;

namespace quillo {

class ColourBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int previewEntry = 10; // first of the 16 palette entries used
    static constexpr int previewLeft = 16, previewRight = 128, previewTop = 15, bandHeight = 4;

    // `palette` (256 entries) and `paletteChanged` may be null.
    ColourBox(const ColourValues& values, PaletteEntry* palette, std::function<void()> paletteChanged,
              QWidget* parent = nullptr);
    ~ColourBox() override;

    const ColourValues& values() const { return values_; }
    // The palette the preview is drawn with (entries 10-25 hold the ramp).
    const PaletteEntry* previewPalette() const { return working_; }

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fieldEdited(int channel, const QString& text);
    void fieldFinished(int channel);
    void barChanged(int channel, int position);
    void pageStep(int channel, int action);
    void showField(int channel);
    void showBar(int channel);
    int barPosition(int channel) const;
    void updatePreview();
    void restorePalette();

    ColourValues values_;
    PaletteEntry* palette_;
    std::function<void()> paletteChanged_;
    PaletteEntry saved_[256];
    PaletteEntry working_[256];
    bool restored_ = false;
    bool updating_ = false;
    QScrollBar* bars_[6];
    QLineEdit* fields_[6];
};

} // namespace quillo
