// The entry sheet: a blank page on which the student writes down what is heard.
#include "ui/TFormSaisie.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kelvaro {

TFormSaisie::TFormSaisie(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TFormSaisie");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    MemoSaisie = new QPlainTextEdit(this);
    MemoSaisie->setObjectName("MemoSaisie");
    MemoSaisie->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font("Courier");
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    MemoSaisie->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(MemoSaisie);
    resize(360, 260);
}

}  // namespace kelvaro
