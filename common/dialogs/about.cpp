#include "about.h"

#include "ui_about.h"

about::about(const QString &linkText, const QString &aboutText, QWidget *parent)
    : QDialog(parent), ui(new Ui_about)
{
    ui->setupUi(this);
    ui->label_comp->setText(linkText);
    ui->label_wby->setText(aboutText);
}

about::~about()
{
    delete ui;
}

void about::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
