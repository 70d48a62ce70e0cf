// The QSB window: the slider is the fading depth in dB.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QWidget>

#include "DialogEngineBench.h"
#include "app/LanguageTable.h"
#include "ui/TFormQSB.h"

namespace kelvaro {
namespace {

class TFormQSBTest : public ::testing::Test {
protected:
    TFormQSBTest() : Qsb(new TFormQSB(Bench.Engine, Texts, &MainWindow)) {}

    QSlider* Slider() const { return MainWindow.findChild<QSlider*>("TrackBarQSB"); }

    test::DialogEngineBench Bench;
    LanguageTable Texts;
    QWidget MainWindow;
    TFormQSB* Qsb;
};

TEST_F(TFormQSBTest, IsAHiddenToolWindowWithItsDefaults) {
    ASSERT_NE(Slider(), nullptr);
    EXPECT_TRUE(Qsb->isWindow());
    EXPECT_FALSE(Qsb->isVisible());
    EXPECT_EQ(Qsb->windowTitle(), "QSB");
    EXPECT_EQ(Slider()->maximum(), 20);
    EXPECT_EQ(Qsb->QsbLevel(), 10);
    EXPECT_EQ(Bench.Engine.Qsb().DepthDb, 10);
}

TEST_F(TFormQSBTest, SliderPositionIsTheDepth) {
    for (const int position : {0, 1, 19, 20, 7}) {
        Slider()->setValue(position);
        EXPECT_EQ(Bench.Engine.Qsb().DepthDb, position);
        EXPECT_EQ(Qsb->QsbLevel(), position);
    }
}

TEST_F(TFormQSBTest, LevelsOutsideTheSliderAreClamped) {
    Qsb->ApplyQsbLevel(35);
    EXPECT_EQ(Bench.Engine.Qsb().DepthDb, 20);
    Qsb->ApplyQsbLevel(-1);
    EXPECT_EQ(Bench.Engine.Qsb().DepthDb, 0);
}

TEST_F(TFormQSBTest, NoFadingIsAtTheTopMarked0dB) {
    Qsb->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Qsb));
    const auto* top = Qsb->findChild<QLabel*>("LabelQsbTop");
    const auto* bottom = Qsb->findChild<QLabel*>("LabelQsbBottom");
    EXPECT_EQ(top->text(), "O dB");
    EXPECT_EQ(bottom->text(), "-20 dB");
    EXPECT_LT(top->y(), bottom->y());
    QTest::keyClick(Slider(), Qt::Key_Up);
    EXPECT_EQ(Bench.Engine.Qsb().DepthDb, 9);
    QTest::mouseClick(Slider(), Qt::LeftButton, {}, QPoint(Slider()->width() / 2, Slider()->height() - 2));
    EXPECT_GT(Bench.Engine.Qsb().DepthDb, 9);
}

}  // namespace
}  // namespace kelvaro
