// Every text of the main window shows whole, in each mode with each side panel open, at the
// desktop's font size and with a font a quarter larger.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ClippedTexts.h"
#include "WindowFixture.h"
#include "ui/RandomFeature.h"

namespace kelvaro::test {
namespace {

struct SidePanel {
    const char* Name;
    const char* MenuItem;
    const char* CloseButton;
};

constexpr SidePanel kSidePanels[] = {
    {"PanelEspace", "EspacePlus", "BitBtnOKEspace"},
    {"PanelChoixRandom", "MenuChoixCaracteres", "ButtonCancelChoix"},
    {"PanelLocalLesson", "MenuLocallesson", "ButtonLocalLessonExit"},
    {"PanelLocalCharacters", "MenuLocalCharacters", "ButtonLocalCaractereExit"},
    {"PanelPort", "MenuPort", "ButtonClosePanelPort"},
    {"PanelLocalShortcut", "MenuLocalShortcuts", "ButtonShortcutExit"},
    {"PanelMsg", "MenuLocalMessages", "ButtonCloseMsg"},
    {"PanelCarteSon", "MenuSoundCard", "BitBtnOKCarteSon"},
};

struct Mode {
    const char* Name;
    /// The mode's radio button; none for typing into the text box.
    const char* Button;
};

constexpr Mode kModes[] = {{"typing", nullptr},
                           {"QCodes", "RadioButtonCodeQ"},
                           {"Abbreviations", "RadioButtonAbrev"},
                           {"Random", "RadioButtonRandom"},
                           {"Quiz", "RadioButtonQuiz"},
                           {"Monitoring", "RadioButtonMonitor"}};

// The quiz's mark button sits outside the window on purpose: only its accelerator reaches it.
const QStringList kOffStage = {"ButtonMark"};

// The window at 96 dots per inch, before anything asks for more room.
constexpr QSize kNominalSize(654, 500);
// The smallest desktop it must fit when it grows: 1920 x 1080 at 144 dots per inch.
constexpr QSize kSmallDesktop(1280, 720);

class WindowLayoutTest : public WindowFixture, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        DesktopFont = QApplication::font();
        QFont font = DesktopFont;
        font.setPointSizeF(DesktopFont.pointSizeF() * GetParam());
        QApplication::setFont(font);
    }
    void Open(std::vector<std::string> arguments = {}) {
        Create(std::move(arguments));
        Settle();
    }
    void TearDown() override {
        Form.reset();
        QApplication::setFont(DesktopFont);
    }
    static void Settle() {
        for (int round = 0; round < 3; ++round) {
            QApplication::sendPostedEvents();
            QApplication::processEvents();
        }
    }
    /// Every clipped text of the window in this state; with KELVARO_LAYOUT_SHOTS set, also a
    /// picture of the state in that folder.
    void ExpectWholeTexts(const QString& state) {
        Settle();
        if (const QString folder = qEnvironmentVariable("KELVARO_LAYOUT_SHOTS"); !folder.isEmpty()) {
            QDir().mkpath(folder);
            Form->grab().save(QString("%1/%2-%3.png").arg(folder, state).arg(GetParam()));
        }
        EXPECT_TRUE(Form->width() <= kSmallDesktop.width() && Form->height() <= kSmallDesktop.height())
            << state.toStdString() << " at " << Size(Form->size()).toStdString();
        const QStringList faults = ClippedTexts(Form.get(), kOffStage);
        EXPECT_TRUE(faults.isEmpty()) << state.toStdString() << " at " << Size(Form->size()).toStdString()
                                      << ":\n  " << faults.join("\n  ").toStdString();
    }
    static QString Size(const QSize& size) { return QString("%1x%2").arg(size.width()).arg(size.height()); }

    QFont DesktopFont;
};

