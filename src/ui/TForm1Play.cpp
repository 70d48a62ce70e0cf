// The main window's play control: typing, replay and resume, delayed and continuous play,
// Clear and Stop, and the speed, spacing and level controls.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <utility>

#include "app/TextEncoding.h"
#include "ui/ControlsPane.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/SpacingPanel.h"
#include "ui/TForm1.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

// The character a key produces in the program's 8-bit codes; 0x7F (no Morse code, skipped by
// the engine) for what has none.
constexpr char kNoCode = '\x7f';

std::string ToCodes(const QString& text) {
    std::string codes;
    codes.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t codePoint : text.toUcs4()) {
        const auto code = CodePointToCp1252(codePoint);
        codes += code ? static_cast<char>(*code) : kNoCode;
    }
    return codes;
}

// Dead keys: composed letters must arrive as one character.
bool IsDeadKeyCharacter(char32_t codePoint) {
    return codePoint == 94 || codePoint == 168 || codePoint == 126 || codePoint == 96;
}

}  // namespace

std::string TForm1::TextBoxCodes() const {
    return ToCodes(Text->Editcaractere->toPlainText());
}

// Hand-over to the engine: every mode appends to the queue and clicks the hidden start button.
void TForm1::StartClick() {
    Player->StartClick();
}

