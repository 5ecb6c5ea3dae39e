#include "frameverifier.h"

#include "readoutparser.h"

#include <QStringList>

namespace {

QString quotedLine(const char *label, const QString &text)
{
    return QLatin1String(label) + QLatin1String(" \"") + text + QLatin1Char('"');
}

} // namespace

QString frameVerifier::Result::expectedLine() const
{
    return quotedLine("o:", expected);
}

QString frameVerifier::Result::receivedLine() const
{
    return quotedLine("r:", received);
}

frameVerifier::frameVerifier(const linkSettings &settings, readoutCollection::Style style)
    : separator(charText(settings.upSep)), style(style)
{
}

frameVerifier::Result frameVerifier::compare(const QString &expected, const QString &received) const
{
    Result result;
    result.expected = trimmed(expected);
    result.received = normalised(received);
    result.equal = result.expected == result.received;
    return result;
}

QString frameVerifier::normalised(const QString &received) const
{
    QStringList fields = received.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
    for (QString &field : fields)
        field = readoutParser::withoutTrailingSpaces(field);
    return readoutCollection::withoutLineEnd(fields, style).join(separator);
}

QString frameVerifier::trimmed(const QString &expected)
{
    QString text = expected;
    text.chop(1);
    // Plain text, left to right, without overlap: "|++" keeps one "+".
    return text.replace(QLatin1String("|+"), QLatin1String("|"));
}
