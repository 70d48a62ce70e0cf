// The six stored messages: their buttons under the text box and the panel that edits them.
#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "ui/ControlFreeze.h"
#include "ui/FormFeature.h"

class QAction;
class QDockWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kelvaro {

class TForm1;

/// A left click on a numbered button plays its message through the text box (a replay of
/// the box); a right click opens the panel. A click on a label of the panel plays the message
/// straight away. The panel docks beside the window and can be dragged out to float; while it
/// floats its title and close button are hidden (a double click on its grip docks it again).
class MessagesFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    static constexpr int kMessageCount = 6;

    explicit MessagesFeature(TForm1& form);

    /// number: 1 .. 6.
    void ButtonMsgXClick(int number);
    void StaticTextMsgXClick(int number);
    void EditMsgChange(int number);
    void MenuLocalMessagesClick();
    void ButtonCloseMsgClick();
    void PanelMsgStartDock(bool floating);

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    bool HandlePlaybackEnded() override;
    void OnStop() override;
    void OnPracticePlaying(bool playing) override;
    void Retranslate(const LanguageTable& texts) override;

    QLabel* LabelMsg = nullptr;
    std::array<QPushButton*, kMessageCount> ButtonMsg{};
    QDockWidget* PanelMsg = nullptr;
    QLabel* LabelPanelMsg = nullptr;
    QPushButton* ButtonCloseMsg = nullptr;
    std::array<QLabel*, kMessageCount> StaticTextMsg{};
    std::array<QLineEdit*, kMessageCount> EditMsg{};
    QAction* MenuLocalMessages = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildButtons();
    void BuildPanel();
    QString T(const char* entry) const;

    TForm1& Form;
    std::array<QString, kMessageCount> StoredMessages;
    ControlFreeze Frozen;
};

}  // namespace kelvaro
