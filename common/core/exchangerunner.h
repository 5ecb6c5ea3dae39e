#pragma once

#include "deviceexchange.h"

#include <QEventLoop>
#include <QObject>
#include <atomic>
#include <functional>

// Runs one deviceExchange in a worker thread while the calling thread waits
// in a local event loop, so a window keeps painting during the exchange.
// Progress steps reach the caller's thread as queued signals, in order, all
// before the call returns; cancel() ends the exchange within one wait slice.
class exchangeRunner : public QObject
{
    Q_OBJECT

public:
    exchangeRunner(const QString &portName, int timeLimitMs);

    // The waitFlags say which events the caller's thread takes meanwhile
    // (ExcludeUserInputEvents: the window repaints but takes no input).
    deviceExchange::Reply readout(QEventLoop::ProcessEventsFlags waitFlags);
    deviceExchange::Reply status(int waitMs, QEventLoop::ProcessEventsFlags waitFlags);

public slots:
    void cancel();

signals:
    void progressStep();

private:
    using exchangeCall = std::function<deviceExchange::Reply(deviceExchange &)>;
    deviceExchange::Reply run(const exchangeCall &call, QEventLoop::ProcessEventsFlags waitFlags);

    const QString portName;
    const int timeLimitMs;
    std::atomic<bool> cancelled{false};
};
