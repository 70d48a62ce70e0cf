// Message boxes and beeps of the desktop.
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace kelvaro {

void QtPrompter::Inform(const QString& text) {
    QMessageBox::information(Parent, Title, text);
}

void QtPrompter::Warn(const QString& text) {
    QMessageBox::warning(Parent, Title, text);
}

bool QtPrompter::AskYesNo(const QString& text) {
    return QMessageBox::question(Parent, Title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtPrompter::Beep() {
    QApplication::beep();
}

void QtPrompter::InformationBeep() {
    QApplication::beep();
}

}  // namespace kelvaro
