#pragma once

#include "readoutcollection.h"
#include "seriallink.h"

#include <QString>
#include <functional>

class QDeadlineTimer;

// The exchanges that collect a reply of open length from the unit (read-out
// and status query): set up the port, send the command, gather bytes until
// the unit falls silent, close the port. No widget is touched: progress and
// cancelling reach the caller through the functions it sets.
class deviceExchange
{
public:
    enum Outcome {
        OpenFailed, // the port could not be opened or set up (diagnostic line written)
        Cancelled,  // the cancel check answered true before or during a read
        LineLost,   // the port failed mid-exchange (device gone); whatever came is void
        CutInLine,  // the unit fell silent inside a line (cable pulled, unit reset);
                    // whatever came is void (a diagnostic line says so)
        TooLong,    // the unit did not stop within the reply's byte or time limit
                    // (a diagnostic line says which)
        Received    // the unit fell silent after a line end, or sent nothing; text holds the reply
    };

    struct Reply
    {
        Outcome outcome = OpenFailed;
        QString text;
    };

    explicit deviceExchange(const QString &portName);

    // Asked before every read and while a read waits; true ends the
    // exchange as cancelled.
    void setCancelCheck(std::function<bool()> check);
    // Called for every step of progress: each CR of a read-out, each byte of
    // a status reply.
    void setProgress(std::function<void()> step);
    // Longest the whole exchange may take, from the open to the unit's
    // silence; reaching it fails the exchange as TooLong.
    void setTimeLimit(int ms);

    // Read-out command, readWaitMs per byte; the reply's text in the given
    // style.
    Reply readout(readoutCollection::Style style = readoutCollection::LinesJoined,
                  int readWaitMs = 1500);
    // Status command, waitMs per byte. Every byte received but the last one,
    // as Latin-1, CR and LF included.
    Reply status(int waitMs);

    // Longest reply collected; reaching it is a failed exchange.
    static constexpr int maxReplyBytes = serialLink::longestReplyBytes;
    // Default time limit: the byte limit at 1200 baud takes about 35 s.
    static constexpr int defaultTimeLimitMs = 40000;

private:
    using byteHandler = std::function<void(char)>;
    Outcome collect(int readWaitMs, char commandA, char commandB, const byteHandler &take);
    Outcome exchange(serialLink &link, const QDeadlineTimer &deadline, char commandA, char commandB,
                     const byteHandler &take);
    Outcome endOf(const serialLink &link, const QDeadlineTimer &deadline, char lastByte) const;
    bool isCancelled() const;

    QString portName;
    std::function<bool()> cancelled;
    std::function<void()> progress;
    int timeLimitMs = defaultTimeLimitMs;
};