bool TForm1::EditcaractereKeyPress(QKeyEvent* event) {
    TypingEdit* box = Text->Editcaractere;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // They belong to the reference lists, never to the box.
            for (FormFeature* feature : Features) {
                if (feature->HandleTextBoxKey(event->key())) {
                    break;
                }
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The box never takes a line break: the visible list plays, or the default button.
            for (FormFeature* feature : Features) {
                if (feature->HandleTextBoxKey(Qt::Key_Return)) {
                    return true;
                }
            }
            PressDefaultButton();
            return true;
        default:
            break;
    }
    if (box->isReadOnly() || ReplayActive) {
        return false;
    }
    if (event->key() == Qt::Key_Backspace) {
        if (!Player->PlayQueue().empty()) {
            Player->PlayQueue().pop_back();
        }
        return false;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    const auto codePoints = typed.toUcs4();
    if (codePoints.size() == 1 && IsDeadKeyCharacter(codePoints.front())) {
        return true;
    }
    std::string codes = ToCodes(typed);
    if (codes.size() == 1 && !Codes.HasPattern(static_cast<std::uint8_t>(codes.front()))) {
        if (auto text = ShortcutKeys.TextFor(static_cast<std::uint8_t>(codes.front()))) {
            codes = *text;
            TypedShortcutText = Cp1252ToUtf8(*text);
        }
    }
    Player->PlayQueue() += codes;
    if (Menu->MenuDelayedPlay->isChecked()) {
        // The text only gathers in the box, for a later Replay.
        Player->PlayQueue().clear();
        return false;
    }
    Text->ButtonReplayText->setEnabled(false);
    TypingPlay = true;
    PlayQueued();
    return false;
}

void TForm1::EditcaractereChange() {
    if (!TypedShortcutText.empty()) {
        // The box shows the shortcut's text in place of its key.
        const QString text = QString::fromStdString(TypedShortcutText);
        TypedShortcutText.clear();
        QTextCursor cursor = Text->Editcaractere->textCursor();
        cursor.deletePreviousChar();
        cursor.insertText(text);
        Text->Editcaractere->setTextCursor(cursor);
    }
    Text->ButtonReplayText->setEnabled(!Text->Editcaractere->IsEmpty());
    if (ReplayActive) {
        return;
    }
    ReplayResumeText.clear();
    Text->ButtonReplayText->setText(T("msg.replay-text"));
}

void TForm1::ButtonReplayTextClick() {
    QPushButton* button = Text->ButtonReplayText;
    TypingEdit* box = Text->Editcaractere;
    if (ReplayActive) {
        button->setChecked(true);
        return;
    }
    if (!Player->PlayQueue().empty()) {
        button->setChecked(false);
        return;
    }
    if (box->IsEmpty()) {
        button->setChecked(false);
        button->setEnabled(false);
        box->setFocus();
        return;
    }
    const std::string whole = TextBoxCodes();
    std::string toPlay;
    if (!ReplayResumeText.empty()) {
        ReplayProgress = static_cast<int>(whole.size() - std::min(whole.size(), ReplayResumeText.size()));
        box->SelectFirst(ReplayProgress);
        toPlay = ReplayResumeText;
        ReplayResumeText.clear();
    } else {
        box->MoveCaretToStart();
        ReplayProgress = 0;
        toPlay = whole;
    }
    if (Menu->MenuContinuous->menuAction()->isChecked()) {
        toPlay += ' ';
    }
    Player->PlayQueue() += toPlay;
    box->setReadOnly(true);
    SetTextReplay(true);
    ShowStopHideQuit(true);
    ReplayActive = true;
    ReplayStopped = false;
    Player->ResetShortcutCredit();
    button->setChecked(true);
    PlayQueued();
}

void TForm1::SpeedButtonRAZtextClick() {
    Text->Editcaractere->clear();
    if (TypingPlay || ReplayActive) {
        Player->PlayQueue().clear();
    }
}

void TForm1::SetStandby(int standbyMs) {
    StandbyMs = standbyMs;
    Menu->MenuContinuous->menuAction()->setChecked(standbyMs > 0);
    if (standbyMs == 0) {
        Menu->MenuNoBoucle->setChecked(true);
        Boucle->SetEnabled(false);
    } else {
        Boucle->SetIntervalMs(standbyMs);
    }
}

void TForm1::TimerBoucleTimer() {
    Boucle->SetEnabled(false);
    if (ContinuousRestart) {
        const std::function<void()> restart = std::exchange(ContinuousRestart, nullptr);
        restart();
        return;
    }
    Text->ButtonReplayText->click();
}

void TForm1::SetTextReplay(bool running) {
    for (FormFeature* feature : Features) {
        feature->OnTextReplay(running);
    }
    NotifyPracticePlaying(running);
}

void TForm1::ButtonStopClick() {
    if (CloseOpenSidePanel()) {
        return;
    }
    StopPlayback();
}

void TForm1::StopOnDeviceFailure() {
    StopPlayback();
}

void TForm1::StopPlayback(bool afterKeying) {
    Boucle->SetEnabled(false);
    ContinuousRestart = nullptr;
    Text->ButtonReplayText->setEnabled(!Text->Editcaractere->IsEmpty());
    Text->ButtonReplayText->setChecked(false);
    ShowStopHideQuit(false);
    Text->Editcaractere->setEnabled(true);

    if (ReplayActive) {
        ReplayStopped = true;
        // What is left of the replay, less the character still sounding, is kept for Resume.
        std::string remainder = Player->PlayQueue();
        if (!Player->BufferIdle() && !remainder.empty()) {
            remainder.erase(0, 1);
        }
        if (Menu->MenuContinuous->menuAction()->isChecked() && !remainder.empty() &&
            remainder.back() == ' ') {
            remainder.pop_back();  // the blank a continuous replay adds at the end of the box
        }
        ReplayResumeText = remainder;
        Text->ButtonReplayText->setText(ReplayResumeText.empty() ? T("msg.replay-text")
                                                                 : T("msg.resume-text"));
    } else {
        // Stopped in a continuous-replay standby: the box is the user's again.
        Text->Editcaractere->setReadOnly(false);
    }
    SetTextReplay(false);
    for (FormFeature* feature : Features) {
        feature->OnStop();
    }
    NotifyPracticePlaying(false);
    Player->PlayQueue().clear();
    TypingPlay = false;
    Player->RestoreDriftedTone();
    // The transmitter drops out at once; the character still sounding keys nothing more.
    // At the natural end of a series the last character is still to be heard and keyed.
    if (afterKeying) {
        PttOffAfterKeying();
    } else {
        PttOff();
    }
}

// The queue ran empty: a text-box replay closes or waits for its next round, else the mode
// that is playing carries on (next question, next group), else typing has caught up.
void TForm1::OnPlaybackEnded() {
    if (ReplayActive) {
        EndOfTextReplay();
        return;
    }
    for (FormFeature* feature : Features) {
        if (feature->HandlePlaybackEnded()) {
            return;
        }
    }
    EndOfTypingPlay();
}

void TForm1::EndOfTextReplay() {
    // A stopped replay never goes round again.
    if (Menu->MenuContinuous->menuAction()->isChecked() && ReplayResumeText.empty() && StandbyMs > 0 &&
        !ReplayStopped) {
        ReplayActive = false;
        ContinuousRestart = nullptr;  // the text box is what goes round
        Boucle->SetIntervalMs(StandbyMs);
        Boucle->SetEnabled(true);
        return;
    }
    ShowStopHideQuit(false);
    Text->ButtonReplayText->setChecked(false);
    TypingEdit* box = Text->Editcaractere;
    box->setEnabled(true);
    box->setReadOnly(false);
    ReplayActive = false;
    SetTextReplay(false);
    PttOffAfterKeying();
    if (!ReplayResumeText.empty()) {
        const int played = static_cast<int>(TextBoxCodes().size() -
                                            std::min(TextBoxCodes().size(), ReplayResumeText.size()));
        box->SelectFirst(played);
        Text->ButtonReplayText->setText(T("msg.resume-text"));
    } else {
        box->setFocus();
        box->MoveCaretToEnd();
        Text->ButtonReplayText->setText(T("msg.replay-text"));
    }
}

void TForm1::EndOfTypingPlay() {
    ShowStopHideQuit(false);
    PttOffAfterKeying();
}

void TForm1::OnCharacterTaken(std::uint8_t character, bool fromShortcut) {
    if (!ContextForCharacter().PaddleHeld) {
        ShowStopHideQuit(true);
    }
    if (ReplayActive && !fromShortcut) {
        ++ReplayProgress;
        Text->Editcaractere->SelectFirst(ReplayProgress);
    }
    for (FormFeature* feature : Features) {
        feature->OnCharacterTaken(character, fromShortcut);
    }
}

bool TForm1::IsMasked(std::uint8_t character) {
    for (FormFeature* feature : Features) {
        if (feature->IsMasked(character)) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> TForm1::ShortcutText(std::uint8_t character) {
    return ShortcutKeys.TextFor(character);
}

CharacterContext TForm1::ContextForCharacter() const {
    CharacterContext context;
    for (const FormFeature* feature : Features) {
        feature->AddToContext(context);
    }
    return context;
}

bool TForm1::SilentRun() const {
    for (const FormFeature* feature : Features) {
        if (feature->SilentRun()) {
            return true;
        }
    }
    return false;
}

void TForm1::ShowStopHideQuit(bool playing) {
    Text->ButtonStop->setVisible(playing);
    Text->ButtonQuitter->setVisible(!playing);
}

void TForm1::ReturnFocusToTextBox() {
    Text->Editcaractere->setFocus();
}

void TForm1::UpDownVitesseClick() {
    SpeedState.ApplySpeed(Controls->UpDownVitesse->value());
    if (Spacing->SpinEditEspace->value() != SpeedState.Spacing()) {
        const QSignalBlocker quiet(Spacing->SpinEditEspace);
        Spacing->SpinEditEspace->setValue(SpeedState.Spacing());
    }
    RefreshRealSpeed();
}

void TForm1::SpinEditEspaceChange() {
    if (!SpeedState.ApplySpacing(Spacing->SpinEditEspace->value())) {
        return;
    }
    if (Spacing->SpinEditEspace->value() != SpeedState.Spacing()) {
        const QSignalBlocker quiet(Spacing->SpinEditEspace);
        Spacing->SpinEditEspace->setValue(SpeedState.Spacing());
    }
    RefreshRealSpeed();
}

// "Real speed (wpm) = 12.0" under the speed, and as the speed's hint when the two differ.
void TForm1::RefreshRealSpeed() {
    const double realSpeed = SpeedState.RealSpeed();
    const QString text = T("msg.real-speed") + QString::number(realSpeed, 'f', 1);
    Controls->LabelVitesseCorrigee->setText(text);
    Controls->UpDownVitesse->setToolTip(static_cast<int>(realSpeed) != SpeedState.SpeedWpm() ? text
                                                                                             : QString());
    for (FormFeature* feature : Features) {
        feature->OnSpeedChanged();
    }
}

void TForm1::EspacePlusClick() {
    OpenSidePanel(Spacing);
    Spacing->SpinEditEspace->setValue(SpeedState.Spacing());
    Spacing->setVisible(true);
    Spacing->SpinEditEspace->setFocus();
}

void TForm1::BitBtnOKEspaceClick() {
    Spacing->setVisible(false);
    ReturnFocusToTextBox();
}

void TForm1::UpDownAmplitudeClick() {
    Player->UpDownAmplitudeClick(Controls->UpDownAmplitude->value());
}

}  // namespace kelvaro
