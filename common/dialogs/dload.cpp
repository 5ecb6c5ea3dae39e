#include "dload.h"

#include "dlthread.h"
#include "linksettings.h"
#include "ui_dload.h"

#include <QCloseEvent>
#include <QTimer>

dload::dload(const linkSettings &settings, QWidget *parent, int readWaitMs)
    : QDialog(parent), worker(new dlThread(settings, readWaitMs)), ui(new Ui_dload)
{
    ui->setupUi(this);
    connect(worker, &dlThread::progressRange, ui->progressBar, &QProgressBar::setRange,
            Qt::QueuedConnection);
    connect(worker, &dlThread::progressReset, ui->progressBar, &QProgressBar::reset,
            Qt::QueuedConnection);
    connect(worker, &dlThread::progressValue, ui->progressBar, &QProgressBar::setValue,
            Qt::QueuedConnection);
    // Connected before the start, so that a worker that ends at once is still seen.
    connect(worker, &QThread::finished, this, &dload::dlcomplete, Qt::QueuedConnection);
    worker->start(QThread::InheritPriority);
}

dload::~dload()
{
    // The worker gives up between bytes and closes its port itself.
    worker->requestInterruption();
    worker->wait();
    delete worker;
    delete ui;
}

void dload::dlcomplete()
{
    if (worker->result()) {
        ui->kiiras->setText(QStringLiteral("Sikeres betöltés."));
        auto *closing = new QTimer(this);
        closing->setSingleShot(true);
        connect(closing, &QTimer::timeout, this, &QDialog::accept);
        closing->start(2000);
    } else {
        ui->kiiras->setText(
            QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a beállításokat."));
    }
    ui->buttonBox->setStandardButtons(QDialogButtonBox::Ok);
    ui->buttonBox->setEnabled(true);
}

void dload::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void dload::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
