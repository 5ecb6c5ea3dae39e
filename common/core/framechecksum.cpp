#include "framechecksum.h"

#include "linksettings.h"

qint8 frameChecksum::code(QChar c)
{
    const char16_t unicode = c.unicode();
    return unicode > 0xFF ? 0 : static_cast<qint8>(static_cast<uchar>(unicode));
}

QString frameChecksum::text(const QString &covered, qint8 chks)
{
    static const int moduli[] = {8, 16, 24, 32};
    if (!isSum(chks))
        return charText(chks);

    int sum = 0;
    for (const QChar c : covered)
        sum += code(c);
    // Truncating division: a negative sum keeps its sign in the remainder.
    return QString::number(sum % moduli[chks]);
}

bool frameChecksum::isSum(qint8 chks)
{
    return chks >= 0 && chks <= 3;
}
