// The monitoring help: one line of advice on matching the decoder's speed to the sender.
#include "ui/TFormMonitorInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "ui/TableText.h"

namespace kelvaro {

TFormMonitorInfo::TFormMonitorInfo(const LanguageTable& texts, QWidget* mainWindow)
    : QFrame(mainWindow, Qt::Tool | Qt::FramelessWindowHint), Texts(texts), MainWindow(mainWindow) {
    setObjectName("TFormMonitorInfo");
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(colours);
    LabelMonitorInfo = new QLabel(this);
    LabelMonitorInfo->setObjectName("LabelMonitorInfo");
    QFont italic = LabelMonitorInfo->font();
    italic.setItalic(true);
    LabelMonitorInfo->setFont(italic);
    SpeedButtonFermer = new QToolButton(this);
    SpeedButtonFermer->setObjectName("SpeedButtonFermer");
    SpeedButtonFermer->setText("X");
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(LabelMonitorInfo, 1);
    layout->addWidget(SpeedButtonFermer, 0, Qt::AlignTop);
    connect(SpeedButtonFermer, &QToolButton::clicked, this, [this] { SpeedButtonFermerClick(); });
}

void TFormMonitorInfo::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormMonitorInfo.Caption"));
    LabelMonitorInfo->setText(TableText(Texts, "LabelMonitorInfo.Caption"));
    if (isVisible()) {
        adjustSize();
    }
}

void TFormMonitorInfo::ShowOver() {
    Retranslate();
    adjustSize();
    const QRect owner = MainWindow->frameGeometry();
    move(owner.center() - rect().center());
    show();
    raise();
}

void TFormMonitorInfo::SpeedButtonFermerClick() {
    hide();
}

}  // namespace kelvaro
