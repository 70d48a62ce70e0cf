// The learner's progress as the main window keeps it: the history file, opened at start-up
// beside the settings, and the Tools menu's progress window.
#include "ui/ProgressFeature.h"

#include <QAction>
#include <QDateTime>
#include <QFileDialog>
#include <QMenu>
#include <utility>

#include <algorithm>

#include "app/ProgressStatistics.h"
#include "ui/MainMenu.h"
#include "ui/ProgressWindow.h"
#include "ui/Prompter.h"
#include "ui/QuizFeature.h"
#include "ui/RandomFeature.h"
#include "ui/TForm1.h"
#include "ui/TableText.h"

namespace kelvaro {

ProgressFeature::ProgressFeature(TForm1& form, RandomFeature& random)
    : QObject(&form), Form(form), Random(random) {
    MenuProgress = new QAction(this);
    MenuProgress->setObjectName("MenuProgress");
    MenuProgress->setShortcut(QKeySequence("Ctrl+Shift+F12"));
    // Above the separator before Quit.
    QMenu* tools = Form.Menus().MenuOutils;
    const QList<QAction*> items = tools->actions();
    const qsizetype quit = items.indexOf(Form.Menus().MenuOutilsQuit);
    tools->insertAction(
        quit > 0 && items[quit - 1]->isSeparator() ? items[quit - 1] : Form.Menus().MenuOutilsQuit,
        MenuProgress);
    connect(MenuProgress, &QAction::triggered, this, [this] { MenuProgressClick(); });
    MenuWeakCharacters = new QAction(this);
    MenuWeakCharacters->setObjectName("MenuWeakCharacters");
    if (auto* sets = Form.findChild<QMenu*>("Randomcaracters1")) {
        const QList<QAction*> items = sets->actions();
        const auto chosen = std::find_if(items.begin(), items.end(), [](const QAction* item) {
            return item->objectName() == "MenuChoixCaracteres";
        });
        sets->insertAction(chosen != items.end() && chosen + 1 != items.end() ? *(chosen + 1) : nullptr,
                           MenuWeakCharacters);
    }
    if (auto* quiz = Form.findChild<QuizFeature*>()) {
        quiz->OnAnswerJudged = [this](std::uint8_t asked, std::uint8_t answered, bool right, int answerMs) {
            HistoryRun run;
            run.TimeMs = QDateTime::currentMSecsSinceEpoch();
            run.Mode = "quiz";
            run.SpeedWpm = Form.Speed().SpeedWpm();
            run.Spacing = Form.Speed().Spacing();
            run.SetName = Random.ActiveSetCaption().trimmed().toStdString();
            run.Answers.push_back({asked, answered, right, answerMs});
            Record(std::move(run));
        };
    }
    connect(MenuWeakCharacters, &QAction::triggered, this, [this] { MenuWeakCharactersClick(); });
    Progress = new ProgressWindow(Form.Texts(), &Form);
    Progress->ChooseExportFile = [this] {
        return QFileDialog::getSaveFileName(Progress, QString(), T("msg.progress-export-name"),
                                            T("msg.progress-export-filter"));
    };
    Progress->Tell = [this](const QString& text) { Form.Prompts().Warn(text); };
    Form.RegisterFeature(this);
}

ProgressFeature::~ProgressFeature() = default;

QString ProgressFeature::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

void ProgressFeature::FinishStartUp(const SettingsModel&) {
    const std::string& settingsPath = Form.SettingsFilePath();
    if (settingsPath.empty()) {
        return;  // no settings folder: no history either
    }
    Store = std::make_unique<PracticeHistory>(std::filesystem::path(settingsPath).parent_path() /
                                              std::string(PracticeHistory::kFileName));
    const Status opened = Store->Open();
    if (opened.Code == PracticeHistory::CannotOpen) {
        // A folder that cannot be written is reported when the settings are saved; the history
        // says so itself when the first run would have been stored.
        Store.reset();
        Unopened = opened;
    } else if (!opened.Ok()) {
        ReportFailure(opened);
    }
}

void ProgressFeature::ReportFailure(const Status& status) {
    Store.reset();
    Form.Prompts().Warn(
        T("msg.history-off")
            .arg("Err " + QString::number(status.Code) + " : " + QString::fromStdString(status.Context)));
}

void ProgressFeature::Record(HistoryRun run) {
    if (!Unopened.Ok()) {
        ReportFailure(std::exchange(Unopened, Status::Success()));
    }
    if (PracticeHistory* history = History()) {
        const Status written = history->Add(run);
        if (!written.Ok()) {
            ReportFailure(written);
        }
    }
}

void ProgressFeature::MenuProgressClick() {
    Progress->Refresh(History());
    Progress->show();
    Progress->raise();
}

void ProgressFeature::MenuWeakCharactersClick() {
    PracticeHistory* history = History();
    const std::vector<CharacterStats> stats =
        history != nullptr ? ProgressStatistics::PerCharacter(history->LastRuns(kWeakRuns))
                           : std::vector<CharacterStats>{};
    std::string candidates;
    for (const CharacterStats& character : stats) {
        if (character.Character != ' ') {
            candidates += static_cast<char>(character.Character);
        }
    }
    if (candidates.empty()) {
        Form.Prompts().Inform(T("msg.weak-none"));
        return;
    }
    std::sort(candidates.begin(), candidates.end());
    Random.UseCharacters(ProgressStatistics::WeightedSet(
                             candidates, ProgressStatistics::WeakWeights(stats, candidates), kWeakSetSlots),
                         T("msg.weak-characters"));
}

void ProgressFeature::Retranslate(const LanguageTable&) {
    MenuProgress->setText(T("MenuProgress.Caption"));
    MenuWeakCharacters->setText(T("MenuWeakCharacters.Caption"));
    Progress->Retranslate();
}

}  // namespace kelvaro
