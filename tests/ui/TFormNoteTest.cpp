// The tone window: slider to pitch, the exam tone, and the drift window kept up to date.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QWidget>

#include "DialogEngineBench.h"
#include "app/LanguageTable.h"
#include "core/ToneTable.h"
#include "ui/TFormDrift.h"
#include "ui/TFormNote.h"

namespace kelvaro {
namespace {

class TFormNoteTest : public ::testing::Test {
protected:
    TFormNoteTest() : Note(new TFormNote(Bench.Engine, Texts, &MainWindow)) {}

    QSlider* Slider() const { return MainWindow.findChild<QSlider*>("TrackBarNote"); }
    QCheckBox* ExamBox() const { return MainWindow.findChild<QCheckBox*>("CheckBoxTonExamen"); }
    /// The tone table as it would be for a plain tone at hz.
    ToneTable PlainTone(double hz) const {
        ToneTable table;
        table.Rebuild(hz, Bench.Engine.ToneGain(), false);
        return table;
    }
    static bool SameTable(const ToneTable& a, const ToneTable& b) {
        for (int frame = 0; frame < a.Size(); ++frame) {
            if (a[frame] != b[frame]) {
                return false;
            }
        }
        return true;
    }

    test::DialogEngineBench Bench;
    LanguageTable Texts;
    QWidget MainWindow;
    TFormNote* Note;
};

TEST_F(TFormNoteTest, IsAHiddenToolWindowOfTheMainWindowWithItsDefaults) {
    ASSERT_NE(Slider(), nullptr);
    ASSERT_NE(ExamBox(), nullptr);
    EXPECT_TRUE(Note->isWindow());
    EXPECT_FALSE(Note->isVisible());
    EXPECT_FALSE(Note->isModal());
    EXPECT_EQ(Note->parentWidget(), &MainWindow);
    EXPECT_EQ(Note->windowTitle(), "KELVARO");
    EXPECT_EQ(Slider()->minimum(), 0);
    EXPECT_EQ(Slider()->maximum(), 140);
    EXPECT_EQ(Slider()->tickInterval(), 10);
    EXPECT_EQ(Note->NotePosition(), 70);
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 800.0);
}

TEST_F(TFormNoteTest, ScaleReadsFromTheHighestPitchAtTheTopToTheLowestAtTheBottom) {
    Note->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Note));
    const auto* top = Note->findChild<QLabel*>("LabelNoteTop");
    const auto* middle = Note->findChild<QLabel*>("LabelNoteMiddle");
    const auto* bottom = Note->findChild<QLabel*>("LabelNoteBottom");
    EXPECT_EQ(top->text(), "1500 Hz");
    EXPECT_EQ(middle->text(), "800 Hz");
    EXPECT_EQ(bottom->text(), "100 Hz");
    EXPECT_LT(top->y(), middle->y());
    EXPECT_LT(middle->y(), bottom->y());
    // A click near the top of the groove moves the slider towards position 0 (1500 Hz).
    QTest::mouseClick(Slider(), Qt::LeftButton, {}, QPoint(Slider()->width() / 2, 2));
    EXPECT_LT(Slider()->value(), 70);
    EXPECT_GT(Bench.Engine.NoteFrequency(), 800.0);
}

TEST_F(TFormNoteTest, UpKeyRaisesThePitchByTenHertz) {
    QTest::keyClick(Slider(), Qt::Key_Up);
    EXPECT_EQ(Slider()->value(), 69);
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 810.0);
}

struct PositionAndPitch {
    int Position;
    double Hz;
};

class TFormNotePitchTest : public TFormNoteTest, public ::testing::WithParamInterface<PositionAndPitch> {};

TEST_P(TFormNotePitchTest, SliderSetsPitchAndBaseAndRebuildsTheTone) {
    const PositionAndPitch expected = GetParam();
    // Start from the other end so that every position is a change.
    Slider()->setValue(expected.Position < 70 ? 140 : 0);
    const int rebuildsBefore = Bench.Engine.TableRebuildCount();
    Slider()->setValue(expected.Position);
    EXPECT_EQ(Bench.Engine.NoteFrequency(), expected.Hz);
    EXPECT_EQ(Bench.Engine.BaseFrequency(), expected.Hz);
    EXPECT_EQ(Bench.Engine.TableRebuildCount(), rebuildsBefore + 1);
    EXPECT_TRUE(SameTable(Bench.Engine.Tone(), PlainTone(expected.Hz)));
    EXPECT_EQ(Note->NotePosition(), expected.Position);
}

