// The File mode through the real window: what a file sounds on the fake device, the highlight,
// masked text, Stop and Resume, the dialog's Cancel, bad files of every kind, the demo window,
// continuous replay and the delimiters kept in the settings file.
#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QToolButton>

#include "WindowFixture.h"
#include "app/SettingsWriter.h"
#include "ui/FileFeature.h"
#include "ui/TFormDemo.h"

namespace kelvaro::test {
namespace {

constexpr int kUnitFrames = 2083;  // 12 wpm
constexpr int kDashFrames = 6250;

class FileFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
        File().ChooseFile = [this] {
            ++DialogsOpened;
            if (BeforeAnswer) {
                BeforeAnswer();
            }
            return Answer;
        };
    }
    FileFeature& File() { return *Form->findChild<FileFeature*>(); }
    QPlainTextEdit* Edit() { return Find<QPlainTextEdit>("FileEdit"); }
    QPushButton* PlayFile() { return Find<QPushButton>("ButtonPlayFile"); }
    QPushButton* ResumeFile() { return Find<QPushButton>("ButtonContinueFile"); }
    QRadioButton* FileMode() { return Find<QRadioButton>("RadioButtonFile"); }
    QString WriteFile(const char* name, const QByteArray& bytes) {
        const QString path = Folder.path() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    /// Chooses the file through the "File" button and the dialog.
    void Choose(const QString& path) {
        Answer = path;
        FileMode()->click();
    }
    void SetDelimiters(const QString& start, const QString& end) {
        Trigger("MenuMaskedtext");
        Find<QLineEdit>("EditStartMaskedText")->setText(start);
        Find<QLineEdit>("EditEndMaskedText")->setText(end);
        Find<QPushButton>("ButtonMaskedTextOK")->click();
    }
    int SelectedLength() {
        const QTextCursor cursor = Edit()->textCursor();
        return cursor.selectionEnd() - cursor.selectionStart();
    }
    /// A character alone with the character gap after it (a blank: the word space).
    int FramesOf(char shown) {
        if (shown == ' ') {
            return Device.History.empty() ? 0 : TrailingGapUnits(true, Form->Speed(), {}) * kUnitFrames;
        }
        int frames = 0;
        for (const char element : Form->Table().Pattern(static_cast<std::uint8_t>(shown))) {
            frames += (element == '-' ? kDashFrames : kUnitFrames) + kUnitFrames;
        }
        return frames + 2 * kUnitFrames;
    }
    std::vector<int> ExpectedFrames(const std::string& sounded) {
        std::vector<int> frames;
        for (const char c : sounded) {
            frames.push_back(FramesOf(c));
        }
        return frames;
    }
    std::vector<int> FramesSince(std::size_t first) {
        const std::vector<int> all = CharacterFrames();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(first, all.size())), all.end()};
    }

    QString Answer;
    std::function<void()> BeforeAnswer;
    int DialogsOpened = 0;
};

TEST_F(FileFlowTest, MaskedTextIsSkippedWhileTheSelectionAdvancesOverEveryCharacter) {
    SetDelimiters("[", "]");
    Choose(WriteFile("masked.txt", "ab[cd]ef"));
    ASSERT_TRUE(File().FileLoaded());
    ASSERT_TRUE(PlayFile()->isEnabled());
    PlayFile()->click();
    EXPECT_TRUE(Edit()->isReadOnly());
    EXPECT_TRUE(Find<QWidget>("ButtonStop")->isVisible());
    EXPECT_FALSE(FileMode()->isEnabled());
    // The selection covers what has been taken: a, b, then [cd] and e at once, then f.
    std::vector<int> selected{SelectedLength()};
    while (Device.CompleteNext()) {
        if (File().FilePlaying()) {
            selected.push_back(SelectedLength());
        }
    }
    EXPECT_EQ(selected, (std::vector<int>{1, 2, 7, 8}));
    EXPECT_EQ(CharacterFrames(), ExpectedFrames("abef"));
    // Played to the end: the window is the user's again, the caret after the text.
    EXPECT_FALSE(File().FilePlaying());
    EXPECT_TRUE(PlayFile()->isVisible());
    EXPECT_TRUE(PlayFile()->isEnabled());
    EXPECT_FALSE(PlayFile()->isChecked());
    EXPECT_FALSE(ResumeFile()->isVisible());
    EXPECT_EQ(SelectedLength(), 0);
    EXPECT_EQ(Edit()->textCursor().position(), 8);
    EXPECT_FALSE(Edit()->isReadOnly());
    EXPECT_TRUE(FileMode()->isEnabled());
    EXPECT_TRUE(Box()->isEnabled());
    EXPECT_TRUE(Find<QWidget>("ButtonQuitter")->isVisible());
}

