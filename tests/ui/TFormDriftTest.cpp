// The QRH window and its illustration: up-downs to the drift, F0, start-up values, "?".
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <set>

#include "DialogEngineBench.h"
#include "app/LanguageTable.h"
#include "ui/TFormDrift.h"
#include "ui/TFormDriftBMP.h"

namespace kelvaro {
namespace {

class TFormDriftTest : public ::testing::Test {
protected:
    TFormDriftTest() : Drift(new TFormDrift(Bench.Engine, Texts, &MainWindow)) {}

    QSpinBox* UpDown(const char* name) const { return MainWindow.findChild<QSpinBox*>(name); }
    QString LabelText(const char* name) const { return MainWindow.findChild<QLabel*>(name)->text(); }
    FrequencyDrift& State() { return Bench.Engine.Drift(); }

    test::DialogEngineBench Bench;
    LanguageTable Texts;
    QWidget MainWindow;
    TFormDrift* Drift;
};

TEST_F(TFormDriftTest, IsAHiddenToolWindowWithItsDefaults) {
    EXPECT_TRUE(Drift->isWindow());
    EXPECT_FALSE(Drift->isVisible());
    EXPECT_FALSE(Drift->isModal());
    EXPECT_EQ(Drift->windowTitle(), "QRH");
    const struct {
        const char* Name;
        int Minimum, Maximum, Step, Value;
    } expected[] = {{"UpDownDrift", 0, 50, 5, 10},
                    {"UpDownFMax", 800, 1500, 10, 1300},
                    {"UpDownFMin", 100, 800, 10, 300}};
    for (const auto& upDown : expected) {
        QSpinBox* box = UpDown(upDown.Name);
        ASSERT_NE(box, nullptr) << upDown.Name;
        EXPECT_EQ(box->minimum(), upDown.Minimum) << upDown.Name;
        EXPECT_EQ(box->maximum(), upDown.Maximum) << upDown.Name;
        EXPECT_EQ(box->singleStep(), upDown.Step) << upDown.Name;
        EXPECT_EQ(box->value(), upDown.Value) << upDown.Name;
    }
    EXPECT_EQ(LabelText("LabelDF"), "dF =");
    EXPECT_EQ(LabelText("LabelDFUnit"), "Hz/car");
    EXPECT_EQ(LabelText("LabelFMax"), "Fmax = ");
    EXPECT_EQ(LabelText("LabelFMin"), "Fmin = ");
    EXPECT_EQ(LabelText("LabelF0"), "F0 = 800 Hz");
    EXPECT_EQ(MainWindow.findChild<QPushButton*>("ButtonDriftHelp")->text(), "?");
}

TEST_F(TFormDriftTest, TitleIsTheMenuCaptionWithoutItsAmpersands) {
    Drift->SetTitle("QR&H settings");
    EXPECT_EQ(LabelText("LabelDriftTitle"), "QRH settings");
    Drift->SetTitle("&A&B");
    EXPECT_EQ(LabelText("LabelDriftTitle"), "AB");
}

TEST_F(TFormDriftTest, TypingCannotChangeAnUpDownButTheArrowKeysStepIt) {
    Drift->show();
    QSpinBox* step = UpDown("UpDownDrift");
    step->setFocus();
    QTest::keyClicks(step, "45");
    EXPECT_EQ(step->value(), 10);
    QTest::keyClick(step, Qt::Key_Up);
    EXPECT_EQ(step->value(), 15);
    EXPECT_EQ(State().StepSetting, 15);
}

TEST_F(TFormDriftTest, StepKeepsTheDirectionOfTheDrift) {
    QSpinBox* step = UpDown("UpDownDrift");
    step->stepUp();
    EXPECT_EQ(State().StepSetting, 15);
    EXPECT_EQ(State().Rate, 15);
    State().Rate = -15;  // falling, as after reaching Fmax
    step->stepUp();
    EXPECT_EQ(State().StepSetting, 20);
    EXPECT_EQ(State().Rate, -20);
    step->stepDown();
    step->stepDown();
    EXPECT_EQ(State().Rate, -10);
}

TEST_F(TFormDriftTest, StepStopsAtItsEnds) {
    QSpinBox* step = UpDown("UpDownDrift");
    step->setValue(50);
    step->stepUp();
    EXPECT_EQ(State().StepSetting, 50);
    step->setValue(5);
    step->stepDown();
    EXPECT_EQ(step->value(), 0);
    EXPECT_EQ(State().StepSetting, 0);
    step->stepDown();
    EXPECT_EQ(step->value(), 0);
}

TEST_F(TFormDriftTest, LimitsGoToTheDrift) {
    UpDown("UpDownFMax")->stepUp();
    EXPECT_EQ(State().MaxHz, 1310);
    UpDown("UpDownFMin")->stepDown();
    EXPECT_EQ(State().MinHz, 290);
    UpDown("UpDownFMax")->setValue(800);
    UpDown("UpDownFMax")->stepDown();
    EXPECT_EQ(State().MaxHz, 800);
}

TEST_F(TFormDriftTest, ShowingTakesTheStepFromTheUpDownAndShowsTheBasePitch) {
    State().StepSetting = 35;
    Bench.Engine.SetNoteFrequency(812.7);
    Drift->show();
    EXPECT_EQ(State().StepSetting, 10);
    EXPECT_EQ(LabelText("LabelF0"), "F0 = 812 Hz");
}

TEST_F(TFormDriftTest, F0ShowsTheBasePitchNotTheDriftedOne) {
    Bench.Engine.SetNoteFrequency(1000.0);
    double drifted = Bench.Engine.NoteFrequency();
    State().Step(drifted);
    Drift->show();
    EXPECT_EQ(LabelText("LabelF0"), "F0 = 1000 Hz");
}

TEST_F(TFormDriftTest, StartUpValuesSetTheUpDownsAndTheDrift) {
    Drift->ApplyDriftValues(25, 1200, 400);
    EXPECT_EQ(UpDown("UpDownDrift")->value(), 25);
    EXPECT_EQ(UpDown("UpDownFMax")->value(), 1200);
    EXPECT_EQ(UpDown("UpDownFMin")->value(), 400);
    EXPECT_EQ(State().StepSetting, 25);
    EXPECT_EQ(State().Rate, 25);
    EXPECT_EQ(State().MaxHz, 1200);
    EXPECT_EQ(State().MinHz, 400);
    const TFormDrift::DriftSettings saved = Drift->DriftValues();
    EXPECT_EQ(saved.StepHz, 25);
    EXPECT_EQ(saved.MaxHz, 1200);
    EXPECT_EQ(saved.MinHz, 400);
}

TEST_F(TFormDriftTest, StartUpValuesEqualToTheDefaultsStillReachTheDrift) {
    State().StepSetting = 40;
    State().MaxHz = 900;
    State().MinHz = 700;
    Drift->ApplyDriftValues(10, 1300, 300);
    EXPECT_EQ(State().StepSetting, 10);
    EXPECT_EQ(State().MaxHz, 1300);
    EXPECT_EQ(State().MinHz, 300);
}

TEST_F(TFormDriftTest, StartUpRateSavedWhileFallingRestoresItsSize) {
    Drift->ApplyDriftValues(-20, 1300, 300);
    EXPECT_EQ(UpDown("UpDownDrift")->value(), 20);
    EXPECT_EQ(State().StepSetting, 20);
    EXPECT_EQ(Drift->DriftValues().StepHz, 20);
}

TEST_F(TFormDriftTest, StartUpValuesOutOfRangeAreClamped) {
    Drift->ApplyDriftValues(80, 2000, 20);
    EXPECT_EQ(State().StepSetting, 50);
    EXPECT_EQ(State().MaxHz, 1500);
    EXPECT_EQ(State().MinHz, 100);
    Drift->ApplyDriftValues(0, 100, 5000);
    EXPECT_EQ(State().StepSetting, 0);
    EXPECT_EQ(State().MaxHz, 800);
    EXPECT_EQ(State().MinHz, 800);
}

TEST_F(TFormDriftTest, QuestionMarkShowsTheIllustrationAndClosingHidesIt) {
    TFormDriftBMP* illustration = Drift->Illustration();
    ASSERT_NE(illustration, nullptr);
    Drift->show();
    EXPECT_FALSE(illustration->isVisible());
    QTest::mouseClick(MainWindow.findChild<QPushButton*>("ButtonDriftHelp"), Qt::LeftButton);
    EXPECT_TRUE(illustration->isVisible());
    EXPECT_TRUE(illustration->isWindow());
    Drift->close();
    EXPECT_FALSE(Drift->isVisible());
    EXPECT_FALSE(illustration->isVisible());
    // Opening the drift window again does not bring the illustration back by itself.
    Drift->show();
    EXPECT_FALSE(illustration->isVisible());
}

TEST_F(TFormDriftTest, EscapeHidesTheWindowAndItsIllustration) {
    Drift->show();
    Drift->ButtonDriftHelpClick();
    QTest::keyClick(Drift, Qt::Key_Escape);
    EXPECT_FALSE(Drift->isVisible());
    EXPECT_FALSE(Drift->Illustration()->isVisible());
}

TEST_F(TFormDriftTest, IllustrationIsAFixedSizeWindow) {
    TFormDriftBMP* illustration = Drift->Illustration();
    EXPECT_EQ(illustration->minimumSize(), illustration->maximumSize());
    EXPECT_EQ(illustration->size(), QSize(TFormDriftBMP::kWidth, TFormDriftBMP::kHeight));
    EXPECT_EQ(illustration->windowTitle(), "QRH");
}

TEST_F(TFormDriftTest, IllustrationDrawsAStaircaseInSeveralColours) {
    const QImage picture = Drift->Illustration()->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); x += 2) {
            colours.insert(picture.pixel(x, y));
        }
    }
    // White ground, black axes and text, the green staircase, red limits and blue F0.
    EXPECT_GT(colours.size(), 5u);
    EXPECT_TRUE(colours.contains(qRgb(255, 255, 255)));
}

