#pragma once

#include <QString>

// The thermostat's regulator mode: one character of the record, held by the
// hidden field rb and chosen with the radio buttons r2 (cooling), r1
// (heating) and r0 (off).
class regulatorMode
{
public:
    // "-" when r2 is checked, "+" when r1 is, "0" otherwise (r0 or none);
    // checkedButton is the checked button's object name, empty for none.
    static QString ofButton(const QString &checkedButton);

    // The object name of the button the mode's first character selects;
    // empty for any other character or an empty mode.
    static QString buttonFor(const QString &mode);

    // The mode a read-out brings back in field: the unit drops a leading
    // "+", so heating comes back empty.
    static QString readBack(const QString &field);
};
