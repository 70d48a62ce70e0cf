// The main window: owns every subsystem and coordinates what crosses its panes.
#include "ui/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/SettingsLock.h"
#include "app/WindowPlacement.h"
#include "platform/WaveOutFactory.h"
#include "ui/ControlsPane.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/SpacingPanel.h"
#include "ui/TFormDrift.h"
#include "ui/TFormNoise.h"
#include "ui/TFormNote.h"
#include "ui/TFormQSB.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

// The window is 654 x 500 at the design resolution of 96 dots per inch and grows with the
// screen's text scaling.
constexpr int kDesignWidth = 654;
constexpr int kDesignHeight = 500;
constexpr double kDesignDpi = 96.0;

}  // namespace

TForm1::TForm1(TForm1Services services)
    : Services(std::move(services)), Random(Services.RandomSeed), LocalCodes(Codes, Characters) {
    Timer1 = Services.CreateTimer();
    Boucle = Services.CreateTimer();
    Boucle->SetOnTimer([this] { TimerBoucleTimer(); });
    Player = std::make_unique<PlayEngine>(*Services.Output, *Timer1, Random, Codes, SpeedState, *this);

    BuildWindow();
    // Every hint of the window and its small windows passes here, whoever set it, and so does
    // the showing and hiding of the side panels, from the first one restored at start-up.
    qApp->installEventFilter(this);
    CreateFeatures();
    ConnectControls();
    ReadAndApplySettings();
    HandleCommandLine();
    ApplyTexts();
    RefreshRealSpeed();
    OpenSoundOutput();
    FirstShow = true;
    CreateDialogs();
    ApplyHeldDialogValues();
}

TForm1::~TForm1() {
    // A window closed without the quit paths (a test, a crash handler) still leaves the
    // device stopped.
    if (!Released) {
        Quitting = true;
        Player->CloseOutput();
    }
}

QString TForm1::T(const char* entry) const {
    return QString::fromStdString(Language.Text(entry));
}

void TForm1::BuildWindow() {
    setObjectName("TForm1");
    auto* central = new QWidget(this);
    central->setObjectName("Panel2");
    setCentralWidget(central);

    Menu = new MainMenu(menuBar());
    Text = new TextPane(central);
    Controls = new ControlsPane(central);
    Spacing = new SpacingPanel(central);

    auto* lower = new QHBoxLayout;
    lower->addWidget(Controls, 1);
    lower->addWidget(Spacing);
    auto* left = new QVBoxLayout;
    left->addWidget(Text, 1);
    left->addLayout(lower);

    // The right-hand side: the practice modes' buttons and the pane of the selected mode. It
    // stays out of the window until a mode is there.
    RightColumn = new QWidget(central);
    RightColumn->setObjectName("PanelModes");
    ModeButtons = new QGroupBox(RightColumn);
    ModeButtons->setObjectName("GroupBoxChoix");
    new QGridLayout(ModeButtons);
    ModeArea = new QVBoxLayout(RightColumn);
    ModeArea->setContentsMargins(0, 0, 0, 0);
    ModeArea->addWidget(ModeButtons);
    ModeArea->addStretch(0);  // takes the room while no mode's pane is shown
    RightColumn->setVisible(false);

    // Side panels share the text box's cell and lie over it while they are open.
    Columns = new QGridLayout(central);
    Columns->addLayout(left, 0, 0);
    Columns->addWidget(RightColumn, 0, 1);
    Columns->setColumnStretch(0, 1);
    Columns->setColumnStretch(1, 1);

    const double scale = QGuiApplication::primaryScreen() != nullptr
                             ? QGuiApplication::primaryScreen()->logicalDotsPerInch() / kDesignDpi
                             : 1.0;
    NominalSize = QSize(static_cast<int>(std::lround(kDesignWidth * scale)),
                        static_cast<int>(std::lround(kDesignHeight * scale)));
    setFixedSize(NominalSize);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void TForm1::PlaceSidePanel(QWidget* panel) {
    panel->setParent(centralWidget());
    panel->setAutoFillBackground(true);
    Columns->addWidget(panel, 0, 0);
    panel->setVisible(false);
}

// The window keeps its design size while that holds everything it shows, and otherwise
// grows to what its widgets need (a longer translation, a larger desktop font, a side panel),
// so that no text is ever cut. The user cannot resize it.
void TForm1::FitToContents() {
    QWidget* central = centralWidget();
    if (central == nullptr || central->layout() == nullptr) {
        return;
    }
    const QSize least = minimumSizeHint();
    const int width = std::max(NominalSize.width(), least.width());
    const int chrome = least.height() - central->minimumSizeHint().height();
    int height = std::max(NominalSize.height(), least.height());
    if (central->layout()->hasHeightForWidth()) {
        // Wrapped texts need more lines when the window is narrow.
        height = std::max(height, chrome + central->layout()->totalMinimumHeightForWidth(width));
    }
    if (size() == QSize(width, height)) {
        return;
    }
    const QRect before = frameGeometry();
    const QSize growth = QSize(width, height) - size();
    setFixedSize(width, height);
    // A window that grows past the edge of the screen moves back onto it.
    if (isVisible() && screen() != nullptr) {
        const QRect free = screen()->availableGeometry();
        const QRect frame(before.topLeft(), before.size() + growth);
        const int left = std::max(free.left(), std::min(frame.left(), free.right() + 1 - frame.width()));
        const int top = std::max(free.top(), std::min(frame.top(), free.bottom() + 1 - frame.height()));
        if (left != frame.left() || top != frame.top()) {
            move(left, top);
        }
    }
}

bool TForm1::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::LayoutRequest) {
        FitToContents();
    }
    return handled;
}

