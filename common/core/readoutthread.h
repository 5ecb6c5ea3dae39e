#pragma once

#include "deviceexchange.h"
#include "transferthread.h"

// What the read-out and verify workers share: the read-out command,
// collected with every byte kept.
class readoutThread : public transferThread
{
    Q_OBJECT

public:
    // The progress bar's range: one step per line of the reply.
    static constexpr int progressMaximum = 42;

protected:
    using transferThread::transferThread;

    // Prepares the bar, opens the port, sends the read-out command and
    // collects the reply, each read waiting the settings' time-out; the port
    // is closed again. fullBarAtEnd: fill the bar once the reply is in.
    deviceExchange::Reply collect(bool fullBarAtEnd);
};
