// Checking the copy of a random series: the student's copy (typed on the entry sheet when it is
// shown, else in the copy-check window) lined up against the series that was sent.
#pragma once

#include <QObject>

#include "practice/CopyAlignment.h"
#include "ui/FormFeature.h"

namespace kelvaro {

class CopyCheckPanel;
class EntrySheetFeature;
class ProgressFeature;
class RandomFeature;
class TForm1;

/// Check marks every error on the sent text, shows the score and stores the run in the
/// history. The box and the marks are cleared when a new series starts.
class CopyCheckFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    CopyCheckFeature(TForm1& form, RandomFeature& random, EntrySheetFeature& sheet,
                     ProgressFeature& progress);

    void SpeedButtonCopyCheckClick();
    /// Runs read to decide on the lesson advice.
    static constexpr int kAdviceRuns = 50;

    void ButtonCheckCopyClick();
    void ButtonNextLessonClick();
    const CopyCheck& LastCheck() const { return Last; }
    CopyCheckPanel& Panel() { return *Box; }

    // FormFeature
    void Retranslate(const LanguageTable& texts) override;

private:
    QString T(const char* entry) const;
    void ClearCopy();
    void OfferNextLesson();
    QString MarkedHtml(const QString& sent) const;

    TForm1& Form;
    RandomFeature& Random;
    EntrySheetFeature& Sheet;
    ProgressFeature& Progress;
    CopyCheckPanel* Box = nullptr;
    CopyCheck Last;
    bool Placed = false;
    /// The lesson the advice offers; 0: none.
    int NextLesson = 0;
};

}  // namespace kelvaro
