// The noise window: level slider to noise range, and the four bandwidths.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QWidget>
#include <algorithm>

#include "DialogEngineBench.h"
#include "app/LanguageTable.h"
#include "ui/TFormNoise.h"

namespace kelvaro {
namespace {

class TFormNoiseTest : public ::testing::Test {
protected:
    TFormNoiseTest() : Noise(new TFormNoise(Bench.Engine, Texts, &MainWindow)) {}

    QSlider* Slider() const { return MainWindow.findChild<QSlider*>("TrackBarNoise"); }
    QRadioButton* Button(const char* name) const { return MainWindow.findChild<QRadioButton*>(name); }

    test::DialogEngineBench Bench;
    LanguageTable Texts;
    QWidget MainWindow;
    TFormNoise* Noise;
};

TEST_F(TFormNoiseTest, IsAHiddenToolWindowWithItsDefaults) {
    ASSERT_NE(Slider(), nullptr);
    EXPECT_TRUE(Noise->isWindow());
    EXPECT_FALSE(Noise->isVisible());
    EXPECT_FALSE(Noise->isModal());
    EXPECT_EQ(Noise->windowTitle(), "KELVARO");
    EXPECT_EQ(Slider()->maximum(), 20);
    EXPECT_EQ(Noise->NoiseLevelPosition(), 10);
    EXPECT_EQ(Noise->Bandwidth(), 8);
    EXPECT_TRUE(Button("RadioButton1k")->isChecked());
    EXPECT_EQ(Bench.Engine.NoiseRange(), 32768);
    EXPECT_EQ(MainWindow.findChild<QGroupBox*>("GroupBoxBW")->title(), "BW");
}

TEST_F(TFormNoiseTest, EveryPositionGivesTheRoundedShareOfTheFullRange) {
    EXPECT_EQ(TFormNoise::PositionToRange(0), 65536);
    EXPECT_EQ(TFormNoise::PositionToRange(1), 62259);  // 62259.2
    EXPECT_EQ(TFormNoise::PositionToRange(3), 55706);  // 55705.6
    EXPECT_EQ(TFormNoise::PositionToRange(10), 32768);
    EXPECT_EQ(TFormNoise::PositionToRange(19), 3277);  // 3276.8
    EXPECT_EQ(TFormNoise::PositionToRange(20), 0);
}

TEST_F(TFormNoiseTest, BottomPositionSilencesTheNoiseTable) {
    Noise->ApplyNoiseLevel(20);
    EXPECT_EQ(Bench.Engine.NoiseRange(), 0);
    const auto& values = Bench.Engine.Noise().Values();
    EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](Sample value) { return value == 0; }));
}

TEST_F(TFormNoiseTest, TopPositionSpansTheWhole16BitRange) {
    Noise->ApplyNoiseLevel(0);
    EXPECT_EQ(Bench.Engine.NoiseRange(), 65536);
    const auto& values = Bench.Engine.Noise().Values();
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    EXPECT_GE(*lowest, -32768);
    EXPECT_LE(*highest, 32767);
    EXPECT_LT(*lowest, -30000);
    EXPECT_GT(*highest, 30000);
}

TEST_F(TFormNoiseTest, BackToTheMiddleGivesHalfTheRange) {
    Noise->ApplyNoiseLevel(20);
    Noise->ApplyNoiseLevel(10);
    EXPECT_EQ(Bench.Engine.NoiseRange(), 32768);
}

TEST_F(TFormNoiseTest, LevelsOutsideTheSliderAreClamped) {
    Noise->ApplyNoiseLevel(-3);
    EXPECT_EQ(Noise->NoiseLevelPosition(), 0);
    EXPECT_EQ(Bench.Engine.NoiseRange(), 65536);
    Noise->ApplyNoiseLevel(99);
    EXPECT_EQ(Noise->NoiseLevelPosition(), 20);
    EXPECT_EQ(Bench.Engine.NoiseRange(), 0);
}

