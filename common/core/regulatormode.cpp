#include "regulatormode.h"

QString regulatorMode::ofButton(const QString &checkedButton)
{
    // The digit in the button's name tells the mode.
    const QChar digit = checkedButton.size() > 1 ? checkedButton.at(1) : QChar();
    if (digit == QLatin1Char('2'))
        return QStringLiteral("-");
    if (digit == QLatin1Char('1'))
        return QStringLiteral("+");
    return QStringLiteral("0");
}

QString regulatorMode::buttonFor(const QString &mode)
{
    const QChar first = mode.isEmpty() ? QChar() : mode.at(0);
    if (first == QLatin1Char('-'))
        return QStringLiteral("r2");
    if (first == QLatin1Char('+'))
        return QStringLiteral("r1");
    if (first == QLatin1Char('0'))
        return QStringLiteral("r0");
    return QString();
}

QString regulatorMode::readBack(const QString &field)
{
    return field.isEmpty() ? QStringLiteral("+") : field;
}
