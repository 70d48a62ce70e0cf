// The settings folder at start-up and at a signal's quit, through the real window: unusable
// files kept aside, leftovers removed, a lost window brought back, two windows on one folder,
// and a failed save at a signal's quit reported without a box.
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "WindowFixture.h"
#include "app/SettingsLock.h"
#include "app/SettingsWriter.h"

namespace kelvaro::test {
namespace {

namespace fs = std::filesystem;

/// A second window of its own, on fake devices, for the folder of the fixture's window.
struct OtherWindow {
    void Create(const std::string& settingsPath) {
        TForm1Services services;
        services.Output = &Device;
        services.CreateTimer = [] { return std::make_unique<ManualTimer>(); };
        services.Prompts = &Prompts;
        services.JoystickDevice.clear();
        services.SettingsPath = settingsPath;
        services.RandomSeed = 2;
        services.Terminate = [this] { Terminated = true; };
        services.CreateTransmitterDevices = [] {
            TransmitterDevices devices;
            devices.Lines = std::make_unique<RecordingLines>();
            devices.Port = std::make_unique<FakePortAccess>();
            devices.CwTimer = std::make_unique<LinuxOneShotTimer>();
            return devices;
        };
        Form = std::make_unique<TForm1>(std::move(services));
    }

    FakeWaveOut Device;
    FakePrompter Prompts;
    bool Terminated = false;
    std::unique_ptr<TForm1> Form;
};

class SettingsStartUpTest : public WindowFixture {
protected:
    fs::path FolderPath() const { return Folder.path().toStdString(); }
    fs::path SettingsFilePath() const { return FolderPath() / "kelvaro.dat"; }
    void Put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(SettingsStartUpTest, AWindowSavedOffEveryScreenComesBackAndWhereItReallyIsIsSaved) {
    for (const auto& [top, left] : {std::pair{-30000, -30000}, std::pair{99999, 99999}}) {
        SettingsModel stored;
        stored.WindowTop = top;
        stored.WindowLeft = left;
        Put(SettingsFilePath(), WriteSettingsFile(stored));
        Create();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // Wholly on the screen from the corner it was moved to (decorations come on top).
        EXPECT_TRUE(screen.contains(QRect(Form->pos(), Form->size()))) << Form->x() << "," << Form->y();
        const std::string saved =
            "WINPOS=" + std::to_string(Form->y()) + "," + std::to_string(Form->x()) + "\r\n";
        Form->MenuOutilsQuitClick();
        EXPECT_NE(Contents(SettingsFilePath()).find(saved), std::string::npos) << saved;
        Form.reset();
    }
}

TEST_F(SettingsStartUpTest, AnOversizedSettingsFileIsKeptAsBadWithOneMessageBeforeDefaultsAreSaved) {
    std::string large = WriteSettingsFile(SettingsModel{});
    large.resize(20 * 1024 * 1024, '#');
    Put(SettingsFilePath(), large);
    Put(FolderPath() / "kelvaro.dat.bad", "an earlier one");
    Create();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_TRUE(Prompts.Messages[0].startsWith("kelvaro.dat could not be used ("));
    EXPECT_TRUE(Prompts.Messages[0].contains("too large for a settings file"));
    EXPECT_TRUE(Prompts.Messages[0].contains("it was kept as kelvaro.dat.bad.1"));
    EXPECT_EQ(fs::file_size(FolderPath() / "kelvaro.dat.bad.1"), large.size());
    EXPECT_FALSE(fs::exists(SettingsFilePath()));

    Form->MenuOutilsQuitClick();
    EXPECT_EQ(Contents(SettingsFilePath()), WriteSettingsFile(SettingsModel{}));
    EXPECT_EQ(fs::file_size(FolderPath() / "kelvaro.dat.bad.1"), large.size());
    EXPECT_EQ(Contents(FolderPath() / "kelvaro.dat.bad"), "an earlier one");
    EXPECT_EQ(Prompts.Messages.size(), 1u);
}

TEST_F(SettingsStartUpTest, StartUpRemovesWhatKilledSavesLeftAndNothingElse) {
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    // No process ever gets the number 4194304 (the kernel hands out fewer): a writer that is gone.
    const std::vector<std::string> leftovers = {".kelvaro.dat.4194304.AbCd12", ".kelvaro.dat.Q1w2E3"};
    for (const std::string& name : leftovers) {
        Put(FolderPath() / name, "SPEED=12\r\nSPA");
        fs::last_write_time(FolderPath() / name, hourAgo);
    }
    Put(FolderPath() / "kelvaro.dat.keep", "mine");
    Create();
    for (const std::string& name : leftovers) {
        EXPECT_FALSE(fs::exists(FolderPath() / name)) << name;
    }
    EXPECT_TRUE(fs::exists(FolderPath() / "kelvaro.dat.keep"));
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(SettingsStartUpTest, ASecondWindowOnTheSameFolderIsToldAndMayGoOnWithoutSaving) {
    Create();
    OtherWindow second;
    second.Prompts.Answer = true;
    second.Create(SettingsFilePath().string());
    ASSERT_EQ(second.Prompts.Questions.size(), 1u);
    EXPECT_EQ(second.Prompts.Questions[0].toStdString(),
              "Kelvaro is already running with the settings in " + FolderPath().string() + " (process " +
                  std::to_string(::getpid()) + "). Go on without saving the settings?");
    EXPECT_FALSE(second.Form->StartDeclined());

    second.Form->findChild<QSpinBox*>("UpDownVitesse")->setValue(40);
    second.Form->MenuOutilsQuitClick();
    EXPECT_TRUE(second.Terminated);
    EXPECT_FALSE(fs::exists(SettingsFilePath()));
    EXPECT_TRUE(second.Prompts.Messages.empty());

    Find<QSpinBox>("UpDownVitesse")->setValue(22);
    Form->MenuOutilsQuitClick();
    EXPECT_NE(Contents(SettingsFilePath()).find("SPEED=22\r\n"), std::string::npos);
    EXPECT_TRUE(Prompts.Questions.empty());
}

TEST_F(SettingsStartUpTest, ASecondWindowDeclinedEndsAtOnceAndLeavesTheFirstItsLock) {
    Create();
    OtherWindow second;
    second.Prompts.Answer = false;
    second.Create(SettingsFilePath().string());
    EXPECT_TRUE(second.Form->StartDeclined());
    EXPECT_TRUE(second.Terminated);
    second.Form.reset();
    EXPECT_FALSE(fs::exists(SettingsFilePath()));

    // The first still holds the folder: a third is asked too.
    OtherWindow third;
    third.Prompts.Answer = false;
    third.Create(SettingsFilePath().string());
    EXPECT_EQ(third.Prompts.Questions.size(), 1u);
    third.Form.reset();

    // Once the first has quit, nobody is asked.
    Form->MenuOutilsQuitClick();
    Form.reset();
    OtherWindow fourth;
    fourth.Create(SettingsFilePath().string());
    EXPECT_TRUE(fourth.Prompts.Questions.empty());
}

TEST_F(SettingsStartUpTest, ASignalsQuitWithAFailedSaveNeverWaitsOnABoxAndTheNextStartSaysWhy) {
    // A folder in the file's place: the save fails whoever runs the program.
    fs::create_directory(SettingsFilePath());
    Create();
    ::testing::internal::CaptureStderr();
    Form->QuitOnSignal();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Terminated);
    EXPECT_TRUE(Prompts.Messages.empty());
    const std::string reason = "cannot write " + SettingsFilePath().string() + ": Is a directory";
    EXPECT_EQ(said, "kelvaro: the settings were not saved: " + reason + "\n");
    Form.reset();

    fs::remove(SettingsFilePath());
    Terminated = false;
    Create();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].toStdString(),
              "The settings were not saved when Kelvaro last ended: " + reason);
    Form->MenuOutilsQuitClick();
    EXPECT_TRUE(fs::is_regular_file(SettingsFilePath()));
    Form.reset();

    // Told once only.
    Prompts.Messages.clear();
    Create();
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(SettingsStartUpTest, ASignalWhileTheQuitBoxIsOpenEndsTheProgram) {
    fs::create_directory(SettingsFilePath());
    Create();
    Form->MenuOutilsQuitClick();
    ASSERT_EQ(Prompts.Messages.size(), 1u);  // the interactive quit's "Can't create kelvaro.dat !"
    EXPECT_EQ(Prompts.Messages[0], "Can't create kelvaro.dat !");
    Terminated = false;
    Form->QuitOnSignal();
    EXPECT_TRUE(Terminated);
    EXPECT_EQ(Prompts.Messages.size(), 1u);
}

}  // namespace
}  // namespace kelvaro::test