TEST_F(FileFlowTest, AStartDelimiterWithoutAnEndSkipsTheRestAndOnlyWhileAFilePlays) {
    SetDelimiters("[", "");
    EXPECT_TRUE(Find<QAction>("MenuMaskedtext")->isChecked());
    Choose(WriteFile("open.txt", "et[mies"));
    PlayFile()->click();
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames(), ExpectedFrames("et"));
    EXPECT_TRUE(PlayFile()->isEnabled());
    // Typed text is never masked.
    const std::size_t before = CharacterFrames().size();
    Type("e[t");
    Device.CompleteAll();
    EXPECT_EQ(FramesSince(before).size(), 2u);  // "[" has no Morse code of its own
    EXPECT_EQ(FramesSince(before), ExpectedFrames("et"));
}

TEST_F(FileFlowTest, ResumeContinuesWithTheNextUnsoundedCharacterAndPlayStartsAgain) {
    Choose(WriteFile("paris.txt", "paris"));
    PlayFile()->click();
    Device.CompleteNext();  // p done, a sounding
    Find<QPushButton>("ButtonStop")->click();
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames(), ExpectedFrames("pa"));
    EXPECT_FALSE(PlayFile()->isVisible());
    EXPECT_TRUE(ResumeFile()->isVisible());
    EXPECT_TRUE(ResumeFile()->isEnabled());
    EXPECT_TRUE(Edit()->isReadOnly());
    EXPECT_EQ(SelectedLength(), 2);
    EXPECT_TRUE(FileMode()->isEnabled());

    ResumeFile()->click();
    EXPECT_TRUE(ResumeFile()->isChecked());
    Device.CompleteAll();
    EXPECT_EQ(FramesSince(2), ExpectedFrames("ris"));
    EXPECT_TRUE(PlayFile()->isVisible());
    EXPECT_FALSE(ResumeFile()->isVisible());

    PlayFile()->click();
    Device.CompleteAll();
    EXPECT_EQ(FramesSince(5), ExpectedFrames("paris"));
}

TEST_F(FileFlowTest, AnotherFileClickReopensTheDialogAndCancelKeepsTheFileAndThePane) {
    // Nothing loaded yet: Cancel leaves the random pane with its mode checked.
    auto* randomMode = Find<QRadioButton>("RadioButtonRandom");
    randomMode->click();
    Choose(QString());
    ASSERT_EQ(DialogsOpened, 1);
    EXPECT_TRUE(Find<QWidget>("GroupBoxRandom")->isVisible());
    EXPECT_FALSE(Find<QWidget>("PanelFile")->isVisible());
    EXPECT_TRUE(randomMode->isChecked());
    EXPECT_FALSE(FileMode()->isChecked());
    EXPECT_FALSE(File().FileLoaded());

    Choose(WriteFile("first.txt", "first text"));
    ASSERT_EQ(DialogsOpened, 2);
    EXPECT_FALSE(FileMode()->isChecked());
    // Each later click opens the dialog again; Cancel keeps the loaded file, in its pane.
    for (const char* from : {"RadioButtonRandom", "RadioButtonQuiz"}) {
        SCOPED_TRACE(from);
        Find<QRadioButton>(from)->click();
        Choose(QString());
        EXPECT_TRUE(Find<QWidget>("PanelFile")->isVisible());
        EXPECT_FALSE(Find<QWidget>("GroupBoxRandom")->isVisible());
        EXPECT_EQ(Edit()->toPlainText(), "first text");
        EXPECT_EQ(File().FilePath(), (Folder.path() + "/first.txt").toStdString());
        EXPECT_FALSE(FileMode()->isChecked());
        EXPECT_TRUE(PlayFile()->isEnabled());
    }
    EXPECT_EQ(DialogsOpened, 4);
}

