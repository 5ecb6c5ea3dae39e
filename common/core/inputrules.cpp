#include "inputrules.h"

#include <algorithm>

namespace {

const QString inputError = QStringLiteral("Input error");
const QString rangeError = QStringLiteral("Error");

bool isDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ');
}

// What the old toolkit's 8-bit conversion left above zero: codes 1 to 127.
bool isSevenBit(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 127;
}

bool isTemperature(QChar c)
{
    return isDigit(c) || c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool isPhone(QChar c)
{
    return isDigit(c) || c == QLatin1Char('+');
}

bool allOf(const QString &text, bool (*accepted)(QChar))
{
    return std::all_of(text.cbegin(), text.cend(), accepted);
}

// An empty text has no value to check; any other that is no number counts as 0.
bool outOfRange(const QString &text, int low, int high)
{
    const int value = text.toInt(nullptr, 10);
    return !text.isEmpty() && (value < low || value > high);
}

} // namespace

inputRules::table inputRules::model2()
{
    table rules;
    rules.characterFields = 26;
    rules.digitNames = {QStringLiteral("smskp"), QStringLiteral("m_pin"), QStringLiteral("m_id"),
                        QStringLiteral("rele_time"), QStringLiteral("max_sms")};
    rules.zeroOneName = QStringLiteral("visszaallas");
    rules.temperatureFields = {16, 17, 19, 20};
    rules.hysteresisFields = {18, 21};
    rules.smsCountField = 25;
    rules.firstPhone = 26;
    rules.phoneCount = 8;
    rules.texts.digits = QStringLiteral("Only numbers.");
    rules.texts.sevenBit = QStringLiteral("Only numbers and characters. (7-bit ascii)\n");
    rules.texts.zeroOne = QStringLiteral("The value is only 1 or 0.");
    rules.texts.temperatureCharacters = QStringLiteral("Only valid temperature values.\n");
    rules.texts.temperatureRange = QStringLiteral("Value is between -50 and +120 °C");
    rules.texts.hysteresisCharacters = QStringLiteral("Only positive temperature values.\n");
    rules.texts.hysteresisRange = QStringLiteral("Value is between 2 and 19 °C");
    rules.texts.smsCountRange = QStringLiteral("Value is between 10 and 99 °C");
    rules.texts.phone = QStringLiteral("Telephone number: only numbers.");
    return rules;
}

inputRules::table inputRules::model1()
{
    table rules = model2();
    rules.temperatureFields = {16, 17, 19};
    rules.hysteresisFields = {18};
    rules.texts.digits = QStringLiteral("Csak számok adhatóak meg.");
    rules.texts.sevenBit = QStringLiteral("Csak számok és ékezet nélküli betűk adhatóak meg. (7-bit ascii)\n");
    rules.texts.zeroOne = QStringLiteral("Az érték 0 vagy 1 lehet.");
    rules.texts.temperatureCharacters = QStringLiteral("Csak hőmérséklet-érték adható meg.\n");
    rules.texts.temperatureRange = QStringLiteral("Az értéknek -50 és +120 °C között kell lennie.");
    rules.texts.hysteresisCharacters = QStringLiteral("Csak pozitív hőmérséklet-érték adható meg.\n");
    rules.texts.hysteresisRange = QStringLiteral("Az értéknek 2 és 19 °C között kell lennie.");
    rules.texts.smsCountRange = QStringLiteral("Az értéknek 10 és 99 °C között kell lennie.");
    rules.texts.phone = QStringLiteral("Csak telefonszám adható meg.");
    return rules;
}

inputRules::inputRules(const table &rules)
    : rules(rules)
{
}

inputRules::outcome inputRules::check(const QList<field> &fields) const
{
    outcome result;
    for (const field &f : fields)
        result.texts.append(f.text);

    const int ruledFields = std::max(rules.characterFields, rules.firstPhone + rules.phoneCount);
    const int walkEnd = std::min(ruledFields, int(fields.size()));
    for (int p = 0; p < walkEnd; ++p) {
        std::optional<failure> broken;
        if (p < rules.characterFields)
            broken = fieldFailure(p, fields.at(p).name, result.texts[p]);
        else if (p >= rules.firstPhone)
            broken = phoneFailure(result.texts.at(p));
        if (broken) {
            result.failedField = p;
            result.title = broken->title;
            result.text = broken->text;
            result.texts[p].clear();
            return result;
        }
    }
    return result;
}

std::optional<inputRules::failure> inputRules::fieldFailure(int position, const QString &name,
                                                            QString &text) const
{
    if (rules.digitNames.contains(name)) {
        if (!allOf(text, isDigit))
            return failure{inputError, rules.texts.digits};
    } else if (!allOf(text, isSevenBit)) {
        return failure{inputError, rules.texts.sevenBit};
    }

    const bool zeroOne = text.isEmpty() || text == QLatin1String("0") || text == QLatin1String("1");
    if (name == rules.zeroOneName && !zeroOne)
        return failure{inputError, rules.texts.zeroOne};

    if (rules.temperatureFields.contains(position))
        return temperatureFailure(text);
    if (rules.hysteresisFields.contains(position))
        return hysteresisFailure(text);
    if (position == rules.smsCountField && outOfRange(text, 10, 99))
        return failure{rangeError, rules.texts.smsCountRange};
    return std::nullopt;
}

std::optional<inputRules::failure> inputRules::temperatureFailure(QString &text) const
{
    // An unsigned value is taken as positive and shown so.
    if (!text.isEmpty() && !QStringLiteral("+-0").contains(text.at(0)))
        text.prepend(QLatin1Char('+'));

    const bool loneSign = text == QLatin1String("+") || text == QLatin1String("-");
    if (!allOf(text, isTemperature) || loneSign)
        return failure{inputError, rules.texts.temperatureCharacters};
    if (outOfRange(text, -50, 120))
        return failure{rangeError, rules.texts.temperatureRange};
    return std::nullopt;
}

std::optional<inputRules::failure> inputRules::hysteresisFailure(const QString &text) const
{
    if (!allOf(text, isTemperature))
        return failure{inputError, rules.texts.hysteresisCharacters};
    if (outOfRange(text, 2, 19))
        return failure{rangeError, rules.texts.hysteresisRange};
    return std::nullopt;
}

std::optional<inputRules::failure> inputRules::phoneFailure(const QString &text) const
{
    if (!allOf(text, isPhone))
        return failure{inputError, rules.texts.phone};
    return std::nullopt;
}
