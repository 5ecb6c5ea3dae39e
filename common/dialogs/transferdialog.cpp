#include "transferdialog.h"

#include "framebuilder.h"
#include "transferthread.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

transferDialog::transferDialog(const transferTexts &texts, QWidget *parent)
    : QDialog(parent), texts(texts)
{
}

transferDialog::~transferDialog()
{
    // The worker gives up between bytes and within its waits, and closes
    // its port itself.
    if (worker) {
        worker->requestInterruption();
        worker->wait();
    }
}

void transferDialog::start(transferThread *thread, QProgressBar *bar)
{
    worker.reset(thread);
    connect(thread, &transferThread::progressRange, bar, &QProgressBar::setRange,
            Qt::QueuedConnection);
    connect(thread, &transferThread::progressReset, bar, &QProgressBar::reset, Qt::QueuedConnection);
    connect(thread, &transferThread::progressValue, bar, &QProgressBar::setValue,
            Qt::QueuedConnection);
    thread->start(QThread::InheritPriority);
}

bool transferDialog::stopping() const
{
    return worker && worker->isInterruptionRequested();
}

void transferDialog::reject()
{
    if (worker)
        worker->requestInterruption();
    QDialog::reject();
}

void transferDialog::showOutcome(bool success, QLabel *msg, QDialogButtonBox *buttons,
                                 const QString &reason)
{
    if (success) {
        msg->setText(texts.success);
        auto *closing = new QTimer(this);
        closing->setSingleShot(true);
        closing->setTimerType(Qt::PreciseTimer); // a coarse timer may be 100 ms off
        connect(closing, &QTimer::timeout, this, &QDialog::accept);
        closing->start(2000);
    } else {
        msg->setText(frameBuilder::withReason(texts.failure, reason));
    }
    buttons->setStandardButtons(QDialogButtonBox::Ok);
    buttons->setEnabled(true); // the load dialog's box starts disabled
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    ok->setFocus(Qt::OtherFocusReason);
}

void transferDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