TEST_F(FileFlowTest, BadFilesAreRefusedWithAMessageAndTheLoadedFileStillPlays) {
    Choose(WriteFile("good.txt", "tee"));
    ASSERT_TRUE(File().FileLoaded());
    struct BadFile {
        const char* Name;
        std::function<QString()> Make;
        const char* Message;
    };
    const QString cantOpen = "Can't open the file !";
    std::vector<BadFile> cases = {
        {"directory", [this] { return Folder.path(); }, "Can't open the file !"},
        {"missing", [this] { return Folder.path() + "/none.txt"; }, "Can't open the file !"},
        {"binary",
         [this] {
             return WriteFile("data.bin", QByteArray("abc\0\x01\x02"
                                                     "def",
                                                     9));
         },
         "This file holds no text (binary data): it was not loaded."},
        {"empty", [this] { return WriteFile("empty.txt", ""); },
         "This file holds no text: it was not loaded."},
        {"blank", [this] { return WriteFile("blank.txt", " \r\n \r\n"); },
         "This file holds no text: it was not loaded."},
        {"50 MB",
         [this] {
             const QString path = WriteFile("huge.txt", "e");
             QFile(path).resize(50LL * 1024 * 1024);
             return path;
         },
         "This file is larger than 1 MB, too large for a practice text: it was not loaded."},
        {"deleted after choosing",
         [this] {
             const QString path = WriteFile("gone.txt", "gone");
             BeforeAnswer = [path] { QFile::remove(path); };
             return path;
         },
         "Can't open the file !"},
    };
    if (::geteuid() != 0) {  // root reads whatever the permissions say
        cases.push_back({"unreadable",
                         [this] {
                             const QString path = WriteFile("locked.txt", "locked");
                             ::chmod(QFile::encodeName(path).constData(), 0);
                             return path;
                         },
                         "Can't open the file !"});
    }
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.Name);
        BeforeAnswer = nullptr;
        const QString path = bad.Make();
        const std::size_t messages = Prompts.Messages.size();
        Choose(path);
        ASSERT_EQ(Prompts.Messages.size(), messages + 1);
        EXPECT_EQ(Prompts.Messages.back(), bad.Message);
        EXPECT_EQ(Edit()->toPlainText(), "tee");
        EXPECT_EQ(File().FilePath(), (Folder.path() + "/good.txt").toStdString());
        EXPECT_FALSE(FileMode()->isChecked());
        // The window is still usable: the loaded file plays.
        const std::size_t before = CharacterFrames().size();
        PlayFile()->click();
        Device.CompleteAll();
        EXPECT_EQ(FramesSince(before), ExpectedFrames("tee"));
    }
    (void)cantOpen;
}