INSTANTIATE_TEST_SUITE_P(Positions, TFormNotePitchTest,
                         ::testing::Values(PositionAndPitch{0, 1500.0}, PositionAndPitch{1, 1490.0},
                                           PositionAndPitch{69, 810.0}, PositionAndPitch{70, 800.0},
                                           PositionAndPitch{71, 790.0}, PositionAndPitch{139, 110.0},
                                           PositionAndPitch{140, 100.0}));

TEST_F(TFormNoteTest, PositionAndPitchConvertBothWays) {
    EXPECT_EQ(TFormNote::HzToPosition(800.0), 70);
    EXPECT_EQ(TFormNote::HzToPosition(1500.0), 0);
    EXPECT_EQ(TFormNote::HzToPosition(100.0), 140);
    EXPECT_EQ(TFormNote::HzToPosition(806.0), 69);
    EXPECT_EQ(TFormNote::HzToPosition(3000.0), 0);
    EXPECT_EQ(TFormNote::HzToPosition(20.0), 140);
    for (int position = 0; position <= TFormNote::kMaxPosition; ++position) {
        EXPECT_EQ(TFormNote::HzToPosition(TFormNote::PositionToHz(position)), position);
    }
}

TEST_F(TFormNoteTest, ExamToneKeepsTheSame830HzTableWhateverTheSlider) {
    ExamBox()->click();
    ASSERT_TRUE(Bench.Engine.ExamTone());
    Slider()->setValue(0);
    const ToneTable atTop = Bench.Engine.Tone();
    Slider()->setValue(140);
    EXPECT_TRUE(SameTable(Bench.Engine.Tone(), atTop));
    // The pitch still follows the slider, ready for when the box is unticked.
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 100.0);
    ToneTable exam;
    exam.Rebuild(1234.0, Bench.Engine.ToneGain(), true);
    EXPECT_TRUE(SameTable(Bench.Engine.Tone(), exam));
    EXPECT_FALSE(SameTable(Bench.Engine.Tone(), PlainTone(100.0)));
}

TEST_F(TFormNoteTest, UntickingTheExamToneGoesBackToTheSliderPitch) {
    Slider()->setValue(50);
    ExamBox()->click();
    ExamBox()->click();
    EXPECT_FALSE(Bench.Engine.ExamTone());
    EXPECT_TRUE(SameTable(Bench.Engine.Tone(), PlainTone(1000.0)));
    EXPECT_EQ(Note->NotePosition(), 50);
}

TEST_F(TFormNoteTest, ExamToneSwitchRebuildsOnceWhenThePitchHasNotDrifted) {
    const int rebuildsBefore = Bench.Engine.TableRebuildCount();
    ExamBox()->click();
    EXPECT_EQ(Bench.Engine.TableRebuildCount(), rebuildsBefore + 1);
}

TEST_F(TFormNoteTest, ExamToneSwitchBringsADriftedPitchBackToTheSlider) {
    Slider()->setValue(60);
    double drifted = Bench.Engine.NoteFrequency();
    ASSERT_TRUE(Bench.Engine.Drift().Step(drifted));
    Bench.Engine.SnapshotBaseFrequency();  // as if drift had been switched on at 910 Hz
    ExamBox()->click();
    ExamBox()->click();
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 900.0);
    EXPECT_TRUE(SameTable(Bench.Engine.Tone(), PlainTone(900.0)));
}

TEST_F(TFormNoteTest, NotePositionCarriesTheExamToneAsMinusOne) {
    Note->ApplyNotePosition(-1);
    EXPECT_TRUE(ExamBox()->isChecked());
    EXPECT_TRUE(Bench.Engine.ExamTone());
    EXPECT_EQ(Note->NotePosition(), TFormNote::kExamTonePosition);
    Note->ApplyNotePosition(30);
    EXPECT_FALSE(ExamBox()->isChecked());
    EXPECT_FALSE(Bench.Engine.ExamTone());
    EXPECT_EQ(Note->NotePosition(), 30);
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 1200.0);
}

TEST_F(TFormNoteTest, OutOfRangePositionsAreClampedToTheSlider) {
    Note->ApplyNotePosition(500);
    EXPECT_EQ(Note->NotePosition(), 140);
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 100.0);
    Note->ApplyNotePosition(-2);
    EXPECT_EQ(Note->NotePosition(), 0);
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 1500.0);
}

