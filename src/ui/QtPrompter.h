// Message boxes and beeps of the desktop.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/Prompter.h"

namespace kelvaro {

class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QString title) : Title(std::move(title)) {}
    /// The window the boxes are centred on.
    void SetParent(QWidget* parent) { Parent = parent; }

    void Inform(const QString& text) override;
    void Warn(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    void Beep() override;
    void InformationBeep() override;

private:
    QString Title;
    QPointer<QWidget> Parent;
};

}  // namespace kelvaro
