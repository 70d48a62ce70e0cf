// "Hide hints" through the real window: while it is ticked no hint shows, whoever set it and
// whenever; unticked, every hint shows again.
#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolTip>
#include <algorithm>

#include "WindowFixture.h"

namespace kelvaro::test {
namespace {

class HideHintsTest : public WindowFixture {
protected:
    /// What shows when the mouse rests on the widget.
    static QString HintShownBy(QWidget* widget) {
        const QPoint inside = widget->rect().center();
        QHelpEvent rest(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
        QApplication::sendEvent(widget, &rest);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    std::vector<QWidget*> ShownWidgetsWithHints() {
        std::vector<QWidget*> found;
        for (QWidget* widget : Form->findChildren<QWidget*>()) {
            if (widget->isVisible() && !widget->toolTip().isEmpty()) {
                found.push_back(widget);
            }
        }
        return found;
    }
    static bool Holds(const std::vector<QWidget*>& widgets, const char* name) {
        return std::any_of(widgets.begin(), widgets.end(),
                           [name](const QWidget* widget) { return widget->objectName() == name; });
    }
};

TEST_F(HideHintsTest, NoHintShowsWhileTickedAndEveryOneShowsAgainAfterwards) {
    Create();
    Find<QRadioButton>("RadioButtonQuiz")->click();
    // The speed's hint is set while the program runs: with a wider spacing the real speed differs.
    Trigger("EspacePlus");
    Find<QSpinBox>("SpinEditEspace")->setValue(3);
    Find<QPushButton>("BitBtnOKEspace")->click();
    QTRY_VERIFY(!QToolTip::isVisible());

    Trigger("MenuHideHints");
    const std::vector<QWidget*> hinted = ShownWidgetsWithHints();
    for (const char* name : {"Editcaractere", "ButtonQuitter", "ButtonQuizOK", "CheckBoxAbortDelay",
                             "UpDownDelay", "UpDownVitesse"}) {
        EXPECT_TRUE(Holds(hinted, name)) << name;
    }
    for (QWidget* widget : hinted) {
        EXPECT_EQ(HintShownBy(widget), QString()) << widget->objectName().toStdString();
    }

    Trigger("MenuHideHints");
    for (QWidget* widget : hinted) {
        EXPECT_EQ(HintShownBy(widget), widget->toolTip()) << widget->objectName().toStdString();
    }
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
}

}  // namespace
}  // namespace kelvaro::test
