#pragma once

#include "linksettings.h"

#include <QThread>

class serialLink;

// Worker of the load dialog: sends the record to the unit with the load
// command. Never touches a widget; progress leaves as signals and the
// outcome as result(), read after finished().
class dlThread : public QThread
{
    Q_OBJECT

public:
    // readWaitMs: how long each one-byte read waits for the unit.
    dlThread(const linkSettings &settings, int readWaitMs);

    // True only when the unit accepted the record.
    bool result() const { return accepted; }

signals:
    void progressRange(int minimum, int maximum);
    void progressReset();
    void progressValue(int value);

protected:
    void run() override;

private:
    bool handshake(serialLink &link);
    bool sendRecord(serialLink &link);
    bool unitAccepted(serialLink &link);
    void diagnose(const QString &line) const;

    bool accepted = false;
    const linkSettings settings;
    const int readWaitMs;
};
