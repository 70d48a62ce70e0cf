// The Help menu: the user manual (F1) and the information window (F2).
#pragma once

#include <QObject>

#include "ui/FormFeature.h"

class QAction;

namespace kelvaro {

class TForm1;
class TFormHelp;
class TFormInfo;

class HelpFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    explicit HelpFeature(TForm1& form);

    void MenuHelpClick();
    void About1Click();

    TFormHelp& HelpWindow() { return *Help; }
    TFormInfo& InfoWindow() { return *Info; }

    // FormFeature
    void Retranslate(const LanguageTable& texts) override;

    QAction* MenuHelp = nullptr;
    QAction* About1 = nullptr;

private:
    TForm1& Form;
    TFormHelp* Help = nullptr;
    TFormInfo* Info = nullptr;
};

}  // namespace kelvaro
