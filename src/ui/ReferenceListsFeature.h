// The three reference lists as practice modes: the alphabet (with the local characters and
// the shortcuts), the Q codes and the abbreviations; a click on a row plays what it describes.
#pragma once

#include <QObject>
#include <array>
#include <string>

#include "ui/ControlFreeze.h"
#include "ui/FormFeature.h"

class QListWidget;
class QRadioButton;

namespace kelvaro {

class TForm1;

/// Each list is the pane of its mode. A left click, or Enter, on a row queues what the row
/// plays; a right click plays nothing. While a Q code or abbreviation plays, the other modes,
/// Replay Text and the file buttons wait for it.
class ReferenceListsFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    explicit ReferenceListsFeature(TForm1& form);

    void RadioButtonAlphabetClick();
    void RadioButtonCodeQClick();
    void RadioButtonAbrevClick();
    /// Plays the selected row of the list (a click or Enter on it).
    void PlaySelected(QListWidget* list);
    /// Rewrites the rows that change while the program runs: headings, local characters,
    /// shortcuts.
    void RebuildAlphabet();

    // FormFeature
    void FinishStartUp(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    bool HandlePlaybackEnded() override;
    void OnStop() override;
    void OnTextReplay(bool running) override;
    void OnSidePanelsChanged(bool anyOpen) override;
    void Retranslate(const LanguageTable& texts) override;
    bool HandleTextBoxKey(int key) override;

    QRadioButton* RadioButtonAlphabet = nullptr;
    QRadioButton* RadioButtonCodeQ = nullptr;
    QRadioButton* RadioButtonAbrev = nullptr;
    QListWidget* ListAlphabet = nullptr;
    QListWidget* ListCodeQ = nullptr;
    QListWidget* ListAbreviations = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* MakeList(const char* name, int rows);
    void SelectList(QListWidget* list);
    QListWidget* VisibleList() const;
    void SetRow(QListWidget* list, int row, const std::string& codes);
    void Play(const std::string& codes, bool freezeOthers, QRadioButton* own);

    TForm1& Form;
    ControlFreeze Frozen;
    std::array<QListWidget*, 3> Lists{};
    /// Where the lists take their mouse clicks.
    std::array<QObject*, 3> Viewports{};
};

}  // namespace kelvaro
