#include "setuc.h"

#include "charsetting.h"
#include "linksettings.h"
#include "ui_setuc.h"

setUC::setUC(QWidget *parent, qint8 upCmd)
    : QDialog(parent), ui(new Ui_setUC)
{
    ui->setupUi(this);
    // Filled before connecting, so the dialog opens with Ok enabled.
    ui->i_char->setText(charText(upCmd));
    connect(ui->i_char, &QLineEdit::textChanged, this, &setUC::handleChange);
}

setUC::~setUC()
{
    delete ui;
}

qint8 setUC::character() const
{
    return firstByteOf(ui->i_char->text());
}

void setUC::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void setUC::handleChange(const QString &text)
{
    enableOk(ui->buttonBox, !text.isEmpty());
}
