#include "readoutparser.h"

#include "framechecksum.h"

#include <algorithm>

namespace {

constexpr int phoneCount = 8;
// Phone numbers and the alarm-stop word follow the plain fields.
constexpr int trailingTexts = phoneCount + 1;

} // namespace

readoutParser::readoutParser(const linkSettings &settings, int lineEdits,
                             readoutCollection::Style style)
    : check(settings.check), chks(settings.chks), separator(charText(settings.upSep)),
      lineEdits(lineEdits), style(style)
{
}

readoutParser::Result readoutParser::parse(const QString &reply) const
{
    const QStringList fields = reply.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (fields.first() == reply)
        return {SeparatorMissing, QStringLiteral("sep error"), {}};
    return parseFields(readoutCollection::withoutLineEnd(fields, style));
}

readoutParser::Result readoutParser::parseFields(QStringList fields) const
{
    const bool checking = check >= 1;
    dropEmptyStopWord(fields);
    if (checking && !checksumMatches(fields)) {
        if (frameChecksum::isSum(chks))
            return {ChecksumWrong, QStringLiteral("chks error"), {}};
        return {CheckCharacterWrong, {}, {}};
    }

    for (QString &field : fields)
        field = withoutTrailingSpaces(field);

    const int dataFields = fields.size() - (checking ? 1 : 0);
    const int withStopWord = lineEdits + phoneCount;
    if (dataFields != withStopWord && dataFields != withStopWord - 1) {
        return {CountWrong,
                QStringLiteral("db error, allinputs: %1 data: %2").arg(lineEdits).arg(dataFields),
                {}};
    }
    return {Filled, {}, fill(fields, dataFields == withStopWord)};
}

// Only the alarm-stop word's own place counts: an empty field elsewhere
// keeps its place, and a stray blank line still makes the count wrong.
void readoutParser::dropEmptyStopWord(QStringList &fields) const
{
    if (style != readoutCollection::EveryByteKept)
        return;
    const int stopWordField = lineEdits + phoneCount - 1;
    const int dataFields = fields.size() - (check >= 1 ? 1 : 0);
    if (dataFields == stopWordField + 1 && fields.at(stopWordField).isEmpty())
        fields.removeAt(stopWordField);
}

bool readoutParser::checksumMatches(const QStringList &fields) const
{
    if (fields.isEmpty())
        return false;
    QString covered;
    for (int i = 0; i < fields.size() - 1; ++i)
        covered += fields.at(i) + separator;
    return frameChecksum::text(covered, chks) == fields.last();
}

formValues readoutParser::fill(const QStringList &fields, bool withStopWord) const
{
    const int plainFields = std::max(lineEdits - trailingTexts, 0);
    formValues form;
    form.texts = fields.mid(0, plainFields);
    form.flags = QList<bool>(2 * phoneCount, false);

    for (int k = 0; k < phoneCount; ++k) {
        const QString number = fields.value(plainFields + 2 * k);
        form.texts << (number == QLatin1String("0") ? QString() : number);

        // Only the first letter counts; an empty field clears both flags.
        const QString mode = fields.value(plainFields + 2 * k + 1);
        const QChar letter = mode.isEmpty() ? QChar() : mode.front();
        form.flags[k] = letter == QLatin1Char('D') || letter == QLatin1Char('A');
        form.flags[k + phoneCount] = letter == QLatin1Char('S') || letter == QLatin1Char('A');
    }
    form.texts << (withStopWord ? fields.value(plainFields + 2 * phoneCount) : QString());
    return form;
}

QString readoutParser::withoutTrailingSpaces(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}
