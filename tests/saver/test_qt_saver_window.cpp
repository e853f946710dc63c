// The saver's Qt dialog and window on the offscreen platform: control ids
// and texts, the speed bar's own steps, and the window's event handlers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "animation/sound_device.h"
#include "platform/qt_text.h"
#include "platform/scripted_dialogs.h"
#include "saver/qt_saver_dialog.h"
#include "saver/qt_saver_window.h"
#include "saver/saver_script.h"
#include "support/qt_test_app.h"

namespace quillo {
namespace {

TEST(QtSaverDialog, EveryControlWithItsIdAndText)
{
    ScriptedDialogs answers;
    ScriptedSaverDialogUser user(answers);
    SaverSettings s;
    s.animfile = "a.md7";
    QtSaverDialog d(s, user);
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("スクリーンセーバー設定"));
    const struct {
        int id;
        const char* text;
    } buttons[] = {{idOk, "OK"}, {idCancel, "ｷｬﾝｾﾙ"}, {idBrowse, "参照"}, {idFixed640, "640×480固定"}, {idColours256, "２５６色固定"}};
    for (const auto& b : buttons) {
        auto* button = findControl<QAbstractButton>(&d, b.id);
        ASSERT_NE(button, nullptr) << b.id;
        EXPECT_EQ(button->text(), QString::fromUtf8(b.text));
    }
    EXPECT_EQ(findControl<QLineEdit>(&d, idFile)->text(), "a.md7");
    EXPECT_NE(findControl<QScrollBar>(&d, idSpeed), nullptr);
    QStringList labels;
    for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
    for (const char* label : {"Ｖｅｒ　０．２Ａ", "遅い", "速い"}) EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
}

TEST(QtSaverDialog, TheBarsOwnStepsOverrideQtsAndOkStaysOpenOnAMissingFile)
{
    ScriptedDialogs answers;
    ScriptedSaverDialogUser user(answers);
    QtSaverDialog d(SaverSettings{}, user);
    QScrollBar* bar = d.speedBar();
    EXPECT_EQ(bar->value(), 80);
    const struct {
        QAbstractSlider::SliderAction action;
        int value;
    } steps[] = {{QAbstractSlider::SliderPageStepSub, 75}, {QAbstractSlider::SliderSingleStepSub, 74},
                 {QAbstractSlider::SliderPageStepAdd, 79}, {QAbstractSlider::SliderPageStepAdd, 80},
                 {QAbstractSlider::SliderToMinimum, 80}};
    for (const auto& s : steps) {
        bar->triggerAction(s.action);
        EXPECT_EQ(bar->value(), s.value) << int(s.action);
    }
    d.fileField()->setText("/nonexistent/x.md7");
    std::string why;
    ASSERT_TRUE(answers.queueWords({"message", "指定されたファイル /nonexistent/x.md7 が見つかりません"}, why)) << why;
    findControl<QAbstractButton>(&d, idOk)->click();
    EXPECT_TRUE(answers.failure().empty()) << answers.failure();
    EXPECT_FALSE(answers.pending());
    EXPECT_EQ(d.logic().result(), SaverDialog::Result::open);
    EXPECT_EQ(d.result(), QDialog::Rejected); // not ended
}

class QtSaverWindowTest : public ::testing::Test {
protected:
    anim::SilentSoundDevice sound;
    SaverPlayer player{sound};
    int64_t now = 0;
    QtSaverWindow window{SaverMode::saver, player, [this] { return now; }};

    void SetUp() override
    {
        ASSERT_TRUE(window.open(0));
        SaverSettings s;
        s.animfile = QUILLO_SOURCE_DIR "/examples/robot_show.md7";
        s.modewidth = 320;
        s.modeheight = 200;
        window.play(s);
        ASSERT_TRUE(player.running());
    }
    void send(QEvent* e)
    {
        QApplication::sendEvent(&window, e);
        delete e;
    }
    QMouseEvent* move(int x, int y)
    {
        return new QMouseEvent(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    }
};

TEST_F(QtSaverWindowTest, TitlePointerAndTheTimerTakeSteps)
{
    EXPECT_EQ(window.windowTitle(), "Quillo Screen Saver");
    EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(player.steps(), 1);
    now = 12;
    window.tick();
    EXPECT_EQ(player.steps(), 2);
    EXPECT_EQ(player.stage()->layer().width(), 320); // the mode size, scaled on the screen
}

TEST_F(QtSaverWindowTest, WhatTheWindowIgnoresAndWhatEndsIt)
{
    send(move(300, 300));
    send(move(301, 300));
    send(new QMouseEvent(QEvent::MouseButtonDblClick, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier));
    send(new QWheelEvent(QPointF(1, 1), QPointF(1, 1), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false));
    EXPECT_FALSE(window.close()); // the window menu's close command
    EXPECT_FALSE(window.finished());
    bool told = false;
    window.onFinished = [&told] { told = true; };
    send(new QKeyEvent(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier));
    EXPECT_TRUE(window.finished());
    EXPECT_TRUE(told);
    EXPECT_EQ(player.stage(), nullptr); // released at once
    EXPECT_FALSE(player.running());
}

TEST_F(QtSaverWindowTest, AButtonGoingDownEndsIt)
{
    send(new QMouseEvent(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::MiddleButton, Qt::MiddleButton,
                         Qt::NoModifier));
    EXPECT_TRUE(window.finished());
}

} // namespace
} // namespace quillo
