// The quiz mode: its pane, its menu items and timers, driving the quiz's bookkeeping.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "platform/WindowTimer.h"
#include "practice/QuizSession.h"
#include "ui/FormFeature.h"
#include "ui/QuizFace.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kelvaro {

class CharacterSetSource;
class QuizDelaySpinBox;
class TForm1;

/// One question after another, in the window thread, never blocking it:
///
///   OK --> question playing --(queue empty)--> TimerQuiz runs, neutral face
///                                                 |  tick, or a typed answer with
///                                                 |  "Shorten delay" after 500 ms
///                                                 v
///        next question <--- [resume wait 1-3 s] <-- verdict: face, mark, revise list
///        or, after the last one: information beep, TimerFinQuiz (500 ms), quiz Stop.
///
/// The waits run on window timers (single shots), so Stop can cut any of them short and
/// tests drive them tick by tick.
class QuizFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    /// sets may be null: the quiz then asks from the pool's current window.
    QuizFeature(TForm1& form, CharacterSetSource* sets);
    ~QuizFeature() override;

    void SetCharacterSets(CharacterSetSource* sets);
    bool IsQuizRunning() const { return Session.Running(); }
    const QuizSession& Report() const { return Session; }

    WindowTimer& TimerQuiz() { return *AnswerTimer; }
    WindowTimer& TimerFinQuiz() { return *EndTimer; }
    /// The 500 ms wait between a typed answer and its verdict ("Shorten delay").
    WindowTimer& EarlyVerdictTimer() { return *EarlyVerdict; }
    /// The wait after a wrong answer when a resume delay is chosen.
    WindowTimer& ResumeTimer() { return *ResumeWait; }
    /// Each judged answer: the character asked, the one answered (0: none), whether it was
    /// right, and the milliseconds from the question to the answer's key (-1: no answer).
    std::function<void(std::uint8_t, std::uint8_t, bool, int)> OnAnswerJudged;

    // Handlers, named after their control.
    void RadioButtonQuizClick();
    void ButtonQuizOKClick();
    void ButtonQuizStopClick();
    void TimerQuizTimer();
    void TimerFinQuizTimer();
    void EditReponseQuizChange();
    void UpDownDelayClick();
    void CheckBoxVitModClick();
    void SpinEditQuizNumberChange();
    void ButtonResetReportClick();
    void ButtonMarkClick();
    void EditMarkClick();
    void EditCaractersQuizClick();

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void FinishStartUp(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void AddToContext(CharacterContext& context) const override;
    bool HandlePlaybackEnded() override;
    void OnStop() override;
    /// A side panel stops a running quiz, and OK stays disabled while one is open.
    void OnSidePanelOpening(bool rewiresTransmitter) override;
    void OnSidePanelsChanged(bool anyOpen) override;
    /// A replay of the text box keeps the quiz from starting until it gives the window back.
    void OnTextReplay(bool running) override;
    void OnQuitRequested() override;
    void Retranslate(const LanguageTable& texts) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPane();
    void BuildMenus();
    void Connect();
    void ShowFace(QuizFace::Mood mood);
    void ContinueAfterVerdict();
    void SetOtherModesEnabled(bool enabled);
    void RestoreAfterEmptySet();
    void RefreshSetCaption();
    void SyncOptions();
    int ResumeDelaySeconds() const;
    QString T(const char* entry) const;

    TForm1& Form;
    CharacterSetSource* Sets = nullptr;
    QuizSession Session;
    std::unique_ptr<WindowTimer> AnswerTimer;
    std::unique_ptr<WindowTimer> EndTimer;
    /// The end timer stops the quiz: the last character's keying still runs out before PTT drops.
    bool EndingSeries = false;
    std::unique_ptr<WindowTimer> EarlyVerdict;
    std::unique_ptr<WindowTimer> ResumeWait;
    bool IgnoreNextAnswerChange = false;
    /// Runs from each question; AnswerMs is read at the answer's last key.
    QElapsedTimer SinceAsked;
    int AnswerMs = -1;
    bool MarkHidden = false;
    /// A side panel is open: OK waits for it to close.
    bool OkBlocked = false;

public:
    QRadioButton* RadioButtonQuiz = nullptr;
    QGroupBox* QuizGroupBox = nullptr;
    QLabel* LabelQuizNumber = nullptr;
    QSpinBox* SpinEditQuizNumber = nullptr;
    QLineEdit* EditCaractersQuiz = nullptr;
    QPushButton* ButtonQuizOK = nullptr;
    QPushButton* ButtonQuizStop = nullptr;
    QLabel* LabelDelay = nullptr;
    QuizDelaySpinBox* UpDownDelay = nullptr;
    QCheckBox* CheckBoxAbortDelay = nullptr;
    QCheckBox* CheckBoxVitMod = nullptr;
    QCheckBox* CheckBoxDelayAdjust = nullptr;
    QLineEdit* EditReponseQuiz = nullptr;
    QLineEdit* EditRandomQuiz = nullptr;
    QLabel* QuizLabel = nullptr;
    QLabel* Label10 = nullptr;
    QGroupBox* GroupBoxQuiz = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLineEdit* EditMark = nullptr;
    QLineEdit* EditRevise = nullptr;
    QuizFace* Visage0 = nullptr;
    QuizFace* VisageHa = nullptr;
    QuizFace* VisageHo = nullptr;
    QPushButton* ButtonResetReport = nullptr;
    QPushButton* ButtonMark = nullptr;

    QMenu* menuDivers = nullptr;
    QMenu* MenuQuizReprise = nullptr;
    QActionGroup* RepriseGroup = nullptr;
    std::vector<QAction*> MenuReprise;  // MenuReprise0s .. MenuReprise3s
    QAction* MenuQuizErreur = nullptr;
    QMenu* MenuDelai = nullptr;
    QAction* UpDelai = nullptr;
    QAction* DownDelai = nullptr;

private:
    std::vector<QRadioButton*> DisabledModes;
};

}  // namespace kelvaro