TEST(TFormDriftBMPSteps, FollowTheDriftRuleFromF0UpToFmaxDownToFminAndUp) {
    const std::vector<int> steps = TFormDriftBMP::IllustratedSteps();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), TFormDriftBMP::kF0Steps);
    EXPECT_EQ(*std::max_element(steps.begin(), steps.end()), TFormDriftBMP::kFMaxSteps);
    EXPECT_EQ(*std::min_element(steps.begin(), steps.end()), 0);
    const auto top = std::find(steps.begin(), steps.end(), TFormDriftBMP::kFMaxSteps);
    const auto bottom = std::find(steps.begin(), steps.end(), 0);
    ASSERT_LT(top, bottom);
    // The limit is held for a second character while the direction turns.
    EXPECT_EQ(*(top + 1), TFormDriftBMP::kFMaxSteps);
    ASSERT_NE(bottom + 1, steps.end());
    EXPECT_EQ(*(bottom + 1), 0);
    ASSERT_NE(bottom + 2, steps.end());
    EXPECT_EQ(*(bottom + 2), 1);
    for (std::size_t character = 1; character < steps.size(); ++character) {
        EXPECT_LE(std::abs(steps[character] - steps[character - 1]), 1) << character;
    }
}

}  // namespace
}  // namespace kelvaro
