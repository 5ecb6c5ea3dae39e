#include "linebreaks.h"

bool lineBreaks::in(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

QString lineBreaks::removed(QString text)
{
    return text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
}
