#include "platform/qt_colour_box.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

#include "../support/qt_test_app.h"
#include "platform/control_ids.h"
#include "platform/qt_model_dialogs.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::onModal;

namespace {

struct Palette {
    PaletteEntry entries[256];
    int changes = 0;
    Palette()
    {
        for (int i = 0; i < 256; ++i) entries[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0x40};
    }
};

void type(QLineEdit* field, const QString& text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

void expectPreview(const PaletteEntry* palette, const ColourValues& v)
{
    Rgb ramp[16];
    previewRamp(v, ramp);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(palette[10 + k].red, ramp[k].red) << k;
        EXPECT_EQ(palette[10 + k].green, ramp[k].green) << k;
        EXPECT_EQ(palette[10 + k].blue, ramp[k].blue) << k;
    }
}

class FakeDisplay : public PaletteDisplay {
public:
    void setPalette(const PaletteEntry (&entries)[256]) override
    {
        std::memcpy(last, entries, sizeof last);
        ++loads;
    }
    PaletteEntry last[256];
    int loads = 0;
};

} // namespace

TEST(QtColourBox, OpensWithTheFieldsFormattedAndCoefficientsLimited)
{
    ColourValues v{12, 200, 0, 0.5f, 2.0f, 0.25f};
    ColourBox box(v, nullptr, nullptr);
    EXPECT_EQ(box.objectName(), "DCOL");
    EXPECT_EQ(box.windowTitle(), "Color Box");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::redField)->text(), "  12");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::greenField)->text(), " 200");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::blueField)->text(), "   0");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::ambientField)->text(), " 0.50");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::diffuseField)->text(), " 1.00");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::specularField)->text(), " 0.25");
    EXPECT_FLOAT_EQ(box.values().diffuse, 1.0f);
    for (int id = controls::redBar; id <= controls::specularBar; ++id) {
        auto* bar = findControl<QScrollBar>(&box, id);
        ASSERT_NE(bar, nullptr) << id;
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), id <= controls::blueBar ? 255 : 100);
        EXPECT_EQ(bar->pageStep(), 10);
        EXPECT_EQ(bar->singleStep(), 1);
    }
    EXPECT_EQ(findControl<QScrollBar>(&box, controls::ambientBar)->value(), 50);
    EXPECT_EQ(findControl<QScrollBar>(&box, controls::redBar)->value(), 12);
}

TEST(QtColourBox, TypingLimitsTheValueAndMovesTheBar)
{
    ColourBox box(ColourValues{0, 0, 0, 0.0f, 0.5f, 0.0f}, nullptr, nullptr);
    box.show();
    auto* red = findControl<QLineEdit>(&box, controls::redField);
    type(red, "300");
    EXPECT_EQ(box.values().red, 255);
    EXPECT_EQ(red->text(), " 255");
    auto* redBar = findControl<QScrollBar>(&box, controls::redBar);
    EXPECT_EQ(redBar->value(), redBar->maximum());

    auto* ambient = findControl<QLineEdit>(&box, controls::ambientField);
    type(ambient, "1.5");
    EXPECT_FLOAT_EQ(box.values().ambient, 1.0f);
    EXPECT_EQ(ambient->text(), " 1.00");
    EXPECT_EQ(findControl<QScrollBar>(&box, controls::ambientBar)->value(), 100);

    type(ambient, "0.25");
    EXPECT_FLOAT_EQ(box.values().ambient, 0.25f);
    EXPECT_EQ(ambient->text(), "0.25"); // a value in range stays as typed
    EXPECT_EQ(findControl<QScrollBar>(&box, controls::ambientBar)->value(), 25);

    auto* green = findControl<QLineEdit>(&box, controls::greenField);
    type(green, "-7");
    EXPECT_EQ(box.values().green, 0);
    type(green, "abc"); // no number: the value stays
    EXPECT_EQ(box.values().green, 0);
    type(green, "64");
    EXPECT_EQ(box.values().green, 64);
    EXPECT_EQ(green->text(), "64");
    QTest::keyClick(green, Qt::Key_Return); // the field shows the value in its format, and OK ends the box
    EXPECT_EQ(green->text(), "  64");
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(box.values().green, 64);
}

