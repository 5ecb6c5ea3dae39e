#pragma once

// While one lives, the serial ports of this process report their driver's
// count of unsent bytes (TIOCOUTQ) from here instead of from the device,
// as a USB adapter's driver would: a pseudo-terminal always reports none.
// Linked as a shared library ahead of the C library, whose write and ioctl
// it stands in front of.
class driverStandIn
{
public:
    enum mode {
        hold,  // each byte stays unsent for holdMs after it was written
        stall, // nothing is ever sent
        fail,  // the count cannot be read
    };

    explicit driverStandIn(mode how, int holdMs = 0);
    ~driverStandIn(); // the device's own count again

    driverStandIn(const driverStandIn &) = delete;
    driverStandIn &operator=(const driverStandIn &) = delete;
};