TEST_F(TFormNoiseTest, LoudestNoiseIsAtTheTopMarkedMax) {
    Noise->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Noise));
    const auto* maxLabel = Noise->findChild<QLabel*>("LabelNoiseMax");
    const auto* minLabel = Noise->findChild<QLabel*>("LabelNoiseMin");
    EXPECT_EQ(maxLabel->text(), "Max");
    EXPECT_EQ(minLabel->text(), "Min");
    EXPECT_LT(maxLabel->y(), minLabel->y());
    QTest::mouseClick(Slider(), Qt::LeftButton, {}, QPoint(Slider()->width() / 2, 2));
    EXPECT_LT(Noise->NoiseLevelPosition(), 10);
    EXPECT_GT(Bench.Engine.NoiseRange(), 32768);
    const int clicked = Noise->NoiseLevelPosition();
    QTest::keyClick(Slider(), Qt::Key_Down);
    EXPECT_EQ(Noise->NoiseLevelPosition(), clicked + 1);
    EXPECT_EQ(Bench.Engine.NoiseRange(), TFormNoise::PositionToRange(clicked + 1));
}

struct BandwidthButton {
    const char* Name;
    const char* Caption;
    int Divisor;
};

class TFormNoiseBandwidthTest : public TFormNoiseTest,
                                public ::testing::WithParamInterface<BandwidthButton> {};

TEST_P(TFormNoiseBandwidthTest, ButtonSetsItsDivisorAndKeepsTheLevel) {
    const BandwidthButton expected = GetParam();
    // Start from another bandwidth so that every button is a change.
    Button(expected.Divisor == 1 ? "RadioButton5k" : "RadioButton10k")->click();
    Noise->ApplyNoiseLevel(4);
    const int rebuildsBefore = Bench.Engine.TableRebuildCount();
    QRadioButton* button = Button(expected.Name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), expected.Caption);
    button->click();
    EXPECT_EQ(Bench.Engine.NoiseBandwidth(), expected.Divisor);
    EXPECT_EQ(Noise->Bandwidth(), expected.Divisor);
    EXPECT_EQ(Bench.Engine.NoiseRange(), TFormNoise::PositionToRange(4));
    EXPECT_EQ(Bench.Engine.TableRebuildCount(), rebuildsBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(Buttons, TFormNoiseBandwidthTest,
                         ::testing::Values(BandwidthButton{"RadioButton10k", "10 kHz", 1},
                                           BandwidthButton{"RadioButton5k", "5 kHz", 2},
                                           BandwidthButton{"RadioButton2k", "2.5 kHz", 4},
                                           BandwidthButton{"RadioButton1k", "1.3 kHz", 8}));

TEST_F(TFormNoiseTest, ApplyBandwidthChecksTheMatchingButton) {
    EXPECT_TRUE(Noise->ApplyBandwidth(2));
    EXPECT_TRUE(Button("RadioButton5k")->isChecked());
    EXPECT_FALSE(Button("RadioButton1k")->isChecked());
    EXPECT_EQ(Bench.Engine.NoiseBandwidth(), 2);
}

TEST_F(TFormNoiseTest, ApplyBandwidthIgnoresOtherDivisors) {
    Noise->ApplyBandwidth(4);
    for (const int divisor : {0, 3, 16, -1}) {
        EXPECT_FALSE(Noise->ApplyBandwidth(divisor)) << divisor;
        EXPECT_EQ(Noise->Bandwidth(), 4);
        EXPECT_EQ(Bench.Engine.NoiseBandwidth(), 4);
    }
}

TEST_F(TFormNoiseTest, ReclickingTheCheckedButtonRebuildsNothing) {
    const int rebuildsBefore = Bench.Engine.TableRebuildCount();
    Button("RadioButton1k")->click();
    EXPECT_EQ(Bench.Engine.TableRebuildCount(), rebuildsBefore);
}

}  // namespace
}  // namespace kelvaro