TEST_F(FileFlowTest, EncodingsAreToldApartAndCharactersWithoutA8BitCodeAreShownNotPlayed) {
    // Windows-1252 (é as one byte, not valid UTF-8), then UTF-8 with its mark and an arrow.
    Choose(WriteFile("latin.txt", "\xE9t\xE9"));
    EXPECT_EQ(Edit()->toPlainText(), QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    Choose(WriteFile("utf8.txt",
                     "\xEF\xBB\xBF"
                     "t\xE2\x86\x92"
                     "e\nm"));
    EXPECT_EQ(Edit()->toPlainText(), QString::fromUtf8("t\xE2\x86\x92"
                                                       "e\nm"));
    PlayFile()->click();
    std::vector<int> selected{SelectedLength()};
    while (Device.CompleteNext()) {
        if (File().FilePlaying()) {
            selected.push_back(SelectedLength());
        }
    }
    // The arrow is stepped over with the e; the line break sounds as a word space.
    EXPECT_EQ(selected, (std::vector<int>{1, 3, 4, 5}));
    EXPECT_EQ(CharacterFrames(), ExpectedFrames("te m"));
}

TEST_F(FileFlowTest, RtfFilesShowTheirWords) {
    Choose(WriteFile("lesson.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 cq de\\par f5abc}"));
    EXPECT_EQ(Edit()->toPlainText(), "cq de\nf5abc");
}

TEST_F(FileFlowTest, TheFileDescriptionFollowsTheSpeed) {
    Choose(WriteFile("speed.txt", "speed"));
    auto* label = Find<QLabel>("LabelwordsFile");
    EXPECT_EQ(label->text(), "Spacing between characters=1 / Real speed (wpm) = 12.0");
    Find<QSpinBox>("UpDownVitesse")->setValue(20);
    EXPECT_EQ(label->text(), "Spacing between characters=1 / Real speed (wpm) = 20.0");
}

TEST_F(FileFlowTest, DemoWindowMirrorsThePlayedPartAndNeverShowsAHiddenText) {
    Choose(WriteFile("demo.txt", "demo text"));
    auto* demo = Form->findChild<TFormDemo*>("TFormDemo");
    ASSERT_NE(demo, nullptr);
    Find<QPushButton>("ButtonHideFile")->click();
    EXPECT_EQ(Find<QPushButton>("ButtonHideFile")->text(), "Show");
    Find<QToolButton>("SpeedButtonDemo")->click();
    EXPECT_FALSE(demo->isVisible());

    Find<QPushButton>("ButtonHideFile")->click();
    EXPECT_EQ(Find<QPushButton>("ButtonHideFile")->text(), "Hide");
    Find<QToolButton>("SpeedButtonDemo")->click();
    ASSERT_TRUE(demo->isVisible());
    EXPECT_EQ(demo->MemoDemo->toPlainText(), "demo text");
    EXPECT_GT(demo->MemoDemo->font().pointSizeF(), Edit()->font().pointSizeF());
    PlayFile()->click();
    Device.CompleteNext();
    Device.CompleteNext();
    EXPECT_EQ(demo->MemoDemo->textCursor().selectedText(), "dem");
    Device.CompleteAll();
    EXPECT_FALSE(demo->isVisible());  // hidden once the file has played to its end
}

TEST_F(FileFlowTest, InstructorLockKeepsTheTextBlackAndItsHideButtonDisabled) {
    Choose(WriteFile("exam.txt", "exam"));
    InstructorLimits limits;
    limits.MaskedFile = true;
    Form->ApplyInstructorLimits(limits);
    auto* hide = Find<QPushButton>("ButtonHideFile");
    EXPECT_FALSE(hide->isEnabled());
    EXPECT_EQ(hide->text(), "Show");
    EXPECT_TRUE(Edit()->styleSheet().contains("black"));
    Find<QToolButton>("SpeedButtonDemo")->click();
    EXPECT_FALSE(Form->findChild<TFormDemo*>("TFormDemo")->isVisible());
    Form->ApplyInstructorLimits({});
    EXPECT_TRUE(hide->isEnabled());
    EXPECT_EQ(hide->text(), "Hide");
    EXPECT_TRUE(Edit()->styleSheet().isEmpty());
}

TEST_F(FileFlowTest, AlwaysHideWhenPlayingBlacksTheTextAtEachStart) {
    Choose(WriteFile("hidden.txt", "ee"));
    Trigger("MenuCacherText");
    PlayFile()->click();
    EXPECT_EQ(Find<QPushButton>("ButtonHideFile")->text(), "Show");
    EXPECT_TRUE(Edit()->styleSheet().contains("selection-color: black"));
    Device.CompleteAll();
}

TEST_F(FileFlowTest, ContinuousReplayStartsTheFileAgainAfterTheStandby) {
    Choose(WriteFile("loop.txt", "ee"));
    Trigger("MenuStanby1s");
    PlayFile()->click();
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames(), ExpectedFrames("ee "));
    ASSERT_TRUE(Boucle().Enabled());
    EXPECT_TRUE(Find<QWidget>("ButtonStop")->isVisible());
    EXPECT_FALSE(PlayFile()->isEnabled());
    ASSERT_TRUE(Boucle().Tick());
    Device.CompleteAll();
    EXPECT_EQ(FramesSince(3), ExpectedFrames("ee "));
    // Stop in the standby gives the window back, Play File ready.
    Find<QPushButton>("ButtonStop")->click();
    EXPECT_FALSE(Boucle().Enabled());
    EXPECT_TRUE(PlayFile()->isEnabled());
    EXPECT_TRUE(Box()->isEnabled());
    EXPECT_TRUE(FileMode()->isEnabled());
    // The text box is the source again once it goes round.
    Type("t");
    Device.CompleteAll();
    Find<QPushButton>("ButtonReplayText")->click();
    Device.CompleteAll();
    ASSERT_TRUE(Boucle().Tick());
    EXPECT_EQ(Queue().substr(0, 1), "t");
    Find<QPushButton>("ButtonStop")->click();
    Device.CompleteAll();
}

