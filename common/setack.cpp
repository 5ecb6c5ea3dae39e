#include "setack.h"

#include "charsetting.h"
#include "linksettings.h"
#include "ui_setack.h"

setAck::setAck(QWidget *parent, qint8 ack)
    : QDialog(parent), ui(new Ui_setAck)
{
    ui->setupUi(this);
    // Filled before connecting, so the dialog opens with Ok enabled.
    ui->i_char->setText(charText(ack));
    connect(ui->i_char, &QLineEdit::textChanged, this, &setAck::handleChange);
}

setAck::~setAck()
{
    delete ui;
}

qint8 setAck::character() const
{
    return firstByteOf(ui->i_char->text());
}

void setAck::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void setAck::handleChange(const QString &text)
{
    enableOk(ui->buttonBox, !text.isEmpty());
}