TEST_F(TFormNoteTest, ApplyingTheCurrentPositionRebuildsNothing) {
    const int rebuildsBefore = Bench.Engine.TableRebuildCount();
    Note->ApplyNotePosition(70);
    EXPECT_EQ(Bench.Engine.TableRebuildCount(), rebuildsBefore);
}

TEST_F(TFormNoteTest, ExamCaptionFollowsTheLanguageEachTimeTheWindowIsShown) {
    Note->show();
    EXPECT_EQ(ExamBox()->text(), "Harmonic Tone");
    Note->hide();
    Texts.Select(Language::French);
    Note->show();
    EXPECT_EQ(ExamBox()->text(), "Variante Examen");
    Note->hide();
    Texts.Select(Language::German);
    Note->show();
    EXPECT_EQ(ExamBox()->text().toStdString(),
              LanguageTable::EntriesOf(Language::German).at("CheckBoxTonExamen.Caption"));
}

class TFormNoteWithDriftTest : public TFormNoteTest {
protected:
    TFormNoteWithDriftTest() : Drift(new TFormDrift(Bench.Engine, Texts, &MainWindow)) {
        Note->SetDriftDialog(Drift);
    }

    QSpinBox* FMax() const { return Drift->findChild<QSpinBox*>("UpDownFMax"); }
    QSpinBox* FMin() const { return Drift->findChild<QSpinBox*>("UpDownFMin"); }
    QString F0Text() const { return Drift->findChild<QLabel*>("LabelF0")->text(); }

    TFormDrift* Drift;
};

TEST_F(TFormNoteWithDriftTest, ShownDriftWindowShowsTheNewF0AndBoundsItsLimits) {
    Drift->show();
    Slider()->setValue(40);  // 1100 Hz
    EXPECT_EQ(F0Text(), "F0 = 1100 Hz");
    EXPECT_EQ(FMax()->minimum(), 1100);
    EXPECT_EQ(FMin()->maximum(), 1100);
    EXPECT_EQ(FMax()->value(), 1300);
    EXPECT_EQ(FMin()->value(), 300);
    EXPECT_EQ(Bench.Engine.Drift().MaxHz, 1300);
    EXPECT_EQ(Bench.Engine.Drift().MinHz, 300);
}

TEST_F(TFormNoteWithDriftTest, RisingF0PushesTheMaximumUpAndTheDriftTakesIt) {
    Drift->show();
    Slider()->setValue(10);  // 1400 Hz, above Fmax 1300
    EXPECT_EQ(FMax()->value(), 1400);
    EXPECT_EQ(Bench.Engine.Drift().MaxHz, 1400);
    EXPECT_EQ(Bench.Engine.Drift().MinHz, 300);
    // The maximum can no longer be stepped below F0.
    FMax()->stepDown();
    EXPECT_EQ(FMax()->value(), 1400);
}

TEST_F(TFormNoteWithDriftTest, FallingF0PushesTheMinimumDownAndTheDriftTakesIt) {
    Drift->show();
    Slider()->setValue(130);  // 200 Hz, below Fmin 300
    EXPECT_EQ(F0Text(), "F0 = 200 Hz");
    EXPECT_EQ(FMin()->value(), 200);
    EXPECT_EQ(Bench.Engine.Drift().MinHz, 200);
    EXPECT_EQ(FMax()->minimum(), 200);
    EXPECT_EQ(Bench.Engine.Drift().MaxHz, 1300);
}

TEST_F(TFormNoteWithDriftTest, HiddenDriftWindowIsLeftAlone) {
    Slider()->setValue(10);
    EXPECT_EQ(FMax()->value(), 1300);
    EXPECT_EQ(FMax()->minimum(), 800);
    EXPECT_EQ(Bench.Engine.Drift().MaxHz, 1300);
    // It shows the current F0 when it is next opened.
    Drift->show();
    EXPECT_EQ(F0Text(), "F0 = 1400 Hz");
}

TEST_F(TFormNoteTest, NoDriftWindowIsFine) {
    Note->SetDriftDialog(nullptr);
    Slider()->setValue(0);
    EXPECT_EQ(Bench.Engine.NoteFrequency(), 1500.0);
}

}  // namespace
}  // namespace kelvaro
