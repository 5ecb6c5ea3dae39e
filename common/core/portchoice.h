#pragma once

#include <QString>

// What the port dialog gives back: the chosen port name and baud rate.
struct portChoice
{
    QString port;  // empty when no port could be listed
    int baud = 0;
};
