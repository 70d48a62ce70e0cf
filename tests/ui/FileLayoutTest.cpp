// Every text of the File mode shows whole: the file pane loaded, playing and stopped, the
// masked-text panel open beside it, at the desktop's font size and larger.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "ClippedTexts.h"
#include "WindowFixture.h"
#include "ui/FileFeature.h"

namespace kelvaro::test {
namespace {

class FileLayoutTest : public WindowFixture, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        DesktopFont = QApplication::font();
        QFont font = DesktopFont;
        font.setPointSizeF(DesktopFont.pointSizeF() * GetParam());
        QApplication::setFont(font);
        Create();
    }
    void TearDown() override {
        Form.reset();
        QApplication::setFont(DesktopFont);
    }
    void ExpectWholeTexts(const char* state) {
        for (int round = 0; round < 3; ++round) {
            QApplication::sendPostedEvents();
            QApplication::processEvents();
        }
        EXPECT_TRUE(Form->width() <= 1280 && Form->height() <= 720) << state;
        const QStringList faults = ClippedTexts(Form.get(), {"ButtonMark"});
        EXPECT_TRUE(faults.isEmpty()) << state << ":\n  " << faults.join("\n  ").toStdString();
    }

    QFont DesktopFont;
};

TEST_P(FileLayoutTest, FilePaneAndMaskedTextPanelShowEveryTextWhole) {
    const QString path = Folder.path() + "/a-rather-long-name-for-a-lesson-file-of-the-club.txt";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("cq cq de f5abc\r\nqth paris\r\n");
    file.close();
    Form->findChild<FileFeature*>()->ChooseFile = [path] { return path; };
    Find<QRadioButton>("RadioButtonFile")->click();
    ExpectWholeTexts("loaded");
    Find<QPushButton>("ButtonPlayFile")->click();
    ExpectWholeTexts("playing");
    Trigger("MenuMaskedtext");
    ExpectWholeTexts("masked-text panel");
    Find<QPushButton>("ButtonMaskedTextCancel")->click();
    Find<QPushButton>("ButtonStop")->click();
    Device.CompleteAll();
    ASSERT_TRUE(Find<QPushButton>("ButtonContinueFile")->isVisible());
    ExpectWholeTexts("stopped");
}

INSTANTIATE_TEST_SUITE_P(FontSizes, FileLayoutTest, ::testing::Values(1.0, 1.25, 1.5), [](const auto& info) {
    return info.param == 1.0    ? std::string("DesktopFont")
           : info.param == 1.25 ? std::string("QuarterLargerFont")
                                : std::string("HalfLargerFont");
});

}  // namespace
}  // namespace kelvaro::test
