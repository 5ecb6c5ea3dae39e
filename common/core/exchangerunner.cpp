#include "exchangerunner.h"

#include <QThread>
#include <memory>

exchangeRunner::exchangeRunner(const QString &portName, int timeLimitMs)
    : portName(portName)
    , timeLimitMs(timeLimitMs)
{
}

deviceExchange::Reply exchangeRunner::readout(QEventLoop::ProcessEventsFlags waitFlags)
{
    return run([](deviceExchange &exchange) { return exchange.readout(); }, waitFlags);
}

deviceExchange::Reply exchangeRunner::status(int waitMs, QEventLoop::ProcessEventsFlags waitFlags)
{
    return run([waitMs](deviceExchange &exchange) { return exchange.status(waitMs); }, waitFlags);
}

void exchangeRunner::cancel()
{
    cancelled = true;
}

deviceExchange::Reply exchangeRunner::run(const exchangeCall &call, QEventLoop::ProcessEventsFlags waitFlags)
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
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec(waitFlags);
    // The loop also ends when the application quits; the exchange must not outlive it.
    if (!worker->isFinished())
        cancel();
    worker->wait();
    return reply;
}
