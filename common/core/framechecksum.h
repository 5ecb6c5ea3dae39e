#pragma once

#include <QChar>
#include <QString>

// The record's 8-bit character codes and the check text sent after it.
class frameChecksum
{
public:
    // A character's byte on the line, read as signed: its Latin-1 code, or 0
    // for a character outside Latin-1.
    static qint8 code(QChar c);

    // What follows the covered text: the sum of its signed codes, remainder
    // 8, 16, 24 or 32 in decimal for chks 0..3 (sign of the sum kept), or for
    // any other chks the character of that byte itself.
    static QString text(const QString &covered, qint8 chks);

    // chks 0..3 select a sum; any other value is a fixed check character.
    static bool isSum(qint8 chks);
};
