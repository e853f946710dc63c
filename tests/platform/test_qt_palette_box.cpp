#include "platform/qt_palette_box.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "platform/qt_model_dialogs.h"

using namespace quillo;
using quillo::test::onModal;

namespace {

// Ten colours with their ramps built.
void fill(GMTBL& table)
{
    for (int i = 0; i < 10; ++i) table.getm(20 * i + 10, 255 - 20 * i, 128, 0.2f, 0.8f, 0.1f * float(i % 3));
    ASSERT_TRUE(table.buildShades());
}

QPoint cellPoint(int index, int dx = 5, int dy = 5)
{
    return QPoint(32 + 32 * (index % 8) + dx, 32 + 32 * (index / 8) + dy);
}

} // namespace

TEST(QtPaletteBox, MapsClicksToColourIndices)
{
    EXPECT_EQ(PaletteBox::indexAt(32, 32, 64), 0);
    EXPECT_EQ(PaletteBox::indexAt(63, 63, 64), 0);
    EXPECT_EQ(PaletteBox::indexAt(64, 32, 64), 1);
    EXPECT_EQ(PaletteBox::indexAt(287, 287, 64), 63);
    EXPECT_EQ(PaletteBox::indexAt(32, 64, 64), 8);
    for (const auto& [x, y] : {std::pair{31, 40}, {40, 31}, {288, 40}, {40, 288}}) // outside x, y = 32..287
        EXPECT_EQ(PaletteBox::indexAt(x, y, 64), -1) << x << "," << y;
    EXPECT_EQ(PaletteBox::indexAt(32, 64, 8), -1);   // below the last colour
    EXPECT_EQ(PaletteBox::indexAt(40, 40, 0), -1);
}

TEST(QtPaletteBox, PaintsEachCellWithItsShades)
{
    GMTBL table;
    fill(table);
    PaletteBox box(table);
    EXPECT_EQ(box.objectName(), "DPAL");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("パレット"));
    QImage shot = box.grab().toImage();
    for (int i : {0, 3, 9})
        for (int k : {0, 7, 31}) {
            const PaletteEntry& e = table.palette[table.shadeAt(i * 64 + 2 * k, 0)];
            QPoint at = cellPoint(i, 16, k);
            EXPECT_EQ(shot.pixelColor(at), QColor(e.red, e.green, e.blue)) << i << " " << k;
        }
    // Line 0 is the darkest shade, line 31 the lightest.
    EXPECT_LT(shot.pixelColor(cellPoint(0, 1, 0)).lightness(), shot.pixelColor(cellPoint(0, 1, 31)).lightness());
}

TEST(QtPaletteBox, ReturnsTheClickedColour)
{
    GMTBL table;
    fill(table);
    bool active = true;
    QtModelDialogs dialogs(nullptr, &active);
    onModal<PaletteBox>([&](PaletteBox* box) {
        EXPECT_FALSE(active);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, cellPoint(9));
    });
    EXPECT_EQ(dialogs.paletteBox(table), 9);
    EXPECT_TRUE(active);
}

TEST(QtPaletteBox, ClicksBesideTheColoursDoNothingAndClosingGivesMinusOne)
{
    GMTBL table;
    fill(table);
    QtModelDialogs dialogs;
    onModal<PaletteBox>([](PaletteBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, cellPoint(10)); // below the last colour
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(20, 40));  // left of x = 32
        QTest::mouseClick(box, Qt::RightButton, Qt::NoModifier, cellPoint(2));
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->chosen(), -1);
        box->close();
    });
    EXPECT_EQ(dialogs.paletteBox(table), -1);
}
