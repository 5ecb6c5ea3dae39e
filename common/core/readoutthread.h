#pragma once

#include "deviceexchange.h"
#include "linksettings.h"

#include <QThread>

// What the read-out and verify workers share: the read-out command on the
// worker's own copy of the link settings, collected with every byte kept.
// Never touches a widget; progress leaves as signals and the outcome as
// result(), read after finished(). Stops between bytes and within its waits
// once interruption is requested, closing its port.
class readoutThread : public QThread
{
    Q_OBJECT

public:
    // The progress bar's range: one step per line of the reply.
    static constexpr int progressMaximum = 42;

    // True only when the worker's whole task succeeded.
    bool result() const { return succeeded; }

signals:
    void progressRange(int minimum, int maximum);
    void progressReset();
    void progressValue(int value);

protected:
    explicit readoutThread(const linkSettings &settings);

    // Prepares the bar, opens the port, sends the read-out command and
    // collects the reply, each read waiting the settings' time-out; the port
    // is closed again. fullBarAtEnd: fill the bar once the reply is in.
    deviceExchange::Reply collect(bool fullBarAtEnd);

    const linkSettings settings;
    bool succeeded = false;
};