TEST_F(FileFlowTest, OtherModesHoldTheFileButtonsWhileTheyPlay) {
    Choose(WriteFile("wait.txt", "wait"));
    ASSERT_TRUE(PlayFile()->isEnabled());
    Find<QRadioButton>("RadioButtonRandom")->click();
    Find<QSpinBox>("SpinEditRandomNumber")->setValue(250);
    Find<QPushButton>("BitBtnPlayRandom")->click();
    EXPECT_FALSE(PlayFile()->isEnabled());
    PlayFile()->click();  // even a click that reaches it starts nothing
    EXPECT_FALSE(File().FilePlaying());
    Find<QPushButton>("BitBtnStopRandom")->click();
    Device.CompleteAll();
    EXPECT_TRUE(PlayFile()->isEnabled());

    Type("e");
    Device.CompleteAll();
    Find<QPushButton>("ButtonReplayText")->click();
    EXPECT_FALSE(PlayFile()->isEnabled());
    Device.CompleteAll();
    EXPECT_TRUE(PlayFile()->isEnabled());
}

TEST_F(FileFlowTest, TheFilePaneSwitchesActOnlyWhileTheFilePlaysAndEscapeStopsIt) {
    Choose(WriteFile("noisy.txt", "eeee"));
    auto* noise = Find<QToolButton>("SpeedButtonNoiseFile");
    auto* qsb = Find<QToolButton>("SpeedButtonQSBFile");
    auto* drift = Find<QToolButton>("SpeedButtonDriftFile");
    noise->click();
    qsb->click();
    drift->click();
    EXPECT_FALSE(Form->ContextForCharacter().NoiseOn);  // nothing plays yet
    Type("e");
    Device.CompleteAll();
    EXPECT_EQ(Form->Engine().NoteFrequency(), 800.0);  // typed text never drifts
    PlayFile()->click();
    const CharacterContext playing = Form->ContextForCharacter();
    EXPECT_TRUE(playing.NoiseOn);
    EXPECT_TRUE(playing.QsbOn);
    EXPECT_TRUE(playing.DriftOn);
    EXPECT_EQ(Form->Engine().NoteFrequency(), 810.0);
    Device.CompleteNext();
    EXPECT_EQ(Form->Engine().NoteFrequency(), 820.0);
    // Escape in the file text stops the file as Stop does; the pitch comes back.
    Edit()->setFocus();
    QTest::keyClick(Edit(), Qt::Key_Escape);
    EXPECT_FALSE(File().FilePlaying());
    EXPECT_EQ(Form->Engine().NoteFrequency(), 800.0);
    EXPECT_FALSE(Form->ContextForCharacter().NoiseOn);
    EXPECT_TRUE(ResumeFile()->isVisible());
    EXPECT_FALSE(Terminated);
    Device.CompleteAll();
}

