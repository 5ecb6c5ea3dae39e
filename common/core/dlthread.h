#pragma once

#include "transferthread.h"

class serialLink;

// Worker of the load dialog: sends the record to the unit with the load
// command; succeeds only when the unit accepted the record.
class dlThread : public transferThread
{
    Q_OBJECT

public:
    // readWaitMs: how long each one-byte read waits for the unit.
    dlThread(const linkSettings &settings, int readWaitMs);

protected:
    void run() override;

private:
    bool handshake(serialLink &link);
    bool sendRecord(serialLink &link);
    bool unitAccepted(serialLink &link);
    void diagnose(const QString &line) const;

    const int readWaitMs;
};
