#include "setfix.h"

#include "ui_setfix.h"

setFix::setFix(QWidget *parent)
    : charDialog(parent), ui(new Ui_setFix)
{
    ui->setupUi(this);
    followEdits({ui->i_char}, ui->buttonBox);
}

setFix::~setFix()
{
    delete ui;
}

void setFix::retranslate()
{
    ui->retranslateUi(this);
}
