#pragma once

#include <QString>
#include <QStringView>

// CR and LF inside a field's text: a field is one line of a parameter file
// and of the record, so neither may stay in it.
class lineBreaks
{
public:
    static bool in(QStringView text);
    static QString removed(QString text);
};
