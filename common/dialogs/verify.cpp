#include "verify.h"

#include "formwidgets.h"
#include "linksettings.h"
#include "ui_verify.h"
#include "vthread.h"

namespace {

// The form as the worker takes it, read here in the GUI thread.
formValues formToVerify(QWidget *formOwner)
{
    formWidgets::takeRegulatorMode(formOwner);
    return formWidgets::values(formOwner);
}

} // namespace

verify::verify(const linkSettings &settings, QWidget *formOwner, QWidget *parent,
               const transferTexts &texts)
    : transferDialog(texts, parent), ui(new Ui_verify),
      worker(new vThread(settings, formToVerify(formOwner)))
{
    ui->setupUi(this);
    // Connected before the start, so that a worker that ends at once is still seen.
    connect(worker, &QThread::finished, this, &verify::vcomplete, Qt::QueuedConnection);
    start(worker, ui->progressBar);
}

verify::~verify()
{
    delete ui;
}

transferTexts verify::englishTexts()
{
    return {QStringLiteral("Verifying was successful."),
            QStringLiteral("Error while verifying.\nCheck your device.")};
}

void verify::vcomplete()
{
    if (stopping())
        return;
    showOutcome(worker->result(), ui->msg, ui->buttonBox, worker->refusalReason());
}

void verify::changeEvent(QEvent *event)
{
    transferDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
