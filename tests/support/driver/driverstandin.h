#pragma once

// While one lives, the serial ports of this process report their driver's
// count of unsent bytes (TIOCOUTQ) from here instead of from the device,
// as a USB adapter's driver would: a pseudo-terminal always reports none.
// A flush of the output (tcflush) drops the unsent bytes. Linked as a shared
// library ahead of the C library, whose write, ioctl, tcflush and close it
// stands in front of.
class driverStandIn
{
public:
    enum mode {
        hold,  // each byte stays unsent for holdMs after it was written
        stall, // bytes are taken and never sent: none reaches the line
        fail,  // the count cannot be read, and no byte reaches the line
    };

    explicit driverStandIn(mode how, int holdMs = 0);
    ~driverStandIn(); // the device's own count again

    // A descriptor was closed with bytes still unsent: a real driver's close
    // waits for them, up to the port's closing wait.
    bool closedWithOutputQueued() const;

    driverStandIn(const driverStandIn &) = delete;
    driverStandIn &operator=(const driverStandIn &) = delete;
};
