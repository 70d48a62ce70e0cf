// The Random practice mode: generated groups, character sets, lessons, vocabulary, the exam.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "practice/CharacterSets.h"
#include "practice/LessonBook.h"
#include "practice/RandomSeries.h"
#include "ui/CharacterSetSource.h"
#include "ui/FormFeature.h"

class QAction;
class QRadioButton;
class QWidget;

namespace kelvaro {

class ChosenCharactersPanel;
class LocalLessonPanel;
class RandomMenu;
class RandomPane;
class TForm1;
class TFormPause;

/// Owns the pane GroupBoxRandom, the "Random characters" menu, the chosen-characters and
/// local-lesson panels and the exam's pause window. Each generated character is handed to the
/// engine alone; the engine's end of playback asks for the next one (see RandomSeries).
class RandomFeature final : public QObject, public FormFeature, public CharacterSetSource {
    Q_OBJECT
public:
    explicit RandomFeature(TForm1& form);

    // The mode and its pane.
    void ButtonChoixRandomClick();
    void BitBtnPlayRandomClick();
    void RadioButtonRandomClick();
    void BitBtnStopRandomClick(bool afterKeying = false);
    void ButtonHideClick();
    void ClearMemoRandomClick();
    void SaveMemoRandom1Click();
    void MenuQuickRandomClick();

    // Sets, word options and lessons.
    void SetCommandClick(RandomSource source);
    void MenuChoixCaracteresClick();
    void ButtonChoixCaractereOKClick();
    void ButtonCancelChoixClick();
    void ButtonChangeLessonClick();
    void ShowLessonPage(int page);
    void MenuFixedWordsClick(int length);
    void MenuRandomWordsClick();
    void MenuWordContentClick();
    void menuCallsignsClick();
    void MenuAddVClick();
    void UpdateRandomDescription();
    void MenuLocallessonClick();
    void ButtonLocalLessonEnterClick();
    void ButtonLocalLessonExitClick();
    void ButtonExamenTexteClick();

    RandomSource CheckedSource() const;
    const RandomSeries& Series() const { return Generator; }
    const LessonBook& Lessons() const { return Book; }
    const std::string& WordListFile() const { return WordListPath; }
    /// Chooses lesson `number` (1..60) as the set, as the chosen-characters panel's OK does.
    void ChooseLesson(int number);
    /// Makes `codes` the chosen set (duplicates weigh the draw) under its own caption.
    void UseCharacters(const std::string& codes, const QString& caption);
    /// What the pane shows of the latest series (the whole pane when it was cleared since).
    QString LatestSeriesText() const;

    /// The file dialogs; tests put their own answers here. An empty name means Cancel.
    std::function<QString()> ChooseWordList;
    std::function<QString()> ChooseSaveFile;

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void FinishStartUp(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void AddToContext(CharacterContext& context) const override;
    bool SilentRun() const override { return Generator.Silent() && Generator.Running(); }
    bool HandlePlaybackEnded() override;
    void OnStop() override;
    void OnSidePanelOpening(bool rewiresTransmitter) override;
    void OnTextReplay(bool running) override;
    void Retranslate(const LanguageTable& texts) override;
    void OnSpeedChanged() override { UpdateRandomDescription(); }
    void ApplyInstructorLimits(const InstructorLimits& limits) override;

    // CharacterSetSource
    QString ActiveSetCaption() const override { return SetCaption; }
    bool NeedsSetConfirmation() const override;
    void OpenChosenCharactersPanel(bool cancelAllowed) override;
    void ClearPlayArmed() override { PlayArmed = false; }
    void SetRandomOnlyCommandsEnabled(bool enabled) override;
    void SetOnActiveSetChanged(std::function<void()> onChanged) override {
        OnSetChanged = std::move(onChanged);
    }

private:
    void BuildMenus();
    void ConnectControls();
    QString T(const char* entry) const;
    bool RandomModeSelected() const;
    bool RandomGroupsPlaying() const;
    bool ExamAvailable() const;
    void CheckOnly(QAction* item);
    void ShowSetCaption(const QString& caption);
    void RestartCountIfRunning();
    void AppendToMemo(const QString& text);
    void NewLineIfNeeded();
    bool LoadWordList(const std::string& path);
    bool AskForWordList();
    void ApplyExamSettings();
    void SetExamCaption(const char* entry);
    void ResetExam();
    void StartExamFollowUp(ExamFollowUp followUp, bool silent);
    void RunExamPhase(ExamFollowUp followUp, bool silent);
    void ShowSidePanel(QWidget* panel);
    void NoCharactersToPlay();
    void EnableOtherModes(bool enabled);
    void SetMemoHidden(bool hidden);
    void CallsignsFollowLength();
    void NotifySetChanged();
    void DriftSwitchClick();
    std::string ChosenText() const;

    TForm1& Form;
    RandomSeries Generator;
    LessonBook Book;
    RandomPane* Pane = nullptr;
    QRadioButton* RadioButtonRandom = nullptr;
    RandomMenu* Menu = nullptr;
    ChosenCharactersPanel* Chosen = nullptr;
    LocalLessonPanel* LocalLesson = nullptr;
    TFormPause* Pause = nullptr;

    std::string WordListPath;
    int LessonPage = 1;
    QString SetCaption;
    std::function<void()> OnSetChanged;
    bool PlayArmed = false;
    bool MemoHidden = false;
    /// The instructor keeps the groups blacked out: Hide cannot show them.
    bool MaskLocked = false;
    bool AskNewWordList = false;
    /// Settings are being applied at start-up: no dialog opens.
    bool Restoring = false;
    std::uint8_t LastHanded = 0;
    /// Where the latest series starts in the pane's text.
    qsizetype SeriesStartOffset = 0;
    /// Remembered when the chosen-characters panel opens, for Cancel.
    QString RememberedText;
    int RememberedItem = -1;
    int RememberedPage = 1;
};

}  // namespace kelvaro
