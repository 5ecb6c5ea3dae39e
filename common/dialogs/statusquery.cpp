#include "statusquery.h"

#include "exchangerunner.h"
#include "inputhold.h"
#include "readoutparser.h"
#include "statusreply.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

statusQuery::statusQuery(QWidget *window, QPushButton *button, QProgressBar *bar)
    : window(window)
    , button(button)
    , bar(bar)
{
}

void statusQuery::run(const QString &portName, int waitMs, int timeLimitMs, const panelFill &fill)
{
    const inputHold hold(window);
    greyButton();
    bar->setRange(0, 53);
    bar->setStyleSheet(QString());
    bar->reset();

    exchangeRunner runner(portName, timeLimitMs);
    QObject::connect(&runner, &exchangeRunner::progressStep, bar,
                     [this] { bar->setValue(qMax(bar->value(), 0) + 1); });
    const deviceExchange::Reply reply = runner.status(waitMs);
    if (reply.outcome != deviceExchange::Received || !fill(reply.text)) {
        fail();
        return;
    }
    restoreButton();
}

// A disabled button hands its focus on to the next field, where keys typed
// ahead would change it; so the button lets go of it first.
void statusQuery::greyButton()
{
    focused = window->focusWidget();
    if (focused == button)
        button->clearFocus();
    button->setStyleSheet(QString::fromLatin1(statusReply::buttonRunning));
    button->setEnabled(false);
}

void statusQuery::restoreButton()
{
    button->setStyleSheet(QString::fromLatin1(statusReply::buttonRestored));
    button->setEnabled(true);
    if (focused)
        focused->setFocus(Qt::OtherFocusReason);
}

void statusQuery::fail()
{
    restoreButton();
    QMessageBox::critical(window, QString::fromUtf8(readoutParser::errorTitle),
                          QStringLiteral("Sikertelen lekérdezés.\nEllenőrizze az eszközt!"),
                          QMessageBox::Ok);
}
