#include "deviceexchange.h"

#include <QDeadlineTimer>
#include <QDebug>

deviceExchange::deviceExchange(const QString &portName)
    : portName(portName)
{
}

void deviceExchange::setCancelCheck(std::function<bool()> check)
{
    cancelled = std::move(check);
}

void deviceExchange::setProgress(std::function<void()> step)
{
    progress = std::move(step);
}

deviceExchange::Reply deviceExchange::readout(readoutCollection::Style style, int readWaitMs)
{
    Reply reply;
    QByteArray bytes;
    reply.outcome = collect(readWaitMs, 'R', 'd', [&](char byte) {
        bytes += byte;
        if (byte == '\r' && progress)
            progress();
    });
    reply.text = readoutCollection::text(bytes, style);
    return reply;
}

deviceExchange::Reply deviceExchange::status(int waitMs)
{
    Reply reply;
    reply.outcome = collect(waitMs, '?', '?', [&](char byte) {
        reply.text += QChar(static_cast<uchar>(byte));
        if (progress)
            progress();
    });
    reply.text.chop(1); // the last byte received is not part of the reply
    return reply;
}

void deviceExchange::setTimeLimit(int ms)
{
    timeLimitMs = ms;
}

// Sets up the port, sends the command and hands every byte to take until a
// read brings none; the port is closed on every path.
deviceExchange::Outcome deviceExchange::collect(int readWaitMs, char commandA, char commandB,
                                                const byteHandler &take)
{
    const QDeadlineTimer deadline(timeLimitMs);
    serialLink link;
    link.setInterruptCheck([this, &deadline] { return isCancelled() || deadline.hasExpired(); });
    if (!link.setUp(portName, readWaitMs, 0))
        return OpenFailed;
    const Outcome outcome = exchange(link, deadline, commandA, commandB, take);
    // Any other end can leave the unit still sending: the next exchange waits for it.
    if (outcome == Received)
        link.replyComplete();
    return outcome;
}

deviceExchange::Outcome deviceExchange::exchange(serialLink &link, const QDeadlineTimer &deadline,
                                                 char commandA, char commandB, const byteHandler &take)
{
    char lastByte = '\n'; // no byte at all is an empty reply, not a cut one
    if (!link.writeCommand(commandA, commandB))
        return endOf(link, deadline, lastByte);
    for (int count = 0; count < maxReplyBytes; ++count) {
        if (isCancelled())
            return Cancelled;
        char byte = 0;
        if (!link.readByte(byte))
            return endOf(link, deadline, lastByte);
        take(byte);
        lastByte = byte;
    }
    qDebug().noquote() << "reply too long: no pause within" << maxReplyBytes << "bytes";
    return TooLong;
}

// Why the line stopped moving bytes: a cancel, the time limit, a lost line,
// or the unit's silence. A quiet line is a finished reply only after a line
// end: a unit that goes quiet inside a line was cut off.
deviceExchange::Outcome deviceExchange::endOf(const serialLink &link, const QDeadlineTimer &deadline,
                                              char lastByte) const
{
    if (!link.wasInterrupted()) {
        if (link.lineLost())
            return LineLost;
        if (lastByte == '\r' || lastByte == '\n')
            return Received;
        qDebug().noquote() << "reply cut: the unit fell silent inside a line";
        return CutInLine;
    }
    if (isCancelled() || !deadline.hasExpired())
        return Cancelled;
    qDebug().noquote() << "reply too long: not over within" << timeLimitMs << "ms";
    return TooLong;
}

bool deviceExchange::isCancelled() const
{
    return cancelled && cancelled();
}