void TForm1::ConnectControls() {
    TypingEdit* box = Text->Editcaractere;
    box->OnKeyPress = [this](QKeyEvent* event) { return EditcaractereKeyPress(event); };
    connect(box, &QPlainTextEdit::textChanged, this, [this] { EditcaractereChange(); });
    connect(Text->ButtonReplayText, &QPushButton::clicked, this, [this] { ButtonReplayTextClick(); });
    connect(Text->SpeedButtonRAZtext, &QToolButton::clicked, this, [this] { SpeedButtonRAZtextClick(); });
    connect(Text->ButtonStop, &QPushButton::pressed, this, [this] { ButtonStopClick(); });
    connect(Text->ButtonQuitter, &QPushButton::clicked, this, [this] { ButtonQuitterClick(); });
    connect(Text->Button1, &QPushButton::clicked, this, [this] { StartClick(); });

    connect(Controls->UpDownVitesse, &QSpinBox::valueChanged, this, [this] { UpDownVitesseClick(); });
    connect(Controls->UpDownAmplitude, &QSpinBox::valueChanged, this, [this] { UpDownAmplitudeClick(); });
    connect(Spacing->SpinEditEspace, &QSpinBox::valueChanged, this, [this] { SpinEditEspaceChange(); });
    connect(Spacing->BitBtnOKEspace, &QPushButton::clicked, this, [this] { BitBtnOKEspaceClick(); });
    RegisterSidePanel(Spacing, [this] { BitBtnOKEspaceClick(); });

    for (const kelvaro::Language language : kAllLanguages) {
        connect(Menu->LanguageItem(language), &QAction::triggered, this,
                [this, language] { SelectLanguage(language); });
    }
    connect(Menu->MenuNoBoucle, &QAction::triggered, this, [this] { SetStandby(0); });
    connect(Menu->MenuStanby1s, &QAction::triggered, this, [this] { SetStandby(1000); });
    connect(Menu->MenuStandby10s, &QAction::triggered, this, [this] { SetStandby(10000); });
    connect(Menu->MenuStandby60s, &QAction::triggered, this, [this] { SetStandby(60000); });
    connect(Menu->menuStandby300s, &QAction::triggered, this, [this] { SetStandby(300000); });
    // The parent item only shows whether a standby is chosen: its shortcut cannot tick it.
    connect(Menu->MenuContinuous->menuAction(), &QAction::triggered, this,
            [this] { Menu->MenuContinuous->menuAction()->setChecked(StandbyMs > 0); });
    connect(Menu->UpSpeed, &QAction::triggered, this, [this] {
        if (SpeedState.SpeedWpm() < kMaxSpeedWpm) {
            Controls->UpDownVitesse->setValue(SpeedState.SpeedWpm() + 1);
        }
    });
    connect(Menu->DownSpeed, &QAction::triggered, this, [this] {
        if (SpeedState.SpeedWpm() > kMinSpeedWpm) {
            Controls->UpDownVitesse->setValue(SpeedState.SpeedWpm() - 1);
        }
    });
    const std::array<std::pair<QAction*, int>, 3> weights = {
        std::pair{Menu->Poids31, 3}, {Menu->Poids41, 4}, {Menu->Poids51, 5}};
    for (auto [item, ratio] : weights) {
        connect(item, &QAction::triggered, this, [this, item, ratio] {
            item->setChecked(true);
            SpeedState.SetWeightRatio(ratio);
        });
    }
    for (int factor = 1; factor <= 4; ++factor) {
        QAction* item = Menu->MenuEspaceMotItems[static_cast<std::size_t>(factor - 1)];
        connect(item, &QAction::triggered, this, [this, item, factor] {
            item->setChecked(true);
            SpeedState.SetWordSpaceFactor(factor);
            RefreshRealSpeed();
        });
    }
    connect(Menu->EspacePlus, &QAction::triggered, this, [this] { EspacePlusClick(); });
    connect(Menu->UpVolume, &QAction::triggered, this, [this] {
        if (Controls->UpDownAmplitude->value() < PlayEngine::kMaxLevelDb) {
            Controls->UpDownAmplitude->setValue(Controls->UpDownAmplitude->value() + 3);
        }
    });
    connect(Menu->DownVolume, &QAction::triggered, this, [this] {
        if (Controls->UpDownAmplitude->value() >= -14) {
            Controls->UpDownAmplitude->setValue(Controls->UpDownAmplitude->value() - 3);
        }
    });
    connect(Menu->MenuHideHints, &QAction::triggered, this, [this] { MenuHideHintsClick(); });
    connect(Menu->MenuOutilsQuit, &QAction::triggered, this, [this] { MenuOutilsQuitClick(); });
}

