#include "separators.h"

#include "linksettings.h"
#include "ui_separators.h"

separators::separators(QWidget *parent, qint8 dlSep, qint8 upSep)
    : charDialog(parent), ui(new Ui_separators)
{
    ui->setupUi(this);
    ui->c_ds->setText(charText(dlSep));
    ui->c_us->setText(charText(upSep));
    followEdits({ui->c_ds, ui->c_us}, ui->buttonBox);
}

separators::~separators()
{
    delete ui;
}

qint8 separators::downloadSeparator() const
{
    return editByte(0);
}

qint8 separators::uploadSeparator() const
{
    return editByte(1);
}

void separators::retranslate()
{
    ui->retranslateUi(this);
}
