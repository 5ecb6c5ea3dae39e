#include "setcom.h"

#include "linksettings.h"
#include "seriallink.h"
#include "ui_setcom.h"

namespace {

const int probedPorts = 31;

// An entry that is not in the list leaves the current one as it is.
void selectText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
}

} // namespace

setcom::setcom(QWidget *parent)
    : QDialog(parent), ui(new Ui_setcom)
{
    ui->setupUi(this);
    listFreePorts();
}

setcom::setcom(const QString &port, int baud, QWidget *parent)
    : setcom(parent)
{
    preselect(port, baud);
}

setcom::~setcom()
{
    delete ui;
}

void setcom::setSettings(const linkSettings &settings)
{
    preselect(settings.port, settings.baud);
}

void setcom::preselect(const QString &port, int baud)
{
    selectText(ui->comboBox, port);
    selectText(ui->baudrate, QString::number(baud));
}

portChoice setcom::settings() const
{
    return {ui->comboBox->currentText(), ui->baudrate->currentText().toInt()};
}

void setcom::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

// Only ports that exist and that no other program holds can be opened.
void setcom::listFreePorts()
{
    ui->comboBox->clear();
    for (int n = 1; n <= probedPorts; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        serialLink link;
        if (link.open(name)) {
            ui->comboBox->addItem(name);
            link.close();
        }
    }
}
