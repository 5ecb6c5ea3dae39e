#include "readoutcollection.h"

namespace {

// Empty parts after the last field in the EveryByteKept style: one from
// the final CR LF, one from the repeated LF.
constexpr int lineEndParts = 2;

QString linesJoined(const QByteArray &bytes)
{
    QString text;
    for (const char byte : bytes) {
        if (byte == '\r')
            text += QLatin1Char('|');
        else if (byte != '\n')
            text += QChar(static_cast<uchar>(byte));
    }
    if (bytes.endsWith('\n'))
        text.chop(1);
    return text;
}

QString everyByteKept(const QByteArray &bytes)
{
    QString text = QString::fromLatin1(bytes.isEmpty() ? bytes : bytes + bytes.back());
    text.replace(QChar(0xFF), QLatin1Char(' '));
    text.replace(QLatin1String("\r\n"), QLatin1String("|"));
    text.replace(QLatin1Char('\n'), QLatin1Char('|'));
    text.replace(QLatin1Char('\r'), QLatin1Char('|'));
    return text;
}

} // namespace

QString readoutCollection::text(const QByteArray &bytes, Style style)
{
    return style == LinesJoined ? linesJoined(bytes) : everyByteKept(bytes);
}

QStringList readoutCollection::withoutLineEnd(QStringList fields, Style style)
{
    if (style == EveryByteKept) {
        for (int i = 0; i < lineEndParts && !fields.isEmpty() && fields.last().isEmpty(); ++i)
            fields.removeLast();
    }
    return fields;
}
