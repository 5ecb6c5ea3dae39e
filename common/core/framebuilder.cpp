#include "framebuilder.h"

#include "framechecksum.h"
#include "linebreaks.h"

#include <algorithm>

namespace {

constexpr int phoneCount = 8;
// Everything after the plain fields: the phone numbers and the alarm-stop word.
constexpr int trailingTexts = phoneCount + 1;
constexpr qint8 currencySign = static_cast<qint8>(0xA4);

// Index of the first text holding a CR or LF; -1 when none does.
qsizetype lineBreakText(const QStringList &texts)
{
    const auto broken = std::find_if(texts.cbegin(), texts.cend(),
                                     [](const QString &text) { return lineBreaks::in(text); });
    return broken == texts.cend() ? -1 : broken - texts.cbegin();
}

} // namespace

frameBuilder::frameBuilder(const linkSettings &settings)
    : check(settings.check), chks(settings.chks), separator(charText(settings.dlSep))
{
}

frameBuilder::Result frameBuilder::load(const formValues &form, const QList<LimitRule> &limits) const
{
    Result result = build(form, limits);
    if (!result.accepted())
        return result;
    // The fields never take a line break; a form that holds one anyway is
    // not sent, as the unit would take it for the end of a field.
    if (const qsizetype field = lineBreakText(form.texts); field >= 0)
        return {LineBreakInField, {}, field};
    if (check > 0)
        result.text += frameChecksum::text(result.text, chks);
    return result;
}

frameBuilder::Result frameBuilder::expected(const formValues &form) const
{
    return build(form, {});
}

frameBuilder::Result frameBuilder::build(const formValues &form, const QList<LimitRule> &limits) const
{
    const QStringList &texts = form.texts;
    const int plainFields = texts.size() - trailingTexts;

    QStringList fields = texts.mid(0, std::max(plainFields, 0));
    if (std::any_of(fields.cbegin(), fields.cend(), [](const QString &field) { return field.isEmpty(); }))
        return {EmptyField, {}};
    if (const Refusal refusal = brokenLimit(texts, limits); refusal != NoRefusal)
        return {refusal, {}};

    for (int k = 0; k < phoneCount; ++k) {
        const QString number = texts.value(plainFields + k);
        fields << (number.isEmpty() || number == QLatin1String(" ") ? QStringLiteral("0") : number);
        fields << numberMode(form.flags.value(k), form.flags.value(k + phoneCount));
    }
    fields << texts.value(texts.size() - 1);

    QString text;
    for (const QString &field : fields)
        text += field + separator;

    if (!std::all_of(text.cbegin(), text.cend(), sendable))
        return {AccentedLetter, {}};
    // The unit takes one line per field: a separator inside a field would
    // shift every field after it.
    if (std::any_of(fields.cbegin(), fields.cend(),
                    [this](const QString &field) { return field.contains(separator); }))
        return {SeparatorInField, {}};
    return {NoRefusal, text};
}

frameBuilder::Refusal frameBuilder::brokenLimit(const QStringList &texts, const QList<LimitRule> &limits)
{
    for (const LimitRule &rule : limits) {
        // 64 bits: the difference of two ints cannot overflow.
        const qint64 low = texts.value(rule.lowField).toInt();
        const qint64 high = texts.value(rule.highField).toInt();
        if (high - low < rule.minGap)
            return rule.refusal;
    }
    return NoRefusal;
}

bool frameBuilder::sendable(QChar c)
{
    const qint8 code = frameChecksum::code(c);
    return code > 0 || code == currencySign;
}

QString frameBuilder::refusalText(Refusal refusal, const RefusalTexts &texts, const QString &fieldName) const
{
    switch (refusal) {
    case NoRefusal:
        break;
    case EmptyField:
        return texts.emptyField;
    case FirstThermometer:
        return texts.firstThermometer;
    case SecondThermometer:
        return texts.secondThermometer;
    case AccentedLetter:
        return texts.accentedLetter;
    case SeparatorInField:
        return QStringLiteral("The character %1 cannot be used in a field.").arg(separator);
    case LineBreakInField:
        return QStringLiteral("The field \"%1\" holds a line break, which would reach the unit as a line of its own. "
                              "Remove it and load again.")
            .arg(fieldName);
    }
    return QString();
}

QString frameBuilder::verifyReason(Refusal refusal) const
{
    return refusal == SeparatorInField ? refusalText(refusal) : QString();
}

QString frameBuilder::withReason(const QString &failure, const QString &reason)
{
    return reason.isEmpty() ? failure : failure + QLatin1Char('\n') + reason;
}

const QList<frameBuilder::LimitRule> &frameBuilder::thermometerLimits()
{
    // h1_low/h1_high and h2_low/h2_high: low + 2 < high.
    static const QList<LimitRule> limits = {
        {16, 17, 3, FirstThermometer},
        {19, 20, 3, SecondThermometer},
    };
    return limits;
}

const QList<frameBuilder::LimitRule> &frameBuilder::thermostatLimits()
{
    // h1_low < h1_high; equal values fail.
    static const QList<LimitRule> limits = {{16, 17, 1, FirstThermometer}};
    return limits;
}

frameBuilder::RefusalTexts frameBuilder::model2Texts()
{
    return {QString::fromUtf8(emptyFieldText), QString::fromUtf8(firstThermometerText),
            QString::fromUtf8(secondThermometerText), QString::fromUtf8(accentedLetterText)};
}

frameBuilder::RefusalTexts frameBuilder::model1Texts()
{
    return {QStringLiteral("Az összes mező kitöltése kötelező."),
            QStringLiteral("A hőmérő alacsony értékének kisebbnek kell lennie, mint a magas hőfok értéke."),
            QString(), QStringLiteral("Ékezetes karakterek nem adhatóak meg. (only 7-bit ascii)")};
}

QString frameBuilder::numberMode(bool call, bool sms)
{
    if (call)
        return sms ? QStringLiteral("A") : QStringLiteral("D");
    return sms ? QStringLiteral("S") : QStringLiteral("P");
}
