#pragma once

#include <QString>

// What a program's read-out or verify dialog says when its worker has ended.
struct transferTexts
{
    QString success;
    QString failure;
};
