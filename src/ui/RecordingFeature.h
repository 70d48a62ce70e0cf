// Records the text box or the random groups as a WAV file: the panel with the size to expect,
// the sampling rate and the format, then the file written offline.
#pragma once

#include <QFrame>
#include <functional>
#include <string>

#include "app/WavRecording.h"
#include "ui/FormFeature.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kelvaro {

class RandomFeature;
class TForm1;

/// Hidden -> prepared (panel shown, text box read-only) -> No (hidden) or Yes (file chosen,
/// written, hidden). Nothing sounds and the sound card is not used: the keyed tone is rendered
/// from the tone the engine keeps ready. The options last for the run.
class RecordingFeature final : public QFrame, public FormFeature {
    Q_OBJECT
public:
    enum class Source { TextBox, MemoRandom };

    RecordingFeature(TForm1& form, RandomFeature& random);

    void MenuSaveTextWaveClick();
    void MenuRecordMemoRandomClick();
    void ComboBoxFrequenceChange();
    void FormatClick();
    void BitBtnYesRecordClick();
    void BitBtnNoRecordClick();

    const RecordFormat& Format() const { return Options; }

    // FormFeature
    void Retranslate(const LanguageTable& texts) override;

    /// Asks for the file name (empty: cancelled). Tests answer it.
    std::function<QString()> ChooseSaveFile;

    QAction* MenuSaveTextWave = nullptr;
    QAction* MenuRecordMemoRandom = nullptr;
    QLabel* LabelTextRecord = nullptr;
    QLabel* LabelTailleFichier = nullptr;
    QLabel* LabelValeurTailleFichier = nullptr;
    QLabel* LabelTextRecordContinue = nullptr;
    QLabel* LabelSamplingFrequency = nullptr;
    QComboBox* ComboBoxFrequence = nullptr;
    QGroupBox* GroupBoxTextRecord = nullptr;
    QRadioButton* RadioButtonMono8 = nullptr;
    QRadioButton* RadioButtonMono16 = nullptr;
    QRadioButton* RadioButtonStereo8 = nullptr;
    QRadioButton* RadioButtonStereo16 = nullptr;
    QPushButton* BitBtnYesRecord = nullptr;
    QPushButton* BitBtnNoRecord = nullptr;

private:
    /// The source checks; false after the warning.
    bool SourceReady(bool randomStopShown);
    void PreparePanel();
    std::string SourceCodes() const;
    void ShowSize();
    void EndRecording();
    QString T(const char* entry) const;

    TForm1& Form;
    RandomFeature& Random;
    Source RecordSource = Source::TextBox;
    RecordFormat Options;
};

}  // namespace kelvaro
