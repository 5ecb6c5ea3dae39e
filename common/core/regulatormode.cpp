#include "regulatormode.h"

QString regulatorMode::character(const QString &buttonName)
{
    if (buttonName == QLatin1String("r2"))
        return QStringLiteral("-");
    if (buttonName == QLatin1String("r1"))
        return QStringLiteral("+");
    if (buttonName == QLatin1String("r0"))
        return QStringLiteral("0");
    return QString();
}
