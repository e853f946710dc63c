#include "platform/qt_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include "platform/qt_input_box.h"

using namespace quillo;

TEST(QtFont, KeepsTheFamilyNameAndTheSize)
{
    QFont nine = uiFont(9);
    EXPECT_EQ(nine.family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    EXPECT_EQ(nine.pointSize(), 9);
    EXPECT_EQ(uiFontPixels(12).pixelSize(), 12);
    EXPECT_EQ(QFont::substitute(QString::fromUtf8("ＭＳ Ｐゴシック")).compare("IPAPGothic", Qt::CaseInsensitive), 0);
}

TEST(QtFont, IsDrawnWithIpaPGothic)
{
    if (!QFontDatabase::families().contains("IPAPGothic")) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
    EXPECT_EQ(QFontInfo(uiFont(9)).family(), QString("IPAPGothic"));
}

TEST(QtFont, DialogsUseItAtNinePoints)
{
    InputBox box("prompt");
    EXPECT_EQ(box.font().family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    EXPECT_EQ(box.font().pointSize(), 9);
}
