#include "separators.h"

#include "charsetting.h"
#include "linksettings.h"
#include "ui_separators.h"

separators::separators(QWidget *parent, qint8 dlSep, qint8 upSep)
    : QDialog(parent), ui(new Ui_separators)
{
    ui->setupUi(this);
    // Filled before connecting, so the dialog opens with Ok enabled.
    ui->c_ds->setText(charText(dlSep));
    ui->c_us->setText(charText(upSep));
    connect(ui->c_ds, &QLineEdit::textChanged, this, &separators::handleChange);
    connect(ui->c_us, &QLineEdit::textChanged, this, &separators::handleChange);
}

separators::~separators()
{
    delete ui;
}

qint8 separators::downloadSeparator() const
{
    return firstByteOf(ui->c_ds->text());
}

qint8 separators::uploadSeparator() const
{
    return firstByteOf(ui->c_us->text());
}

void separators::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void separators::handleChange()
{
    enableOk(ui->buttonBox, !ui->c_ds->text().isEmpty() && !ui->c_us->text().isEmpty());
}
