// The manual (F1) and the information window (F2) through the real window.
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

#include "WindowFixture.h"
#include "ui/HelpFeature.h"
#include "ui/TFormHelp.h"
#include "ui/TFormInfo.h"
#include "ui/TLabelUrl.h"

namespace kelvaro::test {
namespace {

class HelpWindowsTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    HelpFeature& Help() { return *Form->findChild<HelpFeature*>(); }
};

TEST_F(HelpWindowsTest, F1ShowsTheManualOfTheLanguageOrTheEnglishOne) {
    EXPECT_EQ(Find<QAction>("MenuHelp")->shortcut(), QKeySequence(Qt::Key_F1));
    Trigger("MenuHelp");
    TFormHelp& window = Help().HelpWindow();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.ShownPage(), ":/help/en/index.html");
    EXPECT_EQ(window.windowTitle(), "Kelvaro user manual");
    const QString shown = window.Browser->toPlainText();
    for (const char* part :
         {"first lesson", "Random", "Quiz", "Play File", "Monitoring", "Instructor", "Tools > Port",
          "Record Textbox as Wave File", "Sound card", "Local characters"}) {
        EXPECT_TRUE(shown.contains(part)) << part;
    }
    // A language without its own manual gets the English one.
    EXPECT_EQ(TFormHelp::PageFor(Language::Polish), ":/help/en/index.html");
}

// Every link of the contents leads to a heading of the manual.
TEST_F(HelpWindowsTest, EveryContentsLinkHasItsSection) {
    QFile page(":/help/en/index.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    const QRegularExpression link("href=\"#([a-z]+)\"");
    int links = 0;
    for (auto match = link.globalMatch(html); match.hasNext(); ++links) {
        const QString id = match.next().captured(1);
        EXPECT_TRUE(html.contains("id=\"" + id + "\"")) << id.toStdString();
    }
    EXPECT_GE(links, 15);
}

TEST_F(HelpWindowsTest, F2ShowsTheInformationWindowWhoseLinkOpensWithTheDesktop) {
    EXPECT_EQ(Find<QAction>("About1")->shortcut(), QKeySequence(Qt::Key_F2));
    Trigger("About1");
    TFormInfo& info = Help().InfoWindow();
    ASSERT_TRUE(info.isVisible());
    EXPECT_EQ(info.windowTitle(), "Info");
    EXPECT_EQ(info.Label1->text(), "KELVARO 4.0");
    EXPECT_TRUE(info.LabelVersion->text().contains(KELVARO_TEST_VERSION));

    QList<QUrl> opened;
    int clicks = 0;
    info.LabelUrl->OnClick = [&] { ++clicks; };
    info.LabelUrl->Open = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    EXPECT_EQ(info.LabelUrl->text(), info.LabelUrl->Url());
    QTest::mouseClick(info.LabelUrl, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(info.LabelUrl->Url()));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(info.LabelUrl->cursor().shape(), Qt::PointingHandCursor);

    info.BitBtn1->click();
    EXPECT_FALSE(info.isVisible());
}

}  // namespace
}  // namespace kelvaro::test