TEST_F(FileFlowTest, DelimitersMustDifferAndSurviveARestartInTheSettingsFile) {
    SetDelimiters("x", "X");
    ASSERT_FALSE(Prompts.Messages.empty());
    EXPECT_EQ(Prompts.Messages.back(), "Starting and ending characters must be different !");
    EXPECT_GE(Prompts.Beeps, 1);
    EXPECT_TRUE(Find<QWidget>("PanelMaskedText")->isVisible());
    Find<QLineEdit>("EditStartMaskedText")->setText("{");
    Find<QLineEdit>("EditEndMaskedText")->setText("}");
    Find<QPushButton>("ButtonMaskedTextOK")->click();
    EXPECT_FALSE(Find<QWidget>("PanelMaskedText")->isVisible());

    Form->MenuOutilsQuitClick();
    ASSERT_TRUE(Terminated);
    Form.reset();
    QFile saved(Folder.path() + "/kelvaro.dat");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains(QByteArray("\x02{}\r\n")));
    saved.close();

    Create();
    EXPECT_TRUE(Find<QAction>("MenuMaskedtext")->isChecked());
    Trigger("MenuMaskedtext");
    EXPECT_EQ(Find<QLineEdit>("EditStartMaskedText")->text(), "{");
    EXPECT_EQ(Find<QLineEdit>("EditEndMaskedText")->text(), "}");
    // Both fields empty: no masking, the menu item unchecked.
    Find<QLineEdit>("EditStartMaskedText")->clear();
    Find<QLineEdit>("EditEndMaskedText")->clear();
    Find<QPushButton>("ButtonMaskedTextOK")->click();
    EXPECT_FALSE(Find<QAction>("MenuMaskedtext")->isChecked());
    EXPECT_EQ(Form->CollectSettings().MaskStartChar, SettingsModel::kNoDelimiter);
    EXPECT_EQ(Form->CollectSettings().MaskEndChar, SettingsModel::kNoDelimiter);
}

TEST_F(FileFlowTest, AFileNamedOnTheCommandLineIsLoadedAtStart) {
    const QString path = WriteFile("start.txt", "start");
    Form.reset();
    Create({path.toStdString()});
    EXPECT_TRUE(Form->findChild<FileFeature*>()->FileLoaded());
    EXPECT_EQ(Edit()->toPlainText(), "start");
    EXPECT_TRUE(Find<QWidget>("PanelFile")->isVisible());
    Form.reset();
    Create({"s=20", (Folder.path() + "/absent.txt").toStdString()});
    EXPECT_EQ(Prompts.Messages.back(), "Can't open the file !");
}

TEST_F(FileFlowTest, TheFileModeRestoredAtStartAsksForTheFileOnceTheWindowShows) {
    ASSERT_TRUE(File().ChooseFile);
    Form->MenuOutilsQuitClick();
    Form.reset();
    SettingsModel stored;
    stored.LastChoice = 5;
    QFile settings(Folder.path() + "/kelvaro.dat");
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    const std::string bytes = WriteSettingsFile(stored);
    settings.write(bytes.data(), static_cast<qint64>(bytes.size()));
    settings.close();
    Create();
    EXPECT_TRUE(FileMode()->isChecked());
    const QString path = WriteFile("last.txt", "last");
    File().ChooseFile = [path] { return path; };
    QApplication::processEvents();
    EXPECT_TRUE(File().FileLoaded());
    EXPECT_EQ(Edit()->toPlainText(), "last");
}

}  // namespace
}  // namespace kelvaro::test
