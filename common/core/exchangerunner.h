#pragma once

#include "deviceexchange.h"

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

    deviceExchange::Reply readout();
    deviceExchange::Reply status(int waitMs);

public slots:
    void cancel();

signals:
    void progressStep();

private:
    using exchangeCall = std::function<deviceExchange::Reply(deviceExchange &)>;
    deviceExchange::Reply run(const exchangeCall &call);

    const QString portName;
    const int timeLimitMs;
    std::atomic<bool> cancelled{false};
};
