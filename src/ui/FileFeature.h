// The File practice mode: a text file played from its start or resumed where it stopped, its
// played part highlighted, masked stretches skipped, hidden or mirrored in the demo window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "practice/FilePlayback.h"
#include "ui/FormFeature.h"

class QAction;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kelvaro {

class EntrySheetFeature;
class FilePane;
class MaskedTextPanel;
class TForm1;
class TFormDemo;

/// Owns RadioButtonFile, the pane PanelFile, the Play File / Resume File buttons (one place in
/// the controls box), the masked-text panel, the Options > Text items and the demo window.
/// The file's characters go to the engine as one queue; the engine reports each one it takes,
/// which moves the highlight and drops masked text (see FilePlayback).
class FileFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    FileFeature(TForm1& form, EntrySheetFeature& sheet);

    void RadioButtonFileClick();
    /// Loads the file as the dialog's choice would; false (and a message) when it is refused,
    /// the text loaded before staying.
    bool LoadFile(const QString& path);
    void ButtonPlayFileClick();
    void ButtonContinueFileClick();
    void ButtonHideFileClick();
    void SpeedButtonDemoClick();
    void MenuMaskedtextClick();
    void ButtonMaskedTextOKClick();
    void ButtonMaskedTextCancelClick();

    bool FileLoaded() const { return Loaded; }
    bool FilePlaying() const { return Playing; }
    const FilePlayback& Playback() const { return Progress; }
    const std::string& FilePath() const { return Path; }

    /// The open dialog; tests put their own answer here. An empty name means Cancel.
    std::function<QString()> ChooseFile;

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void FinishStartUp(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void AddToContext(CharacterContext& context) const override;
    bool HandlePlaybackEnded() override;
    void OnStop() override;
    void OnTextReplay(bool running) override;
    void OnSpeedChanged() override { UpdateFileDescription(); }
    void OnCharacterTaken(std::uint8_t character, bool fromShortcut) override;
    bool IsMasked(std::uint8_t character) override;
    void ApplyInstructorLimits(const InstructorLimits& limits) override;
    void Retranslate(const LanguageTable& texts) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void ConnectControls();
    QString T(const char* entry) const;
    void PlayFromStart();
    void StartPlaying(std::string queue, QPushButton* held);
    void ShowStopped();
    void ShowFinished();
    void GiveWindowBack();
    void UpdateFileButtons();
    void SetModesEnabled(bool enabled);
    void UncheckRadio(QRadioButton* button);
    void SetTextHidden(bool hidden);
    void SelectPlayed();
    void UpdateFileDescription();
    void ReturnFocus();
    void FileEditChange();
    void FileEditSelectionChange();
    void DriftSwitchClick();
    void AddCommandLineFile();

    TForm1& Form;
    EntrySheetFeature& EntrySheet;
    FilePane* Pane = nullptr;
    QRadioButton* RadioButtonFile = nullptr;
    QPushButton* ButtonPlayFile = nullptr;
    QPushButton* ButtonContinueFile = nullptr;
    MaskedTextPanel* Masked = nullptr;
    TFormDemo* Demo = nullptr;
    QMenu* MenuText = nullptr;
    QAction* MenuMaskedtext = nullptr;
    QAction* MenuCacherText = nullptr;

    FilePlayback Progress;
    std::string Path;
    bool Loaded = false;
    bool Playing = false;
    /// The file ended with continuous replay on: it starts again when the standby ends.
    bool InStandby = false;
    /// A blank was added after the text for continuous replay.
    bool BlankAdded = false;
    bool TextHidden = false;
    bool HiddenByInstructor = false;
    /// The demo's copy of the text is behind the pane's (copied when the demo shows).
    bool DemoStale = true;
    /// Added to the pane's selection length in the demo window.
    int DemoOffset = 0;
    /// The mode button that was checked when "File" was pressed, checked again on Cancel.
    QPointer<QRadioButton> PreviousMode;
};

}  // namespace kelvaro
