// Records the text box or the random groups as a WAV file: the panel with the size to expect,
// the sampling rate and the format, then the file written offline.
#include "ui/RecordingFeature.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <cerrno>

#include "app/TextEncoding.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/RandomFeature.h"
#include "ui/TForm1.h"
#include "ui/TableText.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

std::string ToCodes(const QString& text) {
    return Utf8ToCp1252(text.toStdString()).value_or(std::string());
}

QAction* AddAfter(QMenu* menu, QAction* after, const char* name) {
    auto* action = new QAction(menu);
    action->setObjectName(name);
    const QList<QAction*> items = menu->actions();
    const auto at = items.indexOf(after);
    menu->insertAction(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, action);
    return action;
}

}  // namespace

RecordingFeature::RecordingFeature(TForm1& form, RandomFeature& random)
    : QFrame(form.centralWidget()), Form(form), Random(random) {
    setObjectName("PanelTextRecord");
    setFrameShape(QFrame::StyledPanel);
    auto label = [this](const char* name) {
        auto* created = new QLabel(this);
        created->setObjectName(name);
        created->setWordWrap(true);
        return created;
    };
    LabelTextRecord = label("LabelTextRecord");
    QFont bold = LabelTextRecord->font();
    bold.setBold(true);
    LabelTextRecord->setFont(bold);
    LabelTailleFichier = label("LabelTailleFichier");
    LabelValeurTailleFichier = label("LabelValeurTailleFichier");
    LabelValeurTailleFichier->setFont(bold);
    LabelValeurTailleFichier->setWordWrap(false);
    LabelTextRecordContinue = label("LabelTextRecordContinue");
    LabelSamplingFrequency = label("LabelSamplingFrequency");
    ComboBoxFrequence = new QComboBox(this);
    ComboBoxFrequence->setObjectName("ComboBoxFrequence");
    ComboBoxFrequence->setEditable(true);
    ComboBoxFrequence->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxFrequence->addItems({"11025", "22050"});
    ComboBoxFrequence->setCurrentIndex(1);

    GroupBoxTextRecord = new QGroupBox(this);
    GroupBoxTextRecord->setObjectName("GroupBoxTextRecord");
    auto* formats = new QVBoxLayout(GroupBoxTextRecord);
    auto radio = [&](const char* name) {
        auto* created = new QRadioButton(GroupBoxTextRecord);
        created->setObjectName(name);
        formats->addWidget(created);
        connect(created, &QRadioButton::clicked, this, [this] { FormatClick(); });
        return created;
    };
    RadioButtonMono8 = radio("RadioButtonMono8");
    RadioButtonMono16 = radio("RadioButtonMono16");
    RadioButtonStereo8 = radio("RadioButtonStereo8");
    RadioButtonStereo16 = radio("RadioButtonStereo16");
    RadioButtonMono8->setChecked(true);

    BitBtnYesRecord = new QPushButton(this);
    BitBtnYesRecord->setObjectName("BitBtnYesRecord");
    BitBtnNoRecord = new QPushButton(this);
    BitBtnNoRecord->setObjectName("BitBtnNoRecord");

    auto* layout = new QGridLayout(this);
    layout->addWidget(LabelTextRecord, 0, 0, 1, 2);
    layout->addWidget(LabelTailleFichier, 1, 0, 1, 2);
    layout->addWidget(LabelValeurTailleFichier, 2, 0, 1, 2);
    layout->addWidget(LabelTextRecordContinue, 3, 0, 1, 2);
    layout->addWidget(LabelSamplingFrequency, 4, 0);
    layout->addWidget(ComboBoxFrequence, 4, 1);
    layout->addWidget(GroupBoxTextRecord, 5, 0, 1, 2);
    layout->addWidget(BitBtnYesRecord, 6, 0);
    layout->addWidget(BitBtnNoRecord, 6, 1);
    layout->setRowStretch(7, 1);  // the controls stay together at the top of a tall panel
    Form.PlaceSidePanel(this);

    MenuSaveTextWave = AddAfter(Form.Menus().MenuTextreplay, nullptr, "MenuSaveTextWave");
    Form.Menus().MenuTextreplay->insertSeparator(MenuSaveTextWave);
    QMenu* tools = Form.Menus().MenuOutils;
    MenuRecordMemoRandom =
        AddAfter(tools, tools->findChild<QAction*>("SaveMemoRandom1"), "MenuRecordMemoRandom");

    ChooseSaveFile = [this] {
        QFileDialog dialog(&Form);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("wav");
        dialog.setNameFilter(T("msg.record-filter"));
        dialog.selectFile("Text1.wav");
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().front()
                   : QString();
    };

    connect(MenuSaveTextWave, &QAction::triggered, this, [this] { MenuSaveTextWaveClick(); });
    connect(MenuRecordMemoRandom, &QAction::triggered, this, [this] { MenuRecordMemoRandomClick(); });
    connect(ComboBoxFrequence, &QComboBox::activated, this, [this] { ComboBoxFrequenceChange(); });
    connect(ComboBoxFrequence->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { ComboBoxFrequenceChange(); });
    connect(BitBtnYesRecord, &QPushButton::clicked, this, [this] { BitBtnYesRecordClick(); });
    connect(BitBtnNoRecord, &QPushButton::clicked, this, [this] { BitBtnNoRecordClick(); });
    Form.RegisterSidePanel(this, [this] { BitBtnNoRecordClick(); });
    Form.RegisterFeature(this);
}

QString RecordingFeature::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

void RecordingFeature::MenuSaveTextWaveClick() {
    RecordSource = Source::TextBox;
    PreparePanel();
}

