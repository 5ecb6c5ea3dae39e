#include "dload.h"

#include "dlthread.h"
#include "linksettings.h"
#include "ui_dload.h"

#include <QCloseEvent>
#include <QTimer>

dload::Texts dload::model2Texts()
{
    return {QStringLiteral("Betöltés"), QStringLiteral("Betöltés..."), QStringLiteral("Sikeres betöltés."),
            QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a beállításokat.")};
}

dload::Texts dload::model1Texts()
{
    return {QStringLiteral("Download"), QStringLiteral("Downloading..."), QStringLiteral("Sikeres betöltés."),
            QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.")};
}

dload::dload(const linkSettings &settings, QWidget *parent, int readWaitMs, const Texts &texts)
    : QDialog(parent), texts(texts), worker(new dlThread(settings, readWaitMs)), ui(new Ui_dload)
{
    ui->setupUi(this);
    showStartTexts();
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
        ui->kiiras->setText(texts.success);
        auto *closing = new QTimer(this);
        closing->setSingleShot(true);
        connect(closing, &QTimer::timeout, this, &QDialog::accept);
        closing->start(2000);
    } else {
        ui->kiiras->setText(texts.failure);
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
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        showStartTexts();
    }
}

void dload::showStartTexts()
{
    setWindowTitle(texts.title);
    ui->kiiras->setText(texts.start);
}
