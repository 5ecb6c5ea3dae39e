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
    : separator(charText(settings.upSep)), expectedSeparator(charText(settings.dlSep)), style(style)
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
    const QStringList fields = withoutTrailingSpaces(received.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive));
    return readoutCollection::withoutLineEnd(fields, style).join(separator);
}

QString frameVerifier::trimmed(const QString &expected) const
{
    QString text = expected;
    text.chop(1);
    // Plain text, left to right, without overlap: "|++" keeps one "+".
    text.replace(QLatin1String("|+"), QLatin1String("|"));
    return withoutTrailingSpaces(text.split(expectedSeparator, Qt::KeepEmptyParts, Qt::CaseSensitive))
        .join(expectedSeparator);
}

QStringList frameVerifier::withoutTrailingSpaces(QStringList fields)
{
    for (QString &field : fields)
        field = readoutParser::withoutTrailingSpaces(field);
    return fields;
}
