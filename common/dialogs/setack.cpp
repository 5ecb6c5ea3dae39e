#include "setack.h"

#include "linksettings.h"
#include "ui_setack.h"

setAck::setAck(QWidget *parent, qint8 ack)
    : charDialog(parent), ui(new Ui_setAck)
{
    ui->setupUi(this);
    ui->i_char->setText(charText(ack));
    followEdits({ui->i_char}, ui->buttonBox);
}

setAck::~setAck()
{
    delete ui;
}

void setAck::retranslate()
{
    ui->retranslateUi(this);
}