TEST(QtColourBox, ScrollingStepsByOneAndPagesByFive)
{
    ColourBox box(ColourValues{100, 0, 0, 0.5f, 0.5f, 0.0f}, nullptr, nullptr);
    box.show();
    auto* bar = findControl<QScrollBar>(&box, controls::redBar);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(box.values().red, 101);
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::redField)->text(), " 101");
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(box.values().red, 106);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(box.values().red, 96);
    bar->setSliderPosition(255); // the thumb sets the value directly
    EXPECT_EQ(box.values().red, 255);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(box.values().red, 255);

    auto* diffuse = findControl<QScrollBar>(&box, controls::diffuseBar);
    diffuse->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_FLOAT_EQ(box.values().diffuse, 0.55f);
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::diffuseField)->text(), " 0.55");
}

TEST(QtColourBox, PreviewGoesThroughPaletteEntries10To25AndIsPutBack)
{
    Palette palette;
    Palette original;
    ColourBox* box = new ColourBox(ColourValues{200, 100, 50, 0.2f, 0.8f, 0.5f}, palette.entries,
                                   [&] { ++palette.changes; });
    expectPreview(palette.entries, box->values());
    EXPECT_GE(palette.changes, 1);
    EXPECT_EQ(std::memcmp(&palette.entries[0], &original.entries[0], 10 * sizeof(PaletteEntry)), 0);
    EXPECT_EQ(std::memcmp(&palette.entries[26], &original.entries[26], 230 * sizeof(PaletteEntry)), 0);
    EXPECT_EQ(palette.entries[10].flags, 0x40);

    box->show();
    int before = palette.changes;
    type(findControl<QLineEdit>(box, controls::blueField), "250");
    EXPECT_GT(palette.changes, before);
    expectPreview(palette.entries, box->values());

    // 16 bands, 4 pixels high, from x = 16 to 128, starting at y = 15.
    QImage shot = box->grab().toImage();
    Rgb ramp[16];
    previewRamp(box->values(), ramp);
    for (int k = 0; k < 16; ++k)
        for (int x : {16, 70, 127})
            for (int dy : {0, 3}) {
                QColor c = shot.pixelColor(x, 15 + 4 * k + dy);
                EXPECT_EQ(c, QColor(ramp[k].red, ramp[k].green, ramp[k].blue)) << k << " " << x;
            }
    EXPECT_NE(shot.pixelColor(128, 15), QColor(ramp[0].red, ramp[0].green, ramp[0].blue));

    before = palette.changes;
    box->reject();
    EXPECT_EQ(std::memcmp(palette.entries, original.entries, sizeof palette.entries), 0);
    EXPECT_EQ(palette.changes, before + 1);
    delete box; // already put back: nothing more
    EXPECT_EQ(palette.changes, before + 1);
}

TEST(QtColourBox, QtDialogsShowsThePreviewOnTheAttachedDisplay)
{
    GMTBL table;
    FakeDisplay display;
    table.attachDisplay(&display);
    PaletteEntry saved[256];
    std::memcpy(saved, table.palette, sizeof saved);
    bool active = true;
    QtModelDialogs dialogs(nullptr, &active);
    dialogs.attachPalette(&table);

    ColourValues v{10, 20, 30, 0.1f, 0.9f, 0.0f};
    onModal<ColourBox>([&](ColourBox* box) {
        EXPECT_FALSE(active);
        type(findControl<QLineEdit>(box, controls::redField), "300");
        EXPECT_EQ(display.last[10 + 15].red, 229); // 255 x 0.9, truncated
        expectPreview(display.last, box->values());
        findControl<QPushButton>(box, controls::ok)->click();
    });
    EXPECT_EQ(dialogs.colourBox(v), 1);
    EXPECT_TRUE(active);
    EXPECT_EQ(v.red, 255);
    EXPECT_EQ(v.green, 20);
    EXPECT_FLOAT_EQ(v.diffuse, 0.9f);
    EXPECT_EQ(std::memcmp(table.palette, saved, sizeof saved), 0);
    EXPECT_EQ(std::memcmp(display.last, saved, sizeof saved), 0);

    onModal<ColourBox>([](ColourBox* box) {
        type(findControl<QLineEdit>(box, controls::greenField), "99");
        findControl<QPushButton>(box, controls::cancel)->click();
    });
    EXPECT_EQ(dialogs.colourBox(v), -1);
    EXPECT_EQ(v.green, 20);
    EXPECT_EQ(std::memcmp(display.last, saved, sizeof saved), 0);
}