void TForm1::CreateDialogs() {
    NoteDialog = new TFormNote(*Player, Language, this);
    NoiseDialog = new TFormNoise(*Player, Language, this);
    QsbDialog = new TFormQSB(*Player, Language, this);
    DriftDialog = new TFormDrift(*Player, Language, this);
    NoteDialog->SetDriftDialog(DriftDialog);
    DriftDialog->SetTitle(MainMenu::PlainCaption(Menu->MenuDriftSetting));
    connect(Menu->MenuNote, &QAction::triggered, NoteDialog, [this] {
        NoteDialog->show();
        NoteDialog->raise();
    });
    connect(Menu->MenuNoisesettings, &QAction::triggered, NoiseDialog, [this] {
        NoiseDialog->show();
        NoiseDialog->raise();
    });
    connect(Menu->MenuQSBsetting, &QAction::triggered, QsbDialog, [this] {
        QsbDialog->show();
        QsbDialog->raise();
    });
    connect(Menu->MenuDriftSetting, &QAction::triggered, DriftDialog, [this] {
        DriftDialog->show();
        DriftDialog->raise();
    });
}

// Every caption, menu caption and hint from the language table.
void TForm1::SelectLanguage(kelvaro::Language language) {
    if (language == Language.Current()) {
        Menu->LanguageItem(language)->setChecked(true);
        return;
    }
    Language.Select(language);
    ApplyTexts();
    NoteDialog->Retranslate();
    NoiseDialog->Retranslate();
    QsbDialog->Retranslate();
    DriftDialog->Retranslate();
    // Texts of another length: the window takes the size they need.
    FitToContents();
}

void TForm1::ApplyTexts() {
    Menu->LanguageItem(Language.Current())->setChecked(true);
    setWindowTitle(T("TForm1.Caption"));
    Menu->Retranslate(Language);
    ModeButtons->setTitle(T("GroupBoxChoix.Caption"));
    for (FormFeature* feature : Features) {
        feature->Retranslate(Language);
    }
    Text->ButtonReplayText->setText(ReplayResumeText.empty() ? T("msg.replay-text") : T("msg.resume-text"));
    Text->Editcaractere->setPlaceholderText(T("Editcaractere.Placeholder"));
    Text->ButtonStop->setText(T("ButtonStop.Caption"));
    Text->ButtonQuitter->setText(T("ButtonQuitter.Caption"));
    Text->Button1->setText(T("Button1.Caption"));
    Controls->setTitle(T("GroupBoxControls.Caption"));
    Controls->LabelVitesse->setText(T("LabelVitesse.Caption"));
    Controls->LabelAmplitude->setText(T("LabelAmplitude.Caption"));
    Controls->OnairBox->setTitle(T("OnairBox.Caption"));
    Spacing->LabelPanelEspace->setText(T("LabelPanelEspace.Caption"));
    Spacing->LabelNombreEspace->setText(T("LabelNombreEspace.Caption"));
    Spacing->BitBtnOKEspace->setText(T("BitBtnOKEspace.Caption"));
    if (DriftDialog != nullptr) {
        DriftDialog->SetTitle(MainMenu::PlainCaption(Menu->MenuDriftSetting));
    }
    ApplyHints();
    RefreshRealSpeed();
}

