// Recording the text box or the random groups as a WAV file through the real window: the
// panel's size, the warnings, the file the real kelvaro-cli writes for the same text, and a
// write that fails half-way.
#include <sys/resource.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <csignal>

#include "WindowFixture.h"
#include "ui/RecordingFeature.h"

namespace kelvaro::test {
namespace {

class RecordingFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    RecordingFeature& Recorder() { return *Form->findChild<RecordingFeature*>(); }
    QWidget* Panel() { return Find<QWidget>("PanelTextRecord"); }
    QString SizeShown() { return Find<QLabel>("LabelValeurTailleFichier")->text(); }
    /// Puts text into the box without sounding it.
    void SetBoxText(const QString& text) { Box()->setPlainText(text); }
    QString Save(const char* name) {
        const QString path = Folder.path() + "/" + name;
        Recorder().ChooseSaveFile = [path] { return path; };
        return path;
    }
    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    /// The long practice text the byte-for-byte checks use (hundreds of characters).
    static QString LongText() {
        QString text;
        for (int i = 0; i < 12; ++i) {
            text += "cq cq de f5abc/p 599 paris = ? ., 73 ";
        }
        return text;
    }
};

TEST_F(RecordingFlowTest, PanelShowsTheExactSizeForEveryFormatAndRate) {
    SetBoxText("paris");
    Trigger("MenuSaveTextWave");
    ASSERT_TRUE(Panel()->isVisible());
    EXPECT_TRUE(Box()->isReadOnly());
    // 12 wpm: 10 dots of 2083, 4 dashes of 6250, 24 gaps of 2083 sample values.
    EXPECT_EQ(SizeShown(), "95 822  bytes");
    Find<QRadioButton>("RadioButtonStereo16")->click();
    EXPECT_EQ(SizeShown(), " 383 288  bytes");
    auto* rate = Find<QComboBox>("ComboBoxFrequence");
    rate->setCurrentIndex(rate->findText("11025"));
    emit rate->activated(rate->currentIndex());
    // At 11025: 1041 and 3125.
    EXPECT_EQ(SizeShown(), " 191 576  bytes");
    rate->setEditText("44100");
    emit rate->lineEdit()->editingFinished();
    EXPECT_EQ(rate->currentText(), "11025");
    EXPECT_EQ(Recorder().Format().SamplesPerSecond(), 11025);

    Find<QPushButton>("BitBtnNoRecord")->click();
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_FALSE(Box()->isReadOnly());
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(RecordingFlowTest, RefusesWhileEmptyOrPlayingAndQuitClosesThePanelFirst) {
    Trigger("MenuSaveTextWave");
    Trigger("MenuRecordMemoRandom");
    ASSERT_EQ(Prompts.Messages.size(), 2u);
    EXPECT_EQ(Prompts.Messages[0], "Nothing to record !");
    EXPECT_EQ(Prompts.Messages[1], "Nothing to record !");

    Type("e");  // sounds: the fake device keeps the buffer until the test completes it
    ASSERT_FALSE(Form->Engine().BufferIdle());
    Trigger("MenuSaveTextWave");
    ASSERT_EQ(Prompts.Messages.size(), 3u);
    EXPECT_EQ(Prompts.Messages[2], "Stop playing before recording !");
    EXPECT_FALSE(Panel()->isVisible());
    Device.CompleteAll();

    Trigger("MenuSaveTextWave");
    ASSERT_TRUE(Panel()->isVisible());
    Find<QPushButton>("ButtonQuitter")->click();  // closes the panel, asks nothing
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_FALSE(Box()->isReadOnly());
    EXPECT_TRUE(Prompts.Questions.empty());
    EXPECT_FALSE(Terminated);
}

// One renderer writes both: the window's file and kelvaro-cli's are the same bytes.
TEST_F(RecordingFlowTest, WindowAndCommandLineWriteTheSameBytes) {
    const QString text = LongText();
    struct Format {
        const char* Radio;
        const char* Rate;
        const char* Channels;
        const char* Bits;
    };
    for (const Format& format :
         {Format{"RadioButtonMono8", "22050", "1", "8"}, Format{"RadioButtonStereo16", "11025", "2", "16"},
          Format{"RadioButtonMono16", "11025", "1", "16"}}) {
        SetBoxText(text);
        Trigger("MenuSaveTextWave");
        Find<QRadioButton>(format.Radio)->click();
        auto* rate = Find<QComboBox>("ComboBoxFrequence");
        rate->setCurrentIndex(rate->findText(format.Rate));
        emit rate->activated(rate->currentIndex());
        const QString expectedSize = SizeShown();
        const QString windowFile = Save((std::string("window-") + format.Radio + ".wav").c_str());
        Find<QPushButton>("BitBtnYesRecord")->click();
        ASSERT_TRUE(Prompts.Messages.empty()) << Prompts.Messages[0].toStdString();
        EXPECT_FALSE(Panel()->isVisible());

        const QString cliFile = Folder.path() + "/cli.wav";
        QProcess cli;
        cli.start(KELVARO_CLI,
                  {"record", "--text", "-", "--wpm", "12", "--level", "-9", "--note", "800", "--rate",
                   format.Rate, "--channels", format.Channels, "--bits", format.Bits, "-o", cliFile});
        cli.write(text.toUtf8());
        cli.closeWriteChannel();
        ASSERT_TRUE(cli.waitForFinished(30000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

        const QByteArray fromWindow = ReadAll(windowFile);
        ASSERT_GT(fromWindow.size(), 100000);
        EXPECT_TRUE(fromWindow == ReadAll(cliFile)) << format.Radio;
        QString digits = expectedSize;
        digits.remove(' ').remove("bytes");
        EXPECT_EQ(fromWindow.size() - 44, digits.toLongLong()) << format.Radio;
    }
}

// A disk that fills up half-way: the write fails, the user is told, and nothing is left under
// the chosen name nor beside it. The file size limit makes the system refuse the write as a
// full disk would.
TEST_F(RecordingFlowTest, AFailedWriteLeavesNoFileAndSaysSo) {
    QString text;
    for (int i = 0; i < 10; ++i) {
        text += LongText();
    }
    SetBoxText(text);
    Trigger("MenuSaveTextWave");
    const QString target = Save("Text1.wav");

    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 256 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Find<QPushButton>("BitBtnYesRecord")->click();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_TRUE(Prompts.Messages[0].startsWith("Err 27 : Write error")) << Prompts.Messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));
    // Nothing of the recording is left beside the target: only the window's own files.
    QStringList left = QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    left.removeIf([](const QString& name) {
        return name == "kelvaro.dat.lock" || name.startsWith("kelvaro-history.db");
    });
    EXPECT_TRUE(left.isEmpty()) << left.join(",").toStdString();
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_FALSE(Box()->isReadOnly());
}

TEST_F(RecordingFlowTest, RecordsTheRandomGroupsLineAfterLine) {
    Find<QRadioButton>("RadioButtonRandom")->click();
    Find<QPlainTextEdit>("MemoRandom")->setPlainText("eeeee\nttttt");
    Trigger("MenuRecordMemoRandom");
    ASSERT_TRUE(Panel()->isVisible());
    // Five e: 4 x 2083 each; five t: 6250 + 3 x 2083 each; the line break adds nothing.
    EXPECT_EQ(SizeShown(), " 104 155  bytes");
    const QString target = Save("groups.wav");
    Find<QPushButton>("BitBtnYesRecord")->click();
    EXPECT_EQ(ReadAll(target).size(), 44 + 104155);
}

}  // namespace
}  // namespace kelvaro::test
