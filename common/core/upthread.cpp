#include "upthread.h"

#include "readoutparser.h"

#include <QDebug>

upThread::upThread(const linkSettings &settings, int lineEdits, bool fullBarOnlyAfterFill)
    : readoutThread(settings), lineEdits(lineEdits), fullBarOnlyAfterFill(fullBarOnlyAfterFill)
{
}

void upThread::run()
{
    const deviceExchange::Reply reply = collect(!fullBarOnlyAfterFill);
    // A lost line or an endless reply is void, whatever came before.
    if (reply.outcome != deviceExchange::Received)
        return;
    const readoutParser::Result parsed =
        readoutParser(settings, lineEdits, readoutCollection::EveryByteKept).parse(reply.text);
    if (!parsed.diagnostic.isEmpty())
        qDebug().noquote() << parsed.diagnostic;
    if (!parsed.filled())
        return;
    values = parsed.form;
    if (fullBarOnlyAfterFill)
        emit progressValue(progressMaximum);
    succeeded = true;
}
