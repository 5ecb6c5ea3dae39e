#pragma once

#include <QString>

// The model-1 regulator mode: the one character the record carries for the
// checked one of the form's radio buttons.
class regulatorMode
{
public:
    // "-" for r2 (cooling), "+" for r1 (heating), "0" for r0 (off); empty
    // for any other button.
    static QString character(const QString &buttonName);
};
