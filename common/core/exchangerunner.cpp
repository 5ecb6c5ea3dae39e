#include "exchangerunner.h"

#include <QCoreApplication>
#include <QThread>
#include <memory>

exchangeRunner::exchangeRunner(const QString &portName, int timeLimitMs)
    : portName(portName)
    , timeLimitMs(timeLimitMs)
{
}

deviceExchange::Reply exchangeRunner::readout()
{
    return run([](deviceExchange &exchange) { return exchange.readout(); });
}

deviceExchange::Reply exchangeRunner::status(int waitMs)
{
    return run([waitMs](deviceExchange &exchange) { return exchange.status(waitMs); });
}

void exchangeRunner::cancel()
{
    cancelled = true;
}

deviceExchange::Reply exchangeRunner::run(const exchangeCall &call)
{
    deviceExchange::Reply reply;
    // The exchange is made in the worker: its port must live in one thread.
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        deviceExchange exchange(portName);
        exchange.setTimeLimit(timeLimitMs);
        exchange.setCancelCheck([this] { return cancelled.load(); });
        exchange.setProgress([this] { emit progressStep(); });
        reply = call(exchange);
    }));
    bool finished = false;
    // Queued to this thread: it also wakes the wait below.
    connect(worker.get(), &QThread::finished, this, [&finished] { finished = true; });
    worker->start();
    // Unlike a nested exec(), this wait does not end when the application quits.
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    worker->wait();
    return reply;
}