// Hints are tooltips. The texts are always in place; "Hide hints" keeps every one of them from
// showing (see eventFilter), including those set while the program runs.
void TForm1::ApplyHints() {
    const std::array<std::pair<QWidget*, const char*>, 8> hints = {{
        {Text->Editcaractere, "Editcaractere.Hint"},
        {Text->SpeedButtonRAZtext, "SpeedButtonRAZtext.Hint"},
        {Text->ButtonReplayText, "ButtonReplayText.Hint"},
        {Text->ButtonQuitter, "ButtonQuitter.Hint"},
        {Text->ButtonStop, "ButtonStop.Hint"},
        {Controls->UpDownAmplitude, "UpDownAmplitude.Hint"},
        {Controls->OnairBox, "OnairBox.Hint"},
        {Controls->EditAmplitude, "EditAmplitude.Hint"},
    }};
    for (auto [widget, entry] : hints) {
        widget->setToolTip(T(entry));
    }
    Controls->EditVitesse->setToolTip(T("EditVitesse.Hint"));
}

// The item's own check mark is the switch; a hint already showing goes at once.
void TForm1::MenuHideHintsClick() {
    if (Menu->MenuHideHints->isChecked()) {
        QToolTip::hideText();
    }
}

bool TForm1::IsInThisWindow(const QObject* object) const {
    for (; object != nullptr; object = object->parent()) {
        if (object == this) {
            return true;
        }
    }
    return false;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip:
            if (Menu->MenuHideHints->isChecked() && IsInThisWindow(watched)) {
                QToolTip::hideText();
                return true;
            }
            break;
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            if (std::any_of(SidePanels.begin(), SidePanels.end(),
                            [watched](const SidePanel& side) { return side.Panel == watched; })) {
                const bool anyOpen = AnySidePanelOpen();
                for (FormFeature* feature : Features) {
                    feature->OnSidePanelsChanged(anyOpen);
                }
            }
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::OpenSoundOutput() {
    const Status opened = Player->OpenOutput(SoundOutputDevice.value_or(Settings.OutputDeviceId));
    if (!opened.Ok()) {
        ShowDeviceError(opened);
    }
}

void TForm1::ReopenSoundOutput() {
    Player->CloseOutput();
    OpenSoundOutput();
}

std::unique_ptr<SoundDeviceList> TForm1::CreateSoundDevices() {
    return Services.CreateSoundDevices ? Services.CreateSoundDevices() : CreateSoundDeviceList();
}

void TForm1::ShowDeviceError(const Status& status) {
    const QString context =
        status.Context.empty() ? T("msg.cannot-open-sound-card") : QString::fromStdString(status.Context);
    Services.Prompts->Inform("Err " + QString::number(status.Code) + " : " + context);
}

// A saved position on no screen of this desktop (a screen unplugged, a hand-edited file) would
// keep the window out of sight on every start; x() and y() then save where it really is.
void TForm1::PlaceOnScreen() {
    std::vector<ScreenArea> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const QSize size = frameGeometry().size();
    const WindowCorner placed = PlaceOnNearestScreen({x(), y()}, size.width(), size.height(), screens);
    if (placed != WindowCorner{x(), y()}) {
        move(placed.Left, placed.Top);
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FirstShow) {
        FirstShow = false;
        Text->Editcaractere->setFocus();
    }
}

// Enter presses the default button (the quiz's OK) from any control that leaves the key to
// the window; Escape presses the quiz's Stop while it shows, else Stop or Quit.
void TForm1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        PressDefaultButton();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        if (CancelButton != nullptr && CancelButton->isVisible() && CancelButton->isEnabled()) {
            CancelButton->click();
        } else if (Text->ButtonStop->isVisible()) {
            ButtonStopClick();
        } else {
            ButtonQuitterClick();
        }
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TForm1::PressDefaultButton() {
    if (DefaultButton == nullptr || !DefaultButton->isVisible() || !DefaultButton->isEnabled()) {
        return false;
    }
    DefaultButton->click();
    return true;
}

}  // namespace kelvaro
