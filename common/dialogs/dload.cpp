#include "dload.h"

#include "dlthread.h"
#include "linksettings.h"
#include "ui_dload.h"

dload::Texts dload::model2Texts()
{
    return {QStringLiteral("Betöltés"), QStringLiteral("Betöltés..."),
            {QStringLiteral("Sikeres betöltés."),
             QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a beállításokat.")}};
}

dload::Texts dload::model1Texts()
{
    return {QStringLiteral("Download"), QStringLiteral("Downloading..."),
            {QStringLiteral("Sikeres betöltés."),
             QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.")}};
}

dload::dload(const linkSettings &settings, QWidget *parent, int readWaitMs, const Texts &texts)
    : transferDialog(texts.outcome, parent), texts(texts), ui(new Ui_dload),
      worker(new dlThread(settings, readWaitMs))
{
    ui->setupUi(this);
    showStartTexts();
    // Connected before the start, so that a worker that ends at once is still seen.
    connect(worker, &QThread::finished, this, &dload::dlcomplete, Qt::QueuedConnection);
    start(worker, ui->progressBar);
}

dload::~dload()
{
    delete ui;
}

void dload::dlcomplete()
{
    if (stopping())
        return;
    showOutcome(worker->result(), ui->kiiras, ui->buttonBox);
}

void dload::changeEvent(QEvent *event)
{
    transferDialog::changeEvent(event);
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
