#include "readoutthread.h"

deviceExchange::Reply readoutThread::collect(bool fullBarAtEnd)
{
    emit progressRange(0, progressMaximum);
    emit progressReset();

    deviceExchange exchange(settings.port);
    exchange.setCancelCheck([this] { return isInterruptionRequested(); });
    int lines = 0;
    // The bar ignores steps beyond its maximum.
    exchange.setProgress([this, &lines] { emit progressValue(++lines); });
    const deviceExchange::Reply reply =
        exchange.readout(readoutCollection::EveryByteKept, settings.timeout);
    const bool collected =
        reply.outcome != deviceExchange::OpenFailed && reply.outcome != deviceExchange::Cancelled;
    if (collected && fullBarAtEnd)
        emit progressValue(progressMaximum);
    return reply;
}