void RecordingFeature::MenuRecordMemoRandomClick() {
    RecordSource = Source::MemoRandom;
    PreparePanel();
}

bool RecordingFeature::SourceReady(bool randomRunning) {
    const bool playing = !Form.Engine().BufferIdle() || !Form.Engine().PlayQueue().empty();
    if (RecordSource == Source::TextBox) {
        if (Form.TextBox().Editcaractere->toPlainText().isEmpty()) {
            Form.Prompts().Warn(T("msg.nothing-to-record"));
            return false;
        }
    } else {
        if (randomRunning) {
            Form.Prompts().Warn(T("msg.stop-before-recording"));
            return false;
        }
        const auto* memo = Form.findChild<QPlainTextEdit*>("MemoRandom");
        if (memo == nullptr || memo->document()->firstBlock().text().isEmpty()) {
            Form.Prompts().Warn(T("msg.nothing-to-record-random"));
            return false;
        }
    }
    if (playing) {
        Form.Prompts().Warn(T("msg.stop-playing-before-recording"));
        return false;
    }
    return true;
}

std::string RecordingFeature::SourceCodes() const {
    if (RecordSource == Source::TextBox) {
        return ToCodes(Form.TextBox().Editcaractere->toPlainText());
    }
    const auto* memo = Form.findChild<QPlainTextEdit*>("MemoRandom");
    // Line breaks have no code: the lines follow each other without a space.
    return memo != nullptr ? ToCodes(memo->toPlainText()) : std::string();
}

void RecordingFeature::PreparePanel() {
    if (!SourceReady(Random.Series().Running())) {
        return;
    }
    Form.TextBox().Editcaractere->setReadOnly(true);
    ShowSize();
    if (isHidden()) {
        Form.OpenSidePanel(this);
        setVisible(true);
    }
}

void RecordingFeature::ShowSize() {
    const WavRecording recording(Form.Table(), Form.Speed(), Form.Engine().Tone(), Options);
    LabelValeurTailleFichier->setText(QString::fromStdString(GroupDigits(recording.DataSize(SourceCodes()))) +
                                      T("msg.record-bytes"));
}

void RecordingFeature::ComboBoxFrequenceChange() {
    if (!Options.SetSamplesPerSecond(ComboBoxFrequence->currentText().trimmed().toInt())) {
        ComboBoxFrequence->setEditText(QString::number(Options.SamplesPerSecond()));
    }
    if (!isHidden()) {
        ShowSize();
    }
}

void RecordingFeature::FormatClick() {
    Options.Channels = RadioButtonStereo8->isChecked() || RadioButtonStereo16->isChecked() ? 2 : 1;
    Options.Bits = RadioButtonMono16->isChecked() || RadioButtonStereo16->isChecked() ? 16 : 8;
    if (!isHidden()) {
        ShowSize();
    }
}

void RecordingFeature::BitBtnYesRecordClick() {
    if (!SourceReady(Random.Series().Running())) {
        EndRecording();
        return;
    }
    const QString name = ChooseSaveFile();
    if (name.isEmpty()) {
        EndRecording();
        return;
    }
    const QByteArray path = QFile::encodeName(name);
    // A file that exists but cannot be read is not ours to replace.
    if (const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC); fd >= 0) {
        ::close(fd);
    } else if (errno != ENOENT) {
        Form.Prompts().Warn("Err " + QString::number(errno) + " : " + T("msg.file-error"));
        EndRecording();
        return;
    }
    const WavRecording recording(Form.Table(), Form.Speed(), Form.Engine().Tone(), Options);
    // Written beside the target and renamed once complete: a full disk or a failed write never
    // leaves a half file under the chosen name.
    const Status status = recording.Record(SourceCodes(), path.toStdString());
    if (!status.Ok()) {
        Form.Prompts().Warn("Err " + QString::number(status.Code) + " : " + T("msg.write-error") + "\n" +
                            QString::fromStdString(status.Context));
    }
    EndRecording();
}

void RecordingFeature::BitBtnNoRecordClick() {
    EndRecording();
}

void RecordingFeature::EndRecording() {
    setVisible(false);
    TypingEdit* box = Form.TextBox().Editcaractere;
    box->setReadOnly(false);
    box->setFocus();
}

void RecordingFeature::Retranslate(const LanguageTable&) {
    MenuSaveTextWave->setText(T("MenuSaveTextWave.Caption"));
    MenuRecordMemoRandom->setText(T("MenuRecordMemoRandom.Caption"));
    LabelTextRecord->setText(T("LabelTextRecord.Caption"));
    LabelTailleFichier->setText(T("LabelTailleFichier.Caption"));
    LabelTextRecordContinue->setText(T("LabelTextRecordContinue.Caption"));
    LabelSamplingFrequency->setText(T("LabelSamplingFrequency.Caption"));
    GroupBoxTextRecord->setTitle(T("GroupBoxTextRecord.Caption"));
    RadioButtonMono8->setText(T("RadioButtonMono8.Caption"));
    RadioButtonMono16->setText(T("RadioButtonMono16.Caption"));
    RadioButtonStereo8->setText(T("RadioButtonStereo8.Caption"));
    RadioButtonStereo16->setText(T("RadioButtonStereo16.Caption"));
    BitBtnYesRecord->setText(T("BitBtnYesRecord.Caption"));
    BitBtnNoRecord->setText(T("BitBtnNoRecord.Caption"));
    if (!isHidden()) {
        ShowSize();
    }
}

}  // namespace kelvaro
