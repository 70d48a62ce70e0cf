// The File mode's pane: the file text, its path, Hide, Demo, the entry sheet and the
// impairment switches.
#include "ui/FilePane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/PathLabel.h"
#include "ui/SwitchButton.h"

namespace kelvaro {

FilePane::FilePane(QWidget* parent) : QGroupBox(parent) {
    setObjectName("PanelFile");
    auto named = [this]<class Widget>(Widget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    PanelPathFile = named(new PathLabel(this), "PanelPathFile");
    PanelPathFile->setFrameShape(QFrame::Panel);
    PanelPathFile->setFrameShadow(QFrame::Sunken);
    FileEdit = named(new QPlainTextEdit(this), "FileEdit");
    FileEdit->setUndoRedoEnabled(false);
    FileEdit->setPlainText("MemoFile");
    QFont text = FileEdit->font();
    text.setPointSizeF(text.pointSizeF() * 1.2);
    FileEdit->setFont(text);
    ButtonHideFile = named(new QPushButton(this), "ButtonHideFile");
    SpeedButtonDemo = named(new QToolButton(this), "SpeedButtonDemo");
    SpeedButtonDemo->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
    SpeedButtonSaisieFile = named(new QToolButton(this), "SpeedButtonSaisieFile");
    SpeedButtonSaisieFile->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SpeedButtonNoiseFile = new SwitchButton("SpeedButtonNoiseFile", this);
    SpeedButtonQSBFile = new SwitchButton("SpeedButtonQSBFile", this);
    SpeedButtonDriftFile = new SwitchButton("SpeedButtonDriftFile", this);
    LabelwordsFile = named(new QLabel(this), "LabelwordsFile");
    LabelwordsFile->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonHideFile);
    buttons->addWidget(SpeedButtonDemo);
    buttons->addWidget(SpeedButtonSaisieFile);
    buttons->addStretch(1);
    buttons->addWidget(SpeedButtonNoiseFile);
    buttons->addWidget(SpeedButtonQSBFile);
    buttons->addWidget(SpeedButtonDriftFile);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PanelPathFile);
    layout->addWidget(FileEdit, 1);
    layout->addWidget(LabelwordsFile);
    layout->addLayout(buttons);
}

}  // namespace kelvaro