TEST_P(WindowLayoutTest, EveryModeWithEverySidePanelShowsEveryTextWhole) {
    Open();
    for (const Mode& mode : kModes) {
        if (mode.Button != nullptr) {
            Find<QRadioButton>(mode.Button)->click();
        }
        ExpectWholeTexts(mode.Name);
        for (const SidePanel& side : kSidePanels) {
            const QString state = QString("%1-%2").arg(mode.Name, side.Name);
            Trigger(side.MenuItem);
            Settle();
            auto* panel = Find<QWidget>(side.Name);
            ASSERT_TRUE(panel->isVisible()) << state.toStdString();
            ExpectWholeTexts(state);
            Find<QPushButton>(side.CloseButton)->click();
            Settle();
            ASSERT_FALSE(panel->isVisible()) << state.toStdString();
        }
    }
}

// The instructor window with both of its red labels showing.
TEST_P(WindowLayoutTest, InstructorWindowShowsEveryTextWhole) {
    Open();
    Trigger("MenuInstructor");
    auto* dialog = Find<QWidget>("TFormInstructor");
    Find<QWidget>("LabelPassword")->setVisible(true);
    Find<QWidget>("LabelIncorrectPassword")->setVisible(true);
    Settle();
    const QStringList faults = ClippedTexts(dialog);
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n  ").toStdString();
    if (const QString folder = qEnvironmentVariable("KELVARO_LAYOUT_SHOTS"); !folder.isEmpty()) {
        dialog->grab().save(QString("%1/instructor-%2.png").arg(folder).arg(GetParam()));
    }
}

// The recording panel opens on a text to record; the information window is a window of its own.
TEST_P(WindowLayoutTest, RecordingPanelAndInformationWindowShowWhole) {
    Open();
    Box()->setPlainText("cq de f5abc");
    Find<QRadioButton>("RadioButtonStereo16")->click();
    Trigger("MenuSaveTextWave");
    ASSERT_TRUE(Find<QWidget>("PanelTextRecord")->isVisible());
    ExpectWholeTexts("record");
    Find<QPushButton>("BitBtnNoRecord")->click();
    Trigger("About1");
    auto* info = Find<QWidget>("FormInfo");
    Settle();
    if (const QString folder = qEnvironmentVariable("KELVARO_LAYOUT_SHOTS"); !folder.isEmpty()) {
        info->grab().save(QString("%1/info-%2.png").arg(folder).arg(GetParam()));
    }
    const QStringList faults = ClippedTexts(info);
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n  ").toStdString();
}

// The exam's phase captions are the longest texts of the Random pane.
TEST_P(WindowLayoutTest, ExamPhasesShowWhole) {
    const QString words = Folder.path() + "/words.txt";
    QFile list(words);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("abc\r\ndefg\r\n");
    list.close();
    Open({"/F"});  // the exam belongs to the French interface
    Form->findChild<RandomFeature*>()->ChooseWordList = [words] { return words; };
    Find<QRadioButton>("RadioButtonRandom")->click();
    Trigger("menuExamen");
    ExpectWholeTexts("exam");
    Find<QPushButton>("BitBtnPlayRandom")->click();
    ExpectWholeTexts("exam-warm-up");
    Device.CompleteAll();
    Find<QPushButton>("BitBtnIgnore")->click();
    ExpectWholeTexts("exam-groups");
    EXPECT_TRUE(Find<QLabel>("PanelExamen")->text().startsWith("Phase 2"));
    Device.CompleteAll();
    Find<QPushButton>("BitBtnCancel")->click();
}

TEST_P(WindowLayoutTest, WindowKeepsItsNominalSizeUntilSomethingNeedsMoreRoom) {
    Open();
    const QSize nominal = Form->size();
    if (GetParam() == 1.0) {
        EXPECT_EQ(nominal, kNominalSize);
    }
    Trigger("MenuPort");
    Settle();
    EXPECT_TRUE(Form->width() >= nominal.width() && Form->height() >= nominal.height());
    Find<QPushButton>("ButtonClosePanelPort")->click();
    Settle();
    EXPECT_EQ(Form->size(), nominal);
}

INSTANTIATE_TEST_SUITE_P(FontSizes, WindowLayoutTest, ::testing::Values(1.0, 1.25, 1.5),
                         [](const auto& info) {
                             return info.param == 1.0    ? std::string("DesktopFont")
                                    : info.param == 1.25 ? std::string("QuarterLargerFont")
                                                         : std::string("HalfLargerFont");
                         });

}  // namespace
}  // namespace kelvaro::test
