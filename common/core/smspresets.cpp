#include "smspresets.h"

#include <iterator>

namespace {

struct preset
{
    const char *itemText;
    const char *number;
};

const preset operators[] = {
    {"T-Mobile", "36309888000"},
    {"Telenor", "36209300099"},
    {"Vodafone", "36709996500"},
};
static_assert(std::size(operators) == smsPresets::customIndex, "custom entry follows the operators");

QString customText()
{
    return QStringLiteral("Egyéni");
}

} // namespace

QStringList smsPresets::itemTexts()
{
    QStringList texts;
    for (const preset &row : operators)
        texts.append(QLatin1String(row.itemText));
    texts.append(customText());
    return texts;
}

int smsPresets::indexForNumber(const QString &number)
{
    int index = 0;
    for (const preset &row : operators) {
        if (number == QLatin1String(row.number))
            return index;
        ++index;
    }
    return customIndex;
}

std::optional<QString> smsPresets::numberForItem(const QString &itemText)
{
    for (const preset &row : operators) {
        if (itemText == QLatin1String(row.itemText))
            return QString(QLatin1String(row.number));
    }
    return std::nullopt;
}

bool smsPresets::isCustom(const QString &itemText)
{
    return itemText == customText();
}
