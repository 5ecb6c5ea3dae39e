#include "setuc.h"

#include "linksettings.h"
#include "ui_setuc.h"

setUC::setUC(QWidget *parent, qint8 upCmd)
    : charDialog(parent), ui(new Ui_setUC)
{
    ui->setupUi(this);
    ui->i_char->setText(charText(upCmd));
    followEdits({ui->i_char}, ui->buttonBox);
}

setUC::~setUC()
{
    delete ui;
}

void setUC::retranslate()
{
    ui->retranslateUi(this);
}
