#pragma once

#include "linksettings.h"

#include <QThread>

// The worker of a transfer dialog: one exchange with the unit on its own
// copy of the link settings. Never touches a widget; progress leaves as
// signals and the outcome as result(), read after finished(). Stops between
// bytes and within its waits once interruption is requested, closing its port.
class transferThread : public QThread
{
    Q_OBJECT

public:
    // True only when the worker's whole task succeeded.
    bool result() const { return succeeded; }

signals:
    void progressRange(int minimum, int maximum);
    void progressReset();
    void progressValue(int value);

protected:
    explicit transferThread(const linkSettings &settings);

    const linkSettings settings;
    bool succeeded = false;
};
