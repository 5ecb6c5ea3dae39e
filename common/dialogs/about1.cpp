#include "about1.h"

#include "ui_about1.h"

about1::about1(QWidget *parent)
    : QDialog(parent), ui(new Ui_about1)
{
    ui->setupUi(this);
}

about1::~about1()
{
    delete ui;
}

void about1::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
