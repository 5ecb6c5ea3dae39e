#include "setfix.h"

#include "charsetting.h"
#include "ui_setfix.h"

setFix::setFix(QWidget *parent)
    : QDialog(parent), ui(new Ui_setFix)
{
    ui->setupUi(this);
    connect(ui->i_char, &QLineEdit::textChanged, this, &setFix::handleChange);
}

setFix::~setFix()
{
    delete ui;
}

qint8 setFix::character() const
{
    return firstByteOf(ui->i_char->text());
}

void setFix::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void setFix::handleChange(const QString &text)
{
    enableOk(ui->buttonBox, !text.isEmpty());
}
