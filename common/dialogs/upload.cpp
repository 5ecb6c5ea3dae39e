#include "upload.h"

#include "formwidgets.h"
#include "linksettings.h"
#include "ui_upload.h"
#include "upthread.h"

#include <QLineEdit>

upload::upload(const linkSettings &settings, QWidget *formOwner, QWidget *parent,
               const transferTexts &texts, bool fullBarOnlyAfterFill)
    : transferDialog(texts, parent), ui(new Ui_upload), formOwner(formOwner),
      worker(new upThread(settings, int(formOwner->findChildren<QLineEdit *>().size()),
                          fullBarOnlyAfterFill))
{
    ui->setupUi(this);
    // Connected before the start, so that a worker that ends at once is still seen.
    connect(worker, &QThread::finished, this, &upload::upcomplete, Qt::QueuedConnection);
    start(worker, ui->progressBar);
}

upload::~upload()
{
    delete ui;
}

transferTexts upload::englishTexts()
{
    return {QStringLiteral("Upload complete."),
            QStringLiteral("Upload error.\nTip: check your device and port settings.")};
}

void upload::upcomplete()
{
    if (stopping())
        return;
    filled = worker->result();
    if (filled)
        formWidgets::show(formOwner, worker->form());
    showOutcome(filled, ui->msg, ui->buttonBox);
}

void upload::changeEvent(QEvent *event)
{
    transferDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
